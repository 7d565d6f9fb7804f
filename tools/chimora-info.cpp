// chimora-info: analyses the MPEG audio files it is given and prints what the
// analyser found, readable or as tab-separated values. No boxes, no pumping.
#include "MPGTools.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: chimora-info [--tsv] [--] FILE...\n"
    "  Analyses each MPEG audio FILE: duration, bit rate, sample rate, channel mode,\n"
    "  version, layer and the ID3v1 tag.\n"
    "  --tsv  one header line, then one tab-separated line per file\n"
    "Exit status: 0 when every file was analysed, 1 when any failed, 2 for a usage error.\n";

constexpr const char* TsvHeader =
    "file\tresult\tfirst_frame_pos\tversion\tlayer\tsamplerate\tbitrate\tmode\tframelength\t"
    "duration\ttag_id\ttitle\tartist\talbum\tyear\tcomment\ttrack\tgenre";

// Tag texts are raw bytes: a tab, line break or zero byte would break the
// line or the column structure.
std::string Printable(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\t' || c == '\n' || c == '\r' || c == '\0') c = ' ';
  return line;
}

std::string ClockText(std::uint16_t seconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                seconds % 60);
  return text;
}

void PrintReadable(const std::string& file, std::int32_t result, const TMPEGAudio& audio) {
  const TMPEGAudioInfo& info = audio.Info;
  std::cout << Printable(file) << "\n";
  if (result != 0) {
    std::cout << "  result       " << result << ": " << audio.ErrorText() << "\n";
    return;
  }
  const std::string rate = info.BitRate == -1 ? "VBR" : audio.BitRateText() + " kbit/s";
  std::cout << "  duration     " << ClockText(info.Duration) << "\n"
            << "  bit rate     " << rate << "\n"
            << "  sample rate  " << info.SampleRate << " Hz\n"
            << "  mode         " << audio.ModeText() << "\n"
            << "  version      MPEG " << audio.VersionText() << ", Layer " << audio.LayerText()
            << "\n";
  if (!audio.HasTag()) return;
  std::cout << "  title        " << Printable(info.Title) << "\n"
            << "  artist       " << Printable(info.Artist) << "\n"
            << "  album        " << Printable(info.Album) << "\n"
            << "  year         " << Printable(info.Year) << "\n"
            << "  comment      " << Printable(info.Comment) << "\n"
            << "  track        " << int{info.Track} << "\n"
            << "  genre        " << audio.GenreText() << " (" << int{info.Genre} << ")\n";
}

void PrintTsv(const std::string& file, std::int32_t result, const TMPEGAudio& audio) {
  const TMPEGAudioInfo& info = audio.Info;
  std::cout << Printable(file) << '\t' << result << '\t' << audio.FirstFramePos << '\t'
            << int{info.Version} << '\t' << int{info.Layer} << '\t' << info.SampleRate << '\t'
            << info.BitRate << '\t' << int{info.Mode} << '\t' << info.FrameLength << '\t'
            << info.Duration << '\t' << Printable(info.TagId) << '\t' << Printable(info.Title)
            << '\t' << Printable(info.Artist) << '\t' << Printable(info.Album) << '\t'
            << Printable(info.Year) << '\t' << Printable(info.Comment) << '\t' << int{info.Track}
            << '\t' << int{info.Genre} << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  bool tsv = false;
  std::vector<std::string> files;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--tsv") {
      tsv = true;
    } else if (options && (arg == "--help" || arg == "-h")) {
      std::cout << Usage;
      return 0;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::cerr << "chimora-info: unknown option " << arg << "\n" << Usage;
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::cerr << "chimora-info: no file given\n" << Usage;
    return 2;
  }

  if (tsv) std::cout << TsvHeader << "\n";
  bool allAnalysed = true;
  for (const std::string& file : files) {
    TMPEGAudio audio;
    audio.OnError = nullptr;
    audio.AutoLoad = false;
    audio.SetFileName(file);
    const std::int32_t result = audio.Analyse();
    allAnalysed = allAnalysed && result == 0;
    if (tsv)
      PrintTsv(file, result, audio);
    else
      PrintReadable(file, result, audio);
  }
  std::cout.flush();
  return allAnalysed ? 0 : 1;
}
