// Names and value forms behind the analyser's display texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

extern const std::array<std::string_view, 4> VersionNames;  // by Version
extern const std::array<std::string_view, 4> LayerNames;    // by Layer
extern const std::array<std::string_view, 4> ModeNames;     // by Mode

// The name at index, "Unknown" past the table's end.
std::string NameAt(const std::array<std::string_view, 4>& names, std::uint8_t index);

// Whole seconds as a time of day, a fraction of a day (as a date-time value).
double SecondsToTime(std::uint16_t seconds);
std::string ChooseText(bool flag, const std::string& whenSet, const std::string& whenClear);
std::string UnitVersionText();
