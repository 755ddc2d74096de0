// CRecentFileList: the most-recently-used file list kept in the application's settings and shown
// as numbered items of the File menu.
#pragma once
#include "String.h"

class CCmdUI;

class CRecentFileList
{
public:
    // nStart: first command id offset; lpszSection/lpszEntryFormat: where the names are kept
    // ("Recent File List", "File%d"); nSize: how many; nMaxDispLen: display length limit.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }

    // Puts a full path first, removing an earlier entry of the same file (compared without case).
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The menu text of entry nIndex: the path shortened to nMaxDispLen around the file name,
    // relative to lpszCurDir when it lies below it.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Replaces the menu item of the first id (or the run of items) with "&1 name" … items.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
    virtual void ReadList();
    virtual void WriteList();

protected:
    CString* m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString m_strOriginal;   // the menu text of the first item while the list is empty
};
