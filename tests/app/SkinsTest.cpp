#include "DibCanvas.h"
#include "GradientBarSkin.h"
#include "GradientButtonSkin.h"
#include "MacSkin.h"
#include "MacStyleSkin.h"
#include "QENDrawingCache.h"
#include "SilverRingSkin.h"
#include "StyleOneSkin.h"
#include "resource.h"
#include "../ui/SystemColoursScope.h"

#include <gtest/gtest.h>

namespace {

typedef CQENVisualManager VM;
typedef SystemColoursScope SC;

const COLORREF kPaper = RGB(1, 254, 3);
const COLORREF kWhite = RGB(255, 255, 255);

// Band i of the library's 64-band gradient: (start * 64 + i * (end - start)) >> 6 in each channel.
COLORREF Band(COLORREF crStart, COLORREF crEnd, int i)
{
    auto channel = [i](int nStart, int nEnd) { return (nStart * 64 + i * (nEnd - nStart)) >> 6; };
    return RGB(channel(GetRValue(crStart), GetRValue(crEnd)), channel(GetGValue(crStart), GetGValue(crEnd)),
               channel(GetBValue(crStart), GetBValue(crEnd)));
}

// Every pixel of the row y from x0 on shows the bands of the gradient, nWidth pixels to a band.
void ExpectBandsAlongRow(const DibCanvas& canvas, int x0, int y, int nWidth, COLORREF crStart, COLORREF crEnd)
{
    for (int i = 0; i < 64; i++)
        for (int k = 0; k < nWidth; k++)
            ASSERT_EQ(Band(crStart, crEnd, i), canvas.Pixel(x0 + i * nWidth + k, y)) << "band " << i;
}

// The same bands up the column x, from the row yBottom on.
void ExpectBandsUpColumn(const DibCanvas& canvas, int x, int yBottom, COLORREF crStart, COLORREF crEnd)
{
    for (int i = 0; i < 64; i++)
        ASSERT_EQ(Band(crStart, crEnd, i), canvas.Pixel(x, yBottom - i)) << "band " << i;
}

class SkinTest : public ::testing::Test
{
protected:
    void SetUp() override { CQENVisualManager::SetOnDemandClass(NULL); }
    void TearDown() override { CQENVisualManager::SetOnDemandClass(NULL); }

    SystemColoursScope m_colours;
};

TEST_F(SkinTest, StyleOneShadesBarsTabsGrippersAndMenuItemsBandByBand)
{
    CStyleOneSkin skin;
    DibCanvas bar(128, 40, kPaper);
    // The gradient spans the bar; only the clip rectangle is painted.
    skin.PaintBarBackground(&bar.dc, NULL, CRect(0, 0, 128, 20), CRect(64, 0, 128, 20));
    EXPECT_EQ(64 * 20, bar.Count(kPaper, CRect(0, 0, 64, 20)));
    EXPECT_EQ(Band(CStyleOneSkin::s_crLightBlue, kWhite, 32), bar.Pixel(64, 10));
    skin.PaintTabStripBackground(&bar.dc, CRect(0, 20, 128, 40), NULL);
    ExpectBandsAlongRow(bar, 0, 30, 2, CStyleOneSkin::s_crLightBlue, kWhite);

    // Grippers shrink by 4 across and 3 along, shade from white to green along the bar and cast a
    // shadow, cut at the gripper's edge.
    DibCanvas across(80, 40, kPaper);
    skin.PaintGripper(&across.dc, CRect(0, 0, 72, 40), TRUE, NULL);
    ExpectBandsAlongRow(across, 4, 20, 1, kWhite, CStyleOneSkin::s_crGreen);
    EXPECT_EQ(kPaper, across.Pixel(3, 20));
    EXPECT_NE(kPaper, across.Pixel(70, 20));
    EXPECT_EQ(8 * 40, across.Count(kPaper, CRect(72, 0, 80, 40)));
    DibCanvas down(40, 72, kPaper);
    skin.PaintGripper(&down.dc, CRect(0, 0, 40, 72), FALSE, NULL);
    ExpectBandsUpColumn(down, 20, 67, kWhite, CStyleOneSkin::s_crGreen);

    DibCanvas menu(130, 20, kPaper);
    COLORREF crText = kPaper;
    skin.PaintMenuItemHighlight(&menu.dc, NULL, CRect(0, 0, 130, 20), crText);
    ExpectBandsAlongRow(menu, 1, 10, 2, kWhite, CStyleOneSkin::s_crGreen);
    EXPECT_EQ(kPaper, menu.Pixel(0, 10));
    EXPECT_EQ(kPaper, menu.Pixel(64, 1));
    EXPECT_EQ(RGB(0, 0, 0), crText);

    // The separator's etched line keeps 2 pixels off the ends of its rectangle.
    DibCanvas separator(10, 30, kPaper);
    skin.PaintSeparator(&separator.dc, NULL, CRect(0, 0, 10, 30), TRUE);
    EXPECT_EQ(26, separator.Count(SC::kShadow, CRect(4, 0, 5, 30)));
    EXPECT_EQ(26, separator.Count(SC::kHighlight, CRect(5, 0, 6, 30)));
    EXPECT_EQ(SC::kShadow, separator.Pixel(4, 2));
}

TEST_F(SkinTest, GradientButtonShadesAndFramesButtonsInsideTheirEdgeAndMenuItemsBlue)
{
    CGradientButtonSkin skin;
    DibCanvas canvas(130, 24, kPaper);
    skin.PaintButtonInterior(&canvas.dc, NULL, CRect(0, 0, 130, 24), VM::ButtonHighlighted);
    ExpectBandsAlongRow(canvas, 1, 12, 2, SC::kLight, SC::kWindow);
    EXPECT_EQ(kPaper, canvas.Pixel(0, 12));
    skin.PaintButtonInterior(&canvas.dc, NULL, CRect(0, 0, 130, 24), VM::ButtonNormal);
    ExpectBandsAlongRow(canvas, 1, 12, 2, SC::kHighlight, SC::kFace);

    DibCanvas frames(30, 24, kPaper);
    skin.PaintButtonFrame(&frames.dc, NULL, CRect(0, 0, 30, 24), VM::ButtonNormal);
    EXPECT_EQ(30 * 24, frames.Count(kPaper));
    skin.PaintButtonFrame(&frames.dc, NULL, CRect(0, 0, 30, 24), VM::ButtonPressed);
    EXPECT_EQ(SC::kDarkShadow, frames.Pixel(1, 10));
    EXPECT_EQ(SC::kHighlight, frames.Pixel(28, 10));
    EXPECT_EQ(kPaper, frames.Pixel(0, 10));
    skin.PaintButtonFrame(&frames.dc, NULL, CRect(0, 0, 30, 24), VM::ButtonHighlighted);
    EXPECT_EQ(SC::kHighlight, frames.Pixel(10, 1));
    EXPECT_EQ(SC::kDarkShadow, frames.Pixel(10, 22));

    DibCanvas menu(128, 20, kPaper);
    COLORREF crText = kPaper;
    skin.PaintMenuItemHighlight(&menu.dc, NULL, CRect(0, 0, 128, 20), crText);
    ExpectBandsAlongRow(menu, 0, 10, 2, CGradientButtonSkin::s_crSteelBlue, CGradientButtonSkin::s_crSkyBlue);
    EXPECT_EQ(kWhite, crText);
}

TEST_F(SkinTest, GradientBarShadesAcrossTheBarByItsDockSideAndKeepsTheClassicEdges)
{
    CGradientBarSkin skin;
    DibCanvas canvas(64, 64, kPaper);
    skin.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 20, 64), CRect());
    ExpectBandsUpColumn(canvas, 10, 63, SC::kFace, SC::kHighlight);
    CStatusBar bar;
    bar.SetBarStyle(CBRS_ALIGN_BOTTOM);
    skin.PaintBarBackground(&canvas.dc, &bar, CRect(20, 0, 40, 64), CRect());
    ExpectBandsUpColumn(canvas, 30, 63, SC::kFace, SC::kHighlight);
    bar.SetBarStyle(CBRS_ALIGN_LEFT);
    skin.PaintBarBackground(&canvas.dc, &bar, CRect(0, 0, 64, 20), CRect());
    ExpectBandsAlongRow(canvas, 0, 10, 1, SC::kFace, SC::kHighlight);

    bar.SetBarStyle(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    CRect rect(0, 0, 64, 64);
    skin.PaintBarEdges(&canvas.dc, &bar, rect);
    EXPECT_EQ(CRect(1, 1, 63, 63), rect);
    EXPECT_EQ(SC::kHighlight, canvas.Pixel(0, 30));
    EXPECT_EQ(SC::kHighlight, canvas.Pixel(30, 0));
    EXPECT_EQ(SC::kShadow, canvas.Pixel(63, 30));
    EXPECT_EQ(SC::kShadow, canvas.Pixel(30, 63));
}

TEST_F(SkinTest, SilverRingDrawsEveryButtonAsARingPlateByStateWithoutFrame)
{
    CSilverRingSkin skin;
    EXPECT_EQ(CSize(10, 10), skin.ExtraButtonMargin());
    struct Case
    {
        VM::ButtonState state;
        COLORREF crFill, crLitRim, crFarRim;
    };
    const Case cases[] = {{VM::ButtonPressed, SC::kShadow, SC::kHighlight, SC::kDarkShadow},
                          {VM::ButtonHighlighted, SC::kHighlight, SC::kShadow, SC::kDarkShadow},
                          {VM::ButtonNormal, SC::kHighlight, SC::kShadow, SC::kShadow}};
    for (const Case& c : cases)
    {
        DibCanvas canvas(40, 24, kPaper);
        skin.PaintButtonInterior(&canvas.dc, NULL, CRect(0, 0, 40, 24), c.state);
        skin.PaintButtonFrame(&canvas.dc, NULL, CRect(0, 0, 40, 24), c.state);
        EXPECT_EQ(c.crFill, canvas.Pixel(20, 12)) << c.state;
        EXPECT_EQ(c.crLitRim, canvas.Pixel(20, 1)) << c.state;
        EXPECT_EQ(c.crFarRim, canvas.Pixel(20, 22)) << c.state;
        // One pixel in from the button's edge; the corners outside the plate keep the bar.
        EXPECT_EQ(40 + 40 + 22 + 22, canvas.Count(kPaper) - canvas.Count(kPaper, CRect(1, 1, 39, 23))) << c.state;
        EXPECT_EQ(kPaper, canvas.Pixel(1, 1)) << c.state;
    }
}

// Skins 6 to 8 keep the XP look's unmixed colours on a display with a palette.
TEST_F(SkinTest, XPSkinsUseTheSystemColoursUnmixedOnAPaletteDisplay)
{
    const int nScreenBits = theDrawingCache.m_nScreenBits;
    theDrawingCache.m_nScreenBits = 8;
    CSilverRingSkin silverRing;
    CGradientButtonSkin gradientButton;
    CGradientBarSkin gradientBar;
    theDrawingCache.m_nScreenBits = nScreenBits;
    for (CQENVisualManagerXP* pSkin : std::vector<CQENVisualManagerXP*>{&silverRing, &gradientButton, &gradientBar})
    {
        SCOPED_TRACE(pSkin->GetRuntimeClass()->m_lpszClassName);
        DibCanvas canvas(40, 30, kPaper);
        pSkin->PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 40, 30));
        EXPECT_EQ(SC::kWindow, canvas.Pixel(20, 1));
        EXPECT_EQ(28, canvas.Count(SC::kFace, CRect(1, 0, 2, 30)));
        pSkin->PaintSeparator(&canvas.dc, NULL, CRect(0, 0, 10, 30), TRUE);
        EXPECT_EQ(30, canvas.Count(SC::kShadow, CRect(5, 0, 6, 30)));
        if (pSkin != &gradientBar)
        {
            pSkin->PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 30), CRect());
            EXPECT_EQ(1200, canvas.Count(SC::kFace));
        }
        if (pSkin != &gradientButton)
        {
            COLORREF crText = 0;
            pSkin->PaintMenuItemHighlight(&canvas.dc, NULL, CRect(0, 0, 40, 30), crText);
            EXPECT_EQ(38 * 28, canvas.Count(SC::kFace, CRect(1, 1, 39, 29)));
        }
    }
}

// A bitmap resource of the program, whose pixels a test reads.
struct Artwork
{
    CBitmap bitmap;   // before dc: the DC goes first
    CDC dc;

    explicit Artwork(UINT nResource)
    {
        bitmap.LoadBitmap(nResource);
        dc.CreateCompatibleDC(NULL);
        dc.SelectObject(&bitmap);
    }

    // The bitmap tiled over rect of a canvas of the paper colour, where the artwork's classic grey
    // background shows the paper.
    std::function<COLORREF(int, int)> TiledOverPaper(CSize sizeTile, CRect rect)
    {
        return [this, sizeTile, rect](int x, int y) {
            if (!rect.PtInRect(CPoint(x, y)))
                return kPaper;
            COLORREF cr = dc.GetPixel((x - rect.left) % sizeTile.cx, (y - rect.top) % sizeTile.cy);
            return cr == RGB(192, 192, 192) ? kPaper : cr;
        };
    }
};

TEST_F(SkinTest, MacTilesItsGripperAndShowsItsCloseButtonsFromTheProgramsBitmaps)
{
    CMacSkin skin;
    Artwork gripper(IDB_MAC_GRIPPER), close(IDB_MAC_CLOSE), closeHot(IDB_MAC_CLOSE_HOT);
    ASSERT_TRUE(gripper.bitmap.GetSafeHandle() && close.bitmap.GetSafeHandle() && closeHot.bitmap.GetSafeHandle());

    DibCanvas across(12, 40, kPaper);
    skin.PaintGripper(&across.dc, CRect(0, 0, 12, 40), TRUE, NULL);
    EXPECT_EQ("", across.Mismatches(gripper.TiledOverPaper(CSize(9, 9), CRect(2, 4, 10, 36))));
    DibCanvas down(40, 12, kPaper);
    skin.PaintGripper(&down.dc, CRect(0, 0, 40, 12), FALSE, NULL);
    EXPECT_EQ("", down.Mismatches(gripper.TiledOverPaper(CSize(9, 9), CRect(4, 2, 36, 10))));

    struct Case
    {
        BOOL bPressed, bHot;
        Artwork& image;
        CPoint ptImage;
    };
    const Case cases[] = {{FALSE, FALSE, close, CPoint(2, 2)},
                          {FALSE, TRUE, closeHot, CPoint(2, 2)},
                          {TRUE, FALSE, closeHot, CPoint(2, 2)},
                          {TRUE, TRUE, closeHot, CPoint(3, 3)}};
    for (const Case& c : cases)
    {
        DibCanvas canvas(24, 24, kPaper);
        skin.DrawCaptionButton(&canvas.dc, {CPoint(0, 0), 19, c.bPressed, c.bHot, FALSE}, FALSE, FALSE, FALSE);
        EXPECT_EQ("", canvas.Mismatches(c.image.TiledOverPaper(CSize(13, 13), CRect(c.ptImage, CSize(13, 13)))))
            << c.bPressed << c.bHot;
    }
}

// GDI handles held until only a few hundred are left, so that a drawing that leaks them runs out.
class GdiHandleShortage
{
public:
    explicit GdiHandleShortage(size_t nLeft)
    {
        while (HBITMAP hBitmap = ::CreateBitmap(1, 1, 1, 1, NULL))
            m_held.push_back(hBitmap);
        for (size_t i = 0; i < nLeft && !m_held.empty(); i++)
        {
            ::DeleteObject(m_held.back());
            m_held.pop_back();
        }
    }
    ~GdiHandleShortage()
    {
        for (HBITMAP hBitmap : m_held)
            ::DeleteObject(hBitmap);
    }

private:
    std::vector<HBITMAP> m_held;
};

// A skin that loaded a bitmap again on each drawing, or left one behind when it went, would use up
// the handles left long before these loops end.
TEST_F(SkinTest, MacLoadsEachBitmapOnceAndReleasesItWithTheSkin)
{
    DibCanvas canvas(24, 24, kPaper);
    Artwork gripper(IDB_MAC_GRIPPER);
    const int nMoreThanTheHandlesLeft = 800;
    GdiHandleShortage shortage(nMoreThanTheHandlesLeft / 2);
    auto drawAll = [&canvas](CMacSkin& skin) {
        skin.PaintGripper(&canvas.dc, CRect(0, 0, 12, 24), TRUE, NULL);
        skin.DrawCaptionButton(&canvas.dc, {CPoint(0, 0), 19, FALSE, FALSE, FALSE}, FALSE, FALSE, FALSE);
        skin.DrawCaptionButton(&canvas.dc, {CPoint(0, 0), 19, FALSE, TRUE, FALSE}, FALSE, FALSE, FALSE);
    };
    {
        CMacSkin skin;
        for (int i = 0; i < nMoreThanTheHandlesLeft; i++)
            drawAll(skin);
    }
    for (int i = 0; i < nMoreThanTheHandlesLeft; i++)
    {
        CMacSkin skin;
        drawAll(skin);
    }

    CMacSkin skin;
    DibCanvas after(12, 40, kPaper);
    skin.PaintGripper(&after.dc, CRect(0, 0, 12, 40), TRUE, NULL);
    EXPECT_EQ("", after.Mismatches(gripper.TiledOverPaper(CSize(9, 9), CRect(2, 4, 10, 36))));
}

TEST_F(SkinTest, MacFillsBarsLightGreyAndRoundsButtonsInItsMixedColoursWhichFollowTheSystem)
{
    CMacSkin skin;
    DibCanvas canvas(40, 30, kPaper);
    skin.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 30), CRect(0, 0, 20, 30));
    EXPECT_EQ(600, canvas.Count(CMacSkin::s_crLightGrey));
    skin.PaintTabStripBackground(&canvas.dc, CRect(0, 0, 40, 30), NULL);
    EXPECT_EQ(1200, canvas.Count(CMacSkin::s_crLightGrey));
    skin.PaintSeparator(&canvas.dc, NULL, CRect(0, 0, 40, 30), TRUE);
    EXPECT_EQ(1200, canvas.Count(CMacSkin::s_crLightGrey));

    const CRect rect(0, 0, 30, 24);
    skin.PaintButtonInterior(&canvas.dc, NULL, rect, VM::ButtonHighlighted);
    skin.PaintButtonFrame(&canvas.dc, NULL, rect, VM::ButtonHighlighted);
    EXPECT_EQ(SC::kHighlight, canvas.Pixel(15, 12));
    EXPECT_EQ(SC::kShadow, canvas.Pixel(15, 0));
    EXPECT_EQ(CMacSkin::s_crLightGrey, canvas.Pixel(0, 0)) << "rounded corner";
    // Pressed: the face halfway between background and shadow, the rim halfway between shadow and
    // dark shadow.
    skin.PaintButtonInterior(&canvas.dc, NULL, rect, VM::ButtonPressed);
    skin.PaintButtonFrame(&canvas.dc, NULL, rect, VM::ButtonPressed);
    EXPECT_EQ(RGB(174, 174, 174), canvas.Pixel(15, 12));
    EXPECT_EQ(RGB(96, 96, 96), canvas.Pixel(15, 0));

    SystemColoursScope::Set(COLOR_BTNSHADOW, RGB(100, 0, 0));
    skin.PaintButtonInterior(&canvas.dc, NULL, rect, VM::ButtonPressed);
    skin.PaintButtonFrame(&canvas.dc, NULL, rect, VM::ButtonPressed);
    EXPECT_EQ(RGB(160, 110, 110), canvas.Pixel(15, 12));
    EXPECT_EQ(RGB(82, 32, 32), canvas.Pixel(15, 0));
}

TEST_F(SkinTest, MacStyleRulesBarsAndMenusAndHighlightsInItsColours)
{
    CMacStyleSkin skin;
    EXPECT_TRUE(skin.m_bFlatLook);
    EXPECT_EQ(CSize(8, 8), skin.ExtraButtonMargin());
    DibCanvas canvas(130, 24, kPaper);
    const COLORREF crBack = CMacStyleSkin::s_crBackground;
    // Bars: a white rule every fourth row; popup menus: white, a background rule every fourth row,
    // in a frame of the border colour.
    skin.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 16, 16), CRect());
    EXPECT_EQ("", canvas.Mismatches([&](int x, int y) { return x >= 16 || y >= 16 ? kPaper : y % 4 == 3 ? kWhite : crBack; }));
    skin.PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 20, 16));
    EXPECT_EQ(CMacStyleSkin::s_crBorder, canvas.Pixel(0, 5));
    EXPECT_EQ(CMacStyleSkin::s_crBorder, canvas.Pixel(19, 15));
    EXPECT_EQ(crBack, canvas.Pixel(5, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5));

    COLORREF crText = kPaper;
    skin.PaintMenuItemHighlight(&canvas.dc, NULL, CRect(0, 0, 130, 24), crText);
    EXPECT_EQ(130 * 24, canvas.Count(CMacStyleSkin::s_crSelectionBlue));
    EXPECT_EQ(kWhite, crText);
    skin.PaintRarelyUsedBand(&canvas.dc, CRect(0, 0, 130, 24));
    EXPECT_EQ(130 * 24, canvas.Count(CMacStyleSkin::s_crSelectionBlue));
    EXPECT_EQ(CMacStyleSkin::s_crHighlightText, skin.ButtonTextColour(NULL, VM::ButtonHighlighted));
    EXPECT_EQ(CMacStyleSkin::s_crText, skin.ButtonTextColour(NULL, VM::ButtonNormal));

    crText = kPaper;
    EXPECT_TRUE(skin.PaintPushButtonFace(&canvas.dc, NULL, CRect(0, 0, 128, 24), crText));
    ExpectBandsAlongRow(canvas, 0, 12, 2, crBack, CMacStyleSkin::s_crLightBlueGrey);
    EXPECT_EQ(CMacStyleSkin::s_crText, crText);

    // A hot button is a white ring plate in the border colour, one pixel inside its rectangle.
    DibCanvas button(30, 24, kPaper);
    skin.PaintButtonInterior(&button.dc, NULL, CRect(0, 0, 30, 24), VM::ButtonHighlighted);
    skin.PaintButtonFrame(&button.dc, NULL, CRect(0, 0, 30, 24), VM::ButtonHighlighted);
    EXPECT_EQ(kWhite, button.Pixel(15, 12));
    EXPECT_EQ(CMacStyleSkin::s_crBorder, button.Pixel(15, 1));
    EXPECT_EQ(crBack, button.Pixel(1, 1));
    EXPECT_EQ(kPaper, button.Pixel(0, 12));
}

TEST_F(SkinTest, MacStyleCaptionButtonsAreRingsLitByStateAndKind)
{
    CMacStyleSkin skin;
    const COLORREF crPink = RGB(236, 107, 118), crViolet = RGB(118, 107, 236);
    struct Case
    {
        UINT nHit;
        BOOL bPressed, bHot;
        COLORREF crLitRim;
    };
    const Case cases[] = {{9, FALSE, FALSE, kWhite},
                          {19, FALSE, FALSE, kWhite},
                          {19, FALSE, TRUE, crPink},
                          {9, FALSE, TRUE, crViolet},
                          {9, TRUE, FALSE, crViolet},
                          {19, TRUE, TRUE, RGB(254, 248, 248)},
                          {9, TRUE, TRUE, RGB(248, 254, 248)}};
    for (const Case& c : cases)
    {
        DibCanvas canvas(24, 24, kPaper);
        skin.DrawCaptionButton(&canvas.dc, {CPoint(0, 0), c.nHit, c.bPressed, c.bHot, FALSE}, FALSE, FALSE, FALSE);
        EXPECT_EQ(c.crLitRim, canvas.Pixel(10, 0)) << c.nHit << c.bPressed << c.bHot;
        EXPECT_EQ(CMacStyleSkin::s_crBorder, canvas.Pixel(10, 19)) << c.nHit << c.bPressed << c.bHot;
    }
}

// The rules of bars docked in one window run on from bar to bar; a floating bar's start at its own top.
TEST_F(SkinTest, MacStyleRulesLineUpAcrossTheBarsDockedInOneWindow)
{
    CMacStyleSkin skin;
    CFrameWnd* pFrame = new CFrameWnd;   // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "dock site", WS_OVERLAPPEDWINDOW));
    CStatusBar upper, lower;
    ASSERT_TRUE(upper.Create(pFrame) && lower.Create(pFrame));
    upper.SetWindowPos(NULL, 0, 13, 100, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    lower.SetWindowPos(NULL, 0, 38, 100, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    for (CStatusBar* pBar : {&upper, &lower})
    {
        for (BOOL bFloating : {FALSE, TRUE})
        {
            pBar->SetBarStyle(bFloating ? CBRS_ALIGN_TOP | CBRS_FLOATING : CBRS_ALIGN_TOP);
            CRect rectWindow;
            pBar->GetWindowRect(&rectWindow);
            pFrame->ScreenToClient(&rectWindow);
            const int nTop = bFloating ? 0 : rectWindow.top;
            DibCanvas canvas(8, 16, kPaper);
            skin.PaintBarBackground(&canvas.dc, pBar, CRect(0, 0, 8, 16), CRect());
            EXPECT_EQ("", canvas.Mismatches([nTop](int, int y) {
                return (y + nTop) % 4 == 3 ? kWhite : CMacStyleSkin::s_crBackground;
            })) << rectWindow.top << " " << bFloating;
        }
    }
    pFrame->DestroyWindow();
}

} // namespace
