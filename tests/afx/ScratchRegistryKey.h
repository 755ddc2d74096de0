// Points the test application's profile at a company key of this test only and deletes that key
// and restores the application afterwards.
#pragma once
#include "GuiTestSupport.h"

#include <map>
#include <string>

class CScratchRegistryKey
{
public:
    explicit CScratchRegistryKey(LPCTSTR lpszPurpose)
        : m_pszOldKey(TestApp().m_pszRegistryKey), m_pszOldProfile(TestApp().m_pszProfileName)
    {
        m_strCompany.Format("QENWizTest-%s-%lu", lpszPurpose, ::GetCurrentProcessId());
        TestApp().m_pszRegistryKey = m_strCompany;
        TestApp().m_pszProfileName = "App";
    }

    ~CScratchRegistryKey()
    {
        TestApp().m_pszRegistryKey = m_pszOldKey;
        TestApp().m_pszProfileName = m_pszOldProfile;
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\" + m_strCompany);
    }

    // The DWORD values of a section by name; empty when the section does not exist.
    std::map<std::string, long> Values(LPCTSTR lpszSection) const
    {
        std::map<std::string, long> values;
        HKEY hKey = TestApp().GetSectionKey(lpszSection);
        char szName[256];
        DWORD cchName = sizeof szName, dwValue, cbValue = sizeof dwValue;
        for (DWORD i = 0; ::RegEnumValueA(hKey, i, szName, &cchName, NULL, NULL, (LPBYTE)&dwValue, &cbValue) == ERROR_SUCCESS;
             i++, cchName = sizeof szName, cbValue = sizeof dwValue)
            values[szName] = (long)dwValue;
        ::RegCloseKey(hKey);
        return values;
    }

private:
    CString m_strCompany;
    LPCTSTR m_pszOldKey;
    LPCTSTR m_pszOldProfile;
};
