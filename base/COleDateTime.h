#pragma once

#include <ctime>

#include "base/QorApi.h"

// windows.h maps GetCurrentTime to GetTickCount; the framework undoes that too.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

// An OLE Automation date: days since 1899-12-30 00:00 with the time of day as
// the fraction, and a status. Only what the dictionary needs: the current
// local time, calendar fields, and the raw value and status for storage.
class QOR_API COleDateTime {
public:
    // A file may hold any 32-bit status; the fixed type keeps every value as
    // read, so that saving gives back the same bytes.
    enum DateTimeStatus : int { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() noexcept : m_dt(0), m_status(valid) {}
    COleDateTime(double value, DateTimeStatus status = valid) noexcept : m_dt(value), m_status(status) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second) noexcept;

    // The current local time to the second.
    static COleDateTime GetCurrentTime() noexcept;

    DateTimeStatus GetStatus() const noexcept { return m_status; }
    void SetStatus(DateTimeStatus status) noexcept { m_status = status; }
    double GetValue() const noexcept { return m_dt; }

    // Calendar fields; -1 when the status is not valid or the value is out of range.
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;

    int SetDateTime(int year, int month, int day, int hour, int minute, int second) noexcept;

    bool operator==(const COleDateTime& other) const noexcept {
        return m_status == other.m_status && m_dt == other.m_dt;
    }
    bool operator!=(const COleDateTime& other) const noexcept { return !(*this == other); }

    double m_dt;
    DateTimeStatus m_status;

private:
    struct Fields {
        int year, month, day, hour, minute, second;
    };
    bool GetFields(Fields& fields) const noexcept;
    static COleDateTime Convert(std::time_t time) noexcept;
};
