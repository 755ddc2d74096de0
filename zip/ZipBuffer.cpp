#include "ZipBuffer.h"

CZipBuffer::CZipBuffer() : m_pData(NULL), m_uSize(0)
{
}

CZipBuffer::CZipBuffer(const CZipBuffer& other) : m_pData(NULL), m_uSize(0)
{
    *this = other;
}

CZipBuffer& CZipBuffer::operator=(const CZipBuffer& other)
{
    if (this != &other)
    {
        Allocate(other.m_uSize);
        if (m_uSize != 0)
            memcpy(m_pData, other.m_pData, m_uSize);
    }
    return *this;
}

CZipBuffer::~CZipBuffer()
{
    Release();
}

void CZipBuffer::Allocate(DWORD uSize, bool bZero)
{
    if (uSize != m_uSize)
    {
        Release();
        if (uSize != 0)
        {
            m_pData = new BYTE[uSize];
            m_uSize = uSize;
        }
        if (bZero && m_pData != NULL)
            memset(m_pData, 0, m_uSize);
    }
    else if (bZero && m_pData != NULL)
        memset(m_pData, 0, m_uSize);
}

void CZipBuffer::Release()
{
    delete[] m_pData;
    m_pData = NULL;
    m_uSize = 0;
}
