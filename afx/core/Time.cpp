#include "Time.h"

#include <string>

// Local time comes from the Win32 time zone (SystemTimeToTzSpecificLocalTime and its inverse), not
// from the C run-time library, whose idea of the zone follows a TZ environment variable and can
// differ from the one the rest of the system uses.

namespace {

const __time64_t kInvalidTime = -1;
const LONGLONG kSecondsPerDay = 24 * 3600;
// Seconds from 1601-01-01 (the FILETIME origin) to 1970-01-01.
const LONGLONG kSecondsFrom1601To1970 = 11644473600LL;
const ULONGLONG kFileTimeTicksPerSecond = 10000000ULL;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar; day may run past the month.
LONGLONG DaysFromCivil(LONGLONG year, int month, int day)
{
    if (month <= 2)
        --year;
    const LONGLONG era = (year >= 0 ? year : year - 399) / 400;
    const LONGLONG yearOfEra = year - era * 400;
    const LONGLONG dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const LONGLONG dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Seconds since 1970 in any frame (UTC or local) to and from FILETIME and SYSTEMTIME.
bool SecondsToSystemTime(LONGLONG seconds, SYSTEMTIME& st)
{
    if (seconds < -kSecondsFrom1601To1970)
        return false;
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(seconds + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
    FILETIME ft = { ticks.LowPart, ticks.HighPart };
    return FileTimeToSystemTime(&ft, &st) != FALSE;
}

LONGLONG FileTimeToSeconds(const FILETIME& ft)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = ft.dwLowDateTime;
    ticks.HighPart = ft.dwHighDateTime;
    return static_cast<LONGLONG>(ticks.QuadPart / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

bool SystemTimeToSeconds(const SYSTEMTIME& st, LONGLONG& seconds)
{
    FILETIME ft;
    if (!SystemTimeToFileTime(&st, &ft))
        return false;
    seconds = FileTimeToSeconds(ft);
    return true;
}

__time64_t ValidTimeOrInvalid(LONGLONG seconds)
{
    return seconds >= 0 ? seconds : kInvalidTime;
}

void FillTm(const SYSTEMTIME& st, bool bDST, struct tm& ttm)
{
    ttm = {};
    ttm.tm_year = st.wYear - 1900;
    ttm.tm_mon = st.wMonth - 1;
    ttm.tm_mday = st.wDay;
    ttm.tm_hour = st.wHour;
    ttm.tm_min = st.wMinute;
    ttm.tm_sec = st.wSecond;
    ttm.tm_wday = st.wDayOfWeek;
    ttm.tm_yday = static_cast<int>(DaysFromCivil(st.wYear, st.wMonth, st.wDay) - DaysFromCivil(st.wYear, 1, 1));
    ttm.tm_isdst = bDST ? 1 : 0;
}

CString FormatTm(LPCTSTR pFormat, const struct tm* ptm)
{
    if (ptm == NULL || pFormat == NULL || *pFormat == '\0')
        return CString();
    // strftime returns 0 both when the buffer is too small and for empty output: retry larger.
    std::string buffer(256, '\0');
    for (int attempt = 0; attempt < 6; ++attempt)
    {
        size_t n = strftime(&buffer[0], buffer.size(), pFormat, ptm);
        if (n > 0)
            return CString(buffer.data(), static_cast<int>(n));
        buffer.resize(buffer.size() * 4);
    }
    return CString();
}

} // namespace

// ---- CTimeSpan ----

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + 24 * static_cast<__time64_t>(lDays))))
{
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    if (pFormat == NULL)
        return result;
    CString number;
    for (const char* p = pFormat; *p != '\0'; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            result += *p;
            continue;
        }
        switch (*++p)
        {
        case 'D':
            number.Format("%I64d", static_cast<LONGLONG>(GetDays()));
            result += number;
            break;
        case 'H':
            number.Format("%02ld", GetHours());
            result += number;
            break;
        case 'M':
            number.Format("%02ld", GetMinutes());
            result += number;
            break;
        case 'S':
            number.Format("%02ld", GetSeconds());
            result += number;
            break;
        case '%':
            result += '%';
            break;
        default:
            result += '%';
            result += *p;
            break;
        }
    }
    return result;
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}

// ---- CTime ----

CTime WINAPI CTime::GetCurrentTime()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return CTime(FileTimeToSeconds(now));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(kInvalidTime)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        return;
    LONGLONG localSeconds = DaysFromCivil(nYear, nMonth, nDay) * kSecondsPerDay + nHour * 3600 + nMin * 60 + nSec;
    if (nDST >= 0)
    {
        TIME_ZONE_INFORMATION tzi;
        GetTimeZoneInformation(&tzi);
        // As mktime: asking for daylight saving time in a zone that has none changes nothing.
        bool bDaylight = nDST > 0 && tzi.DaylightDate.wMonth != 0;
        m_time = ValidTimeOrInvalid(localSeconds + 60LL * (tzi.Bias + (bDaylight ? tzi.DaylightBias : tzi.StandardBias)));
        return;
    }
    SYSTEMTIME local, utc;
    LONGLONG utcSeconds;
    if (SecondsToSystemTime(localSeconds, local) && TzSpecificLocalTimeToSystemTime(NULL, &local, &utc) &&
        SystemTimeToSeconds(utc, utcSeconds))
        m_time = ValidTimeOrInvalid(utcSeconds);
}

// MS-DOS packing: date = year-1980 (bits 9-15), month (5-8), day (0-4);
// time = hour (11-15), minute (5-10), second / 2 (0-4).
CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime(1980 + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F,
            wDosTime >> 11, (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
    : CTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour, sysTime.wMinute, sysTime.wSecond, nDST)
{
}

// A FILETIME names an instant, so it converts exactly, without going through local time;
// nDST does not change the result.
CTime::CTime(const FILETIME& fileTime, int)
    : m_time(ValidTimeOrInvalid(FileTimeToSeconds(fileTime)))
{
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    static thread_local struct tm threadTm;
    SYSTEMTIME utc;
    if (m_time < 0 || !SecondsToSystemTime(m_time, utc))
        return NULL;
    struct tm* target = ptm != NULL ? ptm : &threadTm;
    FillTm(utc, false, *target);
    return target;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    static thread_local struct tm threadTm;
    SYSTEMTIME utc, local;
    LONGLONG localSeconds;
    if (m_time < 0 || !SecondsToSystemTime(m_time, utc) || !SystemTimeToTzSpecificLocalTime(NULL, &utc, &local) ||
        !SystemTimeToSeconds(local, localSeconds))
        return NULL;
    // Daylight saving time is in effect when the offset applied is the daylight one.
    TIME_ZONE_INFORMATION tzi;
    GetTimeZoneInformation(&tzi);
    LONGLONG biasMinutes = (m_time - localSeconds) / 60;
    bool bDST = tzi.DaylightDate.wMonth != 0 && tzi.DaylightBias != tzi.StandardBias &&
                biasMinutes == tzi.Bias + tzi.DaylightBias;
    struct tm* target = ptm != NULL ? ptm : &threadTm;
    FillTm(local, bDST, *target);
    return target;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const
{
    struct tm ttm;
    if (GetLocalTm(&ttm) == NULL)
        return false;
    timeDest.wYear = static_cast<WORD>(1900 + ttm.tm_year);
    timeDest.wMonth = static_cast<WORD>(1 + ttm.tm_mon);
    timeDest.wDayOfWeek = static_cast<WORD>(ttm.tm_wday);
    timeDest.wDay = static_cast<WORD>(ttm.tm_mday);
    timeDest.wHour = static_cast<WORD>(ttm.tm_hour);
    timeDest.wMinute = static_cast<WORD>(ttm.tm_min);
    timeDest.wSecond = static_cast<WORD>(ttm.tm_sec);
    timeDest.wMilliseconds = 0;
    return true;
}

int CTime::GetYear() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_year + 1900 : 0;
}

int CTime::GetMonth() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_mon + 1 : 0;
}

int CTime::GetDay() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_mday : 0;
}

int CTime::GetHour() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_hour : 0;
}

int CTime::GetMinute() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_min : 0;
}

int CTime::GetSecond() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_sec : 0;
}

int CTime::GetDayOfWeek() const
{
    struct tm ttm;
    return GetLocalTm(&ttm) != NULL ? ttm.tm_wday + 1 : 0;
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm ttm;
    return FormatTm(pFormat, GetLocalTm(&ttm));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm ttm;
    return FormatTm(pFormat, GetGmtTm(&ttm));
}

CString CTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return FormatGmt(strFormat);
}
