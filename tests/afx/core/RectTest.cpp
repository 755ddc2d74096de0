#include <gtest/gtest.h>

#include "afx.h"

namespace {

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(right, rect.right);
    EXPECT_EQ(bottom, rect.bottom);
}

TEST(CRectTest, IntersectAndUnion)
{
    const CRect a(0, 0, 10, 10);
    CRect r;
    EXPECT_TRUE(r.IntersectRect(a, CRect(5, 5, 15, 15)));
    ExpectRect(r, 5, 5, 10, 10);
    r.SetRect(1, 1, 2, 2);
    EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10)));   // edges touch: nothing shared
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_FALSE(r.IntersectRect(a, CRect(3, 3, 3, 8)));      // empty operand
    EXPECT_TRUE(r.IsRectNull());

    EXPECT_TRUE(r.UnionRect(a, CRect(20, 20, 30, 30)));
    ExpectRect(r, 0, 0, 30, 30);
    EXPECT_TRUE(r.UnionRect(a, CRect(50, 50, 50, 60)));       // an empty operand is ignored
    EXPECT_EQ(a, r);
    EXPECT_FALSE(r.UnionRect(CRect(1, 1, 1, 1), CRect(5, 5, 2, 2)));
    EXPECT_TRUE(r.IsRectNull());

    ExpectRect(a & CRect(-5, 2, 4, 20), 0, 2, 4, 10);
    ExpectRect(a | CRect(-5, 2, 4, 20), -5, 0, 10, 20);
    CRect inPlace = a;
    inPlace &= CRect(2, 2, 20, 20);
    ExpectRect(inPlace, 2, 2, 10, 10);
    inPlace |= CRect(0, 0, 1, 1);
    ExpectRect(inPlace, 0, 0, 10, 10);
}

TEST(CRectTest, SubtractLeavesOnlyARectangularRemainder)
{
    const CRect a(0, 0, 10, 10);
    CRect r;
    EXPECT_TRUE(r.SubtractRect(a, CRect(5, -1, 15, 11)));     // right part, full height
    ExpectRect(r, 0, 0, 5, 10);
    EXPECT_TRUE(r.SubtractRect(a, CRect(-2, -2, 12, 4)));     // top part, full width
    ExpectRect(r, 0, 4, 10, 10);
    EXPECT_TRUE(r.SubtractRect(a, CRect(2, 2, 8, 8)));        // a hole: the source stays
    EXPECT_EQ(a, r);
    EXPECT_TRUE(r.SubtractRect(a, CRect(20, 20, 30, 30)));    // disjoint
    EXPECT_EQ(a, r);
    EXPECT_FALSE(r.SubtractRect(a, CRect(-1, -1, 11, 11)));   // covered completely
    EXPECT_TRUE(r.IsRectNull());
}

TEST(CRectTest, NormalizeEmptinessAndHitTesting)
{
    CRect r(10, 20, 0, 5);
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_FALSE(r.IsRectNull());
    EXPECT_EQ(-10, r.Width());
    r.NormalizeRect();
    ExpectRect(r, 0, 5, 10, 20);
    EXPECT_FALSE(r.IsRectEmpty());
    CRect flatOnly(0, 7, 10, 3);
    flatOnly.NormalizeRect();
    ExpectRect(flatOnly, 0, 3, 10, 7);

    EXPECT_TRUE(CRect(0, 0, 0, 10).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());

    const CRect box(0, 0, 10, 10);
    EXPECT_TRUE(box.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(box.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(box.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(box.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(box.PtInRect(CPoint(-1, 5)));
}

TEST(CRectTest, InflateDeflateAndOffset)
{
    CRect r(0, 0, 10, 20);
    r.InflateRect(1, 2);
    ExpectRect(r, -1, -2, 11, 22);
    r.DeflateRect(1, 2);
    ExpectRect(r, 0, 0, 10, 20);
    r.InflateRect(CSize(3, 4));
    ExpectRect(r, -3, -4, 13, 24);
    r.DeflateRect(CSize(3, 4));
    r.InflateRect(CRect(1, 2, 3, 4));
    ExpectRect(r, -1, -2, 13, 24);
    r.DeflateRect(CRect(1, 2, 3, 4));
    ExpectRect(r, 0, 0, 10, 20);
    r.InflateRect(1, 2, 3, 4);
    ExpectRect(r, -1, -2, 13, 24);
    r.DeflateRect(1, 2, 3, 4);
    ExpectRect(r, 0, 0, 10, 20);

    const RECT border = { 1, 1, 2, 2 };
    ExpectRect(r + &border, -1, -1, 12, 22);
    ExpectRect(r - &border, 1, 1, 8, 18);
    r += &border;
    r -= &border;
    ExpectRect(r, 0, 0, 10, 20);

    r.OffsetRect(5, 6);
    ExpectRect(r, 5, 6, 15, 26);
    r.OffsetRect(CPoint(-5, -6));
    r.OffsetRect(CSize(1, 1));
    ExpectRect(r, 1, 1, 11, 21);
    ExpectRect(r + CPoint(1, 2), 2, 3, 12, 23);
    ExpectRect(r - CPoint(1, 1), 0, 0, 10, 20);
    ExpectRect(r + CSize(2, 2), 3, 3, 13, 23);
    ExpectRect(r - CSize(1, 1), 0, 0, 10, 20);
    r += CPoint(1, 1);
    r -= CSize(2, 2);
    ExpectRect(r, 0, 0, 10, 20);
    r.MoveToXY(100, 200);
    ExpectRect(r, 100, 200, 110, 220);

    ExpectRect(CRect(10, 20, 30, 40).MulDiv(3, 2), 15, 30, 45, 60);
    ExpectRect(CRect(5, 5, 5, 5).MulDiv(1, 2), 3, 3, 3, 3);     // rounds half away from zero
}

TEST(CRectTest, GeometryAccessorsAndConversions)
{
    CRect r(CPoint(2, 3), CSize(10, 20));
    ExpectRect(r, 2, 3, 12, 23);
    EXPECT_EQ(CSize(10, 20), r.Size());
    EXPECT_EQ(CPoint(7, 13), r.CenterPoint());
    EXPECT_EQ(r, CRect(CPoint(2, 3), CPoint(12, 23)));
    EXPECT_TRUE(r != CRect(2, 3, 12, 24));

    r.TopLeft() = CPoint(0, 0);
    r.BottomRight() += CSize(-2, -3);
    ExpectRect(r, 0, 0, 10, 20);
    const CRect& constRef = r;
    EXPECT_EQ(CPoint(10, 20), constRef.BottomRight());

    // The pointer conversions let a CRect stand wherever Win32 takes a RECT pointer.
    ::SetRect(r, 4, 5, 6, 7);
    ExpectRect(r, 4, 5, 6, 7);
    EXPECT_FALSE(::IsRectEmpty(constRef));
    CRect copy(static_cast<LPCRECT>(constRef));
    EXPECT_TRUE(copy.EqualRect(r));
    RECT plain = { 1, 2, 3, 4 };
    copy = plain;
    ExpectRect(copy, 1, 2, 3, 4);
    copy.CopyRect(&plain);
    copy.SwapLeftRight();
    ExpectRect(copy, 3, 2, 1, 4);
    copy.SetRectEmpty();
    EXPECT_TRUE(copy.IsRectNull());
}

TEST(CRectTest, PointAndSizeArithmetic)
{
    CPoint packed(static_cast<DWORD>(MAKELONG(-5, -7)));
    EXPECT_EQ(-5, packed.x);
    EXPECT_EQ(-7, packed.y);
    CSize packedSize(static_cast<DWORD>(MAKELONG(3, -4)));
    EXPECT_EQ(CSize(3, -4), packedSize);

    CPoint p(10, 20);
    EXPECT_EQ(CPoint(13, 16), p + CSize(3, -4));
    EXPECT_EQ(CPoint(7, 24), p - CSize(3, -4));
    EXPECT_EQ(CSize(9, 18), p - CPoint(1, 2));
    EXPECT_EQ(CPoint(11, 22), p + CPoint(1, 2));
    EXPECT_EQ(CPoint(-10, -20), -p);
    p += CSize(1, 1);
    p -= CPoint(2, 2);
    p.Offset(1, 1);
    p.Offset(CSize(1, 0));
    p.Offset(CPoint(0, 1));
    EXPECT_EQ(CPoint(11, 21), p);
    EXPECT_TRUE(p != CPoint(11, 20));

    CSize s(4, 5);
    EXPECT_EQ(CSize(5, 7), s + CSize(1, 2));
    EXPECT_EQ(CSize(3, 3), s - CSize(1, 2));
    EXPECT_EQ(CSize(-4, -5), -s);
    EXPECT_EQ(CPoint(5, 7), s + CPoint(1, 2));
    EXPECT_EQ(CPoint(3, 3), s - CPoint(1, 2));
    s += CSize(1, 1);
    s -= CSize(2, 2);
    EXPECT_EQ(CSize(3, 4), s);
    EXPECT_EQ(CSize(3, 4), CSize(CPoint(3, 4)));

    const RECT base = { 0, 0, 10, 10 };
    ExpectRect(CPoint(1, 2) + &base, 1, 2, 11, 12);
    ExpectRect(CPoint(1, 2) - &base, -1, -2, 9, 8);
    ExpectRect(CSize(3, 3) + &base, 3, 3, 13, 13);
    ExpectRect(CSize(3, 3) - &base, -3, -3, 7, 7);
}

} // namespace
