// The desktop's "open this folder" (its file manager).
#pragma once

#include <QString>

class IDesktop {
public:
  virtual ~IDesktop() = default;
  virtual void OpenFolder(const QString& folder) = 0;
};

class TQtDesktop : public IDesktop {
public:
  void OpenFolder(const QString& folder) override;
};
