// qenunzip: lists, tests and extracts ZIP archives through the archive library, for people and
// scripts. The usage text below is the contract of the listing format and the exit status.
#include "afx.h"
#include "ZipPackage.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

enum ExitStatus
{
    ExitOk = 0,
    ExitEntriesRefused = 1,
    ExitZipError = 2,
    ExitFileError = 3,
    ExitBadUsage = 10
};

const char kUsage[] =
    "usage: qenunzip -l ARCHIVE             list the entries\n"
    "       qenunzip -t ARCHIVE             read every entry and verify its CRC-32; writes nothing\n"
    "       qenunzip ARCHIVE [-d FOLDER] [-j N]\n"
    "                                       extract every entry into FOLDER (default: the current folder)\n"
    "                                       on N threads (default: the number of processors)\n"
    "       qenunzip -h                     show this text\n"
    "\n"
    "-l prints one line per entry and nothing else; fields are separated by one space:\n"
    "  SIZE PACKED METHOD CRC32 DATE TIME ATTRIBUTES NAME\n"
    "  SIZE, PACKED  uncompressed and compressed size in bytes, right-aligned in 10 columns\n"
    "  METHOD        stored, deflated, or mN for another method number N; left-aligned in 8 columns\n"
    "  CRC32         8 lower-case hexadecimal digits\n"
    "  DATE TIME     the entry's MS-DOS time as stored: YYYY-MM-DD HH:MM:SS\n"
    "  ATTRIBUTES    RHSDA: read-only, hidden, system, folder, archive; '-' where the bit is clear\n"
    "  NAME          the name the entry is extracted under, with '\\' between folders; last,\n"
    "                so it may contain spaces\n"
    "-t prints \"OK NAME\" for each file entry verified; extraction prints \"extracted: NAME\".\n"
    "\n"
    "Exit status: 0 all well; 1 some entries were refused, each named on standard error as\n"
    "\"refused: NAME\"; 2 ZIP error; 3 file-system error; 10 bad usage.\n"
    "Errors go to standard error as \"error: CAUSE (NUMBER): PATH\": for a ZIP error the cause of\n"
    "the archive library and the archive volume's path; for a file-system error the file\n"
    "exception's cause and the file's path.\n";

const UINT kCopyBufferSize = 65535;

enum Action { ActionList, ActionTest, ActionExtract, ActionHelp };

struct Options
{
    Action action = ActionExtract;
    const char* archive = nullptr;
    const char* folder = ".";
    int threads = 0;
};

bool ParseArguments(int argc, char** argv, Options& options)
{
    bool actionGiven = false;
    bool folderGiven = false;
    for (int i = 1; i < argc; ++i)
    {
        const char* argument = argv[i];
        if (strcmp(argument, "-h") == 0 || strcmp(argument, "-?") == 0 || strcmp(argument, "--help") == 0)
        {
            options.action = ActionHelp;
            return true;
        }
        if (strcmp(argument, "-l") == 0 || strcmp(argument, "-t") == 0)
        {
            if (actionGiven)
                return false;
            options.action = argument[1] == 'l' ? ActionList : ActionTest;
            actionGiven = true;
        }
        else if (strcmp(argument, "-d") == 0)
        {
            if (folderGiven || i + 1 >= argc || argv[i + 1][0] == '\0')
                return false;
            options.folder = argv[++i];
            folderGiven = true;
        }
        else if (strcmp(argument, "-j") == 0)
        {
            char* end = nullptr;
            if (options.threads != 0 || i + 1 >= argc)
                return false;
            long threads = strtol(argv[++i], &end, 10);
            if (*end != '\0' || threads < 1 || threads > 64)
                return false;
            options.threads = static_cast<int>(threads);
        }
        else if (argument[0] == '-' || argument[0] == '\0' || options.archive != nullptr)
        {
            return false;
        }
        else
        {
            options.archive = argument;
        }
    }
    // A folder and threads only make sense for extraction.
    return options.archive != nullptr && !((folderGiven || options.threads != 0) && actionGiven);
}

const char* MethodName(WORD method, char (&other)[8])
{
    if (method == 0)
        return "stored";
    if (method == 8)
        return "deflated";
    snprintf(other, sizeof other, "m%u", method);
    return other;
}

void FormatAttributes(DWORD attributes, char (&text)[6])
{
    static const struct { DWORD bit; char letter; } kLetters[] = {
        { FILE_ATTRIBUTE_READONLY, 'R' }, { FILE_ATTRIBUTE_HIDDEN, 'H' }, { FILE_ATTRIBUTE_SYSTEM, 'S' },
        { FILE_ATTRIBUTE_DIRECTORY, 'D' }, { FILE_ATTRIBUTE_ARCHIVE, 'A' } };
    for (int i = 0; i < 5; ++i)
        text[i] = (attributes & kLetters[i].bit) != 0 ? kLetters[i].letter : '-';
    text[5] = '\0';
}

void ListEntry(const CZipEntryHeader& header)
{
    char otherMethod[8];
    char attributes[6];
    FormatAttributes(header.m_uExternalAttributes, attributes);
    printf("%10lu %10lu %-8s %08lx %04u-%02u-%02u %02u:%02u:%02u %s %s\n",
           static_cast<unsigned long>(header.m_uUncompressedSize), static_cast<unsigned long>(header.m_uCompressedSize),
           MethodName(header.m_uMethod, otherMethod), static_cast<unsigned long>(header.m_uCrc32),
           1980u + (header.m_uModDate >> 9), (header.m_uModDate >> 5) & 0x0Fu, header.m_uModDate & 0x1Fu,
           header.m_uModTime >> 11, (header.m_uModTime >> 5) & 0x3Fu, (header.m_uModTime & 0x1Fu) * 2u,
           attributes, static_cast<LPCTSTR>(header.m_strFileName));
}

CString EntryName(CZipPackage& package, WORD index)
{
    CZipEntryHeader header;
    package.GetFileInfo(header, index);
    return header.m_strFileName;
}

void ReportRefused(const CString& name)
{
    fflush(stdout);
    fprintf(stderr, "refused: %s\n", static_cast<LPCTSTR>(name));
}

int ListEntries(CZipPackage& package)
{
    for (int i = 0; i < package.GetCount(); ++i)
    {
        CZipEntryHeader header;
        package.GetFileInfo(header, static_cast<WORD>(i));
        ListEntry(header);
    }
    return ExitOk;
}

int TestEntries(CZipPackage& package)
{
    static char buffer[kCopyBufferSize];
    int status = ExitOk;
    for (int i = 0; i < package.GetCount(); ++i)
    {
        const WORD index = static_cast<WORD>(i);
        if (package.IsDirectory(index))
            continue;
        const CString name = EntryName(package, index);
        if (!package.OpenFile(index))
        {
            ReportRefused(name);
            status = ExitEntriesRefused;
            continue;
        }
        while (package.ReadFile(buffer, kCopyBufferSize) != 0)
        {
        }
        // Without a path, closing only checks the CRC and the data descriptor.
        package.CloseFile(nullptr);
        printf("OK %s\n", static_cast<LPCTSTR>(name));
    }
    return status;
}

const char* FileCauseName(int cause)
{
    static const char* const kNames[] = {
        "none", "generic", "fileNotFound", "badPath", "tooManyOpenFiles", "accessDenied",
        "invalidFile", "removeCurrentDir", "directoryFull", "badSeek", "hardIO", "sharingViolation",
        "lockViolation", "diskFull", "endOfFile" };
    return cause >= 0 && cause < static_cast<int>(sizeof kNames / sizeof kNames[0]) ? kNames[cause]
                                                                                     : "unknown";
}

void ReportError(const char* causeName, int cause, const CString& path)
{
    fflush(stdout);
    fprintf(stderr, "error: %s (%d): %s\n", causeName, cause, static_cast<LPCTSTR>(path));
}

int ExtractEntries(CZipPackage& package, const char* folder)
{
    int status = ExitOk;
    for (int i = 0; i < package.GetCount(); ++i)
    {
        const WORD index = static_cast<WORD>(i);
        const CString name = EntryName(package, index);
        if (package.ExtractFile(index, folder, kCopyBufferSize))
        {
            printf("extracted: %s\n", static_cast<LPCTSTR>(name));
        }
        else
        {
            ReportRefused(name);
            status = ExitEntriesRefused;
        }
    }
    return status;
}


// The outcome of one entry on a worker thread, reported in archive order.
struct Outcome
{
    enum Kind { Pending, Extracted, Refused, ZipError, FileError };
    Kind kind = Pending;
    int cause = 0;
    CString path;
};

// Extraction on several threads, each with its own archive object. All entries bound for one
// folder (its name compared without case) go to one thread in archive order: names that clash
// end with the last entry as on one thread, and no thread changes a folder another thread
// knows the contents of, which would make that one read the folder again for each file.
// Groups are taken largest first. After a failure no thread starts an entry behind it, and
// the report ends there, as on one thread.
class ParallelExtraction
{
public:
    ParallelExtraction(CZipPackage& package, const Options& options)
        : m_options(options), m_outcomes(package.GetCount()), m_failed(package.GetCount())
    {
        std::map<std::string, size_t> groupOf;
        std::vector<unsigned long long> weights;
        const CString fullFolder = CZipTargetPath::GetFullFolder(options.folder);
        for (int i = 0; i < package.GetCount(); ++i)
        {
            CZipEntryHeader header;
            package.GetFileInfo(header, static_cast<WORD>(i));
            m_names.push_back(header.m_strFileName);
            // Names the extraction refuses have no folder and share one group.
            CZipTargetPath target;
            CString key = target.Resolve(fullFolder, header.m_strFileName) ? target.GetFolder() : CString();
            key.MakeUpper();
            auto found = groupOf.emplace(static_cast<LPCTSTR>(key), m_groups.size());
            if (found.second)
            {
                m_groups.emplace_back();
                weights.push_back(0);
            }
            m_groups[found.first->second].push_back(i);
            weights[found.first->second] += header.m_uUncompressedSize;
        }
        for (size_t i = 0; i < m_groups.size(); ++i)
            m_order.push_back(i);
        std::stable_sort(m_order.begin(), m_order.end(), [&](size_t a, size_t b) { return weights[a] > weights[b]; });
    }

    int Run()
    {
        std::vector<std::thread> workers;
        for (int i = 0; i < m_options.threads; ++i)
            workers.emplace_back([this] { Work(); });
        for (std::thread& worker : workers)
            worker.join();
        return Report();
    }

private:
    void Work()
    {
        CZipPackage package;
        while (true)
        {
            std::vector<int> group;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_next == m_order.size())
                    return;
                group = m_groups[m_order[m_next++]];
            }
            for (int index : group)
            {
                if (index > FirstFailure())
                    break;
                Outcome outcome = ExtractOne(package, index);
                std::lock_guard<std::mutex> lock(m_mutex);
                if (outcome.kind == Outcome::ZipError || outcome.kind == Outcome::FileError)
                    m_failed = std::min(m_failed, index);
                m_outcomes[index] = outcome;
            }
        }
    }

    Outcome ExtractOne(CZipPackage& package, int index)
    {
        Outcome outcome;
        try
        {
            if (package.IsClosed())
                package.Open(m_options.archive, CZipPackage::ModeOpenReadOnly, 1);
            bool extracted = package.ExtractFile(static_cast<WORD>(index), m_options.folder, kCopyBufferSize);
            outcome.kind = extracted ? Outcome::Extracted : Outcome::Refused;
        }
        catch (CZipException* e)
        {
            outcome = Outcome{Outcome::ZipError, e->m_iCause, e->m_strFileName};
            e->Delete();
            package.Close(true);
        }
        catch (CFileException* e)
        {
            outcome = Outcome{Outcome::FileError, e->m_cause, e->m_strFileName};
            e->Delete();
            package.Close(true);
        }
        return outcome;
    }

    int FirstFailure()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_failed;
    }

    int Report() const
    {
        int status = ExitOk;
        for (size_t i = 0; i < m_outcomes.size(); ++i)
        {
            const Outcome& outcome = m_outcomes[i];
            switch (outcome.kind)
            {
            case Outcome::Extracted: printf("extracted: %s\n", static_cast<LPCTSTR>(m_names[i])); break;
            case Outcome::Refused:
                ReportRefused(m_names[i]);
                status = ExitEntriesRefused;
                break;
            case Outcome::ZipError:
                ReportError(CZipException::GetCauseName(outcome.cause), outcome.cause, outcome.path);
                return ExitZipError;
            case Outcome::FileError:
                ReportError(FileCauseName(outcome.cause), outcome.cause, outcome.path);
                return ExitFileError;
            case Outcome::Pending: return status;
            }
        }
        return status;
    }

    const Options& m_options;
    std::vector<CString> m_names;
    std::vector<std::vector<int>> m_groups;
    std::vector<size_t> m_order;
    std::mutex m_mutex;
    size_t m_next = 0;
    std::vector<Outcome> m_outcomes;
    int m_failed;
};

int Run(const Options& options)
{
    CZipPackage package;
    try
    {
        package.Open(options.archive, CZipPackage::ModeOpenReadOnly, 1);
        int status = ExitOk;
        switch (options.action)
        {
        case ActionList: status = ListEntries(package); break;
        case ActionTest: status = TestEntries(package); break;
        default:
            if (options.threads > 1)
            {
                ParallelExtraction extraction(package, options);
                package.Close(false);
                return extraction.Run();
            }
            status = ExtractEntries(package, options.folder);
            break;
        }
        package.Close(false);
        return status;
    }
    catch (CZipException* e)
    {
        ReportError(CZipException::GetCauseName(e->m_iCause), e->m_iCause, e->m_strFileName);
        e->Delete();
        package.Close(true);
        return ExitZipError;
    }
    catch (CFileException* e)
    {
        ReportError(FileCauseName(e->m_cause), e->m_cause, e->m_strFileName);
        e->Delete();
        package.Close(true);
        return ExitFileError;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseArguments(argc, argv, options))
    {
        fputs(kUsage, stderr);
        return ExitBadUsage;
    }
    // The C runtime writes an unbuffered stream byte by byte when it is a character device such as
    // NUL, which costs one system call per character.
    setvbuf(stdout, nullptr, _IOFBF, 16384);
    if (options.action == ActionHelp)
    {
        fputs(kUsage, stdout);
        return ExitOk;
    }
    if (options.threads == 0)
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        options.threads = static_cast<int>(system.dwNumberOfProcessors);
    }
    return Run(options);
}
