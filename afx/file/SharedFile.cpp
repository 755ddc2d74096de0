#include "SharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    // The base destructor would release the block with its own Free.
    Close();
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMemory = m_hGlobalMemory;
    if (hMemory != NULL)
        GlobalUnlock(hMemory);
    m_hGlobalMemory = NULL;
    CMemFile::Detach();
    return hMemory;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    ASSERT(m_hGlobalMemory == NULL && m_lpBuffer == NULL);
    BYTE* lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    if (lpBuffer == NULL)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpBuffer;
    m_nBufferSize = GlobalSize(hGlobalMemory);
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    m_bAllowGrow = bAllowGrow;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    ASSERT(m_hGlobalMemory == NULL);
    HGLOBAL hMemory = GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMemory == NULL)
        return NULL;
    BYTE* lpMemory = static_cast<BYTE*>(GlobalLock(hMemory));
    if (lpMemory == NULL)
    {
        GlobalFree(hMemory);
        return NULL;
    }
    m_hGlobalMemory = hMemory;
    return lpMemory;
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return NULL;
    ASSERT(m_hGlobalMemory != NULL);
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hMemory = GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE);
    if (hMemory == NULL)
    {
        // The old block is still valid: lock it again so the file stays usable.
        GlobalLock(m_hGlobalMemory);
        return NULL;
    }
    m_hGlobalMemory = hMemory;
    return static_cast<BYTE*>(GlobalLock(hMemory));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory == NULL)
        return;
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}
