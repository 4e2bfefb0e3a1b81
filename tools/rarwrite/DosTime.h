// Conversions between DOS date-time words and Unix seconds. RAR 5 stores Unix UTC seconds
// while entries carry DOS time; the writer reads the DOS fields as UTC so that a reader in a UTC
// zone shows the same clock time for both formats.
#pragma once

#include <cstdint>

namespace rarwrite {

int64_t DosTimeToUnix(uint32_t dosTime);

// Clamped to the DOS range (1980-01-01 to 2107-12-31); odd seconds round down.
uint32_t UnixToDosTime(int64_t unixSeconds);

}  // namespace rarwrite
