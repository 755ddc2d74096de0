#include "QENMenuImages.h"
#include "QENDrawHelper.h"

#include <vector>

CBitmap CQENMenuImages::s_strip;

namespace {

const int kImageWidth = 16;
const int kImageHeight = 15;
const int kMapSize = 9;   // pixel maps are 9 x 9, centred in their cell

// Drawn with the upper left map pixel at (3, 3) of the cell; '#' is glyph, anything else background.
struct GlyphMap
{
    int nImage;
    const char* rows[kMapSize];
};

const GlyphMap kGlyphs[] = {
    {CQENMenuImages::ArrowDown,
     {".........", ".........", "#########", ".#######.", "..#####..", "...###...", "....#....", ".........",
      "........."}},
    {CQENMenuImages::PinUpright,
     {"..#####..", "..#...#..", "..#...#..", "..#...#..", "#########", "....#....", "....#....", "....#....",
      "....#...."}},
    {CQENMenuImages::PinSidewaysGrey,
     {".........", "....#....", ".....#.#.", "....#...#", ".#.#.....", "....#...#", ".....#.#.", "....#....",
      "........."}},
    {CQENMenuImages::ArrowUp,
     {".........", ".........", "....#....", "...###...", "..#####..", ".#######.", "#########", ".........",
      "........."}},
    {CQENMenuImages::ArrowUpGrey,
     {".........", ".........", "....#....", "...#.#...", "..#...#..", ".#.....#.", "#########", ".........",
      "........."}},
    {CQENMenuImages::PinSideways,
     {".........", "....#....", "....#####", "....#...#", "#####...#", "....#...#", "....#####", "....#....",
      "........."}},
    {CQENMenuImages::Close,
     {"##.....##", ".##...##.", "..##.##..", "...###...", "....#....", "...###...", "..##.##..", ".##...##.",
      "##.....##"}},
};

} // namespace

CSize CQENMenuImages::ImageSize()
{
    return CSize(kImageWidth, kImageHeight);
}

BOOL CQENMenuImages::EnsureStrip()
{
    if (s_strip.GetSafeHandle() != NULL)
        return TRUE;
    // Rows of a one-bit bitmap are padded to 16 bits.
    const int nStripWidth = kImageWidth * ImageCount;
    const int nRowBytes = (nStripWidth + 15) / 16 * 2;
    std::vector<BYTE> bits(nRowBytes * kImageHeight, 0xFF);
    const int nOffsetX = (kImageWidth - kMapSize) / 2, nOffsetY = (kImageHeight - kMapSize) / 2;
    for (const GlyphMap& glyph : kGlyphs)
    {
        for (int y = 0; y < kMapSize; y++)
        {
            for (int x = 0; x < kMapSize; x++)
            {
                if (glyph.rows[y][x] != '#')
                    continue;
                int nX = glyph.nImage * kImageWidth + nOffsetX + x;
                bits[(nOffsetY + y) * nRowBytes + nX / 8] &= (BYTE) ~(0x80 >> (nX % 8));
            }
        }
    }
    return s_strip.CreateBitmap(nStripWidth, kImageHeight, 1, 1, bits.data());
}

void CQENMenuImages::Draw(CDC* pDC, int nImage, CPoint pt, COLORREF crGlyph)
{
    if (nImage < 0 || nImage >= ImageCount || !EnsureStrip())
        return;
    CDC dcStrip;
    if (!dcStrip.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOldStrip = dcStrip.SelectObject(&s_strip);
    {
        CBrush brush(crGlyph);   // made before the state is saved, so that it is deselected before it goes
        CQENDCState state(pDC);
        pDC->SelectObject(&brush);
        // The mono strip turns into black glyphs on white; the raster operation keeps the
        // destination under white and puts the brush under black.
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->BitBlt(pt.x, pt.y, kImageWidth, kImageHeight, &dcStrip, nImage * kImageWidth, 0, 0x00B8074A);
    }
    dcStrip.SelectObject(pOldStrip);
}

void CQENMenuImages::CleanUp()
{
    s_strip.DeleteObject();
}
