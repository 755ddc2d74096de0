#include "ZipFileSystem.h"
#include "ZipPathHelpers.h"
#include <string>
#include <vector>

namespace
{
// "C:\" for a path on drive C:, NULL (the current drive) for a path without one.
CString GetRootOf(LPCTSTR lpszPath)
{
    CString strDrive = ZipGetDriveOfPath(lpszPath);
    if (!strDrive.IsEmpty())
        strDrive += '\\';
    return strDrive;
}

LPCTSTR RootOrNull(const CString& strRoot)
{
    return strRoot.IsEmpty() ? NULL : (LPCTSTR)strRoot;
}

// One attribute query: extraction asks this for the folder of every file.
bool IsExistingFolder(LPCTSTR lpszPath)
{
    DWORD uAttributes = GetFileAttributesA(lpszPath);
    return uAttributes != INVALID_FILE_ATTRIBUTES && (uAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
}

bool ZipIsFolder(LPCTSTR lpszPath)
{
    char szCurrent[MAX_PATH];
    DWORD uLength = GetCurrentDirectoryA(MAX_PATH, szCurrent);
    if (uLength == 0 || uLength >= MAX_PATH)
        return false;
    if (!SetCurrentDirectoryA(lpszPath))
        return false;
    return SetCurrentDirectoryA(szCurrent) != FALSE;
}

int ZipFileExists(LPCTSTR lpszPath)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(lpszPath, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return ZipIsFolder(lpszPath) ? -1 : 0;
    FindClose(hFind);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? -1 : 1;
}

bool ZipForceDirectory(LPCTSTR lpszPath)
{
    CString strPath = ZipRemoveTrailingSeparators(lpszPath);
    CString strParent = ZipGetDriveAndFolder(strPath);
    if (strPath == strParent)
        return true;
    if (IsExistingFolder(strPath))
        return true;
    if (!ZipForceDirectory(strParent))
        return false;
    return CreateDirectoryA(strPath, NULL) || IsExistingFolder(strPath);
}

bool ZipIsDriveRemovable(LPCTSTR lpszPath)
{
    CString strRoot = GetRootOf(lpszPath);
    return GetDriveTypeA(RootOrNull(strRoot)) == DRIVE_REMOVABLE;
}

DWORD ZipGetDriveFreeSpace(LPCTSTR lpszPath)
{
    CString strRoot = GetRootOf(lpszPath);
    DWORD uSectorsPerCluster, uBytesPerSector, uFreeClusters, uTotalClusters;
    if (!GetDiskFreeSpaceA(RootOrNull(strRoot), &uSectorsPerCluster, &uBytesPerSector, &uFreeClusters,
                           &uTotalClusters))
        return 0;
    ULONGLONG uFree = (ULONGLONG)uSectorsPerCluster * uBytesPerSector * uFreeClusters;
    // A disk larger than the 32-bit sizes can express is as good as unlimited.
    return uFree > 0xFFFFFFFFu ? 0xFFFFFFFFu : (DWORD)uFree;
}

bool ZipSetVolumeLabel(LPCTSTR lpszPath, LPCTSTR lpszLabel)
{
    CString strRoot = GetRootOf(lpszPath);
    return SetVolumeLabelA(RootOrNull(strRoot), lpszLabel) != FALSE;
}

bool ZipRenameOpenFile(HANDLE hFile, LPCTSTR lpszFullPath, bool bReplace)
{
    // The rename takes a native path: "\??\C:\..." or "\??\UNC\server\share\...".
    bool bUnc = lpszFullPath[0] == '\\' && lpszFullPath[1] == '\\';
    LPCTSTR pPath = lpszFullPath + (bUnc ? 2 : 0);
    std::wstring strNative = bUnc ? L"\\??\\UNC\\" : L"\\??\\";
    int nWide = MultiByteToWideChar(CP_ACP, 0, pPath, -1, NULL, 0);
    if (nWide <= 0)
        return false;
    size_t uPrefix = strNative.size();
    strNative.resize(uPrefix + nWide - 1);
    MultiByteToWideChar(CP_ACP, 0, pPath, -1, &strNative[uPrefix], nWide);

    DWORD uNameBytes = (DWORD)(strNative.size() * sizeof(WCHAR));
    std::vector<BYTE> info(sizeof(FILE_RENAME_INFO) + uNameBytes);
    FILE_RENAME_INFO* pRename = reinterpret_cast<FILE_RENAME_INFO*>(info.data());
    pRename->ReplaceIfExists = bReplace ? TRUE : FALSE;
    pRename->RootDirectory = NULL;
    pRename->FileNameLength = uNameBytes;
    memcpy(pRename->FileName, strNative.data(), uNameBytes);
    return SetFileInformationByHandle(hFile, FileRenameInfo, pRename, (DWORD)info.size()) != FALSE;
}
