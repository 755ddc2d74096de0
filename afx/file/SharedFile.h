// CSharedFile: a memory file on a GlobalAlloc block, for the clipboard and data transfer.
#pragma once
#include "MemFile.h"

class CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the block over to the caller (unlocked) and leaves the file empty. The block may be
    // larger than the data: call GetLength first.
    HGLOBAL Detach();
    // Uses hGlobalMemory, whose whole size is the file; the file owns it from now on. Without
    // bAllowGrow, writing past its end throws CMemoryException.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T nBytes) override;
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};
