#include "GuiTestSupport.h"
#include "QENContextMenuManager.h"
#include "QENFrameWnd.h"
#include "QENKeyboardManager.h"
#include "QENMenuBar.h"
#include "QENMouseManager.h"
#include "QENPopupMenu.h"
#include "QENRegistry.h"
#include "QENSizingControlBar.h"
#include "QENTearOffManager.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENUserToolsManager.h"
#include "QENWorkspace.h"
#include "ScratchRegistryKey.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace {

const UINT kToolbar = 0x3E00;   // commands 1, separator, 2
const int kBarId = 0xE820;
const UINT kRebarId = 0x6C00;
const UINT kFirstBandChild = 0x6C01;

class CTestFrame : public CQENFrameWnd
{
public:
    void PostNcDestroy() override {}
};

// Notes the state version it sees at the end of a load, before the load is over.
class CRecordingWorkspace : public CQENWorkspace
{
public:
    void ReadAppState() override
    {
        m_nMajorDuringLoad = m_iLoadedVersionMajor;
        m_nMinorDuringLoad = m_iLoadedVersionMinor;
    }
    int m_nMajorDuringLoad = 0;
    int m_nMinorDuringLoad = 0;
};

std::vector<UINT> Commands(const CQENToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.ButtonCount(); i++)
        ids.push_back(bar.ButtonAt(i)->m_nCommandId);
    return ids;
}

std::string RegistryBytes(const CString& strKey, LPCTSTR lpszValue)
{
    char buffer[4096];
    DWORD cbData = sizeof buffer;
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey, lpszValue, RRF_RT_ANY, NULL, buffer, &cbData) != ERROR_SUCCESS)
        return "missing";
    return std::string(buffer, cbData);
}

void SetRegistryBytes(const CString& strKey, LPCTSTR lpszValue, const std::string& bytes)
{
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, strKey, lpszValue, REG_BINARY, bytes.data(),
                                               (DWORD)bytes.size()));
}

void SetRegistryInt(const CString& strKey, LPCTSTR lpszValue, DWORD dwValue)
{
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetKeyValueA(HKEY_CURRENT_USER, strKey, lpszValue, REG_DWORD, &dwValue, sizeof dwValue));
}

// A library frame with the test toolbar docked at its top; the workspace is the test's own.
class WorkspaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strRoot = "Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\App\\QENWorkspace\\";
        ASSERT_TRUE(m_frame.Create(NULL, "workspace", WS_OVERLAPPEDWINDOW, CRect(40, 40, 600, 400)));
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kBarId));
        ASSERT_TRUE(m_bar.BuildFromResource(kToolbar));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_frame.DockControlBar(&m_bar);
        m_frame.RecalcLayout();
    }

    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_frame.DestroyWindow();
    }

    CQENFrameSupport* Impl() { return CQENFrameSupport::Of(&m_frame); }

    CScratchRegistryKey m_scratch{"Workspace"};
    CString m_strRoot;   // the workspace's key, from HKEY_CURRENT_USER
    CTestFrame m_frame;
    CQENToolBar m_bar;
};

TEST_F(WorkspaceTest, FirstStartReadsNoVersionAndChangesNothingAndASavedStateIsVersionFiveEight)
{
    CRecordingWorkspace workspace;
    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    EXPECT_EQ(-1, workspace.m_nMajorDuringLoad);
    EXPECT_EQ(-1, workspace.m_nMinorDuringLoad);
    EXPECT_EQ(5, workspace.m_iLoadedVersionMajor);
    EXPECT_EQ(8, workspace.m_iLoadedVersionMinor);
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_bar));
    EXPECT_EQ("missing", RegistryBytes(m_strRoot + "QENControlBarVersion", "Major"));

    // Saving is refused while it is disabled, and nothing is written.
    workspace.m_bSaveEnabled = FALSE;
    EXPECT_FALSE(workspace.WriteState(NULL, Impl()));
    EXPECT_EQ("missing", RegistryBytes(m_strRoot + "QENControlBarVersion", "Major"));
    EXPECT_EQ("missing", RegistryBytes(m_strRoot + "QENToolBar-" + std::to_string(kBarId).c_str(), "Buttons"));

    workspace.m_bSaveEnabled = TRUE;
    EXPECT_TRUE(workspace.WriteState(NULL, Impl()));
    EXPECT_EQ(std::string("\x05\0\0\0", 4), RegistryBytes(m_strRoot + "QENControlBarVersion", "Major"));
    EXPECT_EQ(std::string("\x08\0\0\0", 4), RegistryBytes(m_strRoot + "QENControlBarVersion", "Minor"));
    EXPECT_NE("missing", RegistryBytes(m_strRoot + "QENToolBar-" + std::to_string(kBarId).c_str(), "Buttons"));
    EXPECT_NE("missing", RegistryBytes(m_strRoot + "QENToolbarParameters", "Tooltips"));
    EXPECT_NE("missing", RegistryBytes(m_strRoot + "QENCommandManager", "CommandsWithoutImages"));

    // A second load reads what the first save wrote.
    m_bar.DeleteButtonAt(0);
    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    EXPECT_EQ(5, workspace.m_nMajorDuringLoad);
    EXPECT_EQ(8, workspace.m_nMinorDuringLoad);
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_bar));
}

// Version 4.71 added a field to every stored menu button; state saved by 4.70 lacks it.
TEST_F(WorkspaceTest, StateOfVersion470IsReadWithoutWhat471AddedAndStateOf471WithIt)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 0x7A01, "甲");
    ::AppendMenuA(hMenu, MF_STRING, 0x7A02, "乙");
    CRecordingWorkspace workspace;
    const CString strPath = workspace.SettingsPath();

    struct Case
    {
        int nWrittenMajor, nWrittenMinor;   // the version the bar's state is written as
        DWORD dwMarkedMajor, dwMarkedMinor; // the version the stored state says it is
        bool bLoads;
    };
    const Case cases[] = {{4, 70, 4, 70, true}, {4, 70, 4, 71, false}, {-1, -1, 4, 71, true}, {-1, -1, 5, 0, true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "written as " << c.nWrittenMajor << "." << c.nWrittenMinor << ", marked "
                                        << c.dwMarkedMajor << "." << c.dwMarkedMinor);
        m_bar.ResetToResource();
        m_bar.AddButtonAt(CQENToolbarMenuButton(0, hMenu, -1, "菜单"), 1);
        const std::vector<UINT> saved = Commands(m_bar);
        ASSERT_EQ((std::vector<UINT>{1, 0, 0, 2}), saved);   // command, menu, separator, command
        CQENToolbarMenuButton::s_nStateVersionMajor = c.nWrittenMajor;
        CQENToolbarMenuButton::s_nStateVersionMinor = c.nWrittenMinor;
        const BOOL bWritten = m_bar.WriteState(strPath);
        CQENToolbarMenuButton::s_nStateVersionMajor = -1;
        CQENToolbarMenuButton::s_nStateVersionMinor = -1;
        ASSERT_TRUE(bWritten);
        SetRegistryInt(m_strRoot + "QENControlBarVersion", "Major", c.dwMarkedMajor);
        SetRegistryInt(m_strRoot + "QENControlBarVersion", "Minor", c.dwMarkedMinor);

        while (m_bar.ButtonCount() > 1)
            m_bar.DeleteButtonAt(0);
        EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
        EXPECT_EQ((int)c.dwMarkedMajor, workspace.m_nMajorDuringLoad);
        if (c.bLoads)
        {
            ASSERT_EQ(saved, Commands(m_bar));
            const CQENToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CQENToolbarMenuButton, m_bar.ButtonAt(1));
            ASSERT_TRUE(pMenuButton != NULL);
            EXPECT_EQ(2, pMenuButton->m_SubItems.GetCount());
        }
        else
        {
            // Read with a field it does not have, the state is damaged: the resource's buttons come.
            EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_bar));
        }
        // What the bars read later is taken as this program's own again.
        EXPECT_EQ(-1, CQENToolbarMenuButton::s_nStateVersionMajor);
    }
    ::DestroyMenu(hMenu);
}

class RebarTest : public WorkspaceTest
{
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        m_hRebar = ::CreateWindowExA(0, REBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT | CCS_NODIVIDER,
                                     0, 0, 500, 30, m_frame.m_hWnd, (HMENU)(UINT_PTR)kRebarId, NULL, NULL);
        ASSERT_TRUE(m_hRebar != NULL);
        for (UINT i = 0; i < 3; i++)
        {
            HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, m_hRebar,
                                            (HMENU)(UINT_PTR)(kFirstBandChild + i), NULL, NULL);
            REBARBANDINFOA band = {};
            band.cbSize = sizeof band;
            band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_LPARAM;
            band.fStyle = RBBS_CHILDEDGE;
            band.hwndChild = hChild;
            band.cxMinChild = 20;
            band.cyMinChild = 20;
            band.cx = 100 + 50 * (int)i;
            band.lParam = 0x100 + i;
            ::SendMessageA(m_hRebar, RB_INSERTBANDA, (WPARAM)-1, (LPARAM)&band);
        }
    }

    CString RebarKey() { return m_strRoot + "QENRebar-" + std::to_string(kRebarId).c_str(); }

    REBARBANDINFOA Band(UINT nBand, UINT fMask)
    {
        REBARBANDINFOA band = {};
        band.cbSize = sizeof band;
        band.fMask = fMask;
        EXPECT_TRUE(::SendMessageA(m_hRebar, RB_GETBANDINFOA, nBand, (LPARAM)&band));
        return band;
    }

    // The child id and width of each band, in band order.
    std::vector<std::pair<UINT, UINT>> Layout()
    {
        std::vector<std::pair<UINT, UINT>> layout;
        const UINT nBands = (UINT)::SendMessageA(m_hRebar, RB_GETBANDCOUNT, 0, 0);
        for (UINT i = 0; i < nBands; i++)
        {
            const REBARBANDINFOA band = Band(i, RBBIM_CHILD | RBBIM_SIZE);
            layout.emplace_back((UINT)::GetDlgCtrlID(band.hwndChild), band.cx);
        }
        return layout;
    }

    void Rearrange()
    {
        ::SendMessageA(m_hRebar, RB_MOVEBAND, 2, 0);
        REBARBANDINFOA band = {};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_SIZE;
        band.cx = 77;
        ::SendMessageA(m_hRebar, RB_SETBANDINFOA, 1, (LPARAM)&band);
    }

    HWND m_hRebar = NULL;
};

TEST_F(RebarTest, BandsComeBackInTheirOrderWithTheirSizesWhenTheCountMatches)
{
    CQENWorkspace workspace;
    const auto saved = Layout();
    ASSERT_TRUE(workspace.WriteState(NULL, Impl()));
    EXPECT_EQ(3u * 80u, RegistryBytes(RebarKey(), "RBI").size());
    const std::string ids = RegistryBytes(RebarKey(), "IDs");
    ASSERT_EQ(12u, ids.size());
    EXPECT_EQ(kFirstBandChild + 1, *reinterpret_cast<const DWORD*>(ids.data() + 4));

    Rearrange();
    const auto rearranged = Layout();
    ASSERT_NE(saved, rearranged);
    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    EXPECT_EQ(saved, Layout());

    // Records of another size, or another number of bands, leave the rebar as it is.
    const std::string records = RegistryBytes(RebarKey(), "RBI");
    SetRegistryBytes(RebarKey(), "RBI", records + std::string(3, '\0'));
    Rearrange();
    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    EXPECT_EQ(rearranged, Layout());
    SetRegistryBytes(RebarKey(), "RBI", records);
    SetRegistryBytes(RebarKey(), "IDs", ids.substr(0, 8));
    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    EXPECT_EQ(rearranged, Layout());
}

TEST_F(RebarTest, StoredRecordsSetOnlyStyleAndSizesNeverTextHandlesOrApplicationData)
{
    CQENWorkspace workspace;
    ASSERT_TRUE(workspace.WriteState(NULL, Impl()));
    std::string records = RegistryBytes(RebarKey(), "RBI");
    ASSERT_EQ(3u * 80u, records.size());
    HWND hStranger = m_frame.m_hWnd;
    for (UINT i = 0; i < 3; i++)
    {
        REBARBANDINFOA band;
        memcpy(&band, &records[i * 80], 80);
        band.fMask = 0xFFFF;
        band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
        band.lpText = reinterpret_cast<LPSTR>(0x11);
        band.cch = 99;
        band.hwndChild = hStranger;
        band.hbmBack = reinterpret_cast<HBITMAP>(0x22);
        band.lParam = 0x33;
        band.cx = 90;
        memcpy(&records[i * 80], &band, 80);
    }
    SetRegistryBytes(RebarKey(), "RBI", records);

    EXPECT_TRUE(workspace.ReadState(NULL, Impl()));
    for (UINT i = 0; i < 3; i++)
    {
        const REBARBANDINFOA band = Band(i, RBBIM_CHILD | RBBIM_LPARAM | RBBIM_STYLE | RBBIM_SIZE | RBBIM_BACKGROUND);
        EXPECT_EQ(kFirstBandChild + i, (UINT)::GetDlgCtrlID(band.hwndChild));
        EXPECT_EQ((LPARAM)(0x100 + i), band.lParam);
        EXPECT_EQ(NULL, band.hbmBack);
        EXPECT_TRUE(band.fStyle & RBBS_GRIPPERALWAYS);
        EXPECT_EQ(90u, band.cx);
    }
}

TEST_F(WorkspaceTest, PlacementIsStoredAsThreeValuesAndOnlyAWholeOneIsRead)
{
    CQENWorkspace workspace;
    ASSERT_TRUE(workspace.WriteWindowPlacement(CRect(10, 20, 310, 220), 2, SW_SHOWMAXIMIZED));
    const CString strKey = m_strRoot + "WindowPlacement";
    EXPECT_EQ(16u, RegistryBytes(strKey, "MainWindowRect").size());

    CRect rect(1, 2, 3, 4);
    UINT nFlags = 0;
    UINT nShowCmd = SW_SHOWNORMAL;
    CQENFrameServices* pServices = &workspace;
    ASSERT_TRUE(pServices->LoadPlacement(rect, nFlags, nShowCmd));
    EXPECT_EQ(CRect(10, 20, 310, 220), rect);
    EXPECT_EQ(2u, nFlags);
    EXPECT_EQ((UINT)SW_SHOWMAXIMIZED, nShowCmd);

    // A damaged value: no placement, and the defaults stay.
    SetRegistryBytes(strKey, "ShowCmd", std::string("\x03", 1));
    rect.SetRect(1, 2, 3, 4);
    nShowCmd = SW_SHOWNORMAL;
    EXPECT_FALSE(pServices->LoadPlacement(rect, nFlags, nShowCmd));
    EXPECT_EQ(CRect(1, 2, 3, 4), rect);
    EXPECT_EQ((UINT)SW_SHOWNORMAL, nShowCmd);
}

// ---------------------------------------------------------------------------------------------------
// The whole interface, saved when a frame closes and found again by the next one

const UINT kFrameResource = 0x6C10;   // menu and keys
const UINT kNewCommand = 0x6C11;
const UINT kOpenCommand = 0x6C12;
const UINT kToolsEntry = 0x6C20;
const UINT kFirstTool = 0x6C21;
const UINT kLastTool = 0x6C23;
const UINT kContextMenu = 0x6C30;
const UINT kSecondToolbar = 0x3E01;   // command 3
const int kSecondBarId = 0xE821;
const int kSizingBarId = 0xE822;
const int kTearOffFirst = 0xE840;
const int kTearOffLast = 0xE84F;
const UINT kFirstUserBar = 0xE828;
const UINT kLastUserBar = 0xE831;
const int kViewId = 7;

// A frame with a menu bar, two toolbars and a sizing bar, made the way a program makes its frame;
// it records the commands that reach it.
class CSavedFrame : public CQENFrameWnd
{
public:
    CQENMenuBar m_menuBar;
    CQENToolBar m_firstBar;
    CQENToolBar m_secondBar;
    CQENSizingControlBar m_sizingBar;
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_COMMAND && pExtra == NULL && pHandlerInfo == NULL && (nID == kNewCommand || nID == kOpenCommand))
        {
            m_commands.push_back(nID);
            return TRUE;
        }
        return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CQENFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_menuBar.CreateEx(this) ||
            !m_firstBar.CreateEx(this, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kBarId) ||
            !m_firstBar.BuildFromResource(kToolbar) ||
            !m_secondBar.CreateEx(this, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kSecondBarId) ||
            !m_secondBar.BuildFromResource(kSecondToolbar) ||
            !m_sizingBar.Create("输出", this, CSize(120, 90), TRUE, kSizingBarId, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM))
            return -1;
        AttachMenuBar(&m_menuBar);
        EnableDocking(CBRS_ALIGN_ANY);
        for (CControlBar* pBar : std::initializer_list<CControlBar*>{&m_menuBar, &m_firstBar, &m_secondBar, &m_sizingBar})
        {
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            DockControlBar(pBar);
        }
        SetUserToolbarRange(NULL, kFirstUserBar, kLastUserBar);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSavedFrame, CQENFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// The program's workspace with every manager, and what it registers at each start.
class CProgramWorkspace : public CQENWorkspace
{
public:
    CProgramWorkspace() : CQENWorkspace(TRUE)
    {
        CreateKeyboardManager();
        CreateContextMenuManager();
        CreateMouseManager();
        SetUpUserTools(kToolsEntry, kFirstTool, kLastTool);
    }
    void BeforeStateLoad() override
    {
        g_pMouseManager->RegisterView(kViewId, "视图");
        g_pContextMenuManager->RegisterContextMenu("上下文菜单", kContextMenu);
    }
};

std::vector<ACCEL> AcceleratorsOf(CFrameWnd* pFrame)
{
    std::vector<ACCEL> entries(64);
    entries.resize((size_t)::CopyAcceleratorTableA(pFrame->m_hAccelTable, entries.data(), (int)entries.size()));
    return entries;
}

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void PressChord(WORD wModifier, WORD wKey)
{
    INPUT inputs[4] = {};
    const WORD keys[4] = {wModifier, wKey, wKey, wModifier};
    for (int i = 0; i < 4; i++)
    {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ::SendInput(4, inputs, sizeof(INPUT));
    PumpFor(150);
}

TEST(WorkspaceRoundTrip, WhatTheUserChangedIsWrittenWhenTheFrameClosesAndBackAtTheNextStart)
{
    CScratchRegistryKey scratch("WorkspaceRoundTrip");
    const CString strRoot = "Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\App\\QENWorkspace\\";
    g_pTearOffManager = new CQENTearOffManager(kTearOffFirst, kTearOffLast);
    const int nAnimation = CQENPopupMenu::s_nMenuAnimation;

    // ---- the first run: the user changes everything there is ----
    auto* pWorkspace = new CProgramWorkspace;
    auto* pFrame = new CSavedFrame;
    ASSERT_TRUE(pFrame->LoadFrame(kFrameResource));
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->MoveWindow(70, 60, 520, 380);
    PumpFor(100);

    pFrame->m_firstBar.DeleteButtonAt(0);
    pFrame->m_firstBar.AddButtonAt(CQENToolbarButton(1, 0), -1);   // 0, 2, 1
    CQENToolBar* pUserBar = pFrame->AddUserToolbar("我的工具栏");
    ASSERT_TRUE(pUserBar != NULL);
    pUserBar->AddButtonAt(CQENToolbarButton(kOpenCommand, -1, "打开"));
    auto* pTornOff = new CQENToolBar;
    const UINT nTearOffId = g_pTearOffManager->AllocateId();
    ASSERT_TRUE(pTornOff->CreateEx(pFrame, 0, CQENFrameSupport::kUserBarStyle, CRect(1, 1, 1, 1), nTearOffId));
    pTornOff->AddButtonAt(CQENToolbarButton(kNewCommand, -1, "新建"));
    pTornOff->SetWindowText("文件");
    pTornOff->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->AddTearOffBar(pTornOff);
    pFrame->FloatControlBar(pTornOff, CPoint(400, 420));
    pFrame->FloatControlBar(&pFrame->m_sizingBar, CPoint(300, 300));
    pFrame->RecalcLayout();
    const ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'N', (WORD)kNewCommand}, {FVIRTKEY | FCONTROL, 'O', (WORD)kOpenCommand}};
    ASSERT_TRUE(g_pKeyboardManager->ReloadAcceleratorTable(NULL, keys, 2, pFrame));
    for (LPCTSTR lpszLabel : {"记事本", "计算器"})
    {
        CQENUserTool* pTool = g_pUserToolsManager->AddNewTool();
        ASSERT_TRUE(pTool != NULL);
        pTool->m_strLabel = lpszLabel;
        pTool->SetToolCommand("notepad.exe");
    }
    HMENU hContext = g_pContextMenuManager->FindMenuByName("上下文菜单");
    ASSERT_TRUE(hContext != NULL);
    ::DeleteMenu(::GetSubMenu(hContext, 0), 0, MF_BYPOSITION);   // "新建" goes
    g_pMouseManager->BindDoubleClickCommand(kViewId, kOpenCommand);
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationSlide;
    PumpFor(100);
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);

    const HWND hFrame = pFrame->m_hWnd;
    pFrame->SendMessage(WM_CLOSE);   // saves, and the frame is gone
    PumpFor(100);
    ASSERT_FALSE(::IsWindow(hFrame));

    // Value by value: every part in its own place.
    const std::string strBarId = std::to_string(kBarId);
    for (const auto& value : std::vector<std::pair<CString, LPCTSTR>>{
             {"QENControlBarVersion", "Major"},
             {"WindowPlacement", "MainWindowRect"},
             {"QENToolbarParameters", "MenuAnimation"},
             {"QENCommandManager", "CommandsWithoutImages"},
             {CString("QENToolBar-") + strBarId.c_str(), "Buttons"},
             {CString("QENToolBar-") + std::to_string(kSecondBarId).c_str(), "Buttons"},
             {CString("QENToolBar-") + std::to_string(kFirstUserBar).c_str(), "Buttons"},
             {CString("QENToolBar-") + std::to_string(CQENMenuBar::kMenuBarId).c_str() + "0", "Buttons"},   // its default menu
             {"ControlBars-TearOff-0", "State"},
             {"QENKeyboard-0", "Accelerators"},
             {"", "Mouse"},
             {"", "Tools"}})
    {
        SCOPED_TRACE((LPCTSTR)value.first);
        EXPECT_NE("missing", RegistryBytes(strRoot + value.first, value.second)) << value.second;
    }
    EXPECT_EQ(12u, RegistryBytes(strRoot + "QENKeyboard-0", "Accelerators").size());
    EXPECT_EQ(std::string("\x01\0\0\0\x07\0\0\0\x12\x6C\0\0", 12), RegistryBytes(strRoot, "Mouse"));
    std::map<std::string, long> sizing = scratch.Values(("QENWorkspace\\SizingBars-SCBar-" + std::to_string(kSizingBarId)).c_str());
    EXPECT_EQ(1u, sizing.count("sizeFloatCX"));

    // ---- the next start ----
    delete pWorkspace;   // and with it its managers
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    g_pTearOffManager->ReleaseIds();
    pWorkspace = new CProgramWorkspace;
    pFrame = new CSavedFrame;
    ASSERT_TRUE(pFrame->LoadFrame(kFrameResource));
    pFrame->ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(pFrame->m_hWnd);
    PumpFor(200);
    RunIdleCycle();

    CRect rectAgain;
    pFrame->GetWindowRect(&rectAgain);
    EXPECT_EQ(rectFrame, rectAgain);
    EXPECT_EQ((std::vector<UINT>{0, 2, 1}), Commands(pFrame->m_firstBar));
    EXPECT_EQ((std::vector<UINT>{3}), Commands(pFrame->m_secondBar));
    CQENToolBar* pUserBarAgain = pFrame->UserToolbarAt(0);
    ASSERT_TRUE(pUserBarAgain != NULL);
    CString strName;
    pUserBarAgain->GetWindowText(strName);
    EXPECT_STREQ("我的工具栏", strName);
    EXPECT_EQ((std::vector<UINT>{kOpenCommand}), Commands(*pUserBarAgain));
    CQENToolBar* pTornOffAgain = DYNAMIC_DOWNCAST(CQENToolBar, pFrame->GetControlBar(nTearOffId));
    ASSERT_TRUE(pTornOffAgain != NULL);
    EXPECT_TRUE(pTornOffAgain->IsFloating());
    EXPECT_EQ((std::vector<UINT>{kNewCommand}), Commands(*pTornOffAgain));
    EXPECT_TRUE(pFrame->m_sizingBar.IsFloating());
    EXPECT_EQ(CQENPopupMenu::AnimationSlide, CQENPopupMenu::s_nMenuAnimation);
    ASSERT_EQ(2, g_pUserToolsManager->GetUserTools().GetCount());
    const CQENUserTool* pSecondTool = static_cast<const CQENUserTool*>(g_pUserToolsManager->GetUserTools().GetTail());
    EXPECT_STREQ("计算器", pSecondTool->m_strLabel);
    EXPECT_EQ(kFirstTool + 1, pSecondTool->m_nCmdId);
    hContext = g_pContextMenuManager->FindMenuByName("上下文菜单");
    ASSERT_TRUE(hContext != NULL);
    EXPECT_EQ(1, ::GetMenuItemCount(::GetSubMenu(hContext, 0)));
    EXPECT_EQ(kOpenCommand, ::GetMenuItemID(::GetSubMenu(hContext, 0), 0));

    // And by behaviour: the new key runs its command, a double click on the view runs its.
    EXPECT_EQ(2u, AcceleratorsOf(pFrame).size());
    PressChord(VK_CONTROL, 'O');
    EXPECT_EQ((std::vector<UINT>{kOpenCommand}), pFrame->m_commands);
    EXPECT_TRUE(pWorkspace->HandleViewDoubleClick(pFrame, kViewId));
    EXPECT_EQ((std::vector<UINT>{kOpenCommand, kOpenCommand}), pFrame->m_commands);

    pWorkspace->m_bSaveEnabled = FALSE;   // the test's frame leaves nothing behind
    pFrame->DestroyWindow();
    delete pWorkspace;
    delete g_pTearOffManager;
    g_pTearOffManager = NULL;
    CQENPopupMenu::s_nMenuAnimation = nAnimation;
}

} // namespace
