// Spans over removable disks, on a drive that Wine's mount manager declares a floppy for the
// test: the disk-change callback swaps the drive's contents, one folder per disk.
#include "TestArchive.h"
#include <winioctl.h>

namespace
{
// Wine's mount manager interface for defining a drive on a Unix folder.
#define WINE_MOUNTMGR_DEFINE_UNIX_DRIVE \
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS)

struct WineUnixDrive
{
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

typedef char*(CDECL* UnixFileNameFunction)(LPCWSTR);

CString DrivesKeyValue(char letter)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return "";
    char value[3] = {(char)tolower(letter), ':', 0};
    char data[64] = "";
    DWORD size = sizeof(data) - 1;
    RegQueryValueExA(key, value, NULL, NULL, (BYTE*)data, &size);
    RegCloseKey(key);
    return data;
}

// A drive letter of the test prefix mapped to a folder and reported as removable while it lives.
class FloppyDrive
{
public:
    FloppyDrive() : m_letter(0), m_disk(-1) {}

    ~FloppyDrive() { Remove(); }

    // Takes the drive away again, with its entry in the registry.
    void Remove()
    {
        if (m_letter != 0)
            Define(m_letter, DRIVE_NO_ROOT_DIR, NULL);
        m_letter = 0;
    }

    // Why the drive could not be made, or an empty string.
    std::string Create(const CString& folder)
    {
        UnixFileNameFunction unixName = (UnixFileNameFunction)(void*)GetProcAddress(
            GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
        if (unixName == NULL)
            return "not running under Wine";
        WCHAR wideFolder[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, folder, -1, wideFolder, MAX_PATH);
        char* path = unixName(wideFolder);
        if (path == NULL)
            return "no Unix path for the folder";
        std::string unixPath = path;
        HeapFree(GetProcessHeap(), 0, path);

        for (char letter = 'A'; letter <= 'Z'; ++letter)
        {
            char root[] = {letter, ':', '\\', 0};
            if (GetDriveTypeA(root) != DRIVE_NO_ROOT_DIR || !DrivesKeyValue(letter).IsEmpty())
                continue;
            if (!Define(letter, DRIVE_REMOVABLE, unixPath.c_str()))
                return "the mount manager refused the drive";
            m_letter = letter;
            m_folder = folder;
            return "";
        }
        return "no free drive letter";
    }

    char Letter() const { return m_letter; }
    CString Root() const { return CString(m_letter, 1) + ":\\"; }

    // Wine keeps the label of a drive without a device in a file at its root, and does not
    // report it for a removable drive.
    CString Label() const
    {
        char label[MAX_PATH] = "";
        GetVolumeInformationA(Root(), label, MAX_PATH, NULL, NULL, NULL, NULL, 0);
        if (label[0] != 0)
            return label;
        CString stored = ReadFileBytes(Root() + ".windows-label").c_str();
        stored.TrimRight();
        return stored;
    }

    // Takes the disk in the drive out to its shelf and puts disk iDisk in.
    void Insert(int iDisk)
    {
        if (m_disk >= 0)
            MoveAll(m_folder, Shelf(m_disk));
        MoveAll(Shelf(iDisk), m_folder);
        m_disk = iDisk;
    }

    CString Shelf(int iDisk) const
    {
        CString shelf;
        shelf.Format("%s-disk%d", (LPCTSTR)m_folder, iDisk);
        CreateDirectoryA(shelf, NULL);
        return shelf;
    }

    int Disk() const { return m_disk; }

private:
    static bool Define(char letter, ULONG type, const char* unixPath)
    {
        HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        if (manager == INVALID_HANDLE_VALUE)
            return false;
        std::vector<char> buffer(sizeof(WineUnixDrive) + (unixPath ? strlen(unixPath) + 1 : 0));
        WineUnixDrive* drive = (WineUnixDrive*)buffer.data();
        drive->size = (ULONG)buffer.size();
        drive->type = type;
        drive->letter = (WCHAR)tolower(letter);
        if (unixPath != NULL)
        {
            drive->mountPointOffset = sizeof(WineUnixDrive);
            strcpy(buffer.data() + sizeof(WineUnixDrive), unixPath);
        }
        DWORD returned = 0;
        BOOL done = DeviceIoControl(manager, WINE_MOUNTMGR_DEFINE_UNIX_DRIVE, buffer.data(), (DWORD)buffer.size(),
                                    NULL, 0, &returned, NULL);
        CloseHandle(manager);
        return done != FALSE;
    }

    static void MoveAll(const CString& from, const CString& to)
    {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA(from + "\\*", &data);
        if (h == INVALID_HANDLE_VALUE)
            return;
        do
        {
            if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
            {
                EXPECT_TRUE(MoveFileA(from + "\\" + data.cFileName, to + "\\" + data.cFileName)) << data.cFileName;
            }
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }

    char m_letter;
    CString m_folder;
    int m_disk;
};

struct CallbackLog
{
    FloppyDrive* drive;
    std::vector<std::pair<int, int>> calls;   // disk, reason
    int cancelAtCall = -1;
};

// Writing: a disk with something of the archive's name on it is swapped for a fresh one.
// Reading: the requested disk is put in.
bool ChangeDisk(int iDisk, int iReason, void* pUserData)
{
    CallbackLog& log = *static_cast<CallbackLog*>(pUserData);
    log.calls.push_back({iDisk, iReason});
    if ((int)log.calls.size() - 1 == log.cancelAtCall)
        return false;
    if (iReason == -2)
        log.drive->Insert(100 + iDisk);
    else if (iReason == -1)
        log.drive->Insert(iDisk);
    return true;
}

class ZipRemovableTest : public ZipTest
{
protected:
    void SetUp() override
    {
        ZipTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA(Path("floppy"), NULL));
        std::string failure = m_drive.Create(Path("floppy"));
        ASSERT_EQ("", failure);
        m_log.drive = &m_drive;
    }

    // The drive must go before its folder does.
    void TearDown() override
    {
        m_drive.Remove();
        ZipTest::TearDown();
    }

    FloppyDrive m_drive;
    CallbackLog m_log;
};

TEST_F(ZipRemovableTest, DriveIsDeclaredAFloppyAndRestored)
{
    EXPECT_EQ(DRIVE_REMOVABLE, (int)GetDriveTypeA(m_drive.Root()));
    EXPECT_STREQ("floppy", DrivesKeyValue(m_drive.Letter()));
    EXPECT_TRUE(ZipIsDriveRemovable(m_drive.Root() + "x.zip"));
    char letter = m_drive.Letter();
    m_drive.Remove();
    EXPECT_EQ(DRIVE_NO_ROOT_DIR, (int)GetDriveTypeA(CString(letter, 1) + ":\\"));
    EXPECT_STREQ("", DrivesKeyValue(letter));
}

TEST_F(ZipRemovableTest, SpanIsCreatedOnALabelledDisk)
{
    // The first disk offered already holds a file of the archive's name.
    m_drive.Insert(0);
    CString archive = m_drive.Root() + "arc.zip";
    WriteFileBytes(archive, "an older archive");
    auto entries = std::vector<std::pair<std::string, std::string>>{{"a.txt", MakeText(40000, 31)},
                                                                    {"b.bin", MakeNoise(20000, 32)}};
    {
        CZipPackage package;
        package.SetDiskChangeCallback(ChangeDisk, &m_log);
        package.Open(archive, CZipPackage::ModeCreateSpanned, 0);
        EXPECT_EQ(ZipSpanMode::SpanRemovable, package.GetSpanMode());
        for (const auto& entry : entries)
            AddSpannedEntry(package, entry.first, entry.second);
        package.Close();
    }
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 4}, {0, -2}}), m_log.calls);
    EXPECT_EQ("an older archive", ReadFileBytes(m_drive.Shelf(0) + "\\arc.zip"));
    EXPECT_STREQ("pkback#000", m_drive.Label());

    // Everything fitted on the disk, so it became a plain archive.
    CZipPackage package;
    package.Open(archive, CZipPackage::ModeOpenReadOnly, 0);
    EXPECT_EQ(ZipSpanMode::SpanNone, package.GetSpanMode());
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    for (const auto& entry : entries)
        EXPECT_EQ(entry.second, ReadFileBytes(Path("out\\") + entry.first.c_str()));
}

TEST_F(ZipRemovableTest, SpanIsReadDiskByDisk)
{
    std::vector<std::string> data = {MakeNoise(7000, 33), MakeText(30000, 34), MakeNoise(9000, 35)};
    {
        CZipPackage package;
        package.Open(Path("numbered.zip"), CZipPackage::ModeCreateSpanned, 6000);
        for (size_t i = 0; i < data.size(); ++i)
            AddSpannedEntry(package, "file" + std::to_string(i), data[i]);
        package.Close();
    }
    int disks = 0;
    while (true)
    {
        CString volume;
        volume.Format("%s.%.3d", (LPCTSTR)Path("numbered"), disks);
        if (!PathExists(volume))
            break;
        ASSERT_TRUE(MoveFileA(volume, m_drive.Shelf(disks) + "\\arc.zip"));
        ++disks;
    }
    ASSERT_GE(disks, 2);
    ASSERT_TRUE(MoveFileA(Path("numbered.zip"), m_drive.Shelf(disks) + "\\arc.zip"));
    m_drive.Insert(disks);
    CString archive = m_drive.Root() + "arc.zip";

    {
        CZipPackage package;
        EXPECT_EQ(CZipException::MissingVolumeCallback,
                  ZipCauseOf([&] { package.Open(archive, CZipPackage::ModeOpenReadOnly, 0); }));
    }
    {
        CZipPackage package;
        package.SetDiskChangeCallback(ChangeDisk, &m_log);
        package.Open(archive, CZipPackage::ModeOpenReadOnly, 0);
        EXPECT_EQ(ZipSpanMode::SpanRemovable, package.GetSpanMode());
        EXPECT_TRUE(ExtractAll(package, "out").empty());
        for (size_t i = 0; i < data.size(); ++i)
            EXPECT_EQ(data[i], ReadFileBytes(Path("out\\file") + std::to_string(i).c_str()));
        EXPECT_GE(m_log.calls.size(), (size_t)disks);
        for (const auto& call : m_log.calls)
            EXPECT_EQ(-1, call.second);
        EXPECT_EQ(0, m_log.calls.front().first);
    }

    // Refusing a disk cancels with the volume's path.
    m_log.calls.clear();
    m_log.cancelAtCall = 1;
    m_drive.Insert(disks);
    CZipPackage package;
    package.SetDiskChangeCallback(ChangeDisk, &m_log);
    try
    {
        package.Open(archive, CZipPackage::ModeOpenReadOnly, 0);
        ExtractAll(package, "again");
        ADD_FAILURE() << "no cancellation";
    }
    catch (CZipException* e)
    {
        EXPECT_EQ(CZipException::VolumeRequestCancelled, e->m_iCause);
        EXPECT_STREQ(archive, e->m_strFileName);
        e->Delete();
    }
}

TEST_F(ZipRemovableTest, FixedDrivesAndMissingCallbacksAreRefused)
{
    CZipPackage package;
    EXPECT_EQ(CZipException::MissingVolumeCallback,
              ZipCauseOf([&] { package.Open(m_drive.Root() + "arc.zip", CZipPackage::ModeCreateSpanned, 0); }));
    CZipPackage fixed;
    fixed.SetDiskChangeCallback(ChangeDisk, &m_log);
    EXPECT_EQ(CZipException::MediaNotRemovable,
              ZipCauseOf([&] { fixed.Open(Path("arc.zip"), CZipPackage::ModeCreateSpanned, 0); }));
    EXPECT_TRUE(m_log.calls.empty());
}
}
