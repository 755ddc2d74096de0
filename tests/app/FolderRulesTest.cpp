// The rules that make target folders out of the paths the system gives, and the check that a
// folder is absolute before anything is extracted into it.
#include "InstallFolders.h"

#include <gtest/gtest.h>

#include <utility>

TEST(FolderRulesTest, VisualStudioFolderIsCutAtTheFourthSeparatorFromTheEndOrTheThird)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Microsoft Visual Studio\\Common\\MSDev98\\Bin\\MSDEV.EXE",
         "C:\\Program Files\\Microsoft Visual Studio\\"},
        {"D:\\VS\\Common\\MSDev98\\Bin\\msdev.exe", "D:\\VS\\"},
        {"D:\\VS\\Common\\MSDev98\\Bin\\", "D:\\VS\\"},
        {"D:/VS/Common\\MSDev98/Bin/", "D:/VS/"},
        {"D:\\VS\\Common\\MSDev98\\Bin", "D:\\VS\\"},   // a folder without its separator: the third
        {"\"D:\\VS\\Common\\MSDev98\\Bin\\MSDEV.EXE\"", "\"D:\\VS\\Common\\"},
        {"\\a\\b\\c\\d\\MSDEV.EXE", "\\a\\"},
        {"\\a\\b\\c\\MSDEV.EXE", ""},   // the first character never counts
        {"C:\\MSDev98\\Bin\\MSDEV.EXE", ""},
        {"C:\\Bin", ""},
        {"e", ""},
        {"", ""},
        // GBK: "乗" ends in the byte of '\', "僥" in that of 'e'; neither counts as such.
        {"D:\\VS\\Common\\MSDev98\\乗Bin\\MSDEV.EXE", "D:\\VS\\"},
        {"D:\\VS\\Common\\MSDev98\\Bin\\僥", "D:\\VS\\Common\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, std::string(VSFolderFromAppPath(c.first))) << c.first;
}

TEST(FolderRulesTest, LibraryFolderIsTheParentOfTheFolderHoldingTheLibrary)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Lib\\Bin\\VEVER58.dll", "C:\\Lib\\"},
        {"\\\\server\\share\\Bin\\VEVER58.dll", "\\\\server\\share\\"},
        {"C:\\Bin\\VEVER58.dll", "C:\\"},
        {"C:\\VEVER58.dll", ""},
        {"C:\\Lib\\乗\\VEVER58.dll", "C:\\Lib\\"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, std::string(LibFolderFromModulePath(c.first))) << c.first;
}

TEST(FolderRulesTest, OnlyDriveAndShareFoldersAreAbsolute)
{
    for (const char* pszFolder : {"C:\\", "c:/", "D:\\VS\\", "\\\\server\\", "//server/share", "\\\\服务器\\共享"})
        EXPECT_TRUE(IsAbsoluteFolder(pszFolder)) << pszFolder;
    for (const char* pszFolder : {"", "C:", "C:relative", "relative\\dir", "\\rooted", "\\\\server", "\\\\\\share",
                                  "1:\\", "中文\\目录"})
        EXPECT_FALSE(IsAbsoluteFolder(pszFolder)) << pszFolder;
    EXPECT_FALSE(IsAbsoluteFolder(NULL));
}
