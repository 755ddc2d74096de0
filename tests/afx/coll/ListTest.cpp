#include "afx.h"
#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace collection_test;

namespace
{

void* Item(INT_PTR n)
{
    return reinterpret_cast<void*>(n);
}

// Walks both ways: a link left pointing at the wrong node shows up as a difference.
std::vector<INT_PTR> Items(const CPtrList& list)
{
    std::vector<INT_PTR> forward;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        forward.push_back(reinterpret_cast<INT_PTR>(list.GetNext(pos)));
    std::vector<INT_PTR> backward;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        backward.push_back(reinterpret_cast<INT_PTR>(list.GetPrev(pos)));
    EXPECT_EQ(forward, std::vector<INT_PTR>(backward.rbegin(), backward.rend()));
    EXPECT_EQ(static_cast<INT_PTR>(forward.size()), list.GetCount());
    return forward;
}

} // namespace

TEST(PtrList, InsertionAndRemovalAtBothEnds)
{
    CPtrList list;
    list.InsertAfter(NULL, Item(2));
    list.InsertBefore(NULL, Item(1));
    list.InsertAfter(list.GetTailPosition(), Item(4));
    list.InsertBefore(list.GetTailPosition(), Item(3));
    list.InsertBefore(list.GetHeadPosition(), Item(0));
    list.InsertAfter(list.GetHeadPosition(), Item(5));
    EXPECT_EQ((std::vector<INT_PTR>{0, 5, 1, 2, 3, 4}), Items(list));

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ((std::vector<INT_PTR>{5, 1, 2, 3}), Items(list));
    EXPECT_EQ(Item(5), list.RemoveHead());
    EXPECT_EQ(Item(3), list.RemoveTail());
    EXPECT_EQ(Item(1), list.GetHead());
    EXPECT_EQ(Item(2), list.GetTail());
    list.RemoveTail();
    list.RemoveHead();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());

    list.AddHead(Item(7));
    list.AddHead(Item(6));
    EXPECT_EQ((std::vector<INT_PTR>{6, 7}), Items(list));
}

TEST(PtrList, RemoveAndInsertWhileIterating)
{
    CPtrList list;
    for (INT_PTR i = 1; i <= 20; ++i)
        list.AddTail(Item(i));

    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION current = pos;
        INT_PTR value = reinterpret_cast<INT_PTR>(list.GetNext(pos));
        if (value % 2 == 0)
            list.RemoveAt(current);
        else if (value % 5 == 0)
            list.InsertAfter(current, Item(-value));  // behind the iteration: not visited
    }
    EXPECT_EQ((std::vector<INT_PTR>{1, 3, 5, -5, 7, 9, 11, 13, 15, -15, 17, 19}), Items(list));

    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
    {
        POSITION current = pos;
        if (reinterpret_cast<INT_PTR>(list.GetPrev(pos)) % 3 != 0)
            list.RemoveAt(current);
    }
    EXPECT_EQ((std::vector<INT_PTR>{3, 9, 15, -15}), Items(list));
}

TEST(PtrList, FreedNodesAreReusedBeforeNewBlocks)
{
    CPtrList list(10);
    std::set<POSITION> firstBlock;
    for (INT_PTR i = 0; i < 10; ++i)
        firstBlock.insert(list.AddTail(Item(i)));
    POSITION freed = list.FindIndex(3);
    list.RemoveAt(freed);
    EXPECT_EQ(freed, list.AddTail(Item(10)));

    // A list that never holds more than ten elements keeps cycling through the same ten nodes.
    for (INT_PTR i = 11; i < 1000; ++i)
    {
        list.RemoveHead();
        ASSERT_EQ(1u, firstBlock.count(list.AddTail(Item(i)))) << "element " << i << " took a new node";
    }
    for (INT_PTR i = 0; i < 95; ++i)
        list.AddHead(Item(-i));
    for (INT_PTR i = 0; i < 95; ++i)
        list.RemoveHead();
    EXPECT_EQ((std::vector<INT_PTR>{990, 991, 992, 993, 994, 995, 996, 997, 998, 999}), Items(list));
}

TEST(PtrList, FindAndFindIndex)
{
    CPtrList list;
    for (INT_PTR value : {4, 8, 15, 8})
        list.AddTail(Item(value));
    POSITION first = list.Find(Item(8));
    EXPECT_EQ(list.FindIndex(1), first);
    EXPECT_EQ(list.FindIndex(3), list.Find(Item(8), first));
    EXPECT_EQ(nullptr, list.Find(Item(8), list.FindIndex(3)));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(StringList, SerializesCountThenStringsByteExact)
{
    CStringList list;
    list.AddTail("ab");
    list.AddTail("");
    list.AddTail("中文");
    std::vector<BYTE> bytes = StoreBytes(list);
    EXPECT_EQ(Bytes({0x03, 0x00, 0x02, 'a', 'b', 0x00, 0x04, 0xD6, 0xD0, 0xCE, 0xC4}), bytes);

    CStringList loaded;
    loaded.AddTail("kept");
    LoadBytes(bytes, loaded);
    ASSERT_EQ(4, loaded.GetCount());
    EXPECT_EQ(CString("kept"), loaded.RemoveHead());
    EXPECT_EQ(bytes, StoreBytes(loaded));
}

TEST(ObList, SerializesMixedClassesWithClassAndObjectReferences)
{
    CCollTestPoint first(1, -2);
    CCollTestLabel label("标签");
    CCollTestPoint second(0x1234, 5);
    CObList list;
    for (CObject* pObject : {static_cast<CObject*>(&first), static_cast<CObject*>(&label),
                             static_cast<CObject*>(&second), static_cast<CObject*>(&first),
                             static_cast<CObject*>(NULL)})
        list.AddTail(pObject);

    // Classes and objects are numbered together from 1: point class 1, first point 2, label
    // class 3, label 4.
    std::vector<BYTE> expected = Bytes({0x05, 0x00, 0xFF, 0xFF, 0x01, 0x00, 14, 0x00});
    AppendText(expected, "CCollTestPoint");
    AppendRaw<LONG>(expected, 1);
    AppendRaw<LONG>(expected, -2);
    AppendRaw<WORD>(expected, 0xFFFF);
    AppendRaw<WORD>(expected, 2);
    AppendRaw<WORD>(expected, 14);
    AppendText(expected, "CCollTestLabel");
    AppendRaw<BYTE>(expected, 4);
    AppendText(expected, "标签");
    AppendRaw<WORD>(expected, 0x8001);
    AppendRaw<LONG>(expected, 0x1234);
    AppendRaw<LONG>(expected, 5);
    AppendRaw<WORD>(expected, 2);
    AppendRaw<WORD>(expected, 0);
    std::vector<BYTE> bytes = StoreBytes(list);
    EXPECT_EQ(expected, bytes);

    CObList loaded;
    LoadBytes(bytes, loaded);
    ASSERT_EQ(5, loaded.GetCount());
    POSITION pos = loaded.GetHeadPosition();
    auto* pFirst = As<CCollTestPoint>(loaded.GetNext(pos));
    auto* pLabel = As<CCollTestLabel>(loaded.GetNext(pos));
    auto* pSecond = As<CCollTestPoint>(loaded.GetNext(pos));
    ASSERT_TRUE(pFirst != NULL && pLabel != NULL && pSecond != NULL);
    EXPECT_EQ(pFirst, loaded.GetNext(pos));
    EXPECT_EQ(nullptr, loaded.GetNext(pos));
    EXPECT_EQ(-2, pFirst->m_y);
    EXPECT_EQ(CString("标签"), pLabel->m_text);
    EXPECT_EQ(0x1234, pSecond->m_x);
    EXPECT_EQ(bytes, StoreBytes(loaded));
    delete pFirst;
    delete pLabel;
    delete pSecond;
}
