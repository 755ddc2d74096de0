// The modal dialog that asks for the writer's name.
#pragma once
#include <afxwin.h>
#include "Dialog.h"

class CNameDialog : public CDialog
{
public:
    explicit CNameDialog(CWnd* pParent = NULL);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
