// Texts of the analysis record have fixed capacities in bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The leading bytes of text, at most capacity of them. File names here are
// UTF-8, so a cut never splits a multi-byte sequence; bytes that are not UTF-8
// (tag texts in a legacy code page) are cut at the capacity as they stand.
std::string CutText(std::string_view text, std::size_t capacity);

// The part after the last '/', as a file manager shows the name.
std::string NameAndExtension(std::string_view path);
