// COleIPFrameWnd: the frame of a server's item while it is active in place inside a container. The
// frame is a child of the container's window at the item's position; its toolbars live in the
// container's frames (the in-place frame and, for a multi-document container, the document frame),
// owned by this frame, created once and shown and hidden with each activation.
#pragma once
#include "FrameWnd.h"

class COleIPFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd();

    // Creates this frame's bars in the container's frames; pWndDoc may be NULL. FALSE fails the
    // activation.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    // The item's rectangle and the part of the container's window it may show in (both in the
    // coordinates of the window this frame is a child of).
    virtual void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect);

    // Puts the frame up in pWndContainer for the container frames given; FALSE (and nothing shown)
    // when the bars cannot be made.
    BOOL ActivateInPlace(CWnd* pWndContainer, CFrameWnd* pMainFrame, CFrameWnd* pDocFrame, LPCRECT lpPosRect,
                         LPCRECT lpClipRect);
    // Hides the frame and its bars in the container's frames.
    void DeactivateInPlace();
    BOOL IsInPlaceActive() const { return m_bInPlaceActive; }

    // The container's frames this frame is active in; NULL when not active.
    CFrameWnd* GetInPlaceFrame() const { return m_pMainFrame; }
    CFrameWnd* GetInPlaceDocFrame() const { return m_pDocFrame; }
    const CRect& GetPositionRect() const { return m_rectPos; }
    const CRect& GetClipRect() const { return m_rectClip; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CFrameWnd* m_pMainFrame;
    CFrameWnd* m_pDocFrame;
    CRect m_rectPos;
    CRect m_rectClip;
    BOOL m_bInPlaceActive;
    BOOL m_bBarsCreated;

    // Shows or hides the bars of the container frame pFrame that this frame owns.
    void ShowOwnedBars(CFrameWnd* pFrame, BOOL bShow);
    void PlaceFrame(const CRect& rect);
};
