// LookCanvas: a DIB canvas for a look's drawing operations, which must leave its device context as
// they found it. When the canvas goes, its colours, modes, brush origin, selected pen, brush and font
// and its clip box are checked against what they were when it was made.
#pragma once
#include "DibCanvas.h"

#include <gtest/gtest.h>

class LookCanvas : public DibCanvas
{
public:
    // With lpClip the canvas is clipped to that rectangle and has a stock pen and brush selected, as
    // a caller's device context may.
    explicit LookCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255), LPCRECT lpClip = NULL)
        : DibCanvas(cx, cy, crFill)
    {
        // Colours no operation would choose, so that one left behind shows.
        dc.SetTextColor(RGB(11, 12, 13));
        dc.SetBkColor(RGB(21, 22, 23));
        dc.SetBrushOrg(3, 5);
        if (lpClip != NULL)
        {
            CRgn clip;
            clip.CreateRectRgnIndirect(lpClip);
            dc.SelectClipRgn(&clip);
            dc.SetBkMode(TRANSPARENT);
            dc.SelectStockObject(DKGRAY_BRUSH);
            dc.SelectStockObject(WHITE_PEN);
        }
        m_before = State();
    }

    ~LookCanvas() { EXPECT_EQ(m_before, State()) << "the drawing left the device context changed"; }

private:
    std::string State()
    {
        CRect rectClip;
        dc.GetClipBox(&rectClip);
        CPoint ptOrigin = dc.GetBrushOrg();
        char szState[220];
        snprintf(szState, sizeof szState,
                 "text %06lX back %06lX mode %d rop %d origin %ld,%ld pen %p brush %p font %p clip %ld,%ld,%ld,%ld",
                 dc.GetTextColor(), dc.GetBkColor(), dc.GetBkMode(), dc.GetROP2(), ptOrigin.x, ptOrigin.y,
                 ::GetCurrentObject(dc, OBJ_PEN), ::GetCurrentObject(dc, OBJ_BRUSH), ::GetCurrentObject(dc, OBJ_FONT),
                 rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
        return szState;
    }

    std::string m_before;
};
