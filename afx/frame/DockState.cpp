#include "DockState.h"
#include "Archive.h"
#include "String.h"
#include "WinApp.h"
#include "afxres.h"

#include <algorithm>

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {

const char szSummarySection[] = "%s-Summary";
const char szBarSection[] = "%s-Bar%d";
const char szBarID[] = "BarID";
const char szVisible[] = "Visible";
const char szHorz[] = "Horz";
const char szFloating[] = "Floating";
const char szXPos[] = "XPos";
const char szYPos[] = "YPos";
const char szMRUWidth[] = "MRUWidth";
const char szDocking[] = "Docking";
const char szMRUDockID[] = "MRUDockID";
const char szMRUDockLeftPos[] = "MRUDockLeftPos";
const char szMRUDockTopPos[] = "MRUDockTopPos";
const char szMRUDockRightPos[] = "MRUDockRightPos";
const char szMRUDockBottomPos[] = "MRUDockBottomPos";
const char szMRUFloatStyle[] = "MRUFloatStyle";
const char szMRUFloatXPos[] = "MRUFloatXPos";
const char szMRUFloatYPos[] = "MRUFloatYPos";
const char szBars[] = "Bars";
const char szBar[] = "Bar#%d";
const char szScreenCX[] = "ScreenCX";
const char szScreenCY[] = "ScreenCY";

CString SectionName(LPCTSTR lpszFormat, LPCTSTR lpszProfileName, int nIndex = 0)
{
    CString strSection;
    strSection.Format(lpszFormat, lpszProfileName, nIndex);
    return strSection;
}

BOOL IsDockBarID(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

void WritePoint(CArchive& ar, const CPoint& pt)
{
    ar << (LONG)pt.x << (LONG)pt.y;
}

void ReadPoint(CArchive& ar, CPoint& pt)
{
    LONG x, y;
    ar >> x >> y;
    pt = CPoint(x, y);
}

}   // namespace

// ---------------------------------------------------------------------------------------------------
// CControlBarInfo

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE), m_pointPos(-1, -1),
      m_nMRUWidth(nDefaultMRUWidth), m_bDocking(FALSE), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_dwMRUFloatStyle(0), m_ptMRUFloatPos(0, 0), m_pBar(NULL)
{
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = SectionName(szBarSection, lpszProfileName, nIndex);
    pApp->WriteProfileString(strSection, NULL, NULL);

    BOOL bHoldsBars = FALSE;
    for (INT_PTR i = 0; i < m_arrBarID.GetSize() && !bHoldsBars; i++)
        bHoldsBars = m_arrBarID[i] != NULL;
    if (m_bDockBar && !bHoldsBars)
        return FALSE;

    pApp->WriteProfileInt(strSection, szBarID, (int)m_nBarID);
    if (!m_bVisible)
        pApp->WriteProfileInt(strSection, szVisible, FALSE);
    if (m_bFloating)
    {
        pApp->WriteProfileInt(strSection, szHorz, m_bHorz);
        pApp->WriteProfileInt(strSection, szFloating, TRUE);
    }
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(strSection, szXPos, m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(strSection, szYPos, m_pointPos.y);
    if (m_nMRUWidth != nDefaultMRUWidth)
        pApp->WriteProfileInt(strSection, szMRUWidth, (int)m_nMRUWidth);
    if (m_bDocking)
    {
        pApp->WriteProfileInt(strSection, szDocking, TRUE);
        pApp->WriteProfileInt(strSection, szMRUDockID, (int)m_uMRUDockID);
        pApp->WriteProfileInt(strSection, szMRUDockLeftPos, m_rectMRUDockPos.left);
        pApp->WriteProfileInt(strSection, szMRUDockTopPos, m_rectMRUDockPos.top);
        pApp->WriteProfileInt(strSection, szMRUDockRightPos, m_rectMRUDockPos.right);
        pApp->WriteProfileInt(strSection, szMRUDockBottomPos, m_rectMRUDockPos.bottom);
        pApp->WriteProfileInt(strSection, szMRUFloatStyle, (int)m_dwMRUFloatStyle);
        pApp->WriteProfileInt(strSection, szMRUFloatXPos, m_ptMRUFloatPos.x);
        pApp->WriteProfileInt(strSection, szMRUFloatYPos, m_ptMRUFloatPos.y);
    }
    if (m_arrBarID.GetSize() > 0)
    {
        pApp->WriteProfileInt(strSection, szBars, (int)m_arrBarID.GetSize());
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
        {
            CString strEntry;
            strEntry.Format(szBar, (int)i);
            pApp->WriteProfileInt(strSection, strEntry, (int)(UINT_PTR)m_arrBarID[i]);
        }
    }
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = SectionName(szBarSection, lpszProfileName, nIndex);

    m_nBarID = pApp->GetProfileInt(strSection, szBarID, 0);
    m_bVisible = pApp->GetProfileInt(strSection, szVisible, TRUE) != 0;
    m_bHorz = pApp->GetProfileInt(strSection, szHorz, TRUE) != 0;
    m_bFloating = pApp->GetProfileInt(strSection, szFloating, FALSE) != 0;
    m_bDockBar = m_bFloating || IsDockBarID(m_nBarID);
    m_pointPos = CPoint((int)pApp->GetProfileInt(strSection, szXPos, -1),
                        (int)pApp->GetProfileInt(strSection, szYPos, -1));
    m_nMRUWidth = pApp->GetProfileInt(strSection, szMRUWidth, nDefaultMRUWidth);
    m_bDocking = pApp->GetProfileInt(strSection, szDocking, FALSE) != 0;
    if (m_bDocking)
    {
        m_uMRUDockID = pApp->GetProfileInt(strSection, szMRUDockID, 0);
        m_rectMRUDockPos = CRect((int)pApp->GetProfileInt(strSection, szMRUDockLeftPos, 0),
                                 (int)pApp->GetProfileInt(strSection, szMRUDockTopPos, 0),
                                 (int)pApp->GetProfileInt(strSection, szMRUDockRightPos, 0),
                                 (int)pApp->GetProfileInt(strSection, szMRUDockBottomPos, 0));
        m_dwMRUFloatStyle = pApp->GetProfileInt(strSection, szMRUFloatStyle, 0);
        m_ptMRUFloatPos = CPoint((int)pApp->GetProfileInt(strSection, szMRUFloatXPos, 0),
                                 (int)pApp->GetProfileInt(strSection, szMRUFloatYPos, 0));
    }

    m_arrBarID.RemoveAll();
    int nBars = (int)pApp->GetProfileInt(strSection, szBars, 0);
    for (int i = 0; i < nBars; i++)
    {
        CString strEntry;
        strEntry.Format(szBar, i);
        m_arrBarID.Add((void*)(UINT_PTR)pApp->GetProfileInt(strSection, strEntry, 0));
    }

    ScalePositions(pDockState);
    return m_nBarID != 0;
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    if (ar.IsStoring())
    {
        ar << (DWORD)m_nBarID << (DWORD)m_bVisible << (DWORD)m_bFloating << (DWORD)m_bHorz;
        WritePoint(ar, m_pointPos);
        if (pDockState->GetVersion() >= 2)
        {
            ar << (DWORD)m_nMRUWidth << (DWORD)m_bDocking;
            if (m_bDocking)
            {
                ar << (DWORD)m_uMRUDockID;
                WritePoint(ar, m_rectMRUDockPos.TopLeft());
                WritePoint(ar, m_rectMRUDockPos.BottomRight());
                ar << m_dwMRUFloatStyle;
                WritePoint(ar, m_ptMRUFloatPos);
            }
        }
        ar << (WORD)m_arrBarID.GetSize();
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); i++)
            ar << (DWORD)(UINT_PTR)m_arrBarID[i];
        return;
    }

    DWORD dwID, dwVisible, dwFloating, dwHorz;
    ar >> dwID >> dwVisible >> dwFloating >> dwHorz;
    m_nBarID = dwID;
    m_bVisible = dwVisible != 0;
    m_bFloating = dwFloating != 0;
    m_bHorz = dwHorz != 0;
    m_bDockBar = m_bFloating || IsDockBarID(m_nBarID);
    ReadPoint(ar, m_pointPos);
    if (pDockState->GetVersion() >= 2)
    {
        DWORD dwMRUWidth, dwDocking;
        ar >> dwMRUWidth >> dwDocking;
        m_nMRUWidth = dwMRUWidth;
        m_bDocking = dwDocking != 0;
        if (m_bDocking)
        {
            DWORD dwDockID;
            ar >> dwDockID;
            m_uMRUDockID = dwDockID;
            CPoint ptTopLeft, ptBottomRight;
            ReadPoint(ar, ptTopLeft);
            ReadPoint(ar, ptBottomRight);
            m_rectMRUDockPos = CRect(ptTopLeft, ptBottomRight);
            ar >> m_dwMRUFloatStyle;
            ReadPoint(ar, m_ptMRUFloatPos);
        }
    }
    WORD nBars;
    ar >> nBars;
    m_arrBarID.RemoveAll();
    for (WORD i = 0; i < nBars; i++)
    {
        DWORD dwBarID;
        ar >> dwBarID;
        m_arrBarID.Add((void*)(UINT_PTR)dwBarID);
    }
    ScalePositions(pDockState);
}

void CControlBarInfo::ScalePositions(CDockState* pDockState)
{
    const CPoint ptNone(-1, -1);
    if (m_pointPos != ptNone)
    {
        if (m_bFloating)
        {
            // A floating frame is placed on the screen; it must stay where it can be reached.
            CRect rect(m_pointPos, CSize(1, 1));
            pDockState->ScaleRectPos(rect);
            m_pointPos = rect.TopLeft();
        }
        else
            pDockState->ScalePoint(m_pointPos);
    }
    if (m_bDocking)
    {
        CPoint ptDock = m_rectMRUDockPos.TopLeft();
        pDockState->ScalePoint(ptDock);
        m_rectMRUDockPos.OffsetRect(ptDock.x - m_rectMRUDockPos.left, ptDock.y - m_rectMRUDockPos.top);
        if (m_ptMRUFloatPos != ptNone)
        {
            CRect rect(m_ptMRUFloatPos, CSize(1, 1));
            pDockState->ScaleRectPos(rect);
            m_ptMRUFloatPos = rect.TopLeft();
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// CDockState

CDockState::CDockState() : m_dwVersion(dwCurrentVersion), m_bScaling(FALSE)
{
    m_rectDevice = CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_rectClip = m_rectDevice;
    m_rectClip.right -= ::GetSystemMetrics(SM_CXICON);
    m_rectClip.bottom -= ::GetSystemMetrics(SM_CYICON);
    m_sizeDevice = m_rectDevice.Size();
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

void CDockState::SetScreenSize(const CSize& size)
{
    m_sizeDevice = size;
    m_bScaling = size.cx > 0 && size.cy > 0 && size != m_rectDevice.Size();
}

void CDockState::ScalePoint(CPoint& pt) const
{
    if (!m_bScaling)
        return;
    CSize sizeScreen = m_rectDevice.Size();
    pt.x = ::MulDiv(pt.x, sizeScreen.cx, m_sizeDevice.cx);
    pt.y = ::MulDiv(pt.y, sizeScreen.cy, m_sizeDevice.cy);
}

void CDockState::ScaleRectPos(CRect& rect) const
{
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    pt.x = std::clamp(pt.x, m_rectClip.left, m_rectClip.right);
    pt.y = std::clamp(pt.y, m_rectClip.top, m_rectClip.bottom);
    rect.OffsetRect(pt.x - rect.left, pt.y - rect.top);
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    CString strSummary = SectionName(szSummarySection, lpszProfileName);
    int nOldBars = (int)pApp->GetProfileInt(strSummary, szBars, 0);

    int nIndex = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
    {
        if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, nIndex))
            nIndex++;
    }
    // Sections of a larger layout saved before would otherwise stay behind.
    for (int i = nIndex; i < nOldBars; i++)
        pApp->WriteProfileString(SectionName(szBarSection, lpszProfileName, i), NULL, NULL);

    pApp->WriteProfileInt(strSummary, szBars, nIndex);
    // Loaded positions were scaled already: what the state holds belongs to this screen.
    CSize size = m_rectDevice.Size();
    pApp->WriteProfileInt(strSummary, szScreenCX, size.cx);
    pApp->WriteProfileInt(strSummary, szScreenCY, size.cy);
}

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    m_dwVersion = dwCurrentVersion;
    CWinApp* pApp = AfxGetApp();
    CString strSummary = SectionName(szSummarySection, lpszProfileName);
    int nBars = (int)pApp->GetProfileInt(strSummary, szBars, 0);
    SetScreenSize(CSize((int)pApp->GetProfileInt(strSummary, szScreenCX, 0),
                        (int)pApp->GetProfileInt(strSummary, szScreenCY, 0)));
    for (int i = 0; i < nBars; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        m_arrBarInfo.Add(pInfo);
        pInfo->LoadState(lpszProfileName, i, this);
    }
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_dwVersion;
        if (m_dwVersion >= 2)
        {
            CSize size = m_rectDevice.Size();
            ar << (LONG)size.cx << (LONG)size.cy;
        }
        ar << (WORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); i++)
            static_cast<CControlBarInfo*>(m_arrBarInfo[i])->Serialize(ar, this);
        return;
    }

    Clear();
    ar >> m_dwVersion;
    if (m_dwVersion >= 2)
    {
        LONG cx, cy;
        ar >> cx >> cy;
        SetScreenSize(CSize(cx, cy));
    }
    else
        SetScreenSize(CSize(0, 0));
    WORD nBars;
    ar >> nBars;
    for (WORD i = 0; i < nBars; i++)
    {
        CControlBarInfo* pInfo = new CControlBarInfo;
        m_arrBarInfo.Add(pInfo);
        pInfo->Serialize(ar, this);
    }
}
