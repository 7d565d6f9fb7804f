#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

std::optional<QString> TQtDialogs::OpenFileName(QWidget* parent, const QString& filter) {
  const QString name = QFileDialog::getOpenFileName(parent, {}, {}, filter);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> TQtDialogs::SaveFileName(QWidget* parent, const QString& filter,
                                                const QString& defaultSuffix) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(defaultSuffix.startsWith('.') ? defaultSuffix.mid(1) : defaultSuffix);
  if (!lastSaveFilter_.isEmpty()) dialog.selectNameFilter(lastSaveFilter_);
  if (!lastSaveName_.isEmpty()) dialog.selectFile(lastSaveName_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  lastSaveName_ = dialog.selectedFiles().constFirst();
  lastSaveFilter_ = dialog.selectedNameFilter();
  return lastSaveName_;
}

void TQtDialogs::Error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

void TQtDialogs::Message(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

bool TQtDialogs::Confirm(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

TErrorBoxAnswer TQtDialogs::CancelRetryIgnore(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Cancel | QMessageBox::Retry | QMessageBox::Ignore, parent);
  switch (box.exec()) {
    case QMessageBox::Retry: return TErrorBoxAnswer::Retry;
    case QMessageBox::Ignore: return TErrorBoxAnswer::Ignore;
    default: return TErrorBoxAnswer::Cancel;  // also a box closed otherwise
  }
}
