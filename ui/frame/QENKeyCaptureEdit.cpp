#include "QENKeyCaptureEdit.h"

#include "QENKeyHelper.h"

namespace {

BOOL IsDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

BOOL IsModifier(UINT nVirtKey)
{
    return nVirtKey == VK_CONTROL || nVirtKey == VK_SHIFT || nVirtKey == VK_MENU;
}

// Keys that never make a shortcut of their own.
BOOL IsIgnored(UINT nVirtKey)
{
    return nVirtKey == VK_LWIN || nVirtKey == VK_RWIN || nVirtKey == VK_PROCESSKEY;
}

// The modifiers in the order the key names put them.
CString ModifierText(BYTE fVirt)
{
    CString strText;
    if (fVirt & FCONTROL)
        strText += "Ctrl+";
    if (fVirt & FALT)
        strText += "Alt+";
    if (fVirt & FSHIFT)
        strText += "Shift+";
    return strText;
}

} // namespace

CQENKeyCaptureEdit::CQENKeyCaptureEdit() : m_key(), m_bHasKey(FALSE)
{
}

void CQENKeyCaptureEdit::ResetKey()
{
    m_key = ACCEL();
    m_bHasKey = FALSE;
    if (::IsWindow(m_hWnd))
        SetWindowText("");
}

BYTE CQENKeyCaptureEdit::HeldModifiers()
{
    BYTE fVirt = FVIRTKEY;
    if (IsDown(VK_CONTROL))
        fVirt |= FCONTROL;
    if (IsDown(VK_MENU))
        fVirt |= FALT;
    if (IsDown(VK_SHIFT))
        fVirt |= FSHIFT;
    return fVirt;
}

void CQENKeyCaptureEdit::OnKeyPressed(UINT nVirtKey)
{
    if (IsIgnored(nVirtKey))
        return;
    const BYTE fVirt = HeldModifiers();
    if (IsModifier(nVirtKey))
    {
        // A modifier starts a new combination.
        m_key = ACCEL();
        m_bHasKey = FALSE;
        SetWindowText(ModifierText(fVirt));
        return;
    }
    ACCEL key = {fVirt, (WORD)nVirtKey, 0};
    const CString strText = CQENKeyHelper(key).Format();
    if (strText.IsEmpty())
        return;
    m_key = key;
    m_bHasKey = TRUE;
    SetWindowText(strText);
}

void CQENKeyCaptureEdit::OnKeyReleased()
{
    if (m_bHasKey)
        return;
    // Modifiers let go of without a key leave nothing behind.
    SetWindowText(ModifierText(HeldModifiers()));
}

LRESULT CQENKeyCaptureEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETDLGCODE:
    {
        const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
        const LRESULT lCode = CEdit::WindowProc(message, wParam, lParam);
        const BOOL bTabMove = pMsg != NULL && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB &&
                              !IsDown(VK_CONTROL) && !IsDown(VK_MENU);
        return bTabMove ? (lCode & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB)) : (lCode | DLGC_WANTALLKEYS);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKeyPressed((UINT)wParam);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        OnKeyReleased();
        return 0;
    case WM_KILLFOCUS:
        // Shift+Tab leaves with Shift still shown.
        if (!m_bHasKey)
            SetWindowText("");
        return CEdit::WindowProc(message, wParam, lParam);
    // What would type, paste or delete text, or open the system menu, is the key's business only.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_CONTEXTMENU:
        return 0;
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}
