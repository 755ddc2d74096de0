// CMemFile: a file held in a memory block that grows in steps of the grow-by size.
#pragma once
#include "File.h"

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
    // An empty file whose block is allocated and grown by nGrowBytes and freed with the file.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // See Attach.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Uses lpBuffer as the file. With nGrowBytes 0 the file is the block's contents and cannot
    // grow; otherwise the file starts empty and the block (from malloc) is reallocated as needed.
    // The block stays the caller's: take it back with Detach.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Returns the block (possibly reallocated) and leaves the file empty; call GetLength first.
    BYTE* Detach();

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;   // may move past the end
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    BOOL GetStatus(CFileStatus& rStatus) const override;
    using CFile::GetStatus;

    // A memory file has no handle to duplicate and no range to lock: these throw
    // CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    // Makes the block at least dwNewLen bytes; throws CMemoryException when it cannot.
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;   // the block is the file's own and is freed with it
};
