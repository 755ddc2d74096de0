// zipbench: builds a deterministic archive of about 64 MB and measures, in the same run, extraction
// of every entry through the archive library against bare zlib inflate + crc32 + WriteFile, the
// practical limit of any extractor on this machine.
//
//   zipbench WORKFOLDER [RUNS]
//
// Leaves WORKFOLDER\bench.zip behind for the command-line comparison of run-zipbench.sh.
#include "afx.h"
#include "ZipPackage.h"
#include <zlib.h>
#include <algorithm>
#include <set>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const UINT kCopyBufferSize = 65535;
const int kLargeEntryCount = 4;
const int kSmallEntryCount = 3000;

struct Entry
{
    std::string name;
    WORD method = 0;
    DWORD crc = 0;
    DWORD packedSize = 0;
    DWORD size = 0;
    DWORD localOffset = 0;
};

// Deterministic data: the same archive on every machine and every run.
class Generator
{
public:
    explicit Generator(DWORD seed) : m_state(seed) {}

    DWORD Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

    void Random(std::vector<unsigned char>& out, size_t size)
    {
        out.resize(size);
        for (size_t i = 0; i < size; ++i)
            out[i] = static_cast<unsigned char>(Next() >> 24);
    }

    // Word salad: compresses about as well as source code or prose.
    void Text(std::vector<unsigned char>& out, size_t size)
    {
        static const char* const kWords[] = {
            "archive", "entry", "volume", "header", "folder", "install", "window", "toolbar", "the",
            "of", "and", "to", "in", "is", "for", "with", "return", "value", "buffer", "size", "int",
            "const", "stream", "deflate", "inflate", "checksum", "directory", "record", "offset" };
        const size_t wordCount = sizeof kWords / sizeof kWords[0];
        out.clear();
        out.reserve(size);
        while (out.size() < size)
        {
            const DWORD r = Next();
            const char* word = kWords[r % wordCount];
            out.insert(out.end(), word, word + strlen(word));
            out.push_back((r >> 16) % 11 == 0 ? '\n' : ' ');
        }
        out.resize(size);
    }

private:
    DWORD m_state;
};

void Put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& out, DWORD value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

unsigned Get16(const unsigned char* p) { return p[0] | (p[1] << 8); }
DWORD Get32(const unsigned char* p) { return Get16(p) | (static_cast<DWORD>(Get16(p + 2)) << 16); }

const unsigned kDosTime = (12u << 11) | (30u << 5);
const unsigned kDosDate = ((2024u - 1980u) << 9) | (3u << 5) | 15u;

std::vector<unsigned char> Deflate(const std::vector<unsigned char>& data)
{
    z_stream zs = {};
    deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> packed(deflateBound(&zs, static_cast<uLong>(data.size())));
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = packed.data();
    zs.avail_out = static_cast<uInt>(packed.size());
    deflate(&zs, Z_FINISH);
    packed.resize(zs.total_out);
    deflateEnd(&zs);
    return packed;
}

class ArchiveWriter
{
public:
    explicit ArchiveWriter(const std::string& path)
        : m_file(fopen(path.c_str(), "wb")) {}
    ~ArchiveWriter() { if (m_file != nullptr) fclose(m_file); }

    bool IsOpen() const { return m_file != nullptr; }

    // Deflates the data, or stores it when deflating would not make it smaller, as zip tools do.
    void Add(const std::string& name, const std::vector<unsigned char>& data)
    {
        Entry entry;
        entry.name = name;
        entry.size = static_cast<DWORD>(data.size());
        entry.crc = crc32(0, data.data(), static_cast<uInt>(data.size()));
        entry.localOffset = m_offset;
        std::vector<unsigned char> packed = Deflate(data);
        const bool store = packed.size() >= data.size();
        entry.method = store ? 0 : 8;
        const std::vector<unsigned char>& body = store ? data : packed;
        entry.packedSize = static_cast<DWORD>(body.size());

        std::vector<unsigned char> header;
        Put32(header, 0x04034B50);
        Put16(header, 20);
        Put16(header, 0);
        Put16(header, entry.method);
        Put16(header, kDosTime);
        Put16(header, kDosDate);
        Put32(header, entry.crc);
        Put32(header, entry.packedSize);
        Put32(header, entry.size);
        Put16(header, static_cast<unsigned>(name.size()));
        Put16(header, 0);
        header.insert(header.end(), name.begin(), name.end());
        Write(header);
        Write(body);
        m_entries.push_back(entry);
    }

    void Finish()
    {
        std::vector<unsigned char> directory;
        for (const Entry& entry : m_entries)
        {
            Put32(directory, 0x02014B50);
            Put16(directory, 20);
            Put16(directory, 20);
            Put16(directory, 0);
            Put16(directory, entry.method);
            Put16(directory, kDosTime);
            Put16(directory, kDosDate);
            Put32(directory, entry.crc);
            Put32(directory, entry.packedSize);
            Put32(directory, entry.size);
            Put16(directory, static_cast<unsigned>(entry.name.size()));
            Put16(directory, 0);
            Put16(directory, 0);
            Put16(directory, 0);
            Put16(directory, 0);
            Put32(directory, FILE_ATTRIBUTE_ARCHIVE);
            Put32(directory, entry.localOffset);
            directory.insert(directory.end(), entry.name.begin(), entry.name.end());
        }
        const DWORD directorySize = static_cast<DWORD>(directory.size());
        Put32(directory, 0x06054B50);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, static_cast<unsigned>(m_entries.size()));
        Put16(directory, static_cast<unsigned>(m_entries.size()));
        Put32(directory, directorySize);
        Put32(directory, m_offset);
        Put16(directory, 0);
        Write(directory);
    }

    const std::vector<Entry>& Entries() const { return m_entries; }
    DWORD Size() const { return m_offset; }

private:
    void Write(const std::vector<unsigned char>& bytes)
    {
        fwrite(bytes.data(), 1, bytes.size(), m_file);
        m_offset += static_cast<DWORD>(bytes.size());
    }

    FILE* m_file;
    DWORD m_offset = 0;
    std::vector<Entry> m_entries;
};

struct ArchiveFacts
{
    DWORD size = 0;
    DWORD largeSize = 0;
    DWORD fileSize = 0;
    size_t entryCount = 0;
};

// A few large entries first, then a few thousand small ones in folders; text, random and
// half-and-half data.
bool BuildArchive(const std::string& path, ArchiveFacts& facts)
{
    ArchiveWriter writer(path);
    if (!writer.IsOpen())
        return false;
    Generator generator(20240315);
    std::vector<unsigned char> data;
    std::vector<unsigned char> half;
    const size_t kLargeSizes[kLargeEntryCount] = { 12u << 20, 8u << 20, 8u << 20, 6u << 20 };
    for (int i = 0; i < kLargeEntryCount; ++i)
    {
        switch (i % 3)
        {
        case 0: generator.Text(data, kLargeSizes[i]); break;
        case 1: generator.Random(data, kLargeSizes[i]); break;
        default:
            generator.Text(data, kLargeSizes[i] / 2);
            generator.Random(half, kLargeSizes[i] - data.size());
            data.insert(data.end(), half.begin(), half.end());
            break;
        }
        char name[32];
        snprintf(name, sizeof name, "large/part%d.bin", i);
        writer.Add(name, data);
    }
    for (int i = 0; i < kSmallEntryCount; ++i)
    {
        const size_t size = 64 + generator.Next() % 20000;
        if (i % 3 == 2)
            generator.Random(data, size);
        else
            generator.Text(data, size);
        char name[48];
        snprintf(name, sizeof name, "small/d%02d/file%04d.%s", i % 40, i, i % 3 == 2 ? "bin" : "txt");
        writer.Add(name, data);
    }
    writer.Finish();
    for (size_t i = 0; i < writer.Entries().size(); ++i)
    {
        facts.size += writer.Entries()[i].size;
        if (i < kLargeEntryCount)
            facts.largeSize += writer.Entries()[i].size;
    }
    facts.fileSize = writer.Size();
    facts.entryCount = writer.Entries().size();
    return true;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
            {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

double Seconds()
{
    static LARGE_INTEGER frequency;
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Wall time of one extraction, and of its first part: opening and the large entries.
struct Timing
{
    double total = 0;
    double large = 0;
};

// (a) The library, as the installer drives it.
bool ExtractWithLibrary(const std::string& archive, const std::string& folder, Timing& timing)
{
    const double start = Seconds();
    CZipPackage package;
    try
    {
        package.Open(archive.c_str(), CZipPackage::ModeOpenReadOnly, 1);
        for (int i = 0; i < package.GetCount(); ++i)
        {
            if (!package.ExtractFile(static_cast<WORD>(i), folder.c_str(), kCopyBufferSize))
                return false;
            if (i + 1 == kLargeEntryCount)
                timing.large = Seconds() - start;
        }
        package.Close(false);
        timing.total = Seconds() - start;
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { if (IsValid()) CloseHandle(m_handle); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool ReadAt(HANDLE file, DWORD offset, void* buffer, DWORD length)
{
    DWORD read = 0;
    return SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER
           && ::ReadFile(file, buffer, length, &read, nullptr) && read == length;
}

bool ReadDirectory(HANDLE file, std::vector<Entry>& entries)
{
    const DWORD fileSize = GetFileSize(file, nullptr);
    unsigned char end[22];
    if (fileSize < sizeof end || !ReadAt(file, fileSize - sizeof end, end, sizeof end)
        || Get32(end) != 0x06054B50)
        return false;
    std::vector<unsigned char> directory(Get32(end + 12));
    if (!ReadAt(file, Get32(end + 16), directory.data(), static_cast<DWORD>(directory.size())))
        return false;
    const unsigned char* p = directory.data();
    for (unsigned i = 0; i < Get16(end + 10); ++i)
    {
        Entry entry;
        entry.method = static_cast<WORD>(Get16(p + 10));
        entry.crc = Get32(p + 16);
        entry.packedSize = Get32(p + 20);
        entry.size = Get32(p + 24);
        entry.localOffset = Get32(p + 42);
        entry.name.assign(reinterpret_cast<const char*>(p + 46), Get16(p + 28));
        std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
        entries.push_back(entry);
        p += 46 + Get16(p + 28) + Get16(p + 30) + Get16(p + 32);
    }
    return true;
}

void CreateParents(const std::string& path, std::set<std::string>& created)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return;
    const std::string parent = path.substr(0, slash);
    if (created.count(parent) != 0)
        return;
    CreateParents(parent, created);
    CreateDirectoryA(parent.c_str(), nullptr);
    created.insert(parent);
}

// (b) The practical limit: raw inflate, crc32 and WriteFile, nothing else.
bool ExtractWithZlib(const std::string& archive, const std::string& folder, Timing& timing)
{
    const double start = Seconds();
    static unsigned char input[65536];
    static unsigned char output[kCopyBufferSize];
    Handle file(CreateFileA(archive.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    std::vector<Entry> entries;
    if (!file.IsValid() || !ReadDirectory(file, entries))
        return false;
    z_stream zs = {};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return false;
    std::set<std::string> created;
    bool ok = true;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const Entry& entry = entries[i];
        if (i == kLargeEntryCount)
            timing.large = Seconds() - start;
        unsigned char local[30];
        if (!ReadAt(file, entry.localOffset, local, sizeof local)
            || SetFilePointer(file, static_cast<LONG>(Get16(local + 26) + Get16(local + 28)), nullptr,
                              FILE_CURRENT) == INVALID_SET_FILE_POINTER)
        {
            ok = false;
            break;
        }
        const std::string target = folder + "\\" + entry.name;
        CreateParents(target, created);
        Handle out(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.IsValid())
        {
            ok = false;
            break;
        }
        inflateReset(&zs);
        DWORD packedLeft = entry.packedSize;
        DWORD crc = 0;
        DWORD produced = 0;
        int result = Z_OK;
        while (produced < entry.size && result != Z_STREAM_END)
        {
            if (zs.avail_in == 0 && packedLeft > 0)
            {
                DWORD read = 0;
                const DWORD want = std::min<DWORD>(packedLeft, sizeof input);
                if (!::ReadFile(file, input, want, &read, nullptr) || read != want)
                    break;
                packedLeft -= want;
                zs.next_in = input;
                zs.avail_in = want;
            }
            const unsigned char* chunk = zs.next_in;
            DWORD length = zs.avail_in;
            if (entry.method == 8)
            {
                zs.next_out = output;
                zs.avail_out = sizeof output;
                result = inflate(&zs, Z_SYNC_FLUSH);
                if (result != Z_OK && result != Z_STREAM_END)
                    break;
                chunk = output;
                length = sizeof output - zs.avail_out;
            }
            else
            {
                zs.avail_in = 0;
            }
            if (length == 0)
            {
                if (zs.avail_in == 0 && packedLeft == 0)
                    break;
                continue;
            }
            crc = crc32(crc, chunk, length);
            produced += length;
            DWORD written = 0;
            if (!::WriteFile(out, chunk, length, &written, nullptr) || written != length)
                break;
        }
        zs.avail_in = 0;
        if (produced != entry.size || crc != entry.crc)
        {
            ok = false;
            break;
        }
    }
    inflateEnd(&zs);
    timing.total = Seconds() - start;
    return ok;
}

double Median(const std::vector<Timing>& timings, double Timing::*field)
{
    std::vector<double> values;
    for (const Timing& timing : timings)
        values.push_back(timing.*field);
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && atoi(argv[2]) < 1))
    {
        fputs("usage: zipbench WORKFOLDER [RUNS]\n", stderr);
        return 10;
    }
    const std::string work = argv[1];
    const int runs = argc == 3 ? atoi(argv[2]) : 5;
    const std::string archive = work + "\\bench.zip";
    const std::string libraryFolder = work + "\\out-library";
    const std::string zlibFolder = work + "\\out-zlib";

    CreateDirectoryA(work.c_str(), nullptr);
    ArchiveFacts facts;
    if (!BuildArchive(archive, facts))
    {
        fprintf(stderr, "zipbench: cannot write %s\n", archive.c_str());
        return 1;
    }
    printf("archive: %s, %u entries, %lu bytes uncompressed, %lu bytes in the file\n", archive.c_str(),
           static_cast<unsigned>(facts.entryCount), static_cast<unsigned long>(facts.size),
           static_cast<unsigned long>(facts.fileSize));

    // Alternate the two so that both see the same cache and disk state; the first, cold pair warms
    // the file cache and is not counted.
    std::vector<Timing> libraryTimes;
    std::vector<Timing> zlibTimes;
    for (int run = 0; run <= runs; ++run)
    {
        Timing library;
        RemoveTree(libraryFolder);
        if (!ExtractWithLibrary(archive, libraryFolder, library))
        {
            fputs("zipbench: extraction through the library failed\n", stderr);
            return 1;
        }
        Timing zlib;
        RemoveTree(zlibFolder);
        if (!ExtractWithZlib(archive, zlibFolder, zlib))
        {
            fputs("zipbench: extraction through zlib failed\n", stderr);
            return 1;
        }
        if (run > 0)
        {
            libraryTimes.push_back(library);
            zlibTimes.push_back(zlib);
        }
    }
    RemoveTree(libraryFolder);
    RemoveTree(zlibFolder);

    const double megabytes = facts.size / 1e6;
    const double largeMegabytes = facts.largeSize / 1e6;
    const Timing library = { Median(libraryTimes, &Timing::total), Median(libraryTimes, &Timing::large) };
    const Timing zlib = { Median(zlibTimes, &Timing::total), Median(zlibTimes, &Timing::large) };
    printf("runs: %d of each, median\n", runs);
    char label[64];
    snprintf(label, sizeof label, "(a) ExtractFile, %u-byte buffer:", kCopyBufferSize);
    printf("%-42s %7.1f MB/s  (%.3f s)\n", label, megabytes / library.total, library.total);
    printf("%-42s %7.1f MB/s  (%.3f s)\n", "(b) zlib raw inflate + crc32 + WriteFile:", megabytes / zlib.total,
           zlib.total);
    printf("    the %d large entries alone: (a) %.1f MB/s, (b) %.1f MB/s, ratio %.2f\n", kLargeEntryCount,
           largeMegabytes / library.large, largeMegabytes / zlib.large, zlib.large / library.large);
    const double librarySmall = library.total - library.large;
    const double zlibSmall = zlib.total - zlib.large;
    printf("    the %d small entries alone: (a) %.0f entries/s, (b) %.0f entries/s, ratio %.2f\n",
           kSmallEntryCount, kSmallEntryCount / librarySmall, kSmallEntryCount / zlibSmall,
           zlibSmall / librarySmall);
    printf("extract/zlib throughput ratio: %.2f\n", zlib.total / library.total);
    return 0;
}
