// Scripted dialogs and desktop for the window tests.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "Desktop.h"
#include "Dialogs.h"
#include "QStringPrinter.h"

class TFakeDialogs : public IDialogs {
public:
  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<TErrorBoxAnswer> errorBoxAnswers;
  bool confirmAnswer = false;
  std::function<void()> duringErrorBox;  // runs while the analyser's box is up
  QStringList shown;  // "kind: text" of every dialog, in order

  std::optional<QString> OpenFileName(QWidget*, const QString&) override {
    shown << QStringLiteral("open");
    return Next(openAnswers);
  }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
    shown << QStringLiteral("save");
    return Next(saveAnswers);
  }
  void Error(QWidget*, const QString& text) override { shown << QStringLiteral("error: ") + text; }
  void Message(QWidget*, const QString&, const QString& text) override {
    shown << QStringLiteral("message: ") + text;
  }
  bool Confirm(QWidget*, const QString&, const QString& text) override {
    shown << QStringLiteral("confirm: ") + text;
    return confirmAnswer;
  }
  TErrorBoxAnswer CancelRetryIgnore(QWidget*, const QString& text) override {
    shown << QStringLiteral("errorbox: ") + text;
    if (duringErrorBox) duringErrorBox();
    if (errorBoxAnswers.empty()) return TErrorBoxAnswer::Cancel;
    const TErrorBoxAnswer answer = errorBoxAnswers.front();
    errorBoxAnswers.pop_front();
    return answer;
  }

private:
  static std::optional<QString> Next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class TFakeDesktop : public IDesktop {
public:
  QStringList opened;
  void OpenFolder(const QString& folder) override { opened << folder; }
};
