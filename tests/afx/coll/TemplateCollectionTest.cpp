#include "afx.h"
#include "afxtempl.h"
#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace collection_test;

namespace
{

// Counts live instances and notices the use of an element that was never constructed or is
// already destroyed.
class Tracked
{
public:
    static int s_nLive;

    Tracked(int value = 0) : m_value(value), m_magic(kAlive) { ++s_nLive; }
    Tracked(const Tracked& other) : m_value(other.Value()), m_magic(kAlive) { ++s_nLive; }
    Tracked& operator=(const Tracked& other)
    {
        CheckAlive();
        m_value = other.Value();
        return *this;
    }
    ~Tracked()
    {
        CheckAlive();
        m_magic = 0;
        --s_nLive;
    }

    int Value() const
    {
        CheckAlive();
        return m_value;
    }
    bool operator==(const Tracked& other) const { return Value() == other.Value(); }

private:
    static constexpr unsigned kAlive = 0x600DF00D;
    void CheckAlive() const { EXPECT_EQ(kAlive, m_magic) << "element used while not alive"; }

    int m_value;
    unsigned m_magic;
};

int Tracked::s_nLive = 0;

std::vector<int> Values(const CArray<Tracked>& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(array[i].Value());
    return values;
}

} // namespace

TEST(TemplateArray, ConstructsAndDestroysEveryElement)
{
    {
        CArray<Tracked> array;
        array.SetSize(10, 3);
        EXPECT_EQ(10, Tracked::s_nLive);
        for (int i = 0; i < 10; ++i)
            array[i] = Tracked(i);
        array.SetSize(4);
        EXPECT_EQ(4, Tracked::s_nLive);
        array.InsertAt(1, Tracked(-1), 3);
        EXPECT_EQ((std::vector<int>{0, -1, -1, -1, 1, 2, 3}), Values(array));
        array.RemoveAt(2, 3);
        EXPECT_EQ((std::vector<int>{0, -1, 2, 3}), Values(array));
        EXPECT_EQ(4, Tracked::s_nLive);
        for (int i = 0; i < 30; ++i)
            array.Add(array[i]);
        array.FreeExtra();
        EXPECT_EQ(34, Tracked::s_nLive);
        EXPECT_EQ(-1, array[33].Value());

        CArray<Tracked> copy;
        copy.Copy(array);
        EXPECT_EQ(68, Tracked::s_nLive);
        copy.RemoveAll();
        EXPECT_EQ(34, Tracked::s_nLive);
    }
    EXPECT_EQ(0, Tracked::s_nLive);
}

TEST(TemplateArray, ShrinkingThenGrowingGivesFreshStrings)
{
    CArray<CString, LPCTSTR> array;
    array.SetSize(3);
    array[0] = "零";
    array[2] = "二";
    array.SetSize(2);
    array.SetSize(3);
    array.InsertAt(1, "插");
    std::vector<CString> expected{"零", "插", "", ""};
    EXPECT_EQ(expected, std::vector<CString>(array.GetData(), array.GetData() + array.GetSize()));
}

TEST(TemplateListAndMap, ConstructAndDestroyEveryElement)
{
    {
        CList<Tracked> list(4);
        for (int i = 0; i < 25; ++i)
            list.AddTail(Tracked(i));
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        {
            POSITION current = pos;
            if (list.GetNext(pos).Value() % 5 != 0)
                list.RemoveAt(current);
        }
        EXPECT_EQ(5, Tracked::s_nLive);
        EXPECT_EQ(15, list.GetAt(list.Find(Tracked(15))).Value());
        EXPECT_EQ(20, list.RemoveTail().Value());
        EXPECT_EQ(4, Tracked::s_nLive);

        CMap<int, int, Tracked, const Tracked&> map;
        for (int i = 0; i < 100; ++i)
            map[i * 3] = Tracked(i);
        for (int i = 0; i < 100; i += 2)
            map.RemoveKey(i * 3);
        EXPECT_EQ(54, Tracked::s_nLive);
        Tracked value;
        ASSERT_TRUE(map.Lookup(3, value));
        EXPECT_EQ(1, value.Value());
        EXPECT_FALSE(map.Lookup(6, value));
    }
    EXPECT_EQ(0, Tracked::s_nLive);

    CMap<CString, const CString&, int, int> byString;
    byString[CString("甲")] = 1;
    byString[CString("甲")] += 2;
    int count = 0;
    ASSERT_TRUE(byString.Lookup(CString("甲"), count));
    EXPECT_EQ(3, count);
}

TEST(TemplateCollections, SerializeThroughSerializeElements)
{
    CArray<CString, LPCTSTR> strings;
    strings.Add("x");
    strings.Add("中");
    std::vector<BYTE> stringBytes = Bytes({0x02, 0x00, 0x01, 'x', 0x02, 0xD6, 0xD0});
    EXPECT_EQ(stringBytes, StoreBytes(strings));
    CArray<CString, LPCTSTR> loadedStrings;
    LoadBytes(stringBytes, loadedStrings);
    ASSERT_EQ(2, loadedStrings.GetSize());
    EXPECT_EQ(CString("中"), loadedStrings[1]);

    CList<int, int> numbers;
    numbers.AddTail(0x01020304);
    numbers.AddTail(-1);
    std::vector<BYTE> numberBytes = Bytes({0x02, 0x00, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(numberBytes, StoreBytes(numbers));
    CList<int, int> loadedNumbers;
    LoadBytes(numberBytes, loadedNumbers);
    ASSERT_EQ(2, loadedNumbers.GetCount());
    EXPECT_EQ(-1, loadedNumbers.GetTail());

    CMap<WORD, WORD, CString, LPCTSTR> map;
    map[0x0A0B] = "v";
    EXPECT_EQ(Bytes({0x01, 0x00, 0x0B, 0x0A, 0x01, 'v'}), StoreBytes(map));

    CList<int, int> truncated;
    try
    {
        LoadBytes(std::vector<BYTE>(numberBytes.begin(), numberBytes.end() - 1), truncated);
        ADD_FAILURE() << "a short read was not reported";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
        e->Delete();
    }
}

TEST(TypedPtrCollections, GiveTypedAccessToTheirBase)
{
    CCollTestPoint a(1, 1);
    CCollTestPoint b(2, 2);

    CTypedPtrList<CObList, CCollTestPoint*> list;
    list.AddTail(&a);
    list.AddHead(&b);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(2, list.GetNext(pos)->m_x);
    EXPECT_EQ(&a, list.GetAt(pos));
    list.GetHead() = &a;
    EXPECT_EQ(&a, list.RemoveHead());

    CTypedPtrArray<CPtrArray, CCollTestPoint*> array;
    array.SetAtGrow(1, &b);
    array[0] = &a;
    EXPECT_EQ(2, array.GetAt(1)->m_y);
    CTypedPtrArray<CPtrArray, CCollTestPoint*> more;
    more.Append(array);
    more.InsertAt(1, &array);
    EXPECT_EQ(&b, more.ElementAt(3));

    CTypedPtrMap<CMapStringToOb, CString, CCollTestPoint*> map;
    map.SetAt("甲", &a);
    map["乙"] = &b;
    CCollTestPoint* pFound = NULL;
    ASSERT_TRUE(map.Lookup("乙", pFound));
    EXPECT_EQ(&b, pFound);
    POSITION it = map.GetStartPosition();
    for (int i = 0; i < 2; ++i)
    {
        CString key;
        map.GetNextAssoc(it, key, pFound);
        EXPECT_EQ(key == "甲" ? &a : &b, pFound);
    }
    EXPECT_EQ(nullptr, it);
}

TEST(CollectionClasses, SerializableExactlyWhereTheirElementsAre)
{
    const std::pair<CRuntimeClass*, bool> classes[] = {
        {RUNTIME_CLASS(CObList), true},         {RUNTIME_CLASS(CPtrList), false},
        {RUNTIME_CLASS(CStringList), true},     {RUNTIME_CLASS(CPtrArray), false},
        {RUNTIME_CLASS(CObArray), true},        {RUNTIME_CLASS(CStringArray), true},
        {RUNTIME_CLASS(CByteArray), true},      {RUNTIME_CLASS(CWordArray), true},
        {RUNTIME_CLASS(CDWordArray), true},     {RUNTIME_CLASS(CUIntArray), false},
        {RUNTIME_CLASS(CMapWordToPtr), false},  {RUNTIME_CLASS(CMapPtrToPtr), false},
        {RUNTIME_CLASS(CMapPtrToWord), false},  {RUNTIME_CLASS(CMapStringToPtr), false},
        {RUNTIME_CLASS(CMapStringToOb), true},  {RUNTIME_CLASS(CMapStringToString), true},
        {RUNTIME_CLASS(CMapWordToOb), true},
    };
    for (const auto& [pClass, bSerializable] : classes)
    {
        SCOPED_TRACE(pClass->m_lpszClassName);
        EXPECT_EQ(RUNTIME_CLASS(CObject), pClass->m_pBaseClass);
        EXPECT_EQ(pClass, CRuntimeClass::FromName(pClass->m_lpszClassName));
        EXPECT_EQ(bSerializable, pClass->m_wSchema != 0xFFFF);
        CObject* pObject = pClass->CreateObject();
        EXPECT_EQ(bSerializable, pObject != NULL);
        EXPECT_TRUE(pObject == NULL || pObject->GetRuntimeClass() == pClass);
        delete pObject;
    }
}
