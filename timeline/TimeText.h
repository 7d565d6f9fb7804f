#pragma once

#include <QString>
#include <cstdint>

// "%.2d:%.2d:%.2d" of n div 3600, (n mod 3600) div 60 and n mod 60, with C's
// truncating division: -1 gives "00:00:-01", 100 hours "100:00:00".
QString TimeText(std::int32_t seconds);
