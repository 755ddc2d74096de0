#include "OleDocIPFrameWnd.h"

IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

COleDocIPFrameWnd::COleDocIPFrameWnd()
{
}

void COleDocIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect)
{
    m_rectPos = *lpPosRect;
    m_rectClip = *lpClipRect;
    PlaceFrame(m_rectPos);
}
