#include "GuiTestSupport.h"
#include "MouseInput.h"
#include "QENCaptionBar.h"
#include "QENDrawingCache.h"
#include "QENToolBar.h"
#include "QENVisualManager.h"
#include "QENVisualManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const UINT kBarId = 32816;
const UINT kButtonCommand = 0x6310;
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kImageColour = RGB(0, 128, 0);

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

// A frame that records the commands and the context-menu requests its bars send it.
class CRecordingFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<std::pair<WPARAM, CPoint>> m_menuRequests;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kButtonCommand)
        {
            m_commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == QENM_TOOLBAR_POPUPMENU)
        {
            m_menuRequests.emplace_back(wParam, CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A 20 x 12 bitmap: a green square in the middle of a magenta field.
HBITMAP MakeImage()
{
    CClientDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, 20, 12);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    dc.FillSolidRect(0, 0, 20, 12, kMagenta);
    dc.FillSolidRect(6, 2, 8, 8, kImageColour);
    ::SelectObject(dc.m_hDC, hOld);
    return hBitmap;
}

class CaptionBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        ASSERT_TRUE(m_frame.Create(NULL, "caption bar test", WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 300)));
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, &m_frame, kBarId, -1));
        m_hImage = MakeImage();
        m_frame.ShowWindow(SW_SHOW);
        m_frame.RecalcLayout();
        ::SetForegroundWindow(m_frame.m_hWnd);
        PumpFor(100);
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd != NULL)
            m_frame.DestroyWindow();
        ::DeleteObject(m_hImage);
        SendMouseInput(CPoint(1, 1));
        PumpPendingMessages();
    }

    CRect ClientRect() const
    {
        CRect rect;
        m_bar.GetClientRect(&rect);
        return rect;
    }
    int TextWidth(const CString& str)
    {
        CClientDC dc(&m_bar);
        CFont* pOld = dc.SelectObject(&theDrawingCache.m_fontMenu);
        const int cx = dc.GetTextExtent(str).cx;
        dc.SelectObject(pOld);
        return cx;
    }
    CPoint ScreenPoint(CPoint ptClient) const
    {
        m_bar.ClientToScreen(&ptClient);
        return ptClient;
    }
    void Press(CPoint ptClient)
    {
        SendMouseInput(ScreenPoint(ptClient));
        PumpFor(60);
        SendMouseInput(ScreenPoint(ptClient), MOUSEEVENTF_LEFTDOWN);
        PumpFor(60);
    }
    void MoveAndRelease(CPoint ptClient)
    {
        SendMouseInput(ScreenPoint(ptClient));
        PumpFor(60);
        SendMouseInput(ScreenPoint(ptClient), MOUSEEVENTF_LEFTUP);
        PumpFor(100);
    }

    CRecordingFrame m_frame;
    CQENCaptionBar m_bar;
    HBITMAP m_hImage = NULL;
};

} // namespace

TEST_F(CaptionBarTest, ElementsArePlacedByTheirAlignmentsInsideTheMarginAndTheImageShowsWithoutItsTransparentColour)
{
    const int nMargin = 4, nSpacing = 8, nBorder = 4;
    m_bar.SetMargin(nMargin);
    m_bar.SetSpacing(nSpacing);
    m_bar.SetBorderSize(nBorder);
    m_bar.SetFlatBorder(TRUE);
    m_bar.SetButton("Options", kButtonCommand, CQENCaptionBar::AlignLeft, TRUE);
    m_bar.SetText("Caption message", CQENCaptionBar::AlignCentre);
    m_bar.SetBitmap(m_hImage, kMagenta, FALSE, CQENCaptionBar::AlignRight);
    m_frame.RecalcLayout();
    PumpFor(100);

    // The bar's height: the two border strips, two margins and the taller of image and text.
    CDC dcScreen;
    dcScreen.CreateCompatibleDC(NULL);
    CFont* pOld = dcScreen.SelectObject(&theDrawingCache.m_fontMenu);
    TEXTMETRICA tm;
    dcScreen.GetTextMetrics(&tm);
    dcScreen.SelectObject(pOld);
    CRect rectWindow;
    m_bar.GetWindowRect(&rectWindow);
    EXPECT_EQ(2 * nBorder + 2 * nMargin + std::max<int>(12, tm.tmHeight + 2), rectWindow.Height());
    EXPECT_EQ(rectWindow.Height() - 2 * nBorder, ClientRect().Height());

    const CRect rectClient = ClientRect();
    const CRect rectButton = m_bar.ButtonRect();
    const CRect rectImage = m_bar.ImageRect();
    const CRect rectText = m_bar.TextRect();
    EXPECT_EQ(rectClient.left + nMargin, rectButton.left);
    EXPECT_EQ(TextWidth("Options") + 2 * nSpacing + CQENCaptionBar::kArrowWidth, rectButton.Width());
    EXPECT_EQ(rectClient.right - nMargin, rectImage.right);
    EXPECT_EQ(CSize(20, 12), rectImage.Size());
    EXPECT_EQ(TextWidth("Caption message"), rectText.Width());
    // Centred in what the button and the image leave.
    const int nFreeLeft = rectButton.right + nSpacing, nFreeRight = rectImage.left - nSpacing;
    EXPECT_NEAR((nFreeLeft + nFreeRight) / 2, rectText.CenterPoint().x, 1);
    EXPECT_NEAR(rectClient.CenterPoint().y, rectText.CenterPoint().y, 1);

    // The image where its rectangle is; the magenta field lets the background through.
    CClientDC dc(&m_bar);
    EXPECT_EQ(kImageColour, dc.GetPixel(rectImage.left + 10, rectImage.top + 6));
    const COLORREF crField = dc.GetPixel(rectImage.left + 1, rectImage.top + 1);
    EXPECT_NE(kMagenta, crField);
    EXPECT_EQ(dc.GetPixel(rectImage.left - 2, rectImage.top + 1), crField);

    // A long text on the right is clipped by the right-aligned image and stays inside the margin.
    m_bar.SetText("A message long enough to run under the image on the right side of the bar and beyond it",
                  CQENCaptionBar::AlignRight);
    m_frame.RecalcLayout();
    CRect rectCommon;
    EXPECT_FALSE(rectCommon.IntersectRect(m_bar.TextRect(), m_bar.ImageRect()));
    EXPECT_FALSE(rectCommon.IntersectRect(m_bar.TextRect(), m_bar.ButtonRect()));
    EXPECT_GE(m_bar.TextRect().left, rectClient.left + nMargin);
}

TEST_F(CaptionBarTest, TheButtonSendsItsCommandOnlyWhenReleasedOnItAndARightClickAsksForTheMenu)
{
    m_bar.SetButton("Go", kButtonCommand, CQENCaptionBar::AlignLeft);
    m_bar.SetText("Text", CQENCaptionBar::AlignRight);
    m_frame.RecalcLayout();
    PumpFor(100);
    const CRect rectButton = m_bar.ButtonRect();
    ASSERT_FALSE(rectButton.IsRectEmpty());
    const CPoint ptOff(rectButton.right + 40, rectButton.CenterPoint().y);

    Press(rectButton.CenterPoint());
    MoveAndRelease(ptOff);
    EXPECT_TRUE(m_frame.m_commands.empty());

    Press(rectButton.CenterPoint());
    MoveAndRelease(rectButton.CenterPoint() + CPoint(1, 0));
    EXPECT_EQ(std::vector<UINT>{kButtonCommand}, m_frame.m_commands);

    m_bar.EnableButton(FALSE);
    Press(rectButton.CenterPoint());
    MoveAndRelease(rectButton.CenterPoint());
    EXPECT_EQ(1u, m_frame.m_commands.size());

    SendMouseInput(ScreenPoint(ptOff));
    PumpFor(60);
    SendMouseInput(ScreenPoint(ptOff), MOUSEEVENTF_RIGHTDOWN);
    SendMouseInput(ScreenPoint(ptOff), MOUSEEVENTF_RIGHTUP);
    PumpFor(100);
    ASSERT_EQ(1u, m_frame.m_menuRequests.size());
    EXPECT_EQ((WPARAM)m_bar.m_hWnd, m_frame.m_menuRequests[0].first);
    EXPECT_EQ(ScreenPoint(ptOff), m_frame.m_menuRequests[0].second);
}

TEST_F(CaptionBarTest, SetFontIsKeptAnsweredAndLaysTheBarOutAgain)
{
    m_bar.SetButton("Options", kButtonCommand, CQENCaptionBar::AlignLeft);
    const int cxMenuFont = m_bar.ButtonRect().Width();
    CFont fontLarge;
    ASSERT_TRUE(fontLarge.CreatePointFont(200, "Arial"));
    m_bar.SendMessage(WM_SETFONT, (WPARAM)fontLarge.m_hObject);
    EXPECT_EQ((LRESULT)fontLarge.m_hObject, m_bar.SendMessage(WM_GETFONT));
    EXPECT_GT(m_bar.ButtonRect().Width(), cxMenuFont);
    m_bar.SendMessage(WM_SETFONT, 0);
}

TEST_F(CaptionBarTest, TheHotButtonIsRaisedInTheClassicLookAndFilledWithTheHotColourInTheXPLook)
{
    m_bar.SetButton("Options", kButtonCommand, CQENCaptionBar::AlignLeft);
    m_frame.RecalcLayout();
    PumpFor(100);
    const CRect rectButton = m_bar.ButtonRect();
    CClientDC dc(&m_bar);
    const COLORREF crFace = dc.GetPixel(rectButton.left + 3, rectButton.top + 3);

    SendMouseInput(ScreenPoint(rectButton.CenterPoint()));
    PumpFor(150);
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), dc.GetPixel(rectButton.left, rectButton.top + 3));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), dc.GetPixel(rectButton.right - 1, rectButton.top + 3));
    EXPECT_EQ(crFace, dc.GetPixel(rectButton.left + 3, rectButton.top + 3));

    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    CQENVisualManagerXP* pXP = DYNAMIC_DOWNCAST(CQENVisualManagerXP, CQENVisualManager::CurrentManager());
    ASSERT_NE(nullptr, pXP);
    m_bar.RedrawWindow();
    EXPECT_EQ(pXP->m_crHot, dc.GetPixel(rectButton.left + 3, rectButton.top + 3));
    EXPECT_EQ(pXP->m_crHotFrame, dc.GetPixel(rectButton.left, rectButton.top + 3));
    SendMouseInput(ScreenPoint(CPoint(rectButton.right + 60, rectButton.CenterPoint().y)));
    PumpFor(150);
    EXPECT_EQ(crFace, dc.GetPixel(rectButton.left + 3, rectButton.top + 3));
    CQENVisualManager::SetOnDemandClass(NULL);
}

TEST_F(CaptionBarTest, EachElementTakesEachAlignment)
{
    const int nMargin = 3, nSpacing = 6;
    m_bar.SetMargin(nMargin);
    m_bar.SetSpacing(nSpacing);
    m_bar.SetButton("Go", kButtonCommand);
    m_bar.SetText("Message");
    m_bar.SetBitmap(m_hImage, kMagenta);
    m_frame.RecalcLayout();
    PumpFor(100);
    const int L = CQENCaptionBar::AlignLeft, R = CQENCaptionBar::AlignRight, C = CQENCaptionBar::AlignCentre;
    const int alignments[][3] = {{L, C, R}, {L, R, C}, {C, L, R}, {C, R, L}, {R, L, C}, {R, C, L}};
    for (const int* pAlign : alignments)
    {
        SCOPED_TRACE(testing::Message() << "button " << pAlign[0] << " text " << pAlign[1] << " image " << pAlign[2]);
        m_bar.SetAlignments(pAlign[0], pAlign[1], pAlign[2]);
        m_bar.UpdateWindow();
        const CRect rects[3] = {m_bar.ButtonRect(), m_bar.TextRect(), m_bar.ImageRect()};
        const CRect rectClient = ClientRect();
        const CRect* pLeft = &rects[std::find(pAlign, pAlign + 3, L) - pAlign];
        const CRect* pRight = &rects[std::find(pAlign, pAlign + 3, R) - pAlign];
        const CRect* pCentre = &rects[std::find(pAlign, pAlign + 3, C) - pAlign];
        EXPECT_EQ(rectClient.left + nMargin, pLeft->left);
        EXPECT_EQ(rectClient.right - nMargin, pRight->right);
        EXPECT_NEAR((pLeft->right + nSpacing + pRight->left - nSpacing) / 2, pCentre->CenterPoint().x, 1);
        EXPECT_EQ(TextWidth("Go") + 2 * nSpacing, rects[0].Width());
        EXPECT_EQ(TextWidth("Message"), rects[1].Width());
        EXPECT_EQ(CSize(20, 12), rects[2].Size());
        CClientDC dc(&m_bar);
        EXPECT_EQ(kImageColour, dc.GetPixel(rects[2].left + 10, rects[2].top + 6)) << "the image drawn where it is placed";
    }
}
