// MainFrm.h : interface of the CMainFrame class
//

#if !defined(AFX_MAINFRM_H__$$GUID$$__INCLUDED_)
#define AFX_MAINFRM_H__$$GUID$$__INCLUDED_

class CMainFrame : public CQENFrameWnd
{
	DECLARE_DYNCREATE(CMainFrame)
protected:
	CMainFrame();

public:
	virtual ~CMainFrame();

protected:
$$IF(USE_MENUBAR)
	CQENMenuBar	m_wndMenuBar;
$$ENDIF
	CQENToolBar	m_wndToolBar;
	CStatusBar	m_wndStatusBar;

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_MAINFRM_H__$$GUID$$__INCLUDED_)
