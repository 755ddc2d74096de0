// CQENShowAllButton: the last item of a popup menu that hides rarely used commands; choosing it
// shows the whole menu. It shows a double arrow pointing down. The popup adds it by itself: it is
// neither stored nor dragged.
#pragma once
#include "QENToolbarMenuButton.h"

class CQENShowAllButton : public CQENToolbarMenuButton
{
    DECLARE_DYNCREATE(CQENShowAllButton)
public:
    CQENShowAllButton();

    void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                    BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled) override;
    CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal) override;
    BOOL HandleClick(CWnd* pWndBar, BOOL bDelayed) override;
    BOOL IsPersistent() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }

    static const int kHeight = 16;
};
