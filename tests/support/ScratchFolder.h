// CScratchFolder: a place on disk that belongs to one test.
#pragma once
#include <afx.h>

#include <string>

// A fresh, empty folder under the temporary folder, removed with its contents when the object goes.
// It may stand in for the current folder or the temporary folder while it lives; the one it stood in
// for comes back.
class CScratchFolder
{
public:
    CScratchFolder();
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const CString& Folder() const { return m_strFolder; }
    CString Path(LPCTSTR lpszName) const { return m_strFolder + "\\" + lpszName; }

    // Makes it the process's current folder.
    void UseAsCurrentFolder();
    // Makes it the folder the temporary files go to (the TMP variable).
    void UseAsTemporaryFolder();

    void CreateWithContents(LPCTSTR lpszName, const std::string& contents) const;
    std::string Contents(LPCTSTR lpszName) const;

private:
    static void RemoveTree(const CString& strFolder);

    CString m_strFolder;
    CString m_strOldCurrent;   // empty while the current folder is not this one
    bool m_bTemporary = false;
    bool m_bHadTmp = false;
    CString m_strOldTmp;
};
