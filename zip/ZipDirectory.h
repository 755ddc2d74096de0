// The central directory: end record, entry headers, the local header of the open entry,
// and writing the directory back.
#pragma once
#include "afx.h"
#include "afxcoll.h"
#include "ZipBuffer.h"
#include "ZipEntryHeader.h"
#include <vector>

class CZipVolumeStore;

class CZipDirectory
{
public:
    enum
    {
        EndRecordSignature = 0x06054B50,
        EndRecordSize = 22,
        MaxCommentLength = 65535,
        SearchBufferSize = 32768
    };

    CZipDirectory();
    virtual ~CZipDirectory();

    void Init(CZipVolumeStore* pStorage);
    // Forgets everything read: comment, open entry, positions.
    void Reset();
    void ReadDirectory();
    // Deletes the headers.
    void RemoveHeaders();
    int GetCount() const { return (int)m_headers.GetSize(); }
    CZipEntryHeader* GetHeader(int iIndex) const { return (CZipEntryHeader*)m_headers.GetAt(iIndex); }
    // Takes ownership of a header written to the archive being created.
    void AddHeader(CZipEntryHeader* pHeader) { m_headers.Add(pHeader); }

    // Positions the storage on the entry's data after checking its local header.
    void OpenEntry(int iIndex);
    // Checks the open entry's data descriptor, if any, and forgets the entry.
    void CloseEntry();
    CZipEntryHeader* GetOpenHeader() const { return m_pOpenHeader; }
    // Whether the open entry's data are followed by a data descriptor.
    bool HasDescriptor() const { return m_bHasDescriptor; }
    void WriteDirectory();
    // Turns a span being created that fits on its first volume into a plain archive.
    bool RemoveDescriptors(bool bInFile);

    const CString& GetComment() const { return m_strComment; }
    void SetComment(LPCTSTR lpszComment) { m_strComment = lpszComment; }
    DWORD GetBytesBeforeArchive() const { return m_uBytesBeforeArchive; }
    // The directory was read from the archive and has not changed.
    bool IsFromDisk() const { return m_bFromDisk; }

private:
    DWORD m_uSignature;
    WORD m_uThisDisk;
    WORD m_uDirStartDisk;
    WORD m_uEntriesOnDisk;
    WORD m_uEntryCount;
    DWORD m_uDirSize;
    DWORD m_uDirOffset;
    WORD m_uCommentLength;
    CString m_strComment;
    CZipEntryHeader* m_pOpenHeader;
    CZipVolumeStore* m_pStorage;
    DWORD m_uEndRecordPos;
    DWORD m_uBytesBeforeArchive;
    DWORD m_uSearchBufferSize;
    bool m_bFromDisk;
    CPtrArray m_headers;
    CZipBuffer m_localExtra;
    // The fixed part and the name of the open entry's local header.
    std::vector<BYTE> m_localRecord;
    bool m_bHasDescriptor;
    // Where each entry's bytes must end, in its volume: the next local header or the directory.
    static constexpr ULONGLONG NoLimit = ~0ull;
    std::vector<ULONGLONG> m_entryLimits;
    // The open entry: the end of its data in its volume, and where they must end.
    ULONGLONG m_uOpenDataEnd;
    ULONGLONG m_uOpenLimit;

    DWORD LocateEndRecord();
    // The central records that follow the storage's position: those in the uLength bytes
    // before the end record, or one record at a time through the storage.
    void ReadHeadersInBlocks(DWORD uLength);
    void ReadHeadersByRecord();
    // Refuses entries that overlap one another or the directory, and notes each one's limit.
    void CheckEntryRanges();
    bool CheckLocalHeader(WORD& uExtraLength);
    // WriteDirectory's steps: on a span being created that fits on its first volume, the
    // conversion into a plain archive (true when done); the headers; the end record, written
    // again when it moved to a new volume.
    bool ConvertSingleVolumeSpan();
    void WriteHeaders();
    void WriteClosingEndRecord(bool bConverted);
    void WriteEndRecord();
    DWORD GetWrittenSize() const;
    // Clears the descriptor flag of every entry and moves the entries up over the marker
    // and their descriptors; false, with nothing changed, when the offsets do not fit.
    bool MoveEntriesUp(BYTE* pData, DWORD uLength, DWORD& uOut);
    [[noreturn]] void ThrowError(int iCode) const;

    CZipDirectory(const CZipDirectory&) = delete;
    CZipDirectory& operator=(const CZipDirectory&) = delete;
};
