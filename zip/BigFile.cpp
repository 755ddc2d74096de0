#include "BigFile.h"

IMPLEMENT_DYNAMIC(CBigFile, CFile)

CBigFile::CBigFile()
{
}

CBigFile::~CBigFile()
{
}

void CBigFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

ULONGLONG CBigFile::Seek64(LONGLONG lOffset, UINT nFrom)
{
    LONG lHigh = (LONG)(lOffset >> 32);
    // A low half of 0xFFFFFFFF is a valid position; only the error code tells a failure.
    SetLastError(NO_ERROR);
    DWORD uLow = ::SetFilePointer(m_hFile, (LONG)(DWORD)lOffset, &lHigh, nFrom);
    if (uLow == INVALID_SET_FILE_POINTER)
    {
        DWORD uError = GetLastError();
        if (uError != NO_ERROR)
        {
            CFileException::ThrowOsError((LONG)uError, GetFilePath());
        }
    }
    return ((ULONGLONG)(DWORD)lHigh << 32) | uLow;
}
