#include "QENPopupMenuBar.h"

#include "QENCommandUsage.h"
#include "QENDrawingCache.h"
#include "QENMenuBar.h"
#include "QENPopupMenu.h"
#include "QENShowAllButton.h"
#include "QENTearOffManager.h"
#include "QENToolbarSystemMenuButton.h"
#include "QENVisualManager.h"

#include <RecentFileList.h>

#include <algorithm>
#include <memory>
#include <stdlib.h>

namespace {

const int kDefaultShowDelay = 500;
const int kLongestShowDelay = 5000;
const int kSeparatorHeight = 8;
const int kShortcutColumnExtra = 10;
const CSize kEmptyBarSize(50, 20);
const int kInsertMarkHeight = 6;
const UINT kFirstRecentFile = 0xE110;
const UINT kLastRecentFile = 0xE11F;

// The mnemonic of a menu text, upper case; 0 when it has none.
TCHAR MnemonicOf(const CString& strText)
{
    for (int i = 0; i + 1 < strText.GetLength(); i++)
    {
        if ((BYTE)strText[i] >= 0x80)
        {
            i++;   // the trail byte of a double-byte character is never a mnemonic mark
            continue;
        }
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] == '&')
        {
            i++;
            continue;
        }
        const TCHAR ch = strText[i + 1];
        return (BYTE)ch < 0x80 ? (TCHAR)toupper((BYTE)ch) : 0;
    }
    return 0;
}

}   // namespace

IMPLEMENT_SERIAL(CQENPopupMenuBar, CQENToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CQENPopupMenuBar, CQENToolBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CQENUserToolsMenuSource* CQENUserToolsMenuSource::s_pActive = NULL;
int CQENPopupMenuBar::s_nMenuShowDelay = -1;
BOOL(PASCAL* CQENPopupMenuBar::s_pfnFindShortcut)(CFrameWnd*, UINT, CString&) = NULL;

BOOL PASCAL CQENPopupMenuBar::FindFrameShortcut(CFrameWnd* pFrame, UINT nCommandId, CString& strShortcut)
{
    if (s_pfnFindShortcut == NULL || pFrame == NULL)
        return FALSE;
    if (s_pfnFindShortcut(pFrame, nCommandId, strShortcut))
        return TRUE;
    CFrameWnd* pActive = pFrame->GetActiveFrame();
    return pActive != NULL && pActive != pFrame && s_pfnFindShortcut(pActive, nCommandId, strShortcut);
}

CQENPopupMenuBar::CQENPopupMenuBar()
    : m_bAllShown(TRUE),
      m_pPendingClose(NULL),
      m_pDelayedOpen(NULL),
      m_nDefaultCommand(0),
      m_nMaxWidth(0),
      m_bOpenedFromKeyboard(FALSE),
      m_bWholeMenuShown(FALSE),
      m_bItemsChanged(FALSE),
      m_iFirstVisible(0),
      m_bKeyboardMove(FALSE),
      m_bSkipNextSeparator(FALSE)
{
    m_bActsAsMenu = TRUE;
}

CQENPopupMenuBar::~CQENPopupMenuBar()
{
}

// ---------------------------------------------------------------------------------------------------
// The show delay

int PASCAL CQENPopupMenuBar::ReadMenuShowDelay()
{
    int nDelay = kDefaultShowDelay;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        char szValue[32] = "";
        DWORD dwType = 0;
        DWORD cbValue = sizeof szValue - 1;
        if (::RegQueryValueExA(hKey, "MenuShowDelay", NULL, &dwType, (LPBYTE)szValue, &cbValue) == ERROR_SUCCESS &&
            dwType == REG_SZ)
        {
            szValue[std::min<DWORD>(cbValue, sizeof szValue - 1)] = '\0';
            char* pEnd = NULL;
            const long nValue = strtol(szValue, &pEnd, 10);
            if (pEnd != szValue)
                nDelay = (int)std::max<long>(0, std::min<long>(nValue, kLongestShowDelay));
        }
        ::RegCloseKey(hKey);
    }
    return nDelay;
}

int PASCAL CQENPopupMenuBar::MenuShowDelay()
{
    if (s_nMenuShowDelay < 0)
        s_nMenuShowDelay = ReadMenuShowDelay();
    return s_nMenuShowDelay;
}

// ---------------------------------------------------------------------------------------------------
// Building

CQENPopupMenu* CQENPopupMenuBar::GetPopupMenu() const
{
    CWnd* pParent = m_hWnd != NULL ? GetParent() : NULL;
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CQENPopupMenu)) ? static_cast<CQENPopupMenu*>(pParent)
                                                                               : NULL;
}

void CQENPopupMenuBar::ClearButtons()
{
    // The items these point at are about to go.
    StopTimer(kOpenTimer);
    StopTimer(kCloseTimer);
    StopTimer(kShowAllTimer);
    for (int i = 0; i < ButtonCount(); i++)
        ButtonAt(i)->CancelTracking();
    CQENToolBar::ClearButtons();
    m_iFirstVisible = 0;
}

void CQENPopupMenuBar::AddMenuItem(UINT nCommandId, HMENU hSubMenu, const CString& strText, UINT nState)
{
    CQENToolbarMenuButton item(nCommandId, hSubMenu, -1, strText);
    item.m_bMenuItemMode = TRUE;
    if ((nState & (MF_GRAYED | MF_DISABLED)) && !CQENToolbarButton::IsUserToolCommand(nCommandId))
        item.m_nStyle |= TBBS_DISABLED;
    if (nState & MF_CHECKED)
        item.m_nStyle |= TBBS_CHECKED;
    if (nState & (MF_MENUBREAK | MF_MENUBARBREAK))
        item.m_nStyle |= TBBS_COLUMNBREAK;
    AddButtonAt(item);
}

void CQENPopupMenuBar::AddRecentFiles()
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != NULL ? pApp->m_pRecentFileList : NULL;
    char szCurrentDir[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof szCurrentDir, szCurrentDir);
    const int nCurrentDir = lstrlenA(szCurrentDir);
    int nAdded = 0;
    for (int i = 0; pList != NULL && i < pList->GetSize(); i++)
    {
        CString strName;
        if (!pList->GetDisplayName(strName, i, szCurrentDir, nCurrentDir))
            continue;
        strName.Replace("&", "&&");
        CString strText;
        strText.Format("&%d %s", i + 1, (LPCTSTR)strName);
        AddMenuItem(kFirstRecentFile + i, NULL, strText, 0);
        nAdded++;
    }
    m_bSkipNextSeparator = nAdded == 0;
}

void CQENPopupMenuBar::AddUserTools()
{
    const CQENUserToolsMenuSource* pTools = CQENUserToolsMenuSource::s_pActive;
    const int nTools = pTools != NULL ? pTools->ToolCount() : 0;
    if (nTools == 0)
    {
        m_bSkipNextSeparator = TRUE;
        return;
    }
    const CQENToolbarButton* pLast = ButtonAt(ButtonCount() - 1);
    if (pLast != NULL && !pLast->IsSeparator())
        AddSeparatorAt();
    for (int i = 0; i < nTools; i++)
    {
        UINT nCommandId = 0;
        CString strName;
        if (pTools->ToolAt(i, nCommandId, strName))
            AddMenuItem(nCommandId, NULL, strName, 0);
    }
    // A separator after the tools comes with the next item that needs one.
    AddSeparatorAt();
}

BOOL CQENPopupMenuBar::BuildFromMenuHandle(HMENU hMenu, BOOL bShowAll)
{
    if (hMenu == NULL || !::IsMenu(hMenu))
        return FALSE;
    CQENPopupMenu* pPopup = GetPopupMenu();
    CFrameWnd* pFrame = pPopup != NULL ? pPopup->OwnerFrame() : NULL;
    if (pFrame != NULL)
        pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(0, FALSE));
    if (!::IsMenu(hMenu))
        return FALSE;
    m_menuSource.ImportMenu(hMenu);
    ClearButtons();
    m_bAllShown = TRUE;
    m_bWholeMenuShown = bShowAll && CQENPopupMenu::s_bRecentlyUsedMenus;
    m_hiddenMnemonics.RemoveAll();
    m_bSkipNextSeparator = FALSE;
    const UINT nDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    m_nDefaultCommand = nDefault == (UINT)-1 ? 0 : nDefault;
    const BOOL bShowEverything = bShowAll || m_bOpenedFromKeyboard || !CQENPopupMenu::s_bRecentlyUsedMenus;
    const UINT nToolsEntry =
        CQENUserToolsQuery::s_pActive != NULL ? CQENUserToolsQuery::s_pActive->ToolsEntryCommand() : 0;

    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        const UINT nState = CQENToolbarMenuButton::MenuItemState(hMenu, i);
        if (nState & MF_SEPARATOR)
        {
            const CQENToolbarButton* pLast = ButtonAt(ButtonCount() - 1);
            if (!m_bSkipNextSeparator && pLast != NULL && !pLast->IsSeparator())
                AddSeparatorAt();
            m_bSkipNextSeparator = FALSE;
            continue;
        }
        m_bSkipNextSeparator = FALSE;
        TCHAR szText[256] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof szText, MF_BYPOSITION);
        CString strText(szText);
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        UINT nCommandId = hSubMenu != NULL ? (UINT)-1 : ::GetMenuItemID(hMenu, i);
        UINT nTearOffId = 0;
        if (hSubMenu != NULL)
            nTearOffId = CQENTearOffManager::ParseTearOffText(strText);

        // The placeholders stay what they are while the menu is customized. The recent-file one is
        // known by its command: its text is the program's own language.
        if (nCommandId == kFirstRecentFile && !s_bCustomizing)
        {
            AddRecentFiles();
            // Recent-file entries already put in the menu after it are among those listed now.
            while (i + 1 < nCount && ::GetMenuItemID(hMenu, i + 1) > kFirstRecentFile &&
                   ::GetMenuItemID(hMenu, i + 1) <= kLastRecentFile)
                i++;
            continue;
        }
        if (nToolsEntry != 0 && nCommandId == nToolsEntry && !s_bCustomizing)
        {
            AddUserTools();
            continue;
        }
        if (!bShowEverything && CQENCommandUsage::IsRarelyUsedCommand(nCommandId))
        {
            m_bAllShown = FALSE;
            const TCHAR chMnemonic = MnemonicOf(strText);
            if (chMnemonic != 0)
                m_hiddenMnemonics.AddTail(std::make_pair(chMnemonic, nCommandId));
            continue;
        }
        AddMenuItem(nCommandId, hSubMenu, strText, nState);
        if (nTearOffId != 0)
            static_cast<CQENToolbarMenuButton*>(ButtonAt(ButtonCount() - 1))->SetTearOffId(nTearOffId);
    }
    while (ButtonCount() > 0 && ButtonAt(ButtonCount() - 1)->IsSeparator())
        DeleteButtonAt(ButtonCount() - 1);
    if (m_hWnd != NULL)
        RecalcButtonLayout();
    return TRUE;
}

void CQENPopupMenuBar::AppendShowAllButton()
{
    const CQENToolbarButton* pLast = ButtonAt(ButtonCount() - 1);
    if (pLast != NULL && pLast->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)))
        return;
    CQENShowAllButton button;
    AddButtonAt(button);
    if (m_hWnd != NULL)
        RecalcButtonLayout();
}

void CQENPopupMenuBar::ShowAllItems()
{
    HMENU hMenu = m_menuSource.BuildMenu();
    if (hMenu == NULL)
        return;
    BuildFromMenuHandle(hMenu, TRUE);
    ::DestroyMenu(hMenu);
    CQENPopupMenu* pPopup = GetPopupMenu();
    if (pPopup != NULL)
        pPopup->RecalcLayout();
}

void CQENPopupMenuBar::CopyItemsTo(CQENToolbarMenuButton* pButton) const
{
    pButton->ClearSubItems();
    for (int i = 0; i < ButtonCount(); i++)
    {
        const CQENToolbarButton* pItem = ButtonAt(i);
        if (pItem->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)))
            continue;
        CQENToolbarButton* pCopy = static_cast<CQENToolbarButton*>(pItem->GetRuntimeClass()->CreateObject());
        if (pCopy == NULL)
            continue;
        pCopy->AssignFrom(*pItem);
        // The command's state and shortcut are the menu's to show each time it opens.
        pCopy->m_nStyle &= ~(TBBS_PRESSED | TBBS_CHECKED | TBBS_INDETERMINATE | TBBS_DISABLED);
        const int iTab = pCopy->m_strLabel.Find('\t');
        if (iTab >= 0)
            pCopy->m_strLabel = pCopy->m_strLabel.Left(iTab);
        pButton->m_SubItems.AddTail(pCopy);
    }
    pButton->m_bHasMenu = TRUE;
}

HMENU CQENPopupMenuBar::BuildMenuHandle() const
{
    CQENToolbarMenuButton items;
    for (int i = 0; i < ButtonCount(); i++)
    {
        const CQENToolbarButton* pButton = ButtonAt(i);
        if (pButton->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)))
            continue;
        CQENToolbarButton* pCopy = static_cast<CQENToolbarButton*>(pButton->GetRuntimeClass()->CreateObject());
        if (pCopy == NULL)
            continue;
        pCopy->AssignFrom(*pButton);
        items.m_SubItems.AddTail(pCopy);
    }
    HMENU hMenu = items.BuildMenu();
    if (hMenu != NULL && m_nDefaultCommand != 0)
        ::SetMenuDefaultItem(hMenu, m_nDefaultCommand, FALSE);
    return hMenu;
}

// ---------------------------------------------------------------------------------------------------
// Layout

int CQENPopupMenuBar::RowHeight() const
{
    const CSize sizeImage = MenuImageSize();
    return std::max<int>(sizeImage.cy + 2, theDrawingCache.m_nMenuTextHeight);
}

int CQENPopupMenuBar::ColumnWidth() const
{
    return MenuImageSize().cx + 2;
}

CSize CQENPopupMenuBar::LayOutItems(BOOL bPlace)
{
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CFont* pOldFont = dc.SelectObject(&theDrawingCache.m_fontMenu);
    const CSize sizeDefault(ColumnWidth(), RowHeight());
    const BOOL bColumnBreaks = !s_bCustomizing;

    struct Placed
    {
        CQENToolbarButton* pButton;
        int iColumn;
        int y;
        int cy;
    };
    CArray<Placed, const Placed&> placed;
    CArray<int, int> columnWidths;
    columnWidths.Add(0);
    int y = 0;
    int nTallest = 0;
    for (int i = 0; i < ButtonCount(); i++)
    {
        CQENToolbarButton* pButton = ButtonAt(i);
        if (bColumnBreaks && (pButton->m_nStyle & TBBS_COLUMNBREAK) && y > 0)
        {
            columnWidths.Add(0);
            y = 0;
        }
        int cx = 0;
        int cy = kSeparatorHeight;
        if (!pButton->IsSeparator())
        {
            CFont* pItemFont = NULL;
            if (m_nDefaultCommand != 0 && pButton->m_nCommandId == m_nDefaultCommand)
                pItemFont = dc.SelectObject(&theDrawingCache.m_fontMenuBold);
            const CSize size = pButton->MeasureButton(&dc, sizeDefault, TRUE);
            if (pItemFont != NULL)
                dc.SelectObject(pItemFont);
            cx = size.cx + (pButton->m_strLabel.Find('\t') >= 0 ? kShortcutColumnExtra : 0);
            cy = size.cy;
            pButton->m_bFitsWidth = m_nMaxWidth <= 0 || cx <= m_nMaxWidth - 2;
        }
        const int iColumn = (int)columnWidths.GetSize() - 1;
        columnWidths[iColumn] = std::max(columnWidths[iColumn], cx);
        placed.Add(Placed{pButton, iColumn, y, cy});
        y += cy;
        nTallest = std::max(nTallest, y);
    }
    dc.SelectObject(pOldFont);

    m_columnLefts.RemoveAll();
    int nWidth = 0;
    for (INT_PTR i = 0; i < columnWidths.GetSize(); i++)
    {
        m_columnLefts.Add(1 + nWidth);
        nWidth += columnWidths[i];
    }
    if (bPlace)
    {
        const int nScroll = m_iFirstVisible > 0 && m_iFirstVisible < placed.GetSize() ? placed[m_iFirstVisible].y : 0;
        for (INT_PTR i = 0; i < placed.GetSize(); i++)
        {
            const Placed& item = placed[i];
            const int nColumnWidth = columnWidths[item.iColumn];
            const int nItemWidth = m_nMaxWidth > 0 ? std::min(nColumnWidth, m_nMaxWidth - 2) : nColumnWidth;
            const CRect rect(m_columnLefts[item.iColumn], 1 + item.y - nScroll, m_columnLefts[item.iColumn] + nItemWidth,
                             1 + item.y - nScroll + item.cy);
            item.pButton->m_bHidden = FALSE;
            if (item.pButton->m_rect != rect)
            {
                item.pButton->m_rect = rect;
                item.pButton->AfterMove();
            }
        }
    }
    if (ButtonCount() == 0)
        return kEmptyBarSize;
    CSize size(nWidth + 2, nTallest + 2);
    if (m_nMaxWidth > 0)
        size.cx = std::min<LONG>(size.cx, m_nMaxWidth);
    return size;
}

CSize CQENPopupMenuBar::CalcSize(BOOL)
{
    return LayOutItems(FALSE);
}

CSize CQENPopupMenuBar::CalcLayout(DWORD, int)
{
    return LayOutItems(FALSE);
}

void CQENPopupMenuBar::PositionButtons()
{
    LayOutItems(TRUE);
}

int CQENPopupMenuBar::LastFirstVisibleItem() const
{
    if (m_hWnd == NULL || ButtonCount() == 0)
        return 0;
    CRect rectClient;
    GetClientRect(&rectClient);
    // Counted from the end: as many items as fit in the window below the first visible one.
    const int nBottom = ButtonAt(ButtonCount() - 1)->m_rect.bottom;
    int iFirst = ButtonCount() - 1;
    while (iFirst > 0 && nBottom - ButtonAt(iFirst - 1)->m_rect.top <= rectClient.Height() - 1)
        iFirst--;
    return iFirst;
}

void CQENPopupMenuBar::SetFirstVisibleItem(int iItem)
{
    iItem = std::max(0, std::min(iItem, LastFirstVisibleItem()));
    if (iItem == m_iFirstVisible)
        return;
    m_iFirstVisible = iItem;
    RecalcButtonLayout();
}

BOOL CQENPopupMenuBar::IsLastItemVisible() const
{
    if (ButtonCount() == 0 || m_hWnd == NULL)
        return TRUE;
    CRect rectClient;
    GetClientRect(&rectClient);
    return ButtonAt(ButtonCount() - 1)->m_rect.bottom <= rectClient.bottom;
}

void CQENPopupMenuBar::EnsureVisible(int iItem)
{
    const CQENToolbarButton* pButton = ButtonAt(iItem);
    if (pButton == NULL || m_hWnd == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (iItem < m_iFirstVisible)
    {
        SetFirstVisibleItem(iItem);
        return;
    }
    while (m_iFirstVisible < iItem && pButton->m_rect.bottom > rectClient.bottom)
        SetFirstVisibleItem(m_iFirstVisible + 1);
}

// ---------------------------------------------------------------------------------------------------
// Drawing

void CQENPopupMenuBar::DrawButtonAt(CDC* pDC, CQENToolbarButton* pButton, CQENButtonImageList* pImages,
                                    BOOL bHighlighted, BOOL bGrayDisabled)
{
    if (m_bWholeMenuShown && CQENCommandUsage::IsRarelyUsedCommand(pButton->m_nCommandId))
        CQENVisualManager::CurrentManager()->PaintRarelyUsedBand(pDC, pButton->m_rect);
    CFont* pOldFont = NULL;
    if (m_nDefaultCommand != 0 && pButton->m_nCommandId == m_nDefaultCommand)
        pOldFont = pDC->SelectObject(&theDrawingCache.m_fontMenuBold);
    CQENToolBar::DrawButtonAt(pDC, pButton, pImages, bHighlighted, bGrayDisabled);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

void CQENPopupMenuBar::PaintSeparatorAt(CDC* pDC, const CQENToolbarButton* pButton, BOOL)
{
    // Items are stacked: the separator is a line across the column.
    CQENVisualManager::CurrentManager()->PaintSeparator(pDC, this, pButton->m_rect, FALSE);
}

void CQENPopupMenuBar::DrawInsertMark(CDC* pDC)
{
    // Items are stacked whatever the bar's orientation: the beam lies across the column.
    DrawInsertBeam(pDC, FALSE);
}

// ---------------------------------------------------------------------------------------------------
// Customize mode: items dragged in and out

int CQENPopupMenuBar::DropIndexAt(CPoint point, CRect& rectMark)
{
    rectMark.SetRectEmpty();
    CRect rectClient;
    GetClientRect(&rectClient);
    int iDrop = -1;
    CRect rectEdge;
    if (ButtonCount() == 0)
    {
        iDrop = 0;
        rectEdge = CRect(rectClient.left, rectClient.top + 1, rectClient.right, rectClient.top + 1);
    }
    // The items of the column under the point, top to bottom: before an item over its upper half,
    // after it over its lower half or below it.
    for (int i = 0; i < ButtonCount(); i++)
    {
        const CQENToolbarButton* pItem = ButtonAt(i);
        const CRect& rect = pItem->m_rect;
        if (pItem->m_bHidden || point.x < rect.left || point.x >= rect.right)
            continue;
        const BOOL bBefore = point.y < rect.CenterPoint().y;
        iDrop = bBefore ? i : i + 1;
        const int y = bBefore ? rect.top : rect.bottom;
        rectEdge = CRect(rect.left, y, rect.right, y);
        if (point.y < rect.bottom)
            break;
    }
    if (iDrop < 0)
        return -1;
    rectMark = rectEdge;
    rectMark.InflateRect(0, kInsertMarkHeight / 2);
    rectMark.OffsetRect(0, std::max<LONG>(0, rectClient.top - rectMark.top));
    rectMark.OffsetRect(0, std::min<LONG>(0, rectClient.bottom - rectMark.bottom));
    return iDrop;
}

CQENToolbarButton* CQENPopupMenuBar::MakeDroppedButton(COleDataObject* pDataObject)
{
    std::unique_ptr<CQENToolbarButton> pDropped(CQENToolbarButton::CreateFromDataObject(pDataObject));
    if (pDropped == nullptr)
        return NULL;
    std::unique_ptr<CQENToolbarMenuButton> pItem;
    if (pDropped->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)))
        pItem.reset(static_cast<CQENToolbarMenuButton*>(pDropped.release()));
    else
    {
        pItem.reset(new CQENToolbarMenuButton);
        pItem->AssignFrom(*pDropped);
    }
    const int iTab = pItem->m_strLabel.Find('\t');
    if (iTab >= 0)
        pItem->m_strLabel = pItem->m_strLabel.Left(iTab);
    if (pItem->m_strLabel.IsEmpty() && !FillButtonText(pItem.get()))
        return NULL;   // a menu item is its text
    pItem->m_bMenuItemMode = TRUE;
    pItem->m_bShowLabel = TRUE;
    pItem->m_bShowImage = pItem->GetImage() >= 0;
    return pItem.release();
}

BOOL CQENPopupMenuBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!CQENToolBar::OnDrop(pDataObject, dropEffect, point))
        return FALSE;
    m_bItemsChanged = TRUE;
    return TRUE;
}

BOOL CQENPopupMenuBar::OnCustomizeCommand(UINT nCommandId)
{
    if (!CQENToolBar::OnCustomizeCommand(nCommandId))
        return FALSE;
    m_bItemsChanged = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// The highlight and the submenus

int CQENPopupMenuBar::IndexOfMenuButton(const CQENToolbarMenuButton* pButton) const
{
    return pButton != NULL ? IndexOfButton(pButton) : -1;
}

CQENToolbarMenuButton* CQENPopupMenuBar::HighlightedMenuButton() const
{
    CQENToolbarButton* pButton = ButtonAt(m_iHotIndex);
    return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton))
               ? static_cast<CQENToolbarMenuButton*>(pButton)
               : NULL;
}

void CQENPopupMenuBar::StopTimer(UINT nTimer)
{
    if (m_hWnd != NULL)
        KillTimer(nTimer);
    if (nTimer == kOpenTimer)
        m_pDelayedOpen = NULL;
    else if (nTimer == kCloseTimer)
        m_pPendingClose = NULL;
}

void CQENPopupMenuBar::SetHighlight(int iItem, BOOL bFromKeyboard)
{
    m_bKeyboardMove = bFromKeyboard;
    HotButtonChanged(iItem);
    m_bKeyboardMove = FALSE;
}

void CQENPopupMenuBar::ResetHot()
{
    // The item whose submenu is open stays highlighted while the pointer is in the submenu.
    const CQENToolbarMenuButton* pHot = HighlightedMenuButton();
    if (pHot != NULL && pHot->IsPopupOpen())
        return;
    HotButtonChanged(-1);
}

void CQENPopupMenuBar::HotButtonChanged(int iHot)
{
    if (iHot == m_iHotIndex)
        return;
    const BOOL bByKeyOrCustomizing = m_bKeyboardMove || s_bCustomizing;
    const BOOL bImmediate = bByKeyOrCustomizing || MenuShowDelay() == 0;
    CQENToolbarMenuButton* pOld = HighlightedMenuButton();
    const int iOld = m_iHotIndex;
    m_iHotIndex = iHot;
    RepaintRectOf(iOld);
    RepaintRectOf(m_iHotIndex);

    if (pOld != NULL && pOld->IsPopupOpen())
    {
        if (bImmediate)
        {
            pOld->CancelTracking();
        }
        else if (m_hWnd != NULL)
        {
            m_pPendingClose = pOld;
            SetTimer(kCloseTimer, std::max(MenuShowDelay() - 1, 1), NULL);
        }
    }
    CQENToolbarMenuButton* pNew = HighlightedMenuButton();
    if (pNew != NULL && pNew == m_pPendingClose)
        StopTimer(kCloseTimer);
    if (pNew != m_pDelayedOpen)
        StopTimer(kOpenTimer);
    if (pNew != NULL && pNew->m_bHasMenu && !pNew->IsPopupOpen() && !m_bKeyboardMove &&
        !(pNew->m_nStyle & TBBS_DISABLED))
        ScheduleOpen(pNew);
    // Resting on the show-all item unfolds the whole menu by itself.
    StopTimer(kShowAllTimer);
    if (pNew != NULL && pNew->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)) && CQENPopupMenu::s_bShowAllMenusAfterDelay &&
        !bByKeyOrCustomizing && m_hWnd != NULL)
        SetTimer(kShowAllTimer, std::max(MenuShowDelay(), 1), NULL);
    if (pNew != NULL)
        ShowCommandPrompt(pNew);
}

void CQENPopupMenuBar::ScheduleOpen(CQENToolbarMenuButton* pButton)
{
    if (pButton == NULL || m_hWnd == NULL)
        return;
    if (pButton == m_pDelayedOpen || MenuShowDelay() == 0)
    {
        StopTimer(kOpenTimer);
        OpenSubmenuOf(pButton, FALSE);
        return;
    }
    m_pDelayedOpen = pButton;
    SetTimer(kOpenTimer, std::max(MenuShowDelay(), 1), NULL);
}

void CQENPopupMenuBar::OpenSubmenuOf(CQENToolbarMenuButton* pButton, BOOL bHighlightFirst)
{
    for (int i = 0; i < ButtonCount(); i++)
    {
        CQENToolbarButton* pOther = ButtonAt(i);
        if (pOther != pButton && pOther->IsPopupOpen())
            pOther->CancelTracking();
    }
    if (pButton->IsPopupOpen() || !pButton->OpenPopupMenu(this))
        return;
    CQENPopupMenu* pSubmenu = pButton->GetPopupMenu();
    if (bHighlightFirst && pSubmenu != NULL)
        pSubmenu->GetMenuBar()->MoveHighlight(VK_HOME);
}

void CQENPopupMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kOpenTimer)
    {
        CQENToolbarMenuButton* pButton = m_pDelayedOpen;
        StopTimer(kOpenTimer);
        if (pButton != NULL && IndexOfMenuButton(pButton) == m_iHotIndex)
            OpenSubmenuOf(pButton, FALSE);
        return;
    }
    if (nIDEvent == kCloseTimer)
    {
        CQENToolbarMenuButton* pButton = m_pPendingClose;
        StopTimer(kCloseTimer);
        if (pButton != NULL && IndexOfMenuButton(pButton) != m_iHotIndex)
            pButton->CancelTracking();
        return;
    }
    if (nIDEvent == kShowAllTimer)
    {
        StopTimer(kShowAllTimer);
        const CQENToolbarButton* pHot = ButtonAt(m_iHotIndex);
        if (pHot != NULL && pHot->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)))
            ShowAllItems();
        return;
    }
    CQENToolBar::OnTimer(nIDEvent);
}

void CQENPopupMenuBar::OnDestroy()
{
    StopTimer(kOpenTimer);
    StopTimer(kCloseTimer);
    StopTimer(kShowAllTimer);
    CQENToolBar::OnDestroy();
}

int CQENPopupMenuBar::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------------------------------
// Running items

BOOL CQENPopupMenuBar::IsSelectable(int iItem) const
{
    const CQENToolbarButton* pButton = ButtonAt(iItem);
    return pButton != NULL && !pButton->IsSeparator() && !pButton->m_bHidden;
}

BOOL CQENPopupMenuBar::MoveHighlight(UINT nKey)
{
    if (s_bCustomizing)
        return FALSE;
    const int nCount = ButtonCount();
    int iStart;
    int nStep;
    switch (nKey)
    {
    case VK_HOME:
        iStart = 0;
        nStep = 1;
        break;
    case VK_END:
        iStart = nCount - 1;
        nStep = -1;
        break;
    case VK_DOWN:
        iStart = m_iHotIndex < 0 ? 0 : m_iHotIndex + 1;
        nStep = 1;
        break;
    case VK_UP:
        iStart = m_iHotIndex < 0 ? nCount - 1 : m_iHotIndex - 1;
        nStep = -1;
        break;
    default:
        return FALSE;
    }
    // Up and Down wrap around the ends of the menu.
    for (int n = 0; n < nCount; n++)
    {
        const int i = ((iStart + n * nStep) % nCount + nCount) % nCount;
        if (IsSelectable(i))
        {
            SetHighlight(i, TRUE);
            EnsureVisible(i);
            return TRUE;
        }
    }
    return FALSE;
}

void CQENPopupMenuBar::RunCommand(CQENToolbarButton* pButton)
{
    CQENPopupMenu* pPopup = GetPopupMenu();
    // The system menu of a maximized child belongs to the child: its commands go there as system
    // commands, once the menus are gone.
    CQENPopupMenu* pOutermost = pPopup != NULL ? pPopup->OutermostPopup() : NULL;
    const CQENToolbarSystemMenuButton* pSystemButton =
        pOutermost != NULL ? DYNAMIC_DOWNCAST(CQENToolbarSystemMenuButton, pOutermost->m_pParentButton) : NULL;
    if (pSystemButton != NULL)
    {
        CQENMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CQENMenuBar, pSystemButton->m_pWndParent);
        const UINT nSysCommand = pButton->m_nCommandId;
        // This bar is gone after the next line: only locals from here on.
        pOutermost->CloseMenu();
        if (pMenuBar != NULL)
            pMenuBar->SendToActiveChild(nSysCommand);
        return;
    }
    // This bar is gone once a tracked command is handed over.
    if (pOutermost != NULL && pOutermost->HandOverTrackedCommand(pButton->m_nCommandId))
        return;
    // Posted: the command runs once the menus are gone.
    ExecuteButton(pButton);
    if (pPopup != NULL)
        pPopup->OutermostPopup()->CloseMenu();
}

BOOL CQENPopupMenuBar::ActivateHighlighted()
{
    CQENToolbarButton* pButton = ButtonAt(m_iHotIndex);
    if (pButton == NULL || pButton->IsSeparator() || (pButton->m_nStyle & TBBS_DISABLED))
        return FALSE;
    if (pButton->IsKindOf(RUNTIME_CLASS(CQENShowAllButton)))
    {
        ShowAllItems();
        return TRUE;
    }
    CQENToolbarMenuButton* pMenuButton = HighlightedMenuButton();
    if (pMenuButton != NULL && pMenuButton->m_bHasMenu)
    {
        OpenSubmenuOf(pMenuButton, TRUE);
        return TRUE;
    }
    RunCommand(pButton);
    return TRUE;
}

BOOL CQENPopupMenuBar::HandleMnemonic(UINT nChar)
{
    const TCHAR chKey = (TCHAR)toupper((int)(nChar & 0xFF));
    int iFirst = -1;
    int nMatches = 0;
    for (int i = 0; i < ButtonCount(); i++)
    {
        if (!IsSelectable(i) || MnemonicOf(ButtonAt(i)->m_strLabel) != chKey)
            continue;
        if (iFirst < 0 || (i > m_iHotIndex && iFirst <= m_iHotIndex))
            iFirst = i;
        nMatches++;
    }
    if (nMatches == 0)
    {
        // A hidden item still answers to its mnemonic.
        for (POSITION pos = m_hiddenMnemonics.GetHeadPosition(); pos != NULL;)
        {
            const std::pair<TCHAR, UINT> hidden = m_hiddenMnemonics.GetNext(pos);
            if (hidden.first != chKey)
                continue;
            CQENToolbarButton command(hidden.second, -1, NULL, FALSE, TRUE);
            RunCommand(&command);
            return TRUE;
        }
        return FALSE;
    }
    SetHighlight(iFirst, TRUE);
    EnsureVisible(iFirst);
    if (nMatches == 1)
        ActivateHighlighted();
    return TRUE;
}

void CQENPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (s_bCustomizing)
    {
        // An item dragged away changes the menu; one dropped here is noted by the drop.
        CList<const CQENToolbarButton*, const CQENToolbarButton*> itemsBefore;
        for (int i = 0; i < ButtonCount(); i++)
            itemsBefore.AddTail(ButtonAt(i));
        const HWND hWnd = m_hWnd;
        CQENToolBar::OnLButtonDown(nFlags, point);
        if (!::IsWindow(hWnd))
            return;
        BOOL bSame = itemsBefore.GetCount() == ButtonCount();
        POSITION pos = itemsBefore.GetHeadPosition();
        for (int i = 0; bSame && i < ButtonCount(); i++)
            bSame = itemsBefore.GetNext(pos) == ButtonAt(i);
        if (!bSame)
            m_bItemsChanged = TRUE;
        return;
    }
    const int iHit = HitTest(point);
    CQENToolbarButton* pButton = ButtonAt(iHit);
    if (pButton == NULL || (pButton->m_nStyle & TBBS_DISABLED))
        return;
    SetHighlight(iHit, FALSE);
    // Commands and the show-all item act when the button is released.
    if (pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) &&
        static_cast<CQENToolbarMenuButton*>(pButton)->m_bHasMenu)
        pButton->HandleClick(this, FALSE);
}

void CQENPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (s_bCustomizing)
    {
        CQENToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int iHit = HitTest(point);
    CQENToolbarButton* pButton = ButtonAt(iHit);
    if (pButton == NULL || (pButton->m_nStyle & TBBS_DISABLED))
        return;
    const CQENToolbarMenuButton* pMenuButton = pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton))
                                                   ? static_cast<const CQENToolbarMenuButton*>(pButton)
                                                   : NULL;
    if (pMenuButton != NULL && pMenuButton->m_bHasMenu)
        return;
    m_iHotIndex = iHit;
    ActivateHighlighted();
}
