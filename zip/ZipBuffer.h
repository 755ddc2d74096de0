// An owned block of bytes with its size.
#pragma once
#include "afx.h"

class CZipBuffer
{
public:
    CZipBuffer();
    CZipBuffer(const CZipBuffer& other);
    CZipBuffer& operator=(const CZipBuffer& other);
    virtual ~CZipBuffer();

    // Takes a block of exactly uSize bytes when the size changes (none for 0); with the
    // same size the contents are kept, or cleared when bZero is set.
    void Allocate(DWORD uSize, bool bZero = false);
    void Release();

    BYTE* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_uSize; }
    bool IsEmpty() const { return m_uSize == 0; }

private:
    BYTE* m_pData;
    DWORD m_uSize;
};
