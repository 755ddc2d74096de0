// The archive's file and its volumes: reading across volumes, buffered writing, starting
// new volumes, removable-disk and numbered-file spans.
#pragma once
#include "afx.h"
#include "BigFile.h"
#include "ZipBuffer.h"
#include <functional>

// Asks for a disk. iReason: -1 the disk is needed for reading; > 0 a new disk is needed for
// writing and that many bytes must fit; -2 the disk already holds a file or folder of the
// archive's name; -3 setting the volume label failed; -4 creating the volume file failed.
// Returning false cancels the operation.
typedef bool (*ZipDiskChangeCallback)(int iDisk, int iReason, void* pUserData);

// How the volumes of an archive are found. SpanDetect and SpanNumberedIfSpanned last from
// opening an existing archive until its end record tells whether it is spanned.
enum class ZipSpanMode
{
    SpanNone = 0,
    SpanRemovable = 1,
    SpanNumbered = 2,
    SpanDetect = 3,
    SpanNumberedIfSpanned = 4
};

class CZipVolumeStore
{
public:
    enum
    {
        ModeOpenReadWrite = 0,
        ModeOpenReadOnly = 1,
        ModeCreate = 2,
        ModeCreateSpanned = 3
    };

    enum
    {
        WriteBufferSize = 65535,
        MaxVolumes = 999
    };

    CZipVolumeStore();
    virtual ~CZipVolumeStore();

    // Modes 0 and 1: iValue != 0 takes a span to be numbered files, 0 decides by drive type.
    // Mode 3: iValue > 0 is the size of every numbered volume, <= 0 spans removable disks.
    void Open(LPCTSTR lpszPath, int iMode, int iValue);
    void Close(bool bAfterException);
    void SetDiskChangeCallback(ZipDiskChangeCallback pfnCallback, void* pUserData);

    // 0 not spanned, 1 creating a span, -1 reading a span.
    int IsSpanned() const;
    // Settles the span mode from the end record's disk number.
    void SetCurrentDisk(int iDisk);
    void ChangeDisk(int iDisk);

    DWORD Read(void* pBuffer, DWORD uLength, bool bAllOrNothing);
    void Write(const void* pData, DWORD uLength, bool bAllOrNothing);
    void Flush();
    // Position in the current volume, counting bytes still in the write buffer.
    DWORD GetPosition() const;
    void NextVolume(DWORD uNeeded, LPCTSTR lpszPath = NULL);
    // Free bytes on the drive of the current file, 0 when unknown.
    DWORD GetVolumeFreeSpace() const;
    // Bytes that still fit on the current volume of a span being created.
    DWORD GetRoomLeft() const;

    // Drops the last uLength bytes written to the current volume: from the write buffer, or,
    // when they were flushed, by writing the volume again from its start.
    void DiscardWritten(DWORD uLength);
    // Lets edit rewrite the current volume in place and shorten it to uNewLength: the bytes in
    // the write buffer, or with bWholeFile the whole volume file (through a file mapping,
    // after flushing). False, with nothing changed, when edit refuses or the file cannot be
    // mapped.
    typedef std::function<bool(BYTE* pData, DWORD uLength, DWORD& uNewLength)> VolumeEdit;
    bool EditVolume(bool bWholeFile, const VolumeEdit& edit);
    DWORD GetBufferRoom() const { return m_writeBuffer.GetSize() - m_uBuffered; }
    bool HasWrittenToVolume() const { return m_uWrittenToVolume != 0; }

    CString GetFilePath() const;
    // The name of volume iDisk of a numbered span built from lpszBase (the current file
    // when NULL); the last volume has the extension "zip".
    CString GetNumberedName(int iDisk, bool bLast, LPCTSTR lpszBase = NULL) const;

    // The current volume, for reading records directly from it.
    CBigFile& GetFile() { return m_file; }
    const CBigFile& GetFile() const { return m_file; }
    int GetCurrentDisk() const { return m_iCurrentDisk; }
    ZipSpanMode GetSpanMode() const { return m_spanMode; }
    // Creating a numbered span: the size of every volume; reading one: the last disk's number.
    DWORD GetVolumeSize() const { return m_uVolumeSize; }

private:
    DWORD m_uWriteBufferSize;
    void* m_pCallbackData;
    CBigFile m_file;
    ZipSpanMode m_spanMode;
    ZipDiskChangeCallback m_pfnDiskChange;
    DWORD m_uVolumeSize;
    DWORD m_uBuffered;
    DWORD m_uVolumeCapacity;
    CZipBuffer m_writeBuffer;
    DWORD m_uWrittenToVolume;
    bool m_bCreatingSpan;
    int m_iCurrentDisk;

    void CloseVolume();
    void AppendToBuffer(const BYTE* pData, DWORD uLength);
    void OpenVolume(LPCTSTR lpszPath, UINT nFlags);
    void OpenNextRemovableDisk(DWORD uNeeded, const CString& strPath);
    [[noreturn]] void ThrowError(int iCode) const;

    CZipVolumeStore(const CZipVolumeStore&) = delete;
    CZipVolumeStore& operator=(const CZipVolumeStore&) = delete;
};
