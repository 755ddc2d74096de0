// The keyboard manager with real frames, real keys and the real registry.
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENFrameWnd.h"
#include "QENKeyHelper.h"
#include "QENKeyboardManager.h"
#include "QENMDIFrameWnd.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManager.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace {

const UINT kMainFrame = 0x4B00;   // menu File (Save, Refresh); Ctrl+S Save, F5 Refresh
const UINT kTextType = 0x4B01;    // F7 Find
const UINT kTableType = 0x4B02;   // no accelerators
const UINT kSave = 0x4B10;
const UINT kRefresh = 0x4B11;
const UINT kFind = CTestApp::ID_APP_COMMAND_FIRST + 1;
const UINT kSort = CTestApp::ID_APP_COMMAND_FIRST + 2;

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds; ::Sleep(10))
        PumpPendingMessages();
    RunIdleCycle();
}

// Real keys: pressed in order, released in reverse.
void Chord(std::initializer_list<WORD> keys)
{
    std::vector<std::pair<WORD, DWORD>> strokes;
    for (WORD wKey : keys)
        strokes.emplace_back(wKey, 0);
    for (auto it = keys.end(); it != keys.begin();)
        strokes.emplace_back(*--it, KEYEVENTF_KEYUP);
    for (const auto& stroke : strokes)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.first;
        input.ki.dwFlags = stroke.second;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(30);
    }
    PumpFor(100);
}

CString Section(LPCTSTR lpszSection)
{
    return CString("Software\\") + AfxGetApp()->m_pszRegistryKey + "\\App\\" + lpszSection + "\\";
}

std::set<std::string> SubKeysOf(const CString& strKey)
{
    std::set<std::string> names;
    HKEY hKey;
    char szName[256];
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0; ::RegEnumKeyA(hKey, i, szName, sizeof(szName)) == ERROR_SUCCESS; i++)
        names.insert(szName);
    ::RegCloseKey(hKey);
    return names;
}

std::vector<BYTE> StoredTable(const CString& strKey)
{
    std::vector<BYTE> data(256);
    DWORD nBytes = (DWORD)data.size();
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey, "Accelerators", RRF_RT_REG_BINARY, NULL, data.data(), &nBytes))
        nBytes = 0;
    data.resize(nBytes);
    return data;
}

void StoreTable(DWORD dwType, const std::vector<BYTE>& data)
{
    ::RegSetKeyValueA(HKEY_CURRENT_USER, Section("QENKeyboardManager") + "QENKeyboard-0", "Accelerators", dwType,
                      data.data(), (DWORD)data.size());
}

// A library main frame that records the commands reaching the framework's routing.
class CKeyFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode != CN_COMMAND || pExtra != NULL || pHandlerInfo != NULL)
            return CQENFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        m_commands.push_back(nID);
        return TRUE;
    }
    void PostNcDestroy() override {}
};

// The application's main frame, loaded from its resources, with a toolbar: the menu button
// "文件(&F)" holding the frame's File menu, and the command button Save.
class KeyboardManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
        m_frame.m_bAutoMenuEnable = FALSE;
        ASSERT_TRUE(m_frame.LoadFrame(kMainFrame));
        TestApp().m_pMainWnd = &m_frame;
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_bar.CreateEx(&m_frame, 0, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS,
                                   CRect(1, 1, 1, 1), 0xE900));
        HMENU hFileMenu = ::GetSubMenu(::GetMenu(m_frame.m_hWnd), 0);
        m_bar.AddButtonAt(CQENToolbarMenuButton((UINT)-1, hFileMenu, -1, "文件(&F)"));
        m_bar.AddButtonAt(CQENToolbarButton(kSave, -1, "保存"));
        m_frame.DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        m_frame.SetWindowPos(NULL, 60, 60, 480, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        m_frame.SetFocus();
        PumpFor(100);
    }

    void TearDown() override
    {
        TestApp().m_pMainWnd = NULL;
        m_frame.DestroyWindow();
        CQENToolBar::s_blockedCommands.RemoveAll();
    }

    std::vector<UINT> CommandsOf(std::initializer_list<WORD> keys)
    {
        m_frame.m_commands.clear();
        Chord(keys);
        return m_frame.m_commands;
    }

    CPoint OnScreen(int iButton)
    {
        CPoint pt = m_bar.ButtonAt(iButton)->m_rect.CenterPoint();
        m_bar.ClientToScreen(&pt);
        return pt;
    }

    // The tip shown while the pointer rests on Save, coming from File, which has none.
    std::string SaveTip()
    {
        for (CPoint pt : {OnScreen(0), OnScreen(1) + CPoint(1, 0), OnScreen(1)})
        {
            SendMouseInput(pt);
            PumpFor(50);
        }
        char szText[256] = "";
        TOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.lpszText = szText;
        HWND hTip = NULL;
        for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 1500 && !::IsWindowVisible(hTip);)
        {
            PumpFor(20);
            hTip = ::FindWindowA(TOOLTIPS_CLASSA, NULL);
        }
        ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
        return szText;
    }

    // The Save item of the File menu opened by a real click, with its shortcut column.
    std::string SaveMenuItem()
    {
        for (DWORD dwButtons : {0ul, (DWORD)MOUSEEVENTF_LEFTDOWN, (DWORD)MOUSEEVENTF_LEFTUP})
        {
            SendMouseInput(OnScreen(0), dwButtons);
            PumpFor(60);
        }
        CQENPopupMenu* pPopup = static_cast<CQENToolbarMenuButton*>(m_bar.ButtonAt(0))->GetPopupMenu();
        std::string strItem = pPopup != NULL ? (LPCTSTR)pPopup->GetMenuBar()->ButtonAt(0)->m_strLabel : "";
        Chord({VK_ESCAPE});
        return strItem;
    }

    CScratchRegistryKey m_registry{"Keyboard"};
    CQENKeyboardManager m_manager;
    CKeyFrame m_frame;
    CQENToolBar m_bar;
};

} // namespace

TEST(KeyHelper, NamesKeysWithTheirModifiers)
{
    EXPECT_STREQ("Ctrl+Shift+S", CQENKeyHelper(ACCEL{FVIRTKEY | FCONTROL | FSHIFT, 'S', 1}).Format());
    EXPECT_STREQ("F5", CQENKeyHelper(ACCEL{FVIRTKEY, VK_F5, 1}).Format());
    EXPECT_STREQ("Alt+Enter", CQENKeyHelper(ACCEL{FVIRTKEY | FALT, VK_RETURN, 1}).Format());
    EXPECT_EQ((UINT)'5', CQENKeyboardManager::UpperCaseKey(VK_NUMPAD5));
}

TEST_F(KeyboardManagerTest, OneFrameStoresASingleKeyEndingInZeroAndKeysMatchWithExactlyTheirModifiers)
{
    ASSERT_TRUE(m_manager.WriteState(NULL, NULL));
    EXPECT_EQ(std::set<std::string>{"QENKeyboard-0"}, SubKeysOf(Section("QENKeyboardManager")));
    // Flags, padding, key, command: Ctrl+S Save, F5 Refresh.
    const std::vector<BYTE> expected = {FVIRTKEY | FCONTROL, 0, 'S', 0, 0x10, 0x4B, FVIRTKEY, 0, VK_F5, 0, 0x11, 0x4B};
    EXPECT_EQ(expected, StoredTable(Section("QENKeyboardManager") + "QENKeyboard-0"));
    ASSERT_TRUE(m_manager.WriteState(Section("QENWorkspace"), &m_frame));
    EXPECT_EQ(expected, StoredTable(Section("QENWorkspace") + "QENKeyboard-0"));

    EXPECT_TRUE(m_manager.IsShortcutKey('S', FVIRTKEY | FCONTROL, &m_frame, TRUE));
    EXPECT_FALSE(m_manager.IsShortcutKey('S', FVIRTKEY, &m_frame, TRUE));
    EXPECT_FALSE(m_manager.IsShortcutKey('S', FVIRTKEY | FCONTROL | FSHIFT, &m_frame, TRUE));
    EXPECT_FALSE(m_manager.IsShortcutKey(VK_F5, FVIRTKEY | FCONTROL, &m_frame, TRUE));
}

TEST_F(KeyboardManagerTest, AReboundKeyRunsItsCommandAndShowsInTipAndMenuUntilTheTablesAreReset)
{
    ASSERT_EQ("保存 (Ctrl+S)", SaveTip());
    const ACCEL rebound[] = {{FVIRTKEY | FCONTROL | FSHIFT, 'K', kSave}, {FVIRTKEY, VK_F5, kRefresh}};
    ASSERT_TRUE(m_manager.ReloadAcceleratorTable(NULL, rebound, 2, NULL));
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ("保存 (Ctrl+Shift+K)", SaveTip());
    EXPECT_EQ("保存(&S)\tCtrl+Shift+K", SaveMenuItem());

    // Installing the table the frame already has keeps it working.
    ASSERT_TRUE(m_manager.InstallTable(NULL, m_frame.m_hAccelTable, &m_frame));
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));

    m_manager.ResetAllTables();
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, VK_SHIFT, 'K'}));
    EXPECT_EQ("保存(&S)\tCtrl+S", SaveMenuItem());
}

TEST_F(KeyboardManagerTest, RemovingEveryShortcutLeavesATableThatBindsNothingAndIsStoredAndLoaded)
{
    ASSERT_TRUE(m_manager.ReloadAcceleratorTable(NULL, NULL, 0, NULL));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'S'}));
    EXPECT_EQ("保存", SaveTip());
    ASSERT_TRUE(m_manager.WriteState(NULL, NULL));
    EXPECT_EQ(6u, StoredTable(Section("QENKeyboardManager") + "QENKeyboard-0").size());

    m_manager.ResetAllTables();
    ASSERT_TRUE(m_manager.ReadState(NULL, NULL));
    EXPECT_NE(nullptr, m_frame.m_hAccelTable);
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'S'}));
}

TEST_F(KeyboardManagerTest, DamagedStoredTablesLeaveTheCurrentOneAndCommandsThatMayNotBeBoundLoadAsNone)
{
    const std::vector<std::pair<DWORD, std::vector<BYTE>>> damaged = {
        {REG_BINARY, {FVIRTKEY, 0, VK_F6, 0, 0x11, 0x4B, 0}},   // not a whole number of entries
        {REG_BINARY, {}},
        {REG_DWORD, {FVIRTKEY, 0, VK_F6, 0}},
        {REG_SZ, {'F', '6', 0, 0, 0, 0}},
        {REG_BINARY, {0xE1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},       // flags and key no table has
    };
    for (const auto& value : damaged)
    {
        const HACCEL hCurrent = m_frame.m_hAccelTable;
        StoreTable(value.first, value.second);
        EXPECT_TRUE(m_manager.ReadState(NULL, NULL));
        EXPECT_EQ(hCurrent, m_frame.m_hAccelTable) << value.second.size() << " bytes of type " << value.first;
    }
    EXPECT_EQ(std::vector<UINT>{kSave}, CommandsOf({VK_CONTROL, 'S'}));

    // Ctrl+B for a command that may not be bound, F6 Refresh.
    CQENToolBar::s_blockedCommands.AddTail(0x4B14);
    StoreTable(REG_BINARY, {FVIRTKEY | FCONTROL, 0, 'B', 0, 0x14, 0x4B, FVIRTKEY, 0, VK_F6, 0, 0x11, 0x4B});
    ASSERT_TRUE(m_manager.ReadState(NULL, NULL));
    EXPECT_EQ(std::vector<UINT>{kRefresh}, CommandsOf({VK_F6}));
    EXPECT_EQ(std::vector<UINT>{}, CommandsOf({VK_CONTROL, 'B'}));
    ASSERT_TRUE(m_manager.WriteState(NULL, NULL));
    const std::vector<BYTE> stored = {FVIRTKEY | FCONTROL, 0, 'B', 0, 0, 0, FVIRTKEY, 0, VK_F6, 0, 0x11, 0x4B};
    EXPECT_EQ(stored, StoredTable(Section("QENKeyboardManager") + "QENKeyboard-0"));
}

namespace {

class CKeyDoc : public CDocument
{
    DECLARE_DYNCREATE(CKeyDoc)
};
IMPLEMENT_DYNCREATE(CKeyDoc, CDocument)

class CKeyView : public CView
{
    DECLARE_DYNCREATE(CKeyView)
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CKeyView, CView)

// The library's MDI frame as the main window, with the application's templates of text documents
// (F7 Find) and table documents (no accelerators).
class MDIKeyboardManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pOldDocManager = TestApp().m_pDocManager;
        TestApp().m_pDocManager = new CDocManager;
        TestApp().AddDocTemplate(m_pText);
        TestApp().AddDocTemplate(m_pTable);
        ASSERT_TRUE(m_pFrame->LoadFrame(kMainFrame));
        TestApp().m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 40, 40, 640, 460, SWP_NOZORDER | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
    }

    void TearDown() override
    {
        TestApp().CloseAllDocuments(FALSE);
        m_pFrame->DestroyWindow();
        TestApp().m_pMainWnd = NULL;
        delete TestApp().m_pDocManager;
        TestApp().m_pDocManager = m_pOldDocManager;
    }

    CFrameWnd* NewDocumentFrame(CMultiDocTemplate* pTemplate)
    {
        CDocument* pDoc = pTemplate->OpenDocumentFile(NULL);
        POSITION pos = pDoc->GetFirstViewPosition();
        return pDoc->GetNextView(pos)->GetParentFrame();
    }

    // The application command a chord of real keys runs with the child frame active; 0 for none.
    UINT CommandIn(CFrameWnd* pChild, std::initializer_list<WORD> keys)
    {
        m_pFrame->MDIActivate(pChild);
        TestApp().m_nLastAppCommand = 0;
        Chord(keys);
        return TestApp().m_nLastAppCommand;
    }

    CScratchRegistryKey m_registry{"MDIKeyboard"};
    CQENKeyboardManager m_manager;
    CDocManager* m_pOldDocManager = NULL;
    CMultiDocTemplate* m_pText =
        new CMultiDocTemplate(kTextType, RUNTIME_CLASS(CKeyDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CKeyView));
    CMultiDocTemplate* m_pTable =
        new CMultiDocTemplate(kTableType, RUNTIME_CLASS(CKeyDoc), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CKeyView));
    CQENMDIFrameWnd* m_pFrame = new CQENMDIFrameWnd;
};

} // namespace

TEST_F(MDIKeyboardManagerTest, DocumentTablesAreReplacedForTheirFramesWithoutBreakingTablesStillInUse)
{
    CFrameWnd* pFirstText = NewDocumentFrame(m_pText);
    CFrameWnd* pSecondText = NewDocumentFrame(m_pText);
    CFrameWnd* pTable = NewDocumentFrame(m_pTable);
    ASSERT_EQ(kFind, CommandIn(pSecondText, {VK_F7}));

    // One text frame gets a table of its own; the one the text documents share stays alive.
    const ACCEL ownKeys[] = {{FVIRTKEY, VK_F9, (WORD)kFind}};
    ASSERT_TRUE(m_manager.ReloadAcceleratorTable(NULL, ownKeys, 1, pFirstText));
    EXPECT_EQ(kFind, CommandIn(pFirstText, {VK_F9}));
    EXPECT_EQ(kFind, CommandIn(pSecondText, {VK_F7}));

    // Table documents had no table: they get one, and keep it.
    const ACCEL tableKeys[] = {{FVIRTKEY, VK_F8, (WORD)kSort}};
    ASSERT_TRUE(m_manager.ReloadAcceleratorTable(m_pTable, tableKeys, 1, NULL));
    EXPECT_EQ(kSort, CommandIn(pTable, {VK_F8}));
    EXPECT_EQ(kSort, CommandIn(NewDocumentFrame(m_pTable), {VK_F8}));

    // The text frames that used the type's table follow it; the one with its own does not.
    const ACCEL textKeys[] = {{FVIRTKEY, VK_F6, (WORD)kFind}};
    ASSERT_TRUE(m_manager.ReloadAcceleratorTable(m_pText, textKeys, 1, NULL));
    EXPECT_EQ(kFind, CommandIn(pSecondText, {VK_F6}));
    EXPECT_EQ(0u, CommandIn(pSecondText, {VK_F7}));
    EXPECT_EQ(kFind, CommandIn(pFirstText, {VK_F9}));

    ASSERT_TRUE(m_manager.WriteState(NULL, NULL));
    EXPECT_EQ((std::set<std::string>{"QENKeyboard-0", "QENKeyboard-19201", "QENKeyboard-19202"}),
              SubKeysOf(Section("QENKeyboardManager")));
    m_manager.ResetAllTables();
    EXPECT_EQ(kFind, CommandIn(pSecondText, {VK_F7}));
    ASSERT_TRUE(m_manager.ReadState(NULL, NULL));
    EXPECT_EQ(kFind, CommandIn(pSecondText, {VK_F6}));
}
