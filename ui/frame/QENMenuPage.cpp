#include "QENMenuPage.h"

#include "QENContextMenuManager.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolbarCustomize.h"
#include "QENToolbarMenuButtonsButton.h"
#include "QENToolbarSystemMenuButton.h"

#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const UINT kNoMenuBarString = 16007;
const UINT kDefaultMenuString = 16106;
const UINT kDefaultMenuDescription = 16107;
const UINT kNoContextMenuString = 16108;
const UINT kResetMenuString = 16113;
const LPCTSTR kAnimations[] = {"无", "展开", "滑动"};   // by CQENPopupMenu::Animation

// Where the last context menu was edited, for the next one; (-1, -1) before the first.
CPoint s_ptLastContextMenu(-1, -1);

BOOL IsCaptionItem(const CQENToolbarButton* pButton)
{
    return pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarSystemMenuButton)) ||
           pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton));
}

// A context menu open for customizing. When it closes, its items become the items of the context
// menu registered under its name, which the next right click shows and the workspace saves.
class CContextMenuEditor : public CQENPopupMenu
{
public:
    explicit CContextMenuEditor(LPCTSTR lpszMenuName) : m_strMenuName(lpszMenuName) {}

    // The commands' states are the menu's to show each time it opens; while it is edited, every
    // item is usable, as every button is on the bars.
    void ClearCommandStates();

protected:
    void WriteBack();

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CString m_strMenuName;
};

BEGIN_MESSAGE_MAP(CContextMenuEditor, CQENPopupMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CContextMenuEditor::OnDestroy()
{
    CRect rect;
    GetWindowRect(&rect);
    s_ptLastContextMenu = rect.TopLeft();
    // Open submenus close first: what was done in them reaches these items.
    CQENPopupMenuBar* pItems = GetMenuBar();
    for (int i = 0; i < pItems->ButtonCount(); i++)
        pItems->ButtonAt(i)->CancelTracking();
    if (pItems->m_bItemsChanged)
        WriteBack();
    CQENPopupMenu::OnDestroy();
}

void CContextMenuEditor::ClearCommandStates()
{
    CQENPopupMenuBar* pItems = GetMenuBar();
    for (int i = 0; i < pItems->ButtonCount(); i++)
        pItems->SetButtonStyle(i, pItems->StyleAt(i) & ~(TBBS_PRESSED | TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_DISABLED));
}

void CContextMenuEditor::WriteBack()
{
    HMENU hMenu = g_pContextMenuManager != NULL ? g_pContextMenuManager->FindMenuByName(m_strMenuName) : NULL;
    if (hMenu == NULL)
        return;
    ClearCommandStates();
    CQENContextMenuManager::ReplaceFirstSubMenu(hMenu, GetMenuBar()->BuildMenuHandle());
}

} // namespace

IMPLEMENT_DYNAMIC(CQENMenuPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENMenuPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_FRAME_MENUS, OnFrameMenuChanged)
    ON_BN_CLICKED(IDC_RESET_FRAME_MENU, OnResetFrameMenu)
    ON_CBN_SELCHANGE(IDC_CONTEXT_MENUS, OnContextMenuChanged)
    ON_BN_CLICKED(IDC_RESET_CONTEXT_MENU, OnResetContextMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQENMenuPage::CQENMenuPage()
    : CPropertyPage(IDD), m_pSheet(NULL), m_hWndMenuBar(NULL), m_hMenuOnEntry(NULL), m_bEntered(FALSE),
      m_hWndContextMenu(NULL)
{
}

CQENMenuBar* CQENMenuPage::MenuBar() const
{
    if (m_hWndMenuBar == NULL || !::IsWindow(m_hWndMenuBar))
        return NULL;
    return DYNAMIC_DOWNCAST(CQENMenuBar, CWnd::FromHandlePermanent(m_hWndMenuBar));
}

CFrameWnd* CQENMenuPage::Frame() const
{
    return m_pSheet != NULL ? m_pSheet->GetFrame() : NULL;
}

void CQENMenuPage::ShowControl(UINT nId, BOOL bShow)
{
    CWnd* pControl = GetDlgItem(nId);
    if (pControl == NULL)
        return;
    pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    pControl->EnableWindow(bShow);
}

BOOL CQENMenuPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndFrameMenus.SubclassDlgItem(IDC_FRAME_MENUS, this);
    m_wndContextMenus.SubclassDlgItem(IDC_CONTEXT_MENUS, this);
    m_wndAnimation.SubclassDlgItem(IDC_ANIMATION, this);

    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL && m_hWndMenuBar == NULL;)
    {
        CObject* pBar = CQENToolBar::s_toolbarRegistry.GetNext(pos);
        if (pBar->IsKindOf(RUNTIME_CLASS(CQENMenuBar)) && ::IsWindow(static_cast<CQENMenuBar*>(pBar)->m_hWnd))
            m_hWndMenuBar = static_cast<CQENMenuBar*>(pBar)->m_hWnd;
    }
    CQENMenuBar* pMenuBar = MenuBar();
    if (pMenuBar != NULL)
    {
        FillFrameMenus(pMenuBar);
    }
    else
    {
        m_wndFrameMenus.EnableWindow(FALSE);
        GetDlgItem(IDC_RESET_FRAME_MENU)->EnableWindow(FALSE);
        CString strNoMenuBar;
        strNoMenuBar.LoadString(kNoMenuBarString);
        SetDlgItemText(IDC_MENU_DESCRIPTION, strNoMenuBar);
    }

    if (g_pContextMenuManager != NULL)
        FillContextMenus();
    else
        for (UINT nId : {IDC_CONTEXT_GROUP, IDC_CONTEXT_LABEL, IDC_CONTEXT_MENUS, IDC_RESET_CONTEXT_MENU})
            ShowControl(nId, FALSE);

    for (LPCTSTR lpszAnimation : kAnimations)
        m_wndAnimation.AddString(lpszAnimation);
    // Fading is not offered here: a fading menu shows no entry.
    m_wndAnimation.SetCurSel(CQENPopupMenu::s_nMenuAnimation < m_wndAnimation.GetCount() ? CQENPopupMenu::s_nMenuAnimation
                                                                                         : -1);
    CheckDlgButton(IDC_SHADOWS, CQENPopupMenu::s_bMenuShadows ? BST_CHECKED : BST_UNCHECKED);
    const UINT uiFlags = m_pSheet != NULL ? m_pSheet->GetFlags() : 0;
    ShowControl(IDC_ANIMATION, (uiFlags & CQENToolbarCustomize::MenuAnimationOption) != 0);
    ShowControl(IDC_ANIMATION_LABEL, (uiFlags & CQENToolbarCustomize::MenuAnimationOption) != 0);
    ShowControl(IDC_SHADOWS, (uiFlags & CQENToolbarCustomize::MenuShadowsOption) != 0);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// Frame menus

void CQENMenuPage::FillFrameMenus(CQENMenuBar* pMenuBar)
{
    CWnd* pMainWnd = AfxGetMainWnd() != NULL ? AfxGetMainWnd() : Frame();
    const HICON hClassIcon = pMainWnd != NULL ? (HICON)::GetClassLongPtrA(pMainWnd->m_hWnd, GCLP_HICON) : NULL;
    CWinApp* pApp = AfxGetApp();
    if (m_pSheet != NULL && m_pSheet->IsAutoSetFromMenus() && pApp != NULL)
    {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;)
        {
            CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
            if (pTemplate == NULL || pTemplate->m_hMenuShared == NULL)
                continue;
            const UINT nResourceId = pTemplate->GetResourceID();
            if (std::any_of(m_frameMenus.begin(), m_frameMenus.end(),
                            [=](const FrameMenu& menu) { return menu.nResourceId == nResourceId; }))
                continue;
            FrameMenu menu = {pTemplate->m_hMenuShared, nResourceId, "", NULL};
            pTemplate->GetDocString(menu.strDescription, CDocTemplate::regFileTypeName);
            menu.hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nResourceId));
            if (menu.hIcon == NULL)
                menu.hIcon = hClassIcon;
            CString strName;
            pTemplate->GetDocString(strName, CDocTemplate::docName);
            m_wndFrameMenus.AddString(strName);
            m_frameMenus.push_back(menu);
        }
    }
    FrameMenu menu = {pMenuBar->GetDefaultMenu(), pMenuBar->m_nDefaultMenuId, "", hClassIcon};
    menu.strDescription.LoadString(kDefaultMenuDescription);
    CString strDefault;
    strDefault.LoadString(kDefaultMenuString);
    m_wndFrameMenus.AddString(strDefault);
    m_frameMenus.push_back(menu);
}

void CQENMenuPage::SelectShownFrameMenu()
{
    CQENMenuBar* pMenuBar = MenuBar();
    if (pMenuBar == NULL)
        return;
    int iShown = (int)m_frameMenus.size() - 1;
    for (size_t i = 0; i < m_frameMenus.size(); i++)
        if (m_frameMenus[i].hMenu == pMenuBar->GetMenu())
            iShown = (int)i;
    m_wndFrameMenus.SetCurSel(iShown);
    ShowFrameMenuInfo(iShown);
}

void CQENMenuPage::ShowFrameMenuInfo(int iEntry)
{
    if (iEntry < 0 || iEntry >= (int)m_frameMenus.size())
        return;
    SetDlgItemText(IDC_MENU_DESCRIPTION, m_frameMenus[iEntry].strDescription);
    SendDlgItemMessage(IDC_MENU_ICON, STM_SETICON, (WPARAM)m_frameMenus[iEntry].hIcon);
}

void CQENMenuPage::ShowOnMenuBar(HMENU hMenu)
{
    CQENMenuBar* pMenuBar = MenuBar();
    if (pMenuBar != NULL && hMenu != NULL && pMenuBar->GetMenu() != hMenu)
        pMenuBar->RebuildFromMenu(hMenu, hMenu == pMenuBar->GetDefaultMenu(), TRUE);
}

void CQENMenuPage::OnFrameMenuChanged()
{
    const int iEntry = m_wndFrameMenus.GetCurSel();
    if (iEntry < 0 || iEntry >= (int)m_frameMenus.size())
        return;
    ShowOnMenuBar(m_frameMenus[iEntry].hMenu);
    ShowFrameMenuInfo(iEntry);
}

void CQENMenuPage::OnResetFrameMenu()
{
    CQENMenuBar* pMenuBar = MenuBar();
    const int iEntry = m_wndFrameMenus.GetCurSel();
    if (pMenuBar == NULL || iEntry < 0 || iEntry >= (int)m_frameMenus.size())
        return;
    CString strName;
    m_wndFrameMenus.GetLBText(iEntry, strName);
    if (AskYesNo(kResetMenuString, strName) != IDYES)
        return;
    const FrameMenu& menu = m_frameMenus[iEntry];
    ShowOnMenuBar(menu.hMenu);
    // A bar left without items keeps no list for its menu, so it builds the menu's own items anew:
    // the menu itself is never customized, only the bar's list of it.
    for (int i = pMenuBar->ButtonCount() - 1; i >= 0; i--)
        if (!IsCaptionItem(pMenuBar->ButtonAt(i)))
            pMenuBar->DeleteButtonAt(i);
    pMenuBar->RebuildFromMenu(menu.hMenu, menu.hMenu == pMenuBar->GetDefaultMenu(), TRUE);
    CFrameWnd* pFrame = Frame();
    if (pFrame != NULL)
        pFrame->SendMessage(QENM_TOOLBAR_RESETMENU, menu.nResourceId);
}

// ---------------------------------------------------------------------------------------------------
// Context menus

void CQENMenuPage::FillContextMenus()
{
    CString strNone;
    strNone.LoadString(kNoContextMenuString);
    m_wndContextMenus.AddString(strNone);
    CStringList lstNames;
    g_pContextMenuManager->ListMenuNames(lstNames);
    std::vector<CString> names;
    for (POSITION pos = lstNames.GetHeadPosition(); pos != NULL;)
        names.push_back(lstNames.GetNext(pos));
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return strcmp(a, b) < 0; });
    for (const CString& strName : names)
        m_wndContextMenus.AddString(strName);
    m_wndContextMenus.SetCurSel(0);
    m_wndContextMenus.EnableWindow(m_wndContextMenus.GetCount() > 1);
    UpdateContextButtons();
}

void CQENMenuPage::UpdateContextButtons()
{
    GetDlgItem(IDC_RESET_CONTEXT_MENU)->EnableWindow(g_pContextMenuManager != NULL && m_wndContextMenus.GetCurSel() > 0);
}

void CQENMenuPage::OnContextMenuChanged()
{
    CloseContextMenu();
    UpdateContextButtons();
    const int iEntry = m_wndContextMenus.GetCurSel();
    if (iEntry <= 0)
        return;
    CString strName;
    m_wndContextMenus.GetLBText(iEntry, strName);
    OpenContextMenu(strName);
}

void CQENMenuPage::OpenContextMenu(const CString& strName)
{
    HMENU hMenu = g_pContextMenuManager != NULL ? g_pContextMenuManager->FindMenuByName(strName) : NULL;
    HMENU hSubMenu = hMenu != NULL ? ::GetSubMenu(hMenu, 0) : NULL;
    if (hSubMenu == NULL)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    CPoint ptMenu = s_ptLastContextMenu;
    if (ptMenu == CPoint(-1, -1))
    {
        // The first one opens beside the sheet, level with the list it was chosen from.
        CRect rectSheet;
        GetParent()->GetWindowRect(&rectSheet);
        CRect rectList;
        m_wndContextMenus.GetWindowRect(&rectList);
        ptMenu = CPoint(rectSheet.right, rectList.top);
    }
    CContextMenuEditor* pEditor = new CContextMenuEditor(strName);
    // A popup that cannot be made has deleted itself.
    if (!pEditor->Create(Frame(), ptMenu.x, ptMenu.y, hSubMenu, FALSE, TRUE))
    {
        AfxMessageBox("Can't create context menu!");
        return;
    }
    pEditor->ClearCommandStates();
    m_hWndContextMenu = pEditor->m_hWnd;
}

void CQENMenuPage::CloseContextMenu()
{
    if (m_hWndContextMenu != NULL && ::IsWindow(m_hWndContextMenu))
        ::SendMessageA(m_hWndContextMenu, WM_CLOSE, 0, 0);
    m_hWndContextMenu = NULL;
}

void CQENMenuPage::OnResetContextMenu()
{
    const int iEntry = m_wndContextMenus.GetCurSel();
    if (g_pContextMenuManager == NULL || iEntry <= 0)
        return;
    CString strName;
    m_wndContextMenus.GetLBText(iEntry, strName);
    if (AskYesNo(kResetMenuString, strName) != IDYES)
        return;
    const BOOL bEditing = m_hWndContextMenu != NULL && ::IsWindow(m_hWndContextMenu);
    CloseContextMenu();
    UINT nMenuId = 0;
    if (g_pContextMenuManager->FindMenuByName(strName, &nMenuId) == NULL || !g_pContextMenuManager->ResetMenu(nMenuId))
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    CFrameWnd* pFrame = Frame();
    if (pFrame != NULL)
        pFrame->SendMessage(QENM_TOOLBAR_RESETCONTEXTMENU, nMenuId);
    if (bEditing)
        OpenContextMenu(strName);
}

// ---------------------------------------------------------------------------------------------------
// Entering and leaving

BOOL CQENMenuPage::OnSetActive()
{
    if (!CPropertyPage::OnSetActive())
        return FALSE;
    CQENMenuBar* pMenuBar = MenuBar();
    m_hMenuOnEntry = pMenuBar != NULL ? pMenuBar->GetMenu() : NULL;
    m_bEntered = TRUE;
    SelectShownFrameMenu();
    return TRUE;
}

BOOL CQENMenuPage::OnKillActive()
{
    if (!CPropertyPage::OnKillActive())
        return FALSE;
    LeavePage();
    return TRUE;
}

void CQENMenuPage::OnDestroy()
{
    LeavePage();
    CPropertyPage::OnDestroy();
}

void CQENMenuPage::LeavePage()
{
    if (!m_bEntered)
        return;
    m_bEntered = FALSE;
    // The page itself may be hidden already when the sheet closes: the controls' own style tells.
    if ((m_wndAnimation.GetStyle() & WS_VISIBLE) && m_wndAnimation.GetCurSel() >= 0)
        CQENPopupMenu::s_nMenuAnimation = m_wndAnimation.GetCurSel();
    if (GetDlgItem(IDC_SHADOWS)->GetStyle() & WS_VISIBLE)
        CQENPopupMenu::s_bMenuShadows = IsDlgButtonChecked(IDC_SHADOWS) == BST_CHECKED;
    CloseContextMenu();
    ShowOnMenuBar(m_hMenuOnEntry);
}

int CQENMenuPage::AskYesNo(UINT nIDPrompt, LPCTSTR lpszName) const
{
    CString strFormat;
    strFormat.LoadString(nIDPrompt);
    CString strPrompt;
    strPrompt.Format(strFormat, lpszName);
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION);
}
