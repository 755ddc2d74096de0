// MainFrm.cpp : implementation of the CMainFrame class
//

#include "stdafx.h"
#include "$$root$$.h"
#include "MainFrm.h"

IMPLEMENT_DYNCREATE(CMainFrame, CQENFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CQENFrameWnd)
	ON_WM_CREATE()
END_MESSAGE_MAP()

static UINT indicators[] =
{
	ID_SEPARATOR,
	ID_INDICATOR_CAPS,
	ID_INDICATOR_NUM,
	ID_INDICATOR_SCRL,
};

CMainFrame::CMainFrame()
{
}

CMainFrame::~CMainFrame()
{
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CQENFrameWnd::OnCreate(lpCreateStruct) == -1)
		return -1;
$$IF(USE_MENUBAR)
	if (!m_wndMenuBar.Create(this))
		return -1;
$$ENDIF
	if (!m_wndToolBar.Create(this) || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
		return -1;
	if (!m_wndStatusBar.Create(this) ||
		!m_wndStatusBar.SetIndicators(indicators, sizeof(indicators) / sizeof(UINT)))
		return -1;
	return 0;
}
