#include "afx.h"
#include "afxtempl.h"
#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace collection_test;

namespace
{

// Counts live instances and notices use of an element that was never constructed or already
// destroyed.
class Tracked
{
public:
    static int s_nLive;

    Tracked() : Tracked(0) {}
    Tracked(int value) : m_value(value), m_magic(kAlive) { ++s_nLive; }
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
        m_magic = kDead;
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
    static constexpr unsigned kDead = 0xDEADBEEF;

    void CheckAlive() const { EXPECT_EQ(kAlive, m_magic) << "element used while not alive"; }

    int m_value;
    unsigned m_magic;
};

int Tracked::s_nLive = 0;

template <class ARRAY>
std::vector<int> Values(const ARRAY& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(array[i].Value());
    return values;
}

std::vector<CString> Strings(const CArray<CString, LPCTSTR>& array)
{
    return std::vector<CString>(array.GetData(), array.GetData() + array.GetSize());
}

} // namespace

TEST(TemplateArray, ConstructsAndDestroysEveryElement)
{
    {
        CArray<Tracked, const Tracked&> array;
        array.SetSize(10, 3);
        EXPECT_EQ(10, Tracked::s_nLive);
        for (int i = 0; i < 10; ++i)
            array[i] = Tracked(i);
        array.SetSize(4);
        EXPECT_EQ(4, Tracked::s_nLive);

        array.InsertAt(1, Tracked(-1), 3);
        EXPECT_EQ((std::vector<int>{0, -1, -1, -1, 1, 2, 3}), Values(array));
        EXPECT_EQ(7, Tracked::s_nLive);
        array.RemoveAt(2, 3);
        EXPECT_EQ((std::vector<int>{0, -1, 2, 3}), Values(array));
        EXPECT_EQ(4, Tracked::s_nLive);

        for (int i = 0; i < 30; ++i)
            array.Add(array[i]);
        EXPECT_EQ(34, Tracked::s_nLive);
        for (int i = 0; i < 34; ++i)
            EXPECT_EQ((std::vector<int>{0, -1, 2, 3})[i % 4], array[i].Value()) << i;
        array.FreeExtra();
        EXPECT_EQ(34, Tracked::s_nLive);

        CArray<Tracked, const Tracked&> other;
        other.Copy(array);
        EXPECT_EQ(68, Tracked::s_nLive);
        other.RemoveAll();
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
    EXPECT_TRUE(array[2].IsEmpty());

    array.InsertAt(1, "插");
    array.Add("尾");
    EXPECT_EQ((std::vector<CString>{"零", "插", "", "", "尾"}), Strings(array));
    array.RemoveAt(2, 2);
    EXPECT_EQ((std::vector<CString>{"零", "插", "尾"}), Strings(array));

    CArray<CString, LPCTSTR> copy;
    copy.Append(array);
    copy.Append(array);
    EXPECT_EQ(6, copy.GetSize());
    EXPECT_EQ(CString("尾"), copy[5]);
}

TEST(TemplateList, ConstructsAndDestroysEveryElement)
{
    {
        CList<Tracked, const Tracked&> list(4);
        for (int i = 0; i < 25; ++i)
            list.AddTail(Tracked(i));
        EXPECT_EQ(25, Tracked::s_nLive);

        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        {
            POSITION current = pos;
            if (list.GetNext(pos).Value() % 5 != 0)
                list.RemoveAt(current);
        }
        EXPECT_EQ(5, Tracked::s_nLive);
        EXPECT_EQ(15, list.GetAt(list.Find(Tracked(15))).Value());
        EXPECT_EQ(nullptr, list.Find(Tracked(16)));
        EXPECT_EQ(20, list.RemoveTail().Value());
        EXPECT_EQ(4, Tracked::s_nLive);
        list.RemoveAll();
        EXPECT_EQ(0, Tracked::s_nLive);
        list.AddHead(Tracked(1));
    }
    EXPECT_EQ(0, Tracked::s_nLive);
}

TEST(TemplateMap, KeysAndValuesOfClassType)
{
    {
        CMap<int, int, Tracked, const Tracked&> map;
        for (int i = 0; i < 100; ++i)
            map[i * 3] = Tracked(i);
        EXPECT_EQ(100, Tracked::s_nLive);
        for (int i = 0; i < 100; i += 2)
            EXPECT_TRUE(map.RemoveKey(i * 3));
        EXPECT_EQ(50, Tracked::s_nLive);
        Tracked value;
        ASSERT_TRUE(map.Lookup(3, value));
        EXPECT_EQ(1, value.Value());
        EXPECT_FALSE(map.Lookup(6, value));
    }
    EXPECT_EQ(0, Tracked::s_nLive);

    CMap<CString, const CString&, CString, const CString&> names;
    names[CString("甲")] = "一";
    names.SetAt(CString("乙"), CString("二"));
    CString value;
    ASSERT_TRUE(names.Lookup(CString("甲"), value));
    EXPECT_EQ(CString("一"), value);

    CMap<CString, LPCTSTR, int, int> counts;
    counts["a"] = 1;
    counts["a"] += 2;
    int count = 0;
    ASSERT_TRUE(counts.Lookup("a", count));
    EXPECT_EQ(3, count);
}

TEST(TemplateCollections, SerializeThroughSerializeElements)
{
    CArray<CString, LPCTSTR> strings;
    strings.Add("x");
    strings.Add("中");
    std::vector<BYTE> expected = Bytes({0x02, 0x00, 0x01, 'x'});
    AppendShortString(expected, "中");
    EXPECT_EQ(expected, StoreBytes(strings));
    CArray<CString, LPCTSTR> loadedStrings;
    LoadBytes(expected, loadedStrings);
    EXPECT_EQ(Strings(strings), Strings(loadedStrings));

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
    std::vector<BYTE> mapBytes = Bytes({0x01, 0x00, 0x0B, 0x0A, 0x01, 'v'});
    EXPECT_EQ(mapBytes, StoreBytes(map));
    CMap<WORD, WORD, CString, LPCTSTR> loadedMap;
    LoadBytes(mapBytes, loadedMap);
    CString value;
    ASSERT_TRUE(loadedMap.Lookup(0x0A0B, value));
    EXPECT_EQ(CString("v"), value);

    std::vector<BYTE> truncated(numberBytes.begin(), numberBytes.end() - 1);
    CList<int, int> broken;
    try
    {
        LoadBytes(truncated, broken);
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
    EXPECT_EQ(&a, list.GetTail());

    CTypedPtrArray<CPtrArray, CCollTestPoint*> array;
    array.Add(&a);
    array.SetAtGrow(2, &b);
    EXPECT_EQ(nullptr, array[1]);
    array[1] = &b;
    EXPECT_EQ(2, array.GetAt(1)->m_y);
    CTypedPtrArray<CPtrArray, CCollTestPoint*> more;
    more.Append(array);
    more.InsertAt(0, &array);
    EXPECT_EQ(6, more.GetSize());
    EXPECT_EQ(&b, more.ElementAt(5));

    CTypedPtrMap<CMapStringToOb, CString, CCollTestPoint*> map;
    map.SetAt("甲", &a);
    map["乙"] = &b;
    CCollTestPoint* pFound = NULL;
    ASSERT_TRUE(map.Lookup("乙", pFound));
    EXPECT_EQ(&b, pFound);
    int nVisited = 0;
    for (POSITION it = map.GetStartPosition(); it != NULL; ++nVisited)
    {
        CString key;
        CCollTestPoint* pPoint;
        map.GetNextAssoc(it, key, pPoint);
        EXPECT_EQ(key == "甲" ? &a : &b, pPoint);
    }
    EXPECT_EQ(2, nVisited);
    EXPECT_TRUE(map.RemoveKey("甲"));
    EXPECT_FALSE(map.Lookup("甲", pFound));
}

TEST(CollectionClasses, SerializableExactlyWhereTheirElementsAre)
{
    struct Expectation
    {
        CRuntimeClass* pClass;
        bool bSerializable;
    };
    const Expectation expectations[] = {
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
    for (const Expectation& expectation : expectations)
    {
        CRuntimeClass* pClass = expectation.pClass;
        SCOPED_TRACE(pClass->m_lpszClassName);
        EXPECT_EQ(RUNTIME_CLASS(CObject), pClass->m_pBaseClass);
        EXPECT_EQ(pClass, CRuntimeClass::FromName(pClass->m_lpszClassName));
        EXPECT_EQ(expectation.bSerializable, pClass->m_wSchema != 0xFFFF);
        CObject* pObject = pClass->CreateObject();
        EXPECT_EQ(expectation.bSerializable, pObject != NULL);
        if (pObject != NULL)
        {
            EXPECT_EQ(pClass, pObject->GetRuntimeClass());
            delete pObject;
        }
    }
}
