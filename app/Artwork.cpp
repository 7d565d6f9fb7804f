#include "Artwork.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

// The artwork sits in a static library; naming its initialiser keeps the
// linker from dropping it.
static void InitArt() {
  static const bool done = [] {
    Q_INIT_RESOURCE(art);
    return true;
  }();
  (void)done;
}

QPixmap Art(const QString& name) {
  InitArt();
  static QHash<QString, QPixmap> cache;
  if (auto it = cache.constFind(name); it != cache.constEnd()) return *it;
  QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
  QPixmap pixmap;
  if (renderer.isValid()) {
    pixmap = QPixmap(renderer.defaultSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
  }
  cache.insert(name, pixmap);
  return pixmap;
}

QFont SkinFont(int pixelHeight, bool bold) {
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("sans-serif")});
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}
