#include "CustomizeButton.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"
#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "ScreenPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const UINT kToolbar = 0x3E00;        // commands 1, separator, 2
const UINT kOtherToolbar = 0x3E01;   // command 3

// The command ids of a bar from left to right, 0 for a separator, without the customize button.
std::vector<UINT> Commands(const CQENToolBar* pBar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->ButtonCount(); i++)
        if (pBar->ButtonAt(i) != pBar->CustomizeButton())
            ids.push_back(pBar->ButtonAt(i)->m_nCommandId);
    return ids;
}

CPoint ScreenPoint(CWnd* pWnd, CPoint ptClient)
{
    pWnd->ClientToScreen(&ptClient);
    return ptClient;
}

CPoint Centre(CQENToolBar* pBar, UINT nCommandId)
{
    return ScreenPoint(pBar, pBar->ButtonAt(pBar->IndexOfCommand(nCommandId))->m_rect.CenterPoint());
}

void SendMouse(CPoint ptScreen, DWORD dwButtons)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (ptScreen.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(120);
}

void SendKey(WORD wKey, BOOL bUp)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(60);
}

// The input of one drag, sent from a second thread: the drag loop is modal on this one.
struct DragInput
{
    CPoint ptFrom;
    CPoint ptTo;
    WORD wHeldKey;     // 0 or VK_MENU: held from before the click
    WORD wDropKey;     // 0 or VK_CONTROL: pressed over the target, held at the release
};

DWORD WINAPI SendDrag(LPVOID pParam)
{
    const DragInput& drag = *static_cast<const DragInput*>(pParam);
    SendMouse(drag.ptFrom, 0);
    // Alt counts at the click.
    if (drag.wHeldKey != 0)
        SendKey(drag.wHeldKey, FALSE);
    SendMouse(drag.ptFrom, MOUSEEVENTF_LEFTDOWN);
    // Out of the start rectangle first, then to the target in steps the drag loop sees.
    const CPoint ptStep = drag.ptTo - drag.ptFrom;
    for (int n = 1; n <= 4; n++)
        SendMouse(drag.ptFrom + CPoint(ptStep.x * n / 4, ptStep.y * n / 4 + (n < 4 ? 1 : 0)), 0);
    SendMouse(drag.ptTo, 0);
    // Wine takes the modifier keys back to the X server's state when the pointer moves, so a key
    // that only this input holds counts from the last move on.
    if (drag.wDropKey != 0)
        SendKey(drag.wDropKey, FALSE);
    SendMouse(drag.ptTo, MOUSEEVENTF_LEFTUP);
    for (WORD wKey : {drag.wDropKey, drag.wHeldKey})
        if (wKey != 0)
            SendKey(wKey, TRUE);
    return 0;
}

// A right click on a button and, once its menu is open, the key of one of its items.
struct MenuChoiceInput
{
    CPoint ptButton;
    WORD wKey;
};

DWORD WINAPI SendMenuChoice(LPVOID pParam)
{
    const MenuChoiceInput& choice = *static_cast<const MenuChoiceInput*>(pParam);
    SendMouse(choice.ptButton, 0);
    SendMouse(choice.ptButton, MOUSEEVENTF_RIGHTDOWN);
    SendMouse(choice.ptButton, MOUSEEVENTF_RIGHTUP);
    ::Sleep(300);
    SendKey(choice.wKey, FALSE);
    SendKey(choice.wKey, TRUE);
    return 0;
}

// A button as wide as it is stretched, as a combo box is.
class CStretchButton : public CQENToolbarButton
{
    DECLARE_DYNCREATE(CStretchButton)
public:
    CStretchButton() : CQENToolbarButton(7, -1, "伸缩") {}
    BOOL IsStretchable() const override { return TRUE; }
    void ResizeWidth(int nWidth) override { m_nWidth = nWidth; }
    CSize MeasureButton(CDC*, CSize sizeDefault, BOOL) override { return CSize(m_nWidth, sizeDefault.cy); }
    void AssignFrom(const CQENToolbarButton& source) override
    {
        CQENToolbarButton::AssignFrom(source);
        if (source.IsKindOf(RUNTIME_CLASS(CStretchButton)))
            m_nWidth = static_cast<const CStretchButton&>(source).m_nWidth;
    }
    int m_nWidth = 60;
};
IMPLEMENT_DYNCREATE(CStretchButton, CQENToolbarButton)

class ToolBarCustomizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        CQENVisualManager::SetOnDemandClass(NULL);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "customize", WS_OVERLAPPEDWINDOW, CRect(40, 40, 600, 400)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFirst = NewBar(kToolbar, 0xE810);
        m_pSecond = NewBar(kOtherToolbar, 0xE811);
        m_pFrame->DockControlBar(m_pFirst, AFX_IDW_DOCKBAR_TOP);
        CRect rectFirst;
        m_pFrame->RecalcLayout();
        m_pFirst->GetWindowRect(&rectFirst);
        // The second bar in the same row, right of the first.
        m_pFrame->DockControlBar(m_pSecond, AFX_IDW_DOCKBAR_TOP, CRect(rectFirst.right + 40, rectFirst.top,
                                                                     rectFirst.right + 80, rectFirst.bottom));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }

    void TearDown() override
    {
        CQENToolBar::SwitchCustomizeMode(FALSE);
        m_pFrame->DestroyWindow();
        for (CQENToolBar* pBar : m_bars)
            delete pBar;
        ::OleUninitialize();
    }

    CQENToolBar* NewBar(UINT nResource, UINT nId, BOOL bLocked = FALSE)
    {
        CQENToolBar* pBar = new CQENToolBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                                   CRect(1, 1, 1, 1), nId));
        EXPECT_TRUE(pBar->BuildFromResource(nResource, 0, 0, bLocked));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }

    void Drag(CPoint ptFrom, CPoint ptTo, WORD wHeldKey = 0, WORD wDropKey = 0)
    {
        DragInput drag = {ptFrom, ptTo, wHeldKey, wDropKey};
        SendInputAndWait(SendDrag, &drag);
    }

    // Chooses the item with the mnemonic wKey from the menu of the bar's button of the command.
    void ChooseFromButtonMenu(CQENToolBar* pBar, UINT nCommandId, WORD wKey)
    {
        MenuChoiceInput choice = {Centre(pBar, nCommandId), wKey};
        SendInputAndWait(SendMenuChoice, &choice);
    }

    // pfnSend sends its input from a second thread while this one runs what it starts.
    void SendInputAndWait(LPTHREAD_START_ROUTINE pfnSend, void* pInput)
    {
        HANDLE hThread = ::CreateThread(NULL, 0, pfnSend, pInput, 0, NULL);
        ASSERT_TRUE(hThread != NULL);
        while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpPendingMessages();
        ::CloseHandle(hThread);
        for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 200;)
        {
            PumpPendingMessages();
            ::Sleep(10);
        }
    }

    CFrameWnd* m_pFrame = NULL;
    CQENToolBar* m_pFirst = NULL;
    CQENToolBar* m_pSecond = NULL;
    std::vector<CQENToolBar*> m_bars;
};

} // namespace

TEST_F(ToolBarCustomizeTest, ButtonsMoveBetweenBarsAndGoWhenDroppedOffEveryBar)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    EXPECT_FALSE(CQENToolBar::SwitchCustomizeMode(TRUE));

    // Command 2 onto the right half of command 3: after it.
    Drag(Centre(m_pFirst, 2), Centre(m_pSecond, 3) + CPoint(4, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 2}), Commands(m_pSecond));
    // The bar clicked on holds the selection.
    EXPECT_EQ(m_pFirst, CQENToolBar::s_pCustomizeSelBar);

    // Into the frame's empty client area, away from every bar: gone.
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    Drag(Centre(m_pSecond, 2), ScreenPoint(m_pFrame, rectClient.CenterPoint() + CPoint(0, 60)));
    EXPECT_EQ((std::vector<UINT>{3}), Commands(m_pSecond));
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(m_pFirst));

    // Leaving customize mode drops the selection.
    EXPECT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));
    EXPECT_EQ(NULL, CQENToolBar::s_pCustomizeSelBar);
}

TEST_F(ToolBarCustomizeTest, DroppedBackOnItsOwnPlaceSixPixelsStartOrEndAGroupAndTheButtonMovesOnce)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    const CPoint ptTwo = Centre(m_pFirst, 2);

    Drag(ptTwo, ptTwo - CPoint(5, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    // Six back ends the group: the separator before it goes.
    Drag(ptTwo, ptTwo - CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    // Six back again: the button before it is no separator and stays.
    const CPoint ptTwoNow = Centre(m_pFirst, 2);
    Drag(ptTwoNow, ptTwoNow - CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    Drag(ptTwoNow, ptTwoNow + CPoint(5, 0));
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    // Six forward starts a group.
    Drag(ptTwoNow, ptTwoNow + CPoint(6, 0));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));

    // Onto the left half of its neighbour, which is still its own place: the button stays, once.
    const CQENToolbarButton* pSeparator = m_pFirst->ButtonAt(1);
    Drag(Centre(m_pFirst, 1), ScreenPoint(m_pFirst, CPoint(pSeparator->m_rect.left + 1, pSeparator->m_rect.CenterPoint().y)));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    // Past the end of its bar: moved there, once.
    Drag(Centre(m_pFirst, 1), Centre(m_pFirst, 2) + CPoint(4, 0));
    EXPECT_EQ((std::vector<UINT>{0, 2, 1}), Commands(m_pFirst));
}

TEST_F(ToolBarCustomizeTest, ALockedBarRefusesDropsAndAltDragsOutsideCustomizeMode)
{
    CQENToolBar* pLocked = NewBar(kOtherToolbar, 0xE812, TRUE);
    m_pFrame->DockControlBar(pLocked, AFX_IDW_DOCKBAR_BOTTOM);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();

    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    Drag(Centre(m_pFirst, 1), Centre(pLocked, 3));
    EXPECT_EQ((std::vector<UINT>{3}), Commands(pLocked));
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(FALSE));

    // Alt held: the click drags instead of running the command.
    Drag(Centre(m_pFirst, 1), Centre(m_pSecond, 3) + CPoint(4, 0), VK_MENU);
    EXPECT_EQ((std::vector<UINT>{0, 2}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 1}), Commands(m_pSecond));
}

TEST_F(ToolBarCustomizeTest, CtrlDragCopiesTheButton)
{
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    Drag(Centre(m_pFirst, 2), Centre(m_pSecond, 3) + CPoint(4, 0), 0, VK_CONTROL);
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    EXPECT_EQ((std::vector<UINT>{3, 2}), Commands(m_pSecond));
}

TEST_F(ToolBarCustomizeTest, TheButtonMenuChangesTheButtonRightClicked)
{
    const COLORREF kOwnImage[] = {RGB(0, 0, 255), RGB(255, 0, 0)};      // command 1, standard or cold
    const COLORREF kOtherImage[] = {RGB(0, 160, 0), RGB(255, 0, 255)};  // command 2
    auto imagePixels = [&](UINT nCommandId, const COLORREF (&crImage)[2]) {
        const CRect rect = m_pFirst->ButtonAt(m_pFirst->IndexOfCommand(nCommandId))->m_rect;
        return ScreenCount(m_pFirst, rect, crImage[0]) + ScreenCount(m_pFirst, rect, crImage[1]);
    };
    auto width = [&](UINT nCommandId) { return m_pFirst->GetItemRect(m_pFirst->IndexOfCommand(nCommandId)).Width(); };
    // The clipboard's owner.
    AfxGetApp()->m_pMainWnd = m_pFrame;
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    ASSERT_EQ(22, width(1));

    ChooseFromButtonMenu(m_pFirst, 1, 'T');
    EXPECT_EQ(0, imagePixels(1, kOwnImage));
    EXPECT_EQ("第一个", std::string(m_pFirst->TextAt(0)));
    const int nTextWidth = width(1);
    EXPECT_GT(nTextWidth, 22);
    ChooseFromButtonMenu(m_pFirst, 1, 'A');
    EXPECT_EQ(64, imagePixels(1, kOwnImage));
    EXPECT_GT(width(1), nTextWidth);
    ChooseFromButtonMenu(m_pFirst, 1, 'I');
    EXPECT_EQ(64, imagePixels(1, kOwnImage));
    EXPECT_EQ(22, width(1));

    // Another image, not recorded for the command: the reset brings the command's own back.
    CQENToolbarButton::s_bRegisterImages = FALSE;
    m_pFirst->ButtonAt(0)->SetImageIndex(m_pFirst->ButtonAt(2)->GetImage());
    CQENToolbarButton::s_bRegisterImages = TRUE;
    m_pFirst->RecalcButtonLayout();
    PumpPendingMessages();
    ASSERT_EQ(64, imagePixels(1, kOtherImage));
    ChooseFromButtonMenu(m_pFirst, 1, 'R');
    EXPECT_EQ(64, imagePixels(1, kOwnImage));

    ASSERT_TRUE(::OpenClipboard(m_pFrame->m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    ChooseFromButtonMenu(m_pFirst, 1, 'C');
    ASSERT_TRUE(::OpenClipboard(m_pFrame->m_hWnd));
    HBITMAP hCopied = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    DibCanvas copied(16, 15);
    CDC dcCopied;
    dcCopied.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = hCopied != NULL ? ::SelectObject(dcCopied.m_hDC, hCopied) : NULL;
    ::BitBlt(copied.dc.GetSafeHdc(), 0, 0, 16, 15, dcCopied.m_hDC, 0, 0, SRCCOPY);
    if (hOld != NULL)
        ::SelectObject(dcCopied.m_hDC, hOld);
    ::CloseClipboard();
    EXPECT_EQ(64, copied.Count(kOwnImage[0]));

    // The first button can start no group; the last one's separator goes and comes back.
    ChooseFromButtonMenu(m_pFirst, 1, 'S');
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));
    ChooseFromButtonMenu(m_pFirst, 2, 'S');
    EXPECT_EQ((std::vector<UINT>{1, 2}), Commands(m_pFirst));
    ChooseFromButtonMenu(m_pFirst, 2, 'S');
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(m_pFirst));

    ChooseFromButtonMenu(m_pFirst, 2, 'D');
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(m_pFirst));
    EXPECT_EQ(-1, m_pFirst->m_iCustomizeSel);
    AfxGetApp()->m_pMainWnd = NULL;
}

TEST_F(ToolBarCustomizeTest, AStretchableButtonDraggedNearItsRightEdgeIsResizedAndStaysInPlace)
{
    m_pFirst->AddButtonAt(CStretchButton());
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    ASSERT_TRUE(CQENToolBar::SwitchCustomizeMode(TRUE));
    const CRect rect = m_pFirst->GetItemRect(m_pFirst->IndexOfCommand(7));
    ASSERT_EQ(60, rect.Width());

    // Six pixels inside the edge: stretched by the distance dragged.
    const CPoint ptEdge = ScreenPoint(m_pFirst, CPoint(rect.right - 6, rect.CenterPoint().y));
    Drag(ptEdge, ptEdge + CPoint(20, 0));
    EXPECT_EQ(80, m_pFirst->GetItemRect(m_pFirst->IndexOfCommand(7)).Width());
    EXPECT_EQ((std::vector<UINT>{1, 0, 2, 7}), Commands(m_pFirst));
    EXPECT_EQ(rect.left, m_pFirst->GetItemRect(m_pFirst->IndexOfCommand(7)).left);
}
