// The per-thread state of the windowing layer and its handle maps.
#include "ThreadState.h"
#include "Menu.h"
#include "ToolTipCtrl.h"
#include "Wnd.h"

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_mapHWND(CHandleMap<CWnd, HWND>::CreateTempWrapper<&CWnd::m_hWnd>,
                CHandleMap<CWnd, HWND>::DeleteTempWrapper<&CWnd::m_hWnd>),
      m_mapHMENU(CHandleMap<CMenu, HMENU>::CreateTempWrapper<&CMenu::m_hMenu>,
                 CHandleMap<CMenu, HMENU>::DeleteTempWrapper<&CMenu::m_hMenu>)
{
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    if (m_hHookCbtFilter != NULL)
        ::UnhookWindowsHookEx(m_hHookCbtFilter);
    delete m_pToolTip;
}

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE state;
    return &state;
}
