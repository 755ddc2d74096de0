// CQENDialogBar: a sizing control bar whose content comes from a dialog template. A resizable one
// sizes like any sizing bar; otherwise it keeps the template's size. Its controls are updated
// through the command routing at idle time, like menu items.
#pragma once
#include "QENSizingControlBar.h"

class CQENDialogBar : public CQENSizingControlBar
{
    DECLARE_DYNAMIC(CQENDialogBar)
public:
    CQENDialogBar();

    // The template must have the WS_CHILD style. nStyle: bar style (CBRS_) and window style bits.
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID, BOOL bResizable = TRUE,
                BOOL bHasGripper = TRUE);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID, BOOL bResizable = TRUE,
                BOOL bHasGripper = TRUE)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID, bResizable, bHasGripper);
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL ClipNcPaintToUpdateRegion() const override;

    CSize m_sizeTemplate;
    BOOL m_bResizable;
    const BYTE* m_lpInitData;   // the template's control initialisation data (DLGINIT), NULL: none
    DWORD m_dwInitDataLength;

protected:
    // Fills the list and combo boxes the initialisation data names; FALSE when it is damaged or
    // names controls that need a control container (ActiveX), which the framework does not host.
    BOOL ApplyInitData();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
