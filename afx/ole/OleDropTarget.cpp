#include "OleDropTarget.h"

#include "OleDataObject.h"
#include "OleException.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

// The targets registered by this thread, and the hook that revokes them with their windows.
thread_local COleDropTarget* t_pFirstRegistered;
thread_local HHOOK t_hDestroyHook;

// The effect to report when the target asks for effect and the source allows allowed. A copy the
// source does not allow becomes a move and a move a copy; a link is never replaced.
DROPEFFECT FilterDropEffect(DROPEFFECT effect, DWORD allowed)
{
    DROPEFFECT scroll = effect & DROPEFFECT_SCROLL;
    effect &= ~DROPEFFECT_SCROLL;
    if ((effect & allowed) != 0)
        return (effect & allowed) | scroll;
    if (effect == DROPEFFECT_COPY && (allowed & DROPEFFECT_MOVE) != 0)
        return DROPEFFECT_MOVE | scroll;
    if (effect == DROPEFFECT_MOVE && (allowed & DROPEFFECT_COPY) != 0)
        return DROPEFFECT_COPY | scroll;
    return DROPEFFECT_NONE | scroll;
}

CPoint ClientPoint(HWND hWnd, POINTL pt)
{
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(hWnd, &point);
    return point;
}

} // namespace

COleDropTarget::COleDropTarget()
    : m_hWnd(NULL), m_xDropTarget(this), m_lpDataObject(NULL), m_pNextRegistered(NULL)
{
}

COleDropTarget::~COleDropTarget()
{
    COleDropTarget::Revoke();
    ReleaseDataObject();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    ASSERT(m_hWnd == NULL);
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == NULL || FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = hWnd;
    m_pNextRegistered = t_pFirstRegistered;
    t_pFirstRegistered = this;
    if (t_hDestroyHook == NULL)
        t_hDestroyHook = ::SetWindowsHookExA(WH_CALLWNDPROC, DestroyHookProc, NULL, ::GetCurrentThreadId());
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == NULL)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = NULL;
    for (COleDropTarget** ppLink = &t_pFirstRegistered; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextRegistered)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNextRegistered;
            break;
        }
    }
    m_pNextRegistered = NULL;
    if (t_pFirstRegistered == NULL && t_hDestroyHook != NULL)
    {
        ::UnhookWindowsHookEx(t_hDestroyHook);
        t_hDestroyHook = NULL;
    }
}

LRESULT CALLBACK COleDropTarget::DestroyHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    // Read the hook first: revoking the last target unhooks it.
    HHOOK hHook = t_hDestroyHook;
    const CWPSTRUCT* pMessage = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pMessage->message == WM_DESTROY)
    {
        for (COleDropTarget* pTarget = t_pFirstRegistered; pTarget != NULL; pTarget = pTarget->m_pNextRegistered)
        {
            if (pTarget->m_hWnd == pMessage->hwnd)
            {
                pTarget->Revoke();
                break;
            }
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// ---- default handlers ----

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

LPUNKNOWN COleDropTarget::GetInterface(const void* iid)
{
    REFIID riid = *static_cast<const IID*>(iid);
    if (riid == IID_IUnknown || riid == IID_IDropTarget)
        return &m_xDropTarget;
    return NULL;
}

// ---- the system's calls ----

void COleDropTarget::ReleaseDataObject()
{
    if (m_lpDataObject != NULL)
    {
        m_lpDataObject->Release();
        m_lpDataObject = NULL;
    }
}

HRESULT COleDropTarget::DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect)
{
    DWORD allowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    ReleaseDataObject();
    if (m_hWnd == NULL)
        return S_OK;
    lpDataObject->AddRef();
    m_lpDataObject = lpDataObject;

    *pdwEffect = FilterDropEffect(AskEffect(dwKeyState, pt, TRUE), allowed);
    return S_OK;
}

HRESULT COleDropTarget::DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect)
{
    DWORD allowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (m_hWnd == NULL || m_lpDataObject == NULL)
        return S_OK;

    *pdwEffect = FilterDropEffect(AskEffect(dwKeyState, pt, FALSE), allowed);
    return S_OK;
}

DROPEFFECT COleDropTarget::AskEffect(DWORD dwKeyState, POINTL pt, BOOL bEnter)
{
    CWnd* pWnd = CWnd::FromHandle(m_hWnd);
    CPoint point = ClientPoint(m_hWnd, pt);
    DROPEFFECT effect = OnDragScroll(pWnd, dwKeyState, point);
    if (effect & DROPEFFECT_SCROLL)
        return effect;
    COleDataObject dataObject;
    dataObject.Attach(m_lpDataObject, FALSE);
    return bEnter ? OnDragEnter(pWnd, &dataObject, dwKeyState, point)
                  : OnDragOver(pWnd, &dataObject, dwKeyState, point);
}

HRESULT COleDropTarget::DragLeave()
{
    if (m_hWnd != NULL && m_lpDataObject != NULL)
        OnDragLeave(CWnd::FromHandle(m_hWnd));
    ReleaseDataObject();
    return S_OK;
}

HRESULT COleDropTarget::Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect)
{
    DWORD allowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    ReleaseDataObject();
    if (m_hWnd == NULL)
        return S_OK;

    CWnd* pWnd = CWnd::FromHandle(m_hWnd);
    CPoint point = ClientPoint(m_hWnd, pt);
    COleDataObject dataObject;
    dataObject.Attach(lpDataObject, FALSE);
    // The effect for the keys held at the drop: a drop with Ctrl still down copies.
    DROPEFFECT dropDefault = FilterDropEffect(OnDragOver(pWnd, &dataObject, dwKeyState, point), allowed) &
                             ~DROPEFFECT_SCROLL;
    DROPEFFECT dropResult = OnDropEx(pWnd, &dataObject, dropDefault, allowed, point);
    if (dropResult == (DROPEFFECT)-1)
    {
        dropResult = DROPEFFECT_NONE;
        if (dropDefault == DROPEFFECT_NONE)
            OnDragLeave(pWnd);
        else if (OnDrop(pWnd, &dataObject, dropDefault, point))
            dropResult = dropDefault;
    }
    *pdwEffect = dropResult;
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pDataObj == NULL || pdwEffect == NULL)
        return E_INVALIDARG;
    return AfxOleGuard([&] { return m_pOwner->DragEnter(pDataObj, grfKeyState, pt, pdwEffect); });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == NULL)
        return E_INVALIDARG;
    return AfxOleGuard([&] { return m_pOwner->DragOver(grfKeyState, pt, pdwEffect); });
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    return AfxOleGuard([&] { return m_pOwner->DragLeave(); });
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pDataObj == NULL || pdwEffect == NULL)
        return E_INVALIDARG;
    return AfxOleGuard([&] { return m_pOwner->Drop(pDataObj, grfKeyState, pt, pdwEffect); });
}
