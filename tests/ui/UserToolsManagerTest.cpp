#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "QENDrawingCache.h"
#include "QENPopupMenuBar.h"
#include "QENUserToolsManager.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A tool class of the application's own; counts the objects alive.
class CCountedTool : public CQENUserTool
{
    DECLARE_SERIAL(CCountedTool)
public:
    CCountedTool() { s_nAlive++; }
    ~CCountedTool() override { s_nAlive--; }
    static int s_nAlive;
};
IMPLEMENT_SERIAL(CCountedTool, CQENUserTool, 1)
int CCountedTool::s_nAlive = 0;

// Not a tool: a stored list naming it must not make one.
class CNotATool : public CObject
{
    DECLARE_SERIAL(CNotATool)
public:
    CNotATool() { s_nMade++; }
    static int s_nMade;
};
IMPLEMENT_SERIAL(CNotATool, CObject, 1)
int CNotATool::s_nMade = 0;

namespace {

const UINT kToolsEntry = 99, kFirst = 100, kLast = 102;

std::string Word(WORD w) { return std::string(reinterpret_cast<const char*>(&w), 2); }
std::string Dword(DWORD dw) { return std::string(reinterpret_cast<const char*>(&dw), 4); }
// A tool as it stores itself: label, command, arguments, initial folder (short strings), id.
std::string Tool(const std::string& strLabel, DWORD nId, const std::string& strCommand = "",
                 const std::string& strArguments = "", const std::string& strFolder = "")
{
    std::string record;
    for (const std::string& s : {strLabel, strCommand, strArguments, strFolder})
        record += std::string(1, (char)s.size()) + s;
    return record + Dword(nId);
}

// Pieces of the framework's archive: a class named for the first time, and a further object of the
// class numbered n (classes and objects share one numbering from 1; a bare number is an object again).
std::string NewClass(const std::string& strName)
{
    return Word(0xFFFF) + Word(1) + Word((WORD)strName.size()) + strName;
}
std::string OfClass(WORD n) { return Word(0x8000 | n); }

std::vector<std::string> Labels(const CQENUserToolsManager& manager)
{
    std::vector<std::string> labels;
    for (POSITION pos = manager.GetUserTools().GetHeadPosition(); pos != NULL;)
    {
        const CQENUserTool* pTool = static_cast<const CQENUserTool*>(manager.GetUserTools().GetNext(pos));
        labels.push_back(std::string(pTool->m_strLabel) + "@" + std::to_string(pTool->m_nCmdId));
    }
    return labels;
}

// The pixels of a small-icon-sized canvas of colour crFill after draw.
std::string Drawn(const std::function<void(CDC&, const CRect&)>& draw, COLORREF crFill = RGB(255, 255, 255))
{
    DibCanvas canvas(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), crFill);
    draw(canvas.dc, CRect(0, 0, canvas.Width(), canvas.Height()));
    std::string pixels;
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            pixels += Dword(canvas.Pixel(x, y));
    return pixels;
}

// What the bars draw as the icon of a button of the command.
std::string ToolIcon(UINT nCommandId)
{
    return Drawn([=](CDC& dc, const CRect& rect) {
        CQENUserToolsQuery::s_pActive->PaintToolIcon(nCommandId, &dc, rect);
    });
}

class UserToolsManagerTest : public ::testing::Test
{
protected:
    CString Path() const { return "Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\Workspace\\"; }

    void Store(DWORD dwType, const std::string& bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegSetKeyValueA(HKEY_CURRENT_USER, Path(), "Tools", dwType, bytes.data(), (DWORD)bytes.size()));
    }

    static std::string Stored(const CString& strKey)
    {
        char buffer[1024];
        DWORD cbData = sizeof buffer;
        const LONG lResult = ::RegGetValueA(HKEY_CURRENT_USER, strKey, "Tools", RRF_RT_REG_BINARY, NULL, buffer, &cbData);
        return lResult == ERROR_SUCCESS ? std::string(buffer, cbData) : "missing";
    }

    CScratchRegistryKey m_scratch{"UserTools"};
    CQENUserToolsManager m_manager{kToolsEntry, kFirst, kLast};
};

} // namespace

TEST_F(UserToolsManagerTest, NewToolsTakeTheLowestFreeIdUntilTheRangeIsFull)
{
    EXPECT_EQ(&m_manager, g_pUserToolsManager);
    m_manager.AddNewTool()->m_strLabel = "甲";
    CQENUserTool* pSecond = m_manager.AddNewTool();
    m_manager.AddNewTool()->m_strLabel = "丙";
    ASSERT_TRUE(m_manager.DeleteTool(pSecond));
    m_manager.AddNewTool()->m_strLabel = "新";
    EXPECT_EQ(nullptr, m_manager.AddNewTool());
    EXPECT_EQ((std::vector<std::string>{"甲@100", "丙@102", "新@101"}), Labels(m_manager));
    EXPECT_FALSE(m_manager.LowerTool(m_manager.LookupTool(101)));
    EXPECT_FALSE(m_manager.RaiseTool(m_manager.LookupTool(100)));
    CQENUserTool stranger;
    EXPECT_FALSE(m_manager.DeleteTool(&stranger));
}

TEST_F(UserToolsManagerTest, DeletingAToolTakesItsButtonsOffEveryToolbar)
{
    m_manager.AddNewTool();
    CQENUserTool* pDoomed = m_manager.AddNewTool();
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "tools", WS_OVERLAPPEDWINDOW, CRect(40, 40, 400, 300)));
    CQENToolBar bars[2];
    const std::vector<UINT> contents[2] = {{101, 0x6001, 101}, {100, 101, 0x6002}};
    for (int i = 0; i < 2; i++)
    {
        ASSERT_TRUE(bars[i].CreateEx(pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), 0xE820 + i));
        for (UINT nId : contents[i])
            bars[i].AddButtonAt(CQENToolbarButton(nId, -1, "按钮"));
        bars[i].RecalcButtonLayout();
    }
    const CRect rectFirst = bars[0].ButtonAt(0)->m_rect;

    ASSERT_TRUE(m_manager.DeleteTool(pDoomed));
    ASSERT_EQ(1, bars[0].ButtonCount());
    EXPECT_EQ(0x6001u, bars[0].ButtonAt(0)->m_nCommandId);
    EXPECT_EQ(rectFirst.left, bars[0].ButtonAt(0)->m_rect.left);   // laid out anew
    ASSERT_EQ(2, bars[1].ButtonCount());
    EXPECT_EQ(100u, bars[1].ButtonAt(0)->m_nCommandId);
    EXPECT_EQ(0x6002u, bars[1].ButtonAt(1)->m_nCommandId);
    pFrame->DestroyWindow();
}

TEST_F(UserToolsManagerTest, AButtonOfAToolShowsTheProgramsIconFoundOnTheSearchPathElseTheDefault)
{
    char szSystem[MAX_PATH];
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    m_manager.AddNewTool()->SetToolCommand("cmd.exe");
    m_manager.AddNewTool()->SetToolCommand(CString(szSystem) + "\\cmd.exe");
    m_manager.AddNewTool()->SetToolCommand("QENNoSuchProgram.exe");

    const std::string strDefault = Drawn([](CDC& dc, const CRect& rect) {
        ::DrawIconEx(dc, 0, 0, theDrawingCache.SharedSmallIcon(), rect.Width(), rect.Height(), 0, NULL, DI_NORMAL);
    });
    EXPECT_TRUE(ToolIcon(101) == ToolIcon(100));
    EXPECT_FALSE(strDefault == ToolIcon(100));
    EXPECT_TRUE(strDefault == ToolIcon(102));
    // A button left over from a tool that is gone is no tool's and draws no icon.
    m_manager.DeleteTool(m_manager.LookupTool(101));
    EXPECT_FALSE(CQENToolbarButton::IsUserToolCommand(101));
    EXPECT_TRUE(Drawn([](CDC&, const CRect&) {}) == ToolIcon(101));
}

TEST_F(UserToolsManagerTest, AToolRunsItsProgramWithItsArgumentsInItsFolderAndNothingElseRuns)
{
    CScratchFolder folder;
    CQENUserTool* pTool = m_manager.AddNewTool();
    pTool->m_strArguments = "/c cd > ran.txt";
    pTool->m_strInitialDirectory = folder.Folder();
    EXPECT_FALSE(m_manager.RunToolCommand(kFirst));   // no program yet
    EXPECT_FALSE(m_manager.RunToolCommand(kLast));    // no tool holds it
    EXPECT_FALSE(m_manager.RunToolCommand(kToolsEntry));
    pTool->SetToolCommand("C:\\QENNowhere\\none.exe");
    EXPECT_FALSE(m_manager.RunToolCommand(kFirst));

    pTool->SetToolCommand("cmd.exe");
    ASSERT_TRUE(m_manager.RunToolCommand(kFirst));
    std::string strRan;
    for (int i = 0; i < 200 && strRan.find('\n') == std::string::npos; i++, ::Sleep(50))
        strRan = folder.Contents("ran.txt");
    EXPECT_EQ(0u, strRan.find(std::string(folder.Folder()))) << strRan;
}

TEST_F(UserToolsManagerTest, AMenuShowsTheToolsInPlaceOfTheirPlaceholder)
{
    m_manager.AddNewTool()->m_strLabel = "记事本";
    m_manager.AddNewTool()->m_strLabel = "计算器";
    m_manager.RaiseTool(m_manager.LookupTool(101));
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, 0x6001, "&Alpha");
    ::AppendMenuA(hMenu, MF_STRING, kToolsEntry, "用户自定义的工具(&<)");
    ::AppendMenuA(hMenu, MF_STRING, 0x6002, "&Bravo");
    CQENPopupMenuBar menu;
    ASSERT_TRUE(menu.BuildFromMenuHandle(hMenu, TRUE));
    ::DestroyMenu(hMenu);
    std::vector<std::string> items;
    for (int i = 0; i < menu.ButtonCount(); i++)
    {
        const CQENToolbarButton* pItem = menu.ButtonAt(i);
        items.push_back(pItem->IsSeparator() ? "-"
                                             : std::string(pItem->m_strLabel) + "@" + std::to_string(pItem->m_nCommandId));
    }
    EXPECT_EQ((std::vector<std::string>{"&Alpha@24577", "-", "计算器@101", "记事本@100", "-", "&Bravo@24578"}), items);
}

TEST_F(UserToolsManagerTest, TheListIsStoredInItsArchivedFormAndReadBack)
{
    m_manager.AddNewTool();
    CQENUserTool* pTool = m_manager.AddNewTool();
    pTool->m_strLabel = "记事本";
    pTool->SetToolCommand("notepad.exe");
    pTool->m_strArguments = "readme.txt";
    pTool->m_strInitialDirectory = "C:\\";
    m_manager.LowerTool(m_manager.LookupTool(kFirst));
    ASSERT_TRUE(m_manager.WriteState(Path()));
    ASSERT_TRUE(m_manager.WriteState(NULL));
    const std::string expected =
        Word(2) + NewClass("CQENUserTool") + Tool("记事本", 101, "notepad.exe", "readme.txt", "C:\\") + OfClass(1) +
        Tool("", 100);
    EXPECT_EQ(expected, Stored(Path()));
    EXPECT_EQ(expected, Stored("Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\App\\QENUserToolsManager\\"));

    ASSERT_TRUE(m_manager.ReadState(Path()));
    EXPECT_EQ((std::vector<std::string>{"记事本@101", "@100"}), Labels(m_manager));
    pTool = m_manager.LookupTool(101);
    EXPECT_EQ("notepad.exe|readme.txt|C:\\",
              pTool->GetCommand() + "|" + pTool->m_strArguments + "|" + pTool->m_strInitialDirectory);
}

TEST_F(UserToolsManagerTest, AStoredListKeepsOnlyToolsOfTheToolClassWithUnusedIdsOfTheRange)
{
    Store(REG_BINARY, Word(7) + NewClass("CCountedTool") + Tool("A", 100) + OfClass(1) + Tool("same id", 100) +
                          OfClass(1) + Tool("outside", 103) + NewClass("CQENUserTool") + Tool("base class", 101) +
                          Word(2) /* A again */ + OfClass(1) + Tool("B", 102) + OfClass(1) + Tool("C", 101));

    CQENUserToolsManager manager(kToolsEntry, kFirst, kLast, RUNTIME_CLASS(CCountedTool));
    ASSERT_TRUE(manager.ReadState(Path()));
    EXPECT_EQ((std::vector<std::string>{"A@100", "B@102", "C@101"}), Labels(manager));
    EXPECT_EQ(3, CCountedTool::s_nAlive);
}

TEST_F(UserToolsManagerTest, ADamagedStoredListLeavesNoTools)
{
    const std::string two = Word(2) + NewClass("CQENUserTool") + Tool("one", 100) + OfClass(1) + Tool("two", 101);
    const std::pair<DWORD, std::string> damaged[] = {
        {REG_BINARY, two.substr(0, two.size() - 3)},
        {REG_BINARY, std::string("\x05\x00\xFF\xFF\x01\x00\x7F\x00garbage", 15)},
        {REG_BINARY, std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6)},
        {REG_SZ, two},
        {REG_BINARY, Word(2) + NewClass("CQENUserTool") + Tool("one", 100) + NewClass("CNotATool")},
        {REG_BINARY, Word(1) + NewClass("CNoSuchClass") + Tool("one", 100)}};

    EXPECT_FALSE(m_manager.ReadState(Path()));   // nothing stored yet
    for (const auto& value : damaged)
    {
        m_manager.AddNewTool();
        Store(value.first, value.second);
        EXPECT_FALSE(m_manager.ReadState(Path())) << &value - damaged;
        EXPECT_EQ(0, m_manager.ToolCount()) << &value - damaged;
    }
    EXPECT_EQ(0, CNotATool::s_nMade);
}

TEST_F(UserToolsManagerTest, AToolsIconGoesToTheClipboardOrTheUserIsTold)
{
    CQENUserTool* pTool = m_manager.AddNewTool();
    pTool->SetToolCommand("cmd.exe");
    CWnd* pSavedMain = TestApp().m_pMainWnd;
    CMessageBoxRecorder boxes;
    TestApp().m_pMainWnd = NULL;   // no window to own the clipboard
    EXPECT_FALSE(pTool->PutIconOnClipboard());
    CTestTopWindow owner;
    ASSERT_TRUE(owner.CreateHidden());
    TestApp().m_pMainWnd = &owner;
    EXPECT_TRUE(pTool->PutIconOnClipboard());
    TestApp().m_pMainWnd = pSavedMain;
    EXPECT_EQ(std::vector<UINT>{16010}, boxes.m_promptIDs);

    ASSERT_TRUE(owner.OpenClipboard());
    HBITMAP hPasted = (HBITMAP)::GetClipboardData(CF_BITMAP);
    const std::string strPasted = Drawn([hPasted](CDC& dc, const CRect& rect) {
        dc.DrawState(CPoint(0, 0), rect.Size(), hPasted, DST_BITMAP);
    });
    ::CloseClipboard();
    const auto paintIcon = [pTool](CDC& dc, const CRect& rect) { pTool->PaintToolIcon(&dc, rect); };
    EXPECT_TRUE(Drawn(paintIcon, theDrawingCache.m_crFace) == strPasted);
}
