// CPropertyPage: one page of a CPropertySheet, made from a dialog template (with its own font). The
// sheet's PSN_ notifications arrive as the On… overridables.
#pragma once
#include "Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    // For pages built with the default constructor; the caption string replaces the template's.
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // What the sheet is given for this page; lParam, pfnDlgProc and pfnCallback belong to the framework.
    PROPSHEETPAGEA m_psp;

    // Marks the page changed (the sheet enables Apply) or unchanged.
    void SetModified(BOOL bChanged = TRUE);
    // Applied changes cannot be undone: the sheet's Cancel becomes Close.
    void CancelToClose();

    // PSN_SETACTIVE: FALSE keeps the page from being shown. Shows the members again on every
    // activation after the first (OnInitDialog did the first).
    virtual BOOL OnSetActive();
    // PSN_KILLACTIVE: takes the controls into the members; FALSE (invalid data) keeps the page.
    virtual BOOL OnKillActive();
    // PSN_APPLY (OK or Apply): calls OnOK; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // PSN_RESET (Cancel): calls OnCancel.
    virtual void OnReset();
    virtual void OnOK() override;       // marks the page unchanged
    virtual void OnCancel() override;   // nothing to undo by default
    // PSN_QUERYCANCEL: FALSE refuses the Cancel.
    virtual BOOL OnQueryCancel();

    // The sheet's dialog handling covers the pages: a page does none of its own.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CString m_strCaption;
    BOOL m_bFirstSetActive;
    BOOL m_bChanged;

    CPropertySheet* GetParentSheet() const;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    friend class CPropertySheet;
};
