#include "base/COleDateTime.h"

#include <cmath>

namespace {

// The range the framework accepts: years 100 to 9999.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999999;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1899-12-30 to the given civil date (proleptic Gregorian).
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 25569;  // 25569: 1899-12-30 to 1970-01-01
}

void CivilFromDays(long days, int& y, int& m, int& d) {
    long z = days - 25569 + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) noexcept
    : m_dt(0), m_status(valid) {
    SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) noexcept {
    static const int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
              day <= kDaysInMonth[month >= 1 && month <= 12 ? month - 1 : 0] + (month == 2 && IsLeap(year)) &&
              hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
    if (!ok) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    double days = double(DaysFromCivil(year, month, day));
    double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before 1899-12-30 the OLE date counts whole days backwards and the time
    // of day forwards, so the fraction is subtracted there.
    m_dt = days < 0 ? days - fraction : days + fraction;
    m_status = valid;
    return 0;
}

COleDateTime COleDateTime::GetCurrentTime() noexcept {
    std::time_t now = std::time(nullptr);
    // Every new word entry asks for the time; the local-time conversion is the
    // expensive part, so it is done once per second and thread.
    thread_local std::time_t cachedSecond = -1;
    thread_local COleDateTime cached;
    if (now == cachedSecond) return cached;
    cached = Convert(now);
    cachedSecond = now;
    return cached;
}

COleDateTime COleDateTime::Convert(std::time_t now) noexcept {
    std::tm local{};
#if defined(_WIN32)
    if (localtime_s(&local, &now) != 0) return COleDateTime(0, invalid);
#else
    if (!localtime_r(&now, &local)) return COleDateTime(0, invalid);
#endif
    return COleDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec);
}

bool COleDateTime::GetFields(Fields& f) const noexcept {
    if (m_status != valid || !(m_dt >= kMinDate && m_dt <= kMaxDate)) return false;
    // Round to the nearest second, as the framework does, working on the
    // absolute time of day so that dates before 1899-12-30 come out right.
    double whole = std::trunc(m_dt);
    double fraction = std::fabs(m_dt - whole);
    long seconds = long(std::floor(fraction * 86400.0 + 0.5));
    long days = long(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += m_dt >= 0 ? 1 : -1;
    }
    CivilFromDays(days, f.year, f.month, f.day);
    f.hour = int(seconds / 3600);
    f.minute = int(seconds / 60 % 60);
    f.second = int(seconds % 60);
    return true;
}

#define QOR_DATE_FIELD(Name, member)            \
    int COleDateTime::Name() const noexcept {   \
        Fields f;                               \
        return GetFields(f) ? f.member : -1;    \
    }
QOR_DATE_FIELD(GetYear, year)
QOR_DATE_FIELD(GetMonth, month)
QOR_DATE_FIELD(GetDay, day)
QOR_DATE_FIELD(GetHour, hour)
QOR_DATE_FIELD(GetMinute, minute)
QOR_DATE_FIELD(GetSecond, second)
#undef QOR_DATE_FIELD
