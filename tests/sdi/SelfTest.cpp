#include "SelfTest.h"
#include "SdiApp.h"
#include "SdiDoc.h"
#include "SdiFrame.h"
#include "SdiView.h"
#include "WindowText.h"
#include "resource.h"

#include <stdio.h>

namespace {

const UINT WM_SELFTEST_STEP = WM_APP + 0x100;

// Nothing in the program may wait for ever: a box nobody answers ends the run as failed.
VOID CALLBACK OnTimeout(HWND, UINT, UINT_PTR, DWORD)
{
    fputs("sdi selftest: timed out\n", stderr);
    ::ExitProcess(2);
}

CString FontFace(CWnd* pWnd)
{
    LOGFONTA lf = {};
    HFONT hFont = (HFONT)pWnd->SendMessage(WM_GETFONT);
    if (hFont == NULL || ::GetObjectA(hFont, sizeof lf, &lf) == 0)
        return CString();
    return CString(lf.lfFaceName);
}

} // namespace

void CSelfTest::Start()
{
    m_bRunning = TRUE;
    ::SetTimer(NULL, 0, 120000, OnTimeout);
    PostNextStep();
}

void CSelfTest::PostNextStep()
{
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_SELFTEST_STEP, 0, 0);
}

BOOL CSelfTest::HandleThreadMessage(const MSG* pMsg)
{
    if (!m_bRunning || pMsg->hwnd != NULL || pMsg->message != WM_SELFTEST_STEP)
        return FALSE;
    RunStep();
    return TRUE;
}

void CSelfTest::Check(bool bPassed, const char* pszWhat)
{
    if (bPassed)
        return;
    m_nFailures++;
    fprintf(stderr, "sdi selftest, step %d: %s\n", m_nStep, pszWhat);
}

CString CSelfTest::ControlText(int nID) const
{
    CString str;
    CWnd* pView = static_cast<CFrameWnd*>(AfxGetMainWnd())->GetActiveView();
    pView->GetDlgItemText(nID, str);
    return str;
}

void CSelfTest::OnDialogIdle(CWnd* pDialog)
{
    if (!m_bRunning || m_nStep != 2 || pDialog == NULL || pDialog->GetDlgItem(IDC_NAME) == NULL)
        return;
    Check(WindowText(*pDialog) == "填写名字", "the modal dialog has its caption");
    Check(FontFace(pDialog) == "宋体", "the modal dialog has the font of its template");
    Check(WindowText(::GetDlgItem(*pDialog, IDC_NAME)).empty(), "the name field starts empty");
    pDialog->SetDlgItemText(IDC_NAME, "王五");
    pDialog->PostMessage(WM_COMMAND, IDOK);
    PostNextStep();   // runs once the dialog has ended and its command handler returned
}

void CSelfTest::RunStep()
{
    CSdiFrame* pFrame = static_cast<CSdiFrame*>(AfxGetMainWnd());
    CSdiView* pView = static_cast<CSdiView*>(pFrame->GetActiveView());
    CSdiDoc* pDoc = static_cast<CSdiDoc*>(pFrame->GetActiveDocument());
    if (pView == NULL || pDoc == NULL)
    {
        Check(false, "the frame has an active view and document");
        pFrame->PostMessage(WM_CLOSE);
        return;
    }

    switch (m_nStep++)
    {
    case 0:
    {
        Check(pFrame->IsKindOf(RUNTIME_CLASS(CSdiFrame)) && pFrame->IsWindowVisible(), "the main frame is shown");
        Check(WindowText(*pFrame) == "记事 - SDI测试", "the title names the document, then the program");
        Check(pView->IsKindOf(RUNTIME_CLASS(CSdiView)) && pView->GetDlgCtrlID() == AFX_IDW_PANE_FIRST,
              "the form view is the frame's pane");
        Check(FontFace(pView) == "宋体", "the form has the font of its template");
        Check(WindowText(pFrame->m_wndMessageBar) == "就绪", "the message bar shows the idle prompt");
        CRect rectClient;
        pView->GetClientRect(&rectClient);
        Check(rectClient.Size() == pView->GetTotalSize(), "the frame is fitted to the form");
        m_pFirstDocument = pDoc;

        // Type a note, then press F5 in the edit field: the frame's accelerator reaches the view.
        pView->SetDlgItemText(IDC_NOTE, "第一条记事");
        pView->GetDlgItem(IDC_NOTE)->PostMessage(WM_KEYDOWN, VK_F5, 1);
        PostNextStep();
        break;
    }
    case 1:
    {
        Check(pDoc->m_nCount == 1 && ControlText(IDC_COUNT) == "1", "F5 counted once and the form shows it");
        Check(pDoc->m_strNote == "第一条记事", "the typed note went into the document");
        Check(pDoc->IsModified(), "the document is modified");

        HMENU hEditMenu = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 1);
        pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hEditMenu, 1);
        Check((::GetMenuState(hEditMenu, ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED) != 0,
              "a command nothing handles is greyed");
        Check((::GetMenuState(hEditMenu, ID_EDIT_NAME, MF_BYCOMMAND) & MF_GRAYED) == 0,
              "a command the view handles is enabled");
        pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_EDIT_NAME, MF_STRING), (LPARAM)hEditMenu);
        pFrame->SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
        Check(WindowText(pFrame->m_wndMessageBar) == "填写记事人的名字", "the message bar shows the item's prompt");
        pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        Check(WindowText(pFrame->m_wndMessageBar) == "就绪", "the idle prompt is back when the menu closes");

        // F2 opens the modal dialog; OnDialogIdle answers it and posts the next step.
        pView->GetDlgItem(IDC_NOTE)->PostMessage(WM_KEYDOWN, VK_F2, 1);
        break;
    }
    case 2:
    {
        Check(pDoc->m_strName == "王五", "the dialog's name went into the document");
        Check(ControlText(IDC_SHOWN_NAME) == "王五", "the form shows the name");
        Check(pFrame->IsWindowEnabled(), "the frame is enabled again after the dialog");

        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_strSavedPath.Format("%ssdi-selftest-%lu.note", szTemp, ::GetCurrentProcessId());
        Check(pDoc->DoSave(m_strSavedPath) != FALSE, "the document saves");
        Check(!pDoc->IsModified(), "a saved document is not modified");
        CString strTitle;
        strTitle.Format("sdi-selftest-%lu.note - SDI测试", ::GetCurrentProcessId());
        Check(WindowText(*pFrame) == (LPCTSTR)strTitle, "the title names the saved file");

        pFrame->PostMessage(WM_COMMAND, ID_FILE_NEW);
        PostNextStep();
        break;
    }
    case 3:
    {
        Check(pDoc == m_pFirstDocument, "File New reuses the one document");
        Check(pDoc->m_strNote.IsEmpty() && pDoc->m_strName.IsEmpty() && pDoc->m_nCount == 0,
              "the new document is empty");
        Check(ControlText(IDC_NOTE).IsEmpty() && ControlText(IDC_COUNT) == "0", "the form shows the empty document");
        Check(WindowText(*pFrame) == "记事 - SDI测试", "the title is the untitled one again");

        Check(theApp.OpenDocumentFile(m_strSavedPath) == pDoc, "the saved file opens into the document");
        Check(pDoc->m_strNote == "第一条记事" && pDoc->m_strName == "王五" && pDoc->m_nCount == 1,
              "the document reads back what was saved");
        Check(ControlText(IDC_NOTE) == "第一条记事", "the form shows the opened document");
        ::DeleteFileA(m_strSavedPath);

        m_bFinished = TRUE;
        fprintf(stderr, "sdi selftest: %s\n", m_nFailures == 0 ? "passed" : "FAILED");
        pFrame->PostMessage(WM_COMMAND, ID_APP_EXIT);
        break;
    }
    }
}
