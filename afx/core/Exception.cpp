#include "Exception.h"

#include <errno.h>
#include <shlwapi.h>
#include <stdlib.h>

namespace {

// Copies the description, or "<description>：<file name>" when the exception names a file.
BOOL CopyMessage(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText, const CString& strFileName)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    CString strMessage;
    if (strFileName.IsEmpty())
        strMessage.Format("%s。", lpszText);
    else
        strMessage.Format("%s：%s", lpszText, static_cast<LPCTSTR>(strFileName));
    AfxCopyTextBounded(lpszError, static_cast<int>(nMaxError), strMessage);
    return TRUE;
}

// Title of message boxes: the program's file name without its extension.
CString ProgramTitle()
{
    char szPath[MAX_PATH];
    DWORD nLength = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    LPSTR lpszName = PathFindFileNameA(szPath);
    *PathFindExtensionA(lpszName) = '\0';
    return CString(lpszName);
}

AFX_MESSAGEBOX_HANDLER g_pfnMessageBoxHandler = NULL;

} // namespace

AFX_MESSAGEBOX_HANDLER AFXAPI AfxSetMessageBoxHandler(AFX_MESSAGEBOX_HANDLER pfnHandler)
{
    AFX_MESSAGEBOX_HANDLER pfnOld = g_pfnMessageBoxHandler;
    g_pfnMessageBoxHandler = pfnHandler;
    return pfnOld;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException()
    : m_bAutoDelete(TRUE)
{
}

CException::CException(BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    if (!GetErrorMessage(szMessage, sizeof(szMessage)))
    {
        if (nMessageID == 0 || LoadStringA(AfxGetResourceHandle(), nMessageID, szMessage, sizeof(szMessage)) == 0)
            lstrcpynA(szMessage, "发生了未知错误。", sizeof(szMessage));
    }
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    if (g_pfnMessageBoxHandler != NULL)
        return g_pfnMessageBoxHandler(szMessage, nType);
    return MessageBoxA(GetActiveWindow(), szMessage, ProgramTitle(), nType);
}

CSimpleException::CSimpleException(BOOL bAutoDelete, LPCTSTR lpszMessage)
    : CException(bAutoDelete), m_lpszMessage(lpszMessage)
{
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return CopyMessage(lpszError, nMaxError, m_lpszMessage, CString());
}

CMemoryException::CMemoryException()
    : CSimpleException(TRUE, "内存不足")
{
}

CMemoryException::CMemoryException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, "内存不足")
{
}

CResourceException::CResourceException()
    : CSimpleException(TRUE, "无法加载或创建所需的系统资源")
{
}

CNotSupportedException::CNotSupportedException()
    : CSimpleException(TRUE, "不支持此操作")
{
}

CUserException::CUserException()
    : CSimpleException(TRUE, "操作已取消")
{
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError)
{
    if (lpszArchiveName != NULL)
        m_strFileName = lpszArchiveName;
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR causeTexts[] = {
        "没有发生错误",
        "访问文件时发生了未指明的错误",
        "找不到文件",
        "路径无效",
        "打开的文件太多",
        "拒绝访问",
        "文件句柄无效",
        "不能删除当前目录",
        "目录已满",
        "移动文件指针时出错",
        "硬件输入/输出错误",
        "共享冲突",
        "锁定冲突",
        "磁盘已满",
        "试图越过文件末尾读取",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    int nCause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
    return CopyMessage(lpszError, nMaxError, causeTexts[nCause], m_strFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_DIR_NOT_EMPTY:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_ACCESS:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
    case ERROR_SEEK:
        return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
    case ERROR_SHARING_BUFFER_EXCEEDED:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_LOCK_FAILED:
    case ERROR_NOT_LOCKED:
    case ERROR_DRIVE_LOCKED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return generic;
    }
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EEXIST:
    case EROFS:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
        return badSeek;
    case EIO:
        return hardIO;
    case EDEADLOCK:
        return lockViolation;
    case ENOSPC:
        return diskFull;
    default:
        return generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), _doserrno, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause)
{
    if (lpszArchiveName != NULL)
        m_strFileName = lpszArchiveName;
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR causeTexts[] = {
        "没有发生错误",
        "读写存档时发生了未指明的错误",
        "试图写入为读取而打开的存档",
        "读取存档时遇到了文件末尾",
        "试图读取为写入而打开的存档",
        "存档格式无效",
        "存档中的对象类型不符",
        "存档中的对象版本与程序不兼容",
    };
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    int nCause = (m_cause >= none && m_cause <= badSchema) ? m_cause : generic;
    return CopyMessage(lpszError, nMaxError, causeTexts[nCause], m_strFileName);
}

void AFXAPI AfxThrowMemoryException()
{
    // Preallocated: when memory has run out, a new exception object may not be had either.
    static CMemoryException memoryException(FALSE);
    throw &memoryException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
