// CPropertySheet: the system's tabbed property sheet over CPropertyPage objects, modal (DoModal) or
// modeless (Create). The sheet window is attached to this object and subclassed when it is made.
#pragma once
#include "PropertyPage.h"
#include "PtrArray.h"

#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021   // the sheet's Apply button
#endif

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    virtual ~CPropertySheet();

    // What the system is given; callers may add flags and icons. The pages, the callback and
    // PSH_MODELESS belong to the framework.
    PROPSHEETHEADERA m_psh;
    CWnd* m_pParentWnd;

    // Runs the sheet modally (on the framework's modal loop); IDOK or IDCANCEL, -1 when it failed.
    virtual INT_PTR DoModal();
    // A modeless sheet; dwStyle -1 is a visible captioned popup with a system menu.
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    // ---- pages (owned by the caller) ----
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const { return static_cast<CPropertyPage*>(m_pages.GetAt(nPage)); }
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);

    // The sheet's tab control (the framework offers no tab-control class, so a plain window).
    CWnd* GetTabControl() const;
    // nStyle PSH_PROPTITLE makes the caption "Properties for <text>" in the system's wording.
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    // Presses one of the sheet's buttons: PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW…
    void PressButton(int nButton);
    // Ends a modal run with nEndID; destroys a modeless sheet.
    void EndDialog(int nEndID);

    // After the system has built the sheet and its first page.
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    CPtrArray m_pages;
    CString m_strCaption;
    DWORD m_dwSheetStyle;     // the window style Create asked for; -1 leaves the system's
    DWORD m_dwSheetExStyle;
    HWND m_hWndTop;           // top-level window disabled while modal
    int m_nPendingResult;     // IDOK after the pages applied, IDCANCEL after they were reset

    BOOL CreateSheetWindow(HWND hWndParent);
    void ApplyTemplateStyle(DLGTEMPLATE* pTemplate) const;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    // The system's sheet callback: fits the template to Create's style, and attaches the sheet window
    // when the creation hook has not.
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    friend class CPropertyPage;

    DECLARE_MESSAGE_MAP()
};
