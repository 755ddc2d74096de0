// CQENToolbarSystemMenuButton: the small icon of a maximized MDI child at the start of the menu bar;
// it opens the child's system menu, and a double click closes the child.
#pragma once
#include "QENToolbarMenuButton.h"

class CQENToolbarSystemMenuButton : public CQENToolbarMenuButton
{
    DECLARE_DYNCREATE(CQENToolbarSystemMenuButton)
public:
    CQENToolbarSystemMenuButton();
    // The icon is the child's and is not destroyed here.
    CQENToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon);

    void AssignFrom(const CQENToolbarButton& source) override;
    void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                    BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled) override;
    CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal) override;
    void HandleDoubleClick(CWnd* pWnd) override;
    BOOL IsPersistent() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }

    HICON m_hIcon;
};
