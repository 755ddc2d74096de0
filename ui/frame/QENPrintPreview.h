// CQENPrintPreview: a window that shows the page a view prints, scaled to fit, with a button that
// prints it through the view and one that closes the window (Esc closes it too).
//
// The page is recorded once, when the window opens, through the view's own printing, on a DC that
// answers like the default printer. Without a printer the page is an A4 sheet at the screen's
// resolution, and the window says so.
#pragma once
#include <afxwin.h>

class CQENPrintPreview : public CWnd
{
public:
    static const UINT kPrintButtonId = 1;
    static const UINT kCloseButtonId = 2;
    static const UINT kNoteId = 3;

    // The preview of the view's first printed page, owned by the view's top-level frame; it deletes
    // itself when its window goes. NULL when it cannot be shown.
    static CQENPrintPreview* PASCAL Show(CView* pView);

    BOOL HasPrinter() const { return m_bPrinter; }
    // Where the page lies, in client coordinates.
    CRect PageRect() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CQENPrintPreview();
    ~CQENPrintPreview() override;

    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPrintButton();
    afx_msg void OnCloseButton();

    DECLARE_MESSAGE_MAP()

private:
    // Records page 1 of the view's printing; FALSE when the DC cannot be made.
    BOOL RecordPage(CView* pView);
    // The strip at the top that holds the buttons and the note.
    int ButtonStripHeight() const;

    HENHMETAFILE m_hPage;
    CSize m_sizePage;        // in the printer's pixels
    BOOL m_bPrinter;
    HWND m_hWndView;
    CButton m_wndPrint;
    CButton m_wndClose;
    CStatic m_wndNote;
};
