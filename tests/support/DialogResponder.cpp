#include "DialogResponder.h"

namespace {

CDialogResponder* g_pActiveResponder = NULL;

bool HasClass(HWND hWnd, const char* pszClass)
{
    char szClass[16];
    return ::GetClassNameA(hWnd, szClass, sizeof szClass) != 0 && lstrcmpiA(szClass, pszClass) == 0;
}

std::string TextOf(HWND hWnd)
{
    char szText[1024];
    return ::GetWindowTextA(hWnd, szText, sizeof szText) > 0 ? szText : "";
}

// The edit field of a control: the control itself, or the edit inside a combo box.
HWND FindEditOf(HWND hControl)
{
    HWND hCombo = ::FindWindowExA(hControl, NULL, "ComboBox", NULL);
    HWND hEdit = ::FindWindowExA(hCombo != NULL ? hCombo : hControl, NULL, "Edit", NULL);
    return hEdit != NULL ? hEdit : hControl;
}

} // namespace

CDialogResponder::CDialogResponder(int nButton, int nEditID, const char* pszEditText)
    : CDialogResponder(nButton, [nEditID, strText = std::string(pszEditText)](HWND hDialog) {
          if (nEditID != 0)
              ::SendMessageA(FindEditOf(::GetDlgItem(hDialog, nEditID)), WM_SETTEXT, 0, (LPARAM)strText.c_str());
      })
{
}

CDialogResponder::CDialogResponder(int nButton, const Preparation& prepare)
    : m_nButton(nButton), m_prepare(prepare), m_pOuter(g_pActiveResponder)
{
    g_pActiveResponder = this;
    m_nTimer = ::SetTimer(NULL, 0, 50, OnTimer);
}

CDialogResponder::~CDialogResponder()
{
    ::KillTimer(NULL, m_nTimer);
    g_pActiveResponder = m_pOuter;
}

void CALLBACK CDialogResponder::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pActiveResponder != NULL)
        ::EnumThreadWindows(::GetCurrentThreadId(), AnswerBox, reinterpret_cast<LPARAM>(g_pActiveResponder));
}

BOOL CALLBACK CDialogResponder::AnswerBox(HWND hWnd, LPARAM lParam)
{
    CDialogResponder* pThis = reinterpret_cast<CDialogResponder*>(lParam);
    if (!HasClass(hWnd, "#32770") || !::IsWindowVisible(hWnd) || hWnd == pThis->m_hLastBox)
        return TRUE;
    if (!pThis->m_strOnlyCaption.empty() && TextOf(hWnd) != pThis->m_strOnlyCaption)
        return TRUE;
    pThis->m_hLastBox = hWnd;
    pThis->m_boxes.emplace_back();
    pThis->m_boxes.back().strCaption = TextOf(hWnd);
    ::EnumChildWindows(hWnd, ReadStatic, reinterpret_cast<LPARAM>(&pThis->m_boxes.back()));
    pThis->m_prepare(hWnd);
    ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(pThis->m_nButton, BN_CLICKED),
                   (LPARAM)::GetDlgItem(hWnd, pThis->m_nButton));
    return FALSE;
}

BOOL CALLBACK CDialogResponder::ReadStatic(HWND hWnd, LPARAM lParam)
{
    if (!HasClass(hWnd, "Static"))
        return TRUE;
    Box* pBox = reinterpret_cast<Box*>(lParam);
    if (HICON hIcon = (HICON)::SendMessageA(hWnd, STM_GETICON, 0, 0))
        pBox->hIcon = hIcon;
    pBox->strText += TextOf(hWnd);
    return TRUE;
}
