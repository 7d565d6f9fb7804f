// A temporary file beside the target that becomes the target only on
// success, so a failed or interrupted conversion never leaves half a
// ringtone nor destroys the file that was there.
#pragma once

#include <QString>

class TTempTarget {
 public:
  explicit TTempTarget(QString target);
  ~TTempTarget();  // removes the temporary file unless committed
  TTempTarget(const TTempTarget&) = delete;
  TTempTarget& operator=(const TTempTarget&) = delete;

  // Creates a new, empty, hidden file in the target's folder, with the
  // permissions a new file gets there.
  bool Create();
  // Renames the temporary file over the target in one step.
  bool Commit();
  void Discard();

  QString Path() const { return path_; }
  QString ErrorString() const { return error_; }

 private:
  QString target_;
  QString path_;
  QString error_;
};
