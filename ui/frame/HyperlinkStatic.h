// CHyperlinkStatic: a static text control, attached by subclassing, that shows its text as a link
// (link colours, hand cursor, tool tip, hover colour) and opens its target through the shell on a
// click, falling back to the program registered for ".htm" files.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CHyperlinkStatic : public CStatic
{
    DECLARE_DYNAMIC(CHyperlinkStatic)
public:
    CHyperlinkStatic();
    ~CHyperlinkStatic() override;

    void SetTarget(LPCTSTR lpszTarget);
    CString GetTarget() const { return m_strTarget; }

    // crHover (COLORREF)-1: the system highlight colour at the time of the call.
    void SetLinkColours(COLORREF crLink, COLORREF crVisited, COLORREF crHover = (COLORREF)-1);
    COLORREF LinkColour() const { return m_crLink; }
    COLORREF VisitedColour() const { return m_crVisited; }
    COLORREF HoverColour() const { return m_crHover; }

    void MarkOpened(BOOL bOpened = TRUE);
    BOOL IsOpened() const { return m_bOpened; }

    // The control owns the cursor from then on; NULL loads the default hand cursor.
    void SetHandCursor(HCURSOR hCursor);
    HCURSOR HandCursor() const { return m_hCursor; }

    void UseUnderline(BOOL bUnderline = TRUE);
    BOOL GetUnderline() const { return m_bUnderlined; }
    void UseBold(BOOL bBold = TRUE);
    BOOL GetBold() const { return m_bBold; }
    void UseItalic(BOOL bItalic = TRUE);
    BOOL GetItalic() const { return m_bItalic; }

    void SetFitToText(BOOL bFitToText = TRUE);
    BOOL GetFitToText() const { return m_bFitToText; }

    // Opens lpszTarget; a result above 32 means success.
    virtual HINSTANCE OpenLink(LPCTSTR lpszTarget, int nShowCmd);
    // Tells the user why a link did not open; nError is a result of OpenLink.
    virtual void ShowOpenError(int nError);
    // Resizes the window to its text (only with fit-to-text on).
    virtual void FitToText();
    virtual void LoadHandCursor();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnClicked();

    COLORREF m_crLink;
    COLORREF m_crVisited;
    COLORREF m_crHover;
    BOOL m_bHovering;
    BOOL m_bOpened;
    BOOL m_bUnderlined;
    BOOL m_bBold;
    BOOL m_bItalic;
    BOOL m_bFitToText;
    CString m_strTarget;
    CFont m_font;
    HCURSOR m_hCursor;
    CToolTipCtrl m_wndTip;

private:
    // The LOGFONT of the font the control draws with now (the system font when it has none).
    void GetCurrentLogFont(LOGFONT& lf) const;
    // Makes m_font from lf and hands it to the control.
    void ApplyFont(const LOGFONT& lf);
    void RedrawNow();

    DECLARE_MESSAGE_MAP()
};
