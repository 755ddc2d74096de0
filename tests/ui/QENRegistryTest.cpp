#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "ScratchRegistryKey.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

// A serializable item that counts its live instances, to see which objects a read deletes. On
// loading it reserves as many bytes as its value says, as objects that size a buffer from their data do.
class CRegistryTestItem : public CObject
{
    DECLARE_SERIAL(CRegistryTestItem)
public:
    explicit CRegistryTestItem(int nValue = 0) : m_nValue(nValue) { ++s_nLive; }
    ~CRegistryTestItem() override { --s_nLive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
        {
            ar >> m_nValue;
            m_strBuffer.GetBuffer(m_nValue);
        }
    }
    int m_nValue;
    CString m_strBuffer;
    static int s_nLive;
};
IMPLEMENT_SERIAL(CRegistryTestItem, CObject, 1)
int CRegistryTestItem::s_nLive = 0;

class CRegistryTestDerived : public CQENRegistry
{
    DECLARE_DYNCREATE(CRegistryTestDerived)
};
IMPLEMENT_DYNCREATE(CRegistryTestDerived, CQENRegistry)

namespace {

// The settings path of a company key that belongs to this test.
class RegistryTest : public ::testing::Test
{
protected:
    ~RegistryTest() override
    {
        // What a read-only accessor that failed to refuse would have written into the open root.
        ::RegDeleteValueA(HKEY_CURRENT_USER, m_strCompany);
        CQENRegistryHolder::SetRegistryClass(NULL);
    }

    void SetRaw(LPCTSTR lpszName, DWORD dwType, const std::string& data)
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, m_strPath, lpszName, dwType, data.data(),
                                                   static_cast<DWORD>(data.size())));
    }

    // The value's type and bytes as the registry holds them; type REG_NONE when it is missing.
    std::pair<DWORD, std::string> Raw(LPCTSTR lpszName)
    {
        char buffer[512];
        DWORD dwType = REG_NONE, cbData = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_strPath, lpszName, RRF_RT_ANY | RRF_NOEXPAND, &dwType, buffer,
                           &cbData) != ERROR_SUCCESS)
            return {REG_NONE, ""};
        return {dwType, std::string(buffer, cbData)};
    }

    static bool KeyIsThere(const CString& strPath)
    {
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }

    CQENRegistry& Opened(CQENRegistryHolder& holder, BOOL bReadOnly)
    {
        CQENRegistry* pRegistry = holder.Create(FALSE, bReadOnly);
        EXPECT_TRUE(bReadOnly ? pRegistry->Open(m_strPath) : pRegistry->CreateKey(m_strPath));
        return *pRegistry;
    }

    CScratchRegistryKey m_scratch{"Registry"};
    const CString m_strCompany = AfxGetApp()->m_pszRegistryKey;
    const CString m_strPath = BuildSettingsPath("Section", NULL);
};

// The framework's stream: new-class tag, schema, name length and name, then the list's count and its
// length-prefixed strings.
const std::string kObjectStream = std::string("\xFF\xFF\0\0\x0B\0CStringList\x02\0\x03one\0", 24);

template <class ARRAY>
auto Elements(const ARRAY& array)
{
    std::vector<std::decay_t<decltype(array[0])>> elements;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        elements.push_back(array[i]);
    return elements;
}

std::vector<CString> Strings(const CStringList& list)
{
    std::vector<CString> strings;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        strings.push_back(list.GetNext(pos));
    return strings;
}

// Writes the value, reads it back into a fresh object and compares what the two hold.
template <class T, class CONTENT>
void ExpectRoundTrip(CQENRegistry& registry, LPCTSTR lpszName, T& value, CONTENT content)
{
    T read{};
    ASSERT_TRUE(registry.Write(lpszName, value)) << lpszName;
    ASSERT_TRUE(registry.Read(lpszName, read)) << lpszName;
    EXPECT_EQ(content(value), content(read)) << lpszName;
}

TEST_F(RegistryTest, EveryValueTypeIsStoredInItsFormAndReadBack)
{
    CQENRegistryHolder holder;
    CQENRegistry& registry = Opened(holder, FALSE);
    CWordArray words;
    for (WORD w : {1, 0xFFFF, 0x1234})
        words.Add(w);
    CByteArray bytes;
    bytes.Add(7);
    CDWordArray dwords;
    dwords.Add(0xDEADBEEF);
    CStringArray strings;
    strings.Add("甲");
    strings.Add("");
    CStringList list;
    list.AddTail("one");
    list.AddTail("");
    CRect rect(-2, 2, 100, 200);
    CPoint point(-5, 6);
    CString strText = "中文";
    int nValue = -7;
    DWORD dwValue = 0x80000001;
    const auto same = [](const auto& value) { return value; };
    ExpectRoundTrip(registry, "Words", words, Elements<CWordArray>);
    ExpectRoundTrip(registry, "Bytes", bytes, Elements<CByteArray>);
    ExpectRoundTrip(registry, "DWords", dwords, Elements<CDWordArray>);
    ExpectRoundTrip(registry, "Strings", strings, Elements<CStringArray>);
    ExpectRoundTrip(registry, "List", list, Strings);
    ExpectRoundTrip(registry, "Rect", rect, same);
    ExpectRoundTrip(registry, "Point", point, same);
    ExpectRoundTrip(registry, "Text", strText, same);
    EXPECT_EQ(5u, registry.LastSize());
    ExpectRoundTrip(registry, "Int", nValue, same);
    ExpectRoundTrip(registry, "DWord", dwValue, same);
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), std::string("\x03\0\0\0\x01\0\xFF\xFF\x34\x12", 10)), Raw("Words"));
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), std::string("\xFE\xFF\xFF\xFF\x02\0\0\0\x64\0\0\0\xC8\0\0\0", 16)),
              Raw("Rect"));
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("中文", 5)), Raw("Text"));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), std::string("\xF9\xFF\xFF\xFF", 4)), Raw("Int"));

    CObject* pObject = NULL;
    ASSERT_TRUE(registry.Write("Object", static_cast<CObject*>(&list)) && registry.Read("Object", pObject));
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), kObjectStream), Raw("Object"));
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CStringList)));
    EXPECT_EQ(Strings(list), Strings(*static_cast<CStringList*>(pObject)));
    delete pObject;

    BYTE raw[3] = {9, 0, 8};
    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(registry.Write("Raw", raw, sizeof raw) && registry.Read("Raw", &pData, &nBytes));
    EXPECT_EQ(std::string("\x09\0\x08", 3), std::string(reinterpret_cast<char*>(pData), nBytes));
    delete[] pData;

    // The list's own objects are replaced by the loaded ones and deleted.
    CRegistryTestItem first(11), second(22);
    CObList objects;
    objects.AddTail(&first);
    objects.AddTail(&second);
    ASSERT_TRUE(registry.Write("Objects", objects));
    objects.RemoveAll();
    objects.AddTail(new CRegistryTestItem(99));
    ASSERT_TRUE(registry.Read("Objects", objects));
    ASSERT_EQ(2, objects.GetCount());
    EXPECT_EQ(22, static_cast<CRegistryTestItem*>(objects.GetTail())->m_nValue);
    EXPECT_EQ(4, CRegistryTestItem::s_nLive);
    while (!objects.IsEmpty())
        delete objects.RemoveHead();
}

TEST_F(RegistryTest, ReadOnlyAccessorChangesNothing)
{
    SetRaw("Kept", REG_DWORD, std::string("\x05\0\0\0", 4));
    CQENRegistryHolder holder;
    // Until a key is opened the root is open, with all the rights the root gives.
    CQENRegistry& registry = *holder.Create(FALSE, TRUE);
    const CString strName = m_strCompany;
    CWordArray words;
    CByteArray bytes;
    CDWordArray dwords;
    CStringArray strings;
    CStringList list;
    CObList objects;
    BYTE raw = 0;
    const std::function<BOOL()> writes[] = {
        [&] { return registry.Write(strName, &list); },    [&] { return registry.Write(strName, strings); },
        [&] { return registry.Write(strName, list); },     [&] { return registry.Write(strName, &raw, 1); },
        [&] { return registry.Write(strName, CPoint()); }, [&] { return registry.Write(strName, CRect()); },
        [&] { return registry.Write(strName, words); },    [&] { return registry.Write(strName, bytes); },
        [&] { return registry.Write(strName, dwords); },   [&] { return registry.Write(strName, objects); },
        [&] { return registry.Write(strName, "text"); },   [&] { return registry.Write(strName, DWORD(1)); },
        [&] { return registry.Write(strName, 1); },        [&] { return registry.CreateKey(m_strPath + "Sub"); },
        [&] { return registry.DeleteKey(m_strPath); },
    };
    for (const auto& write : writes)
        EXPECT_FALSE(write());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegQueryValueExA(HKEY_CURRENT_USER, strName, NULL, NULL, NULL, NULL));
    EXPECT_FALSE(KeyIsThere(m_strPath + "Sub"));
    // Deleting a value has no test of its own: the rights of the key opened read-only refuse it.
    ASSERT_TRUE(registry.Open(m_strPath));
    DWORD dwKept = 0;
    EXPECT_TRUE(registry.Read("Kept", dwKept));
    EXPECT_EQ(5u, dwKept);
    EXPECT_FALSE(registry.DeleteValue("Kept"));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), std::string("\x05\0\0\0", 4)), Raw("Kept"));
}

TEST_F(RegistryTest, PathsLoseOneTrailingBackslashAndDeletionTakesTheWholeTree)
{
    EXPECT_EQ("SOFTWARE\\" + m_strCompany + "\\App\\Section\\", m_strPath);
    EXPECT_STREQ("Given", BuildSettingsPath("Section", "Given"));
    AfxGetApp()->m_pszRegistryKey = "";
    EXPECT_STREQ("SOFTWARE\\App\\Other\\", BuildSettingsPath("Other", ""));
    AfxGetApp()->m_pszRegistryKey = m_strCompany;

    CQENRegistryHolder holder;
    CQENRegistry& registry = *holder.Create(FALSE, FALSE);
    ASSERT_TRUE(registry.CreateKey(m_strPath + "A\\B\\"));
    ASSERT_TRUE(registry.CreateKey(m_strPath + "A\\C"));
    ASSERT_TRUE(registry.Write("Leaf", 2) && registry.Write("Other", 3));
    // The last character's trail byte is 0x5C, the code of '\'.
    ASSERT_TRUE(registry.CreateKey(m_strPath + "A\\乗"));
    EXPECT_TRUE(KeyIsThere(m_strPath + "A\\乗"));
    ASSERT_TRUE(registry.Open(m_strPath + "A\\"));
    CStringArray names;
    ASSERT_TRUE(registry.ReadSubKeyNames(names));
    EXPECT_EQ((std::set<CString>{"B", "C", "乗"}), std::set<CString>(names.GetData(), names.GetData() + names.GetSize()));
    EXPECT_TRUE(registry.KeyExists("B\\"));
    EXPECT_FALSE(registry.KeyExists("D"));
    ASSERT_TRUE(registry.Open(m_strPath + "A\\C\\"));
    ASSERT_TRUE(registry.ReadValueNames(names));
    EXPECT_EQ(2, names.GetSize());
    EXPECT_TRUE(registry.ValueExists("Leaf"));

    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_FALSE(registry.DeleteKey("\\"));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, registry.LastResult());
    EXPECT_TRUE(registry.DeleteKey(m_strPath + "A\\"));
    EXPECT_FALSE(KeyIsThere(m_strPath + "A"));
    EXPECT_TRUE(KeyIsThere(m_strPath));
}

TEST_F(RegistryTest, MalformedValuesGiveFalseAndLeaveTheDefaults)
{
    // The system reads a wide string cut inside its last character as narrow text without a terminator.
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, m_strPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL));
    ::RegSetValueExW(hKey, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 5);
    ::RegCloseKey(hKey);
    SetRaw("Binary", REG_BINARY, std::string("\x01\0\0\0", 4));
    SetRaw("LongBinary", REG_BINARY, std::string(20, '\x01'));
    SetRaw("Number", REG_SZ, std::string("12\0", 3));
    SetRaw("ShortWords", REG_BINARY, std::string("\x05\0\0\0\x01\0\x02\0", 8));
    SetRaw("HugeDWords", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\xFF\x3F\x01\0\0\0", 10));
    SetRaw("CutStrings", REG_BINARY, std::string("\x03\0\x02xy\x05z", 7));
    SetRaw("UnknownClass", REG_BINARY, std::string("\xFF\xFF\0\0\x05\0Nope!\0\0", 13));
    // The second entry refers back to the first object, then the stream ends before the third.
    SetRaw("RepeatedThenCut", REG_BINARY, std::string("\x03\0\xFF\xFF\x01\0\x11\0CRegistryTestItem\x01\0\0\0\x02\0", 31));
    SetRaw("HugeItem", REG_BINARY, std::string("\x01\0\xFF\xFF\x01\0\x11\0CRegistryTestItem\0\xFF\xFF\x7F", 29));

    CQENRegistryHolder holder;
    CQENRegistry& registry = Opened(holder, TRUE);
    CString strText = "default";
    EXPECT_FALSE(registry.Read("Text", strText));
    EXPECT_STREQ("", strText);
    EXPECT_FALSE(registry.Read("Missing", strText));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry.LastResult());

    int nValue = 42;
    CRect rect(1, 2, 3, 4);
    EXPECT_FALSE(registry.Read("Number", nValue) || registry.Read("Binary", nValue) || registry.Read("Binary", rect) ||
                 registry.Read("LongBinary", rect) || registry.Read("Missing", nValue));
    EXPECT_EQ(42, nValue);
    EXPECT_EQ(CRect(1, 2, 3, 4), rect);

    CWordArray words;
    words.Add(7);
    CDWordArray dwords;
    dwords.Add(8);
    CStringArray strings;
    strings.Add("default");
    EXPECT_FALSE(registry.Read("ShortWords", words) || registry.Read("CutStrings", strings));
    // A count the value has no room for is found bad before anything is allocated for it; where an
    // object's own data carry it past the accessor's checks, running out of memory is reported as such.
    EXPECT_FALSE(registry.Read("HugeDWords", dwords));
    EXPECT_EQ(ERROR_INVALID_DATA, registry.LastResult());
    EXPECT_FALSE(registry.Read("HugeDWords", static_cast<CObject&>(dwords)));
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, registry.LastResult());
    EXPECT_EQ(1, words.GetSize());
    EXPECT_EQ(1, dwords.GetSize());
    ASSERT_EQ(1, strings.GetSize());
    EXPECT_STREQ("default", strings[0]);

    CObject* pObject = NULL;
    EXPECT_FALSE(registry.Read("UnknownClass", pObject));
    EXPECT_EQ(nullptr, pObject);
    CObList objects;
    CRegistryTestItem kept;
    objects.AddTail(&kept);
    EXPECT_FALSE(registry.Read("RepeatedThenCut", objects));
    EXPECT_EQ(ERROR_INVALID_DATA, registry.LastResult());
    EXPECT_FALSE(registry.Read("HugeItem", objects));
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, registry.LastResult());
    EXPECT_EQ(&kept, objects.GetHead());
    EXPECT_EQ(1, CRegistryTestItem::s_nLive);
}

TEST_F(RegistryTest, HolderMakesOneObjectOfTheLibrarysClassWithTheFlagsOfEachCall)
{
    CQENRegistryHolder::SetRegistryClass(RUNTIME_CLASS(CStringList));
    {
        CQENRegistryHolder holder;
        CQENRegistry* pRegistry = holder.Create(TRUE, TRUE);
        EXPECT_EQ(RUNTIME_CLASS(CQENRegistry), pRegistry->GetRuntimeClass());
        EXPECT_TRUE(pRegistry->KeyExists("SYSTEM\\CurrentControlSet"));
        ASSERT_TRUE(pRegistry->Open("SYSTEM\\CurrentControlSet"));
        // The same object, now writable below the current user's root.
        EXPECT_EQ(pRegistry, holder.Create(FALSE, FALSE));
        EXPECT_FALSE(pRegistry->KeyExists("SYSTEM\\CurrentControlSet"));
        EXPECT_TRUE(pRegistry->CreateKey(m_strPath) && pRegistry->Write("Written", 1));
        EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), std::string("\x01\0\0\0", 4)), Raw("Written"));
    }
    CQENRegistryHolder::SetRegistryClass(RUNTIME_CLASS(CRegistryTestDerived));
    CQENRegistryHolder holder;
    EXPECT_EQ(RUNTIME_CLASS(CRegistryTestDerived), holder.Create(FALSE, FALSE)->GetRuntimeClass());
}

} // namespace
