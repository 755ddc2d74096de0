// Path splitting used by the archive library; every helper returns a new string.
#pragma once
#include "afx.h"

// "C:" of "C:\dir\file.txt".
CString ZipGetDriveOfPath(LPCTSTR lpszPath);
// "C:\dir\" of "C:\dir\file.txt".
CString ZipGetDriveAndFolder(LPCTSTR lpszPath);
// "file" of "C:\dir\file.txt".
CString ZipGetFileTitleOnly(LPCTSTR lpszPath);
// "dir\file.txt" of "C:\dir\file.txt" or "\dir\file.txt".
CString ZipStripDrive(LPCTSTR lpszPath);
// Removes trailing separators.
CString ZipRemoveTrailingSeparators(LPCTSTR lpszPath);
// Whether a stored name stays inside the extraction folder: no ".." component and, once the
// drive is stripped, no ':' (alternate stream or a drive in the middle).
bool ZipIsSafeEntryName(LPCTSTR lpszName);
// Converts a name stored in UTF-8 to the ANSI code page. False when it is no valid UTF-8 or
// holds a character the code page cannot write; the name then has the system's default
// character in its place.
bool ZipUtf8ToAnsi(CString& strName);
