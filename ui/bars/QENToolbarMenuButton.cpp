#include "QENToolbarMenuButton.h"

#include "QENCommandManager.h"
#include "QENDrawingCache.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENPopupMenuHost.h"
#include "QENTearOffManager.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"

#include <algorithm>

namespace {

const CSize kMenuArrow(7, 4);
const int kImageColumnExtra = 6;   // beside the image column's own width
const int kTextGap = 6;            // between the image column and the text
const UINT kFirstSystemCommand = 0xF000;
const UINT kLastSystemCommand = 0xF1EF;

BOOL IsSystemCommand(UINT nCommandId)
{
    return nCommandId >= kFirstSystemCommand && nCommandId <= kLastSystemCommand;
}

BOOL IsCustomizing()
{
    return CQENToolBar::s_bCustomizing;
}

// The frame a button's bar belongs to, or the main window.
CFrameWnd* FrameOf(CWnd* pWnd)
{
    CFrameWnd* pFrame = pWnd != NULL && ::IsWindow(pWnd->m_hWnd) ? pWnd->GetTopLevelFrame() : NULL;
    if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CQENPopupMenu)))
    {
        CWnd* pMain = AfxGetMainWnd();
        pFrame = pMain != NULL && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : NULL;
    }
    return pFrame;
}

}   // namespace

IMPLEMENT_SERIAL(CQENToolbarMenuButton, CQENToolbarButton, VERSIONABLE_SCHEMA | 1)

BOOL CQENToolbarMenuButton::s_bShortcutsInMenus = TRUE;
int CQENToolbarMenuButton::s_nStateVersionMajor = -1;
int CQENToolbarMenuButton::s_nStateVersionMinor = -1;

CQENToolbarMenuButton::CQENToolbarMenuButton()
    : m_SubItems(10),
      m_bHasMenu(FALSE),
      m_bMenuItemMode(FALSE),
      m_pPopupMenu(NULL),
      m_pWndParent(NULL),
      m_bClickedOnMenu(FALSE),
      m_bMenuRight(TRUE),
      m_uiTearOffId(0),
      m_bToBeClosed(FALSE)
{
}

CQENToolbarMenuButton::CQENToolbarMenuButton(UINT nCommandId, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                             BOOL bUserImage)
    : CQENToolbarButton(nCommandId, iImage, lpszText, bUserImage),
      m_SubItems(10),
      m_bHasMenu(hMenu != NULL),
      m_bMenuItemMode(FALSE),
      m_pPopupMenu(NULL),
      m_pWndParent(NULL),
      m_bClickedOnMenu(FALSE),
      m_bMenuRight(TRUE),
      m_uiTearOffId(0),
      m_bToBeClosed(FALSE)
{
    if (hMenu != NULL)
        ImportMenu(hMenu);
}

CQENToolbarMenuButton::~CQENToolbarMenuButton()
{
    // The popup must not reach back into a button that is gone.
    if (m_pPopupMenu != NULL)
    {
        CQENPopupMenu* pPopup = m_pPopupMenu;
        m_pPopupMenu = NULL;
        pPopup->m_pParentButton = NULL;
        if (::IsWindow(pPopup->m_hWnd))
            pPopup->DestroyWindow();
    }
    ClearSubItems();
}

void CQENToolbarMenuButton::ClearSubItems()
{
    while (!m_SubItems.IsEmpty())
        delete m_SubItems.RemoveHead();
}

// ---------------------------------------------------------------------------------------------------
// Copying and storing

BOOL CQENToolbarMenuButton::StateHasTearOffIds()
{
    return s_nStateVersionMajor == -1 || s_nStateVersionMajor > 4 ||
           (s_nStateVersionMajor == 4 && s_nStateVersionMinor > 70);
}

void CQENToolbarMenuButton::Serialize(CArchive& ar)
{
    CQENToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        if (StateHasTearOffIds())
            ar << (DWORD)m_uiTearOffId;
        m_SubItems.Serialize(ar);
        return;
    }
    DWORD dwTearOffId = 0;
    if (StateHasTearOffIds())
        ar >> dwTearOffId;
    m_uiTearOffId = dwTearOffId;
    ClearSubItems();
    m_SubItems.Serialize(ar);
    // Only buttons may stay in the list: anything else in damaged state is dropped.
    for (POSITION pos = m_SubItems.GetHeadPosition(); pos != NULL;)
    {
        POSITION posItem = pos;
        CObject* pItem = m_SubItems.GetNext(pos);
        if (pItem == NULL || !pItem->IsKindOf(RUNTIME_CLASS(CQENToolbarButton)))
        {
            m_SubItems.RemoveAt(posItem);
            delete pItem;
        }
    }
    // A plain command stored from a menu item stays a plain command.
    m_bHasMenu = !m_SubItems.IsEmpty() || m_nCommandId == (UINT)-1;
}

void CQENToolbarMenuButton::AssignFrom(const CQENToolbarButton& source)
{
    CQENToolbarButton::AssignFrom(source);
    if (!source.IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) || &source == this)
        return;
    const CQENToolbarMenuButton& menuSource = static_cast<const CQENToolbarMenuButton&>(source);
    m_bHasMenu = menuSource.m_bHasMenu;
    m_bMenuItemMode = menuSource.m_bMenuItemMode;
    m_bMenuRight = menuSource.m_bMenuRight;
    m_uiTearOffId = menuSource.m_uiTearOffId;
    ClearSubItems();
    for (POSITION pos = menuSource.m_SubItems.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pItem = static_cast<const CQENToolbarButton*>(menuSource.m_SubItems.GetNext(pos));
        CQENToolbarButton* pCopy = static_cast<CQENToolbarButton*>(pItem->GetRuntimeClass()->CreateObject());
        if (pCopy == NULL)
            continue;
        pCopy->AssignFrom(*pItem);
        m_SubItems.AddTail(pCopy);
    }
}

UINT PASCAL CQENToolbarMenuButton::MenuItemState(HMENU hMenu, int iPosition)
{
    const UINT nState = ::GetMenuState(hMenu, (UINT)iPosition, MF_BYPOSITION);
    // For a submenu the high byte is its number of items: with eight of them it would read as a
    // separator.
    return ::GetSubMenu(hMenu, iPosition) != NULL ? nState & 0xFF : nState;
}

void CQENToolbarMenuButton::ImportMenu(HMENU hMenu)
{
    ClearSubItems();
    m_bHasMenu = TRUE;
    const int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        const UINT nState = MenuItemState(hMenu, i);
        if (nState & MF_SEPARATOR)
        {
            CQENToolbarButton* pSeparator = new CQENToolbarButton;
            pSeparator->m_nStyle = TBBS_SEPARATOR;
            m_SubItems.AddTail(pSeparator);
            continue;
        }
        TCHAR szText[256] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof szText, MF_BYPOSITION);
        CString strText(szText);
        CQENToolbarMenuButton* pItem;
        if (hSubMenu != NULL)
        {
            const UINT nTearOffId = CQENTearOffManager::ParseTearOffText(strText);
            pItem = new CQENToolbarMenuButton((UINT)-1, hSubMenu, -1, strText);
            pItem->m_uiTearOffId = nTearOffId;
        }
        else
        {
            pItem = new CQENToolbarMenuButton(::GetMenuItemID(hMenu, i), NULL, -1, strText);
        }
        if (nState & (MF_GRAYED | MF_DISABLED))
            pItem->m_nStyle |= TBBS_DISABLED;
        if (nState & MF_CHECKED)
            pItem->m_nStyle |= TBBS_CHECKED;
        if (nState & (MF_MENUBREAK | MF_MENUBARBREAK))
            pItem->m_nStyle |= TBBS_COLUMNBREAK;
        m_SubItems.AddTail(pItem);
    }
}

HMENU CQENToolbarMenuButton::BuildMenu() const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == NULL)
        return NULL;
    for (POSITION pos = m_SubItems.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pItem = static_cast<const CQENToolbarButton*>(m_SubItems.GetNext(pos));
        if (pItem->IsSeparator())
        {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
            continue;
        }
        UINT nFlags = MF_STRING;
        if (pItem->m_nStyle & TBBS_DISABLED)
            nFlags |= MF_GRAYED;
        if (pItem->m_nStyle & TBBS_CHECKED)
            nFlags |= MF_CHECKED;
        if (pItem->m_nStyle & TBBS_COLUMNBREAK)
            nFlags |= MF_MENUBREAK;
        CString strText = pItem->m_strLabel;
        const CQENToolbarMenuButton* pMenuItem =
            pItem->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) ? static_cast<const CQENToolbarMenuButton*>(pItem)
                                                                   : NULL;
        if (pMenuItem != NULL && pMenuItem->HasSubItems())
        {
            HMENU hSubMenu = pMenuItem->BuildMenu();
            if (hSubMenu == NULL)
                continue;
            if (pMenuItem->m_uiTearOffId != 0)
                CQENTearOffManager::BuildTearOffText(pMenuItem->m_uiTearOffId, strText);
            if (!::AppendMenuA(hMenu, nFlags | MF_POPUP, (UINT_PTR)hSubMenu, strText))
                ::DestroyMenu(hSubMenu);
            continue;
        }
        ::AppendMenuA(hMenu, nFlags, pItem->m_nCommandId, strText);
    }
    return hMenu;
}

// ---------------------------------------------------------------------------------------------------
// Measuring and drawing

CSize PASCAL CQENToolbarMenuButton::MenuArrowSize()
{
    return CQENToolBar::s_bLargeImagesOn ? CSize(kMenuArrow.cx * 2, kMenuArrow.cy * 2) : kMenuArrow;
}

void PASCAL CQENToolbarMenuButton::DrawMenuArrow(CDC* pDC, const CRect& rect, BOOL bDown, COLORREF crArrow)
{
    const CSize size = MenuArrowSize();
    // A solid triangle: size.cx wide at its base, size.cy deep.
    if (bDown)
    {
        const CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
        for (int i = 0; i < size.cy; i++)
            pDC->FillSolidRect(pt.x + i, pt.y + i, std::max<int>(size.cx - 2 * i, 1), 1, crArrow);
    }
    else
    {
        const CPoint pt(rect.left + (rect.Width() - size.cy) / 2, rect.top + (rect.Height() - size.cx) / 2);
        for (int i = 0; i < size.cy; i++)
            pDC->FillSolidRect(pt.x + i, pt.y + i, 1, std::max<int>(size.cx - 2 * i, 1), crArrow);
    }
}

CRect CQENToolbarMenuButton::ArrowPartRect() const
{
    CRect rect = m_rect;
    if (m_bExtraBorder)
    {
        const CSize sizeExtra = CQENVisualManager::CurrentManager()->ExtraButtonMargin();
        rect.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    }
    const int nPart = MenuArrowSize().cx + 2;
    if (m_bMenuRight)
        rect.left = std::max<LONG>(rect.left, rect.right - nPart);
    else
        rect.top = std::max<LONG>(rect.top, rect.bottom - nPart);
    return rect;
}

CSize CQENToolbarMenuButton::MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal)
{
    const int nArrowExtent = MenuArrowSize().cx - 1;
    if (!m_bMenuItemMode)
    {
        CSize size = CQENToolbarButton::MeasureButton(pDC, sizeDefault, bHorizontal);
        if (bHorizontal)
            size.cx += nArrowExtent + 2 * ::GetSystemMetrics(SM_CXBORDER);
        else
            size.cy += nArrowExtent + 2 * ::GetSystemMetrics(SM_CYBORDER);
        return size;
    }

    if (s_bShortcutsInMenus && !IsSystemCommand(m_nCommandId))
    {
        const int iTab = m_strLabel.Find('\t');
        if (iTab >= 0)
            m_strLabel = m_strLabel.Left(iTab);
        CString strShortcut;
        if (CQENPopupMenuBar::FindFrameShortcut(FrameOf(m_pWndParent), m_nCommandId, strShortcut))
            m_strLabel += "\t" + strShortcut;
    }
    // The image has its own column: the text is measured as that of a text-only button.
    const BOOL bShowImage = m_bShowImage;
    const BOOL bShowLabel = m_bShowLabel;
    m_bShowImage = FALSE;
    m_bShowLabel = TRUE;
    CSize size = CQENToolbarButton::MeasureButton(pDC, sizeDefault, TRUE);
    m_bShowImage = bShowImage;
    m_bShowLabel = bShowLabel;
    size.cx += nArrowExtent + sizeDefault.cx + kImageColumnExtra;
    if (m_pWndParent != NULL && m_pWndParent->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
        size.cy = static_cast<CQENPopupMenuBar*>(m_pWndParent)->RowHeight();
    else
        size.cy = sizeDefault.cy;
    return size;
}

void CQENToolbarMenuButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                                       BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled)
{
    if (m_bMenuItemMode)
    {
        m_bHorizontal = TRUE;
        DrawMenuItem(pDC, rect, pImages, bHighlighted, bGrayDisabled);
        return;
    }
    // The arrow's room is left out of what the button itself draws.
    const int nArrowExtent = MenuArrowSize().cx - 1;
    CRect rectButton = rect;
    (bHorizontal ? rectButton.right : rectButton.bottom) -= nArrowExtent;
    CQENToolbarButton::DrawButton(pDC, rectButton, pImages, bHorizontal, bCustomizeMode, bHighlighted, bDrawBorder,
                                  bGrayDisabled);
    const CQENToolBar* pBar = m_pWndParent != NULL && m_pWndParent->IsKindOf(RUNTIME_CLASS(CQENToolBar))
                                  ? static_cast<const CQENToolBar*>(m_pWndParent)
                                  : NULL;
    if (pBar != NULL && pBar->m_bActsAsMenu)
        return;
    CRect rectArrow = rect;
    if (bHorizontal)
        rectArrow.left = rectArrow.right - nArrowExtent - 4;
    else
        rectArrow.top = rectArrow.bottom - nArrowExtent - 4;
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) && !bCustomizeMode;
    DrawMenuArrow(pDC, rectArrow, TRUE, bDisabled ? theDrawingCache.m_crGreyText : theDrawingCache.m_crText);
}

void CQENToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHighlighted,
                                         BOOL bGrayDisabled)
{
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    COLORREF crText = pManager->ButtonTextColour(
        this, bHighlighted ? CQENVisualManager::ButtonHighlighted : CQENVisualManager::ButtonNormal);
    if (bHighlighted)
        pManager->PaintMenuItemHighlight(pDC, this, rect, crText);
    if (bDisabled)
        crText = theDrawingCache.m_crGreyText;

    const CSize sizeMenuImage = CQENToolBar::MenuImageSize();
    const CRect rectImage(rect.left + 2, rect.top, rect.left + 2 + sizeMenuImage.cx + 2, rect.bottom);
    const int iImage = GetImage();
    const BOOL bHasImage = pImages != NULL && m_bShowImage && iImage >= 0 &&
                           !CQENCommandManager::Instance().HasNoMenuImage(m_nCommandId);
    CQENPopupMenuHost* pHost = CQENPopupMenu::HostOf(m_pWndParent);
    const BOOL bHostDrew = pHost != NULL && pHost->DrawMenuItemImage(pDC, this, rectImage);
    if (!bHostDrew)
    {
        if ((m_nStyle & TBBS_CHECKED) && bHasImage && !pManager->m_bFlatMenuImages)
        {
            pManager->PaintButtonInterior(pDC, this, rectImage, CQENVisualManager::ButtonPressed);
            pManager->PaintButtonFrame(pDC, this, rectImage, CQENVisualManager::ButtonPressed);
        }
        if (bHasImage)
        {
            const CSize sizeImage = pImages->ImageSize();
            pImages->Draw(pDC, rectImage.left + (rectImage.Width() - sizeImage.cx) / 2,
                          rectImage.top + (rectImage.Height() - sizeImage.cy) / 2, iImage, FALSE,
                          bDisabled && bGrayDisabled);
        }
        else if (m_nStyle & TBBS_CHECKED)
        {
            // A check mark: a short stroke down and a long one up, two pixels thick.
            const CPoint pt(rectImage.left + (rectImage.Width() - 7) / 2, rectImage.top + (rectImage.Height() - 7) / 2);
            for (int i = 0; i < 7; i++)
            {
                const int y = i < 3 ? pt.y + 2 + i : pt.y + 4 - (i - 2);
                pDC->FillSolidRect(pt.x + i, y, 1, 3, crText);
            }
        }
    }

    const int nArrowExtent = MenuArrowSize().cx - 1;
    CRect rectText(rectImage.right + kTextGap, rect.top, rect.right - nArrowExtent - 8, rect.bottom);
    CString strText = m_strLabel;
    CString strShortcut;
    const int iTab = strText.Find('\t');
    if (iTab >= 0)
    {
        strShortcut = strText.Mid(iTab + 1);
        strText = strText.Left(iTab);
    }
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOld = pDC->SetTextColor(crText);
    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | (m_bFitsWidth ? 0 : DT_END_ELLIPSIS);
    pDC->DrawText(strText, &rectText, nFormat | DT_LEFT);
    if (!strShortcut.IsEmpty())
        pDC->DrawText(strShortcut, &rectText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    pDC->SetTextColor(crOld);

    if (m_bHasMenu && (HasSubItems() || m_nCommandId == (UINT)-1))
        DrawMenuArrow(pDC, CRect(rect.right - nArrowExtent - 6, rect.top, rect.right - 2, rect.bottom), FALSE, crText);
}

// ---------------------------------------------------------------------------------------------------
// Opening and closing

void CQENToolbarMenuButton::AttachToParent(CWnd* pWndParent)
{
    CQENToolbarButton::AttachToParent(pWndParent);
    m_pWndParent = pWndParent;
}

BOOL CQENToolbarMenuButton::HandleClick(CWnd* pWndBar, BOOL bDelayed)
{
    if (!m_bHasMenu || pWndBar == NULL)
        return FALSE;
    m_pWndParent = pWndBar;
    m_bClickedOnMenu = FALSE;
    const BOOL bHasCommand = m_nCommandId != 0 && m_nCommandId != (UINT)-1;
    if (!bDelayed && bHasCommand && !m_bMenuItemMode)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        pWndBar->ScreenToClient(&pt);
        if (!ArrowPartRect().PtInRect(pt))
            return FALSE;
    }
    m_bClickedOnMenu = TRUE;
    if (m_pPopupMenu != NULL)
    {
        if (!bDelayed)
            CancelTracking();
        return TRUE;
    }
    CQENPopupMenuBar* pPopupBar = pWndBar->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar))
                                      ? static_cast<CQENPopupMenuBar*>(pWndBar)
                                      : NULL;
    if (pPopupBar != NULL && bDelayed && !IsCustomizing())
    {
        pPopupBar->ScheduleOpen(this);
        return TRUE;
    }
    if (pWndBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)))
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(pWndBar);
        for (int i = 0; i < pBar->ButtonCount(); i++)
        {
            CQENToolbarButton* pOther = pBar->ButtonAt(i);
            if (pOther != this && pOther->IsPopupOpen())
                pOther->CancelTracking();
        }
    }
    OpenPopupMenu(pWndBar);
    CRect rectRepaint = m_rect;
    rectRepaint.InflateRect(4, 4);
    pWndBar->InvalidateRect(rectRepaint);
    return TRUE;
}

BOOL CQENToolbarMenuButton::OpenPopupMenu(CWnd* pWndBar)
{
    if (pWndBar == NULL)
        pWndBar = m_pWndParent;
    if (pWndBar == NULL || !::IsWindow(pWndBar->m_hWnd))
        return FALSE;
    if (m_pPopupMenu != NULL)
        return TRUE;
    m_pWndParent = pWndBar;
    HMENU hMenu = BuildMenu();
    if (hMenu == NULL)
        return FALSE;
    if (CQENMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CQENMenuBar, pWndBar))
        pMenuBar->AppendWindowList(hMenu);

    CRect rectScreen = m_rect;
    pWndBar->ClientToScreen(&rectScreen);
    CPoint pt;
    BOOL bLocked = FALSE;
    if (pWndBar->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
    {
        // A submenu starts at its parent's right edge, its first item level with this one.
        CQENPopupMenu* pParentPopup = static_cast<CQENPopupMenuBar*>(pWndBar)->GetPopupMenu();
        const CRect rectParent = pParentPopup != NULL ? pParentPopup->MenuRect() : rectScreen;
        pt = CPoint(rectParent.right - 1, rectScreen.top - CQENPopupMenu::kFrameWidth);
    }
    else if (pWndBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)) && !static_cast<CQENToolBar*>(pWndBar)->IsHorizontal())
    {
        pt = CPoint(rectScreen.right, rectScreen.top);
    }
    else
    {
        pt = CPoint(rectScreen.left, rectScreen.bottom);
    }
    if (pWndBar->IsKindOf(RUNTIME_CLASS(CQENToolBar)))
        bLocked = static_cast<CQENToolBar*>(pWndBar)->m_bLocked;

    CQENPopupMenu* pPopup = new CQENPopupMenu;
    pPopup->m_pParentButton = this;
    m_pPopupMenu = pPopup;
    // A popup that fails has destroyed itself and let go of the button.
    const BOOL bCreated = pPopup->Create(pWndBar, pt.x, pt.y, hMenu, bLocked);
    ::DestroyMenu(hMenu);
    if (!bCreated)
    {
        m_pPopupMenu = NULL;
        return FALSE;
    }
    return TRUE;
}

void CQENToolbarMenuButton::CancelTracking()
{
    m_bToBeClosed = FALSE;
    if (m_pPopupMenu != NULL && ::IsWindow(m_pPopupMenu->m_hWnd))
        m_pPopupMenu->CloseMenu();
    m_pPopupMenu = NULL;
}

BOOL CQENToolbarMenuButton::HandleContextHelp(CWnd* pWnd)
{
    return HandleClick(pWnd, FALSE);
}

BOOL CQENToolbarMenuButton::IsCustomizable() const
{
    if (m_bHasMenu && m_nCommandId == (UINT)-1)
        return TRUE;
    return CQENToolbarButton::IsCustomizable();
}

BOOL CQENToolbarMenuButton::BeforeDragStart()
{
    CancelTracking();
    return TRUE;
}

void CQENToolbarMenuButton::CloseOwnerPopups()
{
    if (m_pWndParent == NULL || !m_pWndParent->IsKindOf(RUNTIME_CLASS(CQENPopupMenuBar)))
        return;
    CQENPopupMenu* pPopup = static_cast<CQENPopupMenuBar*>(m_pWndParent)->GetPopupMenu();
    if (pPopup != NULL)
        pPopup->OutermostPopup()->CloseMenu();
}

void CQENToolbarMenuButton::InvalidateOwnerArea()
{
    if (m_pWndParent != NULL && ::IsWindow(m_pWndParent->m_hWnd) && !m_rect.IsRectEmpty())
        m_pWndParent->InvalidateRect(m_rect);
}
