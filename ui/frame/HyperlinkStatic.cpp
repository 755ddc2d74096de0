#include "HyperlinkStatic.h"

IMPLEMENT_DYNAMIC(CHyperlinkStatic, CStatic)

BEGIN_MESSAGE_MAP(CHyperlinkStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
END_MESSAGE_MAP()

namespace {

const UINT kTipToolID = 1;
const int kHandCursorResource = 106;   // the link cursor of the Windows help program

// What OpenLink answers when the ".htm" program was started: a success value, as the shell's are.
const INT_PTR kStartedByHtmlProgram = 33;

bool Succeeded(HINSTANCE hResult)
{
    return (INT_PTR)hResult > 32;
}

// The default value of a key below hRootKey; 0 or the error of opening or reading it.
LONG ReadDefaultValue(HKEY hRootKey, LPCTSTR lpszSubKey, CString& strValue)
{
    HKEY hKey;
    LONG lResult = ::RegOpenKeyExA(hRootKey, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    // One byte more than the query may fill, so that a value stored without its terminator ends.
    char szValue[MAX_PATH + 1] = {};
    DWORD cbValue = MAX_PATH;
    lResult = ::RegQueryValueExA(hKey, NULL, NULL, NULL, reinterpret_cast<LPBYTE>(szValue), &cbValue);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    strValue = szValue;
    return ERROR_SUCCESS;
}

LPCTSTR OpenErrorText(int nError)
{
    switch (nError)
    {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF:
        return "The specified file was not found.";
    case SE_ERR_PNF:
        return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED:
        return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM:
        return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE:
        return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE:
        return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL:
        return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC:
        return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND:
        return "The specified dynamic-link library was not found.";
    }
    return NULL;
}

} // namespace

CHyperlinkStatic::CHyperlinkStatic()
    : m_crLink(RGB(0, 0, 238)),
      m_crVisited(RGB(85, 26, 139)),
      m_crHover(::GetSysColor(COLOR_HIGHLIGHT)),
      m_bHovering(FALSE),
      m_bOpened(FALSE),
      m_bUnderlined(TRUE),
      m_bBold(TRUE),
      m_bItalic(TRUE),
      m_bFitToText(FALSE),
      m_hCursor(NULL)
{
}

CHyperlinkStatic::~CHyperlinkStatic()
{
    // The window goes first, while its font and tool tip still exist.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hCursor != NULL)
        ::DestroyCursor(m_hCursor);
}

// ---------------------------------------------------------------------------------------------------
// Properties

void CHyperlinkStatic::SetTarget(LPCTSTR lpszTarget)
{
    m_strTarget = lpszTarget;
    if (m_hWnd == NULL)
        return;
    FitToText();
    if (m_wndTip.GetSafeHwnd() != NULL)
        m_wndTip.UpdateTipText(m_strTarget, this, kTipToolID);
}

void CHyperlinkStatic::SetLinkColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover)
{
    m_crLink = crLink;
    m_crVisited = crVisited;
    m_crHover = crHover == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : crHover;
    if (m_hWnd != NULL)
        Invalidate();
}

void CHyperlinkStatic::MarkOpened(BOOL bOpened)
{
    m_bOpened = bOpened;
    if (m_hWnd != NULL)
        Invalidate();
}

void CHyperlinkStatic::SetHandCursor(HCURSOR hCursor)
{
    if (m_hCursor != NULL && m_hCursor != hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = hCursor;
    if (m_hCursor == NULL)
        LoadHandCursor();
}

void CHyperlinkStatic::UseUnderline(BOOL bUnderline)
{
    m_bUnderlined = bUnderline;
    if (m_hWnd == NULL)
        return;
    LOGFONT lf;
    GetCurrentLogFont(lf);
    lf.lfUnderline = (BYTE)bUnderline;
    ApplyFont(lf);
    FitToText();
    Invalidate();
}

void CHyperlinkStatic::UseBold(BOOL bBold)
{
    m_bBold = bBold;
    if (m_hWnd == NULL)
        return;
    LOGFONT lf;
    GetCurrentLogFont(lf);
    // Plain weights: the bit rule of attaching would leave a raised weight bold when turned off.
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    ApplyFont(lf);
    FitToText();
    Invalidate();
}

void CHyperlinkStatic::UseItalic(BOOL bItalic)
{
    m_bItalic = bItalic;
    if (m_hWnd == NULL)
        return;
    LOGFONT lf;
    GetCurrentLogFont(lf);
    lf.lfItalic = (BYTE)bItalic;
    ApplyFont(lf);
    FitToText();
    Invalidate();
}

void CHyperlinkStatic::SetFitToText(BOOL bFitToText)
{
    m_bFitToText = bFitToText;
    if (m_hWnd != NULL)
        FitToText();
}

void CHyperlinkStatic::GetCurrentLogFont(LOGFONT& lf) const
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    memset(&lf, 0, sizeof lf);
    ::GetObjectA(hFont, sizeof lf, &lf);
}

void CHyperlinkStatic::ApplyFont(const LOGFONT& lf)
{
    // The control lets go of the old font before it is deleted.
    HGDIOBJ hOldFont = m_font.Detach();
    m_font.CreateFontIndirect(&lf);
    SetFont(&m_font, TRUE);
    if (hOldFont != NULL)
        ::DeleteObject(hOldFont);
}

// ---------------------------------------------------------------------------------------------------
// Attaching

void CHyperlinkStatic::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);

    CString strText;
    GetWindowText(strText);
    if (m_strTarget.IsEmpty())
        m_strTarget = strText;
    if (strText.IsEmpty())
        SetWindowText(m_strTarget);

    LOGFONT lf;
    GetCurrentLogFont(lf);
    lf.lfWeight = m_bBold ? (lf.lfWeight | FW_BOLD) : (lf.lfWeight & FW_BOLD);
    lf.lfItalic = (BYTE)m_bItalic;
    lf.lfUnderline = (BYTE)m_bUnderlined;
    ApplyFont(lf);

    FitToText();
    LoadHandCursor();

    // A control attached a second time (its owner's window made anew) gets a fresh tip.
    if (m_wndTip.GetSafeHwnd() != NULL)
        m_wndTip.DestroyWindow();
    if (m_wndTip.Create(this))
    {
        // Mouse messages reach the tip through PreTranslateMessage, so the tool does not subclass.
        TOOLINFOA ti;
        memset(&ti, 0, sizeof ti);
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = m_hWnd;
        ti.uId = kTipToolID;
        ti.lpszText = const_cast<LPTSTR>((LPCTSTR)m_strTarget);
        GetClientRect(&ti.rect);
        m_wndTip.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
    }

    CStatic::PreSubclassWindow();
}

BOOL CHyperlinkStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTip.GetSafeHwnd() != NULL)
        m_wndTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------------
// Messages

HBRUSH CHyperlinkStatic::CtlColor(CDC* pDC, UINT)
{
    if (m_bHovering)
        pDC->SetTextColor(m_crHover);
    else if (m_bOpened)
        pDC->SetTextColor(m_crVisited);
    else
        pDC->SetTextColor(m_crLink);
    pDC->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

BOOL CHyperlinkStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor == NULL)
        return CStatic::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CHyperlinkStatic::OnMouseMove(UINT nFlags, CPoint point)
{
    CStatic::OnMouseMove(nFlags, point);
    if (!m_bHovering)
    {
        m_bHovering = TRUE;
        RedrawNow();
        SetCapture();
        return;
    }
    CRect rect;
    GetClientRect(&rect);
    if (!rect.PtInRect(point))
    {
        m_bHovering = FALSE;
        ::ReleaseCapture();
        RedrawNow();
    }
}

void CHyperlinkStatic::OnCaptureChanged(CWnd* pWnd)
{
    // Another window took the mouse (a message box, a drag): without the capture, no move would
    // ever tell the control that the mouse has left.
    if (m_bHovering && pWnd != this)
    {
        m_bHovering = FALSE;
        RedrawNow();
    }
    CStatic::OnCaptureChanged(pWnd);
}

void CHyperlinkStatic::OnClicked()
{
    HINSTANCE hResult = OpenLink(m_strTarget, SW_SHOW);
    m_bOpened = Succeeded(hResult);
    Invalidate();
    if (!m_bOpened)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError((int)(INT_PTR)hResult);
    }
}

void CHyperlinkStatic::RedrawNow()
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

// ---------------------------------------------------------------------------------------------------
// Opening

HINSTANCE CHyperlinkStatic::OpenLink(LPCTSTR lpszTarget, int nShowCmd)
{
    HINSTANCE hResult = ::ShellExecuteA(NULL, "open", lpszTarget, NULL, NULL, nShowCmd);
    if (Succeeded(hResult))
        return hResult;

    CString strCommand;
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, ".htm", strCommand) != ERROR_SUCCESS)
        return hResult;
    strCommand += "\\shell\\open\\command";
    if (ReadDefaultValue(HKEY_CLASSES_ROOT, strCommand, strCommand) != ERROR_SUCCESS)
        return hResult;

    int nPlaceholder = strCommand.Find("\"%1\"");
    if (nPlaceholder < 0)
        nPlaceholder = strCommand.Find("%1");
    if (nPlaceholder >= 0)
        strCommand = strCommand.Left(nPlaceholder);
    strCommand += ' ';
    strCommand += lpszTarget;

    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    BOOL bStarted = ::CreateProcessA(NULL, strCommand.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                                     &process);
    strCommand.ReleaseBuffer();
    if (!bStarted)
        return NULL;
    // Nobody waits for the program; a handle value could also be 32 or less, which reads as failure.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return (HINSTANCE)kStartedByHtmlProgram;
}

void CHyperlinkStatic::ShowOpenError(int nError)
{
    CString strReason;
    if (LPCTSTR lpszReason = OpenErrorText(nError))
        strReason = lpszReason;
    else
        strReason.Format("Unknown Error (%d) occurred.", nError);
    AfxMessageBox("Unable to open hyperlink:\n\n" + strReason, MB_ICONEXCLAMATION | MB_OK);
}

// ---------------------------------------------------------------------------------------------------
// Layout and cursor

void CHyperlinkStatic::FitToText()
{
    if (m_hWnd == NULL || !m_bFitToText)
        return;

    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rect);
    CString strText;
    GetWindowText(strText);

    CDC* pDC = GetDC();
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? pDC->SelectObject(&m_font) : NULL;
    CSize sizeText = pDC->GetTextExtent(strText);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
    ReleaseDC(pDC);

    DWORD dwStyle = GetStyle();
    if (dwStyle & SS_CENTERIMAGE)
        rect.top += (rect.Height() - sizeText.cy) / 2;
    rect.bottom = rect.top + sizeText.cy;

    switch (dwStyle & SS_TYPEMASK)
    {
    case SS_CENTER:
        rect.left += (rect.Width() - sizeText.cx) / 2;
        rect.right = rect.left + sizeText.cx;
        break;
    case SS_RIGHT:
        rect.left = rect.right - sizeText.cx;
        break;
    default:
        rect.right = rect.left + sizeText.cx;
        break;
    }
    SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_wndTip.GetSafeHwnd() != NULL)
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        m_wndTip.SetToolRect(this, kTipToolID, &rectClient);
    }
}

void CHyperlinkStatic::LoadHandCursor()
{
    if (m_hCursor != NULL)
        return;
    char szWindows[MAX_PATH];
    UINT nLength = ::GetWindowsDirectoryA(szWindows, sizeof szWindows);
    if (nLength == 0 || nLength >= sizeof szWindows)
        return;
    CString strHelpProgram = CString(szWindows) + "\\winhlp32.exe";
    // Only its resources are wanted: no code of the program is run.
    HMODULE hModule = ::LoadLibraryExA(strHelpProgram, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (hModule == NULL)
        return;
    HCURSOR hHand = ::LoadCursorA(hModule, MAKEINTRESOURCEA(kHandCursorResource));
    if (hHand != NULL)
        m_hCursor = (HCURSOR)::CopyIcon((HICON)hHand);
    ::FreeLibrary(hModule);
}
