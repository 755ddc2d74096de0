// CString on mixed ASCII and GBK text. The narrow literals below are GBK at run time; the characters
// 運 (DF 5C), 預 (EE 41), 碼 (B4 61) and 皘 (B0 7C) have trail bytes equal to '\\', 'A', 'a' and '|',
// which no character-walking operation may treat as characters of their own.
#include <gtest/gtest.h>

#include "afx.h"
#include "afx_tests_resource.h"

namespace {

std::string Bytes(const CString& s)
{
    return std::string(static_cast<LPCTSTR>(s), s.GetLength());
}

TEST(CStringTest, TrailBytePremise)
{
    EXPECT_STREQ("\xDF\x5C", "運");
    EXPECT_STREQ("\xEE\x41", "預");
    EXPECT_STREQ("\xB4\x61", "碼");
    EXPECT_STREQ("\xB0\x7C", "皘");
    EXPECT_EQ(936u, GetACP());
}

TEST(CStringTest, ConstructionAndAssignment)
{
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_STREQ("", CString('x', 0));
    EXPECT_EQ(4, CString("中文").GetLength());
    EXPECT_STREQ("ab", CString("abcdef", 2));
    EXPECT_EQ(std::string("a\0b", 3), Bytes(CString("a\0b", 3)));
    const unsigned char bytes[] = { 0xD6, 0xD0, 'z', 0 };
    EXPECT_STREQ("中z", CString(bytes));
    EXPECT_STREQ("", CString(static_cast<LPCSTR>(NULL)));

    // Wide text converts through the ANSI code page.
    EXPECT_STREQ("中文路徑", CString(L"\u4E2D\u6587\u8DEF\u5F91"));
    CString s;
    s = L"\u5B89\u88C5";
    EXPECT_STREQ("安装", s);
    s = static_cast<LPCSTR>(NULL);
    EXPECT_TRUE(s.IsEmpty());

    CString fromId(MAKEINTRESOURCE(IDS_TEST_PLAIN));
    EXPECT_STREQ("Plain ASCII text", fromId);
}

TEST(CStringTest, CopiesShareUntilWrittenAndStayIndependent)
{
    CString original("運行 path\\file");
    CString copy(original);
    EXPECT_EQ(static_cast<LPCTSTR>(original), static_cast<LPCTSTR>(copy));

    copy.SetAt(0, 'X');
    EXPECT_STREQ("運行 path\\file", original);
    EXPECT_EQ('X', copy.GetAt(0));

    CString assigned;
    assigned = original;
    assigned += "!";
    EXPECT_STREQ("運行 path\\file", original);
    EXPECT_STREQ("運行 path\\file!", assigned);

    CString upper = original;
    upper.MakeUpper();
    EXPECT_STREQ("運行 path\\file", original);

    CString buffered = original;
    strcpy(buffered.GetBuffer(32), "overwritten");
    buffered.ReleaseBuffer();
    EXPECT_STREQ("運行 path\\file", original);
    EXPECT_STREQ("overwritten", buffered);

    CString moved(std::move(assigned));
    EXPECT_STREQ("運行 path\\file!", moved);
    EXPECT_TRUE(assigned.IsEmpty());

    // Self-append reads the old buffer while it grows.
    CString twice("中ab");
    twice += twice;
    EXPECT_STREQ("中ab中ab", twice);
    twice += static_cast<LPCTSTR>(twice) + 2;
    EXPECT_STREQ("中ab中abab中ab", twice);
}

TEST(CStringTest, ConcatenationAndComparison)
{
    CString a("中"), b("文");
    EXPECT_STREQ("中文", a + b);
    EXPECT_STREQ("中x", a + 'x');
    EXPECT_STREQ("x中", 'x' + a);
    EXPECT_STREQ("中文字", a + "文字");
    EXPECT_STREQ("文字中", "文字" + a);
    CString c;
    for (int i = 0; i < 1000; ++i)
        c += "ab";
    EXPECT_EQ(2000, c.GetLength());

    CString abc("abc");
    EXPECT_TRUE(abc == "abc" && "abc" == abc && abc == CString("abc"));
    EXPECT_TRUE(abc != "abd" && "abd" != abc);
    EXPECT_TRUE(abc < "abd" && "abb" < abc && abc > "abb" && "abd" > abc);
    EXPECT_TRUE(abc <= "abc" && "abc" <= abc && abc >= "abc" && "abd" >= abc);
    EXPECT_FALSE(abc < "abc" || abc > "abc" || abc <= "abb" || abc >= "abd");
    EXPECT_FALSE(CString("ab") == CString("ab\0", 3));

    // Byte order: GBK text sorts after ASCII.
    EXPECT_GT(CString("中").Compare("z"), 0);
    EXPECT_EQ(0, CString("Setup 中文").CompareNoCase("SETUP 中文"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    // 預 is EE 41 and 頰 is EE 61: the trail bytes differ only in ASCII case, the characters differ.
    EXPECT_STREQ("\xEE\x61", "頰");
    EXPECT_NE(0, CString("預").CompareNoCase("頰"));

    EXPECT_LT(CString("apple").Collate("banana"), 0);
    EXPECT_EQ(0, CString("Apple").CollateNoCase("aPPLE"));
    EXPECT_NE(0, CString("Apple").Collate("aPPLE"));
}

TEST(CStringTest, SearchingNeverMatchesTrailBytes)
{
    CString path("運\\目錄\\運");
    EXPECT_EQ(2, path.Find('\\'));
    EXPECT_EQ(7, path.Find('\\', 3));
    EXPECT_EQ(-1, path.Find('\\', 8));
    EXPECT_EQ(7, path.ReverseFind('\\'));
    EXPECT_EQ(-1, CString("運運").ReverseFind('\\'));
    EXPECT_EQ(3, path.Find("目錄"));
    EXPECT_EQ(3, path.Find("目錄", 3));
    EXPECT_EQ(-1, path.Find("目錄", 4));
    // A start inside a character begins at the next character.
    EXPECT_EQ(2, path.Find('\\', 1));
    EXPECT_EQ(-1, CString("預").Find('A'));
    EXPECT_EQ(-1, CString("預").Find("A"));
    EXPECT_EQ(2, CString("預A").Find("A"));
    EXPECT_EQ(-1, CString("abc").Find('x'));
    EXPECT_EQ(-1, CString("abc").Find('a', 10));

    CString fields("皘預|A");
    EXPECT_EQ(4, fields.FindOneOf("|A"));
    EXPECT_EQ(2, fields.FindOneOf("預"));
    EXPECT_EQ(-1, CString("皘預").FindOneOf("|A"));
}

TEST(CStringTest, ExtractionKeepsCharactersWhole)
{
    CString s("ab中文cd");   // a b D6 D0 CE C4 c d
    EXPECT_STREQ("ab", s.Left(2));
    EXPECT_STREQ("ab", s.Left(3));
    EXPECT_STREQ("ab中", s.Left(4));
    EXPECT_STREQ("ab中文cd", s.Left(100));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("cd", s.Right(2));
    EXPECT_STREQ("cd", s.Right(3));
    EXPECT_STREQ("文cd", s.Right(4));
    EXPECT_STREQ("ab中文cd", s.Right(100));
    EXPECT_STREQ("中文", s.Mid(2, 4));
    EXPECT_STREQ("中", s.Mid(3, 2));
    EXPECT_STREQ("中文cd", s.Mid(3));
    EXPECT_STREQ("", s.Mid(8));
    EXPECT_STREQ("", s.Mid(20, 2));

    EXPECT_STREQ("ab中", s.SpanIncluding("ba中"));
    EXPECT_STREQ("", s.SpanIncluding("中"));
    EXPECT_STREQ("ab中文", s.SpanExcluding("dc"));
    EXPECT_STREQ("ab中文cd", s.SpanExcluding("xyz"));
    // 預's trail byte is 'A'; it must not stop the span.
    EXPECT_STREQ("預預", CString("預預A").SpanExcluding("A"));
}

TEST(CStringTest, CaseAndReversalTouchOnlySingleByteCharacters)
{
    CString s("碼abc預XYZ 中");
    s.MakeUpper();
    EXPECT_STREQ("碼ABC預XYZ 中", s);
    s.MakeLower();
    EXPECT_STREQ("碼abc預xyz 中", s);

    CString r("ab中文c");
    r.MakeReverse();
    EXPECT_STREQ("c文中ba", r);
    CString single("x");
    single.MakeReverse();
    EXPECT_STREQ("x", single);
}

TEST(CStringTest, TrimmingKeepsTrailBytes)
{
    CString s(" \t 中文 \r\n");
    s.TrimLeft();
    EXPECT_STREQ("中文 \r\n", s);
    s.TrimRight();
    EXPECT_STREQ("中文", s);

    CString dir("目錄\\運\\\\");
    dir.TrimRight('\\');
    EXPECT_STREQ("目錄\\運", dir);
    CString noSeparator("運");
    noSeparator.TrimRight('\\');
    EXPECT_STREQ("運", noSeparator);

    CString leading("AA預AA");
    leading.TrimLeft('A');
    EXPECT_STREQ("預AA", leading);
    leading.TrimRight("A");
    EXPECT_STREQ("預", leading);

    // A set may hold double-byte characters: the full-width space.
    CString wide("　 標題　");
    wide.TrimLeft("　 ");
    wide.TrimRight("　");
    EXPECT_STREQ("標題", wide);

    CString all("   ");
    all.TrimRight();
    EXPECT_TRUE(all.IsEmpty());
}

TEST(CStringTest, EditingRespectsCharacters)
{
    CString path("運\\a\\運");
    EXPECT_EQ(2, path.Replace('\\', '/'));
    EXPECT_STREQ("運/a/運", path);
    EXPECT_EQ(0, CString("預預").Replace('A', 'B'));

    CString words("預A預AA");
    EXPECT_EQ(3, words.Replace("A", "字"));
    EXPECT_STREQ("預字預字字", words);
    CString shrink("中文中文");
    EXPECT_EQ(2, shrink.Replace("中文", "x"));
    EXPECT_STREQ("xx", shrink);
    EXPECT_EQ(0, shrink.Replace("", "y"));

    CString removing("碼a碼a");
    EXPECT_EQ(2, removing.Remove('a'));
    EXPECT_STREQ("碼碼", removing);

    CString inserting("中文");
    EXPECT_EQ(5, inserting.Insert(2, 'x'));
    EXPECT_STREQ("中x文", inserting);
    EXPECT_EQ(7, inserting.Insert(4, "ab"));   // inside 文: before it
    EXPECT_STREQ("中xab文", inserting);
    EXPECT_EQ(9, inserting.Insert(100, "!!"));
    EXPECT_STREQ("中xab文!!", inserting);

    CString deleting("ab中文cd");
    EXPECT_EQ(6, deleting.Delete(0, 2));
    EXPECT_STREQ("中文cd", deleting);
    EXPECT_EQ(4, deleting.Delete(1, 1));       // part of 中 removes all of it
    EXPECT_STREQ("文cd", deleting);
    EXPECT_EQ(4, deleting.Delete(5));
    EXPECT_EQ(2, deleting.Delete(2, 100));
    EXPECT_STREQ("文", deleting);
    EXPECT_EQ(0, deleting.Delete(0, 2));

    CString shared("abc");
    CString copy = shared;
    copy.Replace('a', 'z');
    copy.Remove('b');
    copy.Insert(0, '>');
    copy.Delete(1);
    EXPECT_STREQ("abc", shared);
    EXPECT_STREQ(">c", copy);
}

TEST(CStringTest, FormatHandlesArgumentKinds)
{
    CString s;
    s.Format("%d|%5d|%-5d|%05d|%+d", -42, 7, 7, 7, 3);
    EXPECT_STREQ("-42|    7|7    |00007|+3", s);
    s.Format("%u %x %X %o %#x", 4000000000u, 255, 255, 8, 16);
    EXPECT_STREQ("4000000000 ff FF 10 0x10", s);
    s.Format("%I64d %lld %I64u", -1234567890123LL, 9876543210LL, 18446744073709551615ULL);
    EXPECT_STREQ("-1234567890123 9876543210 18446744073709551615", s);
    s.Format("%hd %hu %ld", 70000, 70000, -5L);
    EXPECT_STREQ("4464 4464 -5", s);
    s.Format("%.2f %e %g %5.1f", 3.14159, 1.5, 0.25, 2.0);
    EXPECT_EQ(0, strncmp("3.14 1.5", s, 8));
    EXPECT_NE(-1, s.Find(" 0.25   2.0"));
    s.Format("%c%c %s|%10s|%-6s|%s", 'o', 'k', "中文", "右", "左", static_cast<LPCSTR>(NULL));
    EXPECT_STREQ("ok 中文|        右|左    |(null)", s);
    s.Format("%S %ls %C", L"\u4E2D\u6587", L"abc", static_cast<int>(L'\u5B57'));
    EXPECT_STREQ("中文 abc 字", s);
    s.Format("%*d|%-*d|%.*s", 4, 1, 3, 2, 3, "abcdef");
    EXPECT_STREQ("   1|2  |abc", s);
    // Precision in bytes never ends inside a character.
    s.Format("[%.3s][%.4s][%.1s]", "中文", "中文", "中");
    EXPECT_STREQ("[中][中文][]", s);
    s.Format("100%% 完成 %d%%", 5);
    EXPECT_STREQ("100% 完成 5%", s);
    CString arg("參數");
    s.Format("%s=%s", static_cast<LPCTSTR>(arg), "值");
    EXPECT_STREQ("參數=值", s);
    s.Format("%p", reinterpret_cast<void*>(0x1234ABCD));
    EXPECT_STREQ("1234ABCD", s);

    // Output longer than any fixed buffer.
    CString longText('x', 5000);
    s.Format("<%s>%0300d", static_cast<LPCTSTR>(longText), 1);
    EXPECT_EQ(5302, s.GetLength());
    EXPECT_EQ('1', s[5301]);
    EXPECT_EQ('0', s[5300]);

    s.Format(IDS_TEST_FORMAT, "目錄", 12);
    EXPECT_STREQ("目錄：12 个文件", s);
}

// A directive that cannot be converted stands as written and takes no argument from the list.
TEST(CStringTest, FormatKeepsDirectivesItCannotConvert)
{
    CString s;
    s.Format("%n|%-4y|%d|運%", 7);
    EXPECT_STREQ("%n|%-4y|7|運%", s);
    s.Format("%d%+08.3", 5);
    EXPECT_STREQ("5%+08.3", s);
    // h makes %S and %C narrow; a negative '*' precision is no precision.
    s.Format("%hS|%hC|%.*s|%-*c|", "窄", 'n', -2, "全部", -3, 'L');
    EXPECT_STREQ("窄|n|全部|L  |", s);
}

TEST(CStringTest, FormatMessageInserts)
{
    CString s;
    s.FormatMessage("%1 到 %2!d! (%3!04x!)", "中文", 42, 255);
    EXPECT_STREQ("中文 到 42 (00ff)", s);
    s.FormatMessage(IDS_TEST_MESSAGE, "壓縮檔", 3);
    EXPECT_STREQ("壓縮檔 中有 3 个条目", s);
}

TEST(CStringTest, LoadStringReadsTheStringTable)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_TEST_PLAIN));
    EXPECT_STREQ("Plain ASCII text", s);
    EXPECT_TRUE(s.LoadString(IDS_TEST_CHINESE));
    EXPECT_STREQ("安装完成，共复制文件", s);

    CString expected;
    for (int i = 1; i <= 30; ++i)
    {
        CString line;
        line.Format("第%d行：长字符串资源测试。", i);
        expected += line;
    }
    EXPECT_TRUE(s.LoadString(IDS_TEST_LONG));
    EXPECT_EQ(771, s.GetLength());
    EXPECT_EQ(expected, s);

    s = "stale";
    EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, FormatStringHelpers)
{
    CString s;
    AfxFormatString1(s, IDS_TEST_ONE_INSERT, "C:\\運\\a.zip");
    EXPECT_STREQ("无法打开文件 C:\\運\\a.zip。", s);
    AfxFormatString2(s, IDS_TEST_TWO_INSERTS, "甲", "乙");
    EXPECT_STREQ("从 甲 复制到 乙，完成 100%", s);
    AfxFormatString2(s, IDS_TEST_TWO_INSERTS, "%2", NULL);
    EXPECT_STREQ("从 %2 复制到 ，完成 100%", s);

    LPCTSTR full = "皘|預A||last";
    EXPECT_TRUE(AfxExtractSubString(s, full, 0, '|'));
    EXPECT_STREQ("皘", s);
    EXPECT_TRUE(AfxExtractSubString(s, full, 1, '|'));
    EXPECT_STREQ("預A", s);
    EXPECT_TRUE(AfxExtractSubString(s, full, 2, '|'));
    EXPECT_STREQ("", s);
    EXPECT_TRUE(AfxExtractSubString(s, full, 3, '|'));
    EXPECT_STREQ("last", s);
    EXPECT_FALSE(AfxExtractSubString(s, full, 4, '|'));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_TRUE(AfxExtractSubString(s, "one\ntwo", 1));
    EXPECT_STREQ("two", s);
}

TEST(CStringTest, BufferAccess)
{
    CString s("start");
    LPTSTR p = s.GetBuffer(100);
    EXPECT_STREQ("start", p);
    strcpy(p, "第一行");
    s.ReleaseBuffer();
    EXPECT_EQ(6, s.GetLength());
    EXPECT_STREQ("第一行", s);

    p = s.GetBuffer(10);
    memcpy(p, "abcdefgh", 8);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("abc", s);
    EXPECT_EQ(3, s.GetLength());

    CString empty;
    p = empty.GetBuffer(0);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ('\0', p[0]);
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString sized;
    p = sized.GetBufferSetLength(4);
    memcpy(p, "中文", 4);
    EXPECT_EQ(4, sized.GetLength());
    EXPECT_STREQ("中文", sized);
    sized.ReleaseBuffer(2);
    EXPECT_STREQ("中", sized);

    CString big;
    big.GetBuffer(4096);
    big.ReleaseBuffer(0);
    big = "kept";
    big.FreeExtra();
    EXPECT_STREQ("kept", big);

    // A locked buffer is never shared, so writes through it reach only this string.
    CString locked("lock");
    LPTSTR lp = locked.LockBuffer();
    CString copy = locked;
    EXPECT_NE(static_cast<LPCTSTR>(copy), static_cast<LPCTSTR>(locked));
    lp[0] = 'L';
    EXPECT_STREQ("Lock", locked);
    EXPECT_STREQ("lock", copy);
    locked += " more";
    EXPECT_STREQ("Lock more", locked);
    locked.UnlockBuffer();
    CString shared = locked;
    EXPECT_EQ(static_cast<LPCTSTR>(shared), static_cast<LPCTSTR>(locked));
}

} // namespace

TEST(CStringTest, BoundedCopyCutsBeforeACharacter)
{
    // Each buffer is one byte larger than the space the copy may use; the byte past the end stays '#'.
    struct Case { int nDestSize; const char* pszExpected; };
    const Case cases[] = {
        { 8, "a運中文" },   // 7 bytes fit exactly
        { 7, "a運中" },     // a 7-byte text in 6 usable bytes: the last character goes entirely
        { 5, "a運" },       // the lead byte of 中 would take the last usable byte
        { 2, "a" },
        { 1, "" },
    };
    for (const Case& c : cases)
    {
        char szBuffer[16];
        memset(szBuffer, '#', sizeof szBuffer);
        int nCopied = AfxCopyTextBounded(szBuffer, c.nDestSize, "a運中文");
        EXPECT_STREQ(c.pszExpected, szBuffer) << "size " << c.nDestSize;
        EXPECT_EQ((int)strlen(c.pszExpected), nCopied) << "size " << c.nDestSize;
        EXPECT_EQ('#', szBuffer[c.nDestSize]) << "size " << c.nDestSize;
    }

    char szUntouched[4] = "xyz";
    EXPECT_EQ(0, AfxCopyTextBounded(szUntouched, 0, "abc"));
    EXPECT_STREQ("xyz", szUntouched);
    // A lone lead byte at the end of the source is a character of its own.
    char szLone[4];
    EXPECT_EQ(2, AfxCopyTextBounded(szLone, sizeof szLone, "a\xB0"));
    EXPECT_STREQ("a\xB0", szLone);
}
