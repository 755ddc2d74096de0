#include "ZipVolumeStore.h"
#include "ZipEntryHeader.h"
#include "ZipException.h"
#include "ZipFileSystem.h"
#include "ZipPathHelpers.h"
#include <algorithm>

using std::min;

CZipVolumeStore::CZipVolumeStore()
    : m_uWriteBufferSize(WriteBufferSize), m_pCallbackData(NULL), m_spanMode(ZipSpanMode::SpanNone),
      m_pfnDiskChange(NULL), m_uVolumeSize(0), m_uBuffered(0), m_uVolumeCapacity(0),
      m_uWrittenToVolume(0), m_bCreatingSpan(false), m_iCurrentDisk(-1)
{
}

CZipVolumeStore::~CZipVolumeStore()
{
    m_file.Abort();
}

void CZipVolumeStore::SetDiskChangeCallback(ZipDiskChangeCallback pfnCallback, void* pUserData)
{
    m_pfnDiskChange = pfnCallback;
    m_pCallbackData = pUserData;
}

void CZipVolumeStore::Open(LPCTSTR lpszPath, int iMode, int iValue)
{
    m_writeBuffer.Allocate(m_uWriteBufferSize);
    m_uBuffered = 0;
    m_bCreatingSpan = false;
    switch (iMode)
    {
    case ModeCreate:
        OpenVolume(lpszPath, CFile::modeCreate | CFile::modeReadWrite);
        m_iCurrentDisk = 0;
        m_spanMode = ZipSpanMode::SpanNone;
        break;
    case ModeCreateSpanned:
    {
        m_iCurrentDisk = 0;
        m_bCreatingSpan = true;
        m_uWrittenToVolume = 0;
        if (iValue > 0)
        {
            m_uVolumeSize = (DWORD)iValue;
            m_spanMode = ZipSpanMode::SpanNumbered;
        }
        else
        {
            m_spanMode = ZipSpanMode::SpanRemovable;
            if (m_pfnDiskChange == NULL)
                ThrowZipError(CZipException::CodeMissingVolumeCallback, lpszPath);
            if (!ZipIsDriveRemovable(lpszPath))
                ThrowZipError(CZipException::CodeMediaNotRemovable, lpszPath);
        }
        NextVolume(4, lpszPath);
        BYTE marker[4] = {0x50, 0x4B, 0x07, 0x08};
        Write(marker, sizeof(marker), true);
        break;
    }
    default:
        OpenVolume(lpszPath, iMode == ModeOpenReadOnly ? CFile::modeRead : CFile::modeReadWrite);
        m_iCurrentDisk = 0;
        m_spanMode = iValue != 0 ? ZipSpanMode::SpanNumberedIfSpanned : ZipSpanMode::SpanDetect;
        break;
    }
}

void CZipVolumeStore::OpenVolume(LPCTSTR lpszPath, UINT nFlags)
{
    CFileException* pError = new CFileException;
    if (!m_file.Open(lpszPath, nFlags | CFile::shareDenyWrite | CFile::typeBinary, pError))
        throw pError;
    pError->Delete();
}

int CZipVolumeStore::IsSpanned() const
{
    if (m_spanMode == ZipSpanMode::SpanNone)
        return 0;
    return m_bCreatingSpan ? 1 : -1;
}

void CZipVolumeStore::SetCurrentDisk(int iDisk)
{
    m_iCurrentDisk = iDisk;
    if (iDisk == 0)
    {
        m_spanMode = ZipSpanMode::SpanNone;
        return;
    }
    if (m_spanMode == ZipSpanMode::SpanDetect && ZipIsDriveRemovable(GetFilePath()))
        m_spanMode = ZipSpanMode::SpanRemovable;
    else
        m_spanMode = ZipSpanMode::SpanNumbered;
    if (m_spanMode == ZipSpanMode::SpanNumbered)
        m_uVolumeSize = (DWORD)iDisk;
    else if (m_pfnDiskChange == NULL)
        ThrowError(CZipException::CodeMissingVolumeCallback);
    m_writeBuffer.Release();
}

DWORD CZipVolumeStore::Read(void* pBuffer, DWORD uLength, bool bAllOrNothing)
{
    if (uLength == 0)
        return 0;
    BYTE* pBytes = static_cast<BYTE*>(pBuffer);
    DWORD uRead = m_file.Read(pBytes, uLength);
    while (uRead == 0)
    {
        if (IsSpanned() == 0)
            ThrowError(CZipException::CodeCorruptArchive);
        ChangeDisk(m_iCurrentDisk + 1);
        uRead = m_file.Read(pBytes, uLength);
    }
    if (uRead == uLength)
        return uRead;
    if (bAllOrNothing || IsSpanned() == 0)
        ThrowError(CZipException::CodeCorruptArchive);
    while (uRead < uLength)
    {
        ChangeDisk(m_iCurrentDisk + 1);
        uRead += m_file.Read(pBytes + uRead, uLength - uRead);
    }
    return uRead;
}

void CZipVolumeStore::ChangeDisk(int iDisk)
{
    if (iDisk == m_iCurrentDisk)
        return;
    // A plain archive has one volume; a record naming another one is damage.
    if (m_spanMode == ZipSpanMode::SpanNone)
        ThrowError(CZipException::CodeCorruptArchive);
    m_iCurrentDisk = iDisk;
    CString strName;
    if (m_spanMode == ZipSpanMode::SpanRemovable)
    {
        strName = GetFilePath();
        CloseVolume();
        if (!m_pfnDiskChange(iDisk, -1, m_pCallbackData))
            throw new CZipException(CZipException::VolumeRequestCancelled, strName);
    }
    else
    {
        strName = GetNumberedName(iDisk, (DWORD)iDisk == m_uVolumeSize);
        CloseVolume();
    }
    OpenVolume(strName, CFile::modeRead);
}

CString CZipVolumeStore::GetNumberedName(int iDisk, bool bLast, LPCTSTR lpszBase) const
{
    CString strBase = lpszBase != NULL ? CString(lpszBase) : GetFilePath();
    CString strName = ZipGetDriveAndFolder(strBase) + ZipGetFileTitleOnly(strBase);
    if (bLast)
        strName += ".zip";
    else
    {
        CString strNumber;
        strNumber.Format(".%.3d", iDisk);
        strName += strNumber;
    }
    return strName;
}

DWORD CZipVolumeStore::GetRoomLeft() const
{
    DWORD uUsed = m_uBuffered;
    if (m_spanMode == ZipSpanMode::SpanNumbered)
        uUsed += m_uWrittenToVolume;
    return m_uVolumeCapacity > uUsed ? m_uVolumeCapacity - uUsed : 0;
}

void CZipVolumeStore::Write(const void* pData, DWORD uLength, bool bAllOrNothing)
{
    const BYTE* pBytes = static_cast<const BYTE*>(pData);
    if (IsSpanned() == 0)
    {
        AppendToBuffer(pBytes, uLength);
        return;
    }
    DWORD uNeeded = bAllOrNothing ? uLength : 1;
    DWORD uDone = 0;
    while (uDone < uLength)
    {
        DWORD uRoom;
        while ((uRoom = GetRoomLeft()) < uNeeded)
        {
            if (m_spanMode != ZipSpanMode::SpanNumbered || m_uWrittenToVolume != 0 || m_uBuffered != 0)
                NextVolume(uNeeded);
            else
                m_uVolumeCapacity = uNeeded;
        }
        DWORD uPiece = min(uRoom, uLength - uDone);
        AppendToBuffer(pBytes + uDone, uPiece);
        uDone += uPiece;
        if (bAllOrNothing)
            break;
    }
}

void CZipVolumeStore::AppendToBuffer(const BYTE* pData, DWORD uLength)
{
    while (uLength != 0)
    {
        if (m_uBuffered == m_writeBuffer.GetSize())
            Flush();
        DWORD uPiece = min(m_writeBuffer.GetSize() - m_uBuffered, uLength);
        memcpy(m_writeBuffer.GetData() + m_uBuffered, pData, uPiece);
        m_uBuffered += uPiece;
        pData += uPiece;
        uLength -= uPiece;
    }
}

void CZipVolumeStore::Flush()
{
    m_uWrittenToVolume += m_uBuffered;
    if (m_uBuffered != 0)
    {
        m_file.Write(m_writeBuffer.GetData(), m_uBuffered);
        m_uBuffered = 0;
    }
    if (m_spanMode == ZipSpanMode::SpanRemovable)
        m_uVolumeCapacity = GetVolumeFreeSpace();
}

DWORD CZipVolumeStore::GetPosition() const
{
    return (DWORD)m_file.GetPosition() + m_uBuffered;
}

void CZipVolumeStore::NextVolume(DWORD uNeeded, LPCTSTR lpszPath)
{
    Flush();
    if (m_uWrittenToVolume != 0)
    {
        m_uWrittenToVolume = 0;
        ++m_iCurrentDisk;
        if (m_iCurrentDisk >= MaxVolumes)
            ThrowError(CZipException::CodeVolumeLimitReached);
    }
    CString strName;
    if (m_spanMode == ZipSpanMode::SpanRemovable)
        strName = lpszPath != NULL ? CString(lpszPath) : GetFilePath();
    else
        strName = GetNumberedName(m_iCurrentDisk, false, lpszPath);
    CloseVolume();
    if (m_spanMode == ZipSpanMode::SpanRemovable)
        OpenNextRemovableDisk(uNeeded, strName);
    else
    {
        m_uVolumeCapacity = m_uVolumeSize;
        OpenVolume(strName, CFile::modeCreate | CFile::modeReadWrite);
    }
}

void CZipVolumeStore::OpenNextRemovableDisk(DWORD uNeeded, const CString& strPath)
{
    CString strLabel;
    strLabel.Format("pkback#%.3d", m_iCurrentDisk);
    int iReason = (int)uNeeded;
    while (true)
    {
        if (!m_pfnDiskChange(m_iCurrentDisk, iReason, m_pCallbackData))
            throw new CZipException(CZipException::VolumeRequestCancelled, strPath);
        if (ZipFileExists(strPath) != 0)
        {
            iReason = -2;
            continue;
        }
        if (!ZipSetVolumeLabel(strPath, strLabel))
        {
            iReason = -3;
            continue;
        }
        if (!m_file.Open(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite |
                                      CFile::typeBinary))
        {
            iReason = -4;
            continue;
        }
        m_uVolumeCapacity = GetVolumeFreeSpace();
        return;
    }
}

DWORD CZipVolumeStore::GetVolumeFreeSpace() const
{
    return ZipGetDriveFreeSpace(GetFilePath());
}

CString CZipVolumeStore::GetFilePath() const
{
    return m_file.GetFilePath();
}

void CZipVolumeStore::Close(bool bAfterException)
{
    if (bAfterException)
        m_file.Abort();
    else
    {
        Flush();
        if (m_spanMode == ZipSpanMode::SpanNumbered && m_bCreatingSpan)
        {
            CString strCurrent = GetFilePath();
            CString strLast = GetNumberedName(m_iCurrentDisk, true, strCurrent);
            m_file.Close();
            if (ZipFileExists(strLast) != 0)
                CFile::Remove(strLast);
            CFile::Rename(strCurrent, strLast);
        }
        else
            CloseVolume();
    }
    m_writeBuffer.Release();
    m_uBuffered = 0;
    m_bCreatingSpan = false;
    m_iCurrentDisk = -1;
    m_spanMode = ZipSpanMode::SpanNone;
}

void CZipVolumeStore::CloseVolume()
{
    if (m_file.m_hFile != CFile::hFileNull)
        m_file.Close();
}

void CZipVolumeStore::ThrowError(int iCode) const
{
    ThrowZipError(iCode, GetFilePath());
}

void CZipVolumeStore::DiscardWritten(DWORD uLength)
{
    if (m_uBuffered >= uLength)
    {
        m_uBuffered -= uLength;
        return;
    }
    Flush();
    m_uWrittenToVolume -= uLength;
    m_file.Seek64(0, CFile::begin);
}

bool CZipVolumeStore::EditVolume(bool bWholeFile, const VolumeEdit& edit)
{
    DWORD uNewLength = 0;
    if (!bWholeFile)
    {
        if (!edit(m_writeBuffer.GetData(), m_uBuffered, uNewLength))
            return false;
        m_uBuffered = uNewLength;
        return true;
    }
    Flush();
    m_file.Flush();
    DWORD uLength = (DWORD)m_file.GetLength();
    // Unnamed, so that no other process can open the same view.
    HANDLE hMapping = CreateFileMappingA((HANDLE)m_file.m_hFile, NULL, PAGE_READWRITE, 0, 0, NULL);
    if (hMapping == NULL)
        return false;
    BYTE* pView = static_cast<BYTE*>(MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, 0));
    if (pView == NULL)
    {
        CloseHandle(hMapping);
        return false;
    }
    bool bEdited = edit(pView, uLength, uNewLength);
    UnmapViewOfFile(pView);
    CloseHandle(hMapping);
    if (!bEdited)
        return false;
    m_uWrittenToVolume = uNewLength;
    m_file.SetLength(uNewLength);
    m_file.Seek64(0, CFile::end);
    return true;
}
