// CCustomizeButton: the menu button a toolbar keeps last when the application enables it. It holds
// the customize command its drop-down ends with and the buttons for which the bar's layout found no
// room. It draws the drop-down arrow near the bar's end and, while buttons are hidden, double
// arrows beside it. A click drops down the hidden buttons as menu items, then the customize
// command. The bar adds it by itself: it is neither stored nor dragged.
#pragma once
#include "QENToolbarMenuButton.h"

class CCustomizeButton : public CQENToolbarMenuButton
{
    DECLARE_DYNCREATE(CCustomizeButton)
public:
    CCustomizeButton();
    CCustomizeButton(UINT nCustomizeCommand, LPCTSTR lpszCustomizeText, BOOL bSeparatorBefore);

    void AssignFrom(const CQENToolbarButton& source) override;
    void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                    BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled) override;
    CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal) override;
    // The drop-down is made anew from what is hidden now.
    BOOL HandleClick(CWnd* pWndBar, BOOL bDelayed) override;
    BOOL HasHotBorder() const override { return TRUE; }
    BOOL IsPersistent() const override { return FALSE; }
    BOOL IsCustomizable() const override { return FALSE; }

    // Something for the drop-down to list: hidden buttons or the customize command.
    BOOL HasContent() const { return !m_hiddenButtons.IsEmpty() || m_nCustomizeCommand != 0; }

    UINT m_nCustomizeCommand;     // 0: no customize command
    CString m_strCustomizeText;
    BOOL m_bSeparatorBefore;      // a separator before the customize command
    // The bar's buttons that did not fit, in bar order; the bar owns them.
    CList<CQENToolbarButton*, CQENToolbarButton*> m_hiddenButtons;

private:
    // The items of the drop-down: the hidden buttons (leading separators left out), then the
    // customize command.
    void FillDropDown();

    // The thickness of the button across the bar's length.
    static const int kThickness = 12;
};
