#include "QENToolbarCustomize.h"

#include "QENContextMenuManager.h"
#include "QENFrameSupport.h"
#include "QENKeyboardManager.h"
#include "QENMenuBar.h"
#include "QENMouseManager.h"
#include "QENPopupMenuBar.h"
#include "QENSizingControlBar.h"
#include "QENToolbarMenuButton.h"
#include "QENUserToolsManager.h"
#include "QENVisualManagerXP.h"

#include <ctype.h>

namespace {

const UINT kCaptionString = 16103;
const UINT kCloseString = 16105;
const UINT kAllCommandsString = 16110;
const UINT kNewMenuString = 16014;
const UINT kHelpBitmap = 16131;
const int kButtonMargin = 8;
const int kMenuTextLimit = 256;

// Commands the framework manages itself, and those the application keeps from customizing. Ids are
// compared signed: -1 stands for a submenu.
BOOL IsNeverListed(UINT nCommandId)
{
    const int nId = (int)nCommandId;
    const BOOL bRecentFile = nId > 57615 && nId < 57632;
    const BOOL bSystem = nId > 0xEFFF && nId < 61936;
    const BOOL bOleVerb = nId > 57871 && nId < 57888;
    if (bRecentFile || bSystem || bOleVerb || nId > 0xFEFF)
        return TRUE;
    const CQENUserToolsQuery* pTools = CQENUserToolsQuery::s_pActive;
    if (pTools != NULL && pTools->ToolsEntryCommand() == nCommandId)
        return TRUE;
    return CQENToolbarButton::s_lstNonCustomizable.Find(nCommandId) != NULL;
}

// The menu path as one word: each blank goes, the letter after it becomes upper case.
CString PathLabel(const CString& strPath)
{
    CString strLabel;
    BOOL bAfterBlank = FALSE;
    for (int i = 0; i < strPath.GetLength(); i++)
    {
        const unsigned char ch = (unsigned char)strPath[i];
        if (ch == ' ')
        {
            bAfterBlank = TRUE;
            continue;
        }
        // A blank is never part of a double-byte character, so what follows one starts a character.
        strLabel += bAfterBlank && ch < 0x80 ? (char)toupper(ch) : (char)ch;
        bAfterBlank = FALSE;
    }
    return strLabel;
}

CString CutAtTab(const CString& strText)
{
    const int iTab = strText.Find('\t');
    return iTab >= 0 ? strText.Left(iTab) : strText;
}

BOOL FindToolName(UINT nCommandId, CString& strName)
{
    const CQENUserToolsMenuSource* pTools = CQENUserToolsMenuSource::s_pActive;
    for (int i = 0; pTools != NULL && i < pTools->ToolCount(); i++)
    {
        UINT nToolCommand = 0;
        CString strToolName;
        if (pTools->ToolAt(i, nToolCommand, strToolName) && nToolCommand == nCommandId)
        {
            strName = strToolName;
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

CQENToolbarCustomize* g_pToolbarCustomize = NULL;

IMPLEMENT_DYNAMIC(CQENToolbarCustomize, CPropertySheet)

BEGIN_MESSAGE_MAP(CQENToolbarCustomize, CPropertySheet)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CQENToolbarCustomize::CQENToolbarCustomize(CFrameWnd* pFrame, BOOL bAutoSetFromMenus, UINT uiFlags,
                                           const CList<CPropertyPage*, CPropertyPage*>* pExtraPages)
    : CPropertySheet(kCaptionString, pFrame),
      m_pFrame(pFrame),
      m_hWndFrame(pFrame->GetSafeHwnd()),
      m_bAutoSetFromMenus(bAutoSetFromMenus),
      m_uiFlags(uiFlags & ~ReservedOption),
      m_bUserToolbars(FALSE)
{
    m_ButtonsByCategory.InitHashTable(17);
    // The XP look is flat of its own: it has no 2000 look to switch to.
    if (CQENVisualManager::CurrentManager()->IsKindOf(RUNTIME_CLASS(CQENVisualManagerXP)))
        m_uiFlags &= ~Look2000Option;
    m_strAllCommands.LoadString(kAllCommandsString);
    for (POSITION pos = pExtraPages != NULL ? pExtraPages->GetHeadPosition() : NULL; pos != NULL;)
        m_lstExtraPages.AddTail(pExtraPages->GetNext(pos));

    m_CustomizePage.SetSheet(this, m_strAllCommands);
    m_ToolbarsPage.SetSheet(this);
    m_OptionsPage.SetSheet(this);
    AddPage(&m_CustomizePage);
    AddPage(&m_ToolbarsPage);
    if (g_pUserToolsManager != NULL)
        AddPage(&m_UserToolsPage);
    m_KeyboardPage.SetSheet(this, m_strAllCommands);
    if (g_pKeyboardManager != NULL && pFrame != NULL && pFrame->m_hAccelTable != NULL)
        AddPage(&m_KeyboardPage);
    m_MenuPage.SetSheet(this);
    const CQENFrameSupport* pFrameSupport = CQENFrameSupport::Of(pFrame);
    if (g_pContextMenuManager != NULL || (pFrameSupport != NULL && pFrameSupport->MenuBar() != NULL))
        AddPage(&m_MenuPage);
    m_MousePage.SetSheet(this);
    if (g_pMouseManager != NULL)
        AddPage(&m_MousePage);
    for (POSITION pos = m_lstExtraPages.GetHeadPosition(); pos != NULL;)
        AddPage(m_lstExtraPages.GetNext(pos));
    AddPage(&m_OptionsPage);
    if (!(m_uiFlags & NoHelpOption))
    {
        m_psh.dwFlags |= PSH_HASHELP;
        for (int i = 0; i < GetPageCount(); i++)
            GetPage(i)->m_psp.dwFlags |= PSP_HASHELP;
    }

    if (m_bAutoSetFromMenus)
    {
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = pApp != NULL ? pApp->GetFirstDocTemplatePosition() : NULL; pos != NULL;)
        {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) &&
                static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared != NULL)
                AddMenuCommands(static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared, FALSE, NULL, "");
        }
        HMENU hDefault = pFrame != NULL ? pFrame->m_hMenuDefault : NULL;
        const CQENFrameSupport* pSupport = CQENFrameSupport::Of(pFrame);
        if (hDefault == NULL && pSupport != NULL && pSupport->MenuBar() != NULL)
            hDefault = pSupport->MenuBar()->GetDefaultMenu();
        if (hDefault != NULL)
            AddMenuCommands(hDefault, FALSE, NULL, "");
    }

    CString strNewMenu;
    strNewMenu.LoadString(kNewMenuString);
    AddButton(strNewMenu, CQENToolbarMenuButton(0, NULL, -1, strNewMenu));
}

CQENToolbarCustomize::~CQENToolbarCustomize()
{
    if (g_pToolbarCustomize == this)
        g_pToolbarCustomize = NULL;
    if (s_pActive == this)
        s_pActive = NULL;
    for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != NULL;)
    {
        CString strCategory;
        CObList* pButtons = NULL;
        m_ButtonsByCategory.GetNextAssoc(pos, strCategory, pButtons);
        while (!pButtons->IsEmpty())
            delete pButtons->RemoveHead();
        delete pButtons;
    }
}

CFrameWnd* CQENToolbarCustomize::GetFrame() const
{
    if (m_pFrame == NULL || !::IsWindow(m_hWndFrame) || CWnd::FromHandlePermanent(m_hWndFrame) != m_pFrame)
        return NULL;
    return m_pFrame;
}

CObList* CQENToolbarCustomize::ButtonsOf(LPCTSTR lpszCategory) const
{
    CObList* pButtons = NULL;
    return m_ButtonsByCategory.Lookup(lpszCategory, pButtons) ? pButtons : NULL;
}

int CQENToolbarCustomize::CategoriesHolding(UINT nCommandId) const
{
    int nCategories = 0;
    for (POSITION pos = m_lstCategories.GetHeadPosition(); pos != NULL;)
    {
        const CObList* pButtons = ButtonsOf(m_lstCategories.GetNext(pos));
        for (POSITION posButton = pButtons->GetHeadPosition(); posButton != NULL;)
        {
            if (static_cast<const CQENToolbarButton*>(pButtons->GetNext(posButton))->m_nCommandId == nCommandId)
            {
                nCategories++;
                break;
            }
        }
    }
    return nCategories;
}

BOOL CQENToolbarCustomize::AddButton(LPCTSTR lpszCategory, const CQENToolbarButton& button, int iIndex)
{
    const UINT nCommandId = button.m_nCommandId;
    if (IsNeverListed(nCommandId))
        return FALSE;
    CString strLabel = CutAtTab(button.m_strLabel);
    strLabel.Remove('&');
    const BOOL bUserTool = CQENToolbarButton::IsUserToolCommand(nCommandId);
    if (bUserTool)
        FindToolName(nCommandId, strLabel);
    if (strLabel.IsEmpty())
        CQENToolbarButton::LoadCommandMenuText(nCommandId, strLabel);
    const BOOL bAllCommands = m_strAllCommands == lpszCategory;
    if (strLabel.IsEmpty() && bAllCommands)
        return FALSE;

    CObList* pButtons = ButtonsOf(lpszCategory);
    if (pButtons != NULL)
    {
        for (POSITION pos = pButtons->GetHeadPosition(); pos != NULL;)
        {
            CQENToolbarButton* pListed = static_cast<CQENToolbarButton*>(pButtons->GetNext(pos));
            if (pListed->m_nCommandId != nCommandId || (nCommandId == (UINT)-1 && pListed->m_strLabel != strLabel))
                continue;
            if (pListed->m_strLabel.IsEmpty())
                pListed->m_strLabel = strLabel;
            return FALSE;
        }
    }
    else
    {
        pButtons = new CObList;
        m_ButtonsByCategory.SetAt(lpszCategory, pButtons);
        if (!bAllCommands)
            m_lstCategories.AddTail(lpszCategory);
    }

    CQENToolbarButton* pCopy = static_cast<CQENToolbarButton*>(button.GetRuntimeClass()->CreateObject());
    pCopy->AssignFrom(button);
    pCopy->m_strLabel = strLabel;
    if (bUserTool)
    {
        pCopy->m_bShowImage = FALSE;
        pCopy->m_bShowLabel = TRUE;
    }
    POSITION posAt = iIndex >= 0 ? pButtons->FindIndex(iIndex) : NULL;
    if (posAt != NULL)
        pButtons->InsertBefore(posAt, pCopy);
    else
        pButtons->AddTail(pCopy);
    pCopy->AfterAddToCommandList();
    if (!bAllCommands)
        AddButton(m_strAllCommands, button, -1);
    return TRUE;
}

void CQENToolbarCustomize::AddMenuCommands(HMENU hMenu, BOOL bNested, LPCTSTR lpszCategory, const CString& strPath)
{
    const int nItems = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nItems; i++)
    {
        char szText[kMenuTextLimit + 1] = "";
        ::GetMenuStringA(hMenu, (UINT)i, szText, kMenuTextLimit, MF_BYPOSITION);
        CString strText(szText);
        strText.Remove('&');

        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu != NULL)
        {
            const CString strCategory = lpszCategory != NULL ? CString(lpszCategory) : strText;
            // A whole submenu can be dragged as one menu button.
            if (bNested)
                AddButton(strCategory, CQENToolbarMenuButton((UINT)-1, hSubMenu, -1, strText));
            AddMenuCommands(hSubMenu, TRUE, strCategory, strPath + CutAtTab(strText));
            continue;
        }

        const UINT nCommandId = ::GetMenuItemID(hMenu, i);
        if (nCommandId == 0 || (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_SEPARATOR))
            continue;
        const CString strCategory = lpszCategory != NULL ? CString(lpszCategory) : m_strAllCommands;
        const CQENUserToolsQuery* pToolsQuery = CQENUserToolsQuery::s_pActive;
        const CQENUserToolsMenuSource* pTools = CQENUserToolsMenuSource::s_pActive;
        if (pToolsQuery != NULL && nCommandId == pToolsQuery->ToolsEntryCommand())
        {
            for (int iTool = 0; pTools != NULL && iTool < pTools->ToolCount(); iTool++)
            {
                UINT nToolCommand = 0;
                CString strToolName;
                if (pTools->ToolAt(iTool, nToolCommand, strToolName))
                    AddButton(strCategory, CQENToolbarButton(nToolCommand, -1, strToolName));
            }
            continue;
        }
        CQENToolbarButton button(nCommandId, -1, strText);
        button.m_strAltLabel = PathLabel(strPath + CutAtTab(strText));
        AddButton(strCategory, button);
    }
}

// ---------------------------------------------------------------------------------------------------
// The sheet window

BOOL CQENToolbarCustomize::Create(CWnd*, DWORD dwStyle, DWORD dwExStyle)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == NULL)
        return FALSE;
    if (dwStyle == (DWORD)-1)
        dwStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;
    if (m_uiFlags & ContextHelpOption)
        dwExStyle |= WS_EX_CONTEXTHELP;
    if (!CPropertySheet::Create(pFrame, dwStyle, dwExStyle))
        return FALSE;
    g_pToolbarCustomize = this;
    s_pActive = this;
    SetCustomizationMode(TRUE);
    return TRUE;
}

BOOL CQENToolbarCustomize::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    ArrangeButtons();
    return TRUE;
}

void CQENToolbarCustomize::ArrangeButtons()
{
    for (UINT nId : {(UINT)IDOK, (UINT)ID_APPLY_NOW})
    {
        CWnd* pButton = GetDlgItem(nId);
        if (pButton != NULL)
        {
            pButton->ShowWindow(SW_HIDE);
            pButton->EnableWindow(FALSE);
        }
    }
    CWnd* pClose = GetDlgItem(IDCANCEL);
    if (pClose == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectClose;
    pClose->GetWindowRect(&rectClose);
    ScreenToClient(&rectClose);
    rectClose.OffsetRect(rectClient.right - kButtonMargin - rectClose.right, 0);
    pClose->MoveWindow(rectClose);
    CString strClose;
    strClose.LoadString(kCloseString);
    pClose->SetWindowText(strClose);
    pClose->ShowWindow(SW_SHOW);
    pClose->EnableWindow(TRUE);
    SendMessage(DM_SETDEFID, IDCANCEL);
    pClose->SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);

    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pHelp == NULL)
        return;
    if ((m_uiFlags & NoHelpOption) || !m_bmpHelp.LoadBitmap(kHelpBitmap))
    {
        pHelp->ShowWindow(SW_HIDE);
        pHelp->EnableWindow(FALSE);
        return;
    }
    BITMAP bm;
    m_bmpHelp.GetBitmap(&bm);
    const CSize sizeHelp(bm.bmWidth + kButtonMargin, bm.bmHeight + kButtonMargin);
    const CPoint ptHelp(kButtonMargin, rectClose.CenterPoint().y - sizeHelp.cy / 2);
    pHelp->ModifyStyle(0, BS_BITMAP);
    pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)m_bmpHelp.GetSafeHandle());
    pHelp->MoveWindow(CRect(ptHelp, sizeHelp));
}

BOOL CQENToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDOK:
    case ID_APPLY_NOW:
        // Every change is made at once: there is nothing to apply, and the sheet stays.
        return TRUE;
    case IDCANCEL:
    {
        // A page whose entries do not hold keeps the sheet open.
        CPropertyPage* pActive = GetActivePage();
        if ((pActive == NULL || pActive->OnKillActive()) &&
            (GetPageIndex(&m_UserToolsPage) < 0 || m_UserToolsPage.MayClose(this)))
            DestroyWindow();
        return TRUE;
    }
    case IDHELP:
    {
        CFrameWnd* pFrame = GetFrame();
        if (pFrame != NULL)
            pFrame->SendMessage(QENM_TOOLBAR_CUSTOMIZEHELP, (WPARAM)GetActiveIndex(), (LPARAM)this);
        return TRUE;
    }
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

void CQENToolbarCustomize::OnClose()
{
    SendMessage(WM_COMMAND, IDCANCEL);
}

void CQENToolbarCustomize::PostNcDestroy()
{
    if (g_pToolbarCustomize == this)
        g_pToolbarCustomize = NULL;
    if (s_pActive == this)
        s_pActive = NULL;
    SetCustomizationMode(FALSE);
    CPropertySheet::PostNcDestroy();
    delete this;
}

void CQENToolbarCustomize::SetCustomizationMode(BOOL bOn)
{
    CFrameWnd* pFrame = GetFrame();
    if (pFrame != NULL)
    {
        // The bars stay usable: they are what is being customized.
        for (HWND hWnd = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        {
            CWnd* pChild = CWnd::FromHandlePermanent(hWnd);
            if (pChild == NULL || !pChild->IsKindOf(RUNTIME_CLASS(CControlBar)))
                ::EnableWindow(hWnd, !bOn);
        }
        for (POSITION pos = CQENSizingControlBar::s_listAllBars.GetHeadPosition(); pos != NULL;)
        {
            CQENSizingControlBar* pBar = static_cast<CQENSizingControlBar*>(CQENSizingControlBar::s_listAllBars.GetNext(pos));
            if (pBar->m_pDockSite == pFrame)
                pBar->SwitchCustomizeMode(bOn);
        }
    }
    CQENToolBar::SwitchCustomizeMode(bOn);
    if (pFrame == NULL)
        return;
    pFrame->SendMessage(QENM_TOOLBAR_CUSTOMIZE, (WPARAM)bOn);
    if (bOn)
        return;
    CFrameWnd* pActiveFrame = pFrame->GetActiveFrame();
    CView* pView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    if (pView != NULL)
        pView->SetFocus();
}

void CQENToolbarCustomize::BarVisibilityChanged(CQENToolBar* pBar, BOOL bVisible)
{
    m_ToolbarsPage.ShowVisibility(pBar, bVisible);
}
