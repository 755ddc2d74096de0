// qenunzip: lists, tests and extracts ZIP archives through the archive library, for people and
// scripts. The usage text below is the contract of the listing format and the exit status.
#include "afx.h"
#include "ZipPackage.h"
#include <stdio.h>
#include <string.h>

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
    "       qenunzip ARCHIVE [-d FOLDER]    extract every entry into FOLDER (default: the current folder)\n"
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
        else if (argument[0] == '-' || argument[0] == '\0' || options.archive != nullptr)
        {
            return false;
        }
        else
        {
            options.archive = argument;
        }
    }
    // A folder only makes sense for extraction.
    return options.archive != nullptr && !(folderGiven && actionGiven);
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
        default: status = ExtractEntries(package, options.folder); break;
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
    return Run(options);
}
