// CFile on real files in a scratch folder: I/O, failures as CFileException with cause, OS error and
// path, locking, status, names, Remove and Rename.
#include <gtest/gtest.h>

#include "afx.h"
#include "ScratchFolder.h"

#include <memory>
#include <string>

namespace {

// Runs the action and returns the CFileException it throws (the test fails if there is none).
template <typename Action> std::unique_ptr<CFileException, void (*)(CFileException*)> CatchFileException(Action action)
{
    auto deleter = [](CFileException* e) { if (e != NULL) e->Delete(); };
    try
    {
        action();
    }
    catch (CFileException* e)
    {
        return {e, deleter};
    }
    ADD_FAILURE() << "no CFileException";
    return {NULL, deleter};
}

// Expects the action to throw a CFileException of the cause, naming the path when one is given.
template <typename Action> void ExpectFileError(Action action, int nCause, const CString& strPath = CString())
{
    auto e = CatchFileException(action);
    ASSERT_TRUE(e);
    EXPECT_EQ(nCause, e->m_cause);
    if (!strPath.IsEmpty())
    {
        EXPECT_STREQ(strPath, e->m_strFileName);
    }
}

std::string ReadAll(CFile& file)
{
    std::string data(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!data.empty())
        data.resize(file.Read(&data[0], static_cast<UINT>(data.size())));
    return data;
}

TEST(CFileTest, WriteReadSeekAndLength)
{
    CScratchFolder folder;
    CString path = folder.Path("data.bin");
    {
        CFile file(path, CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_NE(CFile::hFileNull, file.m_hFile);
        EXPECT_EQ(file.m_hFile, static_cast<HANDLE>(file));
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetPosition());
        EXPECT_EQ(10u, file.GetLength());

        EXPECT_EQ(4u, file.Seek(4, CFile::begin));
        char buffer[16] = {};
        EXPECT_EQ(3u, file.Read(buffer, 3));
        EXPECT_STREQ("456", buffer);
        EXPECT_EQ(9u, file.Seek(-1, CFile::end));
        EXPECT_EQ(1u, file.Read(buffer, sizeof(buffer)));
        EXPECT_EQ(0u, file.Read(buffer, sizeof(buffer))) << "end of file is no error";
        EXPECT_EQ(5u, file.Seek(-5, CFile::current));

        // Positions past 4 GiB need the 64-bit seek; nothing is written there.
        const ULONGLONG farAway = 5ULL << 30;
        EXPECT_EQ(farAway, file.Seek(static_cast<LONGLONG>(farAway), CFile::begin));
        EXPECT_EQ(farAway, file.GetPosition());
        EXPECT_EQ(10u, file.SeekToEnd());

        file.SetLength(6);
        EXPECT_EQ(6u, file.GetLength());
        EXPECT_EQ(6u, file.GetPosition());
        file.Write("ab", 2);
        EXPECT_EQ("012345ab", ReadAll(file));
        file.Flush();
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_EQ("012345ab", folder.Contents("data.bin"));

    CFile appender;
    ASSERT_TRUE(appender.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    appender.SeekToEnd();
    appender.Write("!", 1);
    appender.Close();
    EXPECT_EQ("012345ab!", folder.Contents("data.bin"));

    CFile truncator(path, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(0u, truncator.GetLength());
}

TEST(CFileTest, OpenFailuresCarryCauseErrorAndPath)
{
    CScratchFolder folder;
    CFileException error;
    CFile file;

    CString missing = folder.Path("missing.txt");
    EXPECT_FALSE(file.Open(missing, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_STREQ(missing, error.m_strFileName);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    CString inMissingFolder = folder.Path("no folder\\file.txt");
    EXPECT_FALSE(file.Open(inMissingFolder, CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_STREQ(inMissingFolder, error.m_strFileName);

    CString shared = folder.Path("exclusive.txt");
    CFile holder(shared, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    EXPECT_FALSE(file.Open(shared, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
    EXPECT_EQ(ERROR_SHARING_VIOLATION, error.m_lOsError);
    holder.Close();
    CFile reader1(shared, CFile::modeRead | CFile::shareDenyWrite);
    CFile reader2(shared, CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_FALSE(file.Open(shared, CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);

    CString subfolder = folder.Path("sub");
    ASSERT_TRUE(CreateDirectoryA(subfolder, NULL));
    EXPECT_FALSE(file.Open(subfolder, CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::accessDenied, error.m_cause);
    EXPECT_EQ(ERROR_ACCESS_DENIED, error.m_lOsError);
    EXPECT_STREQ(subfolder, error.m_strFileName);

    // The opening constructor throws the same description.
    auto thrown = CatchFileException([&] { CFile opened(missing, CFile::modeRead); });
    ASSERT_TRUE(thrown);
    EXPECT_EQ(CFileException::fileNotFound, thrown->m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, thrown->m_lOsError);
    EXPECT_STREQ(missing, thrown->m_strFileName);
}

TEST(CFileTest, IoFailuresThrowWithFullPath)
{
    CScratchFolder folder;
    folder.CreateWithContents("text.txt", "contents");
    CString path = folder.Path("text.txt");

    CFile writer(path, CFile::modeWrite | CFile::shareDenyNone);
    EXPECT_STREQ(path, writer.GetFilePath());
    char buffer[8];
    ExpectFileError([&] { writer.Read(buffer, sizeof(buffer)); }, CFileException::accessDenied, path);
    ExpectFileError([&] { writer.Seek(-1, CFile::begin); }, CFileException::badSeek, path);

    CFile reader(path, CFile::modeRead | CFile::shareDenyNone);
    ExpectFileError([&] { reader.Write("x", 1); }, CFileException::accessDenied, path);
}

TEST(CFileTest, LockedRangeRefusesOtherHandles)
{
    CScratchFolder folder;
    folder.CreateWithContents("locked.bin", std::string(100, 'x'));
    CString path = folder.Path("locked.bin");
    CFile owner(path, CFile::modeReadWrite | CFile::shareDenyNone);
    CFile other(path, CFile::modeReadWrite | CFile::shareDenyNone);

    owner.LockRange(10, 20);
    ExpectFileError([&] { other.LockRange(25, 10); }, CFileException::lockViolation, path);
    other.LockRange(0, 10);
    other.UnlockRange(0, 10);

    // Ranges past 4 GiB take the high halves of position and count.
    const ULONGLONG farAway = 6ULL << 30;
    owner.LockRange(farAway, 1ULL << 32);
    ExpectFileError([&] { other.LockRange(farAway + (1ULL << 32) - 1, 1); }, CFileException::lockViolation);
    other.LockRange(farAway + (1ULL << 32), 1);

    owner.UnlockRange(10, 20);
    other.LockRange(25, 10);
    ExpectFileError([&] { owner.UnlockRange(10, 20); }, CFileException::lockViolation);
}

TEST(CFileTest, NamesHandlesAndDuplicates)
{
    CScratchFolder folder;
    // 運 ends in the byte '\\': the name must not be cut there.
    CString path = folder.Path("運行記錄.log");
    CFile file(path, CFile::modeCreate | CFile::modeReadWrite);
    EXPECT_STREQ("運行記錄.log", file.GetFileName());
    EXPECT_STREQ("運行記錄", file.GetFileTitle());
    EXPECT_STREQ(path, file.GetFilePath());

    file.Write("abcdef", 6);
    std::unique_ptr<CFile> duplicate(file.Duplicate());
    ASSERT_TRUE(duplicate);
    EXPECT_NE(file.m_hFile, duplicate->m_hFile);
    EXPECT_STREQ(path, duplicate->GetFilePath());
    duplicate->Seek(2, CFile::begin);
    EXPECT_EQ(2u, file.GetPosition()) << "duplicates share the file position";
    file.Close();
    char buffer[4] = {};
    EXPECT_EQ(3u, duplicate->Read(buffer, 3)) << "the duplicate outlives the original";
    EXPECT_STREQ("cde", buffer);
    EXPECT_EQ(NULL, file.Duplicate());
    duplicate.reset();

    file.SetFilePath("C:\\elsewhere\\name.ext");
    EXPECT_STREQ("C:\\elsewhere\\name.ext", file.GetFilePath());
    EXPECT_STREQ("name", file.GetFileTitle());

    // An attached handle stays open after its CFile is gone.
    HANDLE hFile = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    {
        CFile attached(hFile);
        EXPECT_EQ(6u, attached.GetLength());
    }
    EXPECT_EQ(6u, GetFileSize(hFile, NULL));
    CloseHandle(hFile);
}

TEST(CFileTest, RemoveAndRename)
{
    CScratchFolder folder;
    folder.CreateWithContents("a.txt", "A");
    folder.CreateWithContents("b.txt", "B");

    CFile::Rename(folder.Path("a.txt"), folder.Path("c.txt"));
    EXPECT_EQ("A", folder.Contents("c.txt"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path("a.txt")));

    ExpectFileError([&] { CFile::Rename(folder.Path("a.txt"), folder.Path("d.txt")); },
                    CFileException::fileNotFound, folder.Path("a.txt"));
    ExpectFileError([&] { CFile::Rename(folder.Path("b.txt"), folder.Path("c.txt")); },
                    CFileException::accessDenied, folder.Path("b.txt"));
    EXPECT_EQ("A", folder.Contents("c.txt"));

    CFile::Remove(folder.Path("c.txt"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path("c.txt")));

    ExpectFileError([&] { CFile::Remove(folder.Path("c.txt")); }, CFileException::fileNotFound, folder.Path("c.txt"));
    ExpectFileError([&] { CFile::Remove(folder.Path("none\\x.txt")); }, CFileException::badPath);

    CFile holder(folder.Path("b.txt"), CFile::modeRead | CFile::shareExclusive);
    ExpectFileError([&] { CFile::Remove(folder.Path("b.txt")); }, CFileException::sharingViolation);
    holder.Close();

    // Wine lets root open read-only files for writing, but not delete them.
    ASSERT_TRUE(SetFileAttributesA(folder.Path("b.txt"), FILE_ATTRIBUTE_READONLY));
    auto removeReadOnly = CatchFileException([&] { CFile::Remove(folder.Path("b.txt")); });
    ASSERT_TRUE(removeReadOnly);
    EXPECT_EQ(CFileException::accessDenied, removeReadOnly->m_cause);
    EXPECT_EQ(ERROR_ACCESS_DENIED, removeReadOnly->m_lOsError);
    EXPECT_STREQ(folder.Path("b.txt"), removeReadOnly->m_strFileName);
}

TEST(CFileTest, StatusRoundTrip)
{
    CScratchFolder folder;
    folder.CreateWithContents("status.dat", std::string(1234, 's'));
    CString path = folder.Path("status.dat");

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(1234u, status.m_size);
    EXPECT_STREQ(path, status.m_szFullName);
    EXPECT_EQ(0, status.m_attribute & (CFile::readOnly | CFile::directory));
    EXPECT_NE(0, status.m_mtime.GetTime());

    const CTime written(2001, 2, 3, 4, 5, 6);
    const CTime accessed(2011, 12, 13, 14, 15, 16);
    status.m_mtime = written;
    status.m_atime = accessed;
    status.m_ctime = CTime();
    status.m_attribute = CFile::readOnly | CFile::hidden | CFile::archive;
    CFile::SetStatus(path, status);

    CFileStatus after;
    ASSERT_TRUE(CFile::GetStatus(path, after));
    EXPECT_EQ(written, after.m_mtime);
    EXPECT_EQ(accessed, after.m_atime);
    EXPECT_EQ(CFile::readOnly | CFile::hidden | CFile::archive,
              after.m_attribute & (CFile::readOnly | CFile::hidden | CFile::system | CFile::archive));

    // Zero times and attributes leave the file's own; other times change even while read-only.
    CFileStatus partial = after;
    partial.m_mtime = CTime();
    partial.m_atime = CTime(2020, 1, 1, 0, 0, 0);
    partial.m_attribute = CFile::normal;
    CFile::SetStatus(path, partial);
    ASSERT_TRUE(CFile::GetStatus(path, after));
    EXPECT_EQ(written, after.m_mtime);
    EXPECT_EQ(CTime(2020, 1, 1, 0, 0, 0), after.m_atime);
    EXPECT_TRUE(after.m_attribute & CFile::readOnly);

    // Clearing read-only lets the new time through as well.
    partial.m_mtime = CTime(1999, 9, 9, 9, 9, 9);
    partial.m_attribute = CFile::archive;
    CFile::SetStatus(path, partial);
    ASSERT_TRUE(CFile::GetStatus(path, after));
    EXPECT_EQ(CTime(1999, 9, 9, 9, 9, 9), after.m_mtime);
    EXPECT_EQ(CFile::archive, after.m_attribute & (CFile::readOnly | CFile::hidden | CFile::archive));

    CFile file(path, CFile::modeRead);
    CFileStatus member;
    ASSERT_TRUE(file.GetStatus(member));
    EXPECT_EQ(after.m_mtime, member.m_mtime);
    EXPECT_EQ(1234u, member.m_size);
    EXPECT_STREQ(path, member.m_szFullName);

    EXPECT_FALSE(CFile::GetStatus(folder.Path("missing"), status));
    ExpectFileError([&] { CFile::SetStatus(folder.Path("missing"), partial); },
                    CFileException::fileNotFound, folder.Path("missing"));
}

} // namespace
