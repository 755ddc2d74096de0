#include "ZipFileSystem.h"
#include "ZipPathHelpers.h"

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
    if (ZipFileExists(strPath) == -1)
        return true;
    if (!ZipForceDirectory(strParent))
        return false;
    return CreateDirectoryA(strPath, NULL) || ZipFileExists(strPath) == -1;
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
