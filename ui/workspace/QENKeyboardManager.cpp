#include "QENKeyboardManager.h"

#include "QENFrameWnd.h"
#include "QENKeyHelper.h"
#include "QENMDIFrameWnd.h"
#include "QENOleIPFrameWnd.h"
#include "QENPopupMenuBar.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "QENToolBar.h"

#include <string.h>

#include <vector>

CQENKeyboardManager* g_pKeyboardManager = NULL;
BOOL CQENKeyboardManager::s_bTranslateLettersByLayout = FALSE;

namespace {

static_assert(sizeof(ACCEL) == 6, "the registry keeps the platform's 6-byte accelerator entries");

const char kValueName[] = "Accelerators";
const BYTE kKnownFlags = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;
const BYTE kModifierFlags = FVIRTKEY | FSHIFT | FCONTROL | FALT;
// What an empty table holds instead of nothing: no key produces virtual key 0.
const ACCEL kInertEntry = {FVIRTKEY, 0, 0};

// A copy of a table's entries, taken again only when another table is asked about.
struct LookupCache
{
    HACCEL hAccel = NULL;
    std::vector<ACCEL> entries;
};
LookupCache s_defaultFrameCache;
LookupCache s_otherFrameCache;

std::vector<ACCEL> EntriesOf(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    const int nCount = hAccel != NULL ? ::CopyAcceleratorTableA(hAccel, NULL, 0) : 0;
    if (nCount > 0)
    {
        entries.resize(nCount);
        memset(entries.data(), 0, entries.size() * sizeof(ACCEL));
        entries.resize(::CopyAcceleratorTableA(hAccel, entries.data(), nCount));
    }
    return entries;
}

const std::vector<ACCEL>& CachedEntries(CFrameWnd* pFrame, BOOL bIsDefaultFrame)
{
    LookupCache& cache = bIsDefaultFrame ? s_defaultFrameCache : s_otherFrameCache;
    if (cache.hAccel != pFrame->m_hAccelTable)
    {
        cache.hAccel = pFrame->m_hAccelTable;
        cache.entries = EntriesOf(cache.hAccel);
    }
    return cache.entries;
}

CString ManagerPath(LPCTSTR lpszPath)
{
    return BuildSettingsPath("QENKeyboardManager", lpszPath);
}

CString TableKey(LPCTSTR lpszPath, UINT nResourceId)
{
    CString strKey;
    strKey.Format("%sQENKeyboard-%d", (LPCTSTR)ManagerPath(lpszPath), (int)nResourceId);
    return strKey;
}

CFrameWnd* MainFrame()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != NULL && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : NULL;
}

template <class VISIT> void ForEachMultiDocTemplate(VISIT visit)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;)
    {
        if (CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos)))
            visit(pTemplate);
    }
}

// Every frame of every view of every document of the template.
template <class VISIT> void ForEachFrameOf(CMultiDocTemplate* pTemplate, VISIT visit)
{
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;)
    {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != NULL;)
        {
            CView* pView = pDoc->GetNextView(posView);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                visit(pFrame);
        }
    }
}

BOOL IsTableInUse(HACCEL hAccel)
{
    BOOL bInUse = FALSE;
    CFrameWnd* pMain = MainFrame();
    if (pMain != NULL && pMain->m_hAccelTable == hAccel)
        return TRUE;
    ForEachMultiDocTemplate([&](CMultiDocTemplate* pTemplate) {
        if (pTemplate->m_hAccelTable == hAccel)
            bInUse = TRUE;
        ForEachFrameOf(pTemplate, [&](CFrameWnd* pFrame) {
            if (pFrame->m_hAccelTable == hAccel)
                bInUse = TRUE;
        });
    });
    return bInUse;
}

BOOL IsBlockedCommand(WORD nCommandId)
{
    return CQENToolBar::s_blockedCommands.Find(nCommandId) != NULL;
}

// A stored entry that no table of this program could have held.
BOOL IsDamaged(const ACCEL& entry)
{
    return (entry.fVirt & ~kKnownFlags) != 0 || entry.key > 0xFF;
}

UINT PASCAL DefaultResourceOf(CFrameWnd* pFrame)
{
    if (CQENMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CQENMDIFrameWnd, pFrame))
        return pMDIFrame->m_Impl.m_nIDDefaultResource;
    if (CQENFrameWnd* pLibraryFrame = DYNAMIC_DOWNCAST(CQENFrameWnd, pFrame))
        return pLibraryFrame->m_Impl.m_nIDDefaultResource;
    if (CQENOleIPFrameWnd* pIPFrame = DYNAMIC_DOWNCAST(CQENOleIPFrameWnd, pFrame))
        return pIPFrame->m_Impl.m_nIDDefaultResource;
    return 0;
}

HACCEL LoadResourceTable(UINT nResourceId)
{
    return nResourceId != 0 ? ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nResourceId)) : NULL;
}

BOOL PASCAL FindShortcut(CFrameWnd* pFrame, UINT nCommandId, CString& strShortcut)
{
    return g_pKeyboardManager != NULL &&
           g_pKeyboardManager->LookupShortcutText(nCommandId, strShortcut, pFrame, pFrame == AfxGetMainWnd());
}

} // namespace

CQENKeyboardManager::CQENKeyboardManager()
{
    g_pKeyboardManager = this;
    CQENPopupMenuBar::s_pfnFindShortcut = &FindShortcut;
}

CQENKeyboardManager::~CQENKeyboardManager()
{
    if (g_pKeyboardManager == this)
    {
        g_pKeyboardManager = NULL;
        CQENPopupMenuBar::s_pfnFindShortcut = NULL;
    }
}

BOOL CQENKeyboardManager::ReloadAcceleratorTable(CMultiDocTemplate* pTemplate, const ACCEL* pEntries, int nCount,
                                                 CFrameWnd* pFrame)
{
    if (nCount < 0 || (nCount > 0 && pEntries == NULL))
        return FALSE;
    HACCEL hAccel = nCount > 0 ? ::CreateAcceleratorTableA(const_cast<ACCEL*>(pEntries), nCount)
                               : ::CreateAcceleratorTableA(const_cast<ACCEL*>(&kInertEntry), 1);
    return hAccel != NULL && InstallOrDestroy(pTemplate, hAccel, pFrame);
}

BOOL CQENKeyboardManager::InstallTable(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pFrame)
{
    HACCEL hOld;
    if (pTemplate != NULL)
    {
        hOld = pTemplate->m_hAccelTable;
        pTemplate->m_hAccelTable = hAccel;
        ForEachFrameOf(pTemplate, [&](CFrameWnd* pTemplateFrame) {
            if (pTemplateFrame->m_hAccelTable == hOld)
                pTemplateFrame->m_hAccelTable = hAccel;
        });
    }
    else
    {
        if (pFrame == NULL)
            pFrame = MainFrame();
        if (pFrame == NULL)
            return FALSE;
        hOld = pFrame->m_hAccelTable;
        pFrame->m_hAccelTable = hAccel;
    }
    // A destroyed table's handle may come back for the next one made.
    FreeLookupCaches();
    if (hOld != NULL && hOld != hAccel && !IsTableInUse(hOld))
        ::DestroyAcceleratorTable(hOld);
    return TRUE;
}

BOOL CQENKeyboardManager::InstallOrDestroy(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pFrame)
{
    if (InstallTable(pTemplate, hAccel, pFrame))
        return TRUE;
    ::DestroyAcceleratorTable(hAccel);
    return FALSE;
}

BOOL CQENKeyboardManager::SaveAcceleratorState(LPCTSTR lpszPath, UINT nResourceId, HACCEL hAccel)
{
    std::vector<ACCEL> entries = EntriesOf(hAccel);
    if (entries.empty())
        return FALSE;
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->CreateKey(TableKey(lpszPath, nResourceId)) &&
           pRegistry->Write(kValueName, reinterpret_cast<LPBYTE>(entries.data()),
                            (UINT)(entries.size() * sizeof(ACCEL)));
}

BOOL CQENKeyboardManager::LoadAcceleratorState(LPCTSTR lpszPath, UINT nResourceId, HACCEL& hAccel)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!pRegistry->Open(TableKey(lpszPath, nResourceId)) || !pRegistry->Read(kValueName, &pData, &nBytes))
        return FALSE;
    std::vector<ACCEL> entries;
    if (nBytes > 0 && nBytes % sizeof(ACCEL) == 0)
    {
        entries.resize(nBytes / sizeof(ACCEL));
        memcpy(entries.data(), pData, nBytes);
    }
    delete[] pData;
    for (ACCEL& entry : entries)
    {
        if (IsDamaged(entry))
            return FALSE;
        if (IsBlockedCommand(entry.cmd))
            entry.cmd = 0;
    }
    if (entries.empty())
        return FALSE;
    HACCEL hLoaded = ::CreateAcceleratorTableA(entries.data(), (int)entries.size());
    if (hLoaded == NULL)
        return FALSE;
    hAccel = hLoaded;
    return TRUE;
}

BOOL CQENKeyboardManager::ReadState(LPCTSTR lpszPath, CFrameWnd* pFrame)
{
    const CString strPath = ManagerPath(lpszPath);
    ForEachMultiDocTemplate([&](CMultiDocTemplate* pTemplate) {
        HACCEL hAccel = NULL;
        if (pTemplate->m_hAccelTable != NULL && LoadAcceleratorState(strPath, pTemplate->GetResourceID(), hAccel))
            InstallOrDestroy(pTemplate, hAccel, NULL);
    });
    if (pFrame == NULL)
        pFrame = MainFrame();
    HACCEL hAccel = NULL;
    if (pFrame != NULL && pFrame->m_hAccelTable != NULL && LoadAcceleratorState(strPath, 0, hAccel))
        InstallOrDestroy(NULL, hAccel, pFrame);
    return TRUE;
}

BOOL CQENKeyboardManager::WriteState(LPCTSTR lpszPath, CFrameWnd* pFrame)
{
    const CString strPath = ManagerPath(lpszPath);
    ForEachMultiDocTemplate([&](CMultiDocTemplate* pTemplate) {
        if (pTemplate->m_hAccelTable != NULL)
            SaveAcceleratorState(strPath, pTemplate->GetResourceID(), pTemplate->m_hAccelTable);
    });
    if (pFrame == NULL)
        pFrame = MainFrame();
    if (pFrame != NULL && pFrame->m_hAccelTable != NULL)
        SaveAcceleratorState(strPath, 0, pFrame->m_hAccelTable);
    return TRUE;
}

void CQENKeyboardManager::ResetAllTables()
{
    ForEachMultiDocTemplate([&](CMultiDocTemplate* pTemplate) {
        HACCEL hAccel = pTemplate->m_hAccelTable != NULL ? LoadResourceTable(pTemplate->GetResourceID()) : NULL;
        if (hAccel != NULL)
            InstallOrDestroy(pTemplate, hAccel, NULL);
    });
    CFrameWnd* pMain = MainFrame();
    if (pMain == NULL || pMain->m_hAccelTable == NULL)
        return;
    HACCEL hAccel = LoadResourceTable(DefaultResourceOf(pMain));
    if (hAccel != NULL)
        InstallOrDestroy(NULL, hAccel, pMain);
}

BOOL CQENKeyboardManager::LookupShortcutText(UINT nCommandId, CString& strLabel, CFrameWnd* pFrame,
                                             BOOL bIsDefaultFrame)
{
    strLabel.Empty();
    if (pFrame == NULL || pFrame->m_hAccelTable == NULL || nCommandId == 0)
        return FALSE;
    for (const ACCEL& entry : CachedEntries(pFrame, bIsDefaultFrame))
    {
        if (entry.cmd == nCommandId)
        {
            strLabel = CQENKeyHelper(entry).Format();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CQENKeyboardManager::IsShortcutKey(UINT nKey, BYTE fVirt, CFrameWnd* pFrame, BOOL bIsDefaultFrame)
{
    if (pFrame == NULL || pFrame->m_hAccelTable == NULL)
        return FALSE;
    for (const ACCEL& entry : CachedEntries(pFrame, bIsDefaultFrame))
    {
        if (entry.key == nKey && (entry.fVirt & kModifierFlags) == (fVirt & kModifierFlags))
            return TRUE;
    }
    return FALSE;
}

UINT PASCAL CQENKeyboardManager::UpperCaseKey(UINT nVirtKey)
{
    const BOOL bAltDown = (::GetKeyState(VK_MENU) & 0x8000) != 0;
    const BOOL bKeypadDigit = nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9;
    const BOOL bLetter = nVirtKey >= 'A' && nVirtKey <= 'Z';
    if ((!bKeypadDigit || bAltDown) && (!s_bTranslateLettersByLayout || !bLetter))
        return bAltDown ? nVirtKey : (UINT)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)(BYTE)nVirtKey);

    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    CWinApp* pApp = AfxGetApp();
    HKL hLayout = ::GetKeyboardLayout(pApp != NULL ? pApp->m_nThreadID : 0);
    // Flag 1: a menu is active, as the keys are taken for one.
    const UINT nScanCode = ::MapVirtualKeyExA(nVirtKey, MAPVK_VK_TO_VSC, hLayout);
    if (::ToAsciiEx(nVirtKey, nScanCode, keyState, &wChar, 1, hLayout) == 1)
        return (UINT)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)(BYTE)wChar);
    // A layout that gives no character for the key: a keypad digit still means its digit.
    return bKeypadDigit ? '0' + (nVirtKey - VK_NUMPAD0) : nVirtKey;
}

void PASCAL CQENKeyboardManager::FreeLookupCaches()
{
    s_defaultFrameCache = LookupCache();
    s_otherFrameCache = LookupCache();
}
