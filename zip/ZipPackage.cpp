#include "ZipPackage.h"
#include "ZipByteOrder.h"
#include "ZipTargetPath.h"
#include <stdlib.h>
#include <algorithm>
#include <memory>

using std::min;

static_assert(sizeof(z_stream) == 56, "the 32-bit zlib stream layout");

// The attributes a file can be given as it is created; the others are set afterwards.
static const DWORD kCreationAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

CZipPackage::CZipPackage()
    : m_bSlashesToBackslashes(true), m_bOemToAnsi(true), m_bTrackAllocations(true), m_allocations(10),
      m_iFileState(0)
{
    m_stream.m_zs.zalloc = ZlibAlloc;
    m_stream.m_zs.zfree = ZlibFree;
    m_directory.Init(&m_storage);
}

CZipPackage::~CZipPackage()
{
    POSITION pos = m_allocations.GetHeadPosition();
    while (pos != NULL)
        free(m_allocations.GetNext(pos));
    m_allocations.RemoveAll();
}

void* CZipPackage::ZlibAlloc(void* pOpaque, unsigned int uItems, unsigned int uSize)
{
    void* pBlock = malloc((size_t)uItems * uSize);
    if (pBlock != NULL && pOpaque != NULL)
        static_cast<CPtrList*>(pOpaque)->AddTail(pBlock);
    return pBlock;
}

void CZipPackage::ZlibFree(void* pOpaque, void* pBlock)
{
    if (pOpaque != NULL)
    {
        CPtrList* pList = static_cast<CPtrList*>(pOpaque);
        POSITION pos = pList->Find(pBlock);
        if (pos != NULL)
            pList->RemoveAt(pos);
    }
    free(pBlock);
}

void CZipPackage::ThrowError(int iCode) const
{
    ThrowZipError(iCode, IsClosed() ? CString() : m_storage.GetFilePath());
}

void CZipPackage::CheckZlibResult(int iResult) const
{
    if (iResult != Z_OK && iResult != Z_NEED_DICT)
        ThrowError(iResult);
}

void CZipPackage::Open(LPCTSTR lpszPath, int iMode, int iValue)
{
    if (!IsClosed())
        return;
    m_iFileState = 0;
    m_storage.Open(lpszPath, iMode, iValue);
    m_directory.Reset();
    if (iMode != ModeCreate && iMode != ModeCreateSpanned)
        m_directory.ReadDirectory();
}

bool CZipPackage::IsClosed(bool bWholeArchive) const
{
    if (bWholeArchive)
        return m_storage.GetCurrentDisk() == -1;
    return m_storage.GetFile().m_hFile == CFile::hFileNull;
}

void CZipPackage::SetDiskChangeCallback(ZipDiskChangeCallback pfnCallback, void* pUserData)
{
    m_storage.SetDiskChangeCallback(pfnCallback, pUserData);
}

int CZipPackage::GetCount() const
{
    return m_directory.GetCount();
}

bool CZipPackage::IsValidIndex(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount();
}

bool CZipPackage::GetFileInfo(CZipEntryHeader& info, WORD uIndex) const
{
    bool bExactName;
    return CopyEntryInfo(info, uIndex, bExactName);
}

bool CZipPackage::CopyEntryInfo(CZipEntryHeader& info, WORD uIndex, bool& bExactName) const
{
    if (IsClosed() || !IsValidIndex(uIndex))
        return false;
    info = *m_directory.GetHeader(uIndex);
    int nLength = info.m_strFileName.GetLength();
    bExactName = true;
    // The flag says how the name is written, so it is converted whatever the switch says.
    if (info.HasUtf8Name())
        bExactName = ZipUtf8ToAnsi(info.m_strFileName);
    else if (m_bOemToAnsi && nLength != 0)
    {
        LPTSTR pName = info.m_strFileName.GetBuffer(nLength);
        OemToCharBuffA(pName, pName, (DWORD)nLength);
        info.m_strFileName.ReleaseBuffer(nLength);
    }
    if (m_bSlashesToBackslashes)
        info.m_strFileName.Replace('/', '\\');
    return true;
}

bool CZipPackage::IsDirectory(WORD uIndex) const
{
    if (IsClosed() || !IsValidIndex(uIndex))
        return false;
    return m_directory.GetHeader(uIndex)->IsDirectory();
}

bool CZipPackage::OpenFile(WORD uIndex)
{
    if (IsClosed() || !IsValidIndex(uIndex) || m_storage.IsSpanned() == 1 || m_iFileState != 0)
        return false;
    m_stream.m_input.Allocate(m_stream.m_uBufferSize);
    m_directory.OpenEntry(uIndex);
    const CZipEntryHeader& header = *GetOpenHeader();
    z_stream& zs = m_stream.m_zs;
    if (header.m_uMethod == CZipEntryHeader::MethodDeflated)
    {
        zs.opaque = m_bTrackAllocations ? &m_allocations : NULL;
        zs.next_in = NULL;
        zs.avail_in = 0;
        CheckZlibResult(inflateInit2_(&zs, -MAX_WBITS, "1.1.3", (int)sizeof(z_stream)));
    }
    else if (header.m_uMethod != CZipEntryHeader::MethodStored)
        ThrowError(CZipException::CodeCorruptArchive);
    m_stream.m_uCompressedLeft = header.m_uCompressedSize;
    m_stream.m_uUncompressedLeft = header.m_uUncompressedSize;
    m_stream.m_uCrc = 0;
    zs.total_out = 0;
    zs.avail_in = 0;
    m_iFileState = -1;
    return true;
}

DWORD CZipPackage::ReadFile(void* pBuffer, DWORD uLength)
{
    if (m_iFileState != -1 || pBuffer == NULL || uLength == 0)
        return 0;
    z_stream& zs = m_stream.m_zs;
    DWORD uWanted = min(uLength, m_stream.m_uUncompressedLeft);
    zs.next_out = static_cast<Bytef*>(pBuffer);
    zs.avail_out = uWanted;
    if (uWanted == 0)
        return 0;
    bool bDeflated = GetOpenHeader()->m_uMethod == CZipEntryHeader::MethodDeflated;
    DWORD uDelivered = 0;
    while (zs.avail_out != 0)
    {
        const Bytef* pOut = zs.next_out;
        DWORD uProduced;
        if (bDeflated)
        {
            FillInput();
            uLong uTotalBefore = zs.total_out;
            int iResult = inflate(&zs, Z_SYNC_FLUSH);
            uProduced = (DWORD)(zs.total_out - uTotalBefore);
            m_stream.m_uCrc = crc32(m_stream.m_uCrc, pOut, uProduced);
            m_stream.m_uUncompressedLeft -= uProduced;
            uDelivered += uProduced;
            if (iResult == Z_STREAM_END)
            {
                // A stream that ends early would leave the entry short.
                if (m_stream.m_uUncompressedLeft != 0)
                    ThrowError(CZipException::CodeCorruptArchive);
                return uDelivered;
            }
            CheckZlibResult(iResult);
            if (m_stream.m_uUncompressedLeft == 0)
                CheckNoOutputLeft();
        }
        else
        {
            // Stored data that run out before the declared size.
            if (m_stream.m_uCompressedLeft == 0)
                ThrowError(CZipException::CodeCorruptArchive);
            // Stored data go from the archive straight into the caller's buffer.
            uProduced = m_storage.Read(zs.next_out, min<DWORD>(zs.avail_out, m_stream.m_uCompressedLeft), false);
            m_stream.m_uCompressedLeft -= uProduced;
            m_stream.m_uCrc = crc32(m_stream.m_uCrc, pOut, uProduced);
            m_stream.m_uUncompressedLeft -= uProduced;
            zs.next_out += uProduced;
            zs.avail_out -= uProduced;
            zs.total_out += uProduced;
            uDelivered += uProduced;
        }
    }
    return uDelivered;
}

void CZipPackage::FillInput()
{
    z_stream& zs = m_stream.m_zs;
    if (zs.avail_in != 0 || m_stream.m_uCompressedLeft == 0)
        return;
    DWORD uRead = m_storage.Read(m_stream.m_input.GetData(),
                                 min(m_stream.m_uBufferSize, m_stream.m_uCompressedLeft), false);
    m_stream.m_uCompressedLeft -= uRead;
    zs.next_in = m_stream.m_input.GetData();
    zs.avail_in = uRead;
}

void CZipPackage::CheckNoOutputLeft()
{
    // The declared size is all an entry may hold, so that its output stays bounded: a stream
    // with more to give is damage. One byte of room tells; running out of input ends the test.
    z_stream& zs = m_stream.m_zs;
    Bytef probe;
    while (true)
    {
        FillInput();
        zs.next_out = &probe;
        zs.avail_out = 1;
        int iResult = inflate(&zs, Z_SYNC_FLUSH);
        if (zs.avail_out == 0)
            ThrowError(CZipException::CodeCorruptArchive);
        if (iResult == Z_STREAM_END || (iResult == Z_BUF_ERROR && zs.avail_in == 0 && m_stream.m_uCompressedLeft == 0))
            break;
        CheckZlibResult(iResult);
    }
    zs.next_out = NULL;
    zs.avail_out = 0;
}

void CZipPackage::EndDecompression()
{
    const CZipEntryHeader& header = *GetOpenHeader();
    if (m_stream.m_uUncompressedLeft == 0 && m_stream.m_uCrc != header.m_uCrc32)
        ThrowError(CZipException::CodeChecksumMismatch);
    if (header.m_uMethod == CZipEntryHeader::MethodDeflated)
        inflateEnd(&m_stream.m_zs);
}

void CZipPackage::EndEntry()
{
    if (m_directory.HasDescriptor())
        SkipUnreadData();
    m_directory.CloseEntry();
    m_iFileState = 0;
    m_stream.m_input.Release();
}

bool CZipPackage::CloseFile(LPCTSTR lpszFilePath)
{
    if (m_iFileState != -1)
        return false;
    EndDecompression();
    bool bResult = true;
    if (lpszFilePath != NULL)
    {
        const CZipEntryHeader& header = *GetOpenHeader();
        try
        {
            CFileStatus status = {};
            status.m_mtime = header.GetTime();
            status.m_ctime = status.m_atime = CTime::GetCurrentTime();
            CFile::SetStatus(lpszFilePath, status);
            bResult = SetFileAttributesA(lpszFilePath, header.m_uExternalAttributes) != FALSE;
        }
        catch (CException* pError)
        {
            pError->Delete();
            return false;
        }
    }
    EndEntry();
    return bResult;
}

void CZipPackage::SkipUnreadData()
{
    // The descriptor follows the data; an entry not read to its end, or a deflate stream
    // whose last bytes were not needed for the output, leaves data before it.
    while (m_stream.m_uCompressedLeft != 0)
    {
        DWORD uRead = m_storage.Read(m_stream.m_input.GetData(),
                                     min(m_stream.m_uBufferSize, m_stream.m_uCompressedLeft), false);
        m_stream.m_uCompressedLeft -= uRead;
    }
}

bool CZipPackage::CloseFile(CFile& file)
{
    CString strPath = file.GetFilePath();
    file.Close();
    return CloseFile(strPath);
}

void CZipPackage::Close(bool bAfterException)
{
    if (IsClosed())
        return;
    if (!bAfterException)
    {
        if (m_iFileState == -1)
            CloseFile();
        m_directory.WriteDirectory();
    }
    m_directory.RemoveHeaders();
    m_directory.SetComment("");
    m_storage.Close(bAfterException);
    m_folders.Clear();
    m_inflated.Release();
}

bool CZipPackage::AddPackedEntry(const CZipEntryHeader& header, const void* pPackedData)
{
    if (IsClosed() || m_directory.IsFromDisk() || m_iFileState != 0)
        return false;
    std::unique_ptr<CZipEntryHeader> pAdded(new CZipEntryHeader(header));
    bool bSpan = m_storage.IsSpanned() == 1;
    if (bSpan)
        pAdded->m_uFlags |= CZipEntryHeader::FlagDescriptor;
    else
        pAdded->m_uFlags &= ~CZipEntryHeader::FlagDescriptor;
    pAdded->m_uNameLength = (WORD)pAdded->m_strFileName.GetLength();
    pAdded->m_uExtraLength = (WORD)pAdded->m_extraField.GetSize();
    pAdded->m_uCommentLength = (WORD)pAdded->m_strComment.GetLength();

    CZipBuffer local;
    local.Allocate(CZipEntryHeader::LocalFixedSize + pAdded->m_uNameLength, true);
    BYTE* p = local.GetData();
    ZipPutDword(p, CZipEntryHeader::LocalSignature);
    ZipPutWord(p + 4, pAdded->m_uVersionNeeded);
    ZipPutWord(p + 6, pAdded->m_uFlags);
    ZipPutWord(p + 8, pAdded->m_uMethod);
    ZipPutWord(p + 10, pAdded->m_uModTime);
    ZipPutWord(p + 12, pAdded->m_uModDate);
    // A span's local header leaves CRC and sizes to the descriptor.
    if (!bSpan)
    {
        ZipPutDword(p + 14, pAdded->m_uCrc32);
        ZipPutDword(p + 18, pAdded->m_uCompressedSize);
        ZipPutDword(p + 22, pAdded->m_uUncompressedSize);
    }
    ZipPutWord(p + 26, pAdded->m_uNameLength);
    memcpy(p + CZipEntryHeader::LocalFixedSize, (LPCTSTR)pAdded->m_strFileName, pAdded->m_uNameLength);
    m_storage.Write(p, local.GetSize(), true);
    // The header went whole to the volume it ends on.
    pAdded->m_uDiskStart = (WORD)m_storage.GetCurrentDisk();
    pAdded->m_uLocalHeaderOffset = m_storage.GetPosition() - local.GetSize();

    m_storage.Write(pPackedData, pAdded->m_uCompressedSize, false);
    if (bSpan)
    {
        BYTE descriptor[CZipEntryHeader::DescriptorSize];
        ZipPutDword(descriptor, CZipEntryHeader::DescriptorSignature);
        ZipPutDword(descriptor + 4, pAdded->m_uCrc32);
        ZipPutDword(descriptor + 8, pAdded->m_uCompressedSize);
        ZipPutDword(descriptor + 12, pAdded->m_uUncompressedSize);
        m_storage.Write(descriptor, sizeof(descriptor), true);
    }
    m_directory.AddHeader(pAdded.release());
    return true;
}

bool CZipPackage::ExtractFile(WORD uIndex, LPCTSTR lpszFolder, DWORD uBufferSize)
{
    if (uBufferSize == 0)
        return false;
    CZipEntryHeader header;
    bool bExactName;
    // A name the code page cannot write would be written under another one.
    if (!CopyEntryInfo(header, uIndex, bExactName) || !bExactName)
        return false;
    CZipTargetPath target;
    if (!target.Resolve(GetFullFolder(lpszFolder), header.m_strFileName))
        return false;
    if (IsDirectory(uIndex))
    {
        ZipForceDirectory(target.GetPath());
        SetFileAttributesA(target.GetPath(), header.m_uExternalAttributes);
        return true;
    }
    if (!OpenFile(uIndex))
        return false;
    ExtractToFile(target, uBufferSize);
    return true;
}

const CString& CZipPackage::GetFullFolder(LPCTSTR lpszFolder)
{
    // An absolute folder names the same place whatever the current directory, so the one an
    // installation passes for every entry is made absolute once.
    if (m_strFolderGiven != lpszFolder || !CZipTargetPath::IsAbsolute(lpszFolder))
    {
        m_strFolderGiven = lpszFolder;
        m_strFullFolder = CZipTargetPath::GetFullFolder(lpszFolder);
    }
    return m_strFullFolder;
}

void CZipPackage::ThrowIfTargetCannotBeWritten(const CString& strTarget)
{
    // The read-only attribute is checked by itself because a privileged process may open such
    // files anyway.
    DWORD uAttributes = GetFileAttributesA(strTarget);
    if (uAttributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (uAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, strTarget);
    CFile existing;
    CFileException* pError = new CFileException;
    if (!existing.Open(strTarget, CFile::modeWrite | CFile::shareDenyWrite, pError))
        throw pError;
    pError->Delete();
    existing.Close();
}

HANDLE CZipPackage::CreateInFolder(const CString& strFolder, LPCTSTR lpszPath, DWORD uAccess, DWORD uShare,
                                   DWORD uDisposition, DWORD uEntryAttributes)
{
    DWORD uAttributes = uEntryAttributes & kCreationAttributes;
    HANDLE hFile = CreateFileA(lpszPath, uAccess, uShare, NULL, uDisposition, uAttributes, NULL);
    if (hFile == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PATH_NOT_FOUND)
    {
        // The folder went away since it was last seen.
        m_folders.Forget(strFolder);
        ZipForceDirectory(strFolder);
        hFile = CreateFileA(lpszPath, uAccess, uShare, NULL, uDisposition, uAttributes, NULL);
    }
    return hFile;
}

void CZipPackage::WriteAll(HANDLE hFile, const BYTE* pData, DWORD uLength, LPCTSTR lpszPath)
{
    DWORD uWritten = 0;
    if (uLength != 0 && !::WriteFile(hFile, pData, uLength, &uWritten, NULL))
        ThrowFileError(GetLastError(), lpszPath);
    if (uWritten != uLength)
        ThrowFileError(ERROR_DISK_FULL, lpszPath);
}

void CZipPackage::DeleteWritten(HANDLE hFile, LPCTSTR lpszPath)
{
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    SetFileAttributesA(lpszPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(lpszPath);
}

void CZipPackage::VerifyEntry()
{
    EndDecompression();
    EndEntry();
}

DWORD CZipPackage::PrepareBlock(DWORD uAtLeast)
{
    // One block for the package, taken at the first entry, so entries cost no allocation.
    DWORD uSize = std::max<DWORD>(uAtLeast, InMemoryLimit);
    if (m_inflated.GetSize() < uSize)
        m_inflated.Allocate(uSize);
    return uSize;
}

const BYTE* CZipPackage::InflateIntoMemory()
{
    PrepareBlock(0);
    DWORD uSize = GetOpenHeader()->m_uUncompressedSize;
    DWORD uRead = ReadFile(m_inflated.GetData(), uSize);
    if (uRead != uSize)
        ThrowError(CZipException::CodeCorruptArchive);
    VerifyEntry();
    return m_inflated.GetData();
}

void CZipPackage::ExtractToFile(const CZipTargetPath& target, DWORD uBufferSize)
{
    const CZipEntryHeader& header = *GetOpenHeader();
    CString strFolder = target.GetFolder();
    // A target that cannot be replaced fails here, before anything is written. A name the
    // folder is known not to hold needs no look-up; creating it below will not replace a file
    // that appeared meanwhile.
    bool bMayExist = m_folders.MayHold(strFolder, target.GetName());
    if (bMayExist)
        ThrowIfTargetCannotBeWritten(target.GetPath());
    // A small entry is verified in memory; a new file made from it needs no move into place.
    const BYTE* pVerified = NULL;
    if (header.m_uUncompressedSize <= InMemoryLimit)
    {
        pVerified = InflateIntoMemory();
        if (!bMayExist && CreateFromMemory(target, header, pVerified))
        {
            m_folders.NoteAdded(strFolder, target.GetName());
            return;
        }
        if (!bMayExist)
        {
            // Another writer made the file since the folder was read.
            ThrowIfTargetCannotBeWritten(target.GetPath());
            bMayExist = true;
        }
    }
    ReplaceThroughTemporary(target, header, pVerified, bMayExist, uBufferSize);
    m_folders.NoteAdded(strFolder, target.GetName());
}

bool CZipPackage::CreateFromMemory(const CZipTargetPath& target, const CZipEntryHeader& header, const BYTE* pData)
{
    const CString& strPath = target.GetPath();
    HANDLE hFile = CreateInFolder(target.GetFolder(), strPath, GENERIC_WRITE, 0, CREATE_NEW,
                                  header.m_uExternalAttributes);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        DWORD uError = GetLastError();
        if (uError == ERROR_FILE_EXISTS || uError == ERROR_ALREADY_EXISTS)
            return false;
        ThrowFileError(uError, strPath);
    }
    try
    {
        WriteAll(hFile, pData, header.m_uUncompressedSize, strPath);
        SetEntryTimes(hFile, header);
        HANDLE hClosing = hFile;
        hFile = INVALID_HANDLE_VALUE;
        if (!CloseHandle(hClosing))
            ThrowFileError(GetLastError(), strPath);
    }
    catch (CException*)
    {
        DeleteWritten(hFile, strPath);
        throw;
    }
    if (header.m_uExternalAttributes & ~kCreationAttributes)
        SetFileAttributesA(strPath, header.m_uExternalAttributes);
    return true;
}

void CZipPackage::ReplaceThroughTemporary(const CZipTargetPath& target, const CZipEntryHeader& header,
                                          const BYTE* pVerified, bool bMayExist, DWORD uBufferSize)
{
    // The data go to a file beside the target, which takes the target's place only once the
    // entry has been verified, so a failed entry leaves neither a short file nor a lost one.
    // A name longer than 8.3 is looked up without comparing short names.
    static LONG s_nTemporaryCount = 0;
    CString strFolder = target.GetFolder();
    CString strTemporary;
    strTemporary.Format("%s~qz%08lx-%lx.tmp", (LPCTSTR)strFolder, GetCurrentProcessId(),
                        InterlockedIncrement(&s_nTemporaryCount));
    HANDLE hFile = CreateInFolder(strFolder, strTemporary, GENERIC_WRITE | DELETE, FILE_SHARE_READ, CREATE_ALWAYS,
                                  header.m_uExternalAttributes);
    if (hFile == INVALID_HANDLE_VALUE)
        ThrowFileError(GetLastError(), strTemporary);
    const CString& strTarget = target.GetPath();
    try
    {
        if (pVerified != NULL)
            WriteAll(hFile, pVerified, header.m_uUncompressedSize, strTemporary);
        else
        {
            // The package's block rather than a smaller copy buffer: each inflate call copies
            // its 32 KB window once, so fewer and longer calls copy less, and write less often.
            DWORD uBlockSize = PrepareBlock(uBufferSize);
            DWORD uRead;
            do
            {
                uRead = ReadFile(m_inflated.GetData(), uBlockSize);
                WriteAll(hFile, m_inflated.GetData(), uRead, strTemporary);
            } while (uRead == uBlockSize);
            VerifyEntry();
        }
        SetEntryTimes(hFile, header);
        if (header.m_uExternalAttributes & ~kCreationAttributes)
            SetFileAttributesA(strTemporary, header.m_uExternalAttributes);
        bool bMoved = ZipRenameOpenFile(hFile, strTarget, bMayExist);
        if (!bMoved && !bMayExist)
        {
            ThrowIfTargetCannotBeWritten(strTarget);
            bMoved = ZipRenameOpenFile(hFile, strTarget, true);
        }
        HANDLE hClosing = hFile;
        hFile = INVALID_HANDLE_VALUE;
        if (!CloseHandle(hClosing) && !bMoved)
            ThrowFileError(GetLastError(), strTemporary);
        if (!bMoved && !MoveFileExA(strTemporary, strTarget, MOVEFILE_REPLACE_EXISTING))
            ThrowFileError(GetLastError(), strTarget);
    }
    catch (CException*)
    {
        DeleteWritten(hFile, strTemporary);
        throw;
    }
}

void CZipPackage::SetEntryTimes(HANDLE hFile, const CZipEntryHeader& header)
{
    // The same times CloseFile gives through the file status, set on the open handle so that
    // the file need not be opened again.
    FILETIME modifiedTime;
    if (!ConvertEntryTime(header, modifiedTime))
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    SetFileTime(hFile, &now, &now, &modifiedTime);
}

bool CZipPackage::ConvertEntryTime(const CZipEntryHeader& header, FILETIME& modifiedTime)
{
    // Each conversion asks the system for the time zone; archives hold runs of equal times.
    DWORD uStamp = ((DWORD)header.m_uModDate << 16) | header.m_uModTime;
    if (m_lastTime.bKnown && m_lastTime.uStamp == uStamp)
    {
        modifiedTime = m_lastTime.modified;
        return m_lastTime.bValid;
    }
    __time64_t modified = -1;
    try
    {
        modified = header.GetTime().GetTime();
    }
    catch (CException* pError)
    {
        pError->Delete();
    }
    ULARGE_INTEGER ticks;
    ticks.QuadPart = (ULONGLONG)modified * 10000000u + 116444736000000000u;
    m_lastTime.bKnown = true;
    m_lastTime.uStamp = uStamp;
    m_lastTime.bValid = modified >= 0;
    m_lastTime.modified.dwLowDateTime = ticks.LowPart;
    m_lastTime.modified.dwHighDateTime = ticks.HighPart;
    modifiedTime = m_lastTime.modified;
    return m_lastTime.bValid;
}

void CZipPackage::ThrowFileError(DWORD uError, LPCTSTR lpszPath)
{
    CFileException::ThrowOsError((LONG)uError, lpszPath);
    AfxThrowFileException(CFileException::generic, -1, lpszPath);
}
