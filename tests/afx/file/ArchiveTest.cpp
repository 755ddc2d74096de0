// CArchive streams compared byte for byte with the framework's format, read back, and broken on
// purpose: schemas, unknown and unexpected classes, truncation, wrong direction.
#include <gtest/gtest.h>

#include "afx.h"
#include "ScratchFolder.h"

#include <memory>
#include <string>
#include <tuple>
#include <vector>

class CArchiveTestPoint : public CObject
{
    DECLARE_SERIAL(CArchiveTestPoint)
public:
    explicit CArchiveTestPoint(LONG x = 0, LONG y = 0) : m_x(x), m_y(y) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_y;
        else
            ar >> m_x >> m_y;
    }

    LONG m_x;
    LONG m_y;
};
IMPLEMENT_SERIAL(CArchiveTestPoint, CObject, 1)

class CArchiveTestPoint3 : public CArchiveTestPoint
{
    DECLARE_SERIAL(CArchiveTestPoint3)
public:
    void Serialize(CArchive& ar) override
    {
        CArchiveTestPoint::Serialize(ar);
        if (ar.IsStoring())
            ar << m_z;
        else
            ar >> m_z;
    }

    LONG m_z = 0;
};
IMPLEMENT_SERIAL(CArchiveTestPoint3, CArchiveTestPoint, 1)

// Version 3 added the colour; older streams hold the name only.
class CArchiveTestShape : public CObject
{
    DECLARE_SERIAL(CArchiveTestShape)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_name << m_color;
            return;
        }
        m_nLoadedSchema = ar.GetObjectSchema();
        m_nSchemaAskedTwice = ar.GetObjectSchema();
        ar >> m_name;
        if (m_nLoadedSchema >= 3)
            ar >> m_color;
    }

    CString m_name;
    DWORD m_color = 0;
    UINT m_nLoadedSchema = 0;
    UINT m_nSchemaAskedTwice = 0;
};
IMPLEMENT_SERIAL(CArchiveTestShape, CObject, VERSIONABLE_SCHEMA | 3)

// A linked node that counts its live instances, to see what a failed load leaves behind.
class CArchiveTestNode : public CObject
{
    DECLARE_SERIAL(CArchiveTestNode)
public:
    CArchiveTestNode() { ++s_nLive; }
    ~CArchiveTestNode() override { --s_nLive; }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_name << m_pNext;
        else
            ar >> m_name >> m_pNext;
    }

    CString m_name;
    CArchiveTestNode* m_pNext = NULL;
    static int s_nLive;
};
IMPLEMENT_SERIAL(CArchiveTestNode, CObject, 2)
int CArchiveTestNode::s_nLive = 0;

class CArchiveTestUnserializable : public CObject
{
    DECLARE_DYNAMIC(CArchiveTestUnserializable)
};
IMPLEMENT_DYNAMIC(CArchiveTestUnserializable, CObject)

namespace {

std::string W(WORD w)
{
    return std::string(reinterpret_cast<const char*>(&w), 2);
}

std::string D(DWORD dw)
{
    return std::string(reinterpret_cast<const char*>(&dw), 4);
}

std::string NewClass(WORD wSchema, const std::string& name)
{
    return W(0xFFFF) + W(wSchema) + W(static_cast<WORD>(name.size())) + name;
}

std::string ReadAll(CFile& file)
{
    std::string data(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!data.empty())
        data.resize(file.Read(&data[0], static_cast<UINT>(data.size())));
    return data;
}

template <typename Fill> std::string Store(Fill fill, int nBufSize = 4096)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store, nBufSize);
    fill(ar);
    ar.Close();
    return ReadAll(file);
}

// A loading archive over a memory copy of the bytes.
class CLoader
{
public:
    explicit CLoader(const std::string& bytes, int nBufSize = 4096)
    {
        m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        m_file.SeekToBegin();
        m_pArchive.reset(new CArchive(&m_file, CArchive::load, nBufSize));
    }

    CArchive& ar() { return *m_pArchive; }
    CMemFile& file() { return m_file; }

private:
    CMemFile m_file;
    std::unique_ptr<CArchive> m_pArchive;
};

// The cause of the CArchiveException the action throws; -1 when it throws none.
template <typename Action> int ArchiveErrorOf(Action action, CString* pFileName = NULL)
{
    try
    {
        action();
    }
    catch (CArchiveException* e)
    {
        int nCause = e->m_cause;
        if (pFileName != NULL)
            *pFileName = e->m_strFileName;
        e->Delete();
        return nCause;
    }
    return -1;
}

TEST(CArchiveTest, ScalarsAreLittleEndianWithFixedSizes)
{
    std::string bytes = Store([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEF) << 7 << 8u << static_cast<short>(-3) << 'A' << true << 1.0f << 1.0
           << static_cast<LONGLONG>(-5) << static_cast<ULONGLONG>(0x0102030405060708ULL);
    });
    std::string expected = std::string("\x12", 1) + W(0x3456) + D(0xFFFFFFFE) + D(0x89ABCDEF) + D(7) + D(8) +
                           W(0xFFFD) + "A" + "\x01" + std::string("\x00\x00\x80\x3F", 4) +
                           std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8) + D(0xFFFFFFFB) + D(0xFFFFFFFF) +
                           D(0x05060708) + D(0x01020304);
    EXPECT_EQ(expected, bytes);

    CLoader loader(bytes);
    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int i;
    unsigned u;
    short s;
    char ch;
    bool b;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    loader.ar() >> by >> w >> l >> dw >> i >> u >> s >> ch >> b >> f >> d >> ll >> ull;
    EXPECT_EQ(std::make_tuple(0x12, 0x3456, -2L, 0x89ABCDEFUL, 7, 8u, -3, 'A', true, 1.0f, 1.0, -5LL,
                              0x0102030405060708ULL),
              std::make_tuple((int)by, (int)w, l, dw, i, u, (int)s, ch, b, f, d, ll, ull));
    EXPECT_TRUE(loader.ar().IsBufferEmpty());
}

TEST(CArchiveTest, StringLengthPrefixes)
{
    struct Case
    {
        int nLength;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {1, "\x01"},
        {254, "\xFE"},
        {255, "\xFF" + W(255)},
        {0xFFFD, "\xFF" + W(0xFFFD)},
        {0xFFFE, "\xFF" + W(0xFFFF) + D(0xFFFE)},   // a WORD 0xFFFE would read as the Unicode marker
        {0xFFFF, "\xFF" + W(0xFFFF) + D(0xFFFF)},
        {0x10000, "\xFF" + W(0xFFFF) + D(0x10000)},
        {70000, "\xFF" + W(0xFFFF) + D(70000)},
    };
    for (const Case& c : cases)
    {
        std::string text(c.nLength, '\0');
        for (int i = 0; i < c.nLength; ++i)
            text[i] = static_cast<char>('a' + i % 26);
        CString string(text.data(), c.nLength);
        std::string bytes = Store([&](CArchive& ar) { ar << string; }, 512);
        EXPECT_EQ(c.prefix + text, bytes) << "length " << c.nLength;

        CLoader loader(bytes + "tail", 512);
        CString loaded("not empty");
        loader.ar() >> loaded;
        EXPECT_EQ(c.nLength, loaded.GetLength());
        EXPECT_EQ(text, std::string(loaded, loaded.GetLength()));
        char tail[5] = {};
        EXPECT_EQ(4u, loader.ar().Read(tail, 4));
        EXPECT_STREQ("tail", tail);
    }

    // Plain character pointers are written as strings, GBK bytes as they are.
    std::string bytes = Store([](CArchive& ar) { ar << "中文" << static_cast<LPCSTR>("x"); });
    EXPECT_EQ("\x04中文\x01x", bytes);
}

TEST(CArchiveTest, UnicodeStringsLoadInTheAnsiCodePage)
{
    const std::string shortWide("\x2D\x4E\x87\x65", 4);   // 中文 in UTF-16LE
    std::string longWide;
    for (int i = 0; i < 150; ++i)
        longWide += shortWide;
    std::string stream = "\xFF" + W(0xFFFE) + "\x02" + shortWide + "\xFF" + W(0xFFFE) + "\xFF" + W(300) + longWide +
                         "\xFF" + W(0xFFFE) + std::string("\x00", 1);
    CLoader loader(stream);
    CString first, second, empty("x");
    loader.ar() >> first >> second >> empty;
    EXPECT_STREQ("中文", first);
    EXPECT_EQ(600, second.GetLength());
    EXPECT_EQ(0, strncmp("中文中文", second, 8));
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CArchiveTest, ClassesAndObjectsAreWrittenOnceThenReferenced)
{
    CArchiveTestPoint a(1, 2), b(3, 4);
    CArchiveTestPoint3 c;
    c.m_x = 5;
    c.m_y = 6;
    c.m_z = 7;
    std::string bytes = Store([&](CArchive& ar) {
        ar << &a << &b << &a << static_cast<CObject*>(NULL) << &c;
        ar.WriteObject(&c);
        ar.WriteClass(RUNTIME_CLASS(CArchiveTestPoint));
    });
    // Indices: 1 class CArchiveTestPoint, 2 a, 3 b, 4 class CArchiveTestPoint3, 5 c.
    std::string expected = NewClass(1, "CArchiveTestPoint") + D(1) + D(2) + W(0x8001) + D(3) + D(4) + W(2) + W(0) +
                           NewClass(1, "CArchiveTestPoint3") + D(5) + D(6) + D(7) + W(5) + W(0x8001);
    EXPECT_EQ(expected, bytes);

    CLoader loader(bytes);
    CArchiveTestPoint* pA;
    CArchiveTestPoint* pB;
    CArchiveTestPoint* pAagain;
    CObject* pNull;
    CArchiveTestPoint3* pC;
    loader.ar() >> pA >> pB >> pAagain >> pNull >> pC;
    CObject* pCagain = loader.ar().ReadObject(RUNTIME_CLASS(CArchiveTestPoint));
    CRuntimeClass* pClass = loader.ar().ReadClass();
    std::unique_ptr<CObject> ownA(pA), ownB(pB), ownC(pC);
    ASSERT_TRUE(pA && pB && pC);
    EXPECT_EQ(pA, pAagain);
    EXPECT_EQ(NULL, pNull);
    EXPECT_EQ(pC, pCagain);
    EXPECT_EQ(RUNTIME_CLASS(CArchiveTestPoint), pClass);
    EXPECT_EQ(1, pA->m_x);
    EXPECT_EQ(4, pB->m_y);
    EXPECT_EQ(RUNTIME_CLASS(CArchiveTestPoint3), pC->GetRuntimeClass());
    EXPECT_EQ(7, pC->m_z);
}

TEST(CArchiveTest, ObjectGraphsWithCyclesKeepTheirShape)
{
    int nLiveBefore = CArchiveTestNode::s_nLive;
    {
        CArchiveTestNode first, second;
        first.m_name = "第一";
        first.m_pNext = &second;
        second.m_name = "second";
        second.m_pNext = &first;
        std::string bytes = Store([&](CArchive& ar) { ar << &first; });
        EXPECT_EQ(NewClass(2, "CArchiveTestNode") + "\x04第一" + W(0x8001) + "\x06second" + W(2), bytes);

        CLoader loader(bytes);
        CArchiveTestNode* pFirst;
        loader.ar() >> pFirst;
        ASSERT_NE(nullptr, pFirst);
        ASSERT_NE(nullptr, pFirst->m_pNext);
        EXPECT_STREQ("第一", pFirst->m_name);
        EXPECT_STREQ("second", pFirst->m_pNext->m_name);
        EXPECT_EQ(pFirst, pFirst->m_pNext->m_pNext);
        delete pFirst->m_pNext;
        delete pFirst;
    }
    EXPECT_EQ(nLiveBefore, CArchiveTestNode::s_nLive);

    // A load that fails inside the inner object's data leaves neither object behind.
    std::string truncated = NewClass(2, "CArchiveTestNode") + "\x01x" + W(0x8001) + "\x05sh";
    CLoader loader(truncated);
    CArchiveTestNode* pNode = NULL;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveErrorOf([&] { loader.ar() >> pNode; }));
    EXPECT_EQ(NULL, pNode);
    EXPECT_EQ(nLiveBefore, CArchiveTestNode::s_nLive);
}

TEST(CArchiveTest, SchemasOnLoad)
{
    // Fixed schema: a stream of another version is refused, with the archive's file name.
    CScratchFolder folder;
    folder.CreateWithContents("old.dat", NewClass(7, "CArchiveTestPoint") + D(1) + D(2));
    CFile file(folder.Path("old.dat"), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString strFileName;
    CObject* pOb = NULL;
    EXPECT_EQ(CArchiveException::badSchema, ArchiveErrorOf([&] { ar >> pOb; }, &strFileName));
    EXPECT_STREQ(folder.Path("old.dat"), strFileName);
    EXPECT_EQ(NULL, pOb);

    // Versionable schema: older data loads and Serialize sees the stored number, once.
    CArchiveTestShape current;
    current.m_name = "now";
    current.m_color = 0xFF00FF;
    std::string written = Store([&](CArchive& out) { out << &current; });
    EXPECT_EQ(NewClass(3, "CArchiveTestShape") + "\x03now" + D(0xFF00FF), written);

    std::string old = NewClass(1, "CArchiveTestShape") + "\x03one" + W(0x8001) + "\x03two";
    CLoader loader(old);
    CLoader nowLoader(written);
    CArchiveTestShape* pOne;
    CArchiveTestShape* pTwo;
    CArchiveTestShape* pNow;
    loader.ar() >> pOne >> pTwo;
    nowLoader.ar() >> pNow;
    std::unique_ptr<CObject> ownOne(pOne), ownTwo(pTwo), ownNow(pNow);
    EXPECT_EQ(1u, pOne->m_nLoadedSchema);
    EXPECT_EQ(static_cast<UINT>(-1), pOne->m_nSchemaAskedTwice);
    EXPECT_STREQ("one", pOne->m_name);
    EXPECT_EQ(1u, pTwo->m_nLoadedSchema) << "a class reference keeps the schema read with the class";
    EXPECT_STREQ("two", pTwo->m_name);
    EXPECT_EQ(3u, pNow->m_nLoadedSchema);
    EXPECT_EQ(0xFF00FFu, pNow->m_color);

    // SerializeClass leaves the schema for GetObjectSchema.
    std::string classes = Store([](CArchive& out) {
        out.SerializeClass(RUNTIME_CLASS(CArchiveTestShape));
        out.SerializeClass(RUNTIME_CLASS(CArchiveTestShape));
    });
    EXPECT_EQ(NewClass(3, "CArchiveTestShape") + W(0x8001), classes);
    CLoader classLoader(NewClass(2, "CArchiveTestShape"));
    classLoader.ar().SerializeClass(RUNTIME_CLASS(CArchiveTestShape));
    EXPECT_EQ(2u, classLoader.ar().GetObjectSchema());
    EXPECT_EQ(static_cast<UINT>(-1), classLoader.ar().GetObjectSchema());
}

TEST(CArchiveTest, ClassesAreFoundByNameAndChecked)
{
    CArchiveTestPoint3 derived;
    derived.m_x = 9;
    std::string stream = Store([&](CArchive& ar) { ar << &derived << &derived; });

    // By name alone, into a plain CObject pointer.
    {
        CLoader loader(stream);
        CObject* pOb;
        loader.ar() >> pOb;
        std::unique_ptr<CObject> own(pOb);
        ASSERT_NE(nullptr, pOb);
        EXPECT_EQ(RUNTIME_CLASS(CArchiveTestPoint3), pOb->GetRuntimeClass());
        EXPECT_EQ(9, static_cast<CArchiveTestPoint3*>(pOb)->m_x);
        EXPECT_EQ(pOb, loader.ar().ReadObject(RUNTIME_CLASS(CArchiveTestPoint)));
    }
    // A derived object satisfies its base class; a base object does not satisfy a derived one.
    {
        CLoader loader(stream);
        CObject* pOb = loader.ar().ReadObject(RUNTIME_CLASS(CArchiveTestPoint));
        std::unique_ptr<CObject> own(pOb);
        EXPECT_EQ(CArchiveException::badClass,
                  ArchiveErrorOf([&] { loader.ar().ReadObject(RUNTIME_CLASS(CArchiveTestShape)); }))
            << "a reference to an object of another class";
    }
    CArchiveTestPoint base;
    CLoader baseLoader(Store([&](CArchive& ar) { ar << &base; }));
    EXPECT_EQ(CArchiveException::badClass,
              ArchiveErrorOf([&] { baseLoader.ar().ReadObject(RUNTIME_CLASS(CArchiveTestPoint3)); }));

    CLoader unknown(NewClass(1, "CNoSuchClassAnywhere") + D(0));
    EXPECT_EQ(CArchiveException::badClass, ArchiveErrorOf([&] { unknown.ar().ReadObject(NULL); }));
    CLoader unserializable(NewClass(0xFFFF, "CArchiveTestUnserializable"));
    EXPECT_EQ(CArchiveException::badClass, ArchiveErrorOf([&] { unserializable.ar().ReadObject(NULL); }));

    CLoader badIndex(W(0x8005));
    EXPECT_EQ(CArchiveException::badIndex, ArchiveErrorOf([&] { badIndex.ar().ReadObject(NULL); }));
    CLoader objectForClass(W(0));
    EXPECT_EQ(CArchiveException::badIndex, ArchiveErrorOf([&] { objectForClass.ar().ReadClass(); }));

    bool bNotSupported = false;
    try
    {
        CArchiveTestUnserializable plain;
        Store([&](CArchive& ar) { ar << &plain; });
    }
    catch (CNotSupportedException* e)
    {
        bNotSupported = true;
        e->Delete();
    }
    EXPECT_TRUE(bNotSupported);
}

TEST(CArchiveTest, BigIndicesUseTheEscape)
{
    const int nMapped = 0x7FFF;
    std::unique_ptr<CArchiveTestPoint[]> placeholders(new CArchiveTestPoint[nMapped]);
    CArchiveTestPoint a(1, 1), b(2, 2);
    std::string bytes = Store([&](CArchive& ar) {
        for (int i = 0; i < nMapped; ++i)
            ar.MapObject(&placeholders[i]);
        ar << &a << &b << &a << &placeholders[0x7FFD] << &placeholders[0x7FFE];
    });
    // Indices: placeholders 1..0x7FFF, class 0x8000, a 0x8001, b 0x8002.
    std::string expected = NewClass(1, "CArchiveTestPoint") + D(1) + D(1) + W(0x7FFF) + D(0x80008000) + D(2) + D(2) +
                           W(0x7FFF) + D(0x8001) + W(0x7FFE) + W(0x7FFF) + D(0x7FFF);
    EXPECT_EQ(expected, bytes);

    CLoader loader(bytes);
    for (int i = 0; i < nMapped; ++i)
        loader.ar().MapObject(&placeholders[i]);
    CObject* pA;
    CObject* pB;
    CObject* pAagain;
    CObject* pLow;
    CObject* pHigh;
    loader.ar() >> pA >> pB >> pAagain >> pLow >> pHigh;
    std::unique_ptr<CObject> ownA(pA), ownB(pB);
    EXPECT_EQ(2, static_cast<CArchiveTestPoint*>(pB)->m_x);
    EXPECT_EQ(pA, pAagain);
    EXPECT_EQ(&placeholders[0x7FFD], pLow);
    EXPECT_EQ(&placeholders[0x7FFE], pHigh);
}

TEST(CArchiveTest, Counts)
{
    std::string bytes = Store([](CArchive& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345);
    });
    EXPECT_EQ(W(0) + W(0xFFFE) + W(0xFFFF) + D(0xFFFF) + W(0xFFFF) + D(0x12345), bytes);
    CLoader loader(bytes);
    EXPECT_EQ(0u, loader.ar().ReadCount());
    EXPECT_EQ(0xFFFEu, loader.ar().ReadCount());
    EXPECT_EQ(0xFFFFu, loader.ar().ReadCount());
    EXPECT_EQ(0x12345u, loader.ar().ReadCount());
}

TEST(CArchiveTest, DirectionAndEndOfData)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    WORD w;
    CString s;
    CObject* pOb;
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveErrorOf([&] { storing >> w; }));
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveErrorOf([&] { storing >> s; }));
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveErrorOf([&] { storing >> pOb; }));

    CLoader loader(W(0x0102) + "\x0A" + "abc");
    EXPECT_EQ(CArchiveException::readOnly, ArchiveErrorOf([&] { loader.ar() << w; }));
    EXPECT_EQ(CArchiveException::readOnly, ArchiveErrorOf([&] { loader.ar() << CString("x"); }));
    EXPECT_EQ(CArchiveException::readOnly, ArchiveErrorOf([&] { loader.ar().WriteObject(NULL); }));
    loader.ar() >> w;
    EXPECT_EQ(0x0102, w);
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveErrorOf([&] { loader.ar() >> s; })) << "10 bytes announced, 3 there";

    CLoader shortScalar(std::string("\x01\x02\x03", 3));
    DWORD dw;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveErrorOf([&] { shortScalar.ar() >> dw; }));
    CLoader shortName(W(0xFFFF) + W(1) + W(20) + "CArchive");
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveErrorOf([&] { shortName.ar().ReadObject(NULL); }));
    CLoader empty("");
    char buffer[4];
    EXPECT_EQ(0u, empty.ar().Read(buffer, sizeof(buffer)));
}

TEST(CArchiveTest, BufferingOverRealFiles)
{
    CScratchFolder folder;
    CString path = folder.Path("stream.dat");
    std::string block(1000, '\0');
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 16);
        EXPECT_STREQ(path, ar.m_strFileName);
        ar << static_cast<WORD>(1);
        EXPECT_FALSE(ar.IsBufferEmpty());
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar << static_cast<DWORD>(2);
        ar.Write(block.data(), 10);
        ar << CString(block.data(), 300);
        // The destructor flushes.
    }
    std::string expected = W(1) + block + D(2) + block.substr(0, 10) + "\xFF" + W(300) + block.substr(0, 300);
    EXPECT_EQ(expected, folder.Contents("stream.dat"));

    CFile file(path, CFile::modeRead);
    {
        CArchive ar(&file, CArchive::load, 16);
        WORD w;
        ar >> w;
        std::string readBack(1000, '\0');
        EXPECT_EQ(1000u, ar.Read(&readBack[0], 1000));
        EXPECT_EQ(block, readBack);
        DWORD dw;
        ar >> dw;
        EXPECT_EQ(2u, dw);
        EXPECT_EQ(7u, ar.Read(&readBack[0], 7));
        ar.Close();
    }
    // Closing a loading archive returns what it read ahead.
    EXPECT_EQ(2u + 1000 + 4 + 7, file.GetPosition());

    // Without flushing on delete, buffered data is dropped; Abort drops it too.
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << static_cast<DWORD>(1);
    }
    {
        CArchive ar(&memory, CArchive::store);
        ar << static_cast<DWORD>(1);
        ar.Abort();
    }
    EXPECT_EQ(0u, memory.GetLength());
    {
        BYTE userBuffer[32];
        CArchive ar(&memory, CArchive::store, sizeof(userBuffer), userBuffer);
        ar << static_cast<DWORD>(0x11223344);
        EXPECT_EQ(0x44, userBuffer[0]) << "the caller's buffer holds the pending bytes";
        ar.Flush();
        EXPECT_TRUE(ar.IsBufferEmpty());
    }
    EXPECT_EQ(D(0x11223344), ReadAll(memory));
}

TEST(CArchiveTest, TextLines)
{
    std::string bytes = Store([](CArchive& ar) {
        ar.WriteString("第一行\r\n");
        ar.WriteString("second\n\nlast");
    });
    EXPECT_EQ("第一行\r\nsecond\n\nlast", bytes);

    CLoader loader(bytes, 16);
    std::vector<CString> lines;
    for (CString line; loader.ar().ReadString(line);)
        lines.push_back(line);
    EXPECT_EQ((std::vector<CString>{"第一行", "second", "", "last"}), lines);

    CLoader limited("abcdefgh\r\nij\n");
    char buffer[5];
    EXPECT_EQ(NULL, loader.ar().ReadString(buffer, 5));
    EXPECT_STREQ("abcd", limited.ar().ReadString(buffer, 5));
    EXPECT_STREQ("efgh", limited.ar().ReadString(buffer, 5));
    EXPECT_STREQ("", limited.ar().ReadString(buffer, 5));
    EXPECT_STREQ("ij", limited.ar().ReadString(buffer, 5));
    EXPECT_EQ(NULL, limited.ar().ReadString(buffer, 5));
}

} // namespace
