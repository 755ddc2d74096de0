#include "QENWorkspace.h"

#include <commctrl.h>

#include "QENButtonImageList.h"
#include "QENCommandManager.h"
#include "QENContextMenuManager.h"
#include "QENKeyboardManager.h"
#include "QENMouseManager.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "QENSizingControlBar.h"
#include "QENToolBar.h"
#include "QENToolbarButton.h"
#include "QENToolbarMenuButton.h"
#include "QENUserTool.h"
#include "QENUserToolsManager.h"

#include <vector>

CQENWorkspace* g_pWorkspace = NULL;

namespace {

const char kDefaultSection[] = "QENWorkspace";
const char kVersionKey[] = "QENControlBarVersion";
const char kPlacementKey[] = "WindowPlacement";

// A rebar band as stored: the band record of the common controls of version 4.71 onwards.
const UINT kBandRecordSize = 80;
static_assert(sizeof(REBARBANDINFOA) >= kBandRecordSize, "the band record must fit REBARBANDINFOA");
// What a stored band may set: its style and sizes, never text, handles or application data.
const UINT kRestoredBandFields = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;

std::vector<HWND> RebarsOf(CFrameWnd* pFrame)
{
    std::vector<HWND> rebars;
    for (HWND hChild = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64];
        if (::GetClassNameA(hChild, szClass, sizeof szClass) > 0 && lstrcmpiA(szClass, REBARCLASSNAMEA) == 0)
            rebars.push_back(hChild);
    }
    return rebars;
}

CString RebarKey(const CString& strPath, HWND hRebar)
{
    CString strKey;
    strKey.Format("%sQENRebar-%ld", (LPCTSTR)strPath, (long)::GetDlgCtrlID(hRebar));
    return strKey;
}

REBARBANDINFOA BandQuery(UINT fMask)
{
    REBARBANDINFOA band = {};
    band.cbSize = kBandRecordSize;
    band.fMask = fMask;
    return band;
}

UINT BandChildId(HWND hRebar, UINT nBand)
{
    REBARBANDINFOA band = BandQuery(RBBIM_CHILD);
    if (!::SendMessageA(hRebar, RB_GETBANDINFOA, nBand, (LPARAM)&band) || band.hwndChild == NULL)
        return 0;
    return (UINT)::GetDlgCtrlID(band.hwndChild);
}

void WriteRebar(CQENRegistry& registry, const CString& strPath, HWND hRebar)
{
    const UINT nBands = (UINT)::SendMessageA(hRebar, RB_GETBANDCOUNT, 0, 0);
    std::vector<BYTE> records(nBands * kBandRecordSize);
    std::vector<DWORD> ids(nBands);
    for (UINT i = 0; i < nBands; i++)
    {
        REBARBANDINFOA band = BandQuery(kRestoredBandFields);
        ::SendMessageA(hRebar, RB_GETBANDINFOA, i, (LPARAM)&band);
        memcpy(&records[i * kBandRecordSize], &band, kBandRecordSize);
        ids[i] = BandChildId(hRebar, i);
    }
    if (registry.CreateKey(RebarKey(strPath, hRebar)))
    {
        registry.Write("RBI", records.data(), (UINT)records.size());
        registry.Write("IDs", (LPBYTE)ids.data(), (UINT)(ids.size() * sizeof(DWORD)));
    }
}

void ReadRebar(CQENRegistry& registry, const CString& strPath, HWND hRebar)
{
    LPBYTE pRecords = NULL;
    LPBYTE pIds = NULL;
    UINT cbRecords = 0;
    UINT cbIds = 0;
    if (registry.Open(RebarKey(strPath, hRebar)) && registry.Read("RBI", &pRecords, &cbRecords) &&
        registry.Read("IDs", &pIds, &cbIds))
    {
        const UINT nBands = (UINT)::SendMessageA(hRebar, RB_GETBANDCOUNT, 0, 0);
        if (cbIds == nBands * sizeof(DWORD) && cbRecords == nBands * kBandRecordSize)
        {
            const DWORD* pStoredIds = reinterpret_cast<const DWORD*>(pIds);
            for (UINT j = 0; j < nBands; j++)
            {
                for (UINT i = j; i < nBands; i++)
                {
                    if (BandChildId(hRebar, i) != pStoredIds[j])
                        continue;
                    if (i != j)
                        ::SendMessageA(hRebar, RB_MOVEBAND, i, j);
                    REBARBANDINFOA stored;
                    memcpy(&stored, pRecords + j * kBandRecordSize, kBandRecordSize);
                    REBARBANDINFOA band = BandQuery(kRestoredBandFields);
                    band.fStyle = stored.fStyle;
                    band.cxMinChild = stored.cxMinChild;
                    band.cyMinChild = stored.cyMinChild;
                    band.cx = stored.cx;
                    band.cyChild = stored.cyChild;
                    band.cyMaxChild = stored.cyMaxChild;
                    band.cyIntegral = stored.cyIntegral;
                    band.cxIdeal = stored.cxIdeal;
                    band.cxHeader = stored.cxHeader;
                    ::SendMessageA(hRebar, RB_SETBANDINFOA, j, (LPARAM)&band);
                    break;
                }
            }
        }
    }
    delete[] pRecords;
    delete[] pIds;
}

// The state version that the loading bars consult, for the time of one load.
class CLoadedVersionScope
{
public:
    CLoadedVersionScope(int nMajor, int nMinor)
        : m_nMajorBefore(CQENToolbarMenuButton::s_nStateVersionMajor),
          m_nMinorBefore(CQENToolbarMenuButton::s_nStateVersionMinor)
    {
        CQENToolbarMenuButton::s_nStateVersionMajor = nMajor;
        CQENToolbarMenuButton::s_nStateVersionMinor = nMinor;
    }
    ~CLoadedVersionScope()
    {
        CQENToolbarMenuButton::s_nStateVersionMajor = m_nMajorBefore;
        CQENToolbarMenuButton::s_nStateVersionMinor = m_nMinorBefore;
    }

private:
    const int m_nMajorBefore;
    const int m_nMinorBefore;
};

} // namespace

CQENWorkspace::CQENWorkspace(BOOL bTrackResourceChanges)
    : m_strSettingsPath(kDefaultSection), m_bKeyboardManagerOwned(FALSE), m_bContextMenuManagerOwned(FALSE),
      m_bMouseManagerOwned(FALSE), m_bUserToolsManagerOwned(FALSE), m_iLoadedVersionMajor(-1),
      m_iLoadedVersionMinor(-1), m_bDockStateForced(FALSE), m_bThisFrameOnly(FALSE), m_bSaveEnabled(TRUE),
      m_bTrackResourceChanges(bTrackResourceChanges), m_bForceRelayout(FALSE)
{
    g_pWorkspace = this;
    CQENFrameServices::s_pActive = this;
}

CQENWorkspace::~CQENWorkspace()
{
    if (m_bKeyboardManagerOwned)
        delete g_pKeyboardManager;
    if (m_bContextMenuManagerOwned)
        delete g_pContextMenuManager;
    if (m_bMouseManagerOwned)
        delete g_pMouseManager;
    if (m_bUserToolsManagerOwned)
        delete g_pUserToolsManager;
    if (CQENFrameServices::s_pActive == this)
        CQENFrameServices::s_pActive = NULL;
    if (g_pWorkspace == this)
        g_pWorkspace = NULL;
}

// ---------------------------------------------------------------------------------------------------
// The managers

BOOL CQENWorkspace::CreateKeyboardManager()
{
    if (g_pKeyboardManager != NULL)
        return FALSE;
    new CQENKeyboardManager;
    m_bKeyboardManagerOwned = TRUE;
    return TRUE;
}

BOOL CQENWorkspace::CreateContextMenuManager()
{
    if (g_pContextMenuManager != NULL)
        return FALSE;
    new CQENContextMenuManager;
    m_bContextMenuManagerOwned = TRUE;
    return TRUE;
}

BOOL CQENWorkspace::CreateMouseManager()
{
    if (g_pMouseManager != NULL)
        return FALSE;
    new CQENMouseManager;
    m_bMouseManagerOwned = TRUE;
    return TRUE;
}

BOOL CQENWorkspace::SetUpUserTools(UINT nToolsEntryCmd, UINT nFirstToolCmd, UINT nLastToolCmd,
                                   CRuntimeClass* pToolClass, UINT nArgsMenuId, UINT nFolderMenuId)
{
    if (g_pUserToolsManager != NULL)
        return FALSE;
    new CQENUserToolsManager(nToolsEntryCmd, nFirstToolCmd, nLastToolCmd,
                             pToolClass != NULL ? pToolClass : RUNTIME_CLASS(CQENUserTool), nArgsMenuId, nFolderMenuId);
    m_bUserToolsManagerOwned = TRUE;
    return TRUE;
}

CQENMouseManager* CQENWorkspace::MouseManager()
{
    CreateMouseManager();
    return g_pMouseManager;
}

CQENContextMenuManager* CQENWorkspace::ContextMenuManager()
{
    CreateContextMenuManager();
    return g_pContextMenuManager;
}

// ---------------------------------------------------------------------------------------------------
// Paths

CString CQENWorkspace::SettingsPath(LPCTSTR lpszPostfix) const
{
    CString strPath = BuildSettingsPath(m_strSettingsPath, NULL);
    if (lpszPostfix != NULL && *lpszPostfix != '\0')
    {
        strPath += lpszPostfix;
        strPath += "\\";
    }
    return strPath;
}

CString CQENWorkspace::ProfileSection(LPCTSTR lpszPostfix) const
{
    return m_strSettingsPath + "\\" + lpszPostfix;
}

// ---------------------------------------------------------------------------------------------------
// Loading

BOOL CQENWorkspace::ReadState(LPCTSTR lpszSectionName, CQENFrameSupport* pFrameImpl)
{
    if (lpszSectionName != NULL)
        m_strSettingsPath = lpszSectionName;
    const CString strPath = SettingsPath();
    BeforeStateLoad();

    {
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
        if (pRegistry->Open(SettingsPath(kVersionKey)))
        {
            pRegistry->Read("Major", m_iLoadedVersionMajor);
            pRegistry->Read("Minor", m_iLoadedVersionMinor);
        }
    }

    BOOL bResourceChanged = FALSE;
    {
        const CLoadedVersionScope version(m_iLoadedVersionMajor, m_iLoadedVersionMinor);
        CQENToolBar::ReadGlobalOptions(strPath);
        CQENCommandManager::Instance().ReadState(strPath);

        const BOOL bRegisterImages = CQENToolbarButton::s_bRegisterImages;
        if (m_bTrackResourceChanges)
            CQENToolbarButton::s_bRegisterImages = FALSE;
        if (pFrameImpl != NULL)
            bResourceChanged = ReadBarsState(strPath, pFrameImpl);
        ReadManagersState(strPath, pFrameImpl != NULL ? pFrameImpl->m_pFrame : NULL);
        CQENToolbarButton::s_bRegisterImages = bRegisterImages;
    }

    if (m_bForceRelayout || (m_bTrackResourceChanges && bResourceChanged))
        RelayoutBars(pFrameImpl != NULL ? pFrameImpl->m_pFrame : NULL);

    ReadAppState();
    m_iLoadedVersionMajor = kVersionMajor;
    m_iLoadedVersionMinor = kVersionMinor;
    return TRUE;
}

BOOL CQENWorkspace::IsBarOfFrame(CControlBar* pBar, CFrameWnd* pFrame) const
{
    return pBar != NULL && ::IsWindow(pBar->m_hWnd) && (!m_bThisFrameOnly || pBar->GetTopLevelFrame() == pFrame);
}

BOOL CQENWorkspace::ReadBarsState(const CString& strPath, CQENFrameSupport* pFrameImpl)
{
    CFrameWnd* pFrame = pFrameImpl->m_pFrame;
    {
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
        for (HWND hRebar : RebarsOf(pFrame))
            ReadRebar(*pRegistry, strPath, hRebar);
    }

    BOOL bResourceChanged = FALSE;
    // A bar may create or destroy others while it loads: walk a copy.
    CObList toolbars;
    toolbars.AddTail(&CQENToolBar::s_toolbarRegistry);
    for (POSITION pos = toolbars.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(toolbars.GetNext(pos));
        if (CQENToolBar::s_toolbarRegistry.Find(pBar) == NULL || !IsBarOfFrame(pBar, pFrame) || pBar->m_bLocked ||
            pFrameImpl->IsUserToolbar(pBar))
            continue;
        if (pBar->ReadState(strPath, -1, (UINT)-1) && pBar->m_bResourceChanged)
            bResourceChanged = TRUE;
    }

    const CString strSizingSection = ProfileSection("SizingBars");
    for (POSITION pos = CQENSizingControlBar::s_listAllBars.GetHeadPosition(); pos != NULL;)
    {
        CQENSizingControlBar* pBar = static_cast<CQENSizingControlBar*>(CQENSizingControlBar::s_listAllBars.GetNext(pos));
        if (IsBarOfFrame(pBar, pFrame))
            pBar->LoadState(strSizingSection);
    }

    pFrameImpl->RestoreUserToolbars();
    pFrameImpl->RestoreTearOffBars();

    CDockState state;
    state.LoadState(ProfileSection("ControlBars"));
    if (state.m_arrBarInfo.GetSize() > 0 && (m_bDockStateForced || pFrameImpl->IsDockStateUsable(state)))
        pFrameImpl->ApplyDockState(state);
    return bResourceChanged;
}

void CQENWorkspace::ReadManagersState(const CString& strPath, CFrameWnd* pFrame)
{
    if (g_pMouseManager != NULL)
        g_pMouseManager->ReadState(strPath);
    if (g_pContextMenuManager != NULL)
        g_pContextMenuManager->ReadState(strPath);
    if (g_pKeyboardManager != NULL)
        g_pKeyboardManager->ReadState(strPath, pFrame);
    if (g_pUserToolsManager != NULL)
        g_pUserToolsManager->ReadState(strPath);
}

void CQENWorkspace::RelayoutBars(CFrameWnd* pFrame)
{
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (::IsWindow(pBar->m_hWnd))
            pBar->RecalcButtonLayout();
    }
    if (pFrame != NULL)
        pFrame->RecalcLayout();
}

// ---------------------------------------------------------------------------------------------------
// Saving

BOOL CQENWorkspace::WriteState(LPCTSTR lpszSectionName, CQENFrameSupport* pFrameImpl)
{
    if (!m_bSaveEnabled)
        return FALSE;
    if (lpszSectionName != NULL)
        m_strSettingsPath = lpszSectionName;
    const CString strPath = SettingsPath();
    BeforeStateSave();

    {
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
        if (pRegistry->CreateKey(SettingsPath(kVersionKey)))
        {
            pRegistry->Write("Major", kVersionMajor);
            pRegistry->Write("Minor", kVersionMinor);
        }
    }

    CQENToolBar::WriteGlobalOptions(strPath);
    CQENCommandManager::Instance().WriteState(strPath);
    if (pFrameImpl != NULL)
        WriteBarsState(strPath, pFrameImpl);
    if (CQENToolBar::s_pUserImageList != NULL && CQENToolBar::s_pUserImageList->IsModified())
        CQENToolBar::s_pUserImageList->Save();
    WriteManagersState(strPath, pFrameImpl != NULL ? pFrameImpl->m_pFrame : NULL);
    WriteAppState();
    return TRUE;
}

void CQENWorkspace::WriteBarsState(const CString& strPath, CQENFrameSupport* pFrameImpl)
{
    CFrameWnd* pFrame = pFrameImpl->m_pFrame;

    CDockState state;
    pFrame->GetDockState(state);
    state.SaveState(ProfileSection("ControlBars"));

    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (IsBarOfFrame(pBar, pFrame) && !pBar->m_bLocked && !pFrameImpl->IsUserToolbar(pBar))
            pBar->WriteState(strPath, -1, (UINT)-1);
    }

    const CString strSizingSection = ProfileSection("SizingBars");
    for (POSITION pos = CQENSizingControlBar::s_listAllBars.GetHeadPosition(); pos != NULL;)
    {
        CQENSizingControlBar* pBar = static_cast<CQENSizingControlBar*>(CQENSizingControlBar::s_listAllBars.GetNext(pos));
        if (IsBarOfFrame(pBar, pFrame))
            pBar->SaveState(strSizingSection);
    }

    pFrameImpl->StoreUserToolbars(m_bThisFrameOnly);
    pFrameImpl->StoreTearOffBars(m_bThisFrameOnly);

    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    for (HWND hRebar : RebarsOf(pFrame))
        WriteRebar(*pRegistry, strPath, hRebar);
}

void CQENWorkspace::WriteManagersState(const CString& strPath, CFrameWnd* pFrame)
{
    if (g_pMouseManager != NULL)
        g_pMouseManager->WriteState(strPath);
    if (g_pContextMenuManager != NULL)
        g_pContextMenuManager->WriteState(strPath);
    if (g_pKeyboardManager != NULL)
        g_pKeyboardManager->WriteState(strPath, pFrame);
    if (g_pUserToolsManager != NULL)
        g_pUserToolsManager->WriteState(strPath);
}

BOOL CQENWorkspace::EraseSavedState(LPCTSTR lpszSectionName)
{
    if (lpszSectionName != NULL)
        m_strSettingsPath = lpszSectionName;
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->DeleteKey(SettingsPath(), FALSE);
}

void CQENWorkspace::OnClosingMainFrame(CQENFrameSupport*)
{
}

void CQENWorkspace::BeforeMainFrameCloses(CQENFrameSupport* pFrameImpl)
{
    OnClosingMainFrame(pFrameImpl);
    WriteState(NULL, pFrameImpl);
}

// ---------------------------------------------------------------------------------------------------
// Window placement

BOOL CQENWorkspace::ReadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    return pRegistry->Open(SettingsPath(kPlacementKey)) && pRegistry->Read("MainWindowRect", rectNormalPosition) &&
           pRegistry->Read("Flags", nFlags) && pRegistry->Read("ShowCmd", nShowCmd);
}

BOOL CQENWorkspace::WriteWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->CreateKey(SettingsPath(kPlacementKey)) && pRegistry->Write("MainWindowRect", rectNormalPosition) &&
           pRegistry->Write("Flags", nFlags) && pRegistry->Write("ShowCmd", nShowCmd);
}

// ---------------------------------------------------------------------------------------------------
// Views, context menus and help

BOOL CQENWorkspace::HandleViewDoubleClick(CWnd* pWnd, int iViewId)
{
    if (g_pMouseManager == NULL)
        return FALSE;
    const UINT nCommand = g_pMouseManager->DoubleClickCommandOf(iViewId);
    if (nCommand == 0 || nCommand == (UINT)-1)
    {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    if (g_pUserToolsManager != NULL && g_pUserToolsManager->RunToolCommand(nCommand))
        return TRUE;
    CWnd* pTarget = pWnd != NULL ? pWnd->GetTopLevelFrame() : AfxGetMainWnd();
    if (pTarget != NULL)
        pTarget->SendMessage(WM_COMMAND, nCommand);
    return TRUE;
}

BOOL CQENWorkspace::ShowContextMenu(UINT nMenuResId, const CPoint& point, CWnd* pWnd)
{
    if (g_pContextMenuManager == NULL)
        return FALSE;
    return g_pContextMenuManager->ShowContextMenu(nMenuResId, point.x, point.y, pWnd);
}

void CQENWorkspace::OnWinHelp(CWnd* pWnd, DWORD dwData)
{
    CWinApp* pApp = AfxGetApp();
    ::WinHelpA(pWnd != NULL ? pWnd->m_hWnd : NULL, pApp != NULL ? pApp->m_pszHelpFilePath : NULL, HELP_CONTEXTMENU, dwData);
}

// ---------------------------------------------------------------------------------------------------
// What the library frames ask

CString CQENWorkspace::RegistrySectionPath()
{
    return SettingsPath();
}

BOOL CQENWorkspace::LoadPlacement(CRect& rect, UINT& nFlags, UINT& nShowCmd)
{
    CRect rectStored = rect;
    int nStoredFlags = (int)nFlags;
    int nStoredShowCmd = (int)nShowCmd;
    if (!ReadWindowPlacement(rectStored, nStoredFlags, nStoredShowCmd))
        return FALSE;
    rect = rectStored;
    nFlags = (UINT)nStoredFlags;
    nShowCmd = (UINT)nStoredShowCmd;
    return TRUE;
}

void CQENWorkspace::StorePlacement(const CRect& rect, UINT nFlags, UINT nShowCmd)
{
    WriteWindowPlacement(rect, (int)nFlags, (int)nShowCmd);
}

void CQENWorkspace::LoadFrameState(CFrameWnd* pFrame)
{
    ReadState(NULL, CQENFrameSupport::Of(pFrame));
}

void CQENWorkspace::OnFrameClosing(CFrameWnd* pFrame)
{
    BeforeMainFrameCloses(CQENFrameSupport::Of(pFrame));
}

BOOL CQENWorkspace::RunUserTool(UINT nCommandId)
{
    return g_pUserToolsManager != NULL && g_pUserToolsManager->RunToolCommand(nCommandId);
}
