#include "QENSettingsPath.h"

#include <afxwin.h>

namespace {

CString Text(LPCTSTR lpsz)
{
    return lpsz != NULL ? CString(lpsz) : CString();
}

} // namespace

CString BuildSettingsPath(LPCTSTR lpszSection, LPCTSTR lpszExplicitPath)
{
    CString strExplicit = Text(lpszExplicitPath);
    if (!strExplicit.IsEmpty())
        return strExplicit;
    CWinApp* pApp = AfxGetApp();
    CString strRegistryKey = pApp != NULL ? Text(pApp->m_pszRegistryKey) : CString();
    CString strProfile = pApp != NULL ? Text(pApp->m_pszProfileName) : CString();
    CString strPath = "SOFTWARE\\";
    if (!strRegistryKey.IsEmpty())
        strPath += strRegistryKey + "\\";
    return strPath + strProfile + "\\" + Text(lpszSection) + "\\";
}
