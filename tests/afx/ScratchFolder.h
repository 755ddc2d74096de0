// A fresh, empty folder under the temporary folder for one test; removed with its contents.
#pragma once
#include "afx.h"

#include <string>

class CScratchFolder
{
public:
    CScratchFolder()
    {
        static LONG s_nCounter = 0;
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        m_strPath.Format("%sqenwiz-%lu-%ld", szTemp, GetCurrentProcessId(), InterlockedIncrement(&s_nCounter));
        CreateDirectoryA(m_strPath, NULL);
    }

    ~CScratchFolder()
    {
        RemoveTree(m_strPath);
    }

    CString Path(LPCTSTR lpszName) const
    {
        return m_strPath + "\\" + lpszName;
    }

    void CreateWithContents(LPCTSTR lpszName, const std::string& contents) const
    {
        HANDLE hFile = CreateFileA(Path(lpszName), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD dwWritten = 0;
        WriteFile(hFile, contents.data(), static_cast<DWORD>(contents.size()), &dwWritten, NULL);
        CloseHandle(hFile);
    }

    std::string Contents(LPCTSTR lpszName) const
    {
        std::string contents;
        HANDLE hFile = CreateFileA(Path(lpszName), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        char buffer[4096];
        DWORD dwRead = 0;
        while (ReadFile(hFile, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
            contents.append(buffer, dwRead);
        CloseHandle(hFile);
        return contents;
    }

private:
    static void RemoveTree(const CString& strFolder)
    {
        WIN32_FIND_DATAA found;
        HANDLE hFind = FindFirstFileA(strFolder + "\\*", &found);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
                    continue;
                CString strChild = strFolder + "\\" + found.cFileName;
                SetFileAttributesA(strChild, FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(strChild);
                else
                    DeleteFileA(strChild);
            } while (FindNextFileA(hFind, &found));
            FindClose(hFind);
        }
        RemoveDirectoryA(strFolder);
    }

    CString m_strPath;
};
