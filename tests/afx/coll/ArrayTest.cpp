#include "afx.h"
#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace collection_test;

namespace
{

template <class ARRAY>
std::vector<DWORD> Items(const ARRAY& array)
{
    return std::vector<DWORD>(array.GetData(), array.GetData() + array.GetSize());
}

} // namespace

TEST(DWordArray, GrowByDecidesWhenStorageMoves)
{
    CDWordArray array;
    array.SetSize(0, 8);
    array.Add(100);
    const DWORD* pBlock = array.GetData();
    for (DWORD i = 1; i < 8; ++i)
        array.Add(100 + i);
    EXPECT_EQ(pBlock, array.GetData()) << "moved before the eight reserved slots were used";
    array.Add(108);
    EXPECT_NE(pBlock, array.GetData());
    EXPECT_EQ(8, array.GetUpperBound());
    EXPECT_EQ(107u, array[7]);

    array.SetSize(2);
    array.SetSize(4);
    array.SetAtGrow(5, 9);
    EXPECT_EQ((std::vector<DWORD>{100, 101, 0, 0, 0, 9}), Items(array));
    array.FreeExtra();
    EXPECT_EQ((std::vector<DWORD>{100, 101, 0, 0, 0, 9}), Items(array));
    array.RemoveAll();
    EXPECT_EQ(nullptr, array.GetData());
}

TEST(ByteArray, InsertAtAndRemoveAtShiftTheRest)
{
    CByteArray array;
    for (BYTE i = 0; i < 8; ++i)
        array.Add(i);
    array.InsertAt(3, 0xAA, 2);
    EXPECT_EQ((std::vector<DWORD>{0, 1, 2, 0xAA, 0xAA, 3, 4, 5, 6, 7}), Items(array));
    array.RemoveAt(0, 2);
    array.RemoveAt(array.GetUpperBound());
    EXPECT_EQ((std::vector<DWORD>{2, 0xAA, 0xAA, 3, 4, 5, 6}), Items(array));

    array.InsertAt(9, 0x11);   // past the end: zeros fill the gap
    CByteArray inserted;
    inserted.Add(0x21);
    inserted.Add(0x22);
    array.InsertAt(1, &inserted);
    array.InsertAt(0, &inserted);
    EXPECT_EQ((std::vector<DWORD>{0x21, 0x22, 2, 0x21, 0x22, 0xAA, 0xAA, 3, 4, 5, 6, 0, 0, 0x11}), Items(array));
    EXPECT_EQ(2, inserted.Append(array));
    EXPECT_EQ(16, inserted.GetSize());
}

TEST(StringArray, ElementsPassedFromTheArrayItselfSurviveGrowthAndShifts)
{
    CStringArray array;
    array.SetSize(0, 1);   // every Add moves the storage
    array.Add("第一");
    for (int i = 0; i < 20; ++i)
        array.Add(array[i]);
    array.InsertAt(0, array[20]);
    array.InsertAt(2, array.GetAt(1), 3);
    array.SetAtGrow(30, array[5]);

    ASSERT_EQ(31, array.GetSize());
    for (INT_PTR i = 0; i < 31; ++i)
        EXPECT_EQ(i < 25 || i == 30 ? CString("第一") : CString(), array[i]) << "element " << i;
}

TEST(Arrays, SerializeCountThenElements)
{
    CWordArray words;
    words.Add(0x1234);
    words.Add(0xABCD);
    EXPECT_EQ(Bytes({0x02, 0x00, 0x34, 0x12, 0xCD, 0xAB}), StoreBytes(words));

    // Loading replaces what was there.
    CDWordArray dwords;
    dwords.Add(7);
    LoadBytes(Bytes({0x01, 0x00, 0x04, 0x03, 0x02, 0x01}), dwords);
    EXPECT_EQ((std::vector<DWORD>{0x01020304}), Items(dwords));

    CByteArray empty;
    EXPECT_EQ(Bytes({0x00, 0x00}), StoreBytes(empty));
    LoadBytes(Bytes({0x00, 0x00}), dwords);
    EXPECT_EQ(nullptr, dwords.GetData());

    // 0xFFFF elements and more: the count escapes to a DWORD.
    CByteArray many;
    many.SetSize(0x10000);
    many[0x8000] = 0x80;
    std::vector<BYTE> big = StoreBytes(many);
    ASSERT_EQ(6u + 0x10000, big.size());
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}), std::vector<BYTE>(big.begin(), big.begin() + 6));
    CByteArray manyLoaded;
    LoadBytes(big, manyLoaded);
    ASSERT_EQ(0x10000, manyLoaded.GetSize());
    EXPECT_EQ(0x80, manyLoaded[0x8000]);

    CStringArray strings;
    strings.Add("一");
    strings.Add("two");
    std::vector<BYTE> stringBytes = Bytes({0x02, 0x00, 0x02, 0xD2, 0xBB, 0x03, 't', 'w', 'o'});
    EXPECT_EQ(stringBytes, StoreBytes(strings));
    CStringArray loadedStrings;
    LoadBytes(stringBytes, loadedStrings);
    ASSERT_EQ(2, loadedStrings.GetSize());
    EXPECT_EQ(CString("一"), loadedStrings[0]);
}

TEST(ObArray, RoundTripKeepsSharedObjectsShared)
{
    CCollTestLabel label("共享");
    CCollTestPoint point(3, 4);
    CObArray array;
    array.Add(&label);
    array.Add(&point);
    array.Add(&label);

    CObArray loaded;
    LoadBytes(StoreBytes(array), loaded);
    ASSERT_EQ(3, loaded.GetSize());
    EXPECT_EQ(loaded[0], loaded[2]);
    CCollTestLabel* pLabel = As<CCollTestLabel>(loaded[0]);
    CCollTestPoint* pPoint = As<CCollTestPoint>(loaded[1]);
    ASSERT_TRUE(pLabel != NULL && pPoint != NULL);
    EXPECT_EQ(CString("共享"), pLabel->m_text);
    EXPECT_EQ(4, pPoint->m_y);
    delete pLabel;
    delete pPoint;
}
