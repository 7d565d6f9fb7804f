#include "PropertyText.h"

const std::array<std::string_view, 4> VersionNames = {"Unknown", "1.0", "2.0", "2.5"};
const std::array<std::string_view, 4> LayerNames = {"Unknown", "I", "II", "III"};
const std::array<std::string_view, 4> ModeNames = {"Stereo", "Joint-Stereo", "Dual-Channel",
                                                   "Single-Channel"};

std::string NameAt(const std::array<std::string_view, 4>& names, std::uint8_t index) {
  return std::string(index < names.size() ? names[index] : "Unknown");
}

double SecondsToTime(std::uint16_t seconds) {
  const int hours = seconds / 3600;
  const int minutes = (seconds - hours * 3600) / 60;
  const int rest = seconds - hours * 3600 - minutes * 60;
  constexpr double MillisecondsPerDay = 86400000.0;
  return (hours * 3600000.0 + minutes * 60000.0 + rest * 1000.0) / MillisecondsPerDay;
}

std::string ChooseText(bool flag, const std::string& whenSet, const std::string& whenClear) {
  return flag ? whenSet : whenClear;
}

std::string UnitVersionText() { return "MPGTools 1.8"; }
