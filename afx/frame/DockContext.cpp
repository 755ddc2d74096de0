#include "DockContext.h"
#include "ControlBar.h"
#include "DC.h"
#include "DockBar.h"
#include "FrameWnd.h"
#include "MiniFrameWnd.h"

namespace
{
inline BOOL IsHorz(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_HORZ) != 0; }
inline BOOL IsVert(DWORD dwStyle) { return (dwStyle & CBRS_ORIENT_VERT) != 0; }

// Gives rect the size, keeping its right and bottom sides when bLeftOrTop, else its left and top.
void ResizeFromSide(CRect& rect, CSize size, BOOL bLeftOrTop)
{
    if (bLeftOrTop)
    {
        rect.left = rect.right - size.cx;
        rect.top = rect.bottom - size.cy;
    }
    else
    {
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
    }
}

// Moves rect the least distance that puts pt inside it.
void MoveOnto(CRect& rect, CPoint pt)
{
    int dx = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    int dy = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(dx, dy);
}

// Inverts a frame of thickness size along the inside of rect; inverting it again takes it away.
void InvertFrame(HDC hDC, const CRect& rect, CSize size, HBRUSH hBrush)
{
    if (rect.IsRectEmpty() || size.cx <= 0 || size.cy <= 0)
        return;
    HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    // Four strips that meet without overlapping, so every pixel is inverted once.
    ::PatBlt(hDC, rect.left, rect.top, rect.Width() - size.cx, size.cy, PATINVERT);
    ::PatBlt(hDC, rect.right - size.cx, rect.top, size.cx, rect.Height() - size.cy, PATINVERT);
    ::PatBlt(hDC, rect.left + size.cx, rect.bottom - size.cy, rect.Width() - size.cx, size.cy, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + size.cy, size.cx, rect.Height() - size.cy, PATINVERT);
    ::SelectObject(hDC, hOldBrush);
}

HBRUSH CreateHalftoneBrush()
{
    WORD pattern[8];
    for (int i = 0; i < 8; i++)
        pattern[i] = (WORD)(0x5555 << (i & 1));
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

// The mouse position of a mouse message in screen coordinates, from the message itself so that
// posted messages are placed as exactly as real input.
CPoint ScreenPointOf(const MSG& msg)
{
    CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
    ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}
}

CDockContext::CDockContext(CControlBar* pBar)
    : m_ptLast(0, 0), m_bDitherLast(FALSE), m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0),
      m_dwOverDockStyle(0), m_dwStyle(0), m_bFlip(FALSE), m_bForceFrame(FALSE), m_pDC(NULL), m_bDragging(FALSE),
      m_nHitTest(0), m_uMRUDockID(0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(-1, -1), m_hbrHalftone(NULL)
{
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
    m_rectMRUDockPos.SetRectEmpty();
}

CDockContext::~CDockContext()
{
    if (m_pDC != NULL)
        CancelLoop();
}

// ---------------------------------------------------------------------------------------------------
// Dragging

void CDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;

    CSize sizeHorz, sizeVert, sizeFloatHorz, sizeFloatVert;
    if (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        sizeFloatHorz = sizeFloatVert = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    }
    else if (m_pBar->m_dwStyle & CBRS_SIZE_FIXED)
    {
        sizeFloatHorz = sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        sizeFloatVert = sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    }
    else
    {
        sizeFloatHorz = sizeHorz = m_pBar->CalcFixedLayout(FALSE, TRUE);
        sizeFloatVert = sizeVert = m_pBar->CalcFixedLayout(FALSE, FALSE);
    }
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloatHorz);
    m_rectFrameDragVert = CRect(rect.TopLeft(), sizeFloatVert);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz);
    CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert);

    // A bar that changes its shape must still be under the mouse.
    MoveOnto(m_rectDragHorz, pt);
    MoveOnto(m_rectDragVert, pt);
    MoveOnto(m_rectFrameDragHorz, pt);
    MoveOnto(m_rectFrameDragVert, pt);

    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    CSize offset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(offset);
    m_rectFrameDragHorz.OffsetRect(offset);
    m_rectDragVert.OffsetRect(offset);
    m_rectFrameDragVert.OffsetRect(offset);
    m_ptLast = pt;

    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    else if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    // Flipping means something only to a bar that may dock both ways.
    m_bFlip = m_bFlip && IsHorz(m_dwDockStyle) && IsVert(m_dwDockStyle);
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::EndDrag()
{
    CancelLoop();

    if (m_dwOverDockStyle != 0)
    {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar == NULL)
            return;
        CRect rect = IsVert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
        UINT uID = (UINT)::GetDlgCtrlID(pDockBar->m_hWnd);
        if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = uID;
            m_rectMRUDockPos = rect;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
        // The layout snaps the bar into its row.
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
    }
    else
    {
        BOOL bHorz = (m_dwStyle & CBRS_SIZE_DYNAMIC) || IsFloatingHorz();
        m_dwMRUFloatStyle = (bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT) | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = bHorz ? m_rectFrameDragHorz.TopLeft() : m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

DWORD CDockContext::CanDock()
{
    BOOL bHorz = IsHorz(m_dwStyle) ? !m_bFlip : m_bFlip;
    DWORD dwDock = 0;
    if (bHorz && IsHorz(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (IsVert(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);

    // Without Shift the bar may also take the other orientation, but only where both of its shapes
    // agree on the side; otherwise it would flip back and forth along the edge of a dock bar.
    if (!m_bFlip)
    {
        if (dwDock == 0 && IsHorz(m_dwDockStyle))
        {
            DWORD dwOther = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
            if (dwDock != dwOther)
                dwDock = 0;
        }
        if (dwDock == 0 && IsVert(m_dwDockStyle))
        {
            DWORD dwOther = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
            if (dwDock != dwOther)
                dwDock = 0;
        }
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = NULL;
    if (IsHorz(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & CBRS_ORIENT_HORZ, &pDockBar);
    else if (IsVert(dwOverDockStyle))
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & CBRS_ORIENT_VERT, &pDockBar);
    return pDockBar;
}

BOOL CDockContext::IsFloatingHorz() const
{
    return IsHorz(m_dwStyle) ? !m_bFlip : m_bFlip;
}

// ---------------------------------------------------------------------------------------------------
// Resizing

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    InitLoop();

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    m_nHitTest = nHitTest;

    CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = m_rectRequestedSize;
    m_rectActualFrameSize = m_rectRequestedSize;
    CMiniFrameWnd::CalcBorders(&m_rectActualFrameSize);
    m_rectFrameBorders = CRect(CPoint(0, 0), m_rectActualFrameSize.Size() - m_rectActualSize.Size());

    m_dwOverDockStyle = 0;
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    CSize offset = pt - m_ptLast;
    BOOL bLeftOrTop = FALSE;
    int nLength;
    DWORD dwMode = LM_HORZ;
    switch (m_nHitTest)
    {
    case HTLEFT:
    case HTTOPLEFT:
    case HTBOTTOMLEFT:
        m_rectRequestedSize.left += offset.cx;
        nLength = m_rectRequestedSize.Width();
        bLeftOrTop = TRUE;
        break;
    case HTRIGHT:
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT:
        m_rectRequestedSize.right += offset.cx;
        nLength = m_rectRequestedSize.Width();
        break;
    case HTTOP:
        m_rectRequestedSize.top += offset.cy;
        nLength = m_rectRequestedSize.Height();
        dwMode |= LM_LENGTHY;
        bLeftOrTop = TRUE;
        break;
    default:
        m_rectRequestedSize.bottom += offset.cy;
        nLength = m_rectRequestedSize.Height();
        dwMode |= LM_LENGTHY;
        break;
    }
    CSize size = m_pBar->CalcDynamicLayout(nLength > 0 ? nLength : 0, dwMode);

    // The side opposite the dragged one stays; a size that would leave the screen is refused.
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
    CRect rectFrame = m_rectActualFrameSize;
    ResizeFromSide(rectFrame, CSize(size.cx + m_rectFrameBorders.Width(), size.cy + m_rectFrameBorders.Height()),
                   bLeftOrTop);
    CRect rectVisible;
    if (rectVisible.IntersectRect(rectDesktop, rectFrame))
    {
        m_rectActualFrameSize = rectFrame;
        ResizeFromSide(m_rectActualSize, size, bLeftOrTop);
    }
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

// ---------------------------------------------------------------------------------------------------
// Double click

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pBar->IsFloating())
    {
        if ((m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = NULL;
        if (m_uMRUDockID != 0)
        {
            pDockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
            if (pDockBar != NULL)
                pDockBar->ClientToScreen(&rect);
        }
        // The place the dock bar kept for the bar is more exact than a rectangle: rows may have
        // closed or moved since.
        BOOL bPlaceKept = pDockBar != NULL && pDockBar->FindPlaceHolder(m_pBar) >= 0;
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pDockBar != NULL && !bPlaceKept ? &rect : NULL);
        m_pDockSite->RecalcLayout();
        return;
    }

    // Remember where the bar was docked, so that the next toggle brings it back there.
    CDockBar* pDockBar = m_pBar->m_pDockBar;
    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    if (pDockBar != NULL)
    {
        UINT uID = (UINT)::GetDlgCtrlID(pDockBar->m_hWnd);
        if (uID >= AFX_IDW_DOCKBAR_TOP && uID <= AFX_IDW_DOCKBAR_BOTTOM)
        {
            m_uMRUDockID = uID;
            m_rectMRUDockPos = rectBar;
            pDockBar->ScreenToClient(&m_rectMRUDockPos);
        }
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0)
        ptFloat = rectBar.TopLeft();
    DWORD dwStyle = m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle
                                           : CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, dwStyle);
}

// ---------------------------------------------------------------------------------------------------
// The tracking loop and its outline

void CDockContext::InitLoop()
{
    // Windows uncovered before the drag paint now, not over the outline.
    MSG msg;
    while (::PeekMessageA(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE))
    {
        if (!::GetMessageA(&msg, NULL, WM_PAINT, WM_PAINT))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        ::DispatchMessageA(&msg);
    }

    m_pDockSite = m_pBar->m_pDockSite;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    m_rectLast.SetRectEmpty();
    m_sizeLast.cx = m_sizeLast.cy = 0;
    m_bDitherLast = FALSE;
    // Keys already held when the drag starts count as well as those pressed during it.
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_bFlip = ::GetKeyState(VK_SHIFT) < 0 && IsHorz(m_dwDockStyle) && IsVert(m_dwDockStyle);

    m_hbrHalftone = CreateHalftoneBrush();
    HWND hWndDesktop = ::GetDesktopWindow();
    DWORD dwFlags = DCX_WINDOW | DCX_CACHE;
    if (::LockWindowUpdate(hWndDesktop))
        dwFlags |= DCX_LOCKWINDOWUPDATE;
    m_pDC = CDC::FromHandle(::GetDCEx(hWndDesktop, NULL, dwFlags));
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    ::ReleaseCapture();
    HWND hWndDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(NULL);
    if (m_pDC != NULL)
    {
        ::ReleaseDC(hWndDesktop, m_pDC->m_hDC);
        m_pDC = NULL;
    }
    if (m_hbrHalftone != NULL)
    {
        ::DeleteObject(m_hbrHalftone);
        m_hbrHalftone = NULL;
    }
}

BOOL CDockContext::Track()
{
    if (::GetCapture() != NULL)
    {
        CancelLoop();
        return FALSE;
    }
    HWND hWndBar = m_pBar->m_hWnd;
    ::SetCapture(hWndBar);

    while (::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            // Input is given to a thread when it arrives: a button released before the capture was
            // set went to the window under the pointer then, and no WM_LBUTTONUP will come here.
            if (!IsLeftButtonDown())
            {
                CPoint pt;
                ::GetCursorPos(&pt);
                FollowMouse(pt);
                EndTracking();
                return TRUE;
            }
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, nButtonPollTime, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP:
            EndTracking();
            return TRUE;
        case WM_MOUSEMOVE:
            FollowMouse(ScreenPointOf(msg));
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey((int)msg.wParam, FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey((int)msg.wParam, TRUE);
            if (msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

BOOL PASCAL CDockContext::IsLeftButtonDown()
{
    int nButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return ::GetAsyncKeyState(nButton) < 0;
}

void CDockContext::FollowMouse(CPoint pt)
{
    if (m_bDragging)
        Move(pt);
    else
        Stretch(pt);
}

void CDockContext::EndTracking()
{
    if (m_bDragging)
        EndDrag();
    else
        EndResize();
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == NULL)
        return;

    // Thin and white where the bar would dock; thick and halftone where it would float.
    CSize size(1, 1);
    CRect rect;
    BOOL bDither = FALSE;
    if (m_bDragging && IsHorz(m_dwOverDockStyle))
        rect = m_rectDragHorz;
    else if (m_bDragging && IsVert(m_dwOverDockStyle))
        rect = m_rectDragVert;
    else
    {
        size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
        size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else
            rect = IsFloatingHorz() ? m_rectFrameDragHorz : m_rectFrameDragVert;
        bDither = TRUE;
    }
    if (bRemoveRect)
        size.cx = size.cy = 0;
    else if (!bDither)
        rect.InflateRect(-1, -1);   // looks pressed into the dock bar

    if (rect == m_rectLast && size == m_sizeLast && bDither == m_bDitherLast)
        return;
    HBRUSH hbrWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    InvertFrame(m_pDC->m_hDC, m_rectLast, m_sizeLast, m_bDitherLast ? m_hbrHalftone : hbrWhite);
    InvertFrame(m_pDC->m_hDC, rect, size, bDither ? m_hbrHalftone : hbrWhite);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}
