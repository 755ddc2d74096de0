// CQENToolBar: customize mode, dragging buttons away, the button context menu and the class-wide
// options in the registry.
#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENButtonAppearanceDlg.h"
#include "QENCommandUsage.h"
#include "QENPopupMenu.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "QENVisualManager.h"

namespace {

const UINT kCustomizeMenuId = 16102;
enum CustomizeCommand
{
    kCmdReset = 16910,
    kCmdCopyImage,
    kCmdDelete,
    kCmdAppearance,
    kCmdImage,
    kCmdText,
    kCmdImageAndText,
    kCmdStartGroup
};

// Tells a drop apart from a cancelled drag: both end with no effect when nothing took the button.
class CButtonDropSource : public COleDropSource
{
public:
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        const SCODE sc = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
        m_bDropped = sc == DRAGDROP_S_DROP;
        return sc;
    }
    BOOL m_bDropped = FALSE;
};

BOOL IsOverToolBar(CPoint ptScreen)
{
    for (HWND hWnd = ::WindowFromPoint(ptScreen); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CQENToolBar)))
            return TRUE;
    }
    return FALSE;
}

// Beside the bars' keys: "QENToolbarParameters" below the path of the toolbars' section.
CString GlobalOptionsKey(LPCTSTR lpszProfile)
{
    return BuildSettingsPath("QENToolBars", lpszProfile) + "QENToolbarParameters";
}

} // namespace

CQENCustomizeSheetLink* CQENCustomizeSheetLink::s_pActive = NULL;

void CQENToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    const UINT nShowFlags = lpwndpos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW);
    if (!s_bCustomizing || nShowFlags == 0)
        return;
    const BOOL bVisible = nShowFlags == SWP_SHOWWINDOW;
    if (!bVisible && s_pCustomizeSelBar == this)
    {
        m_iCustomizeSel = -1;
        s_pCustomizeSelBar = NULL;
    }
    if (CQENCustomizeSheetLink::s_pActive != NULL)
        CQENCustomizeSheetLink::s_pActive->BarVisibilityChanged(this, bVisible);
}

BOOL PASCAL CQENToolBar::SwitchCustomizeMode(BOOL bCustomizing)
{
    bCustomizing = bCustomizing != FALSE;
    if (s_bCustomizing == bCustomizing)
        return FALSE;
    // A bar may leave the list while it is told; then the walk starts again with the ones not told.
    CList<CQENToolBar*, CQENToolBar*> lstTold;
    for (BOOL bRestart = TRUE; bRestart;)
    {
        bRestart = FALSE;
        const INT_PTR nCount = s_toolbarRegistry.GetCount();
        for (POSITION pos = s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
        {
            CQENToolBar* pBar = static_cast<CQENToolBar*>(s_toolbarRegistry.GetNext(pos));
            if (lstTold.Find(pBar) != NULL || !::IsWindow(pBar->m_hWnd))
                continue;
            lstTold.AddTail(pBar);
            pBar->CustomizeModeChanged(bCustomizing);
            if (s_toolbarRegistry.GetCount() != nCount)
            {
                bRestart = TRUE;
                break;
            }
        }
    }
    s_bCustomizing = bCustomizing;
    if (!bCustomizing)
        s_pCustomizeSelBar = NULL;
    for (POSITION pos = s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(s_toolbarRegistry.GetNext(pos));
        if (!::IsWindow(pBar->m_hWnd))
            continue;
        if (pBar->m_pCustomizeButton != NULL)
            pBar->RecalcButtonLayout();
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return TRUE;
}

BOOL CQENToolBar::DragButton(int iButton, CPoint ptStart)
{
    CQENToolbarButton* pButton = ButtonAt(iButton);
    if (pButton == NULL || !pButton->IsPersistent() || !pButton->BeforeDragStart())
        return FALSE;
    COleDataSource source;
    if (!pButton->CopyToDataSource(&source))
        return FALSE;
    CRect rectButton = pButton->m_rect;
    ClientToScreen(&rectButton);

    m_pDraggedButton = pButton;
    m_ptDragStart = ptStart;
    CButtonDropSource dropSource;
    const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, NULL, &dropSource);
    // A drop on this bar has handled the move itself and cleared m_pDraggedButton.
    CQENToolbarButton* pSource = m_pDraggedButton;
    m_pDraggedButton = NULL;
    if (pSource == NULL || IndexOfButton(pSource) < 0)
        return TRUE;

    CPoint ptDrop;
    ::GetCursorPos(&ptDrop);
    BOOL bRemove = effect == DROPEFFECT_MOVE;
    if (effect == DROPEFFECT_NONE && dropSource.m_bDropped && !IsOverToolBar(ptDrop))
        bRemove = TRUE;
    if (rectButton.PtInRect(ptDrop))
        bRemove = FALSE;
    if (bRemove)
    {
        DeleteButtonAt(IndexOfButton(pSource));
        RecalcButtonLayout();
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->RecalcLayout();
    }
    Invalidate();
    return TRUE;
}

void CQENToolBar::ShowCustomizeMenu(CPoint ptScreen)
{
    if (m_bLocked)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    SetFocus();
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    const BOOL bFromKeyboard = ptScreen.x == -1 && ptScreen.y == -1;
    int iButton = bFromKeyboard ? m_iCustomizeSel : HitTest(ptClient);
    CQENToolbarButton* pButton = ButtonAt(iButton);
    if (s_pCustomizeSelBar != NULL && s_pCustomizeSelBar != this)
    {
        s_pCustomizeSelBar->m_iCustomizeSel = -1;
        s_pCustomizeSelBar->Invalidate();
    }
    s_pCustomizeSelBar = this;
    m_iCustomizeSel = pButton != NULL && pButton->IsCustomizable() ? iButton : -1;
    Invalidate();
    UpdateWindow();
    pButton = ButtonAt(m_iCustomizeSel);
    if (pButton == NULL || !pButton->IsPersistent())
        return;

    CMenu menu;
    if (!menu.LoadMenu(kCustomizeMenuId))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    OnCustomizeMenu(pPopup, m_iCustomizeSel);
    if (bFromKeyboard)
    {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        ptScreen = rectWindow.TopLeft() + CPoint(5, 5);
    }
    // The system's menu: a library popup would take its clicks for customizing. The chosen
    // command comes to this bar.
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this);
}

void CQENToolBar::OnCustomizeMenu(CMenu* pMenu, int iButton)
{
    CQENToolbarButton* pButton = ButtonAt(iButton);
    if (pMenu == NULL || pButton == NULL)
        return;
    auto grey = [pMenu](UINT nId, BOOL bGrey) { pMenu->EnableMenuItem(nId, MF_BYCOMMAND | (bGrey ? MF_GRAYED : MF_ENABLED)); };
    auto check = [pMenu](UINT nId, BOOL bCheck) { pMenu->CheckMenuItem(nId, MF_BYCOMMAND | (bCheck ? MF_CHECKED : MF_UNCHECKED)); };

    grey(kCmdReset, pButton->m_bLocked || pButton->m_nCommandId == 0 || pButton->m_nCommandId == (UINT)-1);
    const BOOL bHasImage = pButton->GetImage() >= 0;
    if (!bHasImage)
    {
        // Without an image the button can only show its text.
        pButton->m_bShowImage = FALSE;
        pButton->m_bShowLabel = TRUE;
    }
    grey(kCmdCopyImage, !pButton->m_bShowImage || !bHasImage);
    check(kCmdImage, pButton->m_bShowImage && !pButton->m_bShowLabel);
    check(kCmdText, pButton->m_bShowLabel && !pButton->m_bShowImage);
    check(kCmdImageAndText, pButton->m_bShowImage && pButton->m_bShowLabel);
    grey(kCmdImage, !bHasImage || (pButton->m_bLabelBelow && IsHorizontal()));
    grey(kCmdText, !bHasImage);
    grey(kCmdImageAndText, !bHasImage);
    const CQENToolbarButton* pPrevious = ButtonAt(iButton - 1);
    grey(kCmdStartGroup, iButton == 0);
    check(kCmdStartGroup, pPrevious != NULL && pPrevious->IsSeparator());
}

BOOL CQENToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && OnCustomizeCommand(LOWORD(wParam)))
        return TRUE;
    return CControlBar::OnCommand(wParam, lParam);
}

BOOL CQENToolBar::OnCustomizeCommand(UINT nCommandId)
{
    if (nCommandId < kCmdReset || nCommandId > kCmdStartGroup)
        return FALSE;
    CQENToolbarButton* pButton = ButtonAt(m_iCustomizeSel);
    if (pButton == NULL)
        return TRUE;
    const int iButton = m_iCustomizeSel;
    switch (nCommandId)
    {
    case kCmdReset:
        if (!pButton->m_bLocked && pButton->m_nCommandId != 0 && pButton->m_nCommandId != (UINT)-1)
            pButton->RestoreDefaultImage();
        break;
    case kCmdCopyImage:
        if (pButton->GetImage() >= 0)
            (pButton->m_bUserImage && s_pUserImageList != NULL ? *s_pUserImageList : s_stdImages)
                .PutImageOnClipboard(pButton->GetImage());
        return TRUE;
    case kCmdDelete:
        DeleteButtonAt(iButton);
        m_iCustomizeSel = -1;
        break;
    case kCmdImage:
        if (pButton->GetImage() >= 0)
        {
            pButton->m_bShowImage = TRUE;
            pButton->m_bShowLabel = FALSE;
        }
        break;
    case kCmdText:
    case kCmdImageAndText:
        if (nCommandId == kCmdImageAndText && pButton->GetImage() < 0)
            break;
        pButton->m_bShowImage = nCommandId == kCmdImageAndText;
        pButton->m_bShowLabel = TRUE;
        if (pButton->m_strLabel.IsEmpty() && !FillButtonText(pButton))
        {
            ::MessageBeep((UINT)-1);
            pButton->m_bShowImage = TRUE;
            pButton->m_bShowLabel = FALSE;
        }
        break;
    case kCmdStartGroup:
    {
        const CQENToolbarButton* pBefore = ButtonAt(iButton - 1);
        if (pBefore == NULL)
            return TRUE;
        if (pBefore->IsSeparator())
        {
            DeleteButtonAt(iButton - 1);
        }
        else
        {
            AddSeparatorAt(iButton);
            m_iCustomizeSel = iButton + 1;
        }
        break;
    }
    case kCmdAppearance:
        if (!CQENButtonAppearanceDlg::Choose(pButton, this))
            return TRUE;
        break;
    }
    RecalcButtonLayout();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    return TRUE;
}

BOOL PASCAL CQENToolBar::WriteGlobalOptions(LPCTSTR lpszProfile)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    const CString strKey = GlobalOptionsKey(lpszProfile);
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    return pRegistry->CreateKey(strKey) && pRegistry->Write("Tooltips", s_bTooltipsOn) &&
           pRegistry->Write("ShortcutKeys", s_bShortcutsInTips) && pRegistry->Write("LargeIcons", s_bLargeImagesOn) &&
           pRegistry->Write("MenuAnimation", CQENPopupMenu::s_nMenuAnimation) &&
           pRegistry->Write("RecentlyUsedMenus", CQENPopupMenu::s_bRecentlyUsedMenus) &&
           pRegistry->Write("MenuShadows", CQENPopupMenu::s_bMenuShadows) &&
           pRegistry->Write("ShowAllMenusAfterDelay", CQENPopupMenu::s_bShowAllMenusAfterDelay) &&
           pRegistry->Write("Look2000", pManager != NULL ? pManager->m_bFlatLook : FALSE) &&
           pRegistry->Write("CommandsUsage", theCommandUsage);
}

BOOL PASCAL CQENToolBar::ReadGlobalOptions(LPCTSTR lpszProfile)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    if (!pRegistry->Open(GlobalOptionsKey(lpszProfile)))
        return FALSE;
    BOOL bLargeIcons = s_bLargeImagesOn;
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    BOOL bFlatLook = pManager != NULL ? pManager->m_bFlatLook : FALSE;
    // Whatever was read before a missing value stays.
    const BOOL bComplete =
        pRegistry->Read("Tooltips", s_bTooltipsOn) && pRegistry->Read("ShortcutKeys", s_bShortcutsInTips) &&
        pRegistry->Read("LargeIcons", bLargeIcons) && pRegistry->Read("MenuAnimation", CQENPopupMenu::s_nMenuAnimation) &&
        pRegistry->Read("RecentlyUsedMenus", CQENPopupMenu::s_bRecentlyUsedMenus) &&
        pRegistry->Read("MenuShadows", CQENPopupMenu::s_bMenuShadows) &&
        pRegistry->Read("ShowAllMenusAfterDelay", CQENPopupMenu::s_bShowAllMenusAfterDelay) &&
        pRegistry->Read("Look2000", bFlatLook) && pRegistry->Read("CommandsUsage", theCommandUsage);
    SetLargeImages(bLargeIcons);
    if (pManager != NULL)
        pManager->m_bFlatLook = bFlatLook;
    return bComplete;
}
