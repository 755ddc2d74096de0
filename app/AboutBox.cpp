#include "AboutBox.h"

CAboutBox::CAboutBox(CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd)
{
}

void CAboutBox::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ABOUT_LINK, m_wndLink);
}
