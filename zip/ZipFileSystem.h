// File-system helpers of the archive library; they report failures as results, never throw.
#pragma once
#include "afx.h"

bool ZipIsFolder(LPCTSTR lpszPath);
// 1 a file, -1 a folder, 0 nothing.
int ZipFileExists(LPCTSTR lpszPath);
// Creates the folder and its missing parents; true when the folder exists at the end.
bool ZipForceDirectory(LPCTSTR lpszPath);
bool ZipIsDriveRemovable(LPCTSTR lpszPath);
// Free bytes on the drive of lpszPath, 0 when unknown, 0xFFFFFFFF when more.
DWORD ZipGetDriveFreeSpace(LPCTSTR lpszPath);
// Sets the label of the drive of lpszPath.
bool ZipSetVolumeLabel(LPCTSTR lpszPath, LPCTSTR lpszLabel);
// Moves an open file (opened with DELETE access) to lpszFullPath, a full path, replacing a
// file there when bReplace is set; cheaper than a rename by name, which opens the file again.
bool ZipRenameOpenFile(HANDLE hFile, LPCTSTR lpszFullPath, bool bReplace);
