// A ZIP archive: open it, list and describe its entries, and extract them with
// decompression and CRC-32 verification.
#pragma once
#include "afx.h"
#include "afxcoll.h"
#include "ZipDirectory.h"
#include "ZipEntryHeader.h"
#include "ZipException.h"
#include "ZipFileSystem.h"
#include "ZipFolderCache.h"
#include "ZipPathHelpers.h"
#include "ZipStreamState.h"
#include "ZipTargetPath.h"
#include "ZipVolumeStore.h"

class CZipPackage
{
public:
    enum
    {
        ModeOpenReadWrite = CZipVolumeStore::ModeOpenReadWrite,
        ModeOpenReadOnly = CZipVolumeStore::ModeOpenReadOnly,
        ModeCreate = CZipVolumeStore::ModeCreate,
        ModeCreateSpanned = CZipVolumeStore::ModeCreateSpanned
    };

    enum
    {
        // Entries up to this size are extracted through memory. Above it the move of a
        // temporary file into place costs little against writing the data (a move costs about
        // what writing 40 KB does), and the block stays small for every extracting thread.
        InMemoryLimit = 1 << 20
    };

    CZipPackage();
    virtual ~CZipPackage();

    // Opens an archive (see CZipVolumeStore::Open for iMode and iValue); reads its directory
    // for modes 0 and 1. Does nothing when the package is already open.
    void Open(LPCTSTR lpszPath, int iMode = ModeOpenReadOnly, int iValue = 1);
    // bAfterException: close files only, write nothing.
    void Close(bool bAfterException = false);
    // bWholeArchive: whether the archive is closed; else whether the current volume is.
    bool IsClosed(bool bWholeArchive = true) const;
    void SetDiskChangeCallback(ZipDiskChangeCallback pfnCallback, void* pUserData);

    int GetCount() const;
    // A copy of the entry with the name converted to the ANSI code page and '\' separators.
    bool GetFileInfo(CZipEntryHeader& info, WORD uIndex) const;
    bool IsDirectory(WORD uIndex) const;

    bool OpenFile(WORD uIndex);
    DWORD ReadFile(void* pBuffer, DWORD uLength);
    // Verifies the entry (CRC, data descriptor) and closes it; with a path, also gives that
    // file the entry's time and attributes.
    bool CloseFile(LPCTSTR lpszFilePath = NULL);
    bool CloseFile(CFile& file);

    // Extracts an entry below lpszFolder. Refuses (false) names that would leave the folder.
    // The file appears at its place only once its data have been verified.
    bool ExtractFile(WORD uIndex, LPCTSTR lpszFolder, DWORD uBufferSize = 65535);

    // Writes an entry whose data are already packed by the header's method, with the header's
    // CRC and sizes, to an archive being created; a span gets a data descriptor after the
    // data. False when the archive was not opened for creating.
    bool AddPackedEntry(const CZipEntryHeader& header, const void* pPackedData);

    const CString& GetGlobalComment() const { return m_directory.GetComment(); }
    // Written with the directory of an archive being created.
    void SetGlobalComment(LPCTSTR lpszComment) { m_directory.SetComment(lpszComment); }
    // 0 not spanned, 1 creating a span, -1 reading a span.
    int IsSpanned() const { return m_storage.IsSpanned(); }
    ZipSpanMode GetSpanMode() const { return m_storage.GetSpanMode(); }
    // Creating a numbered span: the size of every volume; reading one: the last disk's number.
    DWORD GetVolumeSize() const { return m_storage.GetVolumeSize(); }
    int GetCurrentDisk() const { return m_storage.GetCurrentDisk(); }
    DWORD GetBytesBeforeArchive() const { return m_directory.GetBytesBeforeArchive(); }
    // Blocks the decompressor took and has not given back.
    INT_PTR GetZlibBlockCount() const { return m_allocations.GetCount(); }

    bool m_bSlashesToBackslashes;
    bool m_bOemToAnsi;
    bool m_bTrackAllocations;

private:
    CZipStreamState m_stream;
    CZipVolumeStore m_storage;
    CPtrList m_allocations;
    signed char m_iFileState;
    CZipDirectory m_directory;
    // The folders extraction has written into since the archive was opened.
    CZipFolderCache m_folders;
    // Entries are inflated here: small ones whole, to be verified before their file is made,
    // large ones a block at a time.
    CZipBuffer m_inflated;
    // The last entry time converted.
    struct ConvertedTime
    {
        bool bKnown = false;
        DWORD uStamp = 0;
        bool bValid = false;
        FILETIME modified = {};
    } m_lastTime;
    // The last target folder given, and made absolute.
    CString m_strFolderGiven;
    CString m_strFullFolder;

    bool IsValidIndex(int iIndex) const;
    CZipEntryHeader* GetOpenHeader() const { return m_directory.GetOpenHeader(); }
    void CheckZlibResult(int iResult) const;
    [[noreturn]] void ThrowError(int iCode) const;
    // CloseFile's steps: CRC check and end of decompression; descriptor check and release.
    void EndDecompression();
    void EndEntry();
    void SkipUnreadData();
    void FillInput();
    void CheckNoOutputLeft();
    // The checks that end an entry read to its end: CRC, then data descriptor.
    void VerifyEntry();
    bool CopyEntryInfo(CZipEntryHeader& info, WORD uIndex, bool& bExactName) const;

    void ExtractToFile(const CZipTargetPath& target, DWORD uBufferSize);
    // Makes m_inflated hold at least uAtLeast bytes, and InMemoryLimit; returns that size.
    DWORD PrepareBlock(DWORD uAtLeast);
    // The open entry, read whole and verified, in m_inflated.
    const BYTE* InflateIntoMemory();
    // Makes the target from verified data; false when a file of its name is there.
    bool CreateFromMemory(const CZipTargetPath& target, const CZipEntryHeader& header, const BYTE* pData);
    // Writes the entry (pVerified, or the open entry read to its end and verified) to a file
    // beside the target, then moves it into place.
    void ReplaceThroughTemporary(const CZipTargetPath& target, const CZipEntryHeader& header,
                                 const BYTE* pVerified, bool bMayExist, DWORD uBufferSize);
    // Creates a file with the entry's attributes in a folder made before.
    HANDLE CreateInFolder(const CString& strFolder, LPCTSTR lpszPath, DWORD uAccess, DWORD uShare,
                          DWORD uDisposition, DWORD uEntryAttributes);
    static void ThrowIfTargetCannotBeWritten(const CString& strTarget);
    static void WriteAll(HANDLE hFile, const BYTE* pData, DWORD uLength, LPCTSTR lpszPath);
    // Closes the handle (when open) and deletes the file.
    static void DeleteWritten(HANDLE hFile, LPCTSTR lpszPath);
    void SetEntryTimes(HANDLE hFile, const CZipEntryHeader& header);
    // The entry's modification time as a file time; false when it has none.
    bool ConvertEntryTime(const CZipEntryHeader& header, FILETIME& modifiedTime);
    // lpszFolder made absolute.
    const CString& GetFullFolder(LPCTSTR lpszFolder);
    [[noreturn]] static void ThrowFileError(DWORD uError, LPCTSTR lpszPath);

    static void* ZlibAlloc(void* pOpaque, unsigned int uItems, unsigned int uSize);
    static void ZlibFree(void* pOpaque, void* pBlock);

    CZipPackage(const CZipPackage&) = delete;
    CZipPackage& operator=(const CZipPackage&) = delete;
};
