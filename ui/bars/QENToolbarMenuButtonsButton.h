// CQENToolbarMenuButtonsButton: one of the caption buttons (minimize, restore, close) of a maximized
// MDI child, shown at the far end of the menu bar. Its command is the system command it sends.
#pragma once
#include "QENToolbarButton.h"

class CQENToolbarMenuButtonsButton : public CQENToolbarButton
{
    DECLARE_DYNCREATE(CQENToolbarMenuButtonsButton)
public:
    CQENToolbarMenuButtonsButton();
    // nSysCommand: SC_MINIMIZE, SC_RESTORE or SC_CLOSE.
    CQENToolbarMenuButtonsButton(UINT nSysCommand, CSize size, BOOL bEnabled);

    void AssignFrom(const CQENToolbarButton& source) override;
    void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                    BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled) override;
    CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal) override;
    BOOL HandleClickUp() override;
    void AttachToParent(CWnd* pWndParent) override;
    BOOL IsPersistent() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }
    BOOL HasHotBorder() const override { return FALSE; }

    CSize m_size;
    CWnd* m_pWndParent;
};
