#include "QENDrawHelper.h"
#include "DibCanvas.h"

#include <gtest/gtest.h>

namespace {

// Band i of 64 between two colours: (start * 64 + i * (end - start)) >> 6 in each channel.
COLORREF Band(COLORREF crStart, COLORREF crEnd, int i)
{
    auto channel = [i](int nStart, int nEnd) { return (nStart * 64 + i * (nEnd - nStart)) >> 6; };
    return RGB(channel(GetRValue(crStart), GetRValue(crEnd)), channel(GetGValue(crStart), GetGValue(crEnd)),
               channel(GetBValue(crStart), GetBValue(crEnd)));
}

const COLORREF kPaper = RGB(255, 255, 255);

TEST(DrawHelper, GradientRunsIn64BandsLeftToRightOrBottomToTop)
{
    const COLORREF crStart = RGB(0, 159, 98), crEnd = RGB(255, 20, 200);
    DibCanvas across(130, 6);
    CQENDrawHelper::FillGradient(&across.dc, CRect(1, 1, 129, 5), crStart, crEnd, FALSE);
    EXPECT_EQ("", across.Mismatches([&](int x, int y) {
        return (x < 1 || x >= 129 || y < 1 || y >= 5) ? kPaper : Band(crStart, crEnd, (x - 1) / 2);
    }));

    DibCanvas upwards(4, 64);
    upwards.dc.SetBkColor(RGB(1, 2, 3));
    CQENDrawHelper::FillGradient(&upwards.dc, CRect(0, 0, 4, 64), crStart, crEnd, TRUE);
    EXPECT_EQ("", upwards.Mismatches([&](int, int y) { return Band(crStart, crEnd, 63 - y); }));
    EXPECT_EQ(RGB(1, 2, 3), upwards.dc.GetBkColor());
}

TEST(DrawHelper, BrightnessScalesDownAndMovesTowardsWhite)
{
    DibCanvas canvas(12, 4, RGB(200, 100, 50));
    CQENDrawHelper::ChangeBrightness(&canvas.dc, CRect(0, 0, 4, 4), 94);
    CQENDrawHelper::ChangeBrightness(&canvas.dc, CRect(4, 0, 8, 4), 150);
    EXPECT_EQ("", canvas.Mismatches([](int x, int) {
        return x < 4 ? RGB(188, 94, 47) : x < 8 ? RGB(227, 177, 152) : RGB(200, 100, 50);
    }));
}

TEST(DrawHelper, ShadowFadesOutwardsBelowAndRightOfTheShape)
{
    DibCanvas canvas(30, 30);
    const CRect rect(5, 5, 15, 15);
    CQENDrawHelper::DrawShadow(&canvas.dc, rect, 3, 100, 50);
    // Bands 0, 1, 2 keep 50, 66 and 83 % of white; the shadow starts 3 pixels down the right side.
    EXPECT_EQ(RGB(127, 127, 127), canvas.Pixel(15, 10));
    EXPECT_EQ(RGB(168, 168, 168), canvas.Pixel(16, 10));
    EXPECT_EQ(RGB(211, 211, 211), canvas.Pixel(17, 10));
    EXPECT_EQ(kPaper, canvas.Pixel(18, 10));
    EXPECT_EQ(RGB(127, 127, 127), canvas.Pixel(10, 15));
    EXPECT_EQ(RGB(211, 211, 211), canvas.Pixel(17, 17));
    EXPECT_EQ(kPaper, canvas.Pixel(15, 7));
    EXPECT_EQ(RGB(127, 127, 127), canvas.Pixel(15, 8));
    EXPECT_EQ(kPaper, canvas.Pixel(7, 15));
    EXPECT_EQ(100, canvas.Count(kPaper, rect));
}

TEST(DrawHelper, RingHasLitAndDarkRimAroundItsFill)
{
    const COLORREF crFill = RGB(200, 0, 0), crEdge = RGB(0, 200, 0), crDark = RGB(0, 0, 200);
    const COLORREF crOutside = RGB(9, 9, 9);
    DibCanvas canvas(44, 21);
    CQENDrawHelper::DrawRingGradient(&canvas.dc, CRect(0, 0, 21, 21), crFill, crEdge, crDark, 225, 3, crOutside);
    CQENDrawHelper::DrawRingGradient(&canvas.dc, CRect(22, 0, 43, 21), crFill, crEdge, CLR_NONE, 225, 3, CLR_NONE);
    EXPECT_EQ(crFill, canvas.Pixel(10, 10));
    EXPECT_EQ(crFill, canvas.Pixel(10, 3));
    EXPECT_EQ(crEdge, canvas.Pixel(10, 0));    // facing the light at the top left
    EXPECT_EQ(crEdge, canvas.Pixel(0, 10));
    EXPECT_EQ(crDark, canvas.Pixel(10, 20));   // away from it
    EXPECT_EQ(crDark, canvas.Pixel(20, 10));
    EXPECT_EQ(crOutside, canvas.Pixel(0, 0));
    EXPECT_EQ(crOutside, canvas.Pixel(20, 20));
    // Without a dark edge the rim is lit all round; without an outside colour the corners stay.
    EXPECT_EQ(crEdge, canvas.Pixel(32, 20));
    EXPECT_EQ(kPaper, canvas.Pixel(22, 0));
    EXPECT_EQ(kPaper, canvas.Pixel(43, 10));
}

TEST(DrawHelper, StateRestoresClipColoursAndObjects)
{
    DibCanvas canvas(20, 20);
    CRgn clip;
    clip.CreateRectRgn(0, 0, 10, 20);
    canvas.dc.SelectClipRgn(&clip);
    canvas.dc.SetTextColor(RGB(1, 1, 1));
    HGDIOBJ hBrush = ::GetCurrentObject(canvas.dc, OBJ_BRUSH);
    {
        CQENDCState state(&canvas.dc, CRect(0, 0, 5, 5));
        canvas.dc.SetTextColor(RGB(2, 2, 2));
        canvas.dc.SelectStockObject(BLACK_BRUSH);
        canvas.dc.FillSolidRect(0, 0, 20, 20, RGB(0, 0, 0));
    }
    EXPECT_EQ(25, canvas.Count(RGB(0, 0, 0)));
    EXPECT_EQ(RGB(1, 1, 1), canvas.dc.GetTextColor());
    EXPECT_EQ(hBrush, ::GetCurrentObject(canvas.dc, OBJ_BRUSH));
    CRect rectClip;
    canvas.dc.GetClipBox(&rectClip);
    EXPECT_EQ(CRect(0, 0, 10, 20), rectClip);
}

} // namespace
