// COleDropSource: the source side of a drag: decides when the drag starts, whether it goes on, drops
// or is cancelled, and what the cursor shows. COleDataSource::DoDragDrop uses a default one unless
// it is given another.
#pragma once
#include "CmdTarget.h"
#include "Rect.h"
#include "OleDefs.h"

class CWnd;

class COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();

    // Esc or the other mouse button cancels (DRAGDROP_S_CANCEL); releasing the button that
    // started the drag drops (DRAGDROP_S_DROP); otherwise the drag goes on (S_OK).
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The system's default drag cursors.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Holds the mouse on pWnd until the cursor leaves the start rectangle or the drag delay passes
    // (TRUE: the drag starts), or until a button is released or pressed or Esc is hit (FALSE).
    // Without a window the drag starts at once.
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // IID_IUnknown or IID_IDropSource of the source (no reference added), else NULL.
    LPUNKNOWN GetInterface(const void* iid) override;

protected:
    BOOL m_bDragStarted;
    DWORD m_dwButtonCancel;   // MK_ bit of the button that cancels
    DWORD m_dwButtonDrop;     // MK_ bit of the button whose release drops
    CRect m_rectStartDrag;    // screen coordinates

    friend class COleDataSource;

private:
    class XDropSource : public COleNestedInterface<IDropSource, COleDropSource>
    {
    public:
        using COleNestedInterface::COleNestedInterface;
        STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHODIMP GiveFeedback(DWORD dwEffect) override;
    };

    // COM references are only counted: the object lives as long as its maker keeps it.
    XDropSource m_xDropSource;

    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;
};
