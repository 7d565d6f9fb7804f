#include "FileFacts.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <sys/stat.h>

namespace {

// udev writes unsafe characters of a label as \xNN.
std::string DecodeUdevName(const std::string& name) {
  std::string text;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
      try {
        text += static_cast<char>(std::stoi(name.substr(i + 2, 2), nullptr, 16));
        i += 3;
        continue;
      } catch (const std::exception&) {
      }
    }
    text += name[i];
  }
  return text;
}

}  // namespace

std::int32_t PackedFileDate(std::time_t time) {
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return -1;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return -1;
  const std::uint32_t date = static_cast<std::uint32_t>(year - 1980) << 9 |
                             static_cast<std::uint32_t>(local.tm_mon + 1) << 5 |
                             static_cast<std::uint32_t>(local.tm_mday);
  // A leap second (tm_sec 60) still fits the two-second field.
  const std::uint32_t clock = static_cast<std::uint32_t>(local.tm_hour) << 11 |
                              static_cast<std::uint32_t>(local.tm_min) << 5 |
                              static_cast<std::uint32_t>(std::min(local.tm_sec, 59) / 2);
  return static_cast<std::int32_t>(date << 16 | clock);
}

double PackedFileDateToDateTime(std::int32_t packed) {
  if (packed == 0) return 0;
  const auto bits = static_cast<std::uint32_t>(packed);
  const unsigned day = (bits >> 16) & 0x1F;
  const unsigned month = (bits >> 21) & 0x0F;
  const int year = static_cast<int>((bits >> 25) & 0x7F) + 1980;
  const unsigned hour = (bits >> 11) & 0x1F;
  const unsigned minute = (bits >> 5) & 0x3F;
  const unsigned second = (bits & 0x1F) * 2;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                         std::chrono::day{day}};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return 0;
  constexpr std::chrono::sys_days Epoch{std::chrono::year{1899} / 12 / 30};
  const double days = (std::chrono::sys_days{date} - Epoch).count();
  return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

std::string VolumeLabelOf(dev_t device) {
  std::error_code error;
  std::filesystem::directory_iterator entry("/dev/disk/by-label", error);
  for (; !error && entry != std::filesystem::directory_iterator{}; entry.increment(error)) {
    struct stat status {};
    if (::stat(entry->path().c_str(), &status) == 0 && S_ISBLK(status.st_mode) &&
        status.st_rdev == device)
      return DecodeUdevName(entry->path().filename().string());
  }
  return {};
}
