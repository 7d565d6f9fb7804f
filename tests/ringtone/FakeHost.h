// Scripted stand-ins for the window side of a conversion job.
#pragma once

#include <QStringList>
#include <functional>
#include <vector>

#include "Desktop.h"
#include "Dialogs.h"
#include "appDefine.h"

struct FakeDialogs : IDialogs {
  struct Prompt {
    QString caption, text;
    bool busyWhileShown;
  };
  bool confirmAnswer = false;
  std::function<void()> whileConfirming;
  std::vector<Prompt> prompts;
  QStringList errors;

  std::optional<QString> OpenFileName(QWidget*, const QString&) override { return {}; }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
    return {};
  }
  void Error(QWidget*, const QString& text) override { errors << text; }
  void Message(QWidget*, const QString&, const QString&) override {}
  bool Confirm(QWidget*, const QString& caption, const QString& text) override {
    prompts.push_back({caption, text, IsConverting.load()});
    if (whileConfirming) whileConfirming();
    return confirmAnswer;
  }
  TErrorBoxAnswer CancelRetryIgnore(QWidget*, const QString&) override {
    return TErrorBoxAnswer::Cancel;
  }
};

struct FakeDesktop : IDesktop {
  QStringList opened;
  void OpenFolder(const QString& folder) override { opened << folder; }
};
