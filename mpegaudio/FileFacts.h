// What the file system says about a file, in the forms the analysis record keeps.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <sys/types.h>

// Local time in the packed form of FAT directory entries:
//   high 16 bits: yyyyyyym mmmddddd (years since 1980, month, day)
//   low 16 bits:  hhhhhmmm mmmsssss (hour, minute, seconds / 2)
// -1 when the time cannot be put in that form (before 1980, after 2107).
std::int32_t PackedFileDate(std::time_t time);

// The packed form as a date-time value (days since 1899-12-30, the time as a
// fraction of a day); 0 when it holds no valid date and time.
double PackedFileDateToDateTime(std::int32_t packed);

// The label of the file system on device, where udev lists one under
// /dev/disk/by-label; else empty.
std::string VolumeLabelOf(dev_t device);
