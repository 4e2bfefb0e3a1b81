#include "tools/rarwrite/DosTime.h"

namespace rarwrite {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

struct Civil {
    int64_t year;
    unsigned month;
    unsigned day;
};

Civil CivilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

}  // namespace

int64_t DosTimeToUnix(uint32_t dosTime) {
    const int64_t year = 1980 + (dosTime >> 25);
    const unsigned month = (dosTime >> 21) & 0x0F;
    const unsigned day = (dosTime >> 16) & 0x1F;
    const int64_t hour = (dosTime >> 11) & 0x1F;
    const int64_t minute = (dosTime >> 5) & 0x3F;
    const int64_t second = (dosTime & 0x1F) * 2;
    const int64_t days = DaysFromCivil(year, month == 0 ? 1 : month, day == 0 ? 1 : day);
    return days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

uint32_t UnixToDosTime(int64_t unixSeconds) {
    const int64_t first = DaysFromCivil(1980, 1, 1) * kSecondsPerDay;
    const int64_t last = DaysFromCivil(2107, 12, 31) * kSecondsPerDay + kSecondsPerDay - 2;
    if (unixSeconds < first) {
        unixSeconds = first;
    }
    if (unixSeconds > last) {
        unixSeconds = last;
    }
    const int64_t days = unixSeconds / kSecondsPerDay;
    const int64_t secondOfDay = unixSeconds % kSecondsPerDay;
    const Civil date = CivilFromDays(days);
    return static_cast<uint32_t>(date.year - 1980) << 25 | date.month << 21 | date.day << 16 |
           static_cast<uint32_t>(secondOfDay / 3600) << 11 |
           static_cast<uint32_t>(secondOfDay / 60 % 60) << 5 |
           static_cast<uint32_t>(secondOfDay % 60 / 2);
}

}  // namespace rarwrite
