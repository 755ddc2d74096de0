// The installer's target folders: where the system says Visual Studio 98 and the QEN library are,
// the rules that make root folders of those paths, and the check a target folder must pass before
// anything is extracted into it.
#pragma once
#include <afx.h>

// The size of the buffers the system's paths are read into; a path that does not fit is not used.
const UINT s_nPathBufferSize = 200;

// The default value of HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\msdev.exe.
// FALSE when the key or the value is missing, or the value and its terminator do not fit the buffer:
// a path cut short would name the wrong folder.
BOOL ReadAppPath(CString& strAppPath);
// The full path of VEVER58.dll as the system loader finds it, which is loaded for this only; FALSE
// when it does not load or its path does not fit the buffer.
BOOL FindLibraryPath(CString& strLibraryPath);

// The Visual Studio root in a registered program path: the part up to the fourth separator from the
// end when the path ends in 'e', 'E' or a separator (the program file, or a folder with its
// separator), else up to the third. Empty when there are not that many separators past the first
// character.
CString VSFolderFromAppPath(LPCTSTR lpszAppPath);
// The parent of the folder that holds a module: the part up to the second separator from the end;
// empty when there are not two separators past the first character.
CString LibFolderFromModulePath(LPCTSTR lpszModulePath);

// Both root folders from the system; a folder whose source is not found keeps its value.
void DetectInstallFolders(CString& strVSDir, CString& strLibDir);

// A drive with a separator ("C:\", "C:/") or a share ("\\server\") at its start.
BOOL IsAbsoluteFolder(LPCTSTR lpszFolder);
