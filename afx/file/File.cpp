#include "File.h"

#include <shlwapi.h>

namespace {

// 100-nanosecond intervals from 1601-01-01 (FILETIME) to 1970-01-01 (CTime), both UTC.
const LONGLONG kFileTimeOf1970 = 116444736000000000LL;
const LONGLONG kFileTimeUnitsPerSecond = 10000000LL;

// Attribute bits that SetFileAttributes can change.
const DWORD kSettableAttributes = CFile::readOnly | CFile::hidden | CFile::system | CFile::archive;

CTime FileTimeToTime(const FILETIME& fileTime)
{
    ULARGE_INTEGER value;
    value.LowPart = fileTime.dwLowDateTime;
    value.HighPart = fileTime.dwHighDateTime;
    if (value.QuadPart < static_cast<ULONGLONG>(kFileTimeOf1970))
        return CTime();
    return CTime(static_cast<__time64_t>((value.QuadPart - kFileTimeOf1970) / kFileTimeUnitsPerSecond));
}

FILETIME TimeToFileTime(const CTime& time)
{
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(time.GetTime() * kFileTimeUnitsPerSecond + kFileTimeOf1970);
    FILETIME fileTime;
    fileTime.dwLowDateTime = value.LowPart;
    fileTime.dwHighDateTime = value.HighPart;
    return fileTime;
}

CString FullPathOf(LPCTSTR lpszFileName)
{
    DWORD nLength = GetFullPathNameA(lpszFileName, 0, NULL, NULL);
    if (nLength == 0)
        return CString(lpszFileName);
    CString strFullPath;
    DWORD nCopied = GetFullPathNameA(lpszFileName, nLength, strFullPath.GetBuffer(nLength), NULL);
    strFullPath.ReleaseBuffer(nCopied < nLength ? static_cast<int>(nCopied) : 0);
    return strFullPath.IsEmpty() ? CString(lpszFileName) : strFullPath;
}

void SetFileTimes(LPCTSTR lpszFileName, const CFileStatus& status)
{
    FILETIME creationTime = TimeToFileTime(status.m_ctime);
    FILETIME accessTime = TimeToFileTime(status.m_atime);
    FILETIME writeTime = TimeToFileTime(status.m_mtime);
    const FILETIME* pCreationTime = status.m_ctime.GetTime() != 0 ? &creationTime : NULL;
    const FILETIME* pAccessTime = status.m_atime.GetTime() != 0 ? &accessTime : NULL;
    const FILETIME* pWriteTime = status.m_mtime.GetTime() != 0 ? &writeTime : NULL;
    if (pCreationTime == NULL && pAccessTime == NULL && pWriteTime == NULL)
        return;

    HANDLE hFile = CreateFileA(lpszFileName, FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
    BOOL bSet = SetFileTime(hFile, pCreationTime, pAccessTime, pWriteTime);
    DWORD dwError = GetLastError();
    CloseHandle(hFile);
    if (!bSet)
        CFileException::ThrowOsError(static_cast<LONG>(dwError), lpszFileName);
}

void FillStatus(CFileStatus& rStatus, DWORD dwAttributes, const FILETIME& creationTime,
                const FILETIME& accessTime, const FILETIME& writeTime, DWORD nSizeHigh, DWORD nSizeLow)
{
    rStatus.m_ctime = FileTimeToTime(creationTime);
    rStatus.m_atime = FileTimeToTime(accessTime);
    rStatus.m_mtime = FileTimeToTime(writeTime);
    rStatus.m_size = (static_cast<ULONGLONG>(nSizeHigh) << 32) | nSizeLow;
    rStatus.m_attribute = static_cast<BYTE>(dwAttributes);
    rStatus.m_padding = 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile()
    : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(HANDLE hFile)
    : m_hFile(hFile), m_bCloseOnDelete(FALSE)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
    : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_hFile == hFileNull);
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();

    DWORD dwAccess = 0;
    switch (nOpenFlags & 0x3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    case modeReadWrite:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        ASSERT(FALSE);
    }

    DWORD dwShareMode = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareCompat:
    case shareExclusive:
        dwShareMode = 0;
        break;
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        ASSERT(FALSE);
    }

    SECURITY_ATTRIBUTES security;
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor = NULL;
    security.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;

    DWORD dwCreation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        dwCreation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE hFile = CreateFileA(lpszFileName, dwAccess, dwShareMode, &security, dwCreation,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pError != NULL)
        {
            pError->m_lOsError = static_cast<LONG>(GetLastError());
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullPathOf(lpszFileName);
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    ASSERT(m_hFile != hFileNull);
    if (nCount == 0)
        return 0;
    DWORD dwRead = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    ASSERT(m_hFile != hFileNull);
    if (nCount == 0)
        return;
    DWORD dwWritten = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    // A short write without an error means the medium is full.
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    ASSERT(m_hFile != hFileNull);
    ASSERT(nFrom == begin || nFrom == current || nFrom == end);
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER newPosition;
    if (!SetFilePointerEx(m_hFile, distance, &newPosition, nFrom))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(newPosition.QuadPart);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetPosition() const
{
    ASSERT(m_hFile != hFileNull);
    LARGE_INTEGER distance;
    distance.QuadPart = 0;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    ASSERT(m_hFile != hFileNull);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close()
{
    BOOL bClosed = TRUE;
    DWORD dwError = 0;
    if (m_hFile != hFileNull)
    {
        bClosed = CloseHandle(m_hFile);
        dwError = GetLastError();
    }
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!bClosed)
        CFileException::ThrowOsError(static_cast<LONG>(dwError), strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CFile* CFile::Duplicate() const
{
    if (m_hFile == hFileNull)
        return NULL;
    HANDLE hDuplicate;
    if (!DuplicateHandle(GetCurrentProcess(), m_hFile, GetCurrentProcess(), &hDuplicate, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    CFile* pFile = new CFile(hDuplicate);
    // The duplicate handle belongs to the new object alone.
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    ASSERT(m_hFile != hFileNull);
    if (!LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                  static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount)
{
    ASSERT(m_hFile != hFileNull);
    if (!UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32),
                    static_cast<DWORD>(dwCount), static_cast<DWORD>(dwCount >> 32)))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

CString CFile::GetFileName() const
{
    return CString(PathFindFileNameA(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    LPCSTR lpszName = PathFindFileNameA(m_strFileName);
    LPCSTR lpszExtension = PathFindExtensionA(lpszName);
    return CString(lpszName, static_cast<int>(lpszExtension - lpszName));
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (m_hFile == hFileNull || !GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    FillStatus(rStatus, info.dwFileAttributes, info.ftCreationTime, info.ftLastAccessTime,
               info.ftLastWriteTime, info.nFileSizeHigh, info.nFileSizeLow);
    AfxCopyTextBounded(rStatus.m_szFullName, _MAX_PATH, m_strFileName);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(rStatus, data.dwFileAttributes, data.ftCreationTime, data.ftLastAccessTime,
               data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow);
    AfxCopyTextBounded(rStatus.m_szFullName, _MAX_PATH, FullPathOf(lpszFileName));
    return TRUE;
}

void PASCAL CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status)
{
    DWORD dwOldAttributes = GetFileAttributesA(lpszFileName);
    if (dwOldAttributes == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);

    DWORD dwNewAttributes = status.m_attribute & kSettableAttributes;
    BOOL bChangeAttributes = status.m_attribute != normal &&
                             dwNewAttributes != (dwOldAttributes & kSettableAttributes);
    // A read-only file may refuse new times: lift the flag first when it is to go anyway, and set
    // it only after the times otherwise.
    BOOL bAttributesFirst = bChangeAttributes && (dwNewAttributes & readOnly) == 0;
    if (bChangeAttributes && bAttributesFirst &&
        !SetFileAttributesA(lpszFileName, dwNewAttributes != 0 ? dwNewAttributes : FILE_ATTRIBUTE_NORMAL))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);

    SetFileTimes(lpszFileName, status);

    if (bChangeAttributes && !bAttributesFirst && !SetFileAttributesA(lpszFileName, dwNewAttributes))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
