#include "QENButtonAppearanceDlg.h"

#include "QENButtonImageList.h"
#include "QENImageEditDlg.h"
#include "QENToolBar.h"
#include "QENToolbarButton.h"

#include <algorithm>

namespace {

// Around each image in the image area.
const int kCellMargin = 3;

// The image of a strip as colours, row by row from the top; face-coloured when it cannot be drawn.
std::vector<COLORREF> ReadImage(CQENButtonImageList& strip, int iImage, CSize sizeImage)
{
    std::vector<COLORREF> pixels((size_t)(sizeImage.cx * sizeImage.cy), ::GetSysColor(COLOR_BTNFACE));
    CClientDC dcScreen(NULL);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcScreen) || !bitmap.CreateCompatibleBitmap(&dcScreen, sizeImage.cx, sizeImage.cy))
        return pixels;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, sizeImage.cx, sizeImage.cy, ::GetSysColor(COLOR_BTNFACE));
    QENStripDrawState state;
    if (strip.BeginStripDraw(state))
    {
        strip.Draw(&dc, 0, 0, iImage);
        strip.EndStripDraw(state);
    }
    for (int y = 0; y < sizeImage.cy; y++)
        for (int x = 0; x < sizeImage.cx; x++)
            pixels[(size_t)(y * sizeImage.cx + x)] = dc.GetPixel(x, y);
    dc.SelectObject(pOld);
    return pixels;
}

// A 24-bit bitmap of the colours; the caller deletes it.
HBITMAP MakeBitmap(const std::vector<COLORREF>& pixels, CSize sizeImage)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = sizeImage.cx;
    info.bmiHeader.biHeight = -sizeImage.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return NULL;
    const int nStride = (sizeImage.cx * 3 + 3) & ~3;
    for (int y = 0; y < sizeImage.cy; y++)
    {
        BYTE* pRow = static_cast<BYTE*>(pBits) + y * nStride;
        for (int x = 0; x < sizeImage.cx; x++)
        {
            const COLORREF cr = pixels[(size_t)(y * sizeImage.cx + x)];
            pRow[x * 3] = GetBValue(cr);
            pRow[x * 3 + 1] = GetGValue(cr);
            pRow[x * 3 + 2] = GetRValue(cr);
        }
    }
    return hBitmap;
}

} // namespace

BEGIN_MESSAGE_MAP(CQENButtonAppearanceDlg, CDialog)
    ON_BN_CLICKED(IDC_IMAGE_ONLY, OnLookChanged)
    ON_BN_CLICKED(IDC_TEXT_ONLY, OnLookChanged)
    ON_BN_CLICKED(IDC_IMAGE_AND_TEXT, OnLookChanged)
    ON_BN_CLICKED(IDC_NEW_IMAGE, OnNewImage)
    ON_BN_CLICKED(IDC_EDIT_IMAGE, OnEditImage)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CQENButtonAppearanceDlg::CQENButtonAppearanceDlg(CQENToolbarButton* pButton, CQENButtonImageList* pUserImages,
                                                 CWnd* pParent)
    : CDialog(IDD, pParent),
      m_pButton(pButton),
      m_pUserImages(pUserImages),
      m_sizeImage(pUserImages != NULL ? pUserImages->ImageSize() : CQENToolBar::s_imageSize),
      m_nStripImages(0),
      m_iSelected(pButton->m_bUserImage ? pButton->m_iUserImageIndex : -1)
{
    for (int i = 0; pUserImages != NULL && i < pUserImages->ImageCount(); i++)
    {
        m_images.push_back(ReadImage(*pUserImages, i, m_sizeImage));
        m_changed.push_back(false);
    }
    m_nStripImages = (int)m_images.size();
    if (m_iSelected >= m_nStripImages)
        m_iSelected = -1;
}

BOOL PASCAL CQENButtonAppearanceDlg::Choose(CQENToolbarButton* pButton, CWnd* pParent)
{
    CQENButtonAppearanceDlg dlg(pButton, CQENToolBar::UserImages(), pParent);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    // A user image may have changed on every bar that shows it.
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        if (::IsWindow(pBar->m_hWnd))
            pBar->Invalidate();
    }
    return TRUE;
}

BOOL CQENButtonAppearanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UINT nLook = IDC_IMAGE_ONLY;
    if (m_pButton->GetImage() < 0 || !m_pButton->m_bShowImage)
        nLook = IDC_TEXT_ONLY;
    else if (m_pButton->m_bShowLabel)
        nLook = IDC_IMAGE_AND_TEXT;
    CheckRadioButton(IDC_IMAGE_ONLY, IDC_IMAGE_AND_TEXT, nLook);
    SetDlgItemText(IDC_TEXT, m_pButton->m_strLabel);
    UpdateControls();
    return TRUE;
}

int CQENButtonAppearanceDlg::CheckedLook() const
{
    for (int nId : {IDC_IMAGE_ONLY, IDC_TEXT_ONLY, IDC_IMAGE_AND_TEXT})
        if (IsDlgButtonChecked(nId) == BST_CHECKED)
            return nId;
    return IDC_IMAGE_ONLY;
}

void CQENButtonAppearanceDlg::UpdateControls()
{
    const BOOL bImage = CheckedLook() != IDC_TEXT_ONLY;
    const BOOL bStrip = m_pUserImages != NULL;
    GetDlgItem(IDC_USER_IMAGES)->EnableWindow(bImage && bStrip);
    GetDlgItem(IDC_NEW_IMAGE)->EnableWindow(bImage && bStrip);
    GetDlgItem(IDC_EDIT_IMAGE)->EnableWindow(bImage && bStrip && (m_iSelected >= 0 || m_pButton->GetImage() >= 0));
    GetDlgItem(IDC_USER_IMAGES)->Invalidate();
}

CRect CQENButtonAppearanceDlg::CellRect(int iImage) const
{
    CRect rectArea;
    GetDlgItem(IDC_USER_IMAGES)->GetWindowRect(&rectArea);
    ScreenToClient(&rectArea);
    const CSize sizeCell(m_sizeImage.cx + 2 * kCellMargin, m_sizeImage.cy + 2 * kCellMargin);
    const int nColumns = std::max<int>(1, (rectArea.Width() - 2) / sizeCell.cx);
    const CPoint ptCell(rectArea.left + 1 + (iImage % nColumns) * sizeCell.cx, rectArea.top + 1 + (iImage / nColumns) * sizeCell.cy);
    return CRect(ptCell, sizeCell);
}

int CQENButtonAppearanceDlg::ImageAt(CPoint point) const
{
    for (int i = 0; i < (int)m_images.size(); i++)
        if (CellRect(i).PtInRect(point))
            return i;
    return -1;
}

void CQENButtonAppearanceDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != IDC_USER_IMAGES)
    {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    const BOOL bEnabled = GetDlgItem(IDC_USER_IMAGES)->IsWindowEnabled();
    pDC->FillSolidRect(rect, ::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE));
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    // The cells in the control's own coordinates.
    CRect rectArea;
    GetDlgItem(IDC_USER_IMAGES)->GetWindowRect(&rectArea);
    ScreenToClient(&rectArea);
    for (int i = 0; i < (int)m_images.size(); i++)
    {
        CRect rectCell = CellRect(i);
        rectCell.OffsetRect(-rectArea.TopLeft());
        if (rectCell.bottom > rect.bottom)
            break;
        if (i == m_iSelected && bEnabled)
            pDC->FillSolidRect(rectCell, ::GetSysColor(COLOR_HIGHLIGHT));
        const CPoint ptImage = rectCell.TopLeft() + CPoint(kCellMargin, kCellMargin);
        for (int y = 0; y < m_sizeImage.cy; y++)
            for (int x = 0; x < m_sizeImage.cx; x++)
                pDC->SetPixel(ptImage.x + x, ptImage.y + y, m_images[(size_t)i][(size_t)(y * m_sizeImage.cx + x)]);
    }
}

void CQENButtonAppearanceDlg::OnLookChanged()
{
    UpdateControls();
}

void CQENButtonAppearanceDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int iImage = GetDlgItem(IDC_USER_IMAGES)->IsWindowEnabled() ? ImageAt(point) : -1;
    if (iImage < 0)
    {
        CDialog::OnLButtonDown(nFlags, point);
        return;
    }
    m_iSelected = iImage;
    UpdateControls();
}

void CQENButtonAppearanceDlg::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
    if (m_iSelected >= 0 && ImageAt(point) == m_iSelected)
        OnEditImage();
}

void CQENButtonAppearanceDlg::EditImage(std::vector<COLORREF> pixels, int iImage)
{
    CQENImageEditDlg dlg(m_sizeImage, pixels, this);
    if (dlg.DoModal() != IDOK)
        return;
    if (iImage >= 0)
    {
        m_images[(size_t)iImage] = dlg.m_pixels;
        m_changed[(size_t)iImage] = true;
    }
    else
    {
        m_images.push_back(dlg.m_pixels);
        m_changed.push_back(true);
        m_iSelected = (int)m_images.size() - 1;
    }
    UpdateControls();
}

void CQENButtonAppearanceDlg::OnNewImage()
{
    EditImage(std::vector<COLORREF>((size_t)(m_sizeImage.cx * m_sizeImage.cy), ::GetSysColor(COLOR_BTNFACE)), -1);
}

void CQENButtonAppearanceDlg::OnEditImage()
{
    if (m_iSelected >= 0)
    {
        EditImage(m_images[(size_t)m_iSelected], m_iSelected);
        return;
    }
    // The button's own image becomes a new user image.
    CQENButtonImageList* pStrip = m_pButton->m_bUserImage ? m_pUserImages : &CQENToolBar::s_stdImages;
    if (pStrip != NULL && m_pButton->GetImage() >= 0)
        EditImage(ReadImage(*pStrip, m_pButton->GetImage(), m_sizeImage), -1);
}

void CQENButtonAppearanceDlg::OnOK()
{
    const int nLook = CheckedLook();
    CString strText;
    GetDlgItemText(IDC_TEXT, strText);
    if (nLook != IDC_TEXT_ONLY && m_iSelected < 0 && m_pButton->GetImage() < 0)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    if (nLook != IDC_IMAGE_ONLY && strText.IsEmpty() && !CQENToolbarButton::LoadCommandMenuText(m_pButton->m_nCommandId, strText))
    {
        ::MessageBeep((UINT)-1);
        GotoDlgCtrl(GetDlgItem(IDC_TEXT));
        return;
    }

    int iChosen = m_iSelected;
    for (int i = 0; m_pUserImages != NULL && i < (int)m_images.size(); i++)
    {
        if (!m_changed[(size_t)i])
            continue;
        HBITMAP hImage = MakeBitmap(m_images[(size_t)i], m_sizeImage);
        if (hImage == NULL)
            continue;
        if (i < m_nStripImages)
        {
            m_pUserImages->UpdateImage(i, hImage);
        }
        else
        {
            const int iAdded = m_pUserImages->AddImage(hImage);
            if (i == m_iSelected)
                iChosen = iAdded;
        }
        ::DeleteObject(hImage);
    }
    if (iChosen >= 0 && nLook != IDC_TEXT_ONLY)
    {
        m_pButton->m_bUserImage = TRUE;
        m_pButton->SetImageIndex(iChosen);
    }
    m_pButton->m_strLabel = strText;
    m_pButton->m_bShowImage = nLook != IDC_TEXT_ONLY;
    m_pButton->m_bShowLabel = nLook != IDC_IMAGE_ONLY;
    CDialog::OnOK();
}
