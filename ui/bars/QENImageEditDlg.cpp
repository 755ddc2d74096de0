#include "QENImageEditDlg.h"

#include <algorithm>

namespace {

const COLORREF kGridColour = RGB(128, 128, 128);

} // namespace

const COLORREF CQENImageEditDlg::s_crPalette[kPaletteColumns * kPaletteRows] = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),   RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
    RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

BEGIN_MESSAGE_MAP(CQENImageEditDlg, CDialog)
    ON_WM_DRAWITEM()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_BN_CLICKED(IDC_CLEAR, OnClear)
END_MESSAGE_MAP()

CQENImageEditDlg::CQENImageEditDlg(CSize sizeImage, const std::vector<COLORREF>& pixels, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_sizeImage(sizeImage),
      m_pixels(pixels),
      m_crPen(RGB(0, 0, 0)),
      m_crPainting(RGB(0, 0, 0)),
      m_bPainting(FALSE)
{
    m_pixels.resize((size_t)(sizeImage.cx * sizeImage.cy), ::GetSysColor(COLOR_BTNFACE));
}

CRect CQENImageEditDlg::ControlRect(UINT nId) const
{
    CRect rect;
    CWnd* pControl = GetDlgItem(nId);
    if (pControl == NULL)
        return rect;
    pControl->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

int CQENImageEditDlg::CellSize() const
{
    const CRect rect = ControlRect(IDC_PICTURE);
    if (m_sizeImage.cx < 1 || m_sizeImage.cy < 1)
        return 0;
    return std::max(1, std::min<int>((rect.Width() - 1) / m_sizeImage.cx, (rect.Height() - 1) / m_sizeImage.cy));
}

int CQENImageEditDlg::PixelAt(CPoint point) const
{
    const CRect rect = ControlRect(IDC_PICTURE);
    const int nCell = CellSize();
    if (nCell == 0 || point.x < rect.left || point.y < rect.top)
        return -1;
    const int x = (point.x - rect.left) / nCell;
    const int y = (point.y - rect.top) / nCell;
    if (x >= m_sizeImage.cx || y >= m_sizeImage.cy)
        return -1;
    return y * m_sizeImage.cx + x;
}

int CQENImageEditDlg::PaletteIndexAt(CPoint point) const
{
    const CRect rect = ControlRect(IDC_COLOURS);
    if (!rect.PtInRect(point))
        return -1;
    const int nColumn = (point.x - rect.left) * kPaletteColumns / rect.Width();
    const int nRow = (point.y - rect.top) * kPaletteRows / rect.Height();
    return nRow * kPaletteColumns + nColumn;
}

void CQENImageEditDlg::Paint(CPoint point, COLORREF crColour)
{
    const int iPixel = PixelAt(point);
    if (iPixel < 0 || m_pixels[(size_t)iPixel] == crColour)
        return;
    m_pixels[(size_t)iPixel] = crColour;
    GetDlgItem(IDC_PICTURE)->Invalidate(FALSE);
    GetDlgItem(IDC_PREVIEW)->Invalidate(FALSE);
}

void CQENImageEditDlg::DrawPicture(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    const int nCell = CellSize();
    for (int y = 0; y < m_sizeImage.cy; y++)
    {
        for (int x = 0; x < m_sizeImage.cx; x++)
        {
            const CRect rectCell(x * nCell, y * nCell, (x + 1) * nCell + 1, (y + 1) * nCell + 1);
            pDC->FillSolidRect(rectCell, kGridColour);
            CRect rectInside = rectCell;
            rectInside.DeflateRect(1, 1, 0, 0);
            pDC->FillSolidRect(rectInside, m_pixels[(size_t)(y * m_sizeImage.cx + x)]);
        }
    }
}

void CQENImageEditDlg::DrawPalette(CDC* pDC, const CRect& rect)
{
    for (int i = 0; i < kPaletteColumns * kPaletteRows; i++)
    {
        const int nColumn = i % kPaletteColumns;
        const int nRow = i / kPaletteColumns;
        CRect rectSwatch(rect.left + rect.Width() * nColumn / kPaletteColumns, rect.top + rect.Height() * nRow / kPaletteRows,
                         rect.left + rect.Width() * (nColumn + 1) / kPaletteColumns,
                         rect.top + rect.Height() * (nRow + 1) / kPaletteRows);
        pDC->Draw3dRect(rectSwatch, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        rectSwatch.DeflateRect(1, 1);
        pDC->FillSolidRect(rectSwatch, s_crPalette[i]);
    }
}

void CQENImageEditDlg::DrawPreview(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    const CPoint ptOrigin(rect.left + (rect.Width() - m_sizeImage.cx) / 2, rect.top + (rect.Height() - m_sizeImage.cy) / 2);
    for (int y = 0; y < m_sizeImage.cy; y++)
        for (int x = 0; x < m_sizeImage.cx; x++)
            pDC->SetPixel(ptOrigin.x + x, ptOrigin.y + y, m_pixels[(size_t)(y * m_sizeImage.cx + x)]);
}

void CQENImageEditDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    switch (nIDCtl)
    {
    case IDC_PICTURE:
        DrawPicture(pDC, rect);
        break;
    case IDC_COLOURS:
        DrawPalette(pDC, rect);
        break;
    case IDC_CURRENT_COLOUR:
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->FillSolidRect(CRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1), m_crPen);
        break;
    case IDC_PREVIEW:
        DrawPreview(pDC, rect);
        break;
    default:
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
}

void CQENImageEditDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int iColour = PaletteIndexAt(point);
    if (iColour >= 0)
    {
        m_crPen = s_crPalette[iColour];
        GetDlgItem(IDC_CURRENT_COLOUR)->Invalidate();
        return;
    }
    if (PixelAt(point) < 0)
    {
        CDialog::OnLButtonDown(nFlags, point);
        return;
    }
    m_crPainting = m_crPen;
    m_bPainting = TRUE;
    SetCapture();
    Paint(point, m_crPainting);
}

void CQENImageEditDlg::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (PixelAt(point) < 0)
    {
        CDialog::OnRButtonDown(nFlags, point);
        return;
    }
    m_crPainting = ::GetSysColor(COLOR_BTNFACE);
    m_bPainting = TRUE;
    SetCapture();
    Paint(point, m_crPainting);
}

void CQENImageEditDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bPainting && GetCapture() == this)
        Paint(point, m_crPainting);
    CDialog::OnMouseMove(nFlags, point);
}

void CQENImageEditDlg::EndStroke()
{
    m_bPainting = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CQENImageEditDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndStroke();
    CDialog::OnLButtonUp(nFlags, point);
}

void CQENImageEditDlg::OnRButtonUp(UINT nFlags, CPoint point)
{
    EndStroke();
    CDialog::OnRButtonUp(nFlags, point);
}

void CQENImageEditDlg::OnClear()
{
    std::fill(m_pixels.begin(), m_pixels.end(), ::GetSysColor(COLOR_BTNFACE));
    GetDlgItem(IDC_PICTURE)->Invalidate(FALSE);
    GetDlgItem(IDC_PREVIEW)->Invalidate(FALSE);
}
