#include "Time.h"

#include <string>

namespace {

const __time64_t kInvalidTime = -1;

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
const ULONGLONG kFileTimeAt1970 = 116444736000000000ULL;
const ULONGLONG kFileTimeTicksPerSecond = 10000000ULL;

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
    return CTime(_time64(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(kInvalidTime)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        return;
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    m_time = _mktime64(&atm);
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
    : m_time(kInvalidTime)
{
    ULARGE_INTEGER ticks;
    ticks.LowPart = fileTime.dwLowDateTime;
    ticks.HighPart = fileTime.dwHighDateTime;
    if (ticks.QuadPart >= kFileTimeAt1970)
        m_time = static_cast<__time64_t>((ticks.QuadPart - kFileTimeAt1970) / kFileTimeTicksPerSecond);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    static thread_local struct tm threadTm;
    struct tm converted;
    if (m_time < 0 || _gmtime64_s(&converted, &m_time) != 0)
        return NULL;
    struct tm* target = ptm != NULL ? ptm : &threadTm;
    *target = converted;
    return target;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    static thread_local struct tm threadTm;
    struct tm converted;
    if (m_time < 0 || _localtime64_s(&converted, &m_time) != 0)
        return NULL;
    struct tm* target = ptm != NULL ? ptm : &threadTm;
    *target = converted;
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
