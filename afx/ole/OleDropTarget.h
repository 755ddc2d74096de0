// COleDropTarget: makes a window a place to drop dragged data. Its IDropTarget, registered with the
// system for the window, calls the virtual handlers below with points in the window's client
// coordinates. Registration ends with Revoke, when the window is destroyed, or with the target.
#pragma once
#include "CmdTarget.h"
#include "Rect.h"
#include "OleDefs.h"

class CWnd;
class COleDataObject;

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    // FALSE when the window is already a drop target or OLE is not initialised on this thread.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    // The effect that a drop here would have; the handlers without a view to forward to return
    // DROPEFFECT_NONE (nothing may be dropped).
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Takes the data; FALSE when it was not taken.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Called first on a drop with the effect OnDragOver gives for the key state of the drop and
    // the effects the source allows. Returns the effect performed, or (DROPEFFECT)-1 to have
    // OnDrop (or, for no effect, OnDragLeave) called instead, which the default does.
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    // Asked before OnDragEnter and OnDragOver: an effect with DROPEFFECT_SCROLL means the window
    // scrolls and the enter or over handler is skipped. The default never scrolls.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // IID_IUnknown or IID_IDropTarget of the target (no reference added), else NULL.
    LPUNKNOWN GetInterface(const void* iid) override;

protected:
    HWND m_hWnd;   // the registered window

private:
    class XDropTarget : public COleNestedInterface<IDropTarget, COleDropTarget>
    {
    public:
        using COleNestedInterface::COleNestedInterface;
        STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHODIMP DragLeave() override;
        STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    };

    HRESULT DragEnter(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect);
    HRESULT DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect);
    // The effect of the data being dragged at pt: scrolling, else what OnDragEnter or OnDragOver say.
    DROPEFFECT AskEffect(DWORD dwKeyState, POINTL pt, BOOL bEnter);
    HRESULT DragLeave();
    HRESULT Drop(LPDATAOBJECT lpDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect);
    void ReleaseDataObject();

    // Revokes the target of a window being destroyed; hooked while this thread has targets.
    static LRESULT CALLBACK DestroyHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    // COM references are only counted: the object lives as long as its maker keeps it.
    XDropTarget m_xDropTarget;
    LPDATAOBJECT m_lpDataObject;   // the data being dragged over the window
    COleDropTarget* m_pNextRegistered;

    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;
};
