// CImageList against the real common-controls image lists, drawn into DIB sections and read back.
#include "DibCanvas.h"
#include "GdiTestResource.h"
#include "ImageList.h"
#include <gtest/gtest.h>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

// A strip of 16 x 16 images on crBackground, image i with a square of colours[i] at squares[i].
void MakeStrip(CBitmap& strip, const COLORREF* colours, const RECT* squares, int nCount,
               COLORREF crBackground = kMagenta)
{
    DibCanvas canvas(16 * nCount, 16, crBackground);
    for (int i = 0; i < nCount; ++i)
    {
        CRect square(squares[i]);
        square.OffsetRect(16 * i, 0);
        canvas.dc.FillSolidRect(&square, colours[i]);
    }
    strip.Attach(::CopyImage(canvas.Bitmap().m_hObject, IMAGE_BITMAP, 0, 0, 0));
}

// Draws image nImage transparently on white and checks every pixel: the square in crSquare,
// the rest white.
std::string DrawnMismatches(CImageList& list, int nImage, const RECT& square, COLORREF crSquare,
                            UINT nStyle = ILD_TRANSPARENT)
{
    DibCanvas canvas(16, 16);
    if (!list.Draw(&canvas.dc, nImage, CPoint(0, 0), nStyle))
        return "Draw failed";
    return canvas.Mismatches([&](int x, int y) {
        return CRect(square).PtInRect(CPoint(x, y)) ? crSquare : kWhite;
    });
}

const RECT kCentre = { 4, 4, 12, 12 };
const RECT kTopLeft = { 0, 0, 8, 8 };
const RECT kBottomRight = { 8, 8, 16, 16 };

} // namespace

TEST(ImageList, AddDrawReplaceAndRemoveImages)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_EQ(CSize(16, 16), list.GetIconSize());
    EXPECT_EQ(0, list.GetImageCount());

    const COLORREF colours[] = { kRed, kGreen };
    const RECT squares[] = { kCentre, kTopLeft };
    CBitmap strip;
    MakeStrip(strip, colours, squares, 2);
    EXPECT_EQ(0, list.Add(&strip, kMagenta));
    EXPECT_EQ(2, list.GetImageCount());
    EXPECT_EQ("", DrawnMismatches(list, 0, kCentre, kRed));
    EXPECT_EQ("", DrawnMismatches(list, 1, kTopLeft, kGreen));

    IMAGEINFO info;
    ASSERT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(16, CRect(info.rcImage).Width());
    EXPECT_EQ(16, CRect(info.rcImage).Height());
    EXPECT_TRUE(info.hbmMask != NULL);

    // A replacement with an explicit mask: the mask is white (transparent) outside the square, where
    // the image must be black so that drawing leaves the background alone.
    const COLORREF blue[] = { kBlue };
    const RECT bottomRight[] = { kBottomRight };
    CBitmap image;
    MakeStrip(image, blue, bottomRight, 1, RGB(0, 0, 0));
    CBitmap mask;
    {
        DibCanvas maskCanvas(16, 16, kWhite);
        maskCanvas.dc.FillSolidRect(&kBottomRight, RGB(0, 0, 0));
        mask.CreateBitmap(16, 16, 1, 1, NULL);
        CDC maskDC;
        maskDC.CreateCompatibleDC(NULL);
        CBitmap* pOld = maskDC.SelectObject(&mask);
        // Colour to monochrome: the source's background colour becomes 1. The fill above left black.
        maskCanvas.dc.SetBkColor(kWhite);
        maskDC.BitBlt(0, 0, 16, 16, &maskCanvas.dc, 0, 0, SRCCOPY);
        maskDC.SelectObject(pOld);
    }
    EXPECT_TRUE(list.Replace(0, &image, &mask));
    EXPECT_EQ(2, list.GetImageCount());
    EXPECT_EQ("", DrawnMismatches(list, 0, kBottomRight, kBlue));

    EXPECT_EQ(2, list.Add(&image, &mask));
    EXPECT_EQ(3, list.GetImageCount());

    HICON hIcon = list.ExtractIcon(1);
    ASSERT_TRUE(hIcon != NULL);
    EXPECT_EQ(3, list.Add(hIcon));
    EXPECT_EQ("", DrawnMismatches(list, 3, kTopLeft, kGreen));
    EXPECT_EQ(2, list.Replace(2, hIcon));
    EXPECT_EQ("", DrawnMismatches(list, 2, kTopLeft, kGreen));
    ::DestroyIcon(hIcon);
    EXPECT_TRUE(list.Remove(3));
    EXPECT_TRUE(list.Remove(2));

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(1, list.GetImageCount());
    EXPECT_EQ("", DrawnMismatches(list, 0, kTopLeft, kGreen));
    EXPECT_FALSE(list.Remove(5));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(0, list.GetImageCount());
}

TEST(ImageList, ListsLoadFromBitmapResourcesAndCopy)
{
    CImageList loaded;
    ASSERT_TRUE(loaded.Create(IDB_GDI_TEST_STRIP, 16, 0, kMagenta));
    ASSERT_EQ(4, loaded.GetImageCount());
    const COLORREF colours[] = { kRed, kGreen, kBlue, kYellow };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ("", DrawnMismatches(loaded, i, kCentre, colours[i])) << i;

    CImageList byName;
    EXPECT_TRUE(byName.Create(MAKEINTRESOURCE(IDB_GDI_TEST_STRIP), 32, 0, CLR_NONE));
    EXPECT_EQ(2, byName.GetImageCount());
    CImageList missing;
    EXPECT_FALSE(missing.Create(IDB_GDI_TEST_STRIP + 1, 16, 0, kMagenta));
    EXPECT_EQ(CSize(0, 0), missing.GetIconSize());

    CImageList copy;
    ASSERT_TRUE(copy.Create(&loaded));
    EXPECT_NE(loaded.m_hImageList, copy.m_hImageList);
    EXPECT_TRUE(copy.Remove(0));
    EXPECT_EQ(3, copy.GetImageCount());
    EXPECT_EQ(4, loaded.GetImageCount());
    EXPECT_EQ("", DrawnMismatches(copy, 0, kCentre, kGreen));
}

TEST(ImageList, OwnershipAndHandleMaps)
{
    HIMAGELIST hOwned;
    HIMAGELIST hDetached;
    {
        CImageList owner;
        ASSERT_TRUE(owner.Create(8, 8, ILC_COLOR24, 1, 1));
        hOwned = owner;
        EXPECT_EQ(&owner, CImageList::FromHandle(hOwned));
        EXPECT_EQ(&owner, CImageList::FromHandlePermanent(hOwned));

        CImageList keeper;
        ASSERT_TRUE(keeper.Create(8, 8, ILC_COLOR24, 1, 1));
        ::ImageList_SetImageCount(keeper, 3);
        hDetached = keeper.Detach();
        EXPECT_TRUE(keeper.GetSafeHandle() == NULL);
        EXPECT_TRUE(CImageList::FromHandlePermanent(hDetached) == NULL);
    }
    EXPECT_EQ(0, ::ImageList_GetImageCount(hOwned));   // the destroyed list is no list any more
    EXPECT_EQ(3, ::ImageList_GetImageCount(hDetached));

    CImageList* pTemporary = CImageList::FromHandle(hDetached);
    ASSERT_TRUE(pTemporary != NULL);
    EXPECT_EQ(pTemporary, CImageList::FromHandle(hDetached));
    EXPECT_EQ(3, pTemporary->GetImageCount());
    EXPECT_TRUE(CImageList::FromHandlePermanent(hDetached) == NULL);
    CImageList::DeleteTempMap();
    EXPECT_EQ(3, ::ImageList_GetImageCount(hDetached));   // the temporary wrapper did not destroy it

    CImageList adopter;
    EXPECT_TRUE(adopter.Attach(hDetached));
    EXPECT_EQ(&adopter, CImageList::FromHandle(hDetached));
    EXPECT_TRUE(adopter.DeleteImageList());
    EXPECT_FALSE(adopter.DeleteImageList());
    EXPECT_EQ(0, ::ImageList_GetImageCount(hDetached));
}
