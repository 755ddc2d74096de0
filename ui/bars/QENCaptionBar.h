// CQENCaptionBar: a control bar across its frame that shows up to three elements, each placed at the
// left, the right or the centre: a button that sends its command to the bar's owner, a message text
// and an image (an icon or a bitmap). Its top and bottom borders are non-client strips; everything
// is drawn through the visual manager except the message text.
#pragma once
#include <afxwin.h>
#include <afxext.h>

class CQENCaptionBar : public CControlBar
{
    DECLARE_DYNCREATE(CQENCaptionBar)
public:
    enum ElementAlignment
    {
        AlignLeft = 1,
        AlignRight = 2,
        AlignCentre = 3
    };
    // The drop-down arrow's strip at the button's right end.
    static const int kArrowWidth = 10;

    CQENCaptionBar();
    ~CQENCaptionBar() override;

    // nHeight -1: the height follows the font and the elements.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    // ---- content ----
    void SetText(const CString& strText, int nAlignment = AlignLeft);
    CString GetText() const { return m_strText; }
    // An empty text removes the button.
    void SetButton(const CString& strText, UINT nCommandId, int nAlignment = AlignLeft, BOOL bDropDownArrow = FALSE);
    void EnableButton(BOOL bEnable = TRUE);
    // The bar does not own the icon or the bitmap; NULL removes the image.
    void SetIcon(HICON hIcon, int nAlignment = AlignLeft);
    void SetBitmap(HBITMAP hBitmap, COLORREF crTransparent, BOOL bStretch = FALSE, int nAlignment = AlignLeft);
    void SetAlignments(int nButtonAlignment, int nTextAlignment, int nImageAlignment);

    // ---- look ----
    // -1: the visual manager's colour (text) or the bar face (background).
    void SetTextColour(COLORREF crText);
    void SetBackgroundColour(COLORREF crBackground);
    void SetFlatBorder(BOOL bFlat = TRUE);
    void SetBorderSize(int nSize);
    void SetMargin(int nMargin);
    void SetSpacing(int nSpacing);
    int BorderSize() const { return m_nBorderSize; }

    // ---- where the elements are, in client coordinates ----
    CRect ButtonRect() const { return m_rectButton; }
    CRect TextRect() const { return m_rectText; }
    CRect ImageRect() const { return m_rectImage; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

protected:
    COLORREF m_crText;
    COLORREF m_crBackground;
    HFONT m_hFont;
    int m_nBorderSize;
    int m_nMargin;
    int m_nSpacing;
    int m_nForcedHeight;
    int m_nHeight;
    BOOL m_bFlatBorder;

    CString m_strButton;
    UINT m_nButtonCommand;
    BOOL m_bButtonArrow;
    int m_nButtonAlignment;
    BOOL m_bButtonHot;
    BOOL m_bButtonPressed;
    BOOL m_bButtonEnabled;
    BOOL m_bMouseTracked;

    CString m_strText;
    int m_nTextAlignment;

    HICON m_hIcon;
    HBITMAP m_hBitmap;
    COLORREF m_crTransparent;
    BOOL m_bStretchImage;
    int m_nImageAlignment;

    CRect m_rectButton;
    CRect m_rectText;
    CRect m_rectImage;

    CFont* BarFont() const;
    CSize ImageSize() const;
    void RecalcLayout();
    // Sets the button's hot and pressed state and repaints it when that changed.
    void SetButtonState(BOOL bHot, BOOL bPressed);
    CWnd* CommandTarget() const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
