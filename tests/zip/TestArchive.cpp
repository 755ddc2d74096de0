#include "TestArchive.h"
#include <zlib.h>
#include <random>

std::string Deflate(const std::string& data)
{
    z_stream zs = {};
    EXPECT_EQ(Z_OK, deflateInit2_(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, ZLIB_VERSION,
                                  (int)sizeof(z_stream)));
    std::string out(deflateBound(&zs, (uLong)data.size()), '\0');
    zs.next_in = (Bytef*)data.data();
    zs.avail_in = (uInt)data.size();
    zs.next_out = (Bytef*)&out[0];
    zs.avail_out = (uInt)out.size();
    EXPECT_EQ(Z_STREAM_END, deflate(&zs, Z_FINISH));
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

std::string DeflateWithBadBlock(const std::string& data, size_t validBytes)
{
    z_stream zs = {};
    EXPECT_EQ(Z_OK, deflateInit2_(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, ZLIB_VERSION,
                                  (int)sizeof(z_stream)));
    std::string out(deflateBound(&zs, (uLong)validBytes) + 16, '\0');
    zs.next_in = (Bytef*)data.data();
    zs.avail_in = (uInt)validBytes;
    zs.next_out = (Bytef*)&out[0];
    zs.avail_out = (uInt)out.size();
    EXPECT_EQ(Z_OK, deflate(&zs, Z_FULL_FLUSH));
    out.resize(zs.total_out);
    deflateEnd(&zs);
    // A byte-aligned block header of the reserved type 3, then filler.
    return out + "\x06" + std::string(100, '\x55');
}

DWORD Crc32(const std::string& data)
{
    return crc32(0, (const Bytef*)data.data(), (uInt)data.size());
}

std::string MakeText(size_t size, unsigned seed)
{
    static const char* const words[] = {"archive ", "entry ", "folder ", "volume ", "data\r\n", "zip "};
    std::mt19937 rng(seed);
    std::string text;
    while (text.size() < size)
        text += words[rng() % 6];
    text.resize(size);
    return text;
}

std::string MakeNoise(size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string noise(size, '\0');
    for (char& c : noise)
        c = (char)rng();
    return noise;
}

void WriteFileBytes(const CString& path, const std::string& data)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << (LPCTSTR)path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, data.data(), (DWORD)data.size(), &written, NULL));
    EXPECT_EQ(data.size(), written);
    CloseHandle(h);
}

std::string ReadFileBytes(const CString& path)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string data(GetFileSize(h, NULL), '\0');
    DWORD read = 0;
    if (!data.empty())
        ReadFile(h, &data[0], (DWORD)data.size(), &read, NULL);
    CloseHandle(h);
    data.resize(read);
    return data;
}

bool PathExists(const CString& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

std::string TestEntry::Encoded() const
{
    if (compressed)
        return *compressed;
    return method == 8 ? Deflate(data) : data;
}

namespace
{
std::string Word(WORD u)
{
    return std::string{(char)u, (char)(u >> 8)};
}

std::string Dword(DWORD u)
{
    return Word((WORD)u) + Word((WORD)(u >> 16));
}

DWORD CrcOf(const TestEntry& entry)
{
    return entry.crc ? *entry.crc : Crc32(entry.data);
}

DWORD SizeOf(const TestEntry& entry)
{
    return entry.uncompressedSize ? *entry.uncompressedSize : (DWORD)entry.data.size();
}

WORD FlagsOf(const TestEntry& entry)
{
    return (WORD)(entry.flags | (entry.descriptor == TestEntry::NoDescriptor ? 0 : 8));
}
}

std::string LocalRecord(const TestEntry& entry)
{
    std::string encoded = entry.Encoded();
    bool descriptor = entry.descriptor != TestEntry::NoDescriptor;
    std::string r = Dword(0x04034B50) + Word(20) + Word(FlagsOf(entry)) +
                    Word(entry.localMethod ? *entry.localMethod : entry.method) + Word(entry.modTime) +
                    Word(entry.modDate) + Dword(descriptor ? 0 : CrcOf(entry)) +
                    Dword(descriptor ? 0 : (DWORD)encoded.size()) + Dword(descriptor ? 0 : SizeOf(entry)) +
                    Word(entry.localNameLength ? *entry.localNameLength : (WORD)entry.name.size()) +
                    Word((WORD)entry.extra.size()) + entry.name + entry.extra + encoded;
    if (entry.descriptor == TestEntry::DescriptorWithSignature)
        r += Dword(0x08074B50);
    if (descriptor)
        r += Dword(entry.descriptorCrc ? *entry.descriptorCrc : CrcOf(entry)) + Dword((DWORD)encoded.size()) +
             Dword(SizeOf(entry));
    return r;
}

std::string CentralRecord(const TestEntry& entry, DWORD uOffset, WORD uDisk)
{
    return Dword(0x02014B50) + Word(20) + Word(20) + Word(FlagsOf(entry)) + Word(entry.method) +
           Word(entry.modTime) + Word(entry.modDate) + Dword(CrcOf(entry)) +
           Dword((DWORD)entry.Encoded().size()) + Dword(SizeOf(entry)) + Word((WORD)entry.name.size()) +
           Word(0) + Word(0) + Word(uDisk) + Word(0) + Dword(entry.externalAttributes) + Dword(uOffset) +
           entry.name;
}

std::string EndRecord(WORD thisDisk, WORD dirDisk, WORD entriesOnDisk, WORD entries, DWORD dirSize,
                      DWORD dirOffset, const std::string& comment)
{
    return Dword(0x06054B50) + Word(thisDisk) + Word(dirDisk) + Word(entriesOnDisk) + Word(entries) +
           Dword(dirSize) + Dword(dirOffset) + Word((WORD)comment.size()) + comment;
}

TestEntry& TestArchive::Add(const std::string& name, const std::string& data, WORD method)
{
    TestEntry entry;
    entry.name = name;
    entry.data = data;
    entry.method = method;
    entries.push_back(entry);
    return entries.back();
}

std::string TestArchive::Build() const
{
    std::string body, central;
    for (const TestEntry& entry : entries)
    {
        central += CentralRecord(entry, (DWORD)body.size(), 0);
        body += LocalRecord(entry);
    }
    WORD count = (WORD)entries.size();
    return prefix + body + central +
           EndRecord(0, 0, count, count, (DWORD)central.size(), (DWORD)body.size(), comment) + trailing;
}

void AddSpannedEntry(CZipPackage& package, const std::string& name, const std::string& data, WORD method)
{
    TestEntry entry;
    entry.name = name;
    entry.data = data;
    entry.method = method;
    std::string encoded = entry.Encoded();
    CZipEntryHeader header;
    header.m_uMethod = method;
    header.m_uModTime = entry.modTime;
    header.m_uModDate = entry.modDate;
    header.m_uCrc32 = Crc32(data);
    header.m_uCompressedSize = (DWORD)encoded.size();
    header.m_uUncompressedSize = (DWORD)data.size();
    header.m_strFileName = CString(name.data(), (int)name.size());
    ASSERT_TRUE(package.AddPackedEntry(header, encoded.data()));
}

WORD WordAt(const std::string& bytes, size_t offset)
{
    return (WORD)((BYTE)bytes.at(offset) | ((BYTE)bytes.at(offset + 1) << 8));
}

DWORD DwordAt(const std::string& bytes, size_t offset)
{
    return WordAt(bytes, offset) | ((DWORD)WordAt(bytes, offset + 2) << 16);
}

int ZipCauseOf(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (CZipException* e)
    {
        int cause = e->m_iCause;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -1;
    }
    return 0;
}

int FileCauseOf(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (CFileException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -1;
    }
    return 0;
}

std::vector<int> ZipTest::ExtractAll(CZipPackage& package, LPCTSTR folder, DWORD bufferSize)
{
    std::vector<int> refused;
    for (int i = 0; i < package.GetCount(); ++i)
    {
        if (!package.ExtractFile((WORD)i, Path(folder), bufferSize))
            refused.push_back(i);
    }
    return refused;
}

void ZipTest::ExpectFolderHolds(std::vector<std::string> names, LPCTSTR folder)
{
    std::vector<std::string> found;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(Path(folder) + "\\*", &data);
    if (h != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0)
                found.push_back(data.cFileName);
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    std::sort(found.begin(), found.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, found);
}
