// COleDocIPFrameWnd: the in-place frame of a document object. The document fills the container's
// whole view: the frame takes the position rectangle as it is, without clipping it.
#pragma once
#include "OleIPFrameWnd.h"

class COleDocIPFrameWnd : public COleIPFrameWnd
{
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
    COleDocIPFrameWnd();

    void RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect) override;
};
