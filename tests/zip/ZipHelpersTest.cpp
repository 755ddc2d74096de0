// File-system helpers, the 64-bit seek, and the cause table of the exceptions.
#include "TestArchive.h"

namespace
{
class ZipHelpersTest : public ZipTest
{
};

TEST_F(ZipHelpersTest, ForceDirectoryCreatesMissingParents)
{
    EXPECT_TRUE(ZipForceDirectory("C:\\"));
    EXPECT_TRUE(ZipForceDirectory("C:"));
    CString deep = Path("a\\b\\c");
    EXPECT_TRUE(ZipForceDirectory(deep + "\\"));
    EXPECT_EQ(-1, ZipFileExists(Path("a")));
    EXPECT_EQ(-1, ZipFileExists(Path("a\\b")));
    EXPECT_EQ(-1, ZipFileExists(deep));
    EXPECT_TRUE(ZipForceDirectory(deep));

    WriteFileBytes(Path("file"), "x");
    EXPECT_EQ(1, ZipFileExists(Path("file")));
    EXPECT_EQ(0, ZipFileExists(Path("nothing")));
    EXPECT_FALSE(ZipForceDirectory(Path("file\\sub")));
    EXPECT_TRUE(ZipIsFolder(m_folder));
    EXPECT_FALSE(ZipIsFolder(Path("file")));
}

TEST_F(ZipHelpersTest, OpenFileIsMovedAndReplacesOnlyWhenAsked)
{
    WriteFileBytes(Path("kept.txt"), "kept");
    HANDLE h = CreateFileA(Path("moving.txt"), GENERIC_WRITE | DELETE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written;
    WriteFile(h, "moving", 6, &written, NULL);
    EXPECT_FALSE(ZipRenameOpenFile(h, Path("kept.txt"), false));
    EXPECT_TRUE(ZipRenameOpenFile(h, Path("new.txt"), false));
    EXPECT_TRUE(ZipRenameOpenFile(h, Path("KEPT.TXT"), true));
    CloseHandle(h);
    EXPECT_FALSE(PathExists(Path("moving.txt")));
    EXPECT_FALSE(PathExists(Path("new.txt")));
    EXPECT_EQ("moving", ReadFileBytes(Path("kept.txt")));
}

TEST_F(ZipHelpersTest, FolderCacheKnowsWhichNamesAreAbsent)
{
    CZipFolderCache cache;
    CString folder = Path("made\\here\\");
    WriteFileBytes(Path("Existing.txt"), "x");
    // Asking about a folder makes it.
    EXPECT_FALSE(cache.MayHold(folder, "absent.txt"));
    EXPECT_EQ(-1, ZipFileExists(Path("made\\here")));

    CString top = m_folder + "\\";
    EXPECT_TRUE(cache.MayHold(top, "EXISTING.TXT"));
    EXPECT_FALSE(cache.MayHold(top, "absent.txt"));
    // Spellings that may name an existing file otherwise.
    EXPECT_TRUE(cache.MayHold(top, "EXISTI~1.TXT"));
    EXPECT_TRUE(cache.MayHold(top, "existing.txt."));
    EXPECT_TRUE(cache.MayHold(top, "existing.txt "));

    // A name recorded by the caller is known in every spelling; forgetting reads the folder again.
    EXPECT_FALSE(cache.MayHold(top, "added.txt"));
    WriteFileBytes(Path("added.txt"), "x");
    cache.NoteAdded(top, "added.txt");
    EXPECT_TRUE(cache.MayHold(top, "Added.txt"));
    WriteFileBytes(Path("Other.txt"), "x");
    cache.Forget(top);
    EXPECT_TRUE(cache.MayHold(top, "OTHER.TXT"));
}

TEST_F(ZipHelpersTest, CodesBecomeCauses)
{
    struct { int code, cause; const char* name; } const table[] = {
        {Z_STREAM_END, 2, "ZlibStreamEnd"},     {Z_NEED_DICT, 3, "ZlibNeedDictionary"},
        {Z_ERRNO, 4, "ZlibSystemError"},        {Z_STREAM_ERROR, 5, "ZlibStreamError"},
        {Z_DATA_ERROR, 6, "ZlibDataError"},     {Z_MEM_ERROR, 7, "ZlibMemoryError"},
        {Z_BUF_ERROR, 8, "ZlibBufferError"},    {Z_VERSION_ERROR, 9, "ZlibVersionError"},
        {-7, 1, "GeneralFailure"},              {-101, 10, "CorruptArchive"},
        {-102, 11, "ChecksumMismatch"},         {-103, 12, "MissingVolumeCallback"},
        {-104, 13, "VolumeRequestCancelled"},   {-105, 14, "MediaNotRemovable"},
        {-106, 15, "VolumeLimitReached"},       {-107, 16, "ReservedCause16"},
    };
    for (const auto& row : table)
    {
        try
        {
            ThrowZipError(row.code, "C:\\volume.zip");
        }
        catch (CZipException* e)
        {
            EXPECT_EQ(row.cause, e->m_iCause) << row.code;
            EXPECT_STREQ(row.name, CZipException::GetCauseName(e->m_iCause));
            EXPECT_STREQ("C:\\volume.zip", e->m_strFileName);
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            EXPECT_STREQ("CZipException", e->GetRuntimeClass()->m_lpszClassName);
            e->Delete();
        }
    }
    EXPECT_STREQ("Unknown", CZipException::GetCauseName(0));
}

TEST_F(ZipHelpersTest, BigFileSeeksBeyondFourGigabytes)
{
    CBigFile file;
    ASSERT_TRUE(file.Open(Path("big"), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_EQ(0x100000010ull, file.Seek64(0x100000010ll, CFile::begin));
    EXPECT_EQ(0x100000000ull, file.Seek64(-16, CFile::current));
    EXPECT_EQ(0xFFFFFFFFull, file.Seek64(-1, CFile::current));
    EXPECT_EQ(CFileException::badSeek, FileCauseOf([&] { file.Seek64(-1, CFile::begin); }));
    file.Close();
}
}
