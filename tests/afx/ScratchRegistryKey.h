// Points the test application's profile at a company key of this test only, under
// HKEY_CURRENT_USER\Software, and deletes that key and restores the application afterwards.
#pragma once
#include "GuiTestSupport.h"

#include <map>
#include <string>

class CScratchRegistryKey
{
public:
    explicit CScratchRegistryKey(LPCTSTR lpszPurpose)
    {
        CTestApp& app = TestApp();
        m_pszOldKey = app.m_pszRegistryKey;
        m_pszOldProfile = app.m_pszProfileName;
        m_strCompany.Format("QENWizTest-%s-%lu", lpszPurpose, ::GetCurrentProcessId());
        app.m_pszRegistryKey = m_strCompany;
        app.m_pszProfileName = "App";
    }

    ~CScratchRegistryKey()
    {
        CTestApp& app = TestApp();
        app.m_pszRegistryKey = m_pszOldKey;
        app.m_pszProfileName = m_pszOldProfile;
        HKEY hSoftware;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware) == ERROR_SUCCESS)
        {
            ::RegDeleteTreeA(hSoftware, m_strCompany);
            ::RegCloseKey(hSoftware);
        }
    }

    CScratchRegistryKey(const CScratchRegistryKey&) = delete;
    CScratchRegistryKey& operator=(const CScratchRegistryKey&) = delete;

    // The names of the values in a section, each with its DWORD (-1 for a value of another type).
    std::map<std::string, long> Values(LPCTSTR lpszSection) const
    {
        std::map<std::string, long> values;
        CString strKey;
        strKey.Format("Software\\%s\\App\\%s", (LPCTSTR)m_strCompany, lpszSection);
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return values;
        for (DWORD i = 0;; i++)
        {
            char szName[256];
            DWORD cchName = sizeof szName;
            DWORD dwType, dwValue = 0, cbValue = sizeof dwValue;
            if (::RegEnumValueA(hKey, i, szName, &cchName, NULL, &dwType, (LPBYTE)&dwValue, &cbValue) != ERROR_SUCCESS)
                break;
            values[szName] = dwType == REG_DWORD ? (long)dwValue : -1L;
        }
        ::RegCloseKey(hKey);
        return values;
    }

    bool SectionExists(LPCTSTR lpszSection) const
    {
        CString strKey;
        strKey.Format("Software\\%s\\App\\%s", (LPCTSTR)m_strCompany, lpszSection);
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }

private:
    CString m_strCompany;
    LPCTSTR m_pszOldKey;
    LPCTSTR m_pszOldProfile;
};
