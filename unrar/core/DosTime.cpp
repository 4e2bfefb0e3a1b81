#include "unrar/core/DosTime.h"

namespace rarcore {

uint32_t DosTimeFrom(const CalendarTime& t) {
    if (t.year < 1980) {
        return (1u << 21) | (1u << 16);  // 1980-01-01 00:00:00
    }
    if (t.year > 2107) {
        return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    }
    return uint32_t(t.year - 1980) << 25 | uint32_t(t.month) << 21 | uint32_t(t.day) << 16 |
           uint32_t(t.hour) << 11 | uint32_t(t.minute) << 5 | uint32_t(t.second / 2);
}

CalendarTime CalendarFromDosTime(uint32_t dosTime) {
    CalendarTime t;
    t.year = 1980 + int(dosTime >> 25);
    t.month = int((dosTime >> 21) & 0x0F);
    t.day = int((dosTime >> 16) & 0x1F);
    t.hour = int((dosTime >> 11) & 0x1F);
    t.minute = int((dosTime >> 5) & 0x3F);
    t.second = int(dosTime & 0x1F) * 2;
    return t;
}

CalendarTime UtcCalendarFromFileTime(int64_t fileTime) {
    const int64_t kSecondsFrom1601To1970 = 11644473600;
    int64_t seconds = fileTime / 10000000 - kSecondsFrom1601To1970;
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian, 400-year eras).
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    CalendarTime t;
    t.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = int(mp < 10 ? mp + 3 : mp - 9);
    t.year = int(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = int(rest / 3600);
    t.minute = int(rest / 60 % 60);
    t.second = int(rest % 60);
    return t;
}

}  // namespace rarcore
