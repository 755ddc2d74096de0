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

    for (int i = 0; i < nKeys; ++i)
    {
        CString value;
        ASSERT_EQ(i % 3 != 0, !!map.Lookup(KeyText(i), value)) << i;
        if (i % 3 != 0)
        {
            EXPECT_EQ(i % 2 == 0 ? CString("改") : KeyText(i + 1), value) << i;
        }
    }
    EXPECT_EQ(nKeys - (nKeys + 2) / 3, map.GetCount());
}

TEST(MapWordToPtr, HashTableSizeAndIterationOrder)
{
    CMapWordToPtr map;
    map.InitHashTable(101);
    for (WORD key = 0; key < 500; ++key)
        map[key] = Item(key + 1);
    void* value = NULL;
    ASSERT_TRUE(map.Lookup(499, value));
    EXPECT_EQ(Item(500), value);
    map.RemoveAll();
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_EQ(101u, map.GetHashTableSize());

    // A WORD hashes to itself without its low four bits, so 0x10 and 0x80 share bucket 1 of 7.
    // Iteration runs bucket by bucket, newest first within one.
    map.InitHashTable(7);
    for (WORD key : {0x10, 0x20, 0x80, 0x00})
        map[key] = Item(key);
    std::vector<WORD> order;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        WORD key;
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
            map.RemoveKey(key);
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

TEST(Maps, SerializeCountThenKeyValuePairs)
{
    CMapStringToString single;
    single["名"] = "值";
    EXPECT_EQ(Bytes({0x01, 0x00, 0x02, 0xC3, 0xFB, 0x02, 0xD6, 0xB5}), StoreBytes(single));

    CMapStringToString map;
    for (int i = 0; i < 50; ++i)
        map[KeyText(i)] = KeyText(i * 7);
    CMapStringToString loaded;
    LoadBytes(StoreBytes(map), loaded);
    ASSERT_EQ(50, loaded.GetCount());
    for (int i = 0; i < 50; ++i)
    {
        CString value;
        ASSERT_TRUE(loaded.Lookup(KeyText(i), value)) << i;
        EXPECT_EQ(KeyText(i * 7), value);
    }

    CMapWordToOb nullObject;
    nullObject[0x0102] = NULL;
    EXPECT_EQ(Bytes({0x01, 0x00, 0x02, 0x01, 0x00, 0x00}), StoreBytes(nullObject));

    CCollTestPoint point(10, 20);
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
    ASSERT_NE(nullptr, As<CCollTestPoint>(pFirst));
    EXPECT_EQ(20, As<CCollTestPoint>(pFirst)->m_y);
    delete pFirst;
}
