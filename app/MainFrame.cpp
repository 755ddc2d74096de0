#include "MainFrame.h"
#include "GradientBarSkin.h"
#include "GradientButtonSkin.h"
#include "MacSkin.h"
#include "MacStyleSkin.h"
#include "QENPopupMenu.h"
#include "QENToolbarCustomize.h"
#include "QENVisualManagerXP.h"
#include "QENWizView.h"
#include "SilverRingSkin.h"
#include "StyleOneSkin.h"
#include "resource.h"

namespace {

// The skin setting: "ViewType" in section "QENWiz" of QENWiz.ini in the Windows folder.
const TCHAR s_szProfileFile[] = "QENWiz.ini";
const TCHAR s_szProfileSection[] = "QENWiz";
const TCHAR s_szViewTypeKey[] = "ViewType";

// The skins' commands, by skin number.
const UINT s_viewTypeCommands[CMainFrame::kViewTypeCount] = {
    ID_VIEW_LOOK_XP,   ID_VIEW_LOOK_2000,   ID_VIEW_LOOK_STANDARD, ID_VIEW_LOOK_MAC,   ID_VIEW_LOOK_MAC2,
    ID_VIEW_LOOK_STYLE1, ID_VIEW_LOOK_STYLE2, ID_VIEW_LOOK_STYLE3, ID_VIEW_LOOK_STYLE4,
};

// The commands personalised menus always show.
const UINT s_coreCommands[] = {
    ID_VIEW_TOOLBARS, ID_FILE_NEW,   ID_FILE_OPEN,  ID_FILE_SAVE,  ID_FILE_PRINT,     ID_APP_EXIT,
    ID_EDIT_CUT,      ID_EDIT_PASTE, ID_EDIT_UNDO,  ID_APP_ABOUT,  AFX_IDW_TOOLBAR,   ID_VIEW_CUSTOMIZE,
};

const UINT s_statusIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A message of the installer that the frame takes without acting on it.
const UINT WM_INSTALLER_NOTICE = WM_USER + 102;

const DWORD kMenuBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE;
const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
const DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM;
const DWORD kOutputBarStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM;
const DWORD kCaptionBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

const TCHAR s_szCaptionText[] = "安装支持中文的QEN ControlBar Application Wizard";
const COLORREF kCaptionTransparent = RGB(255, 0, 255);

} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CQENFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CQENFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_EX(ID_VIEW_LOOK_XP, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_2000, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_STANDARD, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_MAC, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_STYLE1, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_MAC2, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_STYLE2, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_STYLE3, OnViewType)
    ON_COMMAND_EX(ID_VIEW_LOOK_STYLE4, OnViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_XP, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_2000, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_STANDARD, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_MAC, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_STYLE1, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_MAC2, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_STYLE2, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_STYLE3, OnUpdateViewType)
    ON_UPDATE_COMMAND_UI(ID_VIEW_LOOK_STYLE4, OnUpdateViewType)
    ON_COMMAND(ID_TOOLS_START_INSTALL, OnMenuStartInstall)
    ON_COMMAND(ID_TOOLS_DETECT_FOLDERS, OnMenuDetectFolders)
    ON_MESSAGE(WM_INSTALLER_NOTICE, OnInstallerNotice)
    ON_COMMAND(ID_VIEW_CUSTOMIZE, OnViewCustomize)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_RESETTOOLBAR, OnToolbarReset)
    ON_REGISTERED_MESSAGE(QENM_TOOLBAR_POPUPMENU, OnToolbarPopupMenu)
    ON_COMMAND_RANGE(ID_VIEW_USER_TOOLBAR1, ID_VIEW_USER_TOOLBAR10, OnToggleUserToolbar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_USER_TOOLBAR1, ID_VIEW_USER_TOOLBAR10, OnUpdateToggleUserToolbar)
    ON_COMMAND(ID_VIEW_OUTPUT, OnViewOutput)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, OnUpdateViewOutput)
    ON_COMMAND(ID_VIEW_CAPTIONBAR, OnViewCaptionBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_CAPTIONBAR, OnUpdateViewCaptionBar)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_nViewType((int)::GetPrivateProfileIntA(s_szProfileSection, s_szViewTypeKey, 0, s_szProfileFile))
{
}

CMainFrame::~CMainFrame()
{
    delete CQENVisualManager::CurrentManager();
    if (CQENToolBar::s_pUserImageList == &m_UserImages)
        CQENToolBar::s_pUserImageList = NULL;
}

UINT PASCAL CMainFrame::ViewTypeCommand(int nViewType)
{
    return nViewType >= 0 && nViewType < kViewTypeCount ? s_viewTypeCommands[nViewType] : 0;
}

BOOL PASCAL CMainFrame::InstallSkin(int nViewType)
{
    switch (nViewType)
    {
    case 3:
        new CMacSkin;
        return TRUE;
    case 4:
        new CMacStyleSkin;
        return TRUE;
    case 5:
        new CStyleOneSkin;
        return TRUE;
    case 6:
        new CSilverRingSkin;
        return TRUE;
    case 7:
        new CGradientButtonSkin;
        return TRUE;
    case 8:
        new CGradientBarSkin;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CQENFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CQENFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    // The look from the profile; the library makes the classic manager on first use for skin 2.
    switch (m_nViewType)
    {
    case 1:
        CQENVisualManager::CurrentManager()->SetFlatLook(TRUE);
        break;
    case 2:
        break;
    default:
        if (InstallSkin(m_nViewType))
            CQENVisualManager::CurrentManager()->SetFlatLook(TRUE);
        else
            CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
        break;
    }

    // Resolved here, once: the image list keeps the full path for its saves, so that the folder
    // chooser, which moves the current folder, neither hides the images nor gets them saved into the
    // folder the user browsed last.
    if (m_UserImages.LoadFromFile(".\\UserImages.bmp"))
        CQENToolBar::AttachUserImages(&m_UserImages);
    CQENToolBar::s_bAltDragEnabled = TRUE;

    CList<UINT, UINT> lstCoreCommands;
    for (UINT nCommand : s_coreCommands)
        lstCoreCommands.AddTail(nCommand);
    CQENToolBar::SetCoreCommandList(lstCoreCommands);

    if (!m_wndMenuBar.CreateEx(this, 0, kMenuBarStyle, CRect(1, 1, 1, 1), IDW_MENUBAR))
        return -1;
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    // The bar takes the frame's menu over, unless it did so itself when it was created.
    if (m_Impl.m_pMenuBar != &m_wndMenuBar)
        AttachMenuBar(&m_wndMenuBar);

    int nBitsPerPixel;
    {
        CClientDC dc(this);
        nBitsPerPixel = dc.GetDeviceCaps(BITSPIXEL);
    }
    // Above 256 colours the buttons come from the 256-colour strips, the hot one as the standard.
    const UINT nColdImages = nBitsPerPixel > 8 ? IDB_TOOLBAR256 : 0;
    const UINT nHotImages = nBitsPerPixel > 8 ? IDB_TOOLBAR256_HOT : 0;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle, CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.BuildFromResource(IDR_MAINFRAME, nColdImages, 0, FALSE, 0, 0, nHotImages))
        return -1;

    if (!m_wndStatusBar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(s_statusIndicators, sizeof s_statusIndicators / sizeof s_statusIndicators[0]))
        return -1;

    if (!m_wndOutputBar.Create("输出窗口", this, CSize(150, 150), TRUE, ID_VIEW_OUTPUT, kOutputBarStyle))
        return -1;

    CString strToolBarName;
    strToolBarName.LoadString(IDS_TOOLBAR_STANDARD);
    m_wndToolBar.SetWindowText(strToolBarName);

    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndOutputBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);

    if (!m_wndCaptionBar.Create(kCaptionBarStyle, this, ID_VIEW_CAPTIONBAR, -1))
        return -1;
    m_wndCaptionBar.SetFlatBorder(TRUE);
    m_wndCaptionBar.SetText(s_szCaptionText, CQENCaptionBar::AlignRight);
    if (m_bmpCaption.LoadBitmap(IDB_CAPTION))
        m_wndCaptionBar.SetBitmap((HBITMAP)m_bmpCaption.GetSafeHandle(), kCaptionTransparent, FALSE,
                                  CQENCaptionBar::AlignRight);

    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    DockControlBar(&m_wndOutputBar);

    SetUserToolbarRange(NULL, IDW_FIRST_USER_TOOLBAR, IDW_LAST_USER_TOOLBAR);
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Skins

BOOL CMainFrame::OnViewType(UINT nID)
{
    for (int nViewType = 0; nViewType < kViewTypeCount; nViewType++)
        if (s_viewTypeCommands[nViewType] == nID)
            OnViewTypeCommand(nViewType);
    return TRUE;
}

void CMainFrame::OnUpdateViewType(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(ViewTypeCommand(m_nViewType) == pCmdUI->m_nID);
}

void CMainFrame::OnViewTypeCommand(int nViewType)
{
    if (m_nViewType == nViewType)
        return;
    m_nViewType = nViewType;

    delete CQENVisualManager::CurrentManager();
    switch (nViewType)
    {
    case 0:
        CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
        CQENVisualManager::CurrentManager()->SetFlatLook(TRUE);
        break;
    case 1:
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENToolBar::s_bAltDragEnabled = TRUE;
        CQENVisualManager::CurrentManager()->SetFlatLook(TRUE);
        break;
    case 2:
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENToolBar::s_bAltDragEnabled = TRUE;
        break;
    default:
        // The class made on demand stays what it was.
        InstallSkin(nViewType);
        CQENToolBar::s_bAltDragEnabled = TRUE;
        CQENVisualManager::CurrentManager()->SetFlatLook(TRUE);
        break;
    }
    CQENVisualManager::CurrentManager();
    CQENVisualManager::RepaintAllBars();

    CString strViewType;
    strViewType.Format("%d", nViewType);
    ::WritePrivateProfileStringA(s_szProfileSection, s_szViewTypeKey, strViewType, s_szProfileFile);
}

// ---------------------------------------------------------------------------------------------------
// The installer's commands

void CMainFrame::OnMenuStartInstall()
{
    if (g_pWizView != NULL)
        g_pWizView->PostMessage(WM_STARTINSTALL, 0, 0);
}

void CMainFrame::OnMenuDetectFolders()
{
    if (g_pWizView != NULL)
        g_pWizView->PostMessage(WM_DETECTFOLDERS, 0, 0);
}

LRESULT CMainFrame::OnInstallerNotice(WPARAM, LPARAM)
{
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Bars and their menus

void CMainFrame::OnViewCustomize()
{
    // Modeless; the sheet deletes itself when it is closed.
    CQENToolbarCustomize* pSheet = new CQENToolbarCustomize(this, TRUE, 0x0F);
    pSheet->EnableUserToolbars();
    pSheet->Create();
}

LRESULT CMainFrame::OnToolbarReset(WPARAM, LPARAM)
{
    return 0;
}

HMENU CMainFrame::LoadToolbarListMenu() const
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP_TOOLBAR))
        return NULL;
    CMenu* pList = menu.GetSubMenu(0);
    if (pList == NULL)
        return NULL;
    FillUserToolbarMenu(pList, ID_VIEW_USER_TOOLBAR1, ID_VIEW_USER_TOOLBAR10);
    return menu.Detach();
}

LRESULT CMainFrame::OnToolbarPopupMenu(WPARAM, LPARAM lParam)
{
    HMENU hMenu = LoadToolbarListMenu();
    if (hMenu == NULL)
        return 0;
    const CPoint ptScreen((short)LOWORD(lParam), (short)HIWORD(lParam));
    CQENPopupMenu* pPopup = new CQENPopupMenu;
    // A popup that cannot be shown has deleted itself.
    pPopup->Create(this, ptScreen.x, ptScreen.y, ::GetSubMenu(hMenu, 0));
    ::DestroyMenu(hMenu);
    return 0;
}

BOOL CMainFrame::CanShowPopupMenu(CQENPopupMenu* pPopup)
{
    CQENPopupMenuBar* pItems = pPopup->GetMenuBar();
    if (pItems->IndexOfCommand(ID_VIEW_TOOLBARS) < 0)
        return TRUE;
    if (CQENToolBar::s_bCustomizing)
        return FALSE;
    HMENU hMenu = LoadToolbarListMenu();
    if (hMenu != NULL)
    {
        pItems->BuildFromMenuHandle(::GetSubMenu(hMenu, 0), TRUE);
        ::DestroyMenu(hMenu);
    }
    return TRUE;
}

void CMainFrame::ToggleBar(CControlBar* pBar)
{
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnToggleUserToolbar(UINT nID)
{
    CQENToolBar* pBar = UserToolbarAt(nID - ID_VIEW_USER_TOOLBAR1);
    if (pBar != NULL)
        ToggleBar(pBar);
}

void CMainFrame::OnUpdateToggleUserToolbar(CCmdUI* pCmdUI)
{
    CQENToolBar* pBar = UserToolbarAt(pCmdUI->m_nID - ID_VIEW_USER_TOOLBAR1);
    pCmdUI->Enable(pBar != NULL);
    if (pBar != NULL)
        pCmdUI->SetCheck(pBar->IsVisible());
}

void CMainFrame::OnViewOutput()
{
    ToggleBar(&m_wndOutputBar);
}

void CMainFrame::OnUpdateViewOutput(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndOutputBar.IsVisible());
}

void CMainFrame::OnViewCaptionBar()
{
    ToggleBar(&m_wndCaptionBar);
}

void CMainFrame::OnUpdateViewCaptionBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndCaptionBar.IsVisible());
}
