// CView: a child window of a frame that shows a document. It draws through OnDraw, is told about
// document changes through OnUpdate, routes the commands it does not handle to its document, and
// prints through the OnPreparePrinting / OnBeginPrinting / OnPrint / OnEndPrinting sequence.
#pragma once
#include "Wnd.h"

class CDC;
class CDocument;
class CPrintInfo;

// The style of a frame's view: a child with a client edge (CView turns the border into one).
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();

public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual BOOL IsSelected(const CObject* pDocItem) const;

    // ---- printing ----
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Shows the print dialog (or, printing directly, takes the default printer) and makes the
    // printer DC; FALSE when the user cancels or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (views map them to this handler).
    afx_msg void OnFilePrint();

protected:
    CDocument* m_pDocument;

    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
