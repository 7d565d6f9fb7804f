// Dialogs and message boxes the windows show, behind a seam so that the
// handlers can be tested with scripted answers.
#pragma once

#include <QString>
#include <optional>

class QWidget;

enum class TErrorBoxAnswer { Cancel = 2, Retry = 4, Ignore = 5 };

class IDialogs {
public:
  virtual ~IDialogs() = default;
  // filter uses Qt's ";;" separated form; the first entry is preselected.
  virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& filter) = 0;
  // Remembers the last name and filter between calls; asks before replacing
  // an existing file.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& filter,
                                              const QString& defaultSuffix) = 0;
  virtual void Error(QWidget* parent, const QString& text) = 0;
  virtual void Message(QWidget* parent, const QString& caption, const QString& text) = 0;
  // Yes is the default button.
  virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
  virtual TErrorBoxAnswer CancelRetryIgnore(QWidget* parent, const QString& text) = 0;
};

class TQtDialogs : public IDialogs {
public:
  std::optional<QString> OpenFileName(QWidget* parent, const QString& filter) override;
  std::optional<QString> SaveFileName(QWidget* parent, const QString& filter,
                                      const QString& defaultSuffix) override;
  void Error(QWidget* parent, const QString& text) override;
  void Message(QWidget* parent, const QString& caption, const QString& text) override;
  bool Confirm(QWidget* parent, const QString& caption, const QString& text) override;
  TErrorBoxAnswer CancelRetryIgnore(QWidget* parent, const QString& text) override;

private:
  QString lastSaveName_;
  QString lastSaveFilter_;
};
