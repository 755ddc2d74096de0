// CQENButtonAppearanceDlg: how a toolbar button shows itself in customize mode: image only, text
// only, or both; its text; and its image, chosen from the user images or drawn anew in the image
// editor. Nothing changes before OK: edited and new images are kept by the dialog until then, and
// Cancel leaves the button and the user strip as they were.
#pragma once
#include <afxwin.h>

#include <vector>

class CQENButtonImageList;
class CQENToolbarButton;

class CQENButtonAppearanceDlg : public CDialog
{
public:
    static const UINT IDD = 16132;
    enum ControlId
    {
        IDC_IMAGE_ONLY = 16521,
        IDC_TEXT_ONLY = 16522,
        IDC_IMAGE_AND_TEXT = 16523,
        IDC_TEXT = 16524,
        IDC_USER_IMAGES = 16525,
        IDC_NEW_IMAGE = 16526,
        IDC_EDIT_IMAGE = 16527
    };

    // pUserImages NULL: the button keeps its own image, none can be chosen.
    CQENButtonAppearanceDlg(CQENToolbarButton* pButton, CQENButtonImageList* pUserImages, CWnd* pParent = NULL);

    // The dialog over pParent for the button, with the toolbars' user strip; after OK every bar is
    // repainted. TRUE when the button was changed.
    static BOOL PASCAL Choose(CQENToolbarButton* pButton, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    int CheckedLook() const;
    void UpdateControls();
    // The cell of a user image in the image area, in the dialog's client coordinates.
    CRect CellRect(int iImage) const;
    int ImageAt(CPoint point) const;
    void EditImage(std::vector<COLORREF> pixels, int iImage);

    afx_msg void OnLookChanged();
    afx_msg void OnNewImage();
    afx_msg void OnEditImage();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

    CQENToolbarButton* m_pButton;
    CQENButtonImageList* m_pUserImages;
    CSize m_sizeImage;
    // The user images as the dialog shows them: the strip's first, then the new ones.
    std::vector<std::vector<COLORREF>> m_images;
    std::vector<bool> m_changed;
    int m_nStripImages;
    int m_iSelected;   // the user image chosen, -1: the button's own image
};
