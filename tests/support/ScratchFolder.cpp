#include "ScratchFolder.h"

#include <gtest/gtest.h>

CScratchFolder::CScratchFolder()
{
    static LONG s_nCounter = 0;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strFolder.Format("%sqenwiz-%lu-%ld", szTemp, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nCounter));
    RemoveTree(m_strFolder);   // left by an earlier process with the same id
    if (!::CreateDirectoryA(m_strFolder, NULL))
        ADD_FAILURE() << "cannot create the scratch folder " << (LPCTSTR)m_strFolder;
}

CScratchFolder::~CScratchFolder()
{
    // Back first: a folder still current or in use for temporary files cannot be removed.
    if (!m_strOldCurrent.IsEmpty())
        ::SetCurrentDirectoryA(m_strOldCurrent);
    if (m_bTemporary)
        ::SetEnvironmentVariableA("TMP", m_bHadTmp ? (LPCTSTR)m_strOldTmp : NULL);
    RemoveTree(m_strFolder);
}

void CScratchFolder::UseAsCurrentFolder()
{
    if (m_strOldCurrent.IsEmpty())
    {
        char szCurrent[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
        m_strOldCurrent = szCurrent;
    }
    ::SetCurrentDirectoryA(m_strFolder);
}

void CScratchFolder::UseAsTemporaryFolder()
{
    if (!m_bTemporary)
    {
        char szTmp[MAX_PATH];
        DWORD nLength = ::GetEnvironmentVariableA("TMP", szTmp, MAX_PATH);
        m_bHadTmp = nLength > 0 && nLength < MAX_PATH;
        m_strOldTmp = m_bHadTmp ? szTmp : "";
        m_bTemporary = true;
    }
    ::SetEnvironmentVariableA("TMP", m_strFolder);
}

void CScratchFolder::CreateWithContents(LPCTSTR lpszName, const std::string& contents) const
{
    HANDLE hFile = ::CreateFileA(Path(lpszName), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD dwWritten = 0;
    ::WriteFile(hFile, contents.data(), static_cast<DWORD>(contents.size()), &dwWritten, NULL);
    ::CloseHandle(hFile);
}

std::string CScratchFolder::Contents(LPCTSTR lpszName) const
{
    std::string contents;
    HANDLE hFile = ::CreateFileA(Path(lpszName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    char buffer[4096];
    DWORD dwRead = 0;
    while (::ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
        contents.append(buffer, dwRead);
    ::CloseHandle(hFile);
    return contents;
}

void CScratchFolder::RemoveTree(const CString& strFolder)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*", &found);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
                continue;
            CString strChild = strFolder + "\\" + found.cFileName;
            ::SetFileAttributesA(strChild, FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strChild);
            else
                ::DeleteFileA(strChild);
        } while (::FindNextFileA(hFind, &found));
        ::FindClose(hFind);
    }
    ::SetFileAttributesA(strFolder, FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(strFolder);
}
