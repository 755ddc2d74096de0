// CQENMenuImages: the library's strip of small glyphs for menus and caption buttons (arrows, pins,
// the close cross), drawn at run time from pixel maps, one cell of the library's menu image size
// (16 x 15) per image. Glyphs are masks: each draw gives them the colour asked for.
//
// The strip is made on first use and released by the library's clean-up at exit.
#pragma once
#include <afxwin.h>

class CQENMenuImages
{
public:
    enum Image
    {
        ArrowDown = 0,        // unroll a rolled bar; contract a bar expanded along a column
        PinUpright = 2,       // a bar pinned to take its whole row
        PinSidewaysGrey = 3,  // the sideways pin of a bar that cannot expand (alone in its row)
        ArrowUp = 16,         // roll a bar up; expand a bar along its column
        ArrowUpGrey = 17,     // the up arrow of a bar that cannot expand
        PinSideways = 19,     // expand a bar along its row; automatic roll-up, not pinned
        Close = 20,           // hide
        ImageCount = 21
    };

    static CSize ImageSize();
    // Draws image nImage with its top left at pt in crGlyph; pixels outside the glyph stay as they were.
    static void Draw(CDC* pDC, int nImage, CPoint pt, COLORREF crGlyph);
    static void CleanUp();

private:
    static BOOL EnsureStrip();
    static CBitmap s_strip;   // one bit per pixel: 0 glyph, 1 background
};
