// Extraction: verification before the file appears, refused names, folders, times and
// attributes, the entry-by-entry reading interface.
#include "TestArchive.h"

namespace
{
class ZipExtractTest : public ZipTest
{
protected:
    // Writes the archive, opens it, and leaves "out\good.txt" extracted from the first entry.
    void OpenWithGoodFirstEntry(TestArchive& archive)
    {
        archive.entries.push_front(TestEntry());
        archive.entries[0].name = "good.txt";
        archive.entries[0].data = MakeText(3000, 11);
        archive.WriteTo(Path("a.zip"));
        m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
        ASSERT_TRUE(m_package.ExtractFile(0, Path("out")));
    }

    CZipPackage m_package;
};

TEST_F(ZipExtractTest, ChecksumMismatchLeavesNoFile)
{
    TestArchive archive;
    archive.Add("bad.txt", MakeText(100000, 12)).crc = 0xDEADBEEF;
    OpenWithGoodFirstEntry(archive);
    EXPECT_EQ(CZipException::ChecksumMismatch, ZipCauseOf([&] { m_package.ExtractFile(1, Path("out")); }));
    ExpectFolderHolds({"good.txt"});
    EXPECT_EQ(archive.entries[0].data, ReadFileBytes(Path("out\\good.txt")));
}

TEST_F(ZipExtractTest, CorruptDeflateDataLeavesNoFileAndKeepsTheOldOne)
{
    TestArchive archive;
    TestEntry& bad = archive.Add("bad.txt", MakeText(200000, 13));
    bad.compressed = DeflateWithBadBlock(bad.data, 150000);
    OpenWithGoodFirstEntry(archive);
    WriteFileBytes(Path("out\\bad.txt"), "the file that was there");

    EXPECT_EQ(CZipException::ZlibDataError, ZipCauseOf([&] { m_package.ExtractFile(1, Path("out")); }));
    ExpectFolderHolds({"good.txt", "bad.txt"});
    EXPECT_EQ("the file that was there", ReadFileBytes(Path("out\\bad.txt")));
    // The decompressor's blocks stay recorded until the package goes.
    EXPECT_NE(0, m_package.GetZlibBlockCount());
}

TEST_F(ZipExtractTest, ShortEntriesAreCorrupt)
{
    TestArchive archive;
    // The deflate stream ends 10 bytes before the declared size.
    TestEntry& deflated = archive.Add("deflated.txt", MakeText(5000, 14));
    deflated.uncompressedSize = 5010;
    // Stored data run out before the declared size.
    TestEntry& stored = archive.Add("stored.txt", MakeText(5000, 15), 0);
    stored.uncompressedSize = 6000;
    // A descriptor that contradicts the directory.
    TestEntry& described = archive.Add("described.txt", "data");
    described.descriptor = TestEntry::DescriptorWithoutSignature;
    described.descriptorCrc = 77;
    OpenWithGoodFirstEntry(archive);

    for (WORD i = 1; i <= 3; ++i)
    {
        EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { m_package.ExtractFile(i, Path("out")); }))
            << "entry " << i;
        m_package.Close(true);
        m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    }
    ExpectFolderHolds({"good.txt"});
}

TEST_F(ZipExtractTest, TargetThatCannotBeWrittenFailsBeforeWriting)
{
    TestArchive archive;
    archive.Add("read-only.txt", "new contents");
    archive.Add("in-use.txt", "new contents");
    OpenWithGoodFirstEntry(archive);
    WriteFileBytes(Path("out\\read-only.txt"), "old contents");
    SetFileAttributesA(Path("out\\read-only.txt"), FILE_ATTRIBUTE_READONLY);
    WriteFileBytes(Path("out\\in-use.txt"), "old contents");
    HANDLE user = CreateFileA(Path("out\\in-use.txt"), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, user);

    EXPECT_EQ(CFileException::accessDenied, FileCauseOf([&] { m_package.ExtractFile(1, Path("out")); }));
    m_package.Close(true);
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(CFileException::sharingViolation, FileCauseOf([&] { m_package.ExtractFile(2, Path("out")); }));
    CloseHandle(user);
    ExpectFolderHolds({"good.txt", "read-only.txt", "in-use.txt"});
    EXPECT_EQ("old contents", ReadFileBytes(Path("out\\read-only.txt")));
    EXPECT_EQ("old contents", ReadFileBytes(Path("out\\in-use.txt")));
}

TEST_F(ZipExtractTest, ExistingFileIsReplacedOnSuccess)
{
    TestArchive archive;
    archive.Add("file.txt", "new contents");
    archive.WriteTo(Path("a.zip"));
    ZipForceDirectory(Path("out"));
    WriteFileBytes(Path("out\\file.txt"), "older and longer contents");
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_TRUE(m_package.ExtractFile(0, Path("out")));
    EXPECT_EQ("new contents", ReadFileBytes(Path("out\\file.txt")));
    ExpectFolderHolds({"file.txt"});
}

TEST_F(ZipExtractTest, TargetsAreCheckedAgainstWhatTheFolderHoldsNow)
{
    TestArchive archive;
    archive.Add("dir/same.txt", "first").externalAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    archive.Add("DIR/SAME.TXT", "second");
    archive.Add("dir/later.txt", "new");
    archive.Add("dir/locked.txt", "new");
    archive.Add("gone/a.txt", "a");
    archive.Add("gone/b.txt", "b");
    archive.WriteTo(Path("a.zip"));
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);

    // The first entry made a read-only file of the same name in another spelling.
    ASSERT_TRUE(m_package.ExtractFile(0, Path("out")));
    EXPECT_EQ(CFileException::accessDenied, FileCauseOf([&] { m_package.ExtractFile(1, Path("out")); }));
    m_package.Close(true);
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ("first", ReadFileBytes(Path("out\\dir\\same.txt")));

    // Files that appear after the folder was first seen.
    ASSERT_TRUE(m_package.ExtractFile(0, Path("other")));
    WriteFileBytes(Path("other\\dir\\later.txt"), "old");
    EXPECT_TRUE(m_package.ExtractFile(2, Path("other")));
    EXPECT_EQ("new", ReadFileBytes(Path("other\\dir\\later.txt")));
    WriteFileBytes(Path("other\\dir\\locked.txt"), "old");
    SetFileAttributesA(Path("other\\dir\\locked.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(CFileException::accessDenied, FileCauseOf([&] { m_package.ExtractFile(3, Path("other")); }));
    m_package.Close(true);
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ("old", ReadFileBytes(Path("other\\dir\\locked.txt")));
    ExpectFolderHolds({"same.txt", "later.txt", "locked.txt"}, "other\\dir");

    // A folder removed between two entries is made again.
    ASSERT_TRUE(m_package.ExtractFile(4, Path("out")));
    ASSERT_TRUE(DeleteFileA(Path("out\\gone\\a.txt")));
    ASSERT_TRUE(RemoveDirectoryA(Path("out\\gone")));
    EXPECT_TRUE(m_package.ExtractFile(5, Path("out")));
    EXPECT_EQ("b", ReadFileBytes(Path("out\\gone\\b.txt")));
}

TEST_F(ZipExtractTest, NamesThatLeaveTheFolderAreRefused)
{
    TestArchive archive;
    for (const char* name : {"../evil1.txt", "dir/../../evil2.txt", "..\\evil3.txt", "dir\\.. \\..\\evil4.txt",
                             "C:..\\evil5.txt", "file.txt:stream", "dir\\C:\\evil6.txt", "...\\evil7.txt"})
        archive.Add(name, "evil");
    archive.Add("C:\\dir\\a.txt", "a");
    archive.Add("\\dir\\b.txt", "b");
    archive.Add("dir/c.txt", "c");
    archive.Add("dir/..txt", "d");
    archive.WriteTo(Path("a.zip"));
    ZipForceDirectory(Path("top\\out"));

    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}), ExtractAll(m_package, "top\\out\\"));
    EXPECT_EQ("a", ReadFileBytes(Path("top\\out\\dir\\a.txt")));
    EXPECT_EQ("b", ReadFileBytes(Path("top\\out\\dir\\b.txt")));
    EXPECT_EQ("c", ReadFileBytes(Path("top\\out\\dir\\c.txt")));
    EXPECT_EQ("d", ReadFileBytes(Path("top\\out\\dir\\..txt")));
    for (const char* name : {"evil1.txt", "evil2.txt", "evil3.txt", "top\\evil4.txt", "top\\evil5.txt",
                             "top\\out\\file.txt", "top\\out\\evil6.txt", "top\\out\\evil7.txt"})
        EXPECT_FALSE(PathExists(Path(name))) << name;
}

TEST_F(ZipExtractTest, FoldersAfterTheirContentsTimesAndAttributes)
{
    TestArchive archive;
    TestEntry& file = archive.Add("docs/sub/read-only.txt", "text");
    file.externalAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    file.modDate = (WORD)(((2021 - 1980) << 9) | (7 << 5) | 15);
    file.modTime = (WORD)((13 << 11) | (45 << 5) | (30 / 2));
    archive.Add("docs/sub/", "").externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    archive.Add("docs/", "").externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    archive.Add("empty/", "").externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    // A trailing separator alone does not make a folder.
    archive.Add("sub.txt/", "").externalAttributes = FILE_ATTRIBUTE_ARCHIVE;
    archive.WriteTo(Path("a.zip"));

    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadWrite, 1);
    EXPECT_TRUE(m_package.IsDirectory(1));
    EXPECT_FALSE(m_package.IsDirectory(4));
    for (WORD i = 0; i < 4; ++i)
        EXPECT_TRUE(m_package.ExtractFile(i, Path("out"))) << i;
    EXPECT_EQ("text", ReadFileBytes(Path("out\\docs\\sub\\read-only.txt")));
    EXPECT_EQ(-1, ZipFileExists(Path("out\\empty")));
    DWORD attributes = GetFileAttributesA(Path("out\\docs\\sub\\read-only.txt"));
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);

    HANDLE h = CreateFileA(Path("out\\docs\\sub\\read-only.txt"), GENERIC_READ, FILE_SHARE_READ, NULL,
                           OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    FILETIME written, local;
    GetFileTime(h, NULL, NULL, &written);
    CloseHandle(h);
    FileTimeToLocalFileTime(&written, &local);
    WORD date = 0, time = 0;
    FileTimeToDosDateTime(&local, &date, &time);
    EXPECT_EQ(file.modDate, date);
    EXPECT_EQ(file.modTime, time);

    // The entry named like a folder is read as a file, which cannot be made there.
    EXPECT_NE(0, FileCauseOf([&] { m_package.ExtractFile(4, Path("out")); }));
    m_package.Close(true);
}

// What the package keeps from one entry to the next: a relative folder is found from the
// current directory of each call, and each file gets its own entry's time.
TEST_F(ZipExtractTest, EachEntryFindsItsFolderAndTime)
{
    TestArchive archive;
    archive.Add("a.txt", "a");
    archive.Add("b.txt", "b");
    TestEntry& later = archive.Add("c.txt", "c");
    later.modDate = (WORD)(((2022 - 1980) << 9) | (3 << 5) | 9);
    later.modTime = (WORD)((8 << 11) | (15 << 5) | (20 / 2));
    archive.WriteTo(Path("a.zip"));
    ZipForceDirectory(Path("one"));
    ZipForceDirectory(Path("two"));
    char saved[MAX_PATH];
    ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, saved));

    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    SetCurrentDirectoryA(Path("one"));
    bool bFirst = m_package.ExtractFile(0, "out");
    SetCurrentDirectoryA(Path("two"));
    bool bOthers = m_package.ExtractFile(1, "out") && m_package.ExtractFile(2, "out");
    SetCurrentDirectoryA(saved);
    m_package.Close();
    ASSERT_TRUE(bFirst && bOthers);
    EXPECT_EQ("a", ReadFileBytes(Path("one\\out\\a.txt")));
    EXPECT_EQ("b", ReadFileBytes(Path("two\\out\\b.txt")));

    auto dosTimeOf = [&](LPCTSTR relative) {
        HANDLE h = CreateFileA(Path(relative), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        FILETIME written = {}, local;
        GetFileTime(h, NULL, NULL, &written);
        CloseHandle(h);
        FileTimeToLocalFileTime(&written, &local);
        WORD date = 0, time = 0;
        FileTimeToDosDateTime(&local, &date, &time);
        return std::make_pair(date, time);
    };
    EXPECT_EQ(std::make_pair(archive.entries[0].modDate, archive.entries[0].modTime), dosTimeOf("two\\out\\b.txt"));
    EXPECT_EQ(std::make_pair(later.modDate, later.modTime), dosTimeOf("two\\out\\c.txt"));
}

TEST_F(ZipExtractTest, EntryReadingFollowsItsStates)
{
    TestArchive archive;
    std::string data = MakeNoise(3 * 4096, 16);
    archive.Add("exact.bin", data, 0);
    archive.Add("deflated.txt", MakeText(3 * 4096, 17));
    archive.WriteTo(Path("a.zip"));

    char buffer[4096];
    EXPECT_FALSE(m_package.OpenFile(0));
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(0u, m_package.ReadFile(buffer, sizeof(buffer)));
    EXPECT_FALSE(m_package.CloseFile());
    EXPECT_FALSE(m_package.OpenFile(2));

    for (WORD entry = 0; entry < 2; ++entry)
    {
        ASSERT_TRUE(m_package.OpenFile(entry));
        EXPECT_FALSE(m_package.OpenFile(1 - entry));
        EXPECT_FALSE(m_package.ExtractFile(1 - entry, Path("out")));
        std::string read;
        // An entry of a whole number of buffers ends with one more read that delivers nothing.
        DWORD n;
        int calls = 0;
        do
        {
            n = m_package.ReadFile(buffer, sizeof(buffer));
            read.append(buffer, n);
            ++calls;
        } while (n == sizeof(buffer));
        EXPECT_EQ(4, calls);
        EXPECT_EQ(archive.entries[entry].data, read);
        EXPECT_EQ(entry == 1, m_package.GetZlibBlockCount() != 0);
        EXPECT_TRUE(m_package.CloseFile());
        EXPECT_EQ(0, m_package.GetZlibBlockCount());
    }

    // A second Open leaves the package as it is.
    WriteFileBytes(Path("other.zip"), TestArchive().Build());
    m_package.Open(Path("other.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(2, m_package.GetCount());
    m_package.Close();
    EXPECT_TRUE(m_package.IsClosed());
    EXPECT_EQ(0, m_package.GetCount());
}

TEST_F(ZipExtractTest, ClosingAnEntryGivesTheFileItsTimeAndAttributes)
{
    TestArchive archive;
    TestEntry& entry = archive.Add("hidden.txt", MakeText(2000, 18));
    entry.externalAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    entry.modDate = (WORD)(((2019 - 1980) << 9) | (3 << 5) | 9);
    entry.modTime = (WORD)((8 << 11) | (7 << 5) | 3);
    archive.WriteTo(Path("a.zip"));
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);

    CFile file(Path("copy.txt"), CFile::modeCreate | CFile::modeWrite);
    char buffer[500];
    ASSERT_TRUE(m_package.OpenFile(0));
    while (DWORD n = m_package.ReadFile(buffer, sizeof(buffer)))
        file.Write(buffer, n);
    EXPECT_TRUE(m_package.CloseFile(file));
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    EXPECT_EQ(entry.data, ReadFileBytes(Path("copy.txt")));
    EXPECT_TRUE(GetFileAttributesA(Path("copy.txt")) & FILE_ATTRIBUTE_READONLY);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path("copy.txt"), status));
    EXPECT_EQ(2019, status.m_mtime.GetYear());
    EXPECT_EQ(9, status.m_mtime.GetDay());
    EXPECT_EQ(8, status.m_mtime.GetHour());
    EXPECT_EQ(6, status.m_mtime.GetSecond());
}

TEST_F(ZipExtractTest, NamesAreConvertedWhenHandedOut)
{
    TestArchive archive;
    archive.Add("目录/文件.txt", "中文");
    archive.WriteTo(Path("a.zip"));
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    CZipEntryHeader info;
    ASSERT_TRUE(m_package.GetFileInfo(info, 0));
    EXPECT_STREQ("目录\\文件.txt", info.m_strFileName);
    m_package.m_bSlashesToBackslashes = false;
    ASSERT_TRUE(m_package.GetFileInfo(info, 0));
    EXPECT_STREQ("目录/文件.txt", info.m_strFileName);
    EXPECT_TRUE(m_package.ExtractFile(0, Path("out")));
    EXPECT_EQ("中文", ReadFileBytes(Path("out\\目录\\文件.txt")));
}
}

namespace
{
TEST_F(ZipExtractTest, Utf8NamesAreConvertedOrRefused)
{
    TestArchive archive;
    // Bit 11: the names are UTF-8 bytes.
    archive.Add("\xE7\x9B\xAE\xE5\xBD\x95/\xE6\x96\x87\xE4\xBB\xB6.txt", "gbk").flags = 0x0800;
    archive.Add("\xF0\x9F\x98\x80.txt", "emoji").flags = 0x0800;
    archive.Add("caf\xC3.txt", "broken").flags = 0x0800;
    archive.Add("after.txt", "after");
    archive.WriteTo(Path("a.zip"));
    m_package.m_bOemToAnsi = false;
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);

    CZipEntryHeader info;
    ASSERT_TRUE(m_package.GetFileInfo(info, 0));
    EXPECT_STREQ("目录\\文件.txt", info.m_strFileName);
    EXPECT_EQ((std::vector<int>{1, 2}), ExtractAll(m_package, "out"));
    EXPECT_EQ("gbk", ReadFileBytes(Path("out\\目录\\文件.txt")));
    EXPECT_EQ("after", ReadFileBytes(Path("out\\after.txt")));
    ExpectFolderHolds({"after.txt", "目录"});
}
}
