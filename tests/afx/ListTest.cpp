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

std::vector<INT_PTR> Forward(const CPtrList& list)
{
    std::vector<INT_PTR> items;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        items.push_back(reinterpret_cast<INT_PTR>(list.GetNext(pos)));
    return items;
}

std::vector<INT_PTR> Backward(const CPtrList& list)
{
    std::vector<INT_PTR> items;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        items.push_back(reinterpret_cast<INT_PTR>(list.GetPrev(pos)));
    return items;
}

// Both directions must agree, or a link was left pointing at the wrong node.
void ExpectItems(const CPtrList& list, std::vector<INT_PTR> expected)
{
    EXPECT_EQ(expected, Forward(list));
    std::vector<INT_PTR> reversed(expected.rbegin(), expected.rend());
    EXPECT_EQ(reversed, Backward(list));
    EXPECT_EQ(static_cast<INT_PTR>(expected.size()), list.GetCount());
}

} // namespace

TEST(PtrList, InsertBeforeAndAfterAtBothEnds)
{
    CPtrList list;
    list.InsertAfter(NULL, Item(2));
    list.InsertBefore(NULL, Item(1));
    list.InsertAfter(list.GetTailPosition(), Item(4));
    list.InsertBefore(list.GetTailPosition(), Item(3));
    list.InsertBefore(list.GetHeadPosition(), Item(0));
    list.InsertAfter(list.GetHeadPosition(), Item(5));
    ExpectItems(list, {0, 5, 1, 2, 3, 4});
    EXPECT_EQ(Item(0), list.GetHead());
    EXPECT_EQ(Item(4), list.GetTail());
}

TEST(PtrList, RemovingHeadAndTailMovesTheEnds)
{
    CPtrList list;
    for (INT_PTR i = 1; i <= 5; ++i)
        list.AddTail(Item(i));

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    ExpectItems(list, {2, 3, 4});

    EXPECT_EQ(Item(2), list.RemoveHead());
    EXPECT_EQ(Item(4), list.RemoveTail());
    ExpectItems(list, {3});
    EXPECT_EQ(list.GetHeadPosition(), list.GetTailPosition());

    EXPECT_EQ(Item(3), list.RemoveTail());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_EQ(nullptr, list.GetTailPosition());

    list.AddHead(Item(7));
    list.AddHead(Item(6));
    ExpectItems(list, {6, 7});
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
    ExpectItems(list, {1, 3, 5, -5, 7, 9, 11, 13, 15, -15, 17, 19});

    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
    {
        POSITION current = pos;
        if (reinterpret_cast<INT_PTR>(list.GetPrev(pos)) < 0)
            list.RemoveAt(current);
    }
    ExpectItems(list, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19});

    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        POSITION current = pos;
        list.GetNext(pos);
        list.RemoveAt(current);
    }
    EXPECT_TRUE(list.IsEmpty());
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
        POSITION pos = list.AddTail(Item(i));
        ASSERT_EQ(1u, firstBlock.count(pos)) << "element " << i << " got a node from a new block";
    }
    ExpectItems(list, {990, 991, 992, 993, 994, 995, 996, 997, 998, 999});

    // Growing past the block and shrinking back keeps the links intact.
    for (INT_PTR i = 0; i < 95; ++i)
        list.AddHead(Item(-i));
    for (INT_PTR i = 0; i < 95; ++i)
        list.RemoveHead();
    ExpectItems(list, {990, 991, 992, 993, 994, 995, 996, 997, 998, 999});
}

TEST(PtrList, FindAndFindIndex)
{
    CPtrList list;
    for (INT_PTR value : {4, 8, 15, 8, 23})
        list.AddTail(Item(value));

    POSITION first = list.Find(Item(8));
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(list.FindIndex(1), first);
    POSITION second = list.Find(Item(8), first);
    EXPECT_EQ(list.FindIndex(3), second);
    EXPECT_EQ(nullptr, list.Find(Item(8), second));
    EXPECT_EQ(nullptr, list.Find(Item(42)));

    EXPECT_EQ(Item(23), list.GetAt(list.FindIndex(4)));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(PtrList, AddListKeepsOrderAtHeadAndTail)
{
    CPtrList list;
    CPtrList other;
    list.AddTail(Item(5));
    other.AddTail(Item(1));
    other.AddTail(Item(2));
    list.AddHead(&other);
    list.AddTail(&other);
    ExpectItems(list, {1, 2, 5, 1, 2});
    EXPECT_EQ(2, other.GetCount());
}

TEST(StringList, FindSetAtAndReferences)
{
    CStringList list;
    list.AddTail("甲");
    list.AddTail(CString("乙"));
    list.AddHead("首");
    POSITION pos = list.Find("乙");
    ASSERT_NE(nullptr, pos);
    list.SetAt(pos, "丙");
    EXPECT_EQ(nullptr, list.Find("乙"));
    EXPECT_EQ(pos, list.Find(CString("丙")));

    list.GetHead() += "部";
    EXPECT_EQ(CString("首部"), list.GetHead());

    const CStringList& constList = list;
    std::vector<CString> items;
    for (POSITION it = constList.GetHeadPosition(); it != NULL;)
        items.push_back(constList.GetNext(it));
    EXPECT_EQ((std::vector<CString>{"首部", "甲", "丙"}), items);
}

TEST(StringList, SerializesCountThenStringsByteExact)
{
    CStringList list;
    list.AddTail("ab");
    list.AddTail("");
    list.AddTail("中文");

    std::vector<BYTE> expected = Bytes({0x03, 0x00, 0x02, 'a', 'b', 0x00, 0x04, 0xD6, 0xD0, 0xCE, 0xC4});
    std::vector<BYTE> bytes = StoreBytes(list);
    EXPECT_EQ(expected, bytes);

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
    list.AddTail(&first);
    list.AddTail(&label);
    list.AddTail(&second);
    list.AddTail(&first);
    list.AddTail(static_cast<CObject*>(NULL));

    // Class and object indices share one counter starting at 1: the point class is 1, the first
    // point 2, the label class 3, the label 4, the second point 5.
    std::vector<BYTE> expected = Bytes({0x05, 0x00, 0xFF, 0xFF, 0x01, 0x00});
    AppendClassName(expected, "CCollTestPoint");
    AppendLong(expected, 1);
    AppendLong(expected, -2);
    AppendWord(expected, 0xFFFF);
    AppendWord(expected, 2);
    AppendClassName(expected, "CCollTestLabel");
    AppendShortString(expected, "标签");
    AppendWord(expected, 0x8001);
    AppendLong(expected, 0x1234);
    AppendLong(expected, 5);
    AppendWord(expected, 0x0002);
    AppendWord(expected, 0x0000);
    std::vector<BYTE> bytes = StoreBytes(list);
    EXPECT_EQ(expected, bytes);

    CObList loaded;
    LoadBytes(bytes, loaded);
    ASSERT_EQ(5, loaded.GetCount());
    POSITION pos = loaded.GetHeadPosition();
    CObject* pFirst = loaded.GetNext(pos);
    CObject* pLabel = loaded.GetNext(pos);
    CObject* pSecond = loaded.GetNext(pos);
    EXPECT_EQ(pFirst, loaded.GetNext(pos));
    EXPECT_EQ(nullptr, loaded.GetNext(pos));
    ASSERT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CCollTestPoint)));
    ASSERT_TRUE(pLabel->IsKindOf(RUNTIME_CLASS(CCollTestLabel)));
    ASSERT_TRUE(pSecond->IsKindOf(RUNTIME_CLASS(CCollTestPoint)));
    EXPECT_EQ(-2, static_cast<CCollTestPoint*>(pFirst)->m_y);
    EXPECT_EQ(CString("标签"), static_cast<CCollTestLabel*>(pLabel)->m_text);
    EXPECT_EQ(0x1234, static_cast<CCollTestPoint*>(pSecond)->m_x);
    EXPECT_EQ(bytes, StoreBytes(loaded));
    delete pFirst;
    delete pLabel;
    delete pSecond;
}
