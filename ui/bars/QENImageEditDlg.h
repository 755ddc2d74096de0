// CQENImageEditDlg: a small pixel editor for one button image. The image is shown enlarged; the
// left button paints with the chosen colour, the right button with the button face (the image's
// background). A palette of sixteen colours, the chosen colour, the image at its own size and a
// button that clears everything sit beside it. The caller reads m_pixels after OK.
#pragma once
#include <afxwin.h>

#include <vector>

class CQENImageEditDlg : public CDialog
{
public:
    static const UINT IDD = 16133;
    enum ControlId
    {
        IDC_CLEAR = 16531,
        IDC_PICTURE = 16532,
        IDC_COLOURS = 16533,
        IDC_CURRENT_COLOUR = 16534,
        IDC_PREVIEW = 16535
    };
    static const int kPaletteColumns = 4;
    static const int kPaletteRows = 4;

    // pixels: sizeImage.cx × sizeImage.cy colours, row by row from the top.
    CQENImageEditDlg(CSize sizeImage, const std::vector<COLORREF>& pixels, CWnd* pParent = NULL);

    CSize m_sizeImage;
    std::vector<COLORREF> m_pixels;
    COLORREF m_crPen;

    static const COLORREF s_crPalette[kPaletteColumns * kPaletteRows];

protected:
    // A control's rectangle in the dialog's client coordinates.
    CRect ControlRect(UINT nId) const;
    // The square an image pixel takes in the picture, and the pixel under a point (-1 outside).
    int CellSize() const;
    int PixelAt(CPoint point) const;
    int PaletteIndexAt(CPoint point) const;
    void Paint(CPoint point, COLORREF crColour);
    void EndStroke();
    void DrawPicture(CDC* pDC, const CRect& rect);
    void DrawPalette(CDC* pDC, const CRect& rect);
    void DrawPreview(CDC* pDC, const CRect& rect);

    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_crPainting;   // the colour of the stroke in progress
    BOOL m_bPainting;
};
