// Builds archives byte by byte for the tests, and a fresh folder per test.
#pragma once
#include "ScratchFolder.h"
#include "ZipPackage.h"
#include <gtest/gtest.h>
#include <functional>
#include <deque>
#include <optional>
#include <string>
#include <vector>

std::string Deflate(const std::string& data);
DWORD Crc32(const std::string& data);
// The first validBytes of data deflated, then a block of the reserved type.
std::string DeflateWithBadBlock(const std::string& data, size_t validBytes);
// Deterministic bytes: compressible text or incompressible noise.
std::string MakeText(size_t size, unsigned seed);
std::string MakeNoise(size_t size, unsigned seed);

void WriteFileBytes(const CString& path, const std::string& data);
std::string ReadFileBytes(const CString& path);
bool PathExists(const CString& path);

struct TestEntry
{
    enum Descriptor { NoDescriptor, DescriptorWithSignature, DescriptorWithoutSignature };

    std::string name;
    std::string data;
    WORD method = 8;
    Descriptor descriptor = NoDescriptor;
    DWORD externalAttributes = 0x20;
    WORD modTime = 0x6000;   // 12:00:00
    WORD modDate = 0x5A21;   // 2025-01-01
    std::string extra;                            // local header only
    WORD flags = 0;                               // general-purpose bits besides the descriptor's

    // Deviations that make a damaged entry.
    std::optional<std::string> compressed;        // stored bytes instead of the encoded data
    std::optional<DWORD> crc;                     // central (and local) CRC
    std::optional<DWORD> uncompressedSize;        // declared size
    std::optional<WORD> localMethod;
    std::optional<WORD> localNameLength;
    std::optional<DWORD> descriptorCrc;

    std::string Encoded() const;
};

// A plain archive, optionally preceded by other bytes or followed by junk.
class TestArchive
{
public:
    TestEntry& Add(const std::string& name, const std::string& data, WORD method = 8);
    std::string Build() const;
    void WriteTo(const CString& path) const { WriteFileBytes(path, Build()); }

    std::deque<TestEntry> entries;   // references stay valid as entries are added
    std::string prefix;
    std::string comment;
    std::string trailing;
};

// Local record (header, name, extra, data, descriptor) and central record of an entry whose
// local header starts at uOffset on disk uDisk.
std::string LocalRecord(const TestEntry& entry);
std::string CentralRecord(const TestEntry& entry, DWORD uOffset, WORD uDisk);
std::string EndRecord(WORD thisDisk, WORD dirDisk, WORD entriesOnDisk, WORD entries, DWORD dirSize,
                      DWORD dirOffset, const std::string& comment);

// Adds an entry to an archive being created, packed by the method (8 deflated, 0 stored).
void AddSpannedEntry(CZipPackage& package, const std::string& name, const std::string& data, WORD method = 8);

// Little-endian fields of archive bytes.
WORD WordAt(const std::string& bytes, size_t offset);
DWORD DwordAt(const std::string& bytes, size_t offset);

// Runs f and returns the cause of the CZipException it throws, 0 when none, -1 for another
// exception.
int ZipCauseOf(const std::function<void()>& f);
// Same for CFileException: its cause, 0 when none, -1 for another exception.
int FileCauseOf(const std::function<void()>& f);

// A fresh empty folder for each test, removed afterwards.
class ZipTest : public ::testing::Test
{
protected:
    CString Path(LPCTSTR relative) const { return m_folder + "\\" + relative; }
    // Extracts every entry into Path(folder); returns the entries refused.
    std::vector<int> ExtractAll(CZipPackage& package, LPCTSTR folder, DWORD bufferSize = 65535);
    // Only the named files are in Path(folder): no temporary file was left behind.
    void ExpectFolderHolds(std::vector<std::string> names, LPCTSTR folder = "out");

    CScratchFolder m_scratch;
    CString m_folder = m_scratch.Folder();
};
