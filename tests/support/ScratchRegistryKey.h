// CScratchRegistryKey: a registry key that belongs to one test.
#pragma once
#include <afx.h>

#include <map>
#include <string>
#include <vector>

// A key the test may fill, change or remove as it likes; when the object goes, the key is put back
// as it was: its own values as they were, or, when it did not exist, gone with all below it.
class CScratchRegistryKey
{
public:
    // HKEY_CURRENT_USER\Software\QENWizTest-<purpose>-<process>, a company key of this test only, with
    // the test application's profile pointed at it (profile name "App"); the profile comes back too.
    explicit CScratchRegistryKey(LPCTSTR lpszPurpose);
    // Any key, such as the HKEY_LOCAL_MACHINE App Paths entry of a program.
    CScratchRegistryKey(HKEY hRoot, LPCTSTR lpszKey);
    ~CScratchRegistryKey();
    CScratchRegistryKey(const CScratchRegistryKey&) = delete;
    CScratchRegistryKey& operator=(const CScratchRegistryKey&) = delete;

    // The DWORD values of a section of the test application's profile, by name; empty when the
    // section does not exist.
    std::map<std::string, long> Values(LPCTSTR lpszSection) const;

    // Sets the default value of lpszSubKey below the key ("" for the key itself), creating what is
    // missing; stored without its terminator when bTerminated is false.
    void SetDefaultValue(LPCTSTR lpszSubKey, LPCTSTR lpszValue, bool bTerminated = true);
    // Deletes the key and its values (not a key that has keys below it).
    void Remove();

private:
    struct SavedValue
    {
        std::string strName;
        DWORD dwType;
        std::vector<BYTE> data;
    };

    void Save();
    void Restore();

    HKEY m_hRoot;
    CString m_strKey;
    bool m_bExisted = false;
    std::vector<SavedValue> m_values;
    bool m_bProfile = false;
    LPCTSTR m_pszOldRegistryKey = NULL;
    LPCTSTR m_pszOldProfileName = NULL;
    CString m_strCompany;
};
