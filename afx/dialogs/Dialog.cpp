#include "Dialog.h"
#include "Exception.h"
#include "GdiObject.h"
#include "WinThread.h"

namespace {

LPCDLGTEMPLATE LoadDialogTemplate(HINSTANCE hInst, LPCTSTR lpszTemplateName)
{
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Dialog-template windows

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;   // form views and dialog bars do their own initialisation
    try
    {
        return static_cast<CDialog*>(pWnd)->OnInitDialog();
    }
    catch (CException* e)
    {
        // The dialog manager's frames lie between here and AfxCallWndProc: nothing may unwind them.
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        CWinThread* pThread = AfxGetThread();
        if (pThread != NULL)
            pThread->ProcessWndProcException(e, &msg);
        else
            AfxProcessWndProcException(e, &msg);
        e->Delete();
        return FALSE;
    }
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpDialogTemplate = LoadDialogTemplate(hInst, lpszTemplateName);
    if (lpDialogTemplate == NULL)
        return FALSE;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();

    // The hook attaches this object to the dialog window and subclasses it before its first message,
    // so WM_SETFONT and WM_INITDIALOG already pass through the message map.
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // no window was ever made for this object
    if (hWnd == NULL)
        return FALSE;
    ASSERT(hWnd == m_hWnd);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------------
// CDialog

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_hDialogTemplate(NULL),
      m_lpDialogTemplate(NULL), m_hWndTop(NULL)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(IS_INTRESOURCE(lpszTemplateName) ? LOWORD((DWORD_PTR)lpszTemplateName) : 0),
      m_pParentWnd(pParentWnd), m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL), m_hWndTop(NULL)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd),
      m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL), m_hWndTop(NULL)
{
}

CDialog::~CDialog()
{
    // Destroyed here rather than in ~CWnd so that the window's last messages still reach a CDialog.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    return CreateDlg(lpszTemplateName, pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpDialogTemplate = (LPCDLGTEMPLATE)::LockResource(hDialogTemplate);
    return lpDialogTemplate != NULL && CreateIndirect(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = NULL;
    m_lpDialogTemplate = NULL;
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

HWND CDialog::PreModal()
{
    return CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop)->GetSafeHwnd();
}

void CDialog::PostModal()
{
    if (::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != NULL)
        lpDialogTemplate = LoadDialogTemplate(hInst, m_lpszTemplateName);
    else if (m_hDialogTemplate != NULL)
        lpDialogTemplate = (LPCDLGTEMPLATE)::LockResource(m_hDialogTemplate);
    if (lpDialogTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    RunModalWindow(hWndParent, [&] {
        return CreateDlgIndirect(lpDialogTemplate, CWnd::FromHandle(hWndParent), hInst);
    });
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnSetFont(CFont*)
{
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;   // the failing control has the focus and the user has been told why
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keyboard and mouse input gives the dialog manager its navigation: Tab, arrows, Enter, Esc, mnemonics.
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Command ids (not control ids, not system commands) the dialog leaves alone go to the thread's
    // application object last.
    if (((UINT)nCode != CN_COMMAND && (UINT)nCode != CN_UPDATE_COMMAND_UI) || !(nID & 0x8000) || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

LRESULT CDialog::OnKickIdle(WPARAM, LPARAM lCount)
{
    // Only the first idle call of each idle period reaches the application: it updates the command
    // UI of the frames. Later counts free temporary objects, which callers of DoModal may still hold.
    CWinThread* pThread = AfxGetThread();
    if (lCount == 0 && pThread != NULL)
        pThread->OnIdle(0);
    return FALSE;
}
