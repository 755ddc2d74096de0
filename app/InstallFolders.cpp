#include "InstallFolders.h"

#include <vector>

namespace {

const TCHAR s_szAppPathKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msdev.exe";
const TCHAR s_szLibraryName[] = "VEVER58.dll";

bool IsSeparator(TCHAR ch)
{
    return ch == '\\' || ch == '/';
}

// The part of lpszPath up to and including its nFromEnd-th separator counted from the end; empty
// when it has fewer. The first character never counts, nor does the trail byte of a double-byte
// character (which may have the value of '\').
CString KeepUpToSeparatorFromEnd(LPCTSTR lpszPath, size_t nFromEnd)
{
    std::vector<int> separators;
    for (int i = 0; lpszPath[i] != '\0'; ++i)
    {
        if (::IsDBCSLeadByte((BYTE)lpszPath[i]) && lpszPath[i + 1] != '\0')
            ++i;
        else if (i > 0 && IsSeparator(lpszPath[i]))
            separators.push_back(i);
    }
    if (separators.size() < nFromEnd)
        return CString();
    return CString(lpszPath, separators[separators.size() - nFromEnd] + 1);
}

// The last character when it is a single-byte one, else '\0'.
TCHAR LastSingleByteCharacter(LPCTSTR lpszPath)
{
    TCHAR chLast = '\0';
    for (int i = 0; lpszPath[i] != '\0'; ++i)
    {
        if (::IsDBCSLeadByte((BYTE)lpszPath[i]) && lpszPath[i + 1] != '\0')
        {
            chLast = '\0';
            ++i;
        }
        else
            chLast = lpszPath[i];
    }
    return chLast;
}

} // namespace

BOOL ReadAppPath(CString& strAppPath)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szAppPathKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    char szValue[s_nPathBufferSize];
    DWORD nBytes = sizeof szValue;
    LONG lResult = ::RegQueryValueExA(hKey, "", NULL, NULL, reinterpret_cast<BYTE*>(szValue), &nBytes);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return FALSE;
    if (nBytes < sizeof szValue)
        szValue[nBytes] = '\0';
    else if (szValue[sizeof szValue - 1] != '\0')
        return FALSE;
    strAppPath = szValue;
    return TRUE;
}

BOOL FindLibraryPath(CString& strLibraryPath)
{
    HMODULE hLibrary = ::LoadLibraryA(s_szLibraryName);
    if (hLibrary == NULL)
        return FALSE;
    char szPath[s_nPathBufferSize];
    DWORD nLength = ::GetModuleFileNameA(hLibrary, szPath, s_nPathBufferSize - 1);
    ::FreeLibrary(hLibrary);
    if (nLength == 0 || nLength >= s_nPathBufferSize - 1)
        return FALSE;
    szPath[nLength] = '\0';
    strLibraryPath = szPath;
    return TRUE;
}

CString VSFolderFromAppPath(LPCTSTR lpszAppPath)
{
    TCHAR chLast = LastSingleByteCharacter(lpszAppPath);
    bool bNamesFileOrEndsInSeparator = chLast == 'e' || chLast == 'E' || IsSeparator(chLast);
    return KeepUpToSeparatorFromEnd(lpszAppPath, bNamesFileOrEndsInSeparator ? 4 : 3);
}

CString LibFolderFromModulePath(LPCTSTR lpszModulePath)
{
    return KeepUpToSeparatorFromEnd(lpszModulePath, 2);
}

void DetectInstallFolders(CString& strVSDir, CString& strLibDir)
{
    CString strPath;
    if (ReadAppPath(strPath))
        strVSDir = VSFolderFromAppPath(strPath);
    if (FindLibraryPath(strPath))
        strLibDir = LibFolderFromModulePath(strPath);
}

BOOL IsAbsoluteFolder(LPCTSTR lpszFolder)
{
    if (lpszFolder == NULL)
        return FALSE;
    TCHAR chDrive = lpszFolder[0];
    if (((chDrive >= 'A' && chDrive <= 'Z') || (chDrive >= 'a' && chDrive <= 'z')) && lpszFolder[1] == ':' &&
        IsSeparator(lpszFolder[2]))
        return TRUE;
    if (!IsSeparator(lpszFolder[0]) || !IsSeparator(lpszFolder[1]))
        return FALSE;
    int i = 2;
    while (lpszFolder[i] != '\0' && !IsSeparator(lpszFolder[i]))
        i += ::IsDBCSLeadByte((BYTE)lpszFolder[i]) && lpszFolder[i + 1] != '\0' ? 2 : 1;
    return i > 2 && IsSeparator(lpszFolder[i]);
}
