#include "QENFrameSupport.h"

#include "QENCommandUsage.h"
#include "QENFrameWnd.h"
#include "QENMDIFrameWnd.h"
#include "QENMenuBar.h"
#include "QENMiniDockFrameWnd.h"
#include "QENOleDocIPFrameWnd.h"
#include "QENOleIPFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "QENToolBar.h"
#include "QENToolDockBar.h"
#include "QENToolbarCustomize.h"
#include "QENTearOffManager.h"
#include "QENToolbarMenuButton.h"

#include <DockState.h>

CQENFrameServices* CQENFrameServices::s_pActive = NULL;

namespace {

struct DockSide
{
    UINT nID;
    DWORD dwStyle;
};

const DockSide kDockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

const DWORD kDockBarWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

CString StripMnemonicKey(const CString& strLabel)
{
    // The character after the first single '&'.
    for (int i = 0; i + 1 < strLabel.GetLength(); i++)
    {
        if (strLabel[i] != '&')
            continue;
        if (strLabel[i + 1] == '&')
        {
            i++;
            continue;
        }
        return strLabel.Mid(i + 1, 1);
    }
    return CString();
}

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

CPoint ClientPointToScreen(const MSG* pMsg)
{
    CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
    ::ClientToScreen(pMsg->hwnd, &pt);
    return pt;
}

} // namespace

CQENFrameSupport::CQENFrameSupport(CFrameWnd* pFrame)
    : m_uiUserToolbarFirst((UINT)-1), m_uiUserToolbarLast((UINT)-1), m_listUserBars(10), m_listTearOffBars(10),
      m_pMenuBar(NULL), m_hDefaultMenu(NULL), m_pFrame(pFrame), m_nIDDefaultResource(0), m_bAltAlone(FALSE)
{
}

CQENFrameSupport::~CQENFrameSupport()
{
    while (!m_listUserBars.IsEmpty())
        DeleteBar(static_cast<CControlBar*>(m_listUserBars.RemoveHead()));
    while (!m_listTearOffBars.IsEmpty())
        DeleteBar(static_cast<CControlBar*>(m_listTearOffBars.RemoveHead()));
}

void CQENFrameSupport::DeleteBar(CControlBar* pBar)
{
    if (pBar->m_hWnd != NULL)
        pBar->DestroyWindow();
    delete pBar;
}

BOOL PASCAL CQENFrameSupport::IsCustomizing()
{
    return CQENToolBar::s_bCustomizing;
}

CQENPopupMenu* PASCAL CQENFrameSupport::ActivePopup()
{
    // A popup destroyed behind the frame's back is never touched.
    CQENPopupMenu* pPopup = CQENPopupMenu::s_pActivePopupMenu;
    return HasWindow(pPopup) ? pPopup : NULL;
}

// ---------------------------------------------------------------------------------------------------
// User toolbars

void CQENFrameSupport::SetUserToolbarRange(LPCTSTR lpszRegPath, UINT uiFirstId, UINT uiLastId)
{
    if (uiFirstId == (UINT)-1 || uiLastId == (UINT)-1)
        return;
    m_uiUserToolbarFirst = uiFirstId;
    m_uiUserToolbarLast = uiLastId;
    if (lpszRegPath != NULL && *lpszRegPath != '\0')
        m_strRegPath = lpszRegPath;
    else if (CQENFrameServices::s_pActive != NULL)
        m_strRegPath = CQENFrameServices::s_pActive->RegistrySectionPath();
    else
        m_strRegPath.Empty();
}

CQENToolBar* CQENFrameSupport::CreateUserBar(UINT nId)
{
    CQENToolBar* pBar = new CQENToolBar;
    if (!pBar->CreateEx(m_pFrame, 0, kUserBarStyle, CRect(1, 1, 1, 1), nId))
    {
        delete pBar;
        return NULL;
    }
    return pBar;
}

void CQENFrameSupport::RestoreUserToolbars()
{
    if (m_uiUserToolbarFirst == (UINT)-1)
        return;
    for (UINT nId = m_uiUserToolbarFirst; nId <= m_uiUserToolbarLast; nId++)
    {
        CQENToolBar* pBar = CreateUserBar(nId);
        if (pBar == NULL)
            continue;
        if (!pBar->ReadState(m_strRegPath, -1, (UINT)-1))
        {
            DeleteBar(pBar);
            continue;
        }
        RestoreUserToolbarName(pBar);
        pBar->SetBarStyle(pBar->GetBarStyle() | kUserBarExtraStyle);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar);
        m_listUserBars.AddTail(pBar);
    }
}

void CQENFrameSupport::RestoreUserToolbarName(CQENToolBar* pBar)
{
    // The bar writes its name beside its buttons but does not read it back.
    CString strKey;
    strKey.Format("%sQENToolBar-%d", (LPCTSTR)BuildSettingsPath("QENToolBars", m_strRegPath), pBar->GetDlgCtrlID());
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    CString strName;
    if (pRegistry->Open(strKey) && pRegistry->Read("Name", strName))
        pBar->SetWindowText(strName);
}

void CQENFrameSupport::StoreUserToolbars(BOOL bFrameOnly)
{
    for (POSITION pos = m_listUserBars.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(m_listUserBars.GetNext(pos));
        if (bFrameOnly && pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        pBar->WriteState(m_strRegPath, -1, (UINT)-1);
    }
}

CQENToolBar* CQENFrameSupport::AddUserToolbar(LPCTSTR lpszName)
{
    UINT nFreeId = (UINT)-1;
    if (m_uiUserToolbarFirst != (UINT)-1)
    {
        for (UINT nId = m_uiUserToolbarFirst; nId <= m_uiUserToolbarLast && nFreeId == (UINT)-1; nId++)
            if (UserToolbarAt((int)(nId - m_uiUserToolbarFirst)) == NULL)
                nFreeId = nId;
    }
    if (nFreeId == (UINT)-1)
    {
        CString strFormat;
        strFormat.LoadString(kTooManyToolbarsString);
        CString strMessage;
        strMessage.Format(strFormat, (int)(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1));
        AfxMessageBox(strMessage, MB_ICONINFORMATION);
        return NULL;
    }

    CQENToolBar* pBar = CreateUserBar(nFreeId);
    if (pBar == NULL)
        return NULL;
    pBar->SetWindowText(lpszName);
    pBar->SetBarStyle(pBar->GetBarStyle() | kUserBarExtraStyle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    const CPoint ptCentre(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2);
    m_pFrame->FloatControlBar(pBar, ptCentre, CBRS_ALIGN_TOP);
    m_pFrame->RecalcLayout();
    m_listUserBars.AddTail(pBar);
    return pBar;
}

BOOL CQENFrameSupport::RemoveUserToolbar(CQENToolBar* pBar)
{
    POSITION pos = m_listUserBars.Find(pBar);
    if (pos == NULL)
        return FALSE;
    m_listUserBars.RemoveAt(pos);
    pBar->EraseStoredState(m_strRegPath, -1, (UINT)-1);
    DeleteBar(pBar);
    m_pFrame->RecalcLayout();
    return TRUE;
}

namespace {

// A message sent by another thread carries pointers that mean nothing here.
BOOL SentFromOwnThread()
{
    return (::InSendMessageEx(NULL) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) == 0;
}

} // namespace

LRESULT CQENFrameSupport::OnCreateToolbarRequest(LPARAM lParam)
{
    if (!SentFromOwnThread())
        return 0;
    return (LRESULT)AddUserToolbar((LPCTSTR)lParam);
}

LRESULT CQENFrameSupport::OnDeleteToolbarRequest(LPARAM lParam)
{
    if (!SentFromOwnThread())
        return FALSE;
    return RemoveUserToolbar(reinterpret_cast<CQENToolBar*>(lParam));
}

CQENToolBar* CQENFrameSupport::UserToolbarAt(int iIndex) const
{
    if (m_uiUserToolbarFirst == (UINT)-1 || iIndex < 0)
        return NULL;
    const UINT nId = m_uiUserToolbarFirst + (UINT)iIndex;
    for (POSITION pos = m_listUserBars.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(m_listUserBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nId)
            return pBar;
    }
    return NULL;
}

BOOL CQENFrameSupport::IsUserToolbar(const CControlBar* pBar) const
{
    if (pBar == NULL || pBar->m_hWnd == NULL || m_uiUserToolbarFirst == (UINT)-1)
        return FALSE;
    const UINT nId = (UINT)pBar->GetDlgCtrlID();
    return nId >= m_uiUserToolbarFirst && nId <= m_uiUserToolbarLast;
}

void CQENFrameSupport::FillUserToolbarMenu(CMenu* pMenu, UINT nFirstCmd, UINT nLastCmd) const
{
    for (int i = 0; i < (int)pMenu->GetMenuItemCount();)
    {
        const UINT nCmd = pMenu->GetMenuItemID(i);
        if (nCmd < nFirstCmd || nCmd > nLastCmd)
        {
            i++;
            continue;
        }
        CQENToolBar* pBar = UserToolbarAt((int)(nCmd - nFirstCmd));
        if (pBar == NULL)
        {
            pMenu->DeleteMenu(i, MF_BYPOSITION);
            continue;
        }
        CString strName;
        pBar->GetWindowText(strName);
        pMenu->ModifyMenu(i, MF_BYPOSITION | MF_STRING, nCmd, strName);
        i++;
    }
}

// ---------------------------------------------------------------------------------------------------
// The menu bar

void CQENFrameSupport::AttachMenuBar(CQENMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    if (pMenuBar == NULL)
        return;
    m_hDefaultMenu = ::GetMenu(m_pFrame->m_hWnd);
    pMenuBar->RebuildFromMenu(m_hDefaultMenu, TRUE);
    ::SetMenu(m_pFrame->m_hWnd, NULL);
    pMenuBar->SetDefaultMenuId(m_nIDDefaultResource);
}

CQENMenuBar* CQENFrameSupport::MenuBar() const
{
    return HasWindow(m_pMenuBar) ? m_pMenuBar : NULL;
}

// ---------------------------------------------------------------------------------------------------
// Tear-off bars

void CQENFrameSupport::AddTearOffBar(CControlBar* pBar)
{
    m_listTearOffBars.AddTail(pBar);
}

void CQENFrameSupport::RemoveTearOffBar(CControlBar* pBar)
{
    POSITION pos = m_listTearOffBars.Find(pBar);
    if (pos != NULL)
        m_listTearOffBars.RemoveAt(pos);
}

CString CQENFrameSupport::TearOffSection() const
{
    CString strPath;
    if (CQENFrameServices::s_pActive != NULL)
        strPath = CQENFrameServices::s_pActive->RegistrySectionPath();
    return strPath + "ControlBars-TearOff";
}

void CQENFrameSupport::StoreTearOffBars(BOOL bFrameOnly)
{
    const CString strSection = TearOffSection();
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    for (int i = 0;; i++)
    {
        CString strKey;
        strKey.Format("%s-%d", (LPCTSTR)strSection, i);
        if (!pRegistry->DeleteKey(strKey))
            break;
    }

    int iNumber = 0;
    for (POSITION pos = m_listTearOffBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listTearOffBars.GetNext(pos));
        if (!HasWindow(pBar) || (bFrameOnly && pBar->GetTopLevelFrame() != m_pFrame))
            continue;
        CString strKey;
        strKey.Format("%s-%d", (LPCTSTR)strSection, iNumber++);
        CString strName;
        pBar->GetWindowText(strName);
        if (pRegistry->CreateKey(strKey))
        {
            pRegistry->Write("ID", (DWORD)pBar->GetDlgCtrlID());
            pRegistry->Write("Name", (LPCTSTR)strName);
            pRegistry->Write("State", static_cast<CObject*>(pBar));
        }
    }
}

BOOL CQENFrameSupport::IsFreeTearOffId(UINT nId)
{
    return g_pTearOffManager != NULL && nId >= g_pTearOffManager->FirstId() && nId <= g_pTearOffManager->LastId() &&
           m_pFrame->GetControlBar(nId) == NULL;
}

void CQENFrameSupport::RestoreTearOffBars()
{
    const CString strSection = TearOffSection();
    for (int i = 0;; i++)
    {
        CString strKey;
        strKey.Format("%s-%d", (LPCTSTR)strSection, i);
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
        DWORD dwId = 0;
        CString strName;
        CObject* pObject = NULL;
        if (!pRegistry->Open(strKey) || !pRegistry->Read("ID", dwId) || !pRegistry->Read("Name", strName) ||
            !pRegistry->Read("State", pObject))
            return;
        // Only a toolbar on a free id of the tear-off range is taken; anything else is passed over.
        if (!pObject->IsKindOf(RUNTIME_CLASS(CQENToolBar)) || !IsFreeTearOffId(dwId))
        {
            delete pObject;
            continue;
        }
        CQENToolBar* pBar = static_cast<CQENToolBar*>(pObject);
        if (!pBar->CreateEx(m_pFrame, 0, kUserBarStyle, CRect(1, 1, 1, 1), dwId))
        {
            delete pBar;
            return;
        }
        pBar->SetWindowText(strName);
        pBar->SetBarStyle(pBar->GetBarStyle() | kUserBarExtraStyle);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar);
        m_listTearOffBars.AddTail(pBar);
    }
}

// ---------------------------------------------------------------------------------------------------
// Docking

BOOL CQENFrameSupport::IsDockStateUsable(const CDockState& state) const
{
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        const CControlBarInfo* pInfo = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!pInfo->m_bFloating && m_pFrame->GetControlBar(pInfo->m_nBarID) == NULL)
            return FALSE;
    }
    return TRUE;
}

void CQENFrameSupport::ApplyDockState(const CDockState& state)
{
    m_pFrame->SetDockState(state);
    m_pFrame->DelayRecalcLayout();
}

void CQENFrameSupport::EnableDocking(DWORD dwDockStyle)
{
    m_pFrame->EnableDocking(dwDockStyle);
    for (const DockSide& side : kDockSides)
    {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CControlBar* pOld = m_pFrame->GetControlBar(side.nID);
        if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CQENToolDockBar)))
            continue;
        if (pOld != NULL)
        {
            m_pFrame->RemoveControlBar(pOld);
            pOld->m_pDockSite = NULL;
            const BOOL bDeletesItself = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bDeletesItself)
                delete pOld;
        }
        CQENToolDockBar* pDockBar = new CQENToolDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(m_pFrame, kDockBarWindowStyle | side.dwStyle, side.nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
    m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CQENMiniDockFrameWnd);
}

// ---------------------------------------------------------------------------------------------------
// Input filters

BOOL PASCAL CQENFrameSupport::IsAccelerator(HACCEL hAccel, UINT nKey, BYTE fVirt)
{
    if (hAccel == NULL)
        return FALSE;
    const int nCount = ::CopyAcceleratorTableA(hAccel, NULL, 0);
    if (nCount <= 0)
        return FALSE;
    CArray<ACCEL, ACCEL&> entries;
    entries.SetSize(nCount);
    ::CopyAcceleratorTableA(hAccel, entries.GetData(), nCount);
    for (int i = 0; i < nCount; i++)
        if (entries[i].key == nKey && (entries[i].fVirt & ~FNOINVERT) == fVirt)
            return TRUE;
    return FALSE;
}

BOOL CQENFrameSupport::FilterKeyDown(UINT nKey, BOOL* pbProcessAccel)
{
    if (pbProcessAccel != NULL)
        *pbProcessAccel = TRUE;
    if (CQENPopupMenu* pPopup = ActivePopup())
    {
        pPopup->SendMessage(WM_KEYDOWN, nKey, 0);
        return TRUE;
    }
    if (m_pFrame->IsIconic())
        return TRUE;
    if (IsCustomizing())
        return FALSE;

    BOOL bEditing = FALSE;
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL && !bEditing;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        for (int i = 0; i < pBar->ButtonCount() && !bEditing; i++)
            bEditing = pBar->ButtonAt(i)->HostedWindowHasFocus();
    }

    BYTE fVirt = 0;
    if (::GetAsyncKeyState(VK_CONTROL) & 0x8000)
        fVirt |= FCONTROL;
    if (::GetAsyncKeyState(VK_MENU) & 0x8000)
        fVirt |= FALT;
    if (::GetAsyncKeyState(VK_SHIFT) & 0x8000)
        fVirt |= FSHIFT;
    if (!bEditing)
    {
        CFrameWnd* pActive = m_pFrame->GetActiveFrame();
        if (IsAccelerator(m_pFrame->m_hAccelTable, nKey, fVirt | FVIRTKEY) ||
            (pActive != NULL && pActive != m_pFrame && IsAccelerator(pActive->m_hAccelTable, nKey, fVirt | FVIRTKEY)))
            return FALSE;
    }
    if (fVirt == FALT && nKey != VK_MENU && RouteMnemonic(nKey))
        return TRUE;
    if (bEditing && pbProcessAccel != NULL)
        *pbProcessAccel = FALSE;
    return FALSE;
}

BOOL CQENFrameSupport::ToolbarHandlesMnemonic(CQENToolBar* pBar, UINT nChar)
{
    const CString strKey(static_cast<TCHAR>(nChar));
    for (int i = 0; i < pBar->ButtonCount(); i++)
    {
        CQENToolbarButton* pButton = pBar->ButtonAt(i);
        if (pButton->IsSeparator() || (pButton->m_nStyle & TBBS_DISABLED))
            continue;
        const CString strMnemonic = StripMnemonicKey(pButton->m_strLabel);
        if (strMnemonic.IsEmpty() || strMnemonic.CompareNoCase(strKey) != 0)
            continue;
        if (CQENToolbarMenuButton* pMenuButton = dynamic_cast<CQENToolbarMenuButton*>(pButton))
            if (pMenuButton->m_bHasMenu || pMenuButton->HasSubItems())
                return pMenuButton->OpenPopupMenu(pBar);
        return pBar->ExecuteButton(pButton);
    }
    return FALSE;
}

BOOL CQENFrameSupport::RouteMnemonic(UINT nChar)
{
    CQENMenuBar* pMenuBar = MenuBar();
    if (pMenuBar != NULL && pMenuBar->IsWindowVisible() && pMenuBar->MapCharKey(nChar))
        return TRUE;
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (pBar == pMenuBar || !HasWindow(pBar) || !pBar->IsWindowVisible() ||
            pBar->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)) || pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        if (ToolbarHandlesMnemonic(pBar, nChar))
            return TRUE;
    }
    return FALSE;
}

BOOL CQENFrameSupport::FilterMouseClick(UINT nMessage, CPoint ptScreen, CWnd* pWndTarget)
{
    if (nMessage == WM_LBUTTONDOWN && (IsCustomizing() || (::GetAsyncKeyState(VK_MENU) & 0x8000)))
    {
        for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
        {
            CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
            if (!HasWindow(pBar))
                continue;
            CPoint ptClient = ptScreen;
            pBar->ScreenToClient(&ptClient);
            const int iHit = pBar->HitTest(ptClient);
            if (iHit < 0)
                continue;
            CQENToolbarButton* pButton = pBar->ButtonAt(iHit);
            // A button hosting an edit or combo box is dragged by its box as well.
            HWND hHosted = pButton->HostedWindow();
            if (hHosted != NULL && pWndTarget != NULL && hHosted == pWndTarget->m_hWnd &&
                pButton->m_rect.PtInRect(ptClient))
            {
                pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
                return TRUE;
            }
            break;
        }
    }

    CQENPopupMenu* pOutermost = ActivePopup();
    if (IsCustomizing() || pOutermost == NULL)
        return FALSE;
    // The click is judged against the innermost open submenu and the one that opened it.
    CQENPopupMenu* pPopup = pOutermost;
    while (HasWindow(pPopup->OpenSubmenu()))
        pPopup = pPopup->OpenSubmenu();

    switch (pPopup->HitTestPoint(ptScreen))
    {
    case CQENPopupMenu::HitRightShadow:
    case CQENPopupMenu::HitBottomShadow:
        pPopup->SendMessage(WM_CLOSE);
        m_pFrame->SetFocus();
        return TRUE;
    case CQENPopupMenu::HitOutside:
        break;
    default:
        return FALSE;
    }

    CQENToolbarMenuButton* pButton = pPopup->m_pParentButton;
    CWnd* pBarWnd = pButton != NULL ? pButton->m_pWndParent : NULL;
    if (HasWindow(pBarWnd))
    {
        CPoint ptClient = ptScreen;
        pBarWnd->ScreenToClient(&ptClient);
        const BOOL bPopupBar = pBarWnd->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar));
        if (pButton->m_rect.PtInRect(ptClient))
        {
            // The click on the button that opened the menu is swallowed: it closes the menu.
            if (!bPopupBar)
                pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (bPopupBar)
        {
            CQENPopupMenu* pParent = static_cast<CQENPopupMenuBar*>(pBarWnd)->GetPopupMenu();
            if (HasWindow(pParent))
            {
                switch (pParent->HitTestPoint(ptScreen))
                {
                case CQENPopupMenu::HitRightShadow:
                case CQENPopupMenu::HitBottomShadow:
                    pParent->SendMessage(WM_CLOSE);
                    m_pFrame->SetFocus();
                    return TRUE;
                case CQENPopupMenu::HitOutside:
                    break;
                default:
                    return FALSE;
                }
            }
        }
    }

    pOutermost->SendMessage(WM_CLOSE);
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != NULL && pFocus->IsKindOf(RUNTIME_CLASS(CQENToolBar)))
        m_pFrame->SetFocus();
    return FALSE;
}

BOOL CQENFrameSupport::FilterMouseMove(CPoint ptScreen)
{
    CQENPopupMenu* pPopup = ActivePopup();
    if (IsCustomizing() || pPopup == NULL)
        return FALSE;
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    if (rectPopup.PtInRect(ptScreen))
        return FALSE;

    // The bars a move may switch menus on: the menu bars of the parent popups, and at the top the
    // bar whose button opened the outermost popup.
    for (CQENPopupMenu* pLevel = pPopup; HasWindow(pLevel);)
    {
        CQENPopupMenuBar* pMenuBar = pLevel->GetMenuBar();
        CRect rectBar;
        pMenuBar->GetClientRect(&rectBar);
        pMenuBar->ClientToScreen(&rectBar);
        if (pLevel != pPopup && rectBar.PtInRect(ptScreen))
            return FALSE;
        CQENPopupMenu* pParent = pLevel->GetParentPopup();
        if (pParent == NULL)
        {
            CQENToolbarMenuButton* pButton = pLevel->m_pParentButton;
            return !(pButton != NULL && HasWindow(pButton->m_pWndParent));
        }
        pLevel = pParent;
    }
    return TRUE;
}

BOOL CQENFrameSupport::NotePopupShown(CQENPopupMenu* pPopup)
{
    if (pPopup == NULL || pPopup->GetParentPopup() == NULL)
        CQENPopupMenu::s_pActivePopupMenu = pPopup;
    return TRUE;
}

void CQENFrameSupport::NotePopupClosed(CQENPopupMenu* pPopup)
{
    if (CQENPopupMenu::s_pActivePopupMenu != pPopup)
        return;
    CQENPopupMenu::s_pActivePopupMenu = NULL;
    // Posted, so that a command the menu has posted on its way out still asks for its help.
    if (m_pFrame->m_bHelpMode)
        m_pFrame->PostMessage(WM_EXITHELPMODE);
}

void CQENFrameSupport::OnFrameDeactivated()
{
    // The menu bar's open menu goes and the bar leaves its keyboard mode.
    CQENPopupMenu* pPopup = ActivePopup();
    CQENMenuBar* pMenuBar = MenuBar();
    if (pPopup == NULL || pMenuBar == NULL)
        return;
    pPopup->SendMessage(WM_CLOSE);
    pMenuBar->ResetHot();
    if (::GetFocus() == pMenuBar->m_hWnd)
        m_pFrame->SetFocus();
}

// ---------------------------------------------------------------------------------------------------
// Placement

void CQENFrameSupport::OnFrameClosing()
{
    // The customization sheet goes first, so that what is saved is out of customization mode.
    CFrameWnd* pSheetFrame = g_pToolbarCustomize != NULL ? g_pToolbarCustomize->GetFrame() : NULL;
    if (pSheetFrame != NULL && pSheetFrame->GetTopLevelFrame() == m_pFrame)
        g_pToolbarCustomize->DestroyWindow();
    for (POSITION pos = m_listTearOffBars.GetHeadPosition(); pos != NULL;)
    {
        POSITION posBar = pos;
        CControlBar* pBar = static_cast<CControlBar*>(m_listTearOffBars.GetNext(pos));
        if (!HasWindow(pBar) || !pBar->IsWindowVisible())
        {
            m_listTearOffBars.RemoveAt(posBar);
            DeleteBar(pBar);
        }
    }
    CQENFrameServices* pServices = CQENFrameServices::s_pActive;
    if (pServices == NULL)
        return;
    pServices->OnFrameClosing(m_pFrame);

    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!m_pFrame->GetWindowPlacement(&placement))
        return;
    if (placement.showCmd != SW_SHOWMAXIMIZED)
        placement.showCmd = SW_SHOWNORMAL;
    CRect rectWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rect(placement.rcNormalPosition);
    rect.OffsetRect(rectWork.left, rectWork.top);
    pServices->StorePlacement(rect, placement.flags, placement.showCmd);
}

void CQENFrameSupport::ApplySavedPlacement(CREATESTRUCT& cs)
{
    CQENFrameServices* pServices = CQENFrameServices::s_pActive;
    if (pServices == NULL)
        return;
    CRect rect(CPoint(cs.x, cs.y), CSize(cs.cx, cs.cy));
    UINT nFlags = 0;
    UINT nShowCmd = SW_SHOWNORMAL;
    if (!pServices->LoadPlacement(rect, nFlags, nShowCmd))
        return;
    if (nShowCmd != SW_SHOWMAXIMIZED)
        nShowCmd = SW_SHOWNORMAL;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
    {
        const int nAsked = pApp->m_nCmdShow;
        const BOOL bExplicit = nAsked == SW_SHOWMINIMIZED || nAsked == SW_SHOWMAXIMIZED ||
                               nAsked == SW_SHOWMINNOACTIVE || nAsked == SW_SHOWNA;
        if (!bExplicit)
            pApp->m_nCmdShow = (int)nShowCmd;
    }
    CRect rectWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rectVisible;
    if (!rectVisible.IntersectRect(&rect, &rectWork))
        return;
    cs.x = rectVisible.left;
    cs.y = rectVisible.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
}

void CQENFrameSupport::OnFrameLoaded()
{
    if (CQENFrameServices::s_pActive != NULL)
        CQENFrameServices::s_pActive->LoadFrameState(m_pFrame);
}

// ---------------------------------------------------------------------------------------------------
// The frames' own handlers

CQENFrameSupport* PASCAL CQENFrameSupport::Of(CWnd* pWnd)
{
    if (CQENFrameWnd* pFrame = DYNAMIC_DOWNCAST(CQENFrameWnd, pWnd))
        return &pFrame->m_Impl;
    if (CQENMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CQENMDIFrameWnd, pWnd))
        return &pFrame->m_Impl;
    if (CQENOleIPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CQENOleIPFrameWnd, pWnd))
        return &pFrame->m_Impl;
    if (CQENOleDocIPFrameWnd* pFrame = DYNAMIC_DOWNCAST(CQENOleDocIPFrameWnd, pWnd))
        return &pFrame->m_Impl;
    return NULL;
}

CQENFrameSupport::MessageFilter CQENFrameSupport::FilterFrameMessage(MSG* pMsg)
{
    CQENPopupMenu* pPopup = ActivePopup();
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
    {
        m_bAltAlone = FALSE;
        const BOOL bPlainF1 = pMsg->wParam == VK_F1 && !(pMsg->lParam & (1 << 30)) && !IsKeyDown(VK_SHIFT) &&
                              !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
        if (bPlainF1)
            return passToFramework;
        BOOL bProcessAccel = TRUE;
        if (FilterKeyDown((UINT)pMsg->wParam, &bProcessAccel))
            return messageConsumed;
        return bProcessAccel ? passToFramework : notTranslated;
    }
    case WM_SYSKEYDOWN:
    {
        const BOOL bRepeat = (pMsg->lParam & (1 << 30)) != 0;
        if (pMsg->wParam != VK_MENU)
            m_bAltAlone = FALSE;
        else if (!bRepeat)
            m_bAltAlone = pPopup == NULL;   // Alt that closes a menu moves no focus
        if (pPopup != NULL && pMsg->wParam == VK_MENU)
        {
            pPopup->SendMessage(WM_CLOSE);
            return messageConsumed;
        }
        // A minimized frame still closes with Alt+F4 and shows its menu with Alt+Space.
        if (m_pFrame->IsIconic())
            return passToFramework;
        CQENMenuBar* pMenuBar = MenuBar();
        if (pPopup == NULL && pMsg->wParam == VK_F10 && !bRepeat && !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_CONTROL) &&
            pMenuBar != NULL && pMenuBar->IsWindowVisible())
        {
            ToggleMenuBarFocus(pMenuBar);
            return messageConsumed;
        }
        return FilterKeyDown((UINT)pMsg->wParam, NULL) ? messageConsumed : passToFramework;
    }
    case WM_SYSKEYUP:
    {
        CQENMenuBar* pMenuBar = MenuBar();
        const BOOL bBarShown = pMenuBar != NULL && pMenuBar->IsWindowVisible();
        if (bBarShown && (pMsg->wParam == VK_MENU || pMsg->wParam == VK_F10))
        {
            // Only Alt pressed and released by itself moves the focus.
            if (pMsg->wParam == VK_MENU && m_bAltAlone)
                ToggleMenuBarFocus(pMenuBar);
            m_bAltAlone = FALSE;
            return messageConsumed;
        }
        return pPopup != NULL ? messageConsumed : passToFramework;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    {
        m_bAltAlone = FALSE;
        const CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
        return FilterMouseClick(pMsg->message, pt, CWnd::FromHandle(pMsg->hwnd)) ? messageConsumed : passToFramework;
    }
    case WM_MOUSEMOVE:
        return FilterMouseMove(ClientPointToScreen(pMsg)) ? messageConsumed : passToFramework;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    {
        m_bAltAlone = FALSE;
        const CPoint pt = ClientPointToScreen(pMsg);
        CWnd* pTarget = CWnd::FromHandle(pMsg->hwnd);
        if (FilterMouseClick(pMsg->message, pt, pTarget))
            return messageConsumed;
        if (pMsg->message == WM_RBUTTONUP && !IsCustomizing() && pTarget->IsKindOf(RUNTIME_CLASS(CDockBar)))
            m_pFrame->SendMessage(QENM_TOOLBAR_POPUPMENU, (WPARAM)m_pFrame->m_hWnd, MAKELPARAM(pt.x, pt.y));
        return passToFramework;
    }
    default:
        return passToFramework;
    }
}

CQENFrameSupport::CommandFilter CQENFrameSupport::FilterCommand(WPARAM wParam, LPARAM lParam)
{
    // A control hosted in a bar notifies with a code that may be 1 too, but never without its window.
    if (HIWORD(wParam) == 1 && lParam == 0)
    {
        const UINT nCommandId = LOWORD(wParam);
        if (!m_pFrame->m_bHelpMode)
            theCommandUsage.AddCommand(nCommandId);
        // An accelerator pressed while a popup menu is open is Escape for the popup.
        if (FilterKeyDown(VK_ESCAPE, NULL))
            return commandConsumed;
        if (CQENFrameServices::s_pActive != NULL && CQENFrameServices::s_pActive->RunUserTool(nCommandId))
            return commandConsumed;
    }
    return IsCustomizing() ? commandRefused : commandToFramework;
}

void CQENFrameSupport::ToggleMenuBarFocus(CQENMenuBar* pMenuBar)
{
    if (::GetFocus() == pMenuBar->m_hWnd)
        m_pFrame->SetFocus();
    else
        pMenuBar->SetFocus();
}

void CQENFrameSupport::RunContextHelp(BOOL& bInContextHelp)
{
    bInContextHelp = TRUE;
    const BOOL bToolbarsToHelpMode = !m_pFrame->m_bHelpMode && m_pFrame->CanEnterHelpMode();
    if (bToolbarsToHelpMode)
        CQENToolBar::SetHelpMode(TRUE);
    m_pFrame->CFrameWnd::OnContextHelp();
    if (bToolbarsToHelpMode)
        CQENToolBar::SetHelpMode(FALSE);
    bInContextHelp = FALSE;
}

void CQENFrameSupport::HideWindowMenu()
{
    CQENMenuBar* pMenuBar = MenuBar();
    if (pMenuBar != NULL && pMenuBar->IsWindowVisible())
        ::SetMenu(m_pFrame->m_hWnd, NULL);
}

void CQENFrameSupport::OnFrameActivated(UINT nState)
{
    if (nState == WA_INACTIVE && !IsCustomizing())
        OnFrameDeactivated();
    else if (nState == WA_CLICKACTIVE)
        m_pFrame->UpdateWindow();
}

void CQENFrameSupport::DestroyAcceleratorTable()
{
    if (m_pFrame->m_hAccelTable != NULL)
    {
        ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
        m_pFrame->m_hAccelTable = NULL;
    }
}
