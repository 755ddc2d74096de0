#include "afx.h"
#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace collection_test;

namespace
{

CString KeyText(int i)
{
    CString key;
    key.Format(i % 2 == 0 ? "key%d" : "键%d", i);
    return key;
}

void* Item(INT_PTR n)
{
    return reinterpret_cast<void*>(n);
}

} // namespace

TEST(MapStringToString, ManyKeysInTheDefaultTable)
{
    CMapStringToString map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    const int nKeys = 2000;
    for (int i = 0; i < nKeys; ++i)
        map.SetAt(KeyText(i), KeyText(i + 1));
    for (int i = 0; i < nKeys; i += 2)
        map[KeyText(i)] = "改";
    for (int i = 0; i < nKeys; i += 3)
        EXPECT_TRUE(map.RemoveKey(KeyText(i)));
    EXPECT_FALSE(map.RemoveKey(KeyText(0)));
    EXPECT_FALSE(map.RemoveKey("missing"));

    int nExpected = 0;
    for (int i = 0; i < nKeys; ++i)
    {
        CString value;
        BOOL bFound = map.Lookup(KeyText(i), value);
        if (i % 3 == 0)
        {
            EXPECT_FALSE(bFound) << i;
            continue;
        }
        ++nExpected;
        ASSERT_TRUE(bFound) << i;
        EXPECT_EQ(i % 2 == 0 ? CString("改") : KeyText(i + 1), value) << i;
    }
    EXPECT_EQ(nExpected, map.GetCount());
}

TEST(MapWordToPtr, HashTableSizeIsKeptAcrossRemoveAll)
{
    CMapWordToPtr map;
    map.InitHashTable(101);
    for (WORD key = 0; key < 500; ++key)
        map[key] = Item(key + 1);
    void* value = NULL;
    ASSERT_TRUE(map.Lookup(499, value));
    EXPECT_EQ(Item(500), value);
    EXPECT_FALSE(map.Lookup(500, value));

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_EQ(101u, map.GetHashTableSize());
    EXPECT_FALSE(map.Lookup(1, value));

    map.InitHashTable(7, FALSE);
    map.SetAt(3, Item(3));
    EXPECT_EQ(7u, map.GetHashTableSize());
    ASSERT_TRUE(map.Lookup(3, value));
    EXPECT_EQ(Item(3), value);
}

TEST(MapWordToPtr, IterationRunsByBucketNewestFirst)
{
    CMapWordToPtr map;
    map.InitHashTable(7);
    // A WORD hashes to itself without its low four bits: 0x10 and 0x80 share bucket 1 of 7.
    for (WORD key : {0x10, 0x20, 0x80, 0x00})
        map[key] = Item(key);

    std::vector<WORD> order;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        WORD key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(Item(key), value);
        order.push_back(key);
    }
    EXPECT_EQ((std::vector<WORD>{0x00, 0x80, 0x10, 0x20}), order);
}

TEST(MapPtrToWord, RemovingTheCurrentAssociationWhileIterating)
{
    CMapPtrToWord map;
    for (INT_PTR i = 1; i <= 300; ++i)
        map[Item(i * 16)] = static_cast<WORD>(i);

    std::map<INT_PTR, int> visits;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        void* key;
        WORD value;
        map.GetNextAssoc(pos, key, value);
        ++visits[reinterpret_cast<INT_PTR>(key)];
        if (value % 2 == 1)
        {
            EXPECT_TRUE(map.RemoveKey(key));
        }
    }
    EXPECT_EQ(300u, visits.size());
    for (const auto& visit : visits)
        EXPECT_EQ(1, visit.second) << visit.first;
    EXPECT_EQ(150, map.GetCount());

    WORD value;
    EXPECT_FALSE(map.Lookup(Item(16), value));
    ASSERT_TRUE(map.Lookup(Item(32), value));
    EXPECT_EQ(2, value);

    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        void* key;
        map.GetNextAssoc(pos, key, value);
        map.RemoveKey(key);
    }
    EXPECT_TRUE(map.IsEmpty());
    map[Item(48)] = 9;
    EXPECT_EQ(1, map.GetCount());
}

TEST(MapStringToPtr, DoubleByteKeysAndDefaultValues)
{
    CMapStringToPtr map;
    EXPECT_EQ(nullptr, map["新建"]);
    map["新建"] = Item(1);
    map["新"] = Item(2);
    map[CString("新建") + "文件"] = Item(3);
    EXPECT_EQ(3, map.GetCount());

    void* value = NULL;
    CString key = "新建文件";
    ASSERT_TRUE(map.Lookup(key, value));
    EXPECT_EQ(Item(3), value);
    EXPECT_EQ(map.HashKey("新建"), map.HashKey(CString("新") + "建"));
    EXPECT_FALSE(map.Lookup("建", value));
}

TEST(MapStringToString, SerializesKeyValuePairsAndRoundTrips)
{
    CMapStringToString single;
    single["名"] = "值";
    std::vector<BYTE> expected = Bytes({0x01, 0x00});
    AppendShortString(expected, "名");
    AppendShortString(expected, "值");
    EXPECT_EQ(expected, StoreBytes(single));

    CMapStringToString map;
    for (int i = 0; i < 50; ++i)
        map[KeyText(i)] = KeyText(i * 7);
    std::vector<BYTE> bytes = StoreBytes(map);

    CMapStringToString loaded;
    LoadBytes(bytes, loaded);
    ASSERT_EQ(50, loaded.GetCount());
    for (int i = 0; i < 50; ++i)
    {
        CString value;
        ASSERT_TRUE(loaded.Lookup(KeyText(i), value)) << i;
        EXPECT_EQ(KeyText(i * 7), value);
    }
}

TEST(ObjectMaps, RoundTripKeysAndObjects)
{
    CCollTestPoint point(10, 20);
    CCollTestLabel label("对象");

    CMapWordToOb byWord;
    byWord[7] = &point;
    byWord[0x1234] = &label;
    std::vector<BYTE> single;
    {
        CMapWordToOb one;
        one[0x0102] = NULL;
        single = StoreBytes(one);
    }
    EXPECT_EQ(Bytes({0x01, 0x00, 0x02, 0x01, 0x00, 0x00}), single);

    CMapWordToOb loadedByWord;
    LoadBytes(StoreBytes(byWord), loadedByWord);
    CObject* pPoint = NULL;
    CObject* pLabel = NULL;
    ASSERT_TRUE(loadedByWord.Lookup(7, pPoint));
    ASSERT_TRUE(loadedByWord.Lookup(0x1234, pLabel));
    ASSERT_TRUE(pPoint->IsKindOf(RUNTIME_CLASS(CCollTestPoint)));
    EXPECT_EQ(20, static_cast<CCollTestPoint*>(pPoint)->m_y);
    EXPECT_EQ(CString("对象"), static_cast<CCollTestLabel*>(pLabel)->m_text);
    delete pPoint;
    delete pLabel;

    CMapStringToOb byName;
    byName["点"] = &point;
    byName["也是点"] = &point;
    CMapStringToOb loadedByName;
    LoadBytes(StoreBytes(byName), loadedByName);
    CObject* pFirst = NULL;
    CObject* pSecond = NULL;
    ASSERT_TRUE(loadedByName.Lookup("点", pFirst));
    ASSERT_TRUE(loadedByName.Lookup("也是点", pSecond));
    EXPECT_EQ(pFirst, pSecond);
    EXPECT_EQ(10, static_cast<CCollTestPoint*>(pFirst)->m_x);
    delete pFirst;
}
