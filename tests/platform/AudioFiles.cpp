#include "AudioFiles.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

void Run(const std::string& command) {
  if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
    throw std::runtime_error("fixture command failed: " + command);
}

std::string Seconds(double seconds) { return std::to_string(seconds); }

} // namespace

TAudioFiles::TAudioFiles() {
  std::string pattern = (fs::temp_directory_path() / "platform_audio_XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  dir_ = pattern;
}

TAudioFiles::~TAudioFiles() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

std::string TAudioFiles::Wav(double seconds) {
  const fs::path path = dir_ / ("silence-" + Seconds(seconds) + ".wav");
  if (!fs::exists(path))
    Run("sox -n -r 44100 -c 2 -b 16 '" + path.string() + "' trim 0 " + Seconds(seconds));
  return path.string();
}

std::string TAudioFiles::Mp3(double seconds) {
  const fs::path path = dir_ / ("silence-" + Seconds(seconds) + ".mp3");
  if (!fs::exists(path)) Run("lame --quiet -b 128 '" + Wav(seconds) + "' '" + path.string() + "'");
  return path.string();
}

std::string TAudioFiles::Mp3WithoutXing(double seconds) {
  const fs::path path = dir_ / ("silence-" + Seconds(seconds) + "-noxing.mp3");
  if (!fs::exists(path))
    Run("ffmpeg -nostdin -v error -y -i '" + Wav(seconds) + "' -b:a 128k -write_xing 0 '" +
        path.string() + "'");
  return path.string();
}

std::string TAudioFiles::Text() {
  const fs::path path = dir_ / "notes.txt";
  std::ofstream(path) << "This is not a sound file.\n";
  return path.string();
}

std::string TAudioFiles::Missing() const { return (dir_ / "gone.wav").string(); }

std::string TAudioFiles::CopyAs(const std::string& source, const std::string& relative) {
  const fs::path target = dir_ / relative;
  fs::create_directories(target.parent_path());
  fs::copy_file(source, target, fs::copy_options::overwrite_existing);
  return target.string();
}
