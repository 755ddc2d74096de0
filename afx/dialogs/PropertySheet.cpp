#include "PropertySheet.h"
#include "Exception.h"
#include "WinThread.h"

#include <vector>

namespace {

// The sheet whose window PropertySheet is making on this thread (its callback carries no object).
thread_local CPropertySheet* t_pSheetInit = NULL;

const DWORD dwDefaultSheetStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;

} // namespace

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    Construct((LPCTSTR)NULL);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString strCaption;
    strCaption.LoadString(nIDCaption);
    Construct(strCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_strCaption = pszCaption;
    m_psh.pszCaption = m_strCaption;
    m_pParentWnd = pParentWnd;
    m_dwSheetStyle = (DWORD)-1;
    m_dwSheetExStyle = 0;
    m_hWndTop = NULL;
    m_nPendingResult = IDCANCEL;
}

CPropertySheet::~CPropertySheet()
{
    // Destroyed here rather than in ~CWnd so that the window's last messages still reach the sheet.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

// ---------------------------------------------------------------------------------------------------
// Creation

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetInit;
    if (pSheet == NULL)
        return 0;
    if (message == PSCB_PRECREATE)
        pSheet->ApplyTemplateStyle(reinterpret_cast<DLGTEMPLATE*>(lParam));
    else if (message == PSCB_INITIALIZED && pSheet->m_hWnd == NULL)
        pSheet->SubclassWindow(hWnd);
    return 0;
}

void CPropertySheet::ApplyTemplateStyle(DLGTEMPLATE* pTemplate) const
{
    if (m_dwSheetStyle == (DWORD)-1 && m_dwSheetExStyle == 0)
        return;
    // An extended template starts with its version 1 and the signature 0xFFFF, then help id,
    // extended style and style; the plain one starts with style and extended style.
    WORD* pWords = reinterpret_cast<WORD*>(pTemplate);
    DWORD* pStyle;
    DWORD* pExStyle;
    if (pWords[0] == 1 && pWords[1] == 0xFFFF)
    {
        DWORD* pFields = reinterpret_cast<DWORD*>(pWords + 2);
        pExStyle = pFields + 1;
        pStyle = pFields + 2;
    }
    else
    {
        pStyle = &pTemplate->style;
        pExStyle = &pTemplate->dwExtendedStyle;
    }
    if (m_dwSheetStyle != (DWORD)-1)
    {
        // The font bits say what the rest of the template holds: they must stay.
        *pStyle = (*pStyle & (DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK)) | m_dwSheetStyle;
    }
    *pExStyle |= m_dwSheetExStyle;
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndParent)
{
    std::vector<HPROPSHEETPAGE> pages;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&GetPage(i)->m_psp);
        if (hPage == NULL)
        {
            for (HPROPSHEETPAGE hMade : pages)
                ::DestroyPropertySheetPage(hMade);
            return FALSE;
        }
        pages.push_back(hPage);
    }
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->m_bFirstSetActive = TRUE;

    // Every sheet runs modeless: a modal one runs on the framework's own loop, so that
    // PreTranslateMessage and idle processing go on while it is up.
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPSHEETPAGE) | PSH_MODELESS | PSH_USECALLBACK;
    m_psh.hwndParent = hWndParent;
    m_psh.nPages = (UINT)pages.size();
    m_psh.phpage = pages.data();
    m_psh.pfnCallback = SheetCallback;
    m_pfnSuper = NULL;
    m_nPendingResult = IDCANCEL;

    CPropertySheet* pSheetOuter = t_pSheetInit;
    t_pSheetInit = this;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    t_pSheetInit = pSheetOuter;
    m_psh.phpage = NULL;
    m_psh.nPages = 0;

    if (hWnd == NULL || (INT_PTR)hWnd == -1)
        return FALSE;
    if (m_hWnd == NULL)
        SubclassWindow(hWnd);
    ASSERT(m_hWnd == hWnd);
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd == NULL)
        pParentWnd = m_pParentWnd;
    m_dwSheetStyle = dwStyle != (DWORD)-1 ? dwStyle : dwDefaultSheetStyle;
    m_dwSheetExStyle = dwExStyle;
    return CreateSheetWindow(pParentWnd->GetSafeHwnd());
}

INT_PTR CPropertySheet::DoModal()
{
    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop)->GetSafeHwnd();
    m_dwSheetStyle = (DWORD)-1;
    m_dwSheetExStyle = 0;
    RunModalWindow(hWndParent, [&] { return CreateSheetWindow(hWndParent); });
    if (::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
    return m_nModalResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // After OK or Cancel a modeless sheet stays, but has no current page any more.
    if (::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0)
        return TRUE;
    m_nModalResult = m_nPendingResult;
    return FALSE;
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);   // DoModal destroys the window
    else
        DestroyWindow();
}

// ---------------------------------------------------------------------------------------------------
// Pages

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    if (m_hWnd == NULL)
        return;
    pPage->m_bFirstSetActive = TRUE;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->m_psp);
    if (hPage == NULL || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage))
    {
        if (hPage != NULL)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
        AfxThrowResourceException();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    for (int i = 0; i < GetPageCount(); ++i)
    {
        if (hWndPage != NULL && GetPage(i)->m_hWnd == hWndPage)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? GetPage(nPage) : NULL;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

// ---------------------------------------------------------------------------------------------------
// The sheet window

CWnd* CPropertySheet::GetTabControl() const
{
    return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)lpszText);
}

void CPropertySheet::PressButton(int nButton)
{
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    LRESULT lResult = Default();   // the system builds the tabs, the buttons and the first page
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    // The sheet's own handling adds Ctrl+Tab between pages to the dialog keys of the pages.
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

LRESULT CPropertySheet::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return hWndPage != NULL ? ::SendMessageA(hWndPage, WM_KICKIDLE, wParam, lParam) : FALSE;
}
