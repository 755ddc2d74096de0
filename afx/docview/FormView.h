// CFormView: a view made from a dialog template. Its controls exchange data with the view's
// members (UpdateData), keyboard navigation between them works as in a dialog, and the frame can
// be fitted to the form's size.
#pragma once
#include "View.h"

class CFormView : public CView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);

public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwRequestedStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, void* pContext = NULL) override;

    // Sizes the parent frame so that the view shows the whole form; with bShrinkOnly the frame
    // only gets smaller.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    // The form's size in pixels, as the template makes it.
    CSize GetTotalSize() const { return m_sizeForm; }

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

protected:
    LPCTSTR m_lpszTemplateName;
    CSize m_sizeForm;

private:
    void* m_pCreateContext;   // the creation context while the dialog is being made
    HWND m_hWndFocus;         // the control that had the focus when the view was deactivated

    BOOL SaveFocusControl();

    DECLARE_MESSAGE_MAP()
};
