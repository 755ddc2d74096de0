#include "ZipPathHelpers.h"
#include <stdlib.h>
#include <string>
#include <vector>

namespace
{
struct SplitPath
{
    explicit SplitPath(LPCTSTR lpszPath)
    {
        size_t uSize = strlen(lpszPath) + 1;
        std::vector<char> drive(uSize), dir(uSize), fname(uSize), ext(uSize);
        _splitpath(lpszPath, drive.data(), dir.data(), fname.data(), ext.data());
        strDrive = drive.data();
        strDir = dir.data();
        strTitle = fname.data();
        strExt = ext.data();
    }

    CString strDrive, strDir, strTitle, strExt;
};

bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// A component Windows would resolve to the parent folder: two or more dots, trailing dots
// and spaces being dropped by the system.
bool IsParentComponent(const char* pBegin, const char* pEnd)
{
    int nDots = 0;
    for (const char* p = pBegin; p != pEnd; ++p)
    {
        if (*p == '.')
            ++nDots;
        else if (*p != ' ')
            return false;
    }
    return nDots >= 2;
}
}

CString ZipGetDriveOfPath(LPCTSTR lpszPath)
{
    return SplitPath(lpszPath).strDrive;
}

CString ZipGetDriveAndFolder(LPCTSTR lpszPath)
{
    SplitPath split(lpszPath);
    return split.strDrive + split.strDir;
}

CString ZipGetFileTitleOnly(LPCTSTR lpszPath)
{
    return SplitPath(lpszPath).strTitle;
}

CString ZipStripDrive(LPCTSTR lpszPath)
{
    SplitPath split(lpszPath);
    LPCTSTR pDir = split.strDir;
    while (IsSeparator(*pDir))
        ++pDir;
    return CString(pDir) + split.strTitle + split.strExt;
}

CString ZipRemoveTrailingSeparators(LPCTSTR lpszPath)
{
    CString strPath(lpszPath);
    strPath.TrimRight("\\/");
    return strPath;
}

bool ZipIsSafeEntryName(LPCTSTR lpszName)
{
    CString strRelative = ZipStripDrive(lpszName);
    LPCTSTR p = strRelative;
    const char* pComponent = p;
    while (true)
    {
        if (*p == '\0' || IsSeparator(*p))
        {
            if (IsParentComponent(pComponent, p))
                return false;
            if (*p == '\0')
                return true;
            pComponent = ++p;
        }
        else if (*p == ':')
            return false;
        else
            p = CharNextA(p);
    }
}

bool ZipUtf8ToAnsi(CString& strName)
{
    int nLength = strName.GetLength();
    if (nLength == 0)
        return true;
    int nWide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, strName, nLength, NULL, 0);
    bool bValid = nWide > 0;
    DWORD uFlags = bValid ? MB_ERR_INVALID_CHARS : 0;
    if (!bValid)
        nWide = MultiByteToWideChar(CP_UTF8, 0, strName, nLength, NULL, 0);
    std::wstring strWide(nWide, L'\0');
    MultiByteToWideChar(CP_UTF8, uFlags, strName, nLength, &strWide[0], nWide);
    BOOL bDefaultUsed = FALSE;
    int nAnsi = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, strWide.data(), nWide, NULL, 0, NULL, NULL);
    CString strAnsi;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, strWide.data(), nWide, strAnsi.GetBuffer(nAnsi), nAnsi, NULL,
                        &bDefaultUsed);
    strAnsi.ReleaseBuffer(nAnsi);
    strName = strAnsi;
    return bValid && !bDefaultUsed;
}
