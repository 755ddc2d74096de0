// Where extraction writes an entry: the full path below the target folder, checked once.
#pragma once
#include "afx.h"

class CZipTargetPath
{
public:
    CZipTargetPath() : m_nNameStart(0) {}

    // Puts the entry's name below the folder (made absolute by GetFullFolder), its drive and
    // leading separators removed. False when the name would leave the folder.
    bool Resolve(const CString& strFullFolder, LPCTSTR lpszEntryName);

    static CString GetFullFolder(LPCTSTR lpszFolder);
    // Whether the path names the same place whatever the current directory and drive are.
    static bool IsAbsolute(LPCTSTR lpszPath);

    const CString& GetPath() const { return m_strPath; }
    // The folder that holds the target, a full path ending in '\'.
    CString GetFolder() const { return m_strPath.Left(m_nNameStart); }
    // The last component of the path.
    LPCTSTR GetName() const { return (LPCTSTR)m_strPath + m_nNameStart; }

private:
    CString m_strPath;
    int m_nNameStart;
};
