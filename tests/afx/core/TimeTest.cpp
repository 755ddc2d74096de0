#include <gtest/gtest.h>

#include "afx.h"
#include "afx_tests_resource.h"

namespace {

WORD DosDate(int year, int month, int day)
{
    return static_cast<WORD>(((year - 1980) << 9) | (month << 5) | day);
}

WORD DosTime(int hour, int minute, int second)
{
    return static_cast<WORD>((hour << 11) | (minute << 5) | (second / 2));
}

FILETIME FileTimeOfUnixSeconds(ULONGLONG seconds)
{
    ULARGE_INTEGER ticks;
    ticks.QuadPart = 116444736000000000ULL + seconds * 10000000ULL;
    FILETIME ft = { ticks.LowPart, ticks.HighPart };
    return ft;
}

// 2001-09-09 01:46:40 UTC, a Sunday.
const __time64_t kBillion = 1000000000;

TEST(CTimeTest, DosDateAndTimeRoundTripThroughSystemTime)
{
    struct Case { int year, month, day, hour, minute, second; };
    const Case cases[] = {
        { 1980, 1, 1, 0, 0, 0 }, { 2004, 2, 29, 13, 45, 58 }, { 2019, 3, 31, 2, 30, 0 },
        { 2019, 10, 27, 2, 30, 0 }, { 2023, 7, 15, 23, 59, 58 }, { 2107, 12, 31, 23, 59, 58 },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.year * 10000 + c.month * 100 + c.day);
        CTime time(DosDate(c.year, c.month, c.day), DosTime(c.hour, c.minute, c.second));
        ASSERT_NE(-1, time.GetTime());
        SYSTEMTIME st;
        ASSERT_TRUE(time.GetAsSystemTime(st));
        EXPECT_EQ(c.year, st.wYear);
        EXPECT_EQ(c.month, st.wMonth);
        EXPECT_EQ(c.day, st.wDay);
        EXPECT_EQ(0, st.wMilliseconds);
        // Hours that do not exist locally (a spring-forward gap) may move; the date never does.
        if (c.hour != 2)
        {
            EXPECT_EQ(c.hour, st.wHour);
            EXPECT_EQ(c.minute, st.wMinute);
            EXPECT_EQ(c.second, st.wSecond);
        }
        EXPECT_EQ(time, CTime(c.year, c.month, c.day, c.hour, c.minute, c.second));
        EXPECT_EQ(time, CTime(st));
        EXPECT_EQ(c.year, time.GetYear());
        EXPECT_EQ(c.month, time.GetMonth());
        EXPECT_EQ(c.day, time.GetDay());
    }

    CTime leapDay(DosDate(2004, 2, 29), DosTime(13, 45, 58));
    EXPECT_EQ(1, leapDay.GetDayOfWeek());
    EXPECT_EQ(13, leapDay.GetHour());
    EXPECT_EQ(45, leapDay.GetMinute());
    EXPECT_EQ(58, leapDay.GetSecond());
    SYSTEMTIME st;
    leapDay.GetAsSystemTime(st);
    EXPECT_EQ(0, st.wDayOfWeek);
}

TEST(CTimeTest, OutOfRangePartsGiveTheInvalidTime)
{
    const WORD goodDate = DosDate(2020, 6, 15);
    const WORD goodTime = DosTime(12, 0, 0);
    const struct { WORD date, time; } invalid[] = {
        { 0, 0 },                                          // all zero, as in many archives
        { DosDate(2020, 0, 15), goodTime },                // month 0
        { DosDate(2020, 13, 15), goodTime },               // month 13
        { DosDate(2020, 6, 0), goodTime },                 // day 0
        { goodDate, static_cast<WORD>(24 << 11) },         // hour 24
        { goodDate, static_cast<WORD>((12 << 11) | (60 << 5)) },   // minute 60
        { goodDate, static_cast<WORD>((12 << 11) | 30) },  // 60 seconds
    };
    for (const auto& c : invalid)
    {
        SCOPED_TRACE(c.date * 65536 + c.time);
        CTime time(c.date, c.time);
        EXPECT_EQ(-1, time.GetTime());
        EXPECT_EQ(nullptr, time.GetLocalTm());
        EXPECT_EQ(nullptr, time.GetGmtTm());
        EXPECT_EQ(0, time.GetYear());
        EXPECT_EQ(0, time.GetDayOfWeek());
        SYSTEMTIME st;
        EXPECT_FALSE(time.GetAsSystemTime(st));
        EXPECT_TRUE(time.Format("%Y-%m-%d").IsEmpty());
    }
    EXPECT_NE(-1, CTime(goodDate, goodTime).GetTime());

    SYSTEMTIME old = {};
    old.wYear = 1601;
    old.wMonth = 1;
    old.wDay = 1;
    EXPECT_EQ(-1, CTime(old).GetTime());
    EXPECT_EQ(-1, CTime(2020, 2, 1, 0, 0, -1).GetTime());

    // In range but not a real date: normalized forward, as mktime does.
    CTime march(2021, 2, 30, 12, 0, 0);
    EXPECT_EQ(3, march.GetMonth());
    EXPECT_EQ(2, march.GetDay());
}

TEST(CTimeTest, FileTimeIsAnExactInstant)
{
    CTime time(FileTimeOfUnixSeconds(kBillion));
    EXPECT_EQ(kBillion, time.GetTime());
    EXPECT_STREQ("2001-09-09 01:46:40", time.FormatGmt("%Y-%m-%d %H:%M:%S"));
    struct tm gmt;
    ASSERT_EQ(&gmt, time.GetGmtTm(&gmt));
    EXPECT_EQ(0, gmt.tm_wday);

    // The local reading of the instant agrees with the system's own conversion.
    FILETIME ft = FileTimeOfUnixSeconds(kBillion);
    SYSTEMTIME utc, local, fromCTime;
    FileTimeToSystemTime(&ft, &utc);
    SystemTimeToTzSpecificLocalTime(NULL, &utc, &local);
    ASSERT_TRUE(time.GetAsSystemTime(fromCTime));
    EXPECT_EQ(local.wDay, fromCTime.wDay);
    EXPECT_EQ(local.wHour, fromCTime.wHour);
    EXPECT_EQ(local.wMinute, fromCTime.wMinute);

    FILETIME before1970 = { 0, 0 };
    EXPECT_EQ(-1, CTime(before1970).GetTime());

    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    CTimeSpan drift = CTime(now) - CTime::GetCurrentTime();
    EXPECT_LE(drift.GetTotalSeconds(), 2);
    EXPECT_GE(drift.GetTotalSeconds(), -2);
}

TEST(CTimeTest, SpansArithmeticAndComparison)
{
    CTimeSpan span(3, 4, 5, 6);
    EXPECT_EQ(3, span.GetDays());
    EXPECT_EQ(4, span.GetHours());
    EXPECT_EQ(5, span.GetMinutes());
    EXPECT_EQ(6, span.GetSeconds());
    EXPECT_EQ(76, span.GetTotalHours());
    EXPECT_EQ(4565, span.GetTotalMinutes());
    EXPECT_EQ(273906, span.GetTotalSeconds());
    EXPECT_STREQ("3 天 04:05:06 100%", span.Format("%D 天 %H:%M:%S 100%%"));

    CTimeSpan negative(-90);
    EXPECT_EQ(-1, negative.GetMinutes());
    EXPECT_EQ(-30, negative.GetSeconds());
    EXPECT_EQ(CTimeSpan(0, 0, 1, 30), -negative.GetTimeSpan());

    CTime start(kBillion);
    CTime later = start + span;
    EXPECT_STREQ("2001-09-12 05:51:46", later.FormatGmt("%Y-%m-%d %H:%M:%S"));
    EXPECT_EQ(span, later - start);
    EXPECT_EQ(start, later - span);
    CTime moving = start;
    moving += CTimeSpan(1, 0, 0, 0);
    moving -= CTimeSpan(0, 0, 0, 1);
    EXPECT_EQ(kBillion + 86399, moving.GetTime());

    EXPECT_TRUE(start < later);
    EXPECT_TRUE(later > start);
    EXPECT_TRUE(start <= start);
    EXPECT_TRUE(later >= start);
    EXPECT_TRUE(start != later);
    EXPECT_TRUE(CTimeSpan(60) == CTimeSpan(0, 0, 1, 0));
    EXPECT_TRUE(CTimeSpan(59) < CTimeSpan(60));
    EXPECT_EQ(CTimeSpan(150), CTimeSpan(100) + CTimeSpan(50));
    CTimeSpan total;
    total += CTimeSpan(10);
    total -= CTimeSpan(3);
    EXPECT_EQ(7, total.GetTotalSeconds());
}

TEST(CTimeTest, FormatsLocalAndUniversalTime)
{
    CTime time(2008, 8, 8, 20, 8, 0);
    EXPECT_STREQ("2008-08-08 20:08:00", time.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("2008年08月08日", time.Format(IDS_TEST_TIME_FORMAT));
    EXPECT_STREQ("2008年08月08日", time.Format("%Y年%m月%d日"));
    EXPECT_EQ(CTime(kBillion).FormatGmt("%H"), "01");
    EXPECT_TRUE(time.Format("").IsEmpty());

    struct tm local;
    ASSERT_EQ(&local, time.GetLocalTm(&local));
    EXPECT_EQ(108, local.tm_year);
    EXPECT_EQ(7, local.tm_mon);
    struct tm* shared = time.GetLocalTm();
    ASSERT_NE(nullptr, shared);
    EXPECT_EQ(20, shared->tm_hour);
}

} // namespace
