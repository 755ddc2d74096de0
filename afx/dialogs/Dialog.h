// CDialog: a window made from a dialog template, modeless (Create) or modal (DoModal), with data
// exchange between its controls and the object's members.
#pragma once
#include "Wnd.h"

// The dialog procedure of every dialog-template window of the framework. The window itself is
// subclassed by AfxWndProc, so the message map sees each message first; this procedure only turns
// WM_INITDIALOG into CDialog::OnInitDialog and leaves the rest to the system's dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    // ---- modeless ----
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

    // ---- modal ----
    // Makes DoModal use a template in memory instead of a resource (the memory must outlive DoModal).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    // Runs the dialog until EndDialog; returns its result, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // ---- controls and layout ----
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    // The default push button's id in the low word and DC_HASDEFID in the high word; 0 when none.
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    // ---- overridables ----
    // Shows the members in the controls (UpdateData(FALSE)); TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog();
    // The dialog's font, set by the dialog manager from the template before the controls are made.
    virtual void OnSetFont(CFont* pFont);
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    LPCTSTR m_lpszTemplateName;   // resource name or MAKEINTRESOURCE id of the template
    UINT m_nIDHelp;               // help context: the template id by default
    CWnd* m_pParentWnd;           // the owner asked for; the main window when NULL

protected:
    HGLOBAL m_hDialogTemplate;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    HWND m_hWndTop;               // top-level window disabled while modal (see GetSafeOwner)

    // Picks the owner of a modal run, disabling the top-level window above it; PostModal undoes that.
    HWND PreModal();
    void PostModal();

    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
