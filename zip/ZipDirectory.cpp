#include "ZipDirectory.h"
#include "ZipByteOrder.h"
#include "ZipException.h"
#include "ZipVolumeStore.h"
#include <algorithm>

using std::min;

CZipDirectory::CZipDirectory()
    : m_uSignature(EndRecordSignature), m_uThisDisk(0), m_uDirStartDisk(0), m_uEntriesOnDisk(0),
      m_uEntryCount(0), m_uDirSize(0), m_uDirOffset(0), m_uCommentLength(0), m_pOpenHeader(NULL),
      m_pStorage(NULL), m_uEndRecordPos(0), m_uBytesBeforeArchive(0), m_uSearchBufferSize(SearchBufferSize),
      m_bFromDisk(false), m_bHasDescriptor(false), m_uOpenDataEnd(0), m_uOpenLimit(NoLimit)
{
}

CZipDirectory::~CZipDirectory()
{
    RemoveHeaders();
}

void CZipDirectory::Init(CZipVolumeStore* pStorage)
{
    m_pStorage = pStorage;
}

void CZipDirectory::Reset()
{
    m_strComment.Empty();
    m_pOpenHeader = NULL;
    m_uEndRecordPos = 0;
    m_uBytesBeforeArchive = 0;
    m_bFromDisk = false;
}

void CZipDirectory::RemoveHeaders()
{
    for (int i = 0; i < GetCount(); ++i)
        delete GetHeader(i);
    m_headers.RemoveAll();
    m_entryLimits.clear();
    m_pOpenHeader = NULL;
}

void CZipDirectory::ThrowError(int iCode) const
{
    ThrowZipError(iCode, m_pStorage->GetFilePath());
}

DWORD CZipDirectory::LocateEndRecord()
{
    CBigFile& file = m_pStorage->GetFile();
    ULONGLONG uLength = file.GetLength();
    DWORD uWindow = (DWORD)min<ULONGLONG>(uLength, EndRecordSize + MaxCommentLength);
    CZipBuffer block;
    block.Allocate(m_uSearchBufferSize);
    DWORD uCovered = 0;
    DWORD uReach;
    do
    {
        uReach = min(uCovered + m_uSearchBufferSize, uWindow);
        DWORD uBlock = uReach - uCovered;
        if (uBlock >= 4)
        {
            file.Seek64(-(LONGLONG)uReach, CFile::end);
            if (file.Read(block.GetData(), uBlock) != uBlock)
                ThrowError(CZipException::CodeCorruptArchive);
            const BYTE* pData = block.GetData();
            for (int i = (int)uBlock - 4; i >= 0; --i)
            {
                if (ZipGetDword(pData + i) == EndRecordSignature)
                    return (DWORD)(i + uLength - uReach);
            }
        }
        // Three bytes of overlap find a signature that straddles two blocks.
        uCovered = uReach - 3;
    } while (uReach < uWindow);
    ThrowError(CZipException::CodeCorruptArchive);
}

void CZipDirectory::ReadDirectory()
{
    CBigFile& file = m_pStorage->GetFile();
    m_uEndRecordPos = LocateEndRecord();
    file.Seek64(m_uEndRecordPos, CFile::begin);
    BYTE record[EndRecordSize];
    if (file.Read(record, EndRecordSize) != EndRecordSize)
        ThrowError(CZipException::CodeCorruptArchive);
    m_uSignature = ZipGetDword(record);
    m_uThisDisk = ZipGetWord(record + 4);
    m_uDirStartDisk = ZipGetWord(record + 6);
    m_uEntriesOnDisk = ZipGetWord(record + 8);
    m_uEntryCount = ZipGetWord(record + 10);
    m_uDirSize = ZipGetDword(record + 12);
    m_uDirOffset = ZipGetDword(record + 16);
    m_uCommentLength = ZipGetWord(record + 20);

    m_pStorage->SetCurrentDisk(m_uThisDisk);
    bool bSpanned = m_pStorage->IsSpanned() != 0;
    ULONGLONG uDirEnd = (ULONGLONG)m_uDirOffset + m_uDirSize;
    if (!bSpanned && m_uEndRecordPos < uDirEnd)
        ThrowError(CZipException::CodeCorruptArchive);

    if (m_uCommentLength != 0)
    {
        UINT uRead = file.Read(m_strComment.GetBuffer(m_uCommentLength), m_uCommentLength);
        m_strComment.ReleaseBuffer(uRead);
        if (uRead != m_uCommentLength)
            ThrowError(CZipException::CodeCorruptArchive);
    }
    m_uBytesBeforeArchive = bSpanned ? 0 : (DWORD)(m_uEndRecordPos - uDirEnd);
    if ((m_uDirSize == 0) != (m_uEntryCount == 0))
        ThrowError(CZipException::CodeCorruptArchive);

    m_bFromDisk = true;
    m_pStorage->ChangeDisk(m_uDirStartDisk);
    if (m_uDirSize == 0)
        return;
    ULONGLONG uDirStart = (ULONGLONG)m_uBytesBeforeArchive + m_uDirOffset;
    m_pStorage->GetFile().Seek64((LONGLONG)uDirStart, CFile::begin);
    // A directory that lies whole in the volume of the end record is read in large blocks
    // rather than record by record; one that starts on an earlier volume may continue on
    // the next one at any record.
    if (m_uDirStartDisk == m_uThisDisk && uDirStart <= m_uEndRecordPos)
        ReadHeadersInBlocks((DWORD)(m_uEndRecordPos - uDirStart));
    else
        ReadHeadersByRecord();
    CheckEntryRanges();
}

namespace
{
// Reads a region of the file ahead in large blocks and hands out its bytes in order.
class CRegionReader
{
public:
    CRegionReader(CFile& file, DWORD uLength) : m_file(file), m_uUnread(uLength), m_uStart(0) {}

    // The next uCount bytes, or NULL when the region ends before them.
    const BYTE* Peek(DWORD uCount)
    {
        DWORD uHeld = (DWORD)m_block.size() - m_uStart;
        if (uHeld < uCount)
        {
            if (uCount - uHeld > m_uUnread)
                return NULL;
            m_block.erase(m_block.begin(), m_block.begin() + m_uStart);
            m_uStart = 0;
            // A block holds any record, which is at most 46 + 3 * 65535 bytes.
            DWORD uWanted = min<DWORD>(m_uUnread, BlockSize);
            m_block.resize(uHeld + uWanted);
            if (m_file.Read(&m_block[uHeld], uWanted) != uWanted)
                return NULL;
            m_uUnread -= uWanted;
        }
        return &m_block[m_uStart];
    }

    void Skip(DWORD uCount) { m_uStart += uCount; }

private:
    enum { BlockSize = 1 << 20 };
    CFile& m_file;
    DWORD m_uUnread;
    DWORD m_uStart;
    std::vector<BYTE> m_block;
};
}

void CZipDirectory::ReadHeadersInBlocks(DWORD uLength)
{
    CRegionReader reader(m_pStorage->GetFile(), uLength);
    for (int i = 0; i < m_uEntryCount; ++i)
    {
        CZipEntryHeader* pHeader = new CZipEntryHeader;
        m_headers.Add(pHeader);
        const BYTE* pFixed = reader.Peek(CZipEntryHeader::CentralFixedSize);
        if (pFixed == NULL || ZipGetDword(pFixed) != CZipEntryHeader::CentralSignature)
            ThrowError(CZipException::CodeCorruptArchive);
        DWORD uSize = CZipEntryHeader::GetRecordSize(pFixed);
        const BYTE* pRecord = reader.Peek(uSize);
        if (pRecord == NULL)
            ThrowError(CZipException::CodeCorruptArchive);
        pHeader->Read(pRecord);
        reader.Skip(uSize);
    }
}

void CZipDirectory::ReadHeadersByRecord()
{
    for (int i = 0; i < m_uEntryCount; ++i)
    {
        CZipEntryHeader* pHeader = new CZipEntryHeader;
        m_headers.Add(pHeader);
        if (!pHeader->Read(*m_pStorage))
            ThrowError(CZipException::CodeCorruptArchive);
    }
}

void CZipDirectory::CheckEntryRanges()
{
    // Entries that share bytes would let a small archive inflate the same data again and
    // again; an entry inside the directory is damage too. An entry takes at least its fixed
    // header, its name and its data; its local extra field is known only once it is opened.
    int nCount = GetCount();
    std::vector<int> order(nCount);
    for (int i = 0; i < nCount; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const CZipEntryHeader* pA = GetHeader(a);
        const CZipEntryHeader* pB = GetHeader(b);
        return pA->m_uDiskStart != pB->m_uDiskStart ? pA->m_uDiskStart < pB->m_uDiskStart
                                                     : pA->m_uLocalHeaderOffset < pB->m_uLocalHeaderOffset;
    });
    m_entryLimits.assign(nCount, NoLimit);
    for (int k = 0; k < nCount; ++k)
    {
        const CZipEntryHeader* pHeader = GetHeader(order[k]);
        // Entries said to lie on volumes after the directory are refused when they are opened.
        if (pHeader->m_uDiskStart > m_uDirStartDisk)
            break;
        ULONGLONG uLeastEnd = (ULONGLONG)pHeader->m_uLocalHeaderOffset + CZipEntryHeader::LocalFixedSize +
                              pHeader->m_uNameLength + pHeader->m_uCompressedSize;
        ULONGLONG uLimit = NoLimit;
        if (k + 1 < nCount && GetHeader(order[k + 1])->m_uDiskStart == pHeader->m_uDiskStart)
            uLimit = GetHeader(order[k + 1])->m_uLocalHeaderOffset;
        else if (pHeader->m_uDiskStart == m_uDirStartDisk)
            uLimit = m_uDirOffset;
        if (uLeastEnd > uLimit)
            ThrowError(CZipException::CodeCorruptArchive);
        m_entryLimits[order[k]] = uLimit;
    }
}

bool CZipDirectory::CheckLocalHeader(WORD& uExtraLength)
{
    // The name is read with the fixed part, in one piece, instead of being skipped by a seek.
    const CZipEntryHeader& header = *m_pOpenHeader;
    m_localRecord.resize(CZipEntryHeader::LocalFixedSize + header.m_uNameLength);
    BYTE* record = m_localRecord.data();
    m_pStorage->Read(record, (DWORD)m_localRecord.size(), true);
    WORD uFlags = ZipGetWord(record + 6);
    WORD uMethod = ZipGetWord(record + 8);
    if (ZipGetDword(record) != CZipEntryHeader::LocalSignature || uMethod != header.m_uMethod ||
        (uMethod != CZipEntryHeader::MethodStored && uMethod != CZipEntryHeader::MethodDeflated) ||
        ZipGetWord(record + 26) != header.m_uNameLength)
        return false;
    m_bHasDescriptor = (uFlags & CZipEntryHeader::FlagDescriptor) != 0;
    if (!m_bHasDescriptor &&
        (ZipGetDword(record + 14) != header.m_uCrc32 || ZipGetDword(record + 18) != header.m_uCompressedSize ||
         ZipGetDword(record + 22) != header.m_uUncompressedSize))
        return false;
    uExtraLength = ZipGetWord(record + 28);
    return true;
}

void CZipDirectory::OpenEntry(int iIndex)
{
    m_pOpenHeader = GetHeader(iIndex);
    m_pStorage->ChangeDisk(m_pOpenHeader->m_uDiskStart);
    m_pStorage->GetFile().Seek64((LONGLONG)m_uBytesBeforeArchive + m_pOpenHeader->m_uLocalHeaderOffset,
                              CFile::begin);
    WORD uExtraLength = 0;
    if (!CheckLocalHeader(uExtraLength))
        ThrowError(CZipException::CodeCorruptArchive);
    m_uOpenLimit = (size_t)iIndex < m_entryLimits.size() ? m_entryLimits[iIndex] : NoLimit;
    m_uOpenDataEnd = (ULONGLONG)m_pOpenHeader->m_uLocalHeaderOffset + CZipEntryHeader::LocalFixedSize +
                     m_pOpenHeader->m_uNameLength + uExtraLength + m_pOpenHeader->m_uCompressedSize;
    if (m_uOpenDataEnd > m_uOpenLimit)
        ThrowError(CZipException::CodeCorruptArchive);
    m_localExtra.Release();
    if (uExtraLength != 0)
    {
        int iHeaderDisk = m_pStorage->GetCurrentDisk();
        m_localExtra.Allocate(uExtraLength);
        m_pStorage->Read(m_localExtra.GetData(), uExtraLength, true);
        if (m_pStorage->GetCurrentDisk() != iHeaderDisk)
            ThrowError(CZipException::CodeCorruptArchive);
    }
}

void CZipDirectory::CloseEntry()
{
    m_localExtra.Release();
    if (m_bHasDescriptor)
    {
        BYTE descriptor[CZipEntryHeader::DescriptorSize];
        m_pStorage->Read(descriptor, 4, true);
        bool bSigned = ZipGetDword(descriptor) == CZipEntryHeader::DescriptorSignature;
        if (!bSigned)
            m_pStorage->GetFile().Seek64(-4, CFile::current);
        if (m_uOpenDataEnd + (bSigned ? 16 : 12) > m_uOpenLimit)
            ThrowError(CZipException::CodeCorruptArchive);
        m_pStorage->Read(descriptor + 4, 12, true);
        const CZipEntryHeader& header = *m_pOpenHeader;
        if (ZipGetDword(descriptor + 4) != header.m_uCrc32 ||
            ZipGetDword(descriptor + 8) != header.m_uCompressedSize ||
            ZipGetDword(descriptor + 12) != header.m_uUncompressedSize)
            ThrowError(CZipException::CodeCorruptArchive);
    }
    m_bHasDescriptor = false;
    m_pOpenHeader = NULL;
}

DWORD CZipDirectory::GetWrittenSize() const
{
    DWORD uSize = EndRecordSize + m_uCommentLength;
    for (int i = 0; i < GetCount(); ++i)
        uSize += GetHeader(i)->GetRecordSize();
    return uSize;
}

void CZipDirectory::WriteDirectory()
{
    if (m_bFromDisk)
        return;
    if (m_pStorage->IsSpanned() == 0)
    {
        m_pStorage->Flush();
        m_pStorage->GetFile().Seek64(0, CFile::end);
    }
    if (m_strComment.GetLength() > MaxCommentLength)
        m_strComment = m_strComment.Left(MaxCommentLength);
    m_uCommentLength = (WORD)m_strComment.GetLength();
    m_uEntryCount = (WORD)GetCount();
    m_uDirSize = 0;
    bool bConverted = ConvertSingleVolumeSpan();
    WriteHeaders();
    WriteClosingEndRecord(bConverted);
}

bool CZipDirectory::ConvertSingleVolumeSpan()
{
    CZipVolumeStore& storage = *m_pStorage;
    if (storage.IsSpanned() != 1 || storage.GetCurrentDisk() != 0)
        return false;
    // Without descriptors and marker everything may fit on the first volume.
    DWORD uNeeded = GetWrittenSize() - (CZipEntryHeader::DescriptorSize * m_uEntryCount + 4);
    if (storage.GetRoomLeft() < uNeeded)
        return false;
    if (storage.HasWrittenToVolume() || storage.GetBufferRoom() < uNeeded)
        return RemoveDescriptors(true);
    RemoveDescriptors(false);
    return true;
}

void CZipDirectory::WriteHeaders()
{
    CZipVolumeStore& storage = *m_pStorage;
    m_uEntriesOnDisk = 0;
    m_uDirStartDisk = (WORD)storage.GetCurrentDisk();
    m_uDirOffset = storage.GetPosition() - m_uBytesBeforeArchive;
    int iPreviousDisk = storage.GetCurrentDisk();
    for (int i = 0; i < GetCount(); ++i)
    {
        const CZipEntryHeader* pHeader = GetHeader(i);
        pHeader->Write(storage);
        m_uDirSize += pHeader->GetRecordSize();
        if (storage.GetCurrentDisk() == iPreviousDisk)
            ++m_uEntriesOnDisk;
        else
        {
            // The record went whole to a new volume, where it starts at offset 0.
            m_uEntriesOnDisk = 1;
            if (i == 0)
            {
                m_uDirOffset = 0;
                m_uDirStartDisk = (WORD)storage.GetCurrentDisk();
            }
            iPreviousDisk = storage.GetCurrentDisk();
        }
    }
}

void CZipDirectory::WriteClosingEndRecord(bool bConverted)
{
    CZipVolumeStore& storage = *m_pStorage;
    m_uThisDisk = (WORD)storage.GetCurrentDisk();
    WriteEndRecord();
    if (bConverted && storage.GetCurrentDisk() != 0)
        ThrowError(CZipException::CodeCorruptArchive);
    if (storage.GetCurrentDisk() == m_uThisDisk)
        return;
    // The end record moved to a new volume: its disk fields must say so.
    m_uThisDisk = (WORD)storage.GetCurrentDisk();
    if (m_uEntryCount != 0)
        m_uEntriesOnDisk = 0;
    else
    {
        m_uDirStartDisk = (WORD)storage.GetCurrentDisk();
        m_uDirOffset = 0;
    }
    storage.DiscardWritten(EndRecordSize + m_uCommentLength);
    WriteEndRecord();
}

void CZipDirectory::WriteEndRecord()
{
    CZipBuffer record;
    record.Allocate(EndRecordSize + m_uCommentLength);
    BYTE* p = record.GetData();
    ZipPutDword(p, EndRecordSignature);
    ZipPutWord(p + 4, m_uThisDisk);
    ZipPutWord(p + 6, m_uDirStartDisk);
    ZipPutWord(p + 8, m_uEntriesOnDisk);
    ZipPutWord(p + 10, m_uEntryCount);
    ZipPutDword(p + 12, m_uDirSize);
    ZipPutDword(p + 16, m_uDirOffset);
    ZipPutWord(p + 20, m_uCommentLength);
    memcpy(p + EndRecordSize, (LPCTSTR)m_strComment, m_uCommentLength);
    m_pStorage->Write(record.GetData(), record.GetSize(), true);
}

bool CZipDirectory::MoveEntriesUp(BYTE* pData, DWORD uLength, DWORD& uOut)
{
    int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
    {
        DWORD uStart = GetHeader(i)->m_uLocalHeaderOffset;
        DWORD uEnd = i + 1 < nCount ? GetHeader(i + 1)->m_uLocalHeaderOffset : uLength;
        if (uStart < 4 || uEnd > uLength || uEnd < uStart + CZipEntryHeader::LocalFixedSize +
                                                      CZipEntryHeader::DescriptorSize)
            return false;
    }
    uOut = 0;
    for (int i = 0; i < nCount; ++i)
    {
        CZipEntryHeader* pHeader = GetHeader(i);
        pHeader->m_uFlags &= ~CZipEntryHeader::FlagDescriptor;
        BYTE* pLocal = pData + pHeader->m_uLocalHeaderOffset;
        ZipPutWord(pLocal + 6, pHeader->m_uFlags);
        ZipPutDword(pLocal + 14, pHeader->m_uCrc32);
        ZipPutDword(pLocal + 18, pHeader->m_uCompressedSize);
        ZipPutDword(pLocal + 22, pHeader->m_uUncompressedSize);
        DWORD uEnd = i + 1 < nCount ? GetHeader(i + 1)->m_uLocalHeaderOffset : uLength;
        DWORD uMoved = uEnd - CZipEntryHeader::DescriptorSize - pHeader->m_uLocalHeaderOffset;
        memmove(pData + uOut, pLocal, uMoved);
        pHeader->m_uLocalHeaderOffset -= 4 + CZipEntryHeader::DescriptorSize * i;
        uOut += uMoved;
    }
    return true;
}

bool CZipDirectory::RemoveDescriptors(bool bInFile)
{
    return m_pStorage->EditVolume(bInFile, [this](BYTE* pData, DWORD uLength, DWORD& uNewLength) {
        return MoveEntriesUp(pData, uLength, uNewLength);
    });
}
