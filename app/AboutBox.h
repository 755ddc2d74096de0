// CAboutBox: the about dialog, with the maker's web address as a link.
#pragma once
#include <afxwin.h>
#include "HyperlinkStatic.h"
#include "resource.h"

class CAboutBox : public CDialog
{
public:
    enum { IDD = IDD_ABOUTBOX };

    explicit CAboutBox(CWnd* pParentWnd = NULL);

    CHyperlinkStatic m_wndLink;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
