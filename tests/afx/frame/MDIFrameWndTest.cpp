// MDI frames with documents of two multi-document templates, on real windows.
#include "DocViewTestSupport.h"
#include "MDIFrameWndTestResource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TextOf(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return (LPCTSTR)str;
}

// The entries the MDI client keeps at the end of a window menu, with their commands.
std::vector<std::string> ChildEntries(HMENU hWindowMenu, std::vector<UINT>* pIds = nullptr)
{
    std::vector<std::string> entries;
    for (int i = 0; i < ::GetMenuItemCount(hWindowMenu); i++)
    {
        const UINT nID = ::GetMenuItemID(hWindowMenu, i);
        if (nID < AFX_IDM_FIRST_MDICHILD || nID == (UINT)-1)
            continue;
        char szText[128] = "";
        ::GetMenuStringA(hWindowMenu, i, szText, sizeof szText, MF_BYPOSITION);
        entries.push_back(szText);
        if (pIds != nullptr)
            pIds->push_back(nID);
    }
    return entries;
}

bool EndsWith(const std::string& str, const std::string& end)
{
    return str.size() >= end.size() && str.compare(str.size() - end.size(), end.size(), end) == 0;
}

class CMDIFrameTest : public ::testing::Test
{
protected:
    CMDIFrameWnd* m_pFrame = nullptr;
    CMultiDocTemplate* m_pText = nullptr;
    CMultiDocTemplate* m_pTable = nullptr;

    void SetUp() override
    {
        HandledCommands().clear();
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDI_MAIN));
        TestApp().m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 0, 0, 640, 480, SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        m_pText = new CMultiDocTemplate(IDR_MDI_TEXT, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                        RUNTIME_CLASS(CTestView));
        m_pTable = new CMultiDocTemplate(IDR_MDI_TABLE, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                         RUNTIME_CLASS(CTestView));
    }

    void TearDown() override
    {
        m_pText->CloseAllDocuments(FALSE);
        m_pTable->CloseAllDocuments(FALSE);
        if (TestApp().m_pMainWnd != NULL)
            TestApp().m_pMainWnd->DestroyWindow();
        TestApp().m_pMainWnd = NULL;
        PumpPendingMessages();
        delete m_pText;
        delete m_pTable;
    }

    HMENU FrameMenu() const { return ::GetMenu(m_pFrame->m_hWnd); }
    HMENU WindowMenuOf(HMENU hMenu) const { return m_pFrame->GetWindowMenuPopup(hMenu); }
};

TEST_F(CMDIFrameTest, EachActiveChildPutsItsTemplatesMenuUpAndTheWindowMenuListsTheChildren)
{
    const HMENU hDefault = FrameMenu();
    ASSERT_NE(nullptr, hDefault);
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());

    CDocument* pText = m_pText->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pText);
    CMDIChildWnd* pTextChild = m_pFrame->MDIGetActive();
    ASSERT_NE(nullptr, pTextChild);
    EXPECT_EQ(pText, pTextChild->GetActiveDocument());
    EXPECT_EQ(pTextChild, m_pFrame->GetActiveFrame());
    EXPECT_EQ(m_pText->m_hMenuShared, FrameMenu());
    EXPECT_EQ("文本1", TextOf(pTextChild));
    EXPECT_EQ("多文档 - 文本1", TextOf(m_pFrame));
    EXPECT_EQ(std::vector<std::string>{"&1 文本1"}, ChildEntries(WindowMenuOf(m_pText->m_hMenuShared)));

    CDocument* pTable = m_pTable->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pTable);
    CMDIChildWnd* pTableChild = m_pFrame->MDIGetActive();
    ASSERT_NE(pTextChild, pTableChild);
    EXPECT_EQ(m_pTable->m_hMenuShared, FrameMenu());
    EXPECT_EQ("多文档 - 表格1", TextOf(m_pFrame));
    std::vector<UINT> ids;
    const std::vector<std::string> entries = ChildEntries(WindowMenuOf(m_pTable->m_hMenuShared), &ids);
    ASSERT_EQ(2u, entries.size());
    EXPECT_TRUE(EndsWith(entries[0], "文本1") || EndsWith(entries[1], "文本1"));
    EXPECT_TRUE(EndsWith(entries[0], "表格1") || EndsWith(entries[1], "表格1"));
    EXPECT_TRUE(ChildEntries(WindowMenuOf(m_pText->m_hMenuShared)).empty());

    // The child's entry in the window menu activates it; its menu comes back.
    const size_t iText = EndsWith(entries[0], "文本1") ? 0 : 1;
    m_pFrame->SendMessage(WM_COMMAND, ids[iText], 0);
    EXPECT_EQ(pTextChild, m_pFrame->MDIGetActive());
    EXPECT_EQ(m_pText->m_hMenuShared, FrameMenu());
    EXPECT_EQ("多文档 - 文本1", TextOf(m_pFrame));

    // A command goes to the active child's document.
    m_pFrame->SendMessage(WM_COMMAND, ID_TEST_DOC_ONLY, 0);
    EXPECT_EQ(std::vector<std::string>{"doc:" + std::to_string(ID_TEST_DOC_ONLY)}, HandledCommands());

    // Closing the children: the next one's menu, then the frame's own.
    pTextChild->SendMessage(WM_CLOSE);
    EXPECT_EQ(nullptr, m_pText->GetFirstDocPosition());
    EXPECT_EQ(pTableChild, m_pFrame->MDIGetActive());
    EXPECT_EQ(m_pTable->m_hMenuShared, FrameMenu());
    pTableChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(nullptr, m_pTable->GetFirstDocPosition());
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_EQ(hDefault, FrameMenu());
    EXPECT_EQ("多文档", TextOf(m_pFrame));
}

TEST_F(CMDIFrameTest, MaximizeRestoreTileAndANewWindowOfTheDocument)
{
    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    CMDIChildWnd* pFirst = m_pFrame->MDIGetActive();
    m_pFrame->MDIMaximize(pFirst);
    BOOL bMaximized = FALSE;
    EXPECT_EQ(pFirst, m_pFrame->MDIGetActive(&bMaximized));
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pFirst->IsZoomed());

    // A frame opened while the active one is maximized comes up maximized too.
    CDocument* pTable = m_pTable->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pTable);
    CMDIChildWnd* pSecond = m_pFrame->MDIGetActive(&bMaximized);
    ASSERT_NE(pFirst, pSecond);
    EXPECT_TRUE(bMaximized);
    EXPECT_TRUE(pSecond->IsZoomed());

    m_pFrame->MDIRestore(pSecond);
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);

    // Window New: a second frame of the same document, both numbered.
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW, 0);
    CMDIChildWnd* pThird = m_pFrame->MDIGetActive();
    ASSERT_NE(pSecond, pThird);
    EXPECT_EQ(pTable, pThird->GetActiveDocument());
    EXPECT_EQ("表格1:2", TextOf(pThird));
    EXPECT_EQ("表格1:1", TextOf(pSecond));

    // Tiled, the three children share the client without overlapping.
    m_pFrame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT, 0);
    CMDIChildWnd* children[] = {pFirst, pSecond, pThird};
    CRect rects[3];
    for (int i = 0; i < 3; i++)
    {
        children[i]->GetWindowRect(&rects[i]);
        EXPECT_FALSE(children[i]->IsZoomed());
        EXPECT_GT(rects[i].Width(), 0);
    }
    for (int i = 0; i < 3; i++)
        for (int j = i + 1; j < 3; j++)
        {
            CRect rectBoth;
            EXPECT_FALSE(rectBoth.IntersectRect(rects[i], rects[j])) << i << " " << j;
        }

    // MDINext moves on from the active child.
    m_pFrame->MDINext();
    EXPECT_NE(pThird, m_pFrame->MDIGetActive());
}

TEST_F(CMDIFrameTest, CtrlF4AndCtrlF6FromTheKeyboardReachTheActiveChild)
{
    m_pFrame->SetForegroundWindow();
    ASSERT_NE(nullptr, m_pText->OpenDocumentFile(NULL));
    ASSERT_NE(nullptr, m_pTable->OpenDocumentFile(NULL));
    CMDIChildWnd* pTableChild = m_pFrame->MDIGetActive();
    pTableChild->GetActiveView()->SetFocus();
    PumpPendingMessages();

    auto key = [](WORD wKey, bool bUp) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wKey;
        input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &input, sizeof(INPUT));
        for (int i = 0; i < 5; i++)
        {
            ::Sleep(10);
            PumpPendingMessages();
        }
    };
    key(VK_CONTROL, false);
    key(VK_F6, false);
    key(VK_F6, true);
    key(VK_CONTROL, true);
    CMDIChildWnd* pTextChild = m_pFrame->MDIGetActive();
    EXPECT_NE(pTableChild, pTextChild);
    EXPECT_EQ(m_pText->m_hMenuShared, FrameMenu());

    key(VK_CONTROL, false);
    key(VK_F4, false);
    key(VK_F4, true);
    key(VK_CONTROL, true);
    EXPECT_EQ(nullptr, m_pText->GetFirstDocPosition());
    EXPECT_EQ(pTableChild, m_pFrame->MDIGetActive());
}

} // namespace
