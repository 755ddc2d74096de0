#include "QENButtonImageList.h"
#include "QENVisualManager.h"
#include "DibCanvas.h"
#include "ScratchFolder.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The bitmap resources of ButtonImageListTest.rc.
const UINT kFourBitStrip = 201;     // 2 images: red, green
const UINT kTrueColourStrip = 202;  // 3 images: blue, yellow, magenta
const UINT kTallImage = 203;        // 1 image, 16 pixels high

const COLORREF kBlack = RGB(0, 0, 0), kDarkGrey = RGB(128, 128, 128), kLightGrey = RGB(192, 192, 192),
               kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0),
               kMagenta = RGB(255, 0, 255), kCyan = RGB(0, 255, 255);
// Shown by none of the strips.
const COLORREF kCanvas = RGB(40, 90, 160);
const CPoint kAt(5, 6);
const int kCx = 16, kCy = 15;

// Every test image: light grey, with black, white, dark grey and a colour of its own in four blocks.
COLORREF ClassicPixel(COLORREF crOwn, int x, int y)
{
    CPoint pt(x, y);
    if (CRect(1, 1, 7, 6).PtInRect(pt))
        return kBlack;
    if (CRect(8, 1, 14, 6).PtInRect(pt))
        return kWhite;
    if (CRect(1, 8, 7, 13).PtInRect(pt))
        return kDarkGrey;
    if (CRect(8, 8, 14, 13).PtInRect(pt))
        return crOwn;
    return kLightGrey;
}

// A classic colour as a strip shows it: the loader maps the greys of a palette bitmap, the list maps
// black, greys and white of deeper ones.
COLORREF Shown(COLORREF crClassic, bool bPalette)
{
    if (crClassic == kLightGrey)
        return ::GetSysColor(COLOR_BTNFACE);
    if (crClassic == kDarkGrey)
        return ::GetSysColor(COLOR_BTNSHADOW);
    if (crClassic == kBlack && !bPalette)
        return ::GetSysColor(COLOR_BTNTEXT);
    if (crClassic == kWhite && !bPalette)
        return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    return crClassic;
}

// The pixel of the canvas at (x, y) when the image lies at kAt: fImage(ix, iy) inside it, the canvas outside.
std::function<COLORREF(int, int)> InImageAt(std::function<COLORREF(int, int)> fImage, CSize size = CSize(kCx, kCy))
{
    return [fImage, size](int x, int y) {
        int ix = x - kAt.x, iy = y - kAt.y;
        return ix >= 0 && iy >= 0 && ix < size.cx && iy < size.cy ? fImage(ix, iy) : kCanvas;
    };
}

BOOL DrawOnce(CQENButtonImageList& strip, DibCanvas& canvas, int nImage, BOOL bHighlighted = FALSE,
              BOOL bDisabled = FALSE, BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, CSize sizeDraw = CSize(0, 0))
{
    QENStripDrawState state;
    if (!strip.BeginStripDraw(state, sizeDraw.cx, sizeDraw.cy))
        return FALSE;
    BOOL bDrawn = strip.Draw(&canvas.dc, kAt.x, kAt.y, nImage, bHighlighted, bDisabled, bIndeterminate, bShadow);
    strip.EndStripDraw(state);
    return bDrawn;
}

// A 24-bit bitmap of kCx x kCy with the pixels fPixel gives.
HBITMAP MakeBitmap(const std::function<COLORREF(int, int)>& fPixel)
{
    DibCanvas canvas(kCx, kCy);
    for (int y = 0; y < kCy; y++)
        for (int x = 0; x < kCx; x++)
            canvas.dc.SetPixelV(x, y, fPixel(x, y));
    CBitmap copy;
    copy.CreateCompatibleBitmap(&canvas.dc, kCx, kCy);
    CDC dc;
    dc.CreateCompatibleDC(&canvas.dc);
    CBitmap* pOld = dc.SelectObject(&copy);
    dc.BitBlt(0, 0, kCx, kCy, &canvas.dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOld);
    return static_cast<HBITMAP>(copy.Detach());
}

const RGBQUAD kClassicPalette[16] = {
    {0, 0, 0, 0},     {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0}, {128, 0, 0, 0},   {128, 0, 128, 0},
    {128, 128, 0, 0}, {192, 192, 192, 0}, {128, 128, 128, 0}, {0, 0, 255, 0}, {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},   {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};

// A bitmap file of the test images as drawing programs write one: file header, a 40-byte info header
// with the image size and no resolution, for 4 bits the 16 classic colours, then the rows bottom-up.
std::string PatternFile(int nBits, const std::vector<COLORREF>& ownColours)
{
    const int cx = kCx * (int)ownColours.size(), nRowBytes = (cx * nBits + 31) / 32 * 4;
    const int nPalette = nBits == 4 ? sizeof kClassicPalette : 0;
    std::string bits;
    for (int y = kCy - 1; y >= 0; y--)
    {
        std::string row;
        for (int x = 0; x < cx; x++)
        {
            COLORREF cr = ClassicPixel(ownColours[x / kCx], x % kCx, y);
            if (nBits == 24)
            {
                row += {(char)GetBValue(cr), (char)GetGValue(cr), (char)GetRValue(cr)};
                continue;
            }
            int iEntry = 0;
            while (RGB(kClassicPalette[iEntry].rgbRed, kClassicPalette[iEntry].rgbGreen, kClassicPalette[iEntry].rgbBlue) != cr)
                iEntry++;
            if (x % 2 == 0)
                row += (char)(iEntry << 4);
            else
                row.back() = (char)(row.back() | iEntry);
        }
        row.resize(nRowBytes, '\0');
        bits += row;
    }
    BITMAPINFOHEADER header = {sizeof header, cx, kCy, 1, (WORD)nBits, BI_RGB, (DWORD)bits.size(), 0, 0, 0, 0};
    const DWORD nOffset = 14 + sizeof header + nPalette;
    BITMAPFILEHEADER fileHeader = {0x4D42, (DWORD)(nOffset + bits.size()), 0, 0, nOffset};
    std::string file(reinterpret_cast<const char*>(&fileHeader), 14);
    file.append(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(kClassicPalette), nPalette);
    return file + bits;
}

// Known system colours, none of them a classic colour.
class ButtonImageListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SystemColoursScope::Set(COLOR_BTNSHADOW, RGB(100, 100, 100));
        SystemColoursScope::Set(COLOR_BTNHIGHLIGHT, RGB(250, 250, 240));
    }

    // What a shown image of the true-colour strip looks like.
    static std::function<COLORREF(int, int)> ShownImage(COLORREF crOwn, bool bPalette = false)
    {
        return [crOwn, bPalette](int x, int y) { return Shown(ClassicPixel(crOwn, x, y), bPalette); };
    }

    SystemColoursScope m_colours;
    CQENButtonImageList m_strip;
};

TEST_F(ButtonImageListTest, AppendedResourcesShareOneStripEachOnceAtItsFirstOffset)
{
    ASSERT_TRUE(m_strip.Load(kFourBitStrip, NULL, TRUE));
    ASSERT_TRUE(m_strip.Load(kTrueColourStrip, NULL, TRUE));
    EXPECT_TRUE(m_strip.Load(kFourBitStrip, NULL, TRUE));
    EXPECT_EQ(5, m_strip.ImageCount());
    EXPECT_EQ(0, m_strip.ResourceImageOffset(kFourBitStrip));
    EXPECT_EQ(2, m_strip.ResourceImageOffset(kTrueColourStrip));
    EXPECT_EQ(-1, m_strip.ResourceImageOffset(kTallImage));

    // Refused: a height of its own, a missing resource; the strip stays as it was.
    EXPECT_FALSE(m_strip.Load(kTallImage, NULL, TRUE));
    EXPECT_FALSE(m_strip.Load(299, NULL, FALSE));
    EXPECT_EQ(5, m_strip.ImageCount());
    EXPECT_EQ(-1, m_strip.ResourceImageOffset(kTallImage));

    DibCanvas canvas(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, canvas, 1));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kGreen, true))));
    ASSERT_TRUE(DrawOnce(m_strip, canvas, 3));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kYellow))));
}

TEST_F(ButtonImageListTest, ClassicColoursShowInTheSystemColoursOfEveryDepth)
{
    for (UINT nResource : {kFourBitStrip, kTrueColourStrip})
    {
        SCOPED_TRACE(nResource);
        ASSERT_TRUE(m_strip.Load(nResource));
        DibCanvas canvas(40, 40, kCanvas);
        ASSERT_TRUE(DrawOnce(m_strip, canvas, 0));
        COLORREF crOwn = nResource == kFourBitStrip ? kRed : kBlue;
        EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(crOwn, nResource == kFourBitStrip))));
    }

    // A change of the system colours reaches the strip when it reloads.
    SystemColoursScope::Set(COLOR_BTNFACE, RGB(180, 200, 220));
    ASSERT_TRUE(m_strip.Reload());
    DibCanvas canvas(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, canvas, 2));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kMagenta))));
}

TEST_F(ButtonImageListTest, DisabledImagesShowTheirShapeInShadowEmbossedWhenTheLookAsks)
{
    ASSERT_TRUE(m_strip.Load(kTrueColourStrip));
    auto inShape = [](int x, int y) {
        COLORREF cr = ClassicPixel(kBlue, x, y);
        return x >= 0 && y >= 0 && x < kCx && y < kCy && cr != kLightGrey && cr != kWhite;
    };
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW), crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    BOOL& bEmboss = CQENVisualManager::CurrentManager()->m_bEmbossDisabled;
    const BOOL bEmbossBefore = bEmboss;
    for (BOOL bEmbossed : {TRUE, FALSE})
    {
        SCOPED_TRACE(bEmbossed);
        bEmboss = bEmbossed;
        DibCanvas canvas(40, 40, kCanvas);
        ASSERT_TRUE(DrawOnce(m_strip, canvas, 0, FALSE, TRUE));
        EXPECT_EQ("", canvas.Mismatches(InImageAt(
                          [&](int x, int y) {
                              if (inShape(x, y))
                                  return crShadow;
                              return bEmbossed && inShape(x - 1, y - 1) ? crHighlight : kCanvas;
                          },
                          CSize(kCx + 1, kCy + 1))));
    }
    bEmboss = bEmbossBefore;
}

TEST_F(ButtonImageListTest, ShadowHighlightAndIndeterminateFollowTheMasks)
{
    ASSERT_TRUE(m_strip.Load(kTrueColourStrip));
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE), crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    // On a true-colour screen the dither brush is the colour halfway from face to highlight.
    const COLORREF crDither = RGB(GetRValue(crFace) + (GetRValue(crHighlight) - GetRValue(crFace)) / 2,
                                  GetGValue(crFace) + (GetGValue(crHighlight) - GetGValue(crFace)) / 2,
                                  GetBValue(crFace) + (GetBValue(crHighlight) - GetBValue(crFace)) / 2);

    // A shadow keeps, beneath the image's shape (background excepted), the bits the shadow colour has.
    DibCanvas shadowed(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, shadowed, 0, FALSE, FALSE, FALSE, TRUE));
    EXPECT_EQ("", shadowed.Mismatches(InImageAt([&](int x, int y) {
        return ClassicPixel(kBlue, x, y) != kLightGrey ? kCanvas & crShadow : kCanvas;
    })));

    // Highlighted over the drawn image: only its background is dithered.
    DibCanvas highlighted(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, highlighted, 0));
    ASSERT_TRUE(DrawOnce(m_strip, highlighted, 0, TRUE));
    EXPECT_EQ("", highlighted.Mismatches(InImageAt([&](int x, int y) {
        COLORREF cr = ClassicPixel(kBlue, x, y);
        return cr == kLightGrey ? crDither : Shown(cr, false);
    })));

    // Indeterminate: the image, its shape in shadow, its background dithered.
    DibCanvas indeterminate(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, indeterminate, 0, FALSE, FALSE, TRUE));
    EXPECT_EQ("", indeterminate.Mismatches(InImageAt([&](int x, int y) {
        COLORREF cr = ClassicPixel(kBlue, x, y);
        return cr == kLightGrey ? crDither : cr == kWhite ? crHighlight : crShadow;
    })));
}

TEST_F(ButtonImageListTest, StretchedAndTransparentImagesLeaveTheirBackgroundOut)
{
    ASSERT_TRUE(m_strip.Load(kTrueColourStrip));
    DibCanvas stretched(60, 60, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, stretched, 1, FALSE, FALSE, FALSE, FALSE, CSize(32, 30)));
    EXPECT_EQ("", stretched.Mismatches(InImageAt(
                      [](int x, int y) {
                          COLORREF cr = ClassicPixel(kYellow, x / 2, y / 2);
                          return cr == kLightGrey ? kCanvas : Shown(cr, false);
                      },
                      CSize(32, 30))));

    m_strip.SetTransparentColour(kYellow);
    DibCanvas transparent(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, transparent, 1));
    EXPECT_EQ("", transparent.Mismatches(InImageAt([](int x, int y) {
        COLORREF cr = ClassicPixel(kYellow, x, y);
        return cr == kYellow ? kCanvas : Shown(cr, false);
    })));

    // Nothing is drawn for an image the strip does not have, nor outside a drawing pass.
    DibCanvas untouched(40, 40, kCanvas);
    EXPECT_FALSE(DrawOnce(m_strip, untouched, 3));
    EXPECT_FALSE(DrawOnce(m_strip, untouched, -1));
    EXPECT_FALSE(m_strip.Draw(&untouched.dc, 0, 0, 0));
    EXPECT_EQ(40 * 40, untouched.Count(kCanvas));
}

TEST_F(ButtonImageListTest, ColoursMapOneToAnotherAndViewsAreReadOnly)
{
    ASSERT_TRUE(m_strip.Load(kTrueColourStrip));
    EXPECT_FALSE(m_strip.MapToSystemColours(TRUE, kBlue));
    ASSERT_TRUE(m_strip.MapToSystemColours(TRUE, kBlue, kCyan));

    CQENButtonImageList view;
    m_strip.CopyTo(view);
    EXPECT_TRUE(view.IsReadOnly());
    EXPECT_FALSE(view.Load(kFourBitStrip));
    EXPECT_FALSE(view.MapToSystemColours(TRUE, kCyan, kRed));
    HBITMAP hImage = MakeBitmap(ShownImage(kRed));
    EXPECT_EQ(-1, view.AddImage(hImage));
    ::DeleteObject(hImage);
    DibCanvas canvas(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(view, canvas, 0));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kCyan))));
}

// The user strip: a file beside the test.
class UserImagesTest : public ButtonImageListTest
{
protected:
    void SetUp() override
    {
        ButtonImageListTest::SetUp();
        m_folder.UseAsCurrentFolder();
    }

    CScratchFolder m_folder;
};

TEST_F(UserImagesTest, SavedStripTakesTheClassicColoursBackAndReplacesTheFileOnlyWhenChanged)
{
    m_folder.CreateWithContents("UserImages.bmp", PatternFile(24, {kRed, kGreen}));
    ASSERT_TRUE(m_strip.LoadFromFile(".\\UserImages.bmp"));
    EXPECT_EQ(m_folder.Path("UserImages.bmp").CompareNoCase(m_strip.FileName()), 0);
    EXPECT_EQ(2, m_strip.ImageCount());

    // Unchanged: saving to its own file writes nothing.
    m_folder.CreateWithContents("UserImages.bmp", "kept");
    EXPECT_TRUE(m_strip.Save());
    EXPECT_EQ("kept", m_folder.Contents("UserImages.bmp"));

    // An edit drawn in today's colours is saved in the classic ones.
    HBITMAP hEdited = MakeBitmap(ShownImage(kCyan));
    EXPECT_TRUE(m_strip.UpdateImage(0, hEdited));
    EXPECT_EQ(2, m_strip.AddImage(hEdited));
    ::DeleteObject(hEdited);
    EXPECT_TRUE(m_strip.IsModified());
    ASSERT_TRUE(m_strip.Save());
    EXPECT_FALSE(m_strip.IsModified());
    EXPECT_EQ(PatternFile(24, {kCyan, kGreen, kCyan}), m_folder.Contents("UserImages.bmp"));

    // Edited in these colours, the strip takes a new colour scheme and keeps the edit.
    HBITMAP hRed = MakeBitmap(ShownImage(kRed));
    ASSERT_TRUE(m_strip.UpdateImage(1, hRed));
    ::DeleteObject(hRed);
    SystemColoursScope::Set(COLOR_BTNFACE, RGB(180, 200, 220));
    SystemColoursScope::Set(COLOR_BTNTEXT, RGB(0, 0, 90));
    ASSERT_TRUE(m_strip.Reload());
    DibCanvas canvas(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, canvas, 1));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kRed))));
    ASSERT_TRUE(m_strip.Save());
    EXPECT_EQ(PatternFile(24, {kCyan, kRed, kCyan}), m_folder.Contents("UserImages.bmp"));

    // So is a palette strip, entry by entry.
    m_folder.CreateWithContents("Palette.bmp", PatternFile(4, {kRed, kBlue}));
    ASSERT_TRUE(m_strip.LoadFromFile(".\\Palette.bmp"));
    ASSERT_TRUE(m_strip.Save(".\\Copy.bmp"));
    EXPECT_EQ(PatternFile(4, {kRed, kBlue}), m_folder.Contents("Copy.bmp"));
}

TEST_F(UserImagesTest, FailedLoadsAndSavesLeaveStripAndFilesAsTheyWere)
{
    m_folder.CreateWithContents("UserImages.bmp", PatternFile(24, {kRed}));
    m_folder.CreateWithContents("Broken.bmp", "BM not a bitmap");
    m_folder.CreateWithContents("Locked.bmp", "locked");
    ::SetFileAttributes(m_folder.Path("Locked.bmp"), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(m_strip.LoadFromFile(".\\UserImages.bmp"));
    EXPECT_FALSE(m_strip.LoadFromFile(".\\Broken.bmp"));
    EXPECT_FALSE(m_strip.LoadFromFile(".\\Missing.bmp"));
    EXPECT_EQ(m_folder.Path("UserImages.bmp").CompareNoCase(m_strip.FileName()), 0);

    HBITMAP hTall = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(kTallImage), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(-1, m_strip.AddImage(hTall));
    EXPECT_FALSE(m_strip.UpdateImage(0, hTall));
    ::DeleteObject(hTall);
    EXPECT_FALSE(m_strip.IsModified());

    // A read-only target is not replaced, and no temporary file stays behind.
    EXPECT_FALSE(m_strip.Save(".\\Locked.bmp"));
    EXPECT_EQ("locked", m_folder.Contents("Locked.bmp"));
    WIN32_FIND_DATA found;
    int nFiles = 0;
    HANDLE hFind = ::FindFirstFile(m_folder.Path("*"), &found);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFile(hFind, &found))
        nFiles += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    ::FindClose(hFind);
    EXPECT_EQ(3, nFiles);

    // A read-only file is loaded but never saved.
    ::SetFileAttributes(m_folder.Path("UserImages.bmp"), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(m_strip.LoadFromFile(".\\UserImages.bmp"));
    EXPECT_TRUE(m_strip.IsFileReadOnly());
    EXPECT_FALSE(m_strip.Save(".\\Other.bmp"));
    ::SetFileAttributes(m_folder.Path("UserImages.bmp"), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributes(m_folder.Path("Locked.bmp"), FILE_ATTRIBUTE_NORMAL);

    DibCanvas canvas(40, 40, kCanvas);
    ASSERT_TRUE(DrawOnce(m_strip, canvas, 0));
    EXPECT_EQ("", canvas.Mismatches(InImageAt(ShownImage(kRed))));
}

} // namespace
