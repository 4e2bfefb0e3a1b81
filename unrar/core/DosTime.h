// DOS date and time (the interface's time format) to and from calendar fields.
#pragma once

#include <cstdint>

namespace rarcore {

struct CalendarTime {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Years outside 1980..2107 are clamped to the range's ends.
uint32_t DosTimeFrom(const CalendarTime& t);
CalendarTime CalendarFromDosTime(uint32_t dosTime);
// The UTC calendar time of a FILETIME value (100 ns units since 1601).
CalendarTime UtcCalendarFromFileTime(int64_t fileTime);

}  // namespace rarcore
