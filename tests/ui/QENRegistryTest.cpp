#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "ScratchRegistryKey.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

// A serializable item that counts its live instances, to see which objects a read deletes.
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
            ar >> m_nValue;
    }
    int m_nValue;
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

const std::string kWords = std::string("\x03\0\0\0\x01\0\xFF\xFF\x34\x12", 10);
const std::string kRect = std::string("\xFE\xFF\xFF\xFF\x02\0\0\0\x64\0\0\0\xC8\0\0\0", 16);
// The framework's stream: new-class tag, schema, name length and name, then the list's count
// and its length-prefixed strings.
const std::string kObjectStream = std::string("\xFF\xFF\0\0\x0B\0CStringList\x02\0\x03one\0", 24);

TEST_F(RegistryTest, EveryValueTypeIsStoredInItsFormAndReadBack)
{
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
        CObList objects;
        CRegistryTestItem first(11), second(22);
        objects.AddTail(&first);
        objects.AddTail(&second);
        BYTE raw[3] = {9, 0, 8};
        EXPECT_TRUE(registry.Write("Text", "中文"));
        EXPECT_EQ(5u, registry.LastSize());
        EXPECT_TRUE(registry.Write("Words", words) && registry.Write("Rect", CRect(-2, 2, 100, 200)) &&
                    registry.Write("Point", CPoint(-5, 6)) && registry.Write("Object", static_cast<CObject*>(&list)) &&
                    registry.Write("Int", -7) && registry.Write("DWord", static_cast<DWORD>(0x80000001)) &&
                    registry.Write("Bytes", bytes) && registry.Write("DWords", dwords) &&
                    registry.Write("Strings", strings) && registry.Write("List", list) &&
                    registry.Write("Objects", objects) && registry.Write("Raw", raw, sizeof raw));
    }
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), kWords), Raw("Words"));
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), kRect), Raw("Rect"));
    EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), kObjectStream), Raw("Object"));
    EXPECT_EQ(std::make_pair(DWORD(REG_SZ), std::string("中文", 5)), Raw("Text"));
    EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), std::string("\xF9\xFF\xFF\xFF", 4)), Raw("Int"));

    CQENRegistryHolder holder;
    CQENRegistry& registry = Opened(holder, TRUE);
    CWordArray words;
    CRect rect;
    CPoint point;
    CString strText;
    int nValue = 0;
    DWORD dwValue = 0;
    ASSERT_TRUE(registry.Read("Words", words) && registry.Read("Rect", rect) && registry.Read("Point", point) &&
                registry.Read("Text", strText) && registry.Read("Int", nValue) && registry.Read("DWord", dwValue));
    EXPECT_EQ(3, words.GetSize());
    EXPECT_EQ(0x1234, words[2]);
    EXPECT_EQ(CRect(-2, 2, 100, 200), rect);
    EXPECT_EQ(CPoint(-5, 6), point);
    EXPECT_STREQ("中文", strText);
    EXPECT_EQ(-7, nValue);
    EXPECT_EQ(0x80000001u, dwValue);

    CObject* pObject = NULL;
    ASSERT_TRUE(registry.Read("Object", pObject));
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CStringList)));
    EXPECT_STREQ("one", static_cast<CStringList*>(pObject)->GetHead());
    delete pObject;

    CByteArray bytes;
    CDWordArray dwords;
    CStringArray strings;
    strings.Add("old");
    CStringList list;
    ASSERT_TRUE(registry.Read("Bytes", bytes) && registry.Read("DWords", dwords) &&
                registry.Read("Strings", strings) && registry.Read("List", list));
    EXPECT_EQ(7, bytes[0]);
    EXPECT_EQ(0xDEADBEEFu, dwords[0]);
    ASSERT_EQ(2, strings.GetSize());
    EXPECT_STREQ("甲", strings[0]);
    EXPECT_EQ(2, list.GetCount());

    BYTE* pData = NULL;
    UINT nBytes = 0;
    ASSERT_TRUE(registry.Read("Raw", &pData, &nBytes));
    EXPECT_EQ(std::string("\x09\0\x08", 3), std::string(reinterpret_cast<char*>(pData), nBytes));
    delete[] pData;

    // The list's own objects are replaced by the loaded ones and deleted.
    CObList objects;
    objects.AddTail(new CRegistryTestItem(99));
    ASSERT_TRUE(registry.Read("Objects", objects));
    ASSERT_EQ(2, objects.GetCount());
    EXPECT_EQ(22, static_cast<CRegistryTestItem*>(objects.GetTail())->m_nValue);
    EXPECT_EQ(2, CRegistryTestItem::s_nLive);
    for (POSITION pos = objects.GetHeadPosition(); pos != NULL;)
        delete objects.GetNext(pos);
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
    EXPECT_FALSE(registry.KeyExists(m_strPath + "Sub"));
    // Deleting a value has no test of its own: the rights of the key opened read-only refuse it.
    ASSERT_TRUE(registry.Open(m_strPath));
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
    ASSERT_TRUE(registry.Write("Deep", 1));
    ASSERT_TRUE(registry.CreateKey(m_strPath + "A\\C"));
    ASSERT_TRUE(registry.Write("Leaf", 2) && registry.Write("Other", 3));
    ASSERT_TRUE(registry.Open(m_strPath + "A\\"));
    CStringArray names;
    ASSERT_TRUE(registry.ReadSubKeyNames(names));
    EXPECT_EQ((std::set<CString>{"B", "C"}), std::set<CString>(names.GetData(), names.GetData() + names.GetSize()));
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
    HKEY hKey = NULL;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_strPath + "A", 0, KEY_READ, &hKey));
    EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_strPath, 0, KEY_READ, &hKey));
    ::RegCloseKey(hKey);
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
    SetRaw("HugeWords", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\x01\0", 6));
    SetRaw("HugeDWords", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\xFF\x3F\x01\0\0\0", 10));
    SetRaw("CutStrings", REG_BINARY, std::string("\x03\0\x02xy\x05z", 7));
    SetRaw("UnknownClass", REG_BINARY, std::string("\xFF\xFF\0\0\x05\0Nope!\0\0", 13));
    SetRaw("CutObjects", REG_BINARY, std::string("\x02\0\xFF\xFF\x01\0\x11\0CRegistryTestItem\x01\0\0\0", 29));

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
    EXPECT_FALSE(registry.Read("ShortWords", words) || registry.Read("HugeWords", words) ||
                 registry.Read("CutStrings", strings) || registry.Read("Text", strings));
    // A count the value has no room for is found bad before anything is allocated for it, also
    // where an object's own data carry it past every check of the accessor.
    EXPECT_FALSE(registry.Read("HugeDWords", dwords));
    EXPECT_EQ(ERROR_INVALID_DATA, registry.LastResult());
    EXPECT_FALSE(registry.Read("HugeDWords", static_cast<CObject&>(dwords)));
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
    EXPECT_FALSE(registry.Read("CutObjects", objects));
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
