#include "OleDropSource.h"

#include "OleException.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

namespace {

// Milliseconds a button must be held still before a drag starts anyway, from the user's settings.
UINT DragDelay()
{
    static const UINT nDelay = ::GetProfileIntA("windows", "DragDelay", DD_DEFDRAGDELAY);
    return nDelay;
}

BOOL IsButtonMessage(UINT message)
{
    return message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL &&
           message != WM_MOUSEHWHEEL;
}

} // namespace

COleDropSource::COleDropSource()
    : m_bDragStarted(FALSE), m_dwButtonCancel(MK_RBUTTON), m_dwButtonDrop(MK_LBUTTON),
      m_xDropSource(this)
{
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
    {
        m_bDragStarted = FALSE;
        return DRAGDROP_S_CANCEL;
    }
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    m_bDragStarted = pWnd == NULL;
    if (m_bDragStarted)
        return TRUE;

    HWND hWnd = pWnd->m_hWnd;
    ::SetCapture(hWnd);
    DWORD dwStart = ::GetTickCount();
    while (!m_bDragStarted && ::GetCapture() == hWnd)
    {
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                // Leave it for the message loop that owns it.
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            if (msg.message == WM_MOUSEMOVE)
            {
                if (!m_rectStartDrag.PtInRect(msg.pt))
                    m_bDragStarted = TRUE;
                continue;
            }
            if (IsButtonMessage(msg.message) || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
                break;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            continue;
        }
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= DragDelay())
            m_bDragStarted = TRUE;
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, DragDelay() - dwElapsed, QS_ALLINPUT);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return m_bDragStarted;
}

LPUNKNOWN COleDropSource::GetInterface(const void* iid)
{
    REFIID riid = *static_cast<const IID*>(iid);
    if (riid == IID_IUnknown || riid == IID_IDropSource)
        return &m_xDropSource;
    return NULL;
}

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return AfxOleGuard([&] { return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState); });
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    return AfxOleGuard([&] { return m_pOwner->GiveFeedback(dwEffect); });
}
