// CQENToolDockBar: the dock bar the library's frames use instead of the framework's. Its rows are
// laid out like the framework's, except that the library's own bars do not overlap their
// neighbours by a border, a menu bar is stretched over the whole row (column) and so always keeps
// one of its own, and the background is the visual manager's bar background.
#pragma once
#include <afxwin.h>
#include <afxext.h>

class CQENToolDockBar : public CDockBar
{
    DECLARE_DYNAMIC(CQENToolDockBar)
public:
    CQENToolDockBar() = default;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

protected:
    DECLARE_MESSAGE_MAP()
};
