// The application's settings: registry and private profile file round trips, and the recent-file
// list kept in them.
#include "GuiTestSupport.h"
#include "RecentFileList.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Settings of this test only: the scratch key points the test application at a company key of its
// own and puts the application back after.
class ProfileTest : public ::testing::Test
{
protected:
    void UseRegistry()
    {
        TestApp().m_pszRegistryKey = m_pszScratchCompany;
        TestApp().m_pszProfileName = m_pszScratchProfile;
    }

    void UseIniFile()
    {
        TestApp().m_pszRegistryKey = NULL;
        TestApp().m_pszProfileName = m_strIni;
    }

    // Reads a value straight from HKCU\Software\<company>\<application>\<section>.
    bool QueryRaw(LPCTSTR lpszSection, LPCTSTR lpszEntry, DWORD& dwType, std::string& data)
    {
        CString strKey;
        strKey.Format("Software\\%s\\%s\\%s", m_pszScratchCompany, m_pszScratchProfile, lpszSection);
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        char buffer[1024];
        DWORD cb = sizeof buffer;
        LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)buffer, &cb);
        ::RegCloseKey(hKey);
        if (lResult != ERROR_SUCCESS)
            return false;
        data.assign(buffer, cb);
        return true;
    }

    CScratchRegistryKey m_key{"Profile"};
    LPCTSTR m_pszScratchCompany = TestApp().m_pszRegistryKey;
    LPCTSTR m_pszScratchProfile = TestApp().m_pszProfileName;
    CScratchFolder m_scratch;
    CString m_strIni = m_scratch.Path("settings.ini");
};

TEST_F(ProfileTest, RegistryValuesRoundTripWithTheirTypesUnderTheCompanyAndApplicationKeys)
{
    UseRegistry();
    CTestApp& app = TestApp();

    EXPECT_TRUE(app.WriteProfileInt("Settings", "Count", -7));
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", "安装目录 C:\\QEN"));
    BYTE data[300];
    for (int i = 0; i < 300; i++)
        data[i] = (BYTE)(i * 7);
    EXPECT_TRUE(app.WriteProfileBinary("Settings", "Blob", data, sizeof data));

    EXPECT_EQ((UINT)-7, app.GetProfileInt("Settings", "Count", 5));
    EXPECT_STREQ("安装目录 C:\\QEN", app.GetProfileString("Settings", "Name"));
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("Settings", "Blob", &pData, &nBytes));
    ASSERT_EQ(sizeof data, nBytes);
    EXPECT_EQ(0, memcmp(data, pData, nBytes));
    delete[] pData;

    DWORD dwType = 0;
    std::string raw;
    ASSERT_TRUE(QueryRaw("Settings", "Count", dwType, raw));
    EXPECT_EQ((DWORD)REG_DWORD, dwType);
    ASSERT_TRUE(QueryRaw("Settings", "Name", dwType, raw));
    EXPECT_EQ((DWORD)REG_SZ, dwType);
    ASSERT_TRUE(QueryRaw("Settings", "Blob", dwType, raw));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);

    // A value of another type reads as missing; missing values give the defaults.
    EXPECT_EQ(11u, app.GetProfileInt("Settings", "Name", 11));
    EXPECT_STREQ("fallback", app.GetProfileString("Settings", "Count", "fallback"));
    EXPECT_STREQ("", app.GetProfileString("Settings", "Missing"));
    EXPECT_FALSE(app.GetProfileBinary("Settings", "Name", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);

    // A NULL value deletes the entry, a NULL entry the whole section.
    EXPECT_TRUE(app.WriteProfileString("Settings", "Name", NULL));
    EXPECT_FALSE(QueryRaw("Settings", "Name", dwType, raw));
    EXPECT_EQ((UINT)-7, app.GetProfileInt("Settings", "Count", 5));
    EXPECT_TRUE(app.WriteProfileString("Settings", NULL, NULL));
    EXPECT_FALSE(QueryRaw("Settings", "Count", dwType, raw));
    EXPECT_EQ(5u, app.GetProfileInt("Settings", "Count", 5));
}

TEST_F(ProfileTest, StoredStringWithoutTerminatorIsReadWhole)
{
    UseRegistry();
    HKEY hSection = TestApp().GetSectionKey("Raw");
    ASSERT_NE(nullptr, hSection);
    // Exactly the characters, no terminating zero: a reader must not run past them.
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hSection, "Text", 0, REG_SZ, (const BYTE*)"abcdef", 6));
    ::RegCloseKey(hSection);
    EXPECT_STREQ("abcdef", TestApp().GetProfileString("Raw", "Text"));
}

TEST_F(ProfileTest, ProfileFileKeepsIntsStringsAndBinaryAsLetters)
{
    UseIniFile();
    CTestApp& app = TestApp();

    EXPECT_TRUE(app.WriteProfileInt("QENWiz", "ViewType", 3));
    EXPECT_EQ(3u, app.GetProfileInt("QENWiz", "ViewType", 0));
    EXPECT_EQ(9u, app.GetProfileInt("QENWiz", "Missing", 9));

    CString strLong('x', 700);
    EXPECT_TRUE(app.WriteProfileString("QENWiz", "Long", strLong));
    EXPECT_STREQ(strLong, app.GetProfileString("QENWiz", "Long"));

    BYTE data[] = { 0x00, 0x1F, 0xA5, 0xFF };
    EXPECT_TRUE(app.WriteProfileBinary("QENWiz", "Blob", data, sizeof data));
    char szRaw[64] = {};
    ::GetPrivateProfileStringA("QENWiz", "Blob", "", szRaw, sizeof szRaw, m_strIni);
    EXPECT_STREQ("AAPBFKPP", szRaw);   // low nibble first, 'A' + nibble
    LPBYTE pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(app.GetProfileBinary("QENWiz", "Blob", &pData, &nBytes));
    ASSERT_EQ(sizeof data, nBytes);
    EXPECT_EQ(0, memcmp(data, pData, nBytes));
    delete[] pData;
}

TEST_F(ProfileTest, RecentFileListKeepsTheNewestFirstWithoutDuplicates)
{
    UseRegistry();
    CRecentFileList list(0, "Recent File List", "File%d", 4);
    list.Add(m_scratch.Path("a.txt"));
    list.Add(m_scratch.Path("b.txt"));
    list.Add(m_scratch.Path("c.txt"));
    CString strUpperA = m_scratch.Path("A.TXT");
    list.Add(strUpperA);   // the same file again, in other case: it moves to the top
    EXPECT_STREQ(strUpperA, list[0]);
    EXPECT_STREQ(m_scratch.Path("c.txt"), list[1]);
    EXPECT_STREQ(m_scratch.Path("b.txt"), list[2]);
    EXPECT_TRUE(list[3].IsEmpty());

    list.Remove(1);
    EXPECT_STREQ(m_scratch.Path("b.txt"), list[1]);
    list.WriteList();

    DWORD dwType;
    std::string raw;
    EXPECT_TRUE(QueryRaw("Recent File List", "File2", dwType, raw));
    EXPECT_FALSE(QueryRaw("Recent File List", "File3", dwType, raw));

    CRecentFileList reread(0, "Recent File List", "File%d", 4);
    reread.ReadList();
    EXPECT_STREQ(strUpperA, reread[0]);
    EXPECT_STREQ(m_scratch.Path("b.txt"), reread[1]);
    EXPECT_TRUE(reread[2].IsEmpty());

    // A file in the current folder shows by name alone; a long path is shortened.
    char szCurrent[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    CString strFolder = m_scratch.Path("");
    strFolder = strFolder.Left(strFolder.GetLength() - 1);
    CString strName;
    ASSERT_TRUE(reread.GetDisplayName(strName, 1, strFolder, strFolder.GetLength()));
    EXPECT_STREQ("b.txt", strName);
    ASSERT_TRUE(reread.GetDisplayName(strName, 1, szCurrent, (int)strlen(szCurrent)));
    EXPECT_LE(strName.GetLength(), 30);
    EXPECT_NE(-1, strName.Find("b.txt"));
}

} // namespace
