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
    std::vector<DWORD> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        items.push_back(array[i]);
    return items;
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
    EXPECT_EQ(pBlock, array.GetData()) << "grew before the eight reserved slots were used";
    array.Add(108);
    EXPECT_NE(pBlock, array.GetData());
    EXPECT_EQ(8, array.GetUpperBound());
    EXPECT_EQ((std::vector<DWORD>{100, 101, 102, 103, 104, 105, 106, 107, 108}), Items(array));

    array.SetSize(12);
    EXPECT_EQ((std::vector<DWORD>{100, 101, 102, 103, 104, 105, 106, 107, 108, 0, 0, 0}), Items(array));
    array.SetSize(2);
    array.SetSize(4);
    EXPECT_EQ((std::vector<DWORD>{100, 101, 0, 0}), Items(array));

    array.FreeExtra();
    EXPECT_EQ((std::vector<DWORD>{100, 101, 0, 0}), Items(array));
    array.RemoveAll();
    EXPECT_EQ(nullptr, array.GetData());
    EXPECT_EQ(-1, array.GetUpperBound());
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
    array.RemoveAt(1, 0);
    EXPECT_EQ(7, array.GetSize());

    // Past the end: the gap is filled with zeros.
    array.InsertAt(9, 0x11);
    EXPECT_EQ((std::vector<DWORD>{2, 0xAA, 0xAA, 3, 4, 5, 6, 0, 0, 0x11}), Items(array));

    CByteArray inserted;
    inserted.Add(0x21);
    inserted.Add(0x22);
    array.InsertAt(1, &inserted);
    array.InsertAt(0, &inserted);
    EXPECT_EQ((std::vector<DWORD>{0x21, 0x22, 2, 0x21, 0x22, 0xAA, 0xAA, 3, 4, 5, 6, 0, 0, 0x11}), Items(array));
}

TEST(UIntArray, SetAtGrowAppendAndCopy)
{
    CUIntArray array;
    array.SetAtGrow(3, 7);
    EXPECT_EQ((std::vector<DWORD>{0, 0, 0, 7}), Items(array));
    array.SetAt(0, 1);
    array.ElementAt(1) = 2;
    array[2] = 3;

    CUIntArray other;
    other.Add(8);
    other.Add(9);
    EXPECT_EQ(4, array.Append(other));
    EXPECT_EQ((std::vector<DWORD>{1, 2, 3, 7, 8, 9}), Items(array));

    other.Copy(array);
    array.RemoveAll();
    EXPECT_EQ((std::vector<DWORD>{1, 2, 3, 7, 8, 9}), Items(other));
    other.Copy(other);
    EXPECT_EQ(6, other.GetSize());
}

TEST(StringArray, ElementsPassedFromTheArrayItselfSurviveGrowthAndShifts)
{
    CStringArray array;
    array.SetSize(0, 1);   // every Add moves the storage
    array.Add("第一");
    for (int i = 0; i < 20; ++i)
        array.Add(array[0]);
    array.InsertAt(0, array[20]);
    array.InsertAt(2, array.GetAt(1), 3);
    array.SetAtGrow(30, array[5]);

    ASSERT_EQ(31, array.GetSize());
    for (INT_PTR i = 0; i < 25; ++i)
        EXPECT_EQ(CString("第一"), array[i]) << "element " << i;
    for (INT_PTR i = 25; i < 30; ++i)
        EXPECT_TRUE(array[i].IsEmpty()) << "element " << i;
    EXPECT_EQ(CString("第一"), array[30]);

    array.RemoveAt(1, 29);
    EXPECT_EQ(2, array.GetSize());
}

TEST(RawArrays, SerializeCountThenLittleEndianElements)
{
    CByteArray bytes;
    bytes.Add(0x01);
    bytes.Add(0xFE);
    EXPECT_EQ(Bytes({0x02, 0x00, 0x01, 0xFE}), StoreBytes(bytes));

    CWordArray words;
    words.Add(0x1234);
    words.Add(0xABCD);
    words.Add(0);
    EXPECT_EQ(Bytes({0x03, 0x00, 0x34, 0x12, 0xCD, 0xAB, 0x00, 0x00}), StoreBytes(words));

    CDWordArray dwords;
    dwords.Add(0x01020304);
    std::vector<BYTE> stored = StoreBytes(dwords);
    EXPECT_EQ(Bytes({0x01, 0x00, 0x04, 0x03, 0x02, 0x01}), stored);

    // Loading replaces what was there.
    CDWordArray loaded;
    loaded.Add(7);
    loaded.Add(8);
    LoadBytes(stored, loaded);
    EXPECT_EQ((std::vector<DWORD>{0x01020304}), Items(loaded));

    CWordArray many;
    for (WORD w = 0; w < 0x10000 - 1; ++w)
        many.Add(w);
    many.Add(0xFFFF);
    std::vector<BYTE> big = StoreBytes(many);
    ASSERT_EQ(6u + 2 * 0x10000, big.size());
    EXPECT_EQ(Bytes({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}), std::vector<BYTE>(big.begin(), big.begin() + 6));
    CWordArray manyLoaded;
    LoadBytes(big, manyLoaded);
    ASSERT_EQ(0x10000, manyLoaded.GetSize());
    EXPECT_EQ(0x8000, manyLoaded[0x8000]);
}

TEST(StringArray, SerializesStringsAndRoundTrips)
{
    CStringArray array;
    array.Add("一");
    array.Add("two");
    std::vector<BYTE> expected = Bytes({0x02, 0x00});
    AppendShortString(expected, "一");
    AppendShortString(expected, "two");
    std::vector<BYTE> bytes = StoreBytes(array);
    EXPECT_EQ(expected, bytes);

    CStringArray loaded;
    LoadBytes(bytes, loaded);
    ASSERT_EQ(2, loaded.GetSize());
    EXPECT_EQ(CString("一"), loaded[0]);
    EXPECT_EQ(CString("two"), loaded[1]);
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
    ASSERT_TRUE(loaded[0]->IsKindOf(RUNTIME_CLASS(CCollTestLabel)));
    ASSERT_TRUE(loaded[1]->IsKindOf(RUNTIME_CLASS(CCollTestPoint)));
    EXPECT_EQ(CString("共享"), static_cast<CCollTestLabel*>(loaded[0])->m_text);
    EXPECT_EQ(4, static_cast<CCollTestPoint*>(loaded[1])->m_y);
    delete loaded[0];
    delete loaded[1];
}
