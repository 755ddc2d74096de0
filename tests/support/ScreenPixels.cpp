#include "ScreenPixels.h"

#include "DibCanvas.h"

int ScreenCount(CWnd* pWnd, CRect rect, COLORREF crColor)
{
    pWnd->ClientToScreen(&rect);
    DibCanvas canvas(rect.Width(), rect.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    return canvas.Count(crColor);
}
