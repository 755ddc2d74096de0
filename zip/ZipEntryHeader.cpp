#include "ZipEntryHeader.h"
#include "ZipByteOrder.h"
#include "ZipVolumeStore.h"
#include <algorithm>

using std::min;

CZipEntryHeader::CZipEntryHeader()
    : m_uSignature(CentralSignature), m_uVersionMadeBy(20), m_uVersionNeeded(20), m_uFlags(0),
      m_uMethod(MethodDeflated), m_uModTime(0), m_uModDate(0), m_uCrc32(0), m_uCompressedSize(0),
      m_uUncompressedSize(0), m_uNameLength(0), m_uExtraLength(0), m_uCommentLength(0), m_uDiskStart(0),
      m_uInternalAttributes(0), m_uExternalAttributes(AttributeArchive), m_uLocalHeaderOffset(0)
{
}

CZipEntryHeader::~CZipEntryHeader()
{
}

CTime CZipEntryHeader::GetTime() const
{
    return CTime(m_uModDate, m_uModTime, -1);
}

DWORD CZipEntryHeader::GetRecordSize() const
{
    return CentralFixedSize + m_uNameLength + m_uExtraLength + m_uCommentLength;
}

DWORD CZipEntryHeader::GetRecordSize(const BYTE* pFixed)
{
    return CentralFixedSize + ZipGetWord(pFixed + 28) + ZipGetWord(pFixed + 30) + ZipGetWord(pFixed + 32);
}

bool CZipEntryHeader::ReadFixedPart(const BYTE* pRecord)
{
    m_uSignature = ZipGetDword(pRecord);
    if (m_uSignature != CentralSignature)
        return false;
    m_uVersionMadeBy = ZipGetWord(pRecord + 4);
    m_uVersionNeeded = ZipGetWord(pRecord + 6);
    m_uFlags = ZipGetWord(pRecord + 8);
    m_uMethod = ZipGetWord(pRecord + 10);
    m_uModTime = ZipGetWord(pRecord + 12);
    m_uModDate = ZipGetWord(pRecord + 14);
    m_uCrc32 = ZipGetDword(pRecord + 16);
    m_uCompressedSize = ZipGetDword(pRecord + 20);
    m_uUncompressedSize = ZipGetDword(pRecord + 24);
    m_uNameLength = ZipGetWord(pRecord + 28);
    m_uExtraLength = ZipGetWord(pRecord + 30);
    m_uCommentLength = ZipGetWord(pRecord + 32);
    m_uDiskStart = ZipGetWord(pRecord + 34);
    m_uInternalAttributes = ZipGetWord(pRecord + 36);
    m_uExternalAttributes = ZipGetDword(pRecord + 38);
    m_uLocalHeaderOffset = ZipGetDword(pRecord + 42);
    return true;
}

bool CZipEntryHeader::Read(const BYTE* pRecord)
{
    if (!ReadFixedPart(pRecord))
        return false;
    const BYTE* p = pRecord + CentralFixedSize;
    m_strFileName = CString(reinterpret_cast<LPCSTR>(p), m_uNameLength);
    p += m_uNameLength;
    m_extraField.Allocate(m_uExtraLength);
    memcpy(m_extraField.GetData(), p, m_uExtraLength);
    p += m_uExtraLength;
    m_strComment = CString(reinterpret_cast<LPCSTR>(p), m_uCommentLength);
    return true;
}

bool CZipEntryHeader::Read(CZipVolumeStore& storage)
{
    BYTE record[CentralFixedSize];
    storage.Read(record, CentralFixedSize, true);
    if (!ReadFixedPart(record))
        return false;

    CFile& file = storage.GetFile();
    if (m_uNameLength != 0)
    {
        UINT uRead = file.Read(m_strFileName.GetBuffer(m_uNameLength), m_uNameLength);
        m_strFileName.ReleaseBuffer(uRead);
        if (uRead != m_uNameLength)
            return false;
    }
    m_extraField.Allocate(m_uExtraLength);
    if (m_uExtraLength != 0 && file.Read(m_extraField.GetData(), m_uExtraLength) != m_uExtraLength)
        return false;
    if (m_uCommentLength != 0)
    {
        UINT uRead = file.Read(m_strComment.GetBuffer(m_uCommentLength), m_uCommentLength);
        m_strComment.ReleaseBuffer(uRead);
        if (uRead != m_uCommentLength)
            return false;
    }
    return true;
}

void CZipEntryHeader::Write(CZipVolumeStore& storage) const
{
    CZipBuffer record;
    record.Allocate(GetRecordSize(), true);
    BYTE* p = record.GetData();
    ZipPutDword(p, CentralSignature);
    ZipPutWord(p + 4, m_uVersionMadeBy);
    ZipPutWord(p + 6, m_uVersionNeeded);
    ZipPutWord(p + 8, m_uFlags);
    ZipPutWord(p + 10, m_uMethod);
    ZipPutWord(p + 12, m_uModTime);
    ZipPutWord(p + 14, m_uModDate);
    ZipPutDword(p + 16, m_uCrc32);
    ZipPutDword(p + 20, m_uCompressedSize);
    ZipPutDword(p + 24, m_uUncompressedSize);
    ZipPutWord(p + 28, m_uNameLength);
    ZipPutWord(p + 30, m_uExtraLength);
    ZipPutWord(p + 32, m_uCommentLength);
    ZipPutWord(p + 34, m_uDiskStart);
    ZipPutWord(p + 36, m_uInternalAttributes);
    ZipPutDword(p + 38, m_uExternalAttributes);
    ZipPutDword(p + 42, m_uLocalHeaderOffset);
    p += CentralFixedSize;
    memcpy(p, (LPCTSTR)m_strFileName, min<DWORD>(m_uNameLength, m_strFileName.GetLength()));
    p += m_uNameLength;
    memcpy(p, m_extraField.GetData(), min<DWORD>(m_uExtraLength, m_extraField.GetSize()));
    p += m_uExtraLength;
    memcpy(p, (LPCTSTR)m_strComment, min<DWORD>(m_uCommentLength, m_strComment.GetLength()));
    storage.Write(record.GetData(), record.GetSize(), true);
}
