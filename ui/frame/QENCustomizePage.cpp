#include "QENCustomizePage.h"

#include "QENCommandManager.h"
#include "QENToolBar.h"
#include "QENToolbarButton.h"
#include "QENToolbarCustomize.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The frame around an image in the list, as DrawInCommandList leaves it.
const int kImageFrame = 6;

BOOL IsRealCommand(UINT nCommandId)
{
    return nCommandId != 0 && nCommandId != (UINT)-1;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// CQENCommandListBox

BEGIN_MESSAGE_MAP(CQENCommandListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CQENCommandListBox::CQENCommandListBox() : m_bDragSource(FALSE), m_iPressedItem(-1)
{
}

void CQENCommandListBox::FitItemHeight()
{
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont());
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    const int nHeight = std::max<int>(CQENToolBar::MenuImageSize().cy + kImageFrame, tm.tmHeight + 2);
    SetItemHeight(0, (UINT)nHeight);
}

void CQENCommandListBox::Fill(CQENToolbarCustomize* pSheet, const CObList& lstButtons, BOOL bFullPaths,
                              BOOL bSorted)
{
    const CQENCommandManager& manager = CQENCommandManager::Instance();
    std::vector<std::pair<CString, CQENToolbarButton*>> items;
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(lstButtons.GetNext(pos));
        const UINT nCommandId = pButton->m_nCommandId;
        if (IsRealCommand(nCommandId) && !CQENToolbarButton::IsUserToolCommand(nCommandId) &&
            manager.ImageOfCommand(nCommandId, FALSE) < 0 && manager.ImageOfCommand(nCommandId, TRUE) < 0)
        {
            // The image may have gone since the button was listed.
            pButton->m_bUserImage = FALSE;
            pButton->m_iStdImage = -1;
            pButton->m_iUserImageIndex = -1;
        }
        CString strLabel = pButton->m_strLabel;
        if (!pButton->m_strAltLabel.IsEmpty() && IsRealCommand(nCommandId) &&
            (bFullPaths || pSheet->CategoriesHolding(nCommandId) > 1))
            strLabel = pButton->m_strAltLabel;
        items.emplace_back(strLabel, pButton);
    }
    if (bSorted)
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return strcmp(a.first, b.first) < 0;
        });

    ResetContent();
    for (const auto& item : items)
    {
        const int iItem = AddString(item.first);
        if (iItem >= 0)
            SetItemDataPtr(iItem, item.second);
    }
}

CQENToolbarButton* CQENCommandListBox::ButtonAt(int iItem) const
{
    if (iItem < 0 || iItem >= GetCount())
        return NULL;
    void* pData = GetItemDataPtr(iItem);
    return pData == (void*)LB_ERR ? NULL : static_cast<CQENToolbarButton*>(pData);
}

void CQENCommandListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    CQENToolbarButton* pButton = ButtonAt((int)lpDrawItemStruct->itemID);
    if (pButton == NULL)
    {
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
        return;
    }
    // The button draws its own text: for the call it carries the label the list shows.
    CString strShown;
    GetText((int)lpDrawItemStruct->itemID, strShown);
    const CString strOwn = pButton->m_strLabel;
    pButton->m_strLabel = strShown;
    pButton->DrawInCommandList(pDC, rect, (lpDrawItemStruct->itemState & ODS_SELECTED) != 0);
    pButton->m_strLabel = strOwn;
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rect);
}

void CQENCommandListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonDown(nFlags, point);
    BOOL bOutside = TRUE;
    const int iItem = (int)ItemFromPoint(point, bOutside);
    m_iPressedItem = m_bDragSource && !bOutside ? iItem : -1;
    m_ptPressed = point;
}

void CQENCommandListBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_iPressedItem = -1;
    CListBox::OnLButtonUp(nFlags, point);
}

void CQENCommandListBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_iPressedItem < 0 || !(nFlags & MK_LBUTTON))
    {
        m_iPressedItem = -1;
        CListBox::OnMouseMove(nFlags, point);
        return;
    }
    // Until the pointer leaves the drag rectangle the list keeps its selection where the press put it.
    if (abs(point.x - m_ptPressed.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
        abs(point.y - m_ptPressed.y) <= ::GetSystemMetrics(SM_CYDRAG))
        return;
    const int iItem = m_iPressedItem;
    m_iPressedItem = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    DragItem(iItem);
}

void CQENCommandListBox::DragItem(int iItem)
{
    const CQENToolbarButton* pButton = ButtonAt(iItem);
    if (pButton == NULL)
        return;
    std::unique_ptr<CQENToolbarButton> pCopy(static_cast<CQENToolbarButton*>(pButton->GetRuntimeClass()->CreateObject()));
    if (pCopy == nullptr)
        return;
    pCopy->AssignFrom(*pButton);
    pCopy->m_bFromCommandList = TRUE;
    COleDataSource source;
    if (!pCopy->CopyToDataSource(&source))
        return;
    // The list keeps its command whatever the target does with the copy.
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

// ---------------------------------------------------------------------------------------------------
// CQENCustomizePage

IMPLEMENT_DYNAMIC(CQENCustomizePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQENCustomizePage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_CATEGORIES, OnCategoryChanged)
    ON_LBN_SELCHANGE(IDC_COMMANDS, OnCommandChanged)
END_MESSAGE_MAP()

CQENCustomizePage::CQENCustomizePage() : CPropertyPage(IDD), m_pSheet(NULL)
{
}

void CQENCustomizePage::SetSheet(CQENToolbarCustomize* pSheet, LPCTSTR lpszAllCommands)
{
    m_pSheet = pSheet;
    m_strAllCommands = lpszAllCommands;
}

BOOL CQENCustomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategories.SubclassDlgItem(IDC_CATEGORIES, this);
    m_wndCommands.SubclassDlgItem(IDC_COMMANDS, this);
    m_wndCommands.FitItemHeight();
    m_wndCommands.EnableDragging(TRUE);
    if (m_pSheet == NULL)
        return TRUE;

    const CStringList& lstCategories = m_pSheet->Categories();
    for (POSITION pos = lstCategories.GetHeadPosition(); pos != NULL;)
    {
        const CString& strCategory = lstCategories.GetNext(pos);
        const int iItem = m_wndCategories.AddString(strCategory);
        m_wndCategories.SetItemDataPtr(iItem, m_pSheet->ButtonsOf(strCategory));
    }
    const int iAll = m_wndCategories.AddString(m_strAllCommands);
    m_wndCategories.SetItemDataPtr(iAll, m_pSheet->ButtonsOf(m_strAllCommands));
    m_wndCategories.SetCurSel(0);
    ShowCategory(0);
    return TRUE;
}

void CQENCustomizePage::ShowCategory(int iCategory)
{
    BeginWaitCursor();
    m_wndCommands.SetRedraw(FALSE);
    const CObList* pButtons = NULL;
    CString strCategory;
    if (iCategory >= 0 && iCategory < m_wndCategories.GetCount())
    {
        m_wndCategories.GetText(iCategory, strCategory);
        pButtons = static_cast<const CObList*>(m_wndCategories.GetItemDataPtr(iCategory));
    }
    const BOOL bAll = strCategory == m_strAllCommands;
    const CObList lstNone;
    m_wndCommands.Fill(m_pSheet, pButtons != NULL ? *pButtons : lstNone, bAll, bAll);
    m_wndCommands.SetRedraw(TRUE);
    m_wndCommands.Invalidate();
    SetDlgItemText(IDC_DESCRIPTION, "");
    EndWaitCursor();
}

void CQENCustomizePage::OnCategoryChanged()
{
    ShowCategory(m_wndCategories.GetCurSel());
}

void CQENCustomizePage::OnCommandChanged()
{
    CString strPrompt;
    const CQENToolbarButton* pButton = m_wndCommands.SelectedButton();
    CFrameWnd* pFrame = m_pSheet != NULL ? m_pSheet->GetFrame() : NULL;
    if (pButton != NULL && pFrame != NULL && IsRealCommand(pButton->m_nCommandId))
        pFrame->GetMessageString(pButton->m_nCommandId, strPrompt);
    SetDlgItemText(IDC_DESCRIPTION, strPrompt);
}
