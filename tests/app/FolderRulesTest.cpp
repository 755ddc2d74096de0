// The rules that make target folders out of the paths the system gives, and the check that a
// folder is absolute before anything is extracted into it.
#include "QENWizView.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string VSFolder(LPCTSTR lpszAppPath)
{
    return (LPCTSTR)CQENWizView::VSFolderFromAppPath(lpszAppPath);
}

std::string LibFolder(LPCTSTR lpszModulePath)
{
    return (LPCTSTR)CQENWizView::LibFolderFromModulePath(lpszModulePath);
}

} // namespace

TEST(FolderRulesTest, AppPathOfTheProgramFileOrAFolderWithSeparatorCutsAtTheFourthSeparatorFromTheEnd)
{
    EXPECT_EQ("C:\\Program Files\\Microsoft Visual Studio\\",
              VSFolder("C:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDEV.EXE"));
    EXPECT_EQ("D:\\VS\\", VSFolder("D:\\VS\\Common\\MSDev98\\Bin\\msdev.exe"));
    EXPECT_EQ("D:\\VS\\", VSFolder("D:\\VS\\Common\\MSDev98\\Bin\\"));
    EXPECT_EQ("D:/VS/", VSFolder("D:/VS/Common/MSDev98/Bin/"));
    EXPECT_EQ("D:\\VS/", VSFolder("D:\\VS/Common\\MSDev98/Bin\\MSDEV.EXE"));
}

TEST(FolderRulesTest, AppPathEndingInAnyOtherCharacterCutsAtTheThird)
{
    EXPECT_EQ("D:\\VS\\", VSFolder("D:\\VS\\Common\\MSDev98\\Bin"));
    EXPECT_EQ("\"D:\\VS\\Common\\", VSFolder("\"D:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE\""));
    EXPECT_EQ("D:\\VS\\Common\\", VSFolder("D:\\VS\\Common\\MSDev98\\Bin\\MSDEV.COM"));
}

TEST(FolderRulesTest, TooFewSeparatorsPastTheFirstCharacterGiveAnEmptyFolder)
{
    EXPECT_EQ("", VSFolder("C:\\MSDev98\\Bin\\MSDEV.EXE"));
    EXPECT_EQ("", VSFolder("\\a\\b\\MSDEV.EXE"));   // the leading separator is never counted
    EXPECT_EQ("", VSFolder("\\"));
    EXPECT_EQ("", VSFolder("e"));
    EXPECT_EQ("", VSFolder(""));
    EXPECT_EQ("", VSFolder("C:\\Bin"));
    EXPECT_EQ("\\a\\", VSFolder("\\a\\b\\c\\d\\MSDEV.EXE"));
}

TEST(FolderRulesTest, TrailBytesOfChineseCharactersAreNeitherSeparatorsNorTheLastLetter)
{
    // "乗" ends in the byte of '\' and "僥" in the byte of 'e' in GBK.
    EXPECT_EQ("D:\\VS\\", VSFolder("D:\\VS\\Common\\MSDev98\\乗Bin\\MSDEV.EXE"));
    EXPECT_EQ("D:\\VS\\Common\\", VSFolder("D:\\VS\\Common\\MSDev98\\Bin\\僥"));
    EXPECT_EQ("D:\\中文\\", VSFolder("D:\\中文\\Common\\MSDev98\\Bin\\MSDEV.EXE"));
    EXPECT_EQ("C:\\Lib\\", LibFolder("C:\\Lib\\乗\\VEVER58.dll"));
}

TEST(FolderRulesTest, LibraryFolderIsTheParentOfTheFolderHoldingTheLibrary)
{
    EXPECT_EQ("C:\\Lib\\", LibFolder("C:\\Lib\\Bin\\VEVER58.dll"));
    EXPECT_EQ("C:\\Program Files\\QEN\\", LibFolder("C:\\Program Files\\QEN\\Bin\\VEVER58.dll"));
    EXPECT_EQ("\\\\server\\share\\", LibFolder("\\\\server\\share\\Bin\\VEVER58.dll"));
    EXPECT_EQ("", LibFolder("C:\\VEVER58.dll"));
    EXPECT_EQ("C:\\", LibFolder("C:\\Bin\\VEVER58.dll"));
    EXPECT_EQ("", LibFolder(""));
}

TEST(FolderRulesTest, OnlyDriveAndShareFoldersAreAbsolute)
{
    for (LPCTSTR lpszFolder : {"C:\\", "c:/", "D:\\VS\\", "z:\\x", "\\\\server\\", "\\\\server\\share", "//server/share",
                               "\\\\服务器\\共享"})
        EXPECT_TRUE(CQENWizView::IsAbsoluteFolder(lpszFolder)) << lpszFolder;
    for (LPCTSTR lpszFolder : {"", "C:", "C:relative", "relative\\dir", "\\rooted", "\\\\server", "\\\\\\share",
                               "1:\\", "中文\\目录", ".\\VS"})
        EXPECT_FALSE(CQENWizView::IsAbsoluteFolder(lpszFolder)) << lpszFolder;
    EXPECT_FALSE(CQENWizView::IsAbsoluteFolder(NULL));
}
