#include "QENDialogBar.h"

#include "QENDrawingCache.h"

#include <afxpriv.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CQENDialogBar, CQENSizingControlBar)

BEGIN_MESSAGE_MAP(CQENDialogBar, CQENSizingControlBar)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
END_MESSAGE_MAP()

namespace {

// The resource type of control initialisation data, and the 16-bit list and combo box messages
// it stores strings under.
const LPCTSTR kDlgInitType = MAKEINTRESOURCE(240);
const WORD kListAddString16 = 0x0401;
const WORD kComboAddString16 = 0x0403;

// The header of one record of the initialisation data; the data follow it.
#pragma pack(push, 1)
struct DlgInitRecord
{
    WORD nIDC;
    WORD nMsg;
    DWORD dwLength;
};
#pragma pack(pop)

} // namespace

CQENDialogBar::CQENDialogBar()
    : m_sizeTemplate(0, 0), m_bResizable(TRUE), m_lpInitData(NULL), m_dwInitDataLength(0)
{
}

BOOL CQENDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID, BOOL bResizable,
                           BOOL bHasGripper)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hTemplate = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    HGLOBAL hLoaded = hTemplate != NULL ? ::LoadResource(hInst, hTemplate) : NULL;
    LPCDLGTEMPLATE lpTemplate = hLoaded != NULL ? (LPCDLGTEMPLATE)::LockResource(hLoaded) : NULL;
    if (lpTemplate == NULL)
        return FALSE;
    if (HRSRC hInit = ::FindResource(hInst, lpszTemplateName, kDlgInitType))
    {
        HGLOBAL hInitData = ::LoadResource(hInst, hInit);
        m_lpInitData = hInitData != NULL ? (const BYTE*)::LockResource(hInitData) : NULL;
        m_dwInitDataLength = m_lpInitData != NULL ? ::SizeofResource(hInst, hInit) : 0;
    }

    m_bResizable = bResizable;
    m_dwStyle = nStyle & CBRS_ALL;
    m_nGripper = GripperThickness(bHasGripper);
    if (!CreateDlgIndirect(lpTemplate, pParentWnd, hInst))
        return FALSE;
    SetDlgCtrlID(nID);
    // The dialog manager made the window as big as the template's client area.
    CRect rect;
    GetWindowRect(&rect);
    m_sizeTemplate = rect.Size();
    m_sizeDockedTB = m_sizeDockedLR = m_sizeFloating = m_sizeTemplate;
    m_dwStyle |= CBRS_SIZE_DYNAMIC;
    ModifyStyle(0, (nStyle & WS_VISIBLE) | WS_CLIPCHILDREN);
    return TRUE;
}

CSize CQENDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_bResizable)
        return CQENSizingControlBar::CalcFixedLayout(bStretch, bHorz);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    CSize size = m_sizeTemplate + (rectWindow.Size() - rectClient.Size());
    if (bStretch)
        (bHorz ? size.cx : size.cy) = nStretchLength;
    const CSize sizeFramework = CControlBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(std::max(size.cx, sizeFramework.cx), std::max(size.cy, sizeFramework.cy));
}

CSize CQENDialogBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (m_bResizable)
        return CQENSizingControlBar::CalcDynamicLayout(nLength, nMode);
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

BOOL CQENDialogBar::ClipNcPaintToUpdateRegion() const
{
    return FALSE;
}

void CQENDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CQENSizingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    CCmdUI state;
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        state.m_nID = (UINT)(WORD)pChild->GetDlgCtrlID();
        if (state.m_nID == 0 || state.m_nID == 0xFFFF)
            continue;
        state.m_pOther = pChild;
        // Only push buttons are commands of their own; other controls keep their state without a handler.
        const BOOL bPushButton = (pChild->SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
        state.DoUpdate(pTarget, bDisableIfNoHndler && bPushButton);
    }
}

BOOL CQENDialogBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillRect(&rect, &theDrawingCache.m_brFace);
    return TRUE;
}

LRESULT CQENDialogBar::OnInitDialog(WPARAM, LPARAM)
{
    Default();
    return m_lpInitData == NULL || ApplyInitData();
}

BOOL CQENDialogBar::ApplyInitData()
{
    const BYTE* p = m_lpInitData;
    const BYTE* pEnd = m_lpInitData + m_dwInitDataLength;
    while (pEnd - p >= (ptrdiff_t)sizeof(WORD))
    {
        DlgInitRecord record = {};
        std::memcpy(&record.nIDC, p, sizeof(WORD));
        if (record.nIDC == 0)
            return TRUE;
        if (pEnd - p < (ptrdiff_t)sizeof(record))
            return FALSE;
        std::memcpy(&record, p, sizeof(record));
        p += sizeof(record);
        if ((DWORD)(pEnd - p) < record.dwLength)
            return FALSE;
        CString strItem((LPCSTR)p, (int)::strnlen((LPCSTR)p, record.dwLength));
        p += record.dwLength;
        CWnd* pControl = GetDlgItem(record.nIDC);
        if (pControl == NULL)
            return FALSE;
        if (record.nMsg == kListAddString16)
            pControl->SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)strItem);
        else if (record.nMsg == kComboAddString16)
            pControl->SendMessage(CB_ADDSTRING, 0, (LPARAM)(LPCTSTR)strItem);
        else
            return FALSE;
    }
    return TRUE;
}
