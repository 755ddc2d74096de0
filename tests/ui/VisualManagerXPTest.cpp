#include "QENVisualManagerXP.h"
#include "LookCanvas.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

namespace {

// Derived by hand from the system colours of SystemColoursScope (window W = 255, 255, 255; face F
// = 212, 208, 200; shadow 128; highlight H = 10, 36, 106):
const COLORREF kMenuFace = RGB(249, 248, 247);    // W scaled by 0.976, 0.973, 0.969
const COLORREF kImageStrip = RGB(217, 214, 208);  // 98 % of (W + 3F) / 4 = 222, 219, 213
const COLORREF kLightBar = RGB(248, 245, 238);    // 112 % of the same
const COLORREF kHot = RGB(180, 189, 214);         // 107 % of (H + 2 menu face) / 3 = 169, 177, 200
const COLORREF kHotPressed = RGB(157, 164, 186);  // the hot colour scaled by 0.87
const COLORREF kSeparator = RGB(182, 179, 172);   // F scaled by 0.86

const COLORREF F = SystemColoursScope::kFace;
const COLORREF H = SystemColoursScope::kSelection;

class XPLookTest : public ::testing::Test
{
protected:
    void SetUp() override { CQENVisualManager::SetOnDemandClass(NULL); }
    void TearDown() override { CQENVisualManager::SetOnDemandClass(NULL); }

    SystemColoursScope m_colours;
};

TEST_F(XPLookTest, MixedColoursShowInBarsButtonsMenusAndFrames)
{
    CQENVisualManagerXP manager;
    LookCanvas canvas(40, 30);
    manager.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 30), CRect());
    EXPECT_EQ(1200, canvas.Count(kImageStrip));
    CStatusBar frameworkBar;
    manager.PaintBarBackground(&canvas.dc, &frameworkBar, CRect(0, 0, 40, 30), CRect());
    EXPECT_EQ(1200, canvas.Count(F));

    const CRect rect(5, 5, 28, 27);
    manager.PaintButtonInterior(&canvas.dc, NULL, rect, CQENVisualManager::ButtonHighlighted);
    manager.PaintButtonFrame(&canvas.dc, NULL, rect, CQENVisualManager::ButtonHighlighted);
    EXPECT_EQ(21 * 20, canvas.Count(kHot));
    EXPECT_EQ(2 * 23 + 2 * 20, canvas.Count(H, rect));
    manager.PaintButtonInterior(&canvas.dc, NULL, rect, CQENVisualManager::ButtonPressed);
    EXPECT_EQ(21 * 20, canvas.Count(kHotPressed));
    manager.PaintButtonInterior(&canvas.dc, NULL, CRect(0, 0, 40, 30), CQENVisualManager::ButtonNormal);
    manager.PaintButtonFrame(&canvas.dc, NULL, CRect(0, 0, 40, 30), CQENVisualManager::ButtonNormal);
    EXPECT_EQ(21 * 20, canvas.Count(kHotPressed));
    EXPECT_EQ(F, canvas.Pixel(0, 0));

    COLORREF crText = RGB(1, 2, 3);
    manager.PaintMenuItemHighlight(&canvas.dc, NULL, rect, crText);
    EXPECT_EQ(21 * 20, canvas.Count(kHot));
    EXPECT_EQ(H, canvas.Pixel(5, 10));
    EXPECT_EQ(RGB(0, 0, 0), crText) << "every channel of the hot colour is above 128";

    manager.PaintSeparator(&canvas.dc, NULL, CRect(0, 0, 10, 30), TRUE);
    EXPECT_EQ(30, canvas.Count(kSeparator, CRect(5, 0, 6, 30)));
    EXPECT_EQ(30, canvas.Count(kSeparator));

    manager.PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 40, 30));
    EXPECT_EQ(SystemColoursScope::kDarkShadow, canvas.Pixel(20, 0));
    EXPECT_EQ(kMenuFace, canvas.Pixel(20, 1));
    EXPECT_EQ(kMenuFace, canvas.Pixel(38, 15));
    EXPECT_EQ(28, canvas.Count(kImageStrip, CRect(1, 0, 2, 30)));

    manager.PaintTab(&canvas.dc, CRect(0, 0, 40, 30), 0, FALSE, NULL);
    EXPECT_EQ(kLightBar, canvas.Pixel(20, 15));
    manager.PaintTab(&canvas.dc, CRect(0, 0, 40, 30), 0, TRUE, NULL);
    EXPECT_EQ(kMenuFace, canvas.Pixel(20, 15));
}

TEST_F(XPLookTest, GripperStripesAndRarelyUsedImageColumn)
{
    CQENVisualManagerXP manager;
    LookCanvas canvas(10, 30);
    manager.PaintGripper(&canvas.dc, CRect(0, 0, 10, 30), TRUE, NULL);
    // Stripes across the gripper of a horizontal bar, in an area 4 pixels narrower and 6 shorter.
    const COLORREF crStripe = canvas.Pixel(5, 10), crGap = canvas.Pixel(5, 11);
    EXPECT_NE(crStripe, crGap);
    EXPECT_EQ(3 * 6, canvas.Count(crStripe, CRect(2, 10, 8, 16)));
    EXPECT_EQ(3 * 6, canvas.Count(crGap, CRect(2, 10, 8, 16)));
    EXPECT_EQ(6 * 24, canvas.Count(crStripe, CRect(2, 3, 8, 27)) + canvas.Count(crGap, CRect(2, 3, 8, 27)));
    EXPECT_EQ(300 - 6 * 24, canvas.Count(RGB(255, 255, 255)));

    LookCanvas across(30, 10);
    manager.PaintGripper(&across.dc, CRect(0, 0, 30, 10), FALSE, NULL);
    EXPECT_NE(across.Pixel(10, 5), across.Pixel(11, 5));
    EXPECT_EQ(across.Pixel(10, 2), across.Pixel(10, 7));
    EXPECT_EQ(300 - 24 * 6, across.Count(RGB(255, 255, 255)));

    LookCanvas menu(40, 10, RGB(200, 100, 50));
    manager.PaintRarelyUsedBand(&menu.dc, CRect(0, 0, 40, 10));
    // The image column, 16 + 6 pixels wide, darkened to 94 %.
    EXPECT_EQ(220, menu.Count(RGB(188, 94, 47)));
    EXPECT_EQ(RGB(188, 94, 47), menu.Pixel(21, 5));
    EXPECT_EQ(RGB(200, 100, 50), menu.Pixel(22, 5));
}

TEST_F(XPLookTest, PaletteDisplayUsesTheSystemColoursUnmixed)
{
    CQENVisualManagerXP manager;
    const int nScreenBits = theDrawingCache.m_nScreenBits;
    theDrawingCache.m_nScreenBits = 8;
    manager.RecomputeColours();
    theDrawingCache.m_nScreenBits = nScreenBits;

    LookCanvas canvas(40, 30);
    manager.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 30), CRect());
    EXPECT_EQ(1200, canvas.Count(F));
    manager.PaintSeparator(&canvas.dc, NULL, CRect(0, 0, 10, 30), TRUE);
    EXPECT_EQ(30, canvas.Count(SystemColoursScope::kShadow));
    COLORREF crText = 0;
    manager.PaintMenuItemHighlight(&canvas.dc, NULL, CRect(10, 0, 40, 30), crText);
    EXPECT_EQ(28 * 28, canvas.Count(F, CRect(11, 1, 39, 29)));
    manager.PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 40, 30));
    EXPECT_EQ(SystemColoursScope::kWindow, canvas.Pixel(20, 1));
    EXPECT_EQ(28, canvas.Count(F, CRect(1, 0, 2, 30)));
}

TEST_F(XPLookTest, ChangedSystemColoursReachTheCurrentManagerThroughTheDrawingCache)
{
    CQENVisualManagerXP manager;
    SystemColoursScope::Set(COLOR_BTNFACE, RGB(100, 150, 200));
    SystemColoursScope::Set(COLOR_WINDOW, RGB(60, 60, 60));
    SystemColoursScope::Set(COLOR_HIGHLIGHT, RGB(200, 0, 50));
    // Menu face: W scaled = 59, 58, 58. (W + 3F) / 4 = 90, 127, 165, of which 98 % is the image
    // column. Hot: 107 % of (H + 2 menu face) / 3 = 106, 38, 55; pressed: that scaled by 0.87.
    const COLORREF crImageStrip = RGB(88, 124, 161), crHot = RGB(113, 40, 58), crHotPressed = RGB(98, 35, 50);
    LookCanvas canvas(40, 30);
    manager.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 30), CRect());
    EXPECT_EQ(1200, canvas.Count(crImageStrip));
    manager.PaintSeparator(&canvas.dc, NULL, CRect(0, 0, 10, 30), TRUE);
    EXPECT_EQ(30, canvas.Count(RGB(86, 129, 172))) << "F scaled by 0.86";
    manager.PaintButtonInterior(&canvas.dc, NULL, CRect(10, 0, 20, 10), CQENVisualManager::ButtonPressed);
    EXPECT_EQ(64, canvas.Count(crHotPressed));

    COLORREF crText = RGB(1, 2, 3);
    manager.PaintMenuItemHighlight(&canvas.dc, NULL, CRect(20, 0, 40, 10), crText);
    EXPECT_EQ(18 * 8, canvas.Count(crHot));
    EXPECT_EQ(2 * 20 + 2 * 8, canvas.Count(RGB(200, 0, 50)));
    EXPECT_EQ(RGB(255, 255, 255), crText) << "the channels of the hot colour are 128 or less";
    manager.PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 40, 30));
    EXPECT_EQ(RGB(59, 58, 58), canvas.Pixel(20, 1));
}

TEST_F(XPLookTest, MenuButtonFrameGrowsAwayFromTheFrameEdgeOfItsDockedBar)
{
    CQENVisualManagerXP manager;
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "dock site", WS_OVERLAPPEDWINDOW));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(pFrame));
    struct Case
    {
        DWORD dwAlign;
        CRect rectGrown;
    };
    const Case cases[] = {{CBRS_ALIGN_TOP, CRect(10, 10, 30, 34)},
                          {CBRS_ALIGN_BOTTOM, CRect(10, 6, 30, 30)},
                          {CBRS_ALIGN_LEFT, CRect(10, 10, 34, 30)},
                          {CBRS_ALIGN_RIGHT, CRect(6, 10, 30, 30)},
                          {CBRS_ALIGN_TOP | CBRS_FLOATING, CRect(10, 10, 30, 30)}};
    for (const Case& c : cases)
    {
        bar.SetBarStyle(c.dwAlign);
        CRect rect(10, 10, 30, 30);
        manager.GrowTowardDockSide(&bar, rect);
        EXPECT_EQ(c.rectGrown, rect) << std::hex << c.dwAlign;
    }
    CStatusBar barWithoutSite;
    barWithoutSite.SetBarStyle(CBRS_ALIGN_TOP);
    CRect rect(10, 10, 30, 30);
    manager.GrowTowardDockSide(&barWithoutSite, rect);
    EXPECT_EQ(CRect(10, 10, 30, 30), rect);
    pFrame->DestroyWindow();
}

} // namespace
