// zipfuzz: mutates small archives deterministically (bit flips, byte runs, truncation, counts,
// sizes and offsets set to extremes) and runs open, list, test and extract on each in this one
// process, counting the outcomes. A crash, a hang or a file written outside the extraction
// folder ends the run with the seed of the mutation that did it.
//
//   zipfuzz [MUTATIONS] [FIRST_SEED]
#include "afx.h"
#include "ZipPackage.h"
#include <zlib.h>
#include <atomic>
#include <map>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Seed
{
    std::string bytes;
    std::vector<size_t> fields;   // offsets of 2- and 4-byte fields worth setting to extremes
};

void Put(std::string& out, DWORD value, int width, std::vector<size_t>* fields = nullptr)
{
    if (fields != nullptr)
        fields->push_back(out.size());
    for (int i = 0; i < width; ++i)
        out += static_cast<char>(value >> (8 * i));
}

std::string Deflate(const std::string& data)
{
    z_stream zs = {};
    deflateInit2(&zs, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&zs, static_cast<uLong>(data.size())), '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(&out[0]);
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

struct SeedEntry
{
    std::string name;
    std::string data;
    WORD method;
    WORD flags;
    DWORD attributes;
};

Seed Build(const std::vector<SeedEntry>& entries, const std::string& prefix, const std::string& comment)
{
    Seed seed;
    std::string& out = seed.bytes;
    out = prefix;
    std::string central;
    std::vector<size_t> centralFields;
    for (const SeedEntry& entry : entries)
    {
        std::string packed = entry.method == 8 ? Deflate(entry.data) : entry.data;
        DWORD crc = crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), static_cast<uInt>(entry.data.size()));
        bool descriptor = (entry.flags & 8) != 0;
        DWORD offset = static_cast<DWORD>(out.size() - prefix.size());
        Put(out, 0x04034B50, 4);
        Put(out, 20, 2);
        Put(out, entry.flags, 2, &seed.fields);
        Put(out, entry.method, 2, &seed.fields);
        Put(out, 0x6000, 2);
        Put(out, 0x5A21, 2);
        Put(out, descriptor ? 0 : crc, 4);
        Put(out, descriptor ? 0 : static_cast<DWORD>(packed.size()), 4, &seed.fields);
        Put(out, descriptor ? 0 : static_cast<DWORD>(entry.data.size()), 4, &seed.fields);
        Put(out, static_cast<DWORD>(entry.name.size()), 2, &seed.fields);
        Put(out, 0, 2, &seed.fields);
        out += entry.name + packed;
        if (descriptor)
        {
            Put(out, 0x08074B50, 4);
            Put(out, crc, 4);
            Put(out, static_cast<DWORD>(packed.size()), 4, &seed.fields);
            Put(out, static_cast<DWORD>(entry.data.size()), 4, &seed.fields);
        }
        Put(central, 0x02014B50, 4);
        Put(central, 20, 2);
        Put(central, 20, 2);
        Put(central, entry.flags, 2, &centralFields);
        Put(central, entry.method, 2, &centralFields);
        Put(central, 0x6000, 2);
        Put(central, 0x5A21, 2);
        Put(central, crc, 4);
        Put(central, static_cast<DWORD>(packed.size()), 4, &centralFields);
        Put(central, static_cast<DWORD>(entry.data.size()), 4, &centralFields);
        Put(central, static_cast<DWORD>(entry.name.size()), 2, &centralFields);
        Put(central, 0, 2, &centralFields);
        Put(central, 0, 2, &centralFields);
        Put(central, 0, 2, &centralFields);
        Put(central, 0, 2);
        Put(central, entry.attributes, 4, &centralFields);
        Put(central, offset, 4, &centralFields);
        central += entry.name;
    }
    size_t centralStart = out.size();
    for (size_t field : centralFields)
        seed.fields.push_back(centralStart + field);
    DWORD dirOffset = static_cast<DWORD>(out.size() - prefix.size());
    out += central;
    Put(out, 0x06054B50, 4);
    Put(out, 0, 2, &seed.fields);
    Put(out, 0, 2, &seed.fields);
    Put(out, static_cast<DWORD>(entries.size()), 2, &seed.fields);
    Put(out, static_cast<DWORD>(entries.size()), 2, &seed.fields);
    Put(out, static_cast<DWORD>(central.size()), 4, &seed.fields);
    Put(out, dirOffset, 4, &seed.fields);
    Put(out, static_cast<DWORD>(comment.size()), 2, &seed.fields);
    out += comment;
    return seed;
}

std::vector<Seed> MakeSeeds()
{
    std::string text;
    for (int i = 0; text.size() < 9000; ++i)
        text += "line " + std::to_string(i * 7919 % 1000) + " of the archive\r\n";
    std::string noise;
    for (DWORD x = 12345; noise.size() < 3000;)
    {
        x = x * 1103515245 + 12345;
        noise += static_cast<char>(x >> 16);
    }
    return {
        Build({{"dir/", "", 0, 0, 0x10}, {"dir/text.txt", text, 8, 0, 0x20}, {"dir/noise.bin", noise, 0, 0, 0x21},
               {"empty.txt", "", 8, 0, 0x20}}, "", ""),
        Build({{"streamed.txt", text, 8, 8, 0x20}, {"stored.bin", noise, 0, 8, 0x20}}, "", "comment"),
        Build({{"\xE4\xB8\xAD\xE6\x96\x87/a.txt", text.substr(0, 500), 8, 0x800, 0x20}, {"b.txt", "b", 0, 0, 0x20}},
              std::string(64, 'P'), ""),
    };
}

DWORD Next(unsigned long long& state)
{
    state += 0x9E3779B97F4A7C15ull;
    unsigned long long z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<DWORD>(z ^ (z >> 31));
}

std::string Mutate(const Seed& seed, unsigned long long number, const char*& kind)
{
    unsigned long long state = number;
    std::string bytes = seed.bytes;
    size_t size = bytes.size();
    switch (Next(state) % 4)
    {
    case 0:
        kind = "bit flips";
        for (DWORD n = 1 + Next(state) % 8; n != 0; --n)
            bytes[Next(state) % size] ^= static_cast<char>(1 << (Next(state) % 8));
        break;
    case 1:
    {
        kind = "byte runs";
        size_t at = Next(state) % size;
        size_t length = 1 + Next(state) % 16;
        char fill = "\x00\xFF\x50"[Next(state) % 3];
        for (size_t i = at; i < size && i < at + length; ++i)
            bytes[i] = fill;
        break;
    }
    case 2:
        kind = "truncation";
        bytes.resize(Next(state) % size);
        break;
    default:
    {
        kind = "field extremes";
        size_t at = seed.fields[Next(state) % seed.fields.size()];
        static const DWORD kValues[] = {0, 1, 0xFFFF, 0x7FFF, 0xFFFFFFFF, 0x80000000, 0xFFFFFFF0};
        DWORD value = kValues[Next(state) % 7];
        for (int i = 0; i < 2 + 2 * static_cast<int>(Next(state) % 2) && at + i < size; ++i)
            bytes[at + i] = static_cast<char>(value >> (8 * i));
        break;
    }
    }
    return bytes;
}

std::atomic<unsigned long long> g_current(0);
std::atomic<bool> g_finished(false);

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info)
{
    fprintf(stderr, "zipfuzz: crash (exception 0x%08lx) at seed %llu\n",
            static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), g_current.load());
    fflush(stderr);
    ExitProcess(4);
}

// Times each seed on this thread's clock alone: a start stamp taken on the other thread may lie a
// tick ahead of this thread's next reading, and the unsigned difference then wraps into a false hang.
void WatchForHangs()
{
    unsigned long long seen = 0;
    DWORD since = GetTickCount();
    while (true)
    {
        Sleep(1000);
        unsigned long long current = g_current.load();
        DWORD now = GetTickCount();
        if (current != seen)
        {
            seen = current;
            since = now;
        }
        else if (!g_finished && now - since > 20000)
        {
            fprintf(stderr, "zipfuzz: hang (20 s) at seed %llu\n", current);
            fflush(stderr);
            ExitProcess(5);
        }
    }
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (strcmp(found.cFileName, ".") != 0 && strcmp(found.cFileName, "..") != 0)
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return names;
}

// Runs one phase and names its outcome: "ok", a ZIP cause, or a file exception.
template <typename Phase>
std::string Outcome(CZipPackage& package, Phase phase)
{
    try
    {
        phase();
        return "ok";
    }
    catch (CZipException* e)
    {
        std::string name = CZipException::GetCauseName(e->m_iCause);
        e->Delete();
        package.Close(true);
        return name;
    }
    catch (CFileException* e)
    {
        std::string name = "file error " + std::to_string(e->m_cause);
        e->Delete();
        package.Close(true);
        return name;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    unsigned long long mutations = argc > 1 ? strtoull(argv[1], nullptr, 10) : 1000;
    unsigned long long first = argc > 2 ? strtoull(argv[2], nullptr, 10) : 1;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string work = std::string(temp) + "zipfuzz-" + std::to_string(GetCurrentProcessId());
    std::string sandbox = work + "\\sandbox";
    std::string target = sandbox + "\\out";
    std::string archive = work + "\\case.zip";
    RemoveTree(work);
    CreateDirectoryA(work.c_str(), nullptr);

    SetUnhandledExceptionFilter(ReportCrash);
    std::thread(WatchForHangs).detach();
    std::vector<Seed> seeds = MakeSeeds();
    std::map<std::string, unsigned long long> counts;
    DWORD start = GetTickCount();
    char buffer[65535];
    for (unsigned long long n = first; n < first + mutations; ++n)
    {
        g_current = n;
        const char* kind = "";
        std::string bytes = Mutate(seeds[n % seeds.size()], n, kind);
        ++counts[std::string("mutation: ") + kind];
        HANDLE file = CreateFileA(archive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        CreateDirectoryA(sandbox.c_str(), nullptr);

        CZipPackage package;
        std::string open = Outcome(package, [&] { package.Open(archive.c_str(), CZipPackage::ModeOpenReadOnly, 1); });
        ++counts["open: " + open];
        if (open == "ok")
        {
            ++counts["list: " + Outcome(package, [&] {
                CZipEntryHeader header;
                for (int i = 0; i < package.GetCount(); ++i)
                    package.GetFileInfo(header, static_cast<WORD>(i));
            })];
            ++counts["test: " + Outcome(package, [&] {
                for (int i = 0; i < package.GetCount(); ++i)
                {
                    if (!package.OpenFile(static_cast<WORD>(i)))
                        continue;
                    while (package.ReadFile(buffer, sizeof buffer) != 0)
                    {
                    }
                    package.CloseFile();
                }
            })];
            package.Close(true);
            ++counts["extract: " + Outcome(package, [&] {
                package.Open(archive.c_str(), CZipPackage::ModeOpenReadOnly, 1);
                for (int i = 0; i < package.GetCount(); ++i)
                {
                    if (!package.ExtractFile(static_cast<WORD>(i), target.c_str()))
                        ++counts["extract: entries refused"];
                }
            })];
            package.Close(true);
        }
        std::vector<std::string> outside = Names(sandbox);
        std::vector<std::string> beside = Names(work);
        if (outside.size() > (outside.empty() ? 0u : 1u) || (outside.size() == 1 && outside[0] != "out") ||
            beside.size() != 2)
        {
            fprintf(stderr, "zipfuzz: a file was written outside the target at seed %llu\n", n);
            return 6;
        }
        RemoveTree(sandbox);
    }
    g_finished = true;
    RemoveTree(work);
    printf("zipfuzz: %llu mutations from seed %llu in %.1f s\n", mutations, first, (GetTickCount() - start) / 1000.0);
    for (const auto& count : counts)
        printf("  %-40s %llu\n", count.first.c_str(), count.second);
    printf("no crash, hang or write outside the target\n");
    return 0;
}
