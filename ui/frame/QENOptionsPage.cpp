#include "QENOptionsPage.h"

#include "QENCommandUsage.h"
#include "QENFrameSupport.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"
#include "QENToolbarCustomize.h"
#include "QENVisualManager.h"

namespace {

const UINT kResetUsageString = 16244;

UINT CheckState(BOOL bOn)
{
    return bOn ? BST_CHECKED : BST_UNCHECKED;
}

} // namespace

IMPLEMENT_DYNAMIC(CQENOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENOptionsPage, CPropertyPage)
    ON_BN_CLICKED(IDC_TOOLTIPS, OnTooltips)
    ON_BN_CLICKED(IDC_SHORTCUTS_IN_TIPS, OnShortcutsInTips)
    ON_BN_CLICKED(IDC_LARGE_ICONS, OnLargeIcons)
    ON_BN_CLICKED(IDC_LOOK_2000, OnLook2000)
    ON_BN_CLICKED(IDC_RECENT_COMMANDS_FIRST, OnRecentCommandsFirst)
    ON_BN_CLICKED(IDC_SHOW_ALL_AFTER_DELAY, OnShowAllAfterDelay)
    ON_BN_CLICKED(IDC_RESET_USAGE, OnResetUsage)
END_MESSAGE_MAP()

CQENOptionsPage::CQENOptionsPage() : CPropertyPage(IDD), m_pSheet(NULL), m_bPersonalized(FALSE)
{
}

void CQENOptionsPage::ShowControl(UINT nId, BOOL bShow)
{
    CWnd* pControl = GetDlgItem(nId);
    if (pControl == NULL)
        return;
    pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    pControl->EnableWindow(bShow);
}

BOOL CQENOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckDlgButton(IDC_TOOLTIPS, CheckState(CQENToolBar::s_bTooltipsOn));
    CheckDlgButton(IDC_SHORTCUTS_IN_TIPS, CheckState(CQENToolBar::s_bShortcutsInTips));
    CheckDlgButton(IDC_LARGE_ICONS, CheckState(CQENToolBar::s_bLargeImagesOn));
    CheckDlgButton(IDC_LOOK_2000, CheckState(CQENVisualManager::CurrentManager()->m_bFlatLook));
    CheckDlgButton(IDC_RECENT_COMMANDS_FIRST, CheckState(CQENPopupMenu::s_bRecentlyUsedMenus));
    CheckDlgButton(IDC_SHOW_ALL_AFTER_DELAY, CheckState(CQENPopupMenu::s_bShowAllMenusAfterDelay));

    ShowControl(IDC_LOOK_2000, m_pSheet != NULL && (m_pSheet->GetFlags() & CQENToolbarCustomize::Look2000Option));
    ShowControl(IDC_VISUALIZATIONS, FALSE);
    // Menus are personalised only where a menu bar shows them and some commands are basic.
    const CQENFrameSupport* pSupport = CQENFrameSupport::Of(m_pSheet != NULL ? m_pSheet->GetFrame() : NULL);
    m_bPersonalized = !CQENCommandUsage::BasicCommands().IsEmpty() && pSupport != NULL && pSupport->MenuBar() != NULL;
    for (UINT nId : {IDC_RECENT_COMMANDS_FIRST, IDC_RESET_USAGE, IDC_PERSONALIZED_CAPTION, IDC_PERSONALIZED_LINE,
                     IDC_SHOW_ALL_AFTER_DELAY})
        ShowControl(nId, m_bPersonalized);
    UpdateDependentBoxes();
    return TRUE;
}

void CQENOptionsPage::UpdateDependentBoxes()
{
    GetDlgItem(IDC_SHORTCUTS_IN_TIPS)->EnableWindow(IsChecked(IDC_TOOLTIPS));
    if (m_bPersonalized)
        GetDlgItem(IDC_SHOW_ALL_AFTER_DELAY)->EnableWindow(IsChecked(IDC_RECENT_COMMANDS_FIRST));
}

void CQENOptionsPage::OnTooltips()
{
    CQENToolBar::s_bTooltipsOn = IsChecked(IDC_TOOLTIPS);
    UpdateDependentBoxes();
}

void CQENOptionsPage::OnShortcutsInTips()
{
    CQENToolBar::s_bShortcutsInTips = IsChecked(IDC_SHORTCUTS_IN_TIPS);
}

void CQENOptionsPage::OnLargeIcons()
{
    CQENToolBar::SetLargeImages(IsChecked(IDC_LARGE_ICONS));
    // Every bar takes the new size at once, and every frame makes room for it.
    CList<CFrameWnd*, CFrameWnd*> lstFrames;
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (!::IsWindow(pBar->m_hWnd))
            continue;
        pBar->RecalcButtonLayout();
        CFrameWnd* pFrame = pBar->GetParentFrame();
        if (pFrame != NULL && lstFrames.Find(pFrame) == NULL)
            lstFrames.AddTail(pFrame);
    }
    for (POSITION pos = lstFrames.GetHeadPosition(); pos != NULL;)
        lstFrames.GetNext(pos)->RecalcLayout();
}

void CQENOptionsPage::OnLook2000()
{
    CQENVisualManager::CurrentManager()->SetFlatLook(IsChecked(IDC_LOOK_2000));
}

void CQENOptionsPage::OnRecentCommandsFirst()
{
    CQENPopupMenu::s_bRecentlyUsedMenus = IsChecked(IDC_RECENT_COMMANDS_FIRST);
    UpdateDependentBoxes();
}

void CQENOptionsPage::OnShowAllAfterDelay()
{
    CQENPopupMenu::s_bShowAllMenusAfterDelay = IsChecked(IDC_SHOW_ALL_AFTER_DELAY);
}

void CQENOptionsPage::OnResetUsage()
{
    CString strPrompt;
    strPrompt.LoadString(kResetUsageString);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES)
        theCommandUsage.Reset();
}
