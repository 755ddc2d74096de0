#include "NameDialog.h"
#include "DataExchange.h"
#include "resource.h"

CNameDialog::CNameDialog(CWnd* pParent)
    : CDialog(IDD_NAME, pParent)
{
}

void CNameDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_NAME, m_strName);
}
