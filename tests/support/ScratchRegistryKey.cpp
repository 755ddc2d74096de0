#include "ScratchRegistryKey.h"

#include <afxwin.h>
#include <gtest/gtest.h>

CScratchRegistryKey::CScratchRegistryKey(LPCTSTR lpszPurpose)
    : m_hRoot(HKEY_CURRENT_USER), m_bProfile(true)
{
    m_strCompany.Format("QENWizTest-%s-%lu", lpszPurpose, ::GetCurrentProcessId());
    m_strKey = "Software\\" + m_strCompany;
    ::RegDeleteTreeA(m_hRoot, m_strKey);   // left by an earlier process with the same id
    CWinApp* pApp = AfxGetApp();
    m_pszOldRegistryKey = pApp->m_pszRegistryKey;
    m_pszOldProfileName = pApp->m_pszProfileName;
    pApp->m_pszRegistryKey = m_strCompany;
    pApp->m_pszProfileName = "App";
}

CScratchRegistryKey::CScratchRegistryKey(HKEY hRoot, LPCTSTR lpszKey)
    : m_hRoot(hRoot), m_strKey(lpszKey)
{
    Save();
}

CScratchRegistryKey::~CScratchRegistryKey()
{
    if (m_bProfile)
    {
        AfxGetApp()->m_pszRegistryKey = m_pszOldRegistryKey;
        AfxGetApp()->m_pszProfileName = m_pszOldProfileName;
    }
    Restore();
}

std::map<std::string, long> CScratchRegistryKey::Values(LPCTSTR lpszSection) const
{
    std::map<std::string, long> values;
    HKEY hKey;
    if (::RegOpenKeyExA(m_hRoot, m_strKey + "\\App\\" + lpszSection, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return values;
    char szName[256];
    DWORD cchName = sizeof szName, dwValue, cbValue = sizeof dwValue;
    for (DWORD i = 0; ::RegEnumValueA(hKey, i, szName, &cchName, NULL, NULL, (LPBYTE)&dwValue, &cbValue) == ERROR_SUCCESS;
         i++, cchName = sizeof szName, cbValue = sizeof dwValue)
        values[szName] = (long)dwValue;
    ::RegCloseKey(hKey);
    return values;
}

void CScratchRegistryKey::SetDefaultValue(LPCTSTR lpszSubKey, LPCTSTR lpszValue, bool bTerminated)
{
    CString strKey = *lpszSubKey != '\0' ? m_strKey + "\\" + lpszSubKey : m_strKey;
    // The registry counts a terminator that directly follows the data in, as the system does: for a
    // value without one, another byte follows.
    std::string strData = std::string(lpszValue) + (bTerminated ? '\0' : '#');
    HKEY hKey;
    if (::RegCreateKeyExA(m_hRoot, strKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL) != ERROR_SUCCESS)
    {
        ADD_FAILURE() << "cannot create the key " << (LPCTSTR)strKey;
        return;
    }
    if (::RegSetValueExA(hKey, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(strData.data()),
                         (DWORD)strData.size() - (bTerminated ? 0 : 1)) != ERROR_SUCCESS)
        ADD_FAILURE() << "cannot set the default value of " << (LPCTSTR)strKey;
    ::RegCloseKey(hKey);
}

void CScratchRegistryKey::Remove()
{
    ::RegDeleteKeyA(m_hRoot, m_strKey);
}

void CScratchRegistryKey::Save()
{
    HKEY hKey;
    m_bExisted = ::RegOpenKeyExA(m_hRoot, m_strKey, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS;
    if (!m_bExisted)
        return;
    DWORD nValues = 0, cchMaxName = 0, cbMaxData = 0;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, &cchMaxName, &cbMaxData, NULL, NULL);
    std::vector<char> name(cchMaxName + 1);
    for (DWORD i = 0; i < nValues; i++)
    {
        SavedValue value;
        value.data.resize(cbMaxData);
        DWORD cchName = (DWORD)name.size(), cbData = cbMaxData;
        if (::RegEnumValueA(hKey, i, name.data(), &cchName, NULL, &value.dwType, value.data.data(), &cbData) !=
            ERROR_SUCCESS)
            continue;
        value.strName.assign(name.data(), cchName);
        value.data.resize(cbData);
        m_values.push_back(value);
    }
    ::RegCloseKey(hKey);
}

void CScratchRegistryKey::Restore()
{
    if (!m_bExisted)
    {
        ::RegDeleteTreeA(m_hRoot, m_strKey);
        return;
    }
    HKEY hKey;
    if (::RegCreateKeyExA(m_hRoot, m_strKey, 0, NULL, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
    {
        ADD_FAILURE() << "cannot put back the key " << (LPCTSTR)m_strKey;
        return;
    }
    char szName[16384];   // the longest a value name may be
    DWORD cchName = sizeof szName;
    while (::RegEnumValueA(hKey, 0, szName, &cchName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS &&
           ::RegDeleteValueA(hKey, szName) == ERROR_SUCCESS)
        cchName = sizeof szName;
    for (const SavedValue& value : m_values)
        ::RegSetValueExA(hKey, value.strName.c_str(), 0, value.dwType, value.data.data(), (DWORD)value.data.size());
    ::RegCloseKey(hKey);
}
