// The two ways an entry reaches its file, seen from the folder it is written into: a small entry
// whose target is new appears under its own name, once verified; a larger one, or one whose
// target exists, is written beside it and moved into place. Output past an entry's declared
// size is damage on either way.
#include "TestArchive.h"

namespace
{
// What happens to the names of a folder: "+name" added, "-name" removed, "<name" renamed away,
// ">name" renamed to.
class FolderWatch
{
public:
    explicit FolderWatch(const CString& folder)
    {
        m_folder = CreateFileA(folder, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, NULL);
        m_overlapped.hEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, m_folder);
        EXPECT_TRUE(Watch());
    }

    ~FolderWatch()
    {
        CancelIo(m_folder);
        CloseHandle(m_folder);
        CloseHandle(m_overlapped.hEvent);
    }

    std::vector<std::string> Events()
    {
        std::vector<std::string> events;
        DWORD length;
        while (WaitForSingleObject(m_overlapped.hEvent, 500) == WAIT_OBJECT_0 &&
               GetOverlappedResult(m_folder, &m_overlapped, &length, FALSE))
        {
            for (DWORD offset = 0; length != 0;)
            {
                const FILE_NOTIFY_INFORMATION* info = (const FILE_NOTIFY_INFORMATION*)(m_buffer + offset);
                char name[MAX_PATH] = {};
                WideCharToMultiByte(CP_ACP, 0, info->FileName, (int)(info->FileNameLength / sizeof(WCHAR)), name,
                                    MAX_PATH - 1, NULL, NULL);
                static const char kinds[] = "?+-~<>";
                events.push_back(std::string(1, kinds[info->Action <= 5 ? info->Action : 0]) + name);
                if (info->NextEntryOffset == 0)
                    break;
                offset += info->NextEntryOffset;
            }
            if (!Watch())
                break;
        }
        return events;
    }

private:
    bool Watch()
    {
        ResetEvent(m_overlapped.hEvent);
        return ReadDirectoryChangesW(m_folder, m_buffer, sizeof(m_buffer), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME, NULL,
                                     &m_overlapped, NULL) != FALSE;
    }

    HANDLE m_folder;
    OVERLAPPED m_overlapped = {};
    alignas(DWORD) BYTE m_buffer[16384];
};

class ZipWritePathTest : public ZipTest
{
protected:
    // Extracts the entry into "out" (made beforehand) and returns what the folder saw, with the
    // cause of a ZIP error, or of a file error plus 1000.
    std::vector<std::string> ExtractWatched(WORD index, int* cause = NULL)
    {
        FolderWatch watch(Path("out"));
        int zipCause = 0;
        int fileCause = FileCauseOf([&] { zipCause = ZipCauseOf([&] { m_package.ExtractFile(index, Path("out")); }); });
        if (cause != NULL)
            *cause = zipCause != 0 ? zipCause : (fileCause != 0 ? 1000 + fileCause : 0);
        return watch.Events();
    }

    void Open(const TestArchive& archive)
    {
        archive.WriteTo(Path("a.zip"));
        ZipForceDirectory(Path("out"));
        m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    }

    CZipPackage m_package;
};

typedef std::vector<std::string> Events;

TEST_F(ZipWritePathTest, EntryAtTheBoundAppearsUnderItsNameAndOneByteMoreIsMovedThere)
{
    const DWORD bound = CZipPackage::InMemoryLimit;
    TestArchive archive;
    TestEntry& atBound = archive.Add("at-bound.txt", MakeText(bound, 41));
    atBound.modDate = (WORD)(((2020 - 1980) << 9) | (2 << 5) | 29);
    atBound.externalAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    archive.Add("over.bin", MakeNoise(bound + 1, 42), 0);
    archive.Add("empty.txt", "");
    Open(archive);

    EXPECT_EQ((Events{"+at-bound.txt"}), ExtractWatched(0));
    Events over = ExtractWatched(1);
    ASSERT_EQ(3u, over.size());
    EXPECT_EQ('+', over[0][0]);
    EXPECT_EQ("<" + over[0].substr(1), over[1]);
    EXPECT_EQ(">over.bin", over[2]);
    EXPECT_EQ((Events{"+empty.txt"}), ExtractWatched(2));

    EXPECT_EQ(atBound.data, ReadFileBytes(Path("out\\at-bound.txt")));
    EXPECT_EQ(archive.entries[1].data, ReadFileBytes(Path("out\\over.bin")));
    EXPECT_EQ("", ReadFileBytes(Path("out\\empty.txt")));
    EXPECT_TRUE(GetFileAttributesA(Path("out\\at-bound.txt")) & FILE_ATTRIBUTE_READONLY);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(Path("out\\at-bound.txt"), status));
    EXPECT_EQ(2020, status.m_mtime.GetYear());
    EXPECT_EQ(29, status.m_mtime.GetDay());
}

TEST_F(ZipWritePathTest, ExistingTargetIsReplacedThroughAMove)
{
    TestArchive archive;
    archive.Add("small.txt", "new");
    Open(archive);
    WriteFileBytes(Path("out\\small.txt"), "old");

    Events events = ExtractWatched(0);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ('+', events[0][0]);
    EXPECT_NE("+small.txt", events[0]);
    EXPECT_EQ(">small.txt", events.back());
    EXPECT_EQ("new", ReadFileBytes(Path("out\\small.txt")));
}

TEST_F(ZipWritePathTest, DamagedSmallEntryTouchesNothing)
{
    TestArchive archive;
    archive.Add("crc.txt", MakeText(CZipPackage::InMemoryLimit, 43)).crc = 0x12345678;
    TestEntry& broken = archive.Add("broken.txt", MakeText(200000, 44));
    broken.compressed = DeflateWithBadBlock(broken.data, 150000);
    Open(archive);

    int cause = 0;
    EXPECT_EQ(Events{}, ExtractWatched(0, &cause));
    EXPECT_EQ(CZipException::ChecksumMismatch, cause);
    m_package.Close(true);
    m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(Events{}, ExtractWatched(1, &cause));
    EXPECT_EQ(CZipException::ZlibDataError, cause);
}

TEST_F(ZipWritePathTest, OutputPastTheDeclaredSizeIsCorruptOnEitherWay)
{
    // Each stream holds more than its entry declares; the CRC is that of the declared part, so
    // only the size can tell.
    TestArchive archive;
    for (DWORD declared : {DWORD(1000), DWORD(CZipPackage::InMemoryLimit + 1000), DWORD(4096)})
    {
        std::string data = MakeText(declared + 5000, declared);
        TestEntry& entry = archive.Add("long" + std::to_string(declared), data);
        entry.uncompressedSize = declared;
        entry.crc = Crc32(data.substr(0, declared));
    }
    Open(archive);

    for (WORD i = 0; i < 2; ++i)
    {
        int cause = 0;
        ExtractWatched(i, &cause);
        EXPECT_EQ(CZipException::CorruptArchive, cause) << i;
        m_package.Close(true);
        m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    }
    ExpectFolderHolds({});

    // Reading the entry by itself stops at the declared size, and that read is the one refused.
    char buffer[4096];
    ASSERT_TRUE(m_package.OpenFile(2));
    EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { m_package.ReadFile(buffer, sizeof(buffer)); }));
}

// Run by the zip_write_failures test, whose process may write files of at most 256 KB: its
// writes past that fail as on a full disk.
TEST_F(ZipWritePathTest, FailedWritesLeaveNothingOnEitherWay)
{
    const DWORD limit = 256 * 1024;
    HANDLE probe = CreateFileA(Path("probe"), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, probe);
    std::string bytes(limit + 1, 'p');
    DWORD written = 0;
    bool limited = !WriteFile(probe, bytes.data(), limit + 1, &written, NULL) || written != limit + 1;
    CloseHandle(probe);
    if (!limited)
        GTEST_SKIP() << "needs a file size limit of 256 KB (the zip_write_failures test)";

    auto lines = [](size_t size) {
        std::string text;
        while (text.size() < size)
            text += "the same line again and again\r\n";
        return text.substr(0, size);
    };
    TestArchive archive;
    archive.Add("new.txt", lines(CZipPackage::InMemoryLimit));
    archive.Add("large.txt", lines(CZipPackage::InMemoryLimit * 2));
    archive.Add("existing.txt", lines(limit * 2));
    Open(archive);
    WriteFileBytes(Path("out\\existing.txt"), "old");

    for (WORD i = 0; i < 3; ++i)
    {
        EXPECT_GT(FileCauseOf([&] { m_package.ExtractFile(i, Path("out")); }), 0) << i;
        m_package.Close(true);
        m_package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    }
    ExpectFolderHolds({"existing.txt"});
    EXPECT_EQ("old", ReadFileBytes(Path("out\\existing.txt")));
}
}
