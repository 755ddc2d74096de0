// CTimeSpan and CTime: a calendar time as seconds since 1970-01-01 00:00:00 UTC (64-bit), shown in
// local time.
//
// Local time follows the Win32 time zone settings, so CTime agrees with the system's own conversions.
//
// A CTime constructed from out-of-range parts (month 0 or 13, day 0 or 32, hour 24, minute or second
// 60, year before 1900, a DOS date or time with such fields) or naming a moment before 1970-01-01
// 00:00:00 UTC holds the invalid time -1: GetTime() returns -1, GetLocalTm/GetGmtTm return NULL,
// GetYear() … GetDayOfWeek() return 0, GetAsSystemTime returns false and Format returns an empty
// string. Parts that are in range but do not exist (February 30) are normalized the way mktime does
// (to March 1 or 2).
#pragma once
#include "AfxDefs.h"
#include "String.h"
#include <time.h>

// winbase.h maps GetCurrentTime() to GetTickCount(); here it names the CTime member.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTimeSpan
{
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(__time64_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }
    __time64_t GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }

    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

    // %D days, %H hours (0-23), %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

private:
    __time64_t m_timeSpan;
};

class CTime
{
public:
    static CTime WINAPI GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(__time64_t time) : m_time(time) {}
    // nDST: 0 standard time, > 0 daylight saving time, < 0 decided by the time zone's rules for that date.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);
    CTime(const FILETIME& fileTime, int nDST = -1);   // UTC instant: exact, nDST has no effect

    CTime& operator=(__time64_t time) { m_time = time; return *this; }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }

    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

    // Fill *ptm (or a per-thread buffer when ptm is NULL) and return it; NULL for an invalid time.
    struct tm* GetGmtTm(struct tm* ptm = NULL) const;
    struct tm* GetLocalTm(struct tm* ptm = NULL) const;
    // Local time, milliseconds 0.
    bool GetAsSystemTime(SYSTEMTIME& timeDest) const;

    __time64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;       // 1-12
    int GetDay() const;         // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday … 7 = Saturday

    // strftime formats, local time and UTC.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

private:
    __time64_t m_time;
};
