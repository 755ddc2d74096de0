#include "PropertySheet.h"

namespace {

// PSPCB_CREATE comes right before the system makes the page's dialog window: the creation hook then
// attaches that window to the page object and subclasses it before its first message.
UINT CALLBACK PageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPropPage)
{
    if (message == PSPCB_CREATE)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(pPropPage->lParam));
    return TRUE;
}

INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        AfxUnhookWindowCreate();
        CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<LPPROPSHEETPAGEA>(lParam)->lParam);
        if (pPage->m_hWnd == NULL)
            pPage->SubclassWindow(hWnd);   // the system made the page without telling the callback
    }
    return AfxDlgProc(hWnd, message, wParam, lParam);
}

} // namespace

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage()
{
    Construct((LPCTSTR)NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_nIDHelp = IS_INTRESOURCE(lpszTemplateName) ? LOWORD((DWORD_PTR)lpszTemplateName) : 0;
    m_bFirstSetActive = TRUE;
    m_bChanged = FALSE;

    memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = PageCallback;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet))
               ? static_cast<CPropertySheet*>(pParent) : NULL;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bChanged = bChanged;
    ::SendMessageA(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    ::SendMessageA(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
    m_bChanged = FALSE;
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;   // a message-map entry took it

    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    CPropertySheet* pSheet = GetParentSheet();
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        *pResult = !OnKillActive();
        break;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        if (pSheet != NULL && *pResult == PSNRET_NOERROR)
            pSheet->m_nPendingResult = IDOK;
        break;
    case PSN_RESET:
        OnReset();
        if (pSheet != NULL)
            pSheet->m_nPendingResult = IDCANCEL;
        break;
    case PSN_QUERYCANCEL:
        *pResult = !OnQueryCancel();
        break;
    default:
        return FALSE;
    }
    // The sheet reads the answer from the page's message result.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}
