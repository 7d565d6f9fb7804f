#include "SaveRequest.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "RingtoneFormat.h"
#include "TimeText.h"

bool IsSameFile(const QString& a, const QString& b) {
  struct stat sa {
  }, sb{};
  if (::stat(QFile::encodeName(a).constData(), &sa) != 0) return false;
  if (::stat(QFile::encodeName(b).constData(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::optional<QString> PrepareCutInfo(const QString& source, const QString& target, int startSecond,
                                      int endSecond, TCutMp3ThreadInfo& out) {
  if (source.isEmpty()) return QStringLiteral("还没有打开音乐文件，请先打开一首歌曲。");
  if (!RingtoneKindOf(target))
    return QStringLiteral("不支持的铃声格式：%1（请使用 .mp3 或 .amr 扩展名）。")
        .arg(QFileInfo(target).fileName());
  if (IsSameFile(source, target))
    return QStringLiteral("铃声不能保存到正在剪切的歌曲本身：%1").arg(target);

  // The timeline lets the start run left of 0; the converter cannot.
  const int start = startSecond < 0 ? 0 : startSecond;
  const long long length = static_cast<long long>(endSecond) - start;
  if (length <= 0) return QStringLiteral("选中的片段长度为零，请重新设置起点和终点。");

  // The converter runs in the work folder, where a relative name means another file.
  out = {QFileInfo(source).absoluteFilePath(), QFileInfo(target).absoluteFilePath(),
         TimeText(start), TimeText(static_cast<int>(length))};
  return std::nullopt;
}
