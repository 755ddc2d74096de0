// The archive's file and its volumes: reading across volumes, buffered writing, starting
// new volumes, removable-disk and numbered-file spans.
#pragma once
#include "afx.h"
#include "BigFile.h"
#include "ZipBuffer.h"

// Asks for a disk. iReason: -1 the disk is needed for reading; > 0 a new disk is needed for
// writing and that many bytes must fit; -2 the disk already holds a file or folder of the
// archive's name; -3 setting the volume label failed; -4 creating the volume file failed.
// Returning false cancels the operation.
typedef bool (*ZipDiskChangeCallback)(int iDisk, int iReason, void* pUserData);

class CZipVolumeStore
{
public:
    enum
    {
        SpanNone = 0,
        SpanRemovable = 1,
        SpanNumbered = 2,
        SpanDetect = 3,
        SpanNumberedIfSpanned = 4
    };

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

    CString GetFilePath() const;
    // The name of volume iDisk of a numbered span built from lpszBase (the current file
    // when NULL); the last volume has the extension "zip".
    CString GetNumberedName(int iDisk, bool bLast, LPCTSTR lpszBase = NULL) const;

    DWORD m_uWriteBufferSize;
    void* m_pCallbackData;
    CBigFile m_file;
    int m_iSpanMode;
    ZipDiskChangeCallback m_pfnDiskChange;
    DWORD m_uVolumeSize;
    DWORD m_uBuffered;
    DWORD m_uVolumeCapacity;
    CZipBuffer m_writeBuffer;
    DWORD m_uWrittenToVolume;
    bool m_bCreatingSpan;
    int m_iCurrentDisk;

private:
    void CloseVolume();
    void AppendToBuffer(const BYTE* pData, DWORD uLength);
    void OpenVolume(LPCTSTR lpszPath, UINT nFlags);
    void OpenNextRemovableDisk(DWORD uNeeded, const CString& strPath);
    [[noreturn]] void ThrowError(int iCode) const;

    CZipVolumeStore(const CZipVolumeStore&) = delete;
    CZipVolumeStore& operator=(const CZipVolumeStore&) = delete;
};
