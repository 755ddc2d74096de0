#include "CustomizeButton.h"
#include "QENPopupMenu.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENVisualManagerXP.h"
#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "ScreenPixels.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kToolbar = 0x3E00;        // commands 1, separator, 2; standard, cold and disabled strips
const UINT kColdStrip = 0x3E10;
const UINT kDisabledStrip = 0x3E11;
const UINT kOtherToolbar = 0x3E01;   // command 3, standard strip only
const UINT kShortToolbar = 0x3E02;   // announces more items than it holds
const UINT kFlatToolbar = 0x3E03;    // images of no width

const COLORREF kBlue = RGB(0, 0, 255);      // command 1, standard strip
const COLORREF kRed = RGB(255, 0, 0);       // command 1, cold strip
const COLORREF kYellow = RGB(255, 200, 0);  // disabled strip
const COLORREF kCyan = RGB(0, 200, 200);    // command 3, standard strip

// A frame that records the commands it receives.
class CRecordingFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

// Bars docked in a shown frame (docking on all sides), in the classic look with known colours.
class ToolBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        m_pFrame = new CRecordingFrame;
        ASSERT_TRUE(m_pFrame->Create(NULL, "toolbars", WS_OVERLAPPEDWINDOW, CRect(40, 40, 520, 340)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
    }

    void TearDown() override
    {
        for (CQENToolBar* pBar : m_bars)
            delete pBar;
        m_pFrame->DestroyWindow();
    }

    CQENToolBar* NewBar(UINT nResource, UINT nId, UINT nColdId = 0, UINT nDisabledId = 0)
    {
        CQENToolBar* pBar = new CQENToolBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                                   CRect(1, 1, 1, 1), nId));
        EXPECT_TRUE(pBar->BuildFromResource(nResource, nColdId, 0, FALSE, nDisabledId));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        return pBar;
    }

    void Dock(CQENToolBar* pBar, UINT nDockBar)
    {
        m_pFrame->DockControlBar(pBar, nDockBar);
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
    }

    // The bar as it paints itself, in a canvas of its client size.
    DibCanvas* Paint(CQENToolBar* pBar)
    {
        CRect rect;
        pBar->GetClientRect(&rect);
        m_canvas.reset(new DibCanvas(rect.Width(), rect.Height(), RGB(1, 2, 3)));
        pBar->DoPaint(&m_canvas->dc);
        return m_canvas.get();
    }

    CRecordingFrame* m_pFrame = NULL;
    std::vector<CQENToolBar*> m_bars;
    std::unique_ptr<DibCanvas> m_canvas;
};

void MoveMouseTo(CWnd* pWnd, CPoint ptClient, DWORD dwButtons = 0)
{
    CPoint pt = ptClient;
    pWnd->ClientToScreen(&pt);
    SendMouseInput(pt, dwButtons);
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 150;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void Click(CWnd* pWnd, CPoint ptDown, CPoint ptUp)
{
    MoveMouseTo(pWnd, ptDown);
    MoveMouseTo(pWnd, ptDown, MOUSEEVENTF_LEFTDOWN);
    MoveMouseTo(pWnd, ptUp);
    MoveMouseTo(pWnd, ptUp, MOUSEEVENTF_LEFTUP);
}

} // namespace

TEST_F(ToolBarTest, ResourceGivesButtonSeparatorButtonWithItsImagesAndDamagedResourcesAreRefused)
{
    NewBar(kOtherToolbar, 0xE801);
    CQENToolBar* pBar = NewBar(kToolbar, 0xE802);
    const int iOffset = CQENToolBar::s_stdImages.ResourceImageOffset(kToolbar);
    EXPECT_EQ(1, iOffset);   // after the other bar's one image

    ASSERT_EQ(3, pBar->ButtonCount());
    EXPECT_EQ(1u, pBar->ButtonAt(0)->m_nCommandId);
    EXPECT_TRUE(pBar->ButtonAt(1)->IsSeparator());
    EXPECT_EQ(2u, pBar->ButtonAt(2)->m_nCommandId);
    EXPECT_EQ(iOffset, pBar->ButtonAt(0)->GetImage());
    EXPECT_EQ(iOffset + 1, pBar->ButtonAt(2)->GetImage());
    int iMapped = -1;
    EXPECT_TRUE(CQENToolBar::s_cmdImageIndex.Lookup(2, iMapped));
    EXPECT_EQ(iOffset + 1, iMapped);

    for (UINT nDamaged : {kShortToolbar, kFlatToolbar, 0x3EFFu})
    {
        EXPECT_FALSE(pBar->BuildFromResource(nDamaged)) << nDamaged;
        EXPECT_EQ(3, pBar->ButtonCount()) << nDamaged;
    }
}

TEST_F(ToolBarTest, DestroyedBarLeavesTheListOfBarsAtOnce)
{
    CQENToolBar* pFirst = NewBar(kToolbar, 0xE801);
    CQENToolBar* pSecond = NewBar(kOtherToolbar, 0xE802);
    EXPECT_NE(nullptr, CQENToolBar::s_toolbarRegistry.Find(pFirst));
    pFirst->DestroyWindow();
    EXPECT_EQ(nullptr, CQENToolBar::s_toolbarRegistry.Find(pFirst));
    EXPECT_NE(nullptr, CQENToolBar::s_toolbarRegistry.Find(pSecond));
    delete pSecond;
    m_bars.pop_back();
    EXPECT_EQ(nullptr, CQENToolBar::s_toolbarRegistry.Find(pSecond));
}

TEST_F(ToolBarTest, DockedHorizontallyAndVerticallyButtonsRunAlongTheBar)
{
    CQENToolBar* pTop = NewBar(kToolbar, 0xE801);
    CQENToolBar* pLeft = NewBar(kToolbar, 0xE802);
    Dock(pTop, AFX_IDW_DOCKBAR_TOP);
    Dock(pLeft, AFX_IDW_DOCKBAR_LEFT);

    // Buttons are the image size (16 x 15) plus 6; a separator is 8 along the bar.
    const CRect first = pTop->GetItemRect(0), second = pTop->GetItemRect(2);
    EXPECT_EQ(CSize(22, 21), first.Size());
    EXPECT_EQ(first.right + 8, second.left);
    EXPECT_EQ(first.top, second.top);

    const CRect firstDown = pLeft->GetItemRect(0), secondDown = pLeft->GetItemRect(2);
    EXPECT_EQ(CSize(22, 21), firstDown.Size());
    EXPECT_EQ(firstDown.left, secondDown.left);
    EXPECT_EQ(firstDown.bottom + 8, secondDown.top);
    EXPECT_EQ(pTop->HitTest(first.CenterPoint()), 0);
    EXPECT_EQ(pTop->HitTest(pTop->GetItemRect(1).CenterPoint()), -1);
}

TEST_F(ToolBarTest, FloatingBarWrapsToTheLengthAskedAndEndsBelowOneRow)
{
    CQENToolBar* pBar = NewBar(kToolbar, 0xE801);
    pBar->ClearButtons();
    for (UINT nId = 1; nId <= 6; nId++)
        pBar->AddButtonAt(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE));
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(pBar, CPoint(200, 200));
    PumpPendingMessages();
    ASSERT_TRUE(pBar->IsFloating());

    const CSize sizeBorders = pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH) - CSize(6 * 22, 21);
    // Room for three buttons: two rows, 5 pixels apart.
    CSize size = pBar->CalcDynamicLayout(3 * 22 + sizeBorders.cx, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(CSize(3 * 22, 2 * 21 + 5) + sizeBorders, size);
    m_pFrame->FloatControlBar(pBar, CPoint(200, 200), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    PumpPendingMessages();
    EXPECT_EQ(pBar->GetItemRect(0).left, pBar->GetItemRect(3).left);
    EXPECT_EQ(pBar->GetItemRect(0).top + 21 + 5, pBar->GetItemRect(3).top);

    // A height of two rows takes two rows of three; one pixel, below one row, gives one row.
    size = pBar->CalcDynamicLayout(2 * 21 + 5 + sizeBorders.cy, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(CSize(3 * 22, 2 * 21 + 5) + sizeBorders, size);
    size = pBar->CalcDynamicLayout(1, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(CSize(6 * 22, 21) + sizeBorders, size);
}

TEST_F(ToolBarTest, ButtonsWithoutRoomGoToTheCustomizeButtonAndComeBackWithRoom)
{
    CQENToolBar* pBar = NewBar(kToolbar, 0xE801);
    pBar->EnableCustomizeButton(TRUE);
    for (UINT nId = 4; nId <= 9; nId++)
        pBar->AddButtonAt(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE));
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    CCustomizeButton* pCustomize = pBar->CustomizeButton();
    EXPECT_EQ(pCustomize, pBar->ButtonAt(pBar->ButtonCount() - 1));
    EXPECT_TRUE(pCustomize->m_hiddenButtons.IsEmpty());
    EXPECT_TRUE(pCustomize->m_bHidden);

    m_pFrame->SetWindowPos(NULL, 0, 0, 140, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CRect rectBar;
    pBar->GetClientRect(&rectBar);
    ASSERT_FALSE(pCustomize->m_bHidden);
    ASSERT_FALSE(pCustomize->m_hiddenButtons.IsEmpty());
    const CRect rectCustomize = pCustomize->m_rect;
    EXPECT_LE(rectCustomize.right, rectBar.right);
    EXPECT_GE(rectCustomize.right, rectBar.right - 8);
    // The hidden ones are the bar's last buttons, in order; the shown ones end before the arrow.
    int iFirstHidden = pBar->IndexOfButton(pCustomize->m_hiddenButtons.GetHead());
    POSITION pos = pCustomize->m_hiddenButtons.GetHeadPosition();
    for (int i = iFirstHidden; i < pBar->ButtonCount() - 1; i++)
        EXPECT_EQ(pBar->ButtonAt(i), pCustomize->m_hiddenButtons.GetNext(pos)) << i;
    for (int i = 0; i < iFirstHidden; i++)
        EXPECT_LE(pBar->GetItemRect(i).right, rectCustomize.left) << i;

    m_pFrame->SetWindowPos(NULL, 0, 0, 480, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    EXPECT_TRUE(pCustomize->m_hiddenButtons.IsEmpty());
    EXPECT_TRUE(pCustomize->m_bHidden);
    EXPECT_FALSE(pBar->ButtonAt(pBar->ButtonCount() - 2)->m_bHidden);
}

TEST_F(ToolBarTest, ButtonStatesPaintFromTheirStripsInTheClassicAndTheXPLook)
{
    SystemColoursScope colours;
    CQENToolBar* pOther = NewBar(kOtherToolbar, 0xE801);
    CQENToolBar* pBar = NewBar(kToolbar, 0xE802, kColdStrip, kDisabledStrip);
    Dock(pOther, AFX_IDW_DOCKBAR_TOP);
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    const CRect rect = pBar->GetItemRect(0);
    // The 8 x 8 square of an image lies 3 + 4 pixels into its 22 x 21 button.
    const CRect square(rect.left + 7, rect.top + 7, rect.left + 15, rect.top + 15);

    // Plain: the cold image, no frame.
    DibCanvas* pCanvas = Paint(pBar);
    EXPECT_EQ(64, pCanvas->Count(kRed, square));
    EXPECT_EQ(0, pCanvas->Count(kBlue, rect));
    // The bar without cold strip keeps its standard image although the cold strip has images.
    EXPECT_EQ(64, Paint(pOther)->Count(kCyan, pOther->GetItemRect(0)));

    // Highlighted: the standard image in a raised frame.
    pBar->HotButtonChanged(0);
    pCanvas = Paint(pBar);
    EXPECT_EQ(64, pCanvas->Count(kBlue, square));
    EXPECT_EQ(SystemColoursScope::kHighlight, pCanvas->Pixel(rect.left, rect.top + 10));
    EXPECT_EQ(SystemColoursScope::kShadow, pCanvas->Pixel(rect.right - 1, rect.top + 10));
    pBar->HotButtonChanged(0);   // the same again clears it
    EXPECT_EQ(-1, pBar->m_iHotIndex);

    // Pressed: sunken, the image one pixel down and right.
    pBar->SetButtonStyle(0, TBBS_PRESSED);
    pCanvas = Paint(pBar);
    EXPECT_EQ(64, pCanvas->Count(kBlue, square + CPoint(1, 1)));
    EXPECT_EQ(SystemColoursScope::kShadow, pCanvas->Pixel(rect.left, rect.top + 10));
    EXPECT_EQ(SystemColoursScope::kHighlight, pCanvas->Pixel(rect.right - 1, rect.top + 10));

    // Checked: sunken, the cold image one pixel down and right.
    pBar->SetButtonStyle(0, TBBS_CHECKED);
    pCanvas = Paint(pBar);
    EXPECT_EQ(SystemColoursScope::kShadow, pCanvas->Pixel(rect.left, rect.top + 10));
    EXPECT_EQ(64, pCanvas->Count(kRed, square + CPoint(1, 1)));

    // Disabled: the disabled strip as it is; without one, a grey image.
    pBar->SetButtonStyle(0, TBBS_DISABLED);
    EXPECT_EQ(64, Paint(pBar)->Count(kYellow, square));
    pOther->SetButtonStyle(0, TBBS_DISABLED);
    pCanvas = Paint(pOther);
    EXPECT_EQ(0, pCanvas->Count(kCyan, pOther->GetItemRect(0)));
    EXPECT_GT(pCanvas->Count(SystemColoursScope::kShadow, pOther->GetItemRect(0)), 20);

    // XP: highlighted, the interior in the hot colour inside a one-line frame, the image unshifted.
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    CQENVisualManagerXP* pXP = static_cast<CQENVisualManagerXP*>(CQENVisualManager::CurrentManager());
    pBar->SetButtonStyle(0, 0);
    pBar->HotButtonChanged(0);
    pCanvas = Paint(pBar);
    EXPECT_EQ(64, pCanvas->Count(kBlue, square));
    EXPECT_EQ(pXP->m_crHotFrame, pCanvas->Pixel(rect.left, rect.top + 10));
    EXPECT_EQ(pXP->m_crHot, pCanvas->Pixel(rect.left + 1, rect.top + 1));
    pBar->SetButtonStyle(0, TBBS_CHECKED);
    pBar->ResetHot();
    pCanvas = Paint(pBar);
    EXPECT_EQ(64, pCanvas->Count(kRed, square));   // checked, not highlighted: still the cold image
    EXPECT_EQ(pXP->m_crHotFrame, pCanvas->Pixel(rect.left, rect.top + 10));
    CQENVisualManager::SetOnDemandClass(NULL);
}

TEST_F(ToolBarTest, ClicksSendTheCommandOnReleaseOverTheButtonAndCheckBoxesToggle)
{
    CQENToolBar* pBar = NewBar(kToolbar, 0xE801);
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    const CPoint ptFirst = pBar->GetItemRect(0).CenterPoint();
    const CPoint ptSecond = pBar->GetItemRect(2).CenterPoint();

    Click(pBar, ptFirst, ptFirst);
    EXPECT_EQ(std::vector<UINT>{1}, m_pFrame->m_commands);
    EXPECT_EQ(0u, pBar->StyleAt(0) & TBBS_PRESSED);

    // Released elsewhere: nothing.
    Click(pBar, ptFirst, ptSecond);
    EXPECT_EQ(std::vector<UINT>{1}, m_pFrame->m_commands);

    pBar->SetButtonStyle(2, TBBS_CHECKBOX | TBBS_INDETERMINATE);
    Click(pBar, ptSecond, ptSecond);
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_CHECKED, pBar->StyleAt(2));
    Click(pBar, ptSecond, ptSecond);
    EXPECT_EQ((UINT)TBBS_CHECKBOX, pBar->StyleAt(2));
    EXPECT_EQ((std::vector<UINT>{1, 2, 2}), m_pFrame->m_commands);

    pBar->SetButtonStyle(0, TBBS_DISABLED);
    Click(pBar, ptFirst, ptFirst);
    EXPECT_EQ(3u, m_pFrame->m_commands.size());
}

TEST_F(ToolBarTest, TipShowsTheCommandsTipText)
{
    CQENToolBar* pBar = NewBar(kToolbar, 0xE801);
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    auto tipText = [&](CPoint ptOver) {
        MoveMouseTo(pBar, ptOver + CPoint(1, 0));
        MoveMouseTo(pBar, ptOver);
        for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 1500;)
        {
            HWND hTip = ::FindWindowA(TOOLTIPS_CLASSA, NULL);
            if (hTip != NULL && ::IsWindowVisible(hTip))
            {
                char szText[256] = "";
                TOOLINFOA ti = {};
                ti.cbSize = TTTOOLINFOA_V2_SIZE;
                ti.lpszText = szText;
                ::SendMessageA(hTip, TTM_GETCURRENTTOOLA, 0, (LPARAM)&ti);
                return std::string(szText);
            }
            PumpPendingMessages();
            ::Sleep(20);
        }
        return std::string();
    };
    EXPECT_EQ("第一个", tipText(pBar->GetItemRect(0).CenterPoint()));
    EXPECT_EQ("第二个", tipText(pBar->GetItemRect(2).CenterPoint()));
    CQENToolBar::s_bTooltipsOn = FALSE;
    EXPECT_EQ(-1, pBar->OnToolHitTest(pBar->GetItemRect(0).CenterPoint(), NULL));
    CQENToolBar::s_bTooltipsOn = TRUE;
}

TEST_F(ToolBarTest, DockedFloatingAndWrappedBarsShowTheirImagesOnTheScreen)
{
    CQENToolBar* pFirst = NewBar(kToolbar, 0xE801);
    CQENToolBar* pSecond = NewBar(kOtherToolbar, 0xE802);
    CQENToolBar* pFloating = NewBar(kOtherToolbar, 0xE803);
    CQENToolBar* pWrapped = NewBar(kOtherToolbar, 0xE804);
    for (UINT nId = 4; nId <= 8; nId++)
        pWrapped->AddButtonAt(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE));
    pWrapped->AddButtonAt(*pSecond->ButtonAt(0));
    Dock(pFirst, AFX_IDW_DOCKBAR_TOP);
    Dock(pSecond, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(pFloating, CPoint(120, 260));
    m_pFrame->FloatControlBar(pWrapped, CPoint(300, 260));
    const CSize sizeBorders = pWrapped->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH) - CSize(7 * 22, 21);
    pWrapped->CalcDynamicLayout(3 * 22 + sizeBorders.cx, LM_HORZ | LM_COMMIT);
    m_pFrame->FloatControlBar(pWrapped, CPoint(300, 260), CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    m_pFrame->RecalcLayout();
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 300;)
        PumpPendingMessages();

    // Each bar's first image (cold or standard) is on the screen where its button is.
    auto square = [](const CRect& rect) { return CRect(rect.left + 7, rect.top + 7, rect.left + 15, rect.top + 15); };
    const CRect first = square(pFirst->GetItemRect(0));
    EXPECT_EQ(64, ScreenCount(pFirst, first, kBlue) + ScreenCount(pFirst, first, kRed));
    EXPECT_EQ(64, ScreenCount(pSecond, square(pSecond->GetItemRect(0)), kCyan));
    EXPECT_EQ(64, ScreenCount(pFloating, square(pFloating->GetItemRect(0)), kCyan));
    // The wrapped bar's seventh button, its image again, is at the start of its third row.
    const CRect last = pWrapped->GetItemRect(6);
    EXPECT_EQ(pWrapped->GetItemRect(0).left, last.left);
    EXPECT_EQ(pWrapped->GetItemRect(0).top + 2 * (21 + 5), last.top);
    EXPECT_EQ(64, ScreenCount(pWrapped, square(last), kCyan));
    CRect rectWrapped;
    pWrapped->GetClientRect(&rectWrapped);
    EXPECT_GE(rectWrapped.bottom, last.bottom);
}

TEST_F(ToolBarTest, ASystemColourChangeRecoloursTheBarsAndTheirImagesAtOnce)
{
    SystemColoursScope colours;
    CQENToolBar* pOther = NewBar(kOtherToolbar, 0xE801);
    // Its cold strip is padded where the other bar's image is.
    CQENToolBar* pBar = NewBar(kToolbar, 0xE802, kColdStrip, kDisabledStrip);
    Dock(pOther, AFX_IDW_DOCKBAR_TOP);
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    const CRect rectOther = pOther->GetItemRect(0), rectCold = pBar->GetItemRect(0);
    ASSERT_EQ(64, ScreenCount(pBar, rectCold, kRed));

    const COLORREF kNewFace = RGB(90, 140, 200);
    const int nElement = COLOR_BTNFACE;
    ASSERT_TRUE(::SetSysColors(1, &nElement, &kNewFace));
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 300;)
        PumpPendingMessages();

    EXPECT_EQ(kNewFace, theDrawingCache.m_crFace);
    // A button is its image's 64 coloured pixels on the face colour, which the image's grey becomes.
    const int nFacePixels = rectCold.Width() * rectCold.Height() - 64;
    EXPECT_EQ(64, ScreenCount(pBar, rectCold, kRed));
    EXPECT_EQ(nFacePixels, ScreenCount(pBar, rectCold, kNewFace));
    EXPECT_EQ(64, ScreenCount(pOther, rectOther, kCyan));
    EXPECT_EQ(nFacePixels, ScreenCount(pOther, rectOther, kNewFace));
}

TEST_F(ToolBarTest, TheCustomizeButtonDropsDownTheHiddenButtonsThenItsCommandAndRunsTheOneChosen)
{
    // The frame handles no command: its menus would grey them all.
    m_pFrame->m_bAutoMenuEnable = FALSE;
    CQENToolBar* pBar = NewBar(kToolbar, 0xE801);
    const UINT kCustomizeCommand = 0xE900;
    pBar->EnableCustomizeButton(TRUE, kCustomizeCommand, "自定义(&C)...");
    // Commands 4 to 9 first: the resource's buttons, last, are hidden first.
    for (UINT nId = 9; nId >= 4; nId--)
        pBar->AddButtonAt(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE), 0);
    Dock(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->SetWindowPos(NULL, 0, 0, 140, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CCustomizeButton* pCustomize = pBar->CustomizeButton();
    ASSERT_TRUE(pBar->ButtonAt(pBar->IndexOfCommand(2))->m_bHidden);
    std::vector<UINT> hidden;
    for (int i = 0; i < pBar->ButtonCount() - 1; i++)
        if (pBar->ButtonAt(i)->m_bHidden && (!pBar->ButtonAt(i)->IsSeparator() || !hidden.empty()))
            hidden.push_back(pBar->ButtonAt(i)->m_nCommandId);

    Click(pBar, pCustomize->m_rect.CenterPoint(), pCustomize->m_rect.CenterPoint());
    CQENPopupMenu* pPopup = CQENPopupMenu::s_pActivePopupMenu;
    ASSERT_NE(nullptr, pPopup);
    CQENPopupMenuBar* pItems = pPopup->GetMenuBar();
    // The hidden buttons in the bar's order, command buttons by their command's text, a separator,
    // the customize command.
    std::vector<UINT> listed;
    for (int i = 0; i < pItems->ButtonCount(); i++)
        listed.push_back(pItems->ButtonAt(i)->m_nCommandId);
    hidden.push_back(0);
    hidden.push_back(kCustomizeCommand);
    EXPECT_EQ(hidden, listed);
    const int iSecond = pItems->IndexOfCommand(2);
    ASSERT_GE(iSecond, 0);
    EXPECT_EQ("第二个", std::string(pItems->TextAt(iSecond)));
    EXPECT_EQ("自定义(&C)...", std::string(pItems->TextAt(pItems->ButtonCount() - 1)));

    const CPoint ptSecond = pItems->GetItemRect(iSecond).CenterPoint();
    Click(pItems, ptSecond, ptSecond);
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 300;)
        PumpPendingMessages();
    EXPECT_EQ(std::vector<UINT>{2}, m_pFrame->m_commands);
    EXPECT_EQ(nullptr, CQENPopupMenu::s_pActivePopupMenu);
}
