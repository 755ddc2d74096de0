#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENCommandManager.h"
#include "QENCommandUsage.h"

#include <new>
#include <vector>

namespace {

const UINT kToolbarResourceType = 241;
const UINT kStretchCursorId = 0x7904;
const UINT kSecondCursorId = 0x7905;
const int kLargeFactor = 2;

// An optional image strip of a toolbar resource and the bitmap it comes from (0: none).
struct OptionalStrip
{
    UINT nId;
    CQENButtonImageList* pStrip;
};

// The standard toolbar resource: a header of four words, then one word per item.
struct ToolbarResourceHeader
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};

// The answers the buttons and the usage statistics ask of the toolbars.
class CToolBarAnswers : public CQENToolBarQuery
{
public:
    BOOL IsCustomizing() const override { return CQENToolBar::s_bCustomizing; }
    BOOL BarUsesExtraBorder(CWnd* pWnd) const override
    {
        return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CQENToolBar)) &&
               static_cast<CQENToolBar*>(pWnd)->UsesExtraBorder();
    }
    CSize MenuImageSize() const override { return CQENToolBar::s_menuImageSize; }
    CQENButtonImageList* StandardImages() const override { return &CQENToolBar::s_stdImages; }
    CQENButtonImageList* UserImages() const override { return CQENToolBar::s_pUserImageList; }
};

CToolBarAnswers theToolBarAnswers;

// Which images of the optional shared strips came from a bitmap, by index: the strips are padded
// with blank images where a bar had no such bitmap.
struct StripCoverage
{
    const CQENButtonImageList* pStrip;
    std::vector<bool> covered;
};

StripCoverage theCoverage[] = {
    {&CQENToolBar::s_stdColdImages, {}},
    {&CQENToolBar::s_menuOnlyImages, {}},
    {&CQENToolBar::s_stdDisabledImages, {}},
    {&CQENToolBar::s_menuOnlyDisabledImages, {}},
};

StripCoverage* CoverageOf(const CQENButtonImageList& strip)
{
    for (StripCoverage& coverage : theCoverage)
        if (coverage.pStrip == &strip)
            return &coverage;
    return NULL;
}

} // namespace

const UINT QENM_TOOLBAR_POPUPMENU = ::RegisterWindowMessageA("QENTOOLBAR_POPUPMENU");
const UINT QENM_TOOLBAR_CUSTOMIZE = ::RegisterWindowMessageA("QENTOOLBAR_CUSTOMIZE");
const UINT QENM_TOOLBAR_CREATE = ::RegisterWindowMessageA("QENTOOLBAR_CREATE");
const UINT QENM_TOOLBAR_DELETE = ::RegisterWindowMessageA("QENTOOLBAR_DELETE");
const UINT QENM_TOOLBAR_CUSTOMIZEHELP = ::RegisterWindowMessageA("QENTOOLBAR_CUSTOMIZEHELP");
const UINT QENM_TOOLBAR_RESETTOOLBAR = ::RegisterWindowMessageA("QENTOOLBAR_RESETTOOLBAR");
const UINT QENM_TOOLBAR_RESETMENU = ::RegisterWindowMessageA("QENTOOLBAR_RESETMENU");
const UINT QENM_TOOLBAR_SHOWREGULARMENU = ::RegisterWindowMessageA("QENTOOLBAR_SHOWREGULARMENU");
const UINT QENM_TOOLBAR_RESETCONTEXTMENU = ::RegisterWindowMessageA("QENTOOLBAR_RESETCONTEXTMENU");
// The name is the one every program of the framework registers, spelling included.
const UINT QENM_TOOLBAR_RESETKEYBOARD = ::RegisterWindowMessageA("QENTOOLBAR_RESETKEYBAORD");

IMPLEMENT_SERIAL(CQENToolBar, CControlBar, VERSIONABLE_SCHEMA | 1)

CQENButtonImageList CQENToolBar::s_stdImages;
CQENButtonImageList CQENToolBar::s_stdColdImages;
CQENButtonImageList CQENToolBar::s_menuOnlyImages;
CQENButtonImageList CQENToolBar::s_stdDisabledImages;
CQENButtonImageList CQENToolBar::s_menuOnlyDisabledImages;
CQENButtonImageList* CQENToolBar::s_pUserImageList = NULL;
CSize CQENToolBar::s_buttonSize(23, 22);
CSize CQENToolBar::s_imageSize(16, 15);
CSize CQENToolBar::s_largeButtonSize(23, 22);
CSize CQENToolBar::s_largeImageSize(16, 15);
CSize CQENToolBar::s_menuImageSize(16, 15);
CMap<UINT, UINT, int, int> CQENToolBar::s_cmdImageIndex;
CObList CQENToolBar::s_toolbarRegistry;
BOOL CQENToolBar::s_bCustomizing = FALSE;
BOOL CQENToolBar::s_bAltDragEnabled = TRUE;
BOOL CQENToolBar::s_bAltDragging = FALSE;
CQENToolBar* CQENToolBar::s_pCustomizeSelBar = NULL;
BOOL CQENToolBar::s_bTooltipsOn = TRUE;
BOOL CQENToolBar::s_bShortcutsInTips = TRUE;
BOOL CQENToolBar::s_bLargeImagesOn = FALSE;
CList<UINT, UINT> CQENToolBar::s_blockedCommands;
HCURSOR CQENToolBar::s_hcurCustomize[2] = {NULL, NULL};
BOOL CQENToolBar::s_bHelpMode = FALSE;

namespace {
// The toolbars answer the buttons from the start.
struct ToolBarAnswersInstaller
{
    ToolBarAnswersInstaller() { CQENToolBarQuery::s_pActive = &theToolBarAnswers; }
} theToolBarAnswersInstaller;
} // namespace

CQENToolBar::CQENToolBar()
    : m_bLocked(FALSE),
      m_bLargeImagesAllowed(TRUE),
      m_oleDropTarget(this),
      m_bLabelsAllowed(FALSE),
      m_bFixedRowHeight(FALSE),
      m_nRowHeight(0),
      m_lockedButtonSize(23, 22),
      m_lockedImageSize(16, 15),
      m_lockedLargeButtonSize(23, 22),
      m_lockedLargeImageSize(16, 15),
      m_iPressed(-1),
      m_iHotIndex(-1),
      m_iCustomizeSel(-1),
      m_buttonList(10),
      m_resourceButtons(10),
      m_bResourceChanged(FALSE),
      m_iDropIndex(-1),
      m_rectInsertMark(0, 0, 0, 0),
      m_pDraggedButton(NULL),
      m_ptDragStart(-1, -1),
      m_bDragCopy(FALSE),
      m_iFirstImage(0),
      m_nResourceId(0),
      m_bActsAsMenu(FALSE),
      m_bDrawBorders(TRUE),
      m_bGrayDisabled(TRUE),
      m_pCustomizeButton(NULL),
      m_bTrackingMouse(FALSE),
      m_hWndFocusBefore(NULL),
      m_iStretching(-1),
      m_nStretchGrab(0)
{
}

CQENToolBar::~CQENToolBar()
{
    // Destroyed while the object is still a toolbar, so that OnDestroy takes it out of the registry.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    RemoveFromRegistry();
    ClearButtons();
    delete m_pCustomizeButton;
    while (!m_resourceButtons.IsEmpty())
        delete m_resourceButtons.RemoveHead();
}

// ---------------------------------------------------------------------------------------------------
// Creation and the registry of bars

BOOL CQENToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(rcBorders.left < 1 ? 1 : rcBorders.left, rcBorders.top < 1 ? 1 : rcBorders.top, rcBorders.right,
               rcBorders.bottom);
    m_dwStyle = (dwStyle & CBRS_ALL) | CBRS_GRIPPER;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    dwStyle &= ~CBRS_ALL;
    dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;

    HINSTANCE hInstance = AfxGetInstanceHandle();
    HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
    HBRUSH hFace = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    CString strClass;
    strClass.Format("QENToolBar:%x:%x:%x:%x", (UINT)(UINT_PTR)hInstance, CS_DBLCLKS, (UINT)(UINT_PTR)hArrow,
                    (UINT)(UINT_PTR)hFace);
    WNDCLASSA wc;
    if (!::GetClassInfoA(hInstance, strClass, &wc))
    {
        memset(&wc, 0, sizeof wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = hArrow;
        wc.hbrBackground = hFace;
        wc.lpszClassName = strClass;
        if (!::RegisterClassA(&wc))
            return FALSE;
    }
    CRect rect(0, 0, 0, 0);
    return CWnd::Create(strClass, NULL, dwStyle, rect, pParentWnd, nID);
}

int CQENToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    HINSTANCE hResources = AfxGetResourceHandle();
    if (s_hcurCustomize[0] == NULL)
        s_hcurCustomize[0] = ::LoadCursor(hResources, MAKEINTRESOURCE(kStretchCursorId));
    if (s_hcurCustomize[1] == NULL)
        s_hcurCustomize[1] = ::LoadCursor(hResources, MAKEINTRESOURCE(kSecondCursorId));
    // Without OLE on this thread the bar simply takes no drops.
    m_oleDropTarget.Register(this);
    if (m_penInsertMark.m_hObject == NULL)
        m_penInsertMark.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNTEXT));
    s_toolbarRegistry.AddTail(this);
    return 0;
}

void CQENToolBar::OnDestroy()
{
    RemoveFromRegistry();
    CControlBar::OnDestroy();
}

void CQENToolBar::RemoveFromRegistry()
{
    POSITION pos = s_toolbarRegistry.Find(this);
    if (pos != NULL)
        s_toolbarRegistry.RemoveAt(pos);
    if (s_pCustomizeSelBar == this)
        s_pCustomizeSelBar = NULL;
}

// ---------------------------------------------------------------------------------------------------
// Sizes

void PASCAL CQENToolBar::SetButtonAndImageSizes(CSize sizeButton, CSize sizeImage)
{
    s_buttonSize = sizeButton;
    s_imageSize = sizeImage;
    s_menuImageSize = sizeImage;
    const int nFactor = s_bLargeImagesOn ? kLargeFactor : 1;
    s_largeButtonSize = CSize(sizeButton.cx * nFactor, sizeButton.cy * nFactor);
    s_largeImageSize = CSize(sizeImage.cx * nFactor, sizeImage.cy * nFactor);
    for (CQENButtonImageList* pStrip : {&s_stdImages, &s_stdColdImages, &s_menuOnlyImages, &s_stdDisabledImages,
                                        &s_menuOnlyDisabledImages})
        pStrip->SetImageSize(sizeImage);
    if (s_pUserImageList != NULL)
        s_pUserImageList->SetImageSize(sizeImage);
}

void CQENToolBar::SetLockedButtonSizes(CSize sizeButton, CSize sizeImage)
{
    m_bLocked = TRUE;
    m_lockedButtonSize = sizeButton;
    m_lockedImageSize = sizeImage;
    const int nFactor = s_bLargeImagesOn ? kLargeFactor : 1;
    m_lockedLargeButtonSize = CSize(sizeButton.cx * nFactor, sizeButton.cy * nFactor);
    m_lockedLargeImageSize = CSize(sizeImage.cx * nFactor, sizeImage.cy * nFactor);
    for (CQENButtonImageList* pStrip : {&m_lockedStdImages, &m_lockedColdImages, &m_lockedMenuImages,
                                        &m_lockedDisabledImages, &m_lockedMenuDisabledImages})
        pStrip->SetImageSize(sizeImage);
}

void PASCAL CQENToolBar::SetLargeImages(BOOL bOn)
{
    s_bLargeImagesOn = bOn;
    SetButtonAndImageSizes(s_buttonSize, s_imageSize);
    POSITION pos = s_toolbarRegistry.GetHeadPosition();
    while (pos != NULL)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(s_toolbarRegistry.GetNext(pos));
        if (pBar->m_bLocked)
            pBar->SetLockedButtonSizes(pBar->m_lockedButtonSize, pBar->m_lockedImageSize);
    }
}

CSize CQENToolBar::ButtonSize() const
{
    if (m_bLocked)
        return m_bLargeImagesAllowed ? m_lockedLargeButtonSize : m_lockedButtonSize;
    return m_bLargeImagesAllowed ? s_largeButtonSize : s_buttonSize;
}

CSize CQENToolBar::ImageSize() const
{
    if (m_bLocked)
        return m_bLargeImagesAllowed ? m_lockedLargeImageSize : m_lockedImageSize;
    return m_bLargeImagesAllowed ? s_largeImageSize : s_imageSize;
}

BOOL PASCAL CQENToolBar::AttachUserImages(CQENButtonImageList* pUserImages)
{
    if (pUserImages == NULL || pUserImages->ImageCount() == 0 || pUserImages->ImageSize() != s_imageSize)
        return FALSE;
    s_pUserImageList = pUserImages;
    return TRUE;
}

void PASCAL CQENToolBar::SetCoreCommandList(const CList<UINT, UINT>& lstCommands)
{
    CQENCommandUsage::SetBasicCommands(lstCommands);
}

// ---------------------------------------------------------------------------------------------------
// Images and resources

BOOL PASCAL CQENToolBar::StripHasImage(const CQENButtonImageList& strip, int iImage)
{
    if (iImage < 0 || iImage >= strip.ImageCount())
        return FALSE;
    const StripCoverage* pCoverage = CoverageOf(strip);
    return pCoverage == NULL || (iImage < (int)pCoverage->covered.size() && pCoverage->covered[iImage]);
}

BOOL PASCAL CQENToolBar::AppendAligned(CQENButtonImageList& strip, UINT nId, int iFirstImage)
{
    StripCoverage* pCoverage = CoverageOf(strip);
    if (strip.ResourceImageOffset(nId) >= 0)
        return TRUE;
    // A strip already past this bar's place cannot line up with it; the bar goes without it.
    if (strip.ImageCount() > iFirstImage)
        return TRUE;
    if (strip.ImageCount() < iFirstImage && strip.AddBlankImages(iFirstImage - strip.ImageCount()) < 0)
        return FALSE;
    if (!strip.Load(nId, NULL, TRUE))
        return FALSE;
    pCoverage->covered.resize(strip.ImageCount(), false);
    for (int i = iFirstImage; i < strip.ImageCount(); i++)
        pCoverage->covered[i] = true;
    return TRUE;
}

BOOL CQENToolBar::LoadBitmapStrips(UINT nStandardId, UINT nColdId, UINT nMenuId, BOOL bLocked, UINT nDisabledId,
                                   UINT nMenuDisabledId)
{
    if (bLocked)
    {
        m_bLocked = TRUE;
        if (!m_lockedStdImages.Load(nStandardId))
            return FALSE;
        const OptionalStrip optional[] = {{nColdId, &m_lockedColdImages},
                                           {nMenuId, &m_lockedMenuImages},
                                           {nDisabledId, &m_lockedDisabledImages},
                                           {nMenuDisabledId, &m_lockedMenuDisabledImages}};
        for (const auto& strip : optional)
            if (strip.nId != 0 && !strip.pStrip->Load(strip.nId))
                return FALSE;
        return TRUE;
    }

    if (!s_stdImages.Load(nStandardId, NULL, TRUE))
        return FALSE;
    m_iFirstImage = s_stdImages.ResourceImageOffset(nStandardId);
    const OptionalStrip optional[] = {{nColdId, &s_stdColdImages},
                                       {nMenuId, &s_menuOnlyImages},
                                       {nDisabledId, &s_stdDisabledImages},
                                       {nMenuDisabledId, &s_menuOnlyDisabledImages}};
    for (const auto& strip : optional)
        if (strip.nId != 0 && !AppendAligned(*strip.pStrip, strip.nId, m_iFirstImage))
            return FALSE;
    return TRUE;
}

BOOL CQENToolBar::BuildFromResource(UINT nResourceId, UINT nColdId, UINT nMenuId, BOOL bLocked, UINT nDisabledId,
                                    UINT nMenuDisabledId, UINT nHotId)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCE(nResourceId), MAKEINTRESOURCE(kToolbarResourceType));
    if (hResource == NULL)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const WORD* pWords = hData != NULL ? static_cast<const WORD*>(::LockResource(hData)) : NULL;
    if (pWords == NULL || nSize < sizeof(ToolbarResourceHeader))
        return FALSE;
    const ToolbarResourceHeader* pHeader = reinterpret_cast<const ToolbarResourceHeader*>(pWords);
    if (nSize < sizeof(ToolbarResourceHeader) + pHeader->wItemCount * sizeof(WORD) || pHeader->wWidth == 0 ||
        pHeader->wHeight == 0)
        return FALSE;
    const WORD* pItems = pWords + 4;

    const CSize sizeImage(pHeader->wWidth, pHeader->wHeight);
    const CSize sizeButton(sizeImage.cx + 6, sizeImage.cy + 6);
    if (bLocked)
        SetLockedButtonSizes(sizeButton, sizeImage);
    else
        SetButtonAndImageSizes(sizeButton, sizeImage);

    if (m_nResourceId == 0 &&
        !LoadBitmapStrips(nHotId != 0 ? nHotId : nResourceId, nColdId, nMenuId, bLocked, nDisabledId, nMenuDisabledId))
        return FALSE;

    // The images of the commands are recorded as the buttons are made.
    std::vector<UINT> ids(pItems, pItems + pHeader->wItemCount);
    m_nResourceId = nResourceId;
    if (!ReplaceButtons(ids.data(), (int)ids.size(), TRUE))
    {
        m_nResourceId = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CQENToolBar::ReplaceButtons(const UINT* pIds, int nCount, BOOL bRemapImages)
{
    CCustomizeButton* pCustomize = m_pCustomizeButton;
    m_pCustomizeButton = NULL;
    if (pCustomize != NULL)
        m_buttonList.RemoveAt(m_buttonList.Find(pCustomize));
    ClearButtons();
    while (!m_resourceButtons.IsEmpty())
        delete m_resourceButtons.RemoveHead();

    if (pIds == NULL)
    {
        for (int i = 0; i < nCount; i++)
            AddSeparatorAt(-1);
    }
    else
    {
        int iImage = m_iFirstImage;
        for (int i = 0; i < nCount; i++)
        {
            const UINT nId = pIds[i];
            int iAdded = -1;
            int iDefault;
            if (nId == 0)
            {
                iAdded = AddSeparatorAt(-1);
            }
            else if (bRemapImages)
            {
                if (!m_bLocked)
                    s_cmdImageIndex.SetAt(nId, iImage);
                iAdded = AddButtonAt(CQENToolbarButton(nId, iImage++, NULL, FALSE, m_bLocked), -1);
            }
            else if (s_cmdImageIndex.Lookup(nId, iDefault))
            {
                iAdded = AddButtonAt(CQENToolbarButton(nId, iDefault, NULL, FALSE, m_bLocked), -1);
            }
            CQENToolbarButton* pOriginal = new CQENToolbarButton;
            if (iAdded >= 0)
                pOriginal->AssignFrom(*ButtonAt(iAdded));
            else
                pOriginal->m_nCommandId = nId;
            m_resourceButtons.AddTail(pOriginal);
        }
    }

    m_pCustomizeButton = pCustomize;
    if (m_pCustomizeButton != NULL)
        m_buttonList.AddTail(m_pCustomizeButton);

    if (m_hWnd != NULL)
    {
        RecalcButtonLayout();
        CWnd* pReceiver = CommandReceiver();
        if (pReceiver != NULL)
            pReceiver->SendMessage(QENM_TOOLBAR_RESETTOOLBAR, m_nResourceId);
    }
    return TRUE;
}

void CQENToolBar::ResetToResource()
{
    if (m_nResourceId == 0)
        return;
    // The strips are loaded already: only the buttons come back.
    BuildFromResource(m_nResourceId);
    if (m_hWnd == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    RedrawWindow();
}

// ---------------------------------------------------------------------------------------------------
// The buttons

CQENToolbarButton* CQENToolBar::ButtonAt(int iIndex) const
{
    if (iIndex < 0 || iIndex >= m_buttonList.GetCount())
        return NULL;
    return static_cast<CQENToolbarButton*>(m_buttonList.GetAt(m_buttonList.FindIndex(iIndex)));
}

int CQENToolBar::AddButtonAt(const CQENToolbarButton& button, int iIndex)
{
    CQENToolbarButton* pCopy = static_cast<CQENToolbarButton*>(button.GetRuntimeClass()->CreateObject());
    if (pCopy == NULL)
        return -1;
    pCopy->AssignFrom(button);
    pCopy->m_bLabelBelow = m_bLabelsAllowed;
    pCopy->AttachToParent(this);

    // Nothing goes after the customize button.
    int nLimit = ButtonCount() - (m_pCustomizeButton != NULL ? 1 : 0);
    if (iIndex < 0 || iIndex > nLimit)
        iIndex = nLimit;
    if (iIndex == ButtonCount())
        m_buttonList.AddTail(pCopy);
    else
        m_buttonList.InsertBefore(m_buttonList.FindIndex(iIndex), pCopy);
    return iIndex;
}

int CQENToolBar::AddSeparatorAt(int iIndex)
{
    CQENToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    return AddButtonAt(separator, iIndex);
}

BOOL CQENToolBar::DeleteButtonAt(int iIndex)
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    if (pButton == NULL || pButton == m_pCustomizeButton)
        return FALSE;
    m_buttonList.RemoveAt(m_buttonList.FindIndex(iIndex));
    if (m_pCustomizeButton != NULL)
    {
        POSITION pos = m_pCustomizeButton->m_hiddenButtons.Find(pButton);
        if (pos != NULL)
            m_pCustomizeButton->m_hiddenButtons.RemoveAt(pos);
    }
    delete pButton;
    for (int* pIndex : {&m_iPressed, &m_iHotIndex, &m_iCustomizeSel})
    {
        if (*pIndex == iIndex)
            *pIndex = -1;
        else if (*pIndex > iIndex)
            (*pIndex)--;
    }
    return TRUE;
}

void CQENToolBar::ClearButtons()
{
    while (!m_buttonList.IsEmpty())
    {
        CObject* pButton = m_buttonList.RemoveHead();
        if (pButton != m_pCustomizeButton)
            delete pButton;
    }
    if (m_pCustomizeButton != NULL)
    {
        m_pCustomizeButton->m_hiddenButtons.RemoveAll();
        m_buttonList.AddTail(m_pCustomizeButton);
    }
    m_iPressed = m_iHotIndex = m_iCustomizeSel = -1;
}

int CQENToolBar::IndexOfCommand(UINT nCommandId) const
{
    int i = 0;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL; i++)
        if (static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos))->m_nCommandId == nCommandId)
            return i;
    return -1;
}

int CQENToolBar::IndexOfButton(const CQENToolbarButton* pButton) const
{
    int i = 0;
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL; i++)
        if (m_buttonList.GetNext(pos) == pButton)
            return i;
    return -1;
}

UINT CQENToolBar::StyleAt(int iIndex) const
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    return pButton != NULL ? pButton->m_nStyle : 0;
}

void CQENToolBar::SetButtonStyle(int iIndex, UINT nStyle)
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    if (pButton == NULL)
        return;
    const BOOL bWasPressed = (pButton->m_nStyle & TBBS_PRESSED) != 0;
    if (nStyle & TBBS_DISABLED)
        nStyle &= ~TBBS_PRESSED;
    const UINT nOld = pButton->m_nStyle;
    pButton->SetButtonStyle(nStyle);
    if (nOld != nStyle && !(bWasPressed && (nStyle & TBBS_PRESSED)))
        RepaintRectOf(iIndex);
}

CString CQENToolBar::TextAt(int iIndex) const
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    return pButton != NULL ? pButton->m_strLabel : CString();
}

BOOL CQENToolBar::SetTextAt(int iIndex, LPCTSTR lpszText)
{
    CQENToolbarButton* pButton = ButtonAt(iIndex);
    if (pButton == NULL)
        return FALSE;
    pButton->m_strLabel = lpszText != NULL ? lpszText : "";
    return TRUE;
}

BOOL CQENToolBar::FillButtonText(CQENToolbarButton* pButton) const
{
    if (pButton == NULL || pButton->m_nCommandId == 0 || pButton->m_nCommandId == (UINT)-1)
        return FALSE;
    CString strText;
    if (!LoadCommandTip(pButton->m_nCommandId, strText))
        return FALSE;
    pButton->m_strLabel = strText;
    return TRUE;
}

BOOL PASCAL CQENToolBar::LoadCommandTip(UINT nCommandId, CString& strText)
{
    const int kMaxText = 256;
    char szText[kMaxText + 1];
    if (::LoadStringA(AfxGetResourceHandle(), nCommandId, szText, sizeof szText) <= 0)
        return FALSE;
    const char* pTip = strchr(szText, '\n');
    if (pTip == NULL)
        return FALSE;
    pTip++;
    const char* pEnd = strchr(pTip, '\n');
    strText = CString(pTip, pEnd != NULL ? (int)(pEnd - pTip) : (int)strlen(pTip));
    return TRUE;
}

void CQENToolBar::EnableCustomizeButton(BOOL bEnable, UINT nCommandId, LPCTSTR lpszText, BOOL bSeparatorBefore)
{
    if (m_pCustomizeButton != NULL)
    {
        m_buttonList.RemoveAt(m_buttonList.Find(m_pCustomizeButton));
        delete m_pCustomizeButton;
        m_pCustomizeButton = NULL;
    }
    if (bEnable)
    {
        m_pCustomizeButton = new CCustomizeButton(nCommandId, lpszText, bSeparatorBefore);
        m_pCustomizeButton->AttachToParent(this);
        m_buttonList.AddTail(m_pCustomizeButton);
    }
    m_iPressed = m_iHotIndex = -1;
    if (m_hWnd != NULL)
        RecalcButtonLayout();
}

void CQENToolBar::EnableTextLabels(BOOL bEnable)
{
    m_bLabelsAllowed = bEnable && SupportsTextLabels();
    for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
        if (pButton->IsSeparator() || pButton == m_pCustomizeButton)
            continue;
        pButton->m_bLabelBelow = m_bLabelsAllowed;
        if (m_bLabelsAllowed && pButton->m_strLabel.IsEmpty())
            FillButtonText(pButton);
    }
    if (!m_bLabelsAllowed)
        m_bFixedRowHeight = FALSE;
    if (m_hWnd == NULL)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    RecalcButtonLayout();
}

// ---------------------------------------------------------------------------------------------------
// Commands

CWnd* CQENToolBar::CommandReceiver() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? pOwner : GetParent();
}

CCmdTarget* CQENToolBar::GetCommandTarget() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? static_cast<CCmdTarget*>(pOwner) : GetParentFrame();
}

BOOL PASCAL CQENToolBar::RunUserTool(UINT nCommandId)
{
    // A tool's command starts the tool: no window has a handler for it. In help mode the command
    // asks for help instead.
    return !s_bHelpMode && CQENUserToolsQuery::s_pActive != NULL && CQENUserToolsQuery::s_pActive->RunTool(nCommandId);
}

BOOL CQENToolBar::ExecuteButton(const CQENToolbarButton* pButton)
{
    if (pButton == NULL || pButton->m_nCommandId == 0 || pButton->m_nCommandId == (UINT)-1)
        return FALSE;
    if (!s_bHelpMode)
        theCommandUsage.AddCommand(pButton->m_nCommandId);
    if (RunUserTool(pButton->m_nCommandId))
        return TRUE;
    CWnd* pReceiver = CommandReceiver();
    if (pReceiver == NULL)
        return FALSE;
    return pReceiver->PostMessage(WM_COMMAND, pButton->m_nCommandId);
}

void CQENToolBar::ShowCommandPrompt(const CQENToolbarButton* pButton)
{
    CWnd* pOwner = CommandReceiver();
    if (pOwner == NULL || !(m_dwStyle & CBRS_FLYBY))
        return;
    if (pButton == NULL)
        pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    else
        pOwner->SendMessage(WM_SETMESSAGESTRING, pButton->m_nCommandId);
}

namespace {
// Carries a command's update-handler answer to one button of a bar.
class CToolBarCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CQENToolBar* pBar = static_cast<CQENToolBar*>(m_pOther);
        UINT nStyle = pBar->StyleAt((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            nStyle |= TBBS_DISABLED;
        pBar->SetButtonStyle((int)m_nIndex, nStyle);
    }
    void SetCheck(int nCheck) override
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(m_pOther);
        UINT nStyle = pBar->StyleAt((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nStyle |= TBBS_INDETERMINATE;
        pBar->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
    }
    void SetText(LPCTSTR) override {}
};
} // namespace

void CQENToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolBarCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)ButtonCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        CQENToolbarButton* pButton = ButtonAt((int)state.m_nIndex);
        if (pButton == NULL || pButton->IsSeparator() || pButton == m_pCustomizeButton || pButton->m_nCommandId == 0)
            continue;
        // A tool runs without a handler in any window: it is never disabled for want of one.
        if (CQENToolbarButton::IsUserToolCommand(pButton->m_nCommandId))
            continue;
        state.m_nID = pButton->m_nCommandId;
        // While customizing, every button stays usable.
        if (s_bCustomizing && !m_bLocked)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
