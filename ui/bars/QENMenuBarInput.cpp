// CQENMenuBar: the keyboard, mnemonics, the focus and the mouse clicks the menu bar treats itself.
#include "QENMenuBar.h"

#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolbarMenuButton.h"
#include "QENToolbarMenuButtonsButton.h"
#include "QENToolbarSystemMenuButton.h"

#include <ctype.h>

BEGIN_MESSAGE_MAP(CQENMenuBar, CQENToolBar)
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

UINT UpperCased(UINT nChar)
{
    return nChar < 0x80 ? (UINT)toupper((int)nChar) : nChar;
}

// The character after the first single "&" ("&&" is a literal ampersand); 0 when there is none.
UINT MnemonicOf(const CString& strLabel)
{
    for (int i = 0; i + 1 < strLabel.GetLength(); i++)
    {
        if ((BYTE)strLabel[i] >= 0x80)
        {
            i++;   // the trail byte of a double-byte character is no mark
            continue;
        }
        if (strLabel[i] != '&')
            continue;
        if (strLabel[i + 1] == '&')
        {
            i++;
            continue;
        }
        return (BYTE)strLabel[i + 1];
    }
    return 0;
}

} // namespace

BOOL CQENMenuBar::IsMenuItem(int iIndex) const
{
    const CQENToolbarButton* pButton = ButtonAt(iIndex);
    return pButton != NULL && !pButton->IsSeparator() && !pButton->m_bHidden && !IsCaptionItem(pButton);
}

BOOL CQENMenuBar::IsAnyPopupOpen() const
{
    for (int i = 0; i < ButtonCount(); i++)
        if (ButtonAt(i)->IsPopupOpen())
            return TRUE;
    return FALSE;
}

void CQENMenuBar::Highlight(int iIndex)
{
    const int iOld = m_iHotIndex;
    m_iHotIndex = iIndex;
    RepaintRectOf(iOld);
    RepaintRectOf(iIndex);
}

void CQENMenuBar::HotButtonChanged(int iHot)
{
    CQENToolBar::HotButtonChanged(iHot);
    if (!IsAnyPopupOpen())
        s_bMenuBarKeyboardMode = FALSE;
}

void CQENMenuBar::ActivateItem(int iIndex, BOOL bFromKeyboard)
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    if (pButton == NULL || (pButton->m_nStyle & TBBS_DISABLED))
        return;
    Highlight(iIndex);
    CQENToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CQENToolbarMenuButton, pButton);
    if (pMenuButton == NULL || !pMenuButton->m_bHasMenu)
    {
        ExecuteButton(pButton);
        // As a command chosen from a menu, it ends the keyboard's visit to the bar.
        if (bFromKeyboard)
        {
            ResetHot();
            ReturnFocus();
            s_bMenuBarKeyboardMode = FALSE;
        }
        return;
    }
    if (!pMenuButton->OpenPopupMenu(this))
        return;
    SetTimer(kPopupTimer, kPopupTimerPeriod, NULL);
    if (bFromKeyboard && pMenuButton->GetPopupMenu() != NULL)
        pMenuButton->GetPopupMenu()->GetMenuBar()->MoveHighlight(VK_HOME);
}

void CQENMenuBar::RebuildMnemonics()
{
    m_mnemonics.RemoveAll();
    for (int i = 0; i < ButtonCount(); i++)
    {
        const CQENToolbarButton* pButton = ButtonAt(i);
        if (pButton->IsSeparator() || !pButton->m_bShowLabel)
            continue;
        const UINT nMnemonic = MnemonicOf(pButton->m_strLabel);
        if (nMnemonic != 0)
            m_mnemonics.SetAt(UpperCased(nMnemonic), i);
    }
}

BOOL CQENMenuBar::MapCharKey(UINT nChar)
{
    int iIndex = -1;
    if (!m_mnemonics.Lookup(UpperCased(nChar), iIndex))
        return FALSE;
    // A menu opened by its letter appears at once.
    const int nAnimation = CQENPopupMenu::s_nMenuAnimation;
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    ActivateItem(iIndex, TRUE);
    CQENPopupMenu::s_nMenuAnimation = nAnimation;
    return TRUE;
}

void CQENMenuBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (IsAnyPopupOpen() || !IsMenuItem(m_iHotIndex))
    {
        CQENToolBar::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    switch (nChar)
    {
    case VK_RETURN:
        ActivateItem(m_iHotIndex, TRUE);
        return;
    case VK_DOWN:
    {
        const CQENToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CQENToolbarMenuButton, ButtonAt(m_iHotIndex));
        if (pMenuButton != NULL && pMenuButton->m_bHasMenu)
            ActivateItem(m_iHotIndex, TRUE);
        return;
    }
    case VK_ESCAPE:
        ResetHot();
        ReturnFocus();
        s_bMenuBarKeyboardMode = FALSE;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    {
        const int nStep = nChar == VK_RIGHT ? 1 : -1;
        const int nCount = ButtonCount();
        for (int n = 1; n < nCount; n++)
        {
            const int i = ((m_iHotIndex + n * nStep) % nCount + nCount) % nCount;
            if (IsMenuItem(i))
            {
                Highlight(i);
                return;
            }
        }
        return;
    }
    default:
        break;
    }
    const UINT nCharacter = ::MapVirtualKeyA(nChar, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (nCharacter != 0 && MapCharKey(nCharacter))
        return;
    CQENToolBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CQENMenuBar::OnSetFocus(CWnd* pOldWnd)
{
    CQENToolBar::OnSetFocus(pOldWnd);
    m_hWndFocusBefore = pOldWnd != NULL ? pOldWnd->m_hWnd : NULL;
    s_bMenuBarKeyboardMode = TRUE;
    if (IsAnyPopupOpen())
        return;
    if (m_pOwnerFrame != NULL)
        m_pOwnerFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    if (m_iHotIndex < 0)
    {
        for (int i = 0; i < ButtonCount(); i++)
            if (IsMenuItem(i))
            {
                Highlight(i);
                break;
            }
    }
}

void CQENMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    CQENToolBar::OnKillFocus(pNewWnd);
    if (IsAnyPopupOpen())
        return;
    ResetHot();
    s_bMenuBarKeyboardMode = FALSE;
}

void CQENMenuBar::ResetHot()
{
    if (!IsAnyPopupOpen())
        CQENToolBar::ResetHot();
}

void CQENMenuBar::ReturnFocus()
{
    CWnd* pTarget = m_hWndFocusBefore != NULL && ::IsWindow(m_hWndFocusBefore) ? CWnd::FromHandle(m_hWndFocusBefore)
                                                                              : GetParentFrame();
    m_hWndFocusBefore = NULL;
    if (pTarget != NULL && GetFocus() == this)
        pTarget->SetFocus();
}

// While a popup is open the timer watches for it to go: a popup closed from outside the bar (by a
// command, a click elsewhere) leaves no highlight behind on a bar without the focus.
void CQENMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPopupTimer)
    {
        CQENToolBar::OnTimer(nIDEvent);
        return;
    }
    if (IsAnyPopupOpen())
        return;
    KillTimer(kPopupTimer);
    if (GetFocus() != this)
        ResetHot();
}

void CQENMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press beside the items lets the dock context drag the docked bar.
    if (HitTest(point) < 0 && m_pDockBar != NULL && m_pDockContext != NULL && !IsFloating())
        BeginDockDrag();
    CQENToolBar::OnLButtonDown(nFlags, point);
    if (IsAnyPopupOpen())
        SetTimer(kPopupTimer, kPopupTimerPeriod, NULL);
}

void CQENMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The system icon's double click closes the child, and with it the icon: no second click.
    const int iHit = HitTest(point);
    if (m_pSystemMenuButton != NULL && iHit >= 0 && ButtonAt(iHit) == m_pSystemMenuButton)
    {
        m_pSystemMenuButton->HandleDoubleClick(this);
        return;
    }
    CQENToolBar::OnLButtonDblClk(nFlags, point);
}

void CQENMenuBar::OnDestroy()
{
    KillTimer(kPopupTimer);
    if (s_pDraggedBar == this)
        EndDockDrag();
    // The frame is still there to tell whose menu the default menu is.
    DestroyOwnMenu();
    m_pOwnerFrame = NULL;
    CQENToolBar::OnDestroy();
}

// ---------------------------------------------------------------------------------------------------
// Dragged by the dock context

CQENMenuBar* CQENMenuBar::s_pDraggedBar = NULL;
HHOOK CQENMenuBar::s_hDragHook = NULL;

void CQENMenuBar::BeginDockDrag()
{
    EndDockDrag();
    s_hDragHook = ::SetWindowsHookExA(WH_MOUSE, DragMouseHook, NULL, ::GetCurrentThreadId());
    if (s_hDragHook != NULL)
        s_pDraggedBar = this;
}

void PASCAL CQENMenuBar::EndDockDrag()
{
    if (s_hDragHook != NULL)
        ::UnhookWindowsHookEx(s_hDragHook);
    s_hDragHook = NULL;
    s_pDraggedBar = NULL;
}

LRESULT CALLBACK CQENMenuBar::DragMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = s_hDragHook;
    if (nCode == HC_ACTION && (wParam == WM_LBUTTONUP || wParam == WM_NCLBUTTONUP))
        EndDockDrag();
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}
