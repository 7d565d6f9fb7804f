// Small sound files made at test time in a private temporary folder.
#pragma once

#include <filesystem>
#include <string>

class TAudioFiles {
public:
  TAudioFiles();
  ~TAudioFiles();
  TAudioFiles(const TAudioFiles&) = delete;
  TAudioFiles& operator=(const TAudioFiles&) = delete;

  // Silent stereo 44.1 kHz files of the given length; made once each.
  std::string Wav(double seconds);
  std::string Mp3(double seconds);
  // Constant bit rate with no Xing header: nothing in the file tells its length.
  std::string Mp3WithoutXing(double seconds);
  std::string Text();
  std::string Missing() const;
  // A copy of source under a name of one's own (subfolders are made).
  std::string CopyAs(const std::string& source, const std::string& relative);

private:
  std::filesystem::path dir_;
};
