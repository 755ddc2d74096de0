#include "QENRegistry.h"

#include <new>
#include <set>

IMPLEMENT_DYNCREATE(CQENRegistry, CObject)

namespace {

const REGSAM kReadOnlyAccess = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
const REGSAM kFullAccess = KEY_ALL_ACCESS;
const UINT kStreamGrowth = 1024;
const int kArchiveBuffer = 4096;
const DWORD kNameBuffer = 1024;

// The trail byte of a double-byte character may have the value of a backslash; ReverseFind steps
// over whole characters and so finds only a real one.
CString WithoutTrailingBackslash(LPCTSTR lpszPath)
{
    CString strPath(lpszPath);
    int nLast = strPath.GetLength() - 1;
    if (nLast >= 0 && strPath.ReverseFind('\\') == nLast)
        strPath = strPath.Left(nLast);
    return strPath;
}

// Whether the element count that opens a collection's stream can be real: each element takes at
// least nMinElementBytes, so a count the stream has no room for is garbage (and would make the
// collection allocate for it).
BOOL CountFits(const std::vector<BYTE>& data, UINT nMinElementBytes)
{
    size_t nHeader = sizeof(WORD);
    if (data.size() < nHeader)
        return FALSE;
    ULONGLONG nCount = data[0] | (data[1] << 8);
    if (nCount == 0xFFFF)
    {
        nHeader += sizeof(DWORD);
        if (data.size() < nHeader)
            return FALSE;
        nCount = data[2] | (data[3] << 8) | (data[4] << 16) | (static_cast<DWORD>(data[5]) << 24);
    }
    return nCount * nMinElementBytes <= data.size() - nHeader;
}

void ReplaceContents(CByteArray& target, const CByteArray& source) { target.Copy(source); }
void ReplaceContents(CDWordArray& target, const CDWordArray& source) { target.Copy(source); }
void ReplaceContents(CStringArray& target, const CStringArray& source) { target.Copy(source); }
void ReplaceContents(CStringList& target, CStringList& source)
{
    target.RemoveAll();
    target.AddTail(&source);
}

// A stream may name one object more than once (a back-reference); it is deleted once.
void DeleteObjects(CObList& list)
{
    std::set<CObject*> deleted;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CObject* pObject = list.GetNext(pos);
        if (deleted.insert(pObject).second)
            delete pObject;
    }
    list.RemoveAll();
}

} // namespace

CQENRegistry::CQENRegistry()
    : m_lLastResult(ERROR_SUCCESS), m_dwLastType(REG_NONE), m_dwLastSize(0), m_hKey(HKEY_CURRENT_USER),
      m_bAdministrator(FALSE), m_bReadOnly(FALSE)
{
}

CQENRegistry::~CQENRegistry()
{
    Close();
}

BOOL CQENRegistry::Refused()
{
    m_lLastResult = ERROR_ACCESS_DENIED;
    return FALSE;
}

BOOL CQENRegistry::Malformed()
{
    m_lLastResult = ERROR_INVALID_DATA;
    return FALSE;
}

BOOL CQENRegistry::OutOfMemory()
{
    m_lLastResult = ERROR_NOT_ENOUGH_MEMORY;
    return FALSE;
}

// Memory and archive failures stay apart in the result: a caller may keep its content on the one
// and reset it on the other.
BOOL CQENRegistry::Failed(CException* pException)
{
    BOOL bMemory = pException->IsKindOf(RUNTIME_CLASS(CMemoryException));
    pException->Delete();
    return bMemory ? OutOfMemory() : Malformed();
}

BOOL CQENRegistry::Succeeded(LONG lResult)
{
    m_lLastResult = lResult;
    return lResult == ERROR_SUCCESS;
}

BOOL CQENRegistry::OpenKey(LPCTSTR lpszPath, BOOL bCreate)
{
    Close();
    CString strPath = WithoutTrailingBackslash(lpszPath);
    HKEY hKey = NULL;
    LONG lResult = bCreate ? ::RegCreateKeyExA(RootKey(m_bAdministrator), strPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                                               kFullAccess, NULL, &hKey, NULL)
                           : ::RegOpenKeyExA(RootKey(m_bAdministrator), strPath, 0,
                                             m_bReadOnly ? kReadOnlyAccess : kFullAccess, &hKey);
    if (!Succeeded(lResult))
        return FALSE;
    m_hKey = hKey;
    m_strKeyPath = strPath;
    return TRUE;
}

BOOL CQENRegistry::CreateKey(LPCTSTR lpszPath)
{
    if (m_bReadOnly)
        return Refused();
    return OpenKey(lpszPath, TRUE);
}

BOOL CQENRegistry::Open(LPCTSTR lpszPath)
{
    return OpenKey(lpszPath, FALSE);
}

BOOL CQENRegistry::Close()
{
    if (m_hKey == RootKey(m_bAdministrator))
        return TRUE;
    LONG lResult = ::RegCloseKey(m_hKey);
    m_hKey = RootKey(m_bAdministrator);
    m_strKeyPath.Empty();
    return Succeeded(lResult);
}

BOOL CQENRegistry::KeyExists(LPCTSTR lpszPath)
{
    HKEY hKey = NULL;
    if (!Succeeded(::RegOpenKeyExA(m_hKey, WithoutTrailingBackslash(lpszPath), 0, kReadOnlyAccess, &hKey)))
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CQENRegistry::DeleteKey(LPCTSTR lpszPath, BOOL bAdministrator)
{
    if (m_bReadOnly)
        return Refused();
    CString strPath = WithoutTrailingBackslash(lpszPath);
    if (strPath.IsEmpty())
    {
        m_lLastResult = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    return Succeeded(::RegDeleteTreeA(RootKey(bAdministrator), strPath));
}

BOOL CQENRegistry::ReadNames(CStringArray& names, BOOL bSubKeys)
{
    CStringArray found;
    char szName[kNameBuffer];
    for (DWORD nIndex = 0;; ++nIndex)
    {
        DWORD cchName = kNameBuffer;
        LONG lResult = bSubKeys ? ::RegEnumKeyExA(m_hKey, nIndex, szName, &cchName, NULL, NULL, NULL, NULL)
                                : ::RegEnumValueA(m_hKey, nIndex, szName, &cchName, NULL, NULL, NULL, NULL);
        if (lResult == ERROR_NO_MORE_ITEMS)
        {
            names.Copy(found);
            return Succeeded(ERROR_SUCCESS);
        }
        if (!Succeeded(lResult))
            return FALSE;
        found.Add(szName);
    }
}

BOOL CQENRegistry::ReadValueNames(CStringArray& names)
{
    return ReadNames(names, FALSE);
}

BOOL CQENRegistry::ReadSubKeyNames(CStringArray& names)
{
    return ReadNames(names, TRUE);
}

BOOL CQENRegistry::ValueExists(LPCTSTR lpszName)
{
    return Succeeded(::RegQueryValueExA(m_hKey, lpszName, NULL, &m_dwLastType, NULL, &m_dwLastSize));
}

BOOL CQENRegistry::DeleteValue(LPCTSTR lpszName)
{
    return Succeeded(::RegDeleteValueA(m_hKey, lpszName));
}

BOOL CQENRegistry::WriteValue(LPCTSTR lpszName, DWORD dwType, const void* pData, DWORD nBytes)
{
    if (m_bReadOnly)
        return Refused();
    m_dwLastType = dwType;
    m_dwLastSize = nBytes;
    return Succeeded(::RegSetValueExA(m_hKey, lpszName, 0, dwType, static_cast<const BYTE*>(pData), nBytes));
}

BOOL CQENRegistry::QueryValue(LPCTSTR lpszName, DWORD dwType, std::vector<BYTE>& data)
{
    DWORD nBytes = 0;
    if (!Succeeded(::RegQueryValueExA(m_hKey, lpszName, NULL, &m_dwLastType, NULL, &nBytes)))
        return FALSE;
    m_dwLastSize = nBytes;
    if (m_dwLastType != dwType)
        return Succeeded(ERROR_INVALID_DATATYPE);
    data.resize(nBytes);
    if (!Succeeded(::RegQueryValueExA(m_hKey, lpszName, NULL, &m_dwLastType, data.data(), &nBytes)))
        return FALSE;
    data.resize(nBytes);
    return TRUE;
}

// Copies into pValue only a value of exactly nBytes.
BOOL CQENRegistry::QueryFixed(LPCTSTR lpszName, DWORD dwType, void* pValue, DWORD nBytes)
{
    std::vector<BYTE> data;
    if (!QueryValue(lpszName, dwType, data))
        return FALSE;
    if (data.size() != nBytes)
        return Malformed();
    memcpy(pValue, data.data(), nBytes);
    return TRUE;
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, LPBYTE pData, UINT nBytes)
{
    return WriteValue(lpszName, REG_BINARY, pData, nBytes);
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, const CPoint& point)
{
    return WriteValue(lpszName, REG_BINARY, static_cast<const POINT*>(&point), sizeof(POINT));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, const CRect& rect)
{
    return WriteValue(lpszName, REG_BINARY, static_cast<const RECT*>(&rect), sizeof(RECT));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CWordArray& words)
{
    std::vector<BYTE> data(sizeof(DWORD) + words.GetSize() * sizeof(WORD));
    DWORD nCount = static_cast<DWORD>(words.GetSize());
    memcpy(data.data(), &nCount, sizeof(nCount));
    if (nCount > 0)
        memcpy(data.data() + sizeof(DWORD), words.GetData(), nCount * sizeof(WORD));
    return WriteValue(lpszName, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, LPCTSTR lpszText)
{
    return WriteValue(lpszName, REG_SZ, lpszText, static_cast<DWORD>(strlen(lpszText) + 1));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, DWORD dwValue)
{
    return WriteValue(lpszName, REG_DWORD, &dwValue, sizeof(dwValue));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, int nValue)
{
    return WriteValue(lpszName, REG_DWORD, &nValue, sizeof(nValue));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, BYTE** ppData, UINT* pBytes)
{
    std::vector<BYTE> data;
    if (!QueryValue(lpszName, REG_BINARY, data))
        return FALSE;
    *ppData = new BYTE[data.size()];
    memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CRect& rect)
{
    return QueryFixed(lpszName, REG_BINARY, static_cast<RECT*>(&rect), sizeof(RECT));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CPoint& point)
{
    return QueryFixed(lpszName, REG_BINARY, static_cast<POINT*>(&point), sizeof(POINT));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CWordArray& words)
{
    std::vector<BYTE> data;
    if (!QueryValue(lpszName, REG_BINARY, data))
        return FALSE;
    DWORD nCount = 0;
    if (data.size() < sizeof(nCount))
        return Malformed();
    memcpy(&nCount, data.data(), sizeof(nCount));
    if (data.size() != sizeof(nCount) + static_cast<ULONGLONG>(nCount) * sizeof(WORD))
        return Malformed();
    words.SetSize(nCount);
    if (nCount > 0)
        memcpy(words.GetData(), data.data() + sizeof(nCount), nCount * sizeof(WORD));
    return TRUE;
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CString& strText)
{
    strText.Empty();
    std::vector<BYTE> data;
    if (!QueryValue(lpszName, REG_SZ, data))
        return FALSE;
    if (data.empty() || data.back() != '\0')
        return Malformed();
    strText = reinterpret_cast<LPCSTR>(data.data());
    return TRUE;
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, DWORD& dwValue)
{
    return QueryFixed(lpszName, REG_DWORD, &dwValue, sizeof(dwValue));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, int& nValue)
{
    return QueryFixed(lpszName, REG_DWORD, &nValue, sizeof(nValue));
}

template <class STORE>
BOOL CQENRegistry::WriteStream(LPCTSTR lpszName, STORE store)
{
    if (m_bReadOnly)
        return Refused();
    std::vector<BYTE> data;
    try
    {
        CMemFile file(kStreamGrowth);
        CArchive ar(&file, CArchive::store, kArchiveBuffer);
        store(ar);
        ar.Close();
        data.resize(static_cast<size_t>(file.GetLength()));
        file.SeekToBegin();
        file.Read(data.data(), static_cast<UINT>(data.size()));
    }
    catch (CException* e)
    {
        return Failed(e);
    }
    catch (const std::bad_alloc&)
    {
        return OutOfMemory();
    }
    return WriteValue(lpszName, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

template <class LOAD>
BOOL CQENRegistry::ReadStream(LPCTSTR lpszName, UINT nMinElementBytes, LOAD load)
{
    std::vector<BYTE> data;
    if (!QueryValue(lpszName, REG_BINARY, data))
        return FALSE;
    if (nMinElementBytes > 0 && !CountFits(data, nMinElementBytes))
        return Malformed();
    try
    {
        CMemFile file(data.data(), static_cast<UINT>(data.size()));
        CArchive ar(&file, CArchive::load, kArchiveBuffer);
        load(ar);
    }
    catch (CException* e)
    {
        return Failed(e);
    }
    // A count in the stream that no collection check saw, such as one inside an object's own data.
    catch (const std::bad_alloc&)
    {
        return OutOfMemory();
    }
    return TRUE;
}

template <class COLLECTION>
BOOL CQENRegistry::ReadCollection(LPCTSTR lpszName, COLLECTION& target, UINT nMinElementBytes)
{
    COLLECTION loaded;
    if (!ReadStream(lpszName, nMinElementBytes, [&loaded](CArchive& ar) { loaded.Serialize(ar); }))
        return FALSE;
    ReplaceContents(target, loaded);
    return TRUE;
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CObject* pObject)
{
    return WriteStream(lpszName, [pObject](CArchive& ar) { ar << pObject; });
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CObject& object)
{
    return WriteStream(lpszName, [&object](CArchive& ar) { object.Serialize(ar); });
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CStringList& list)
{
    return Write(lpszName, static_cast<CObject&>(list));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CByteArray& bytes)
{
    return Write(lpszName, static_cast<CObject&>(bytes));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CDWordArray& dwords)
{
    return Write(lpszName, static_cast<CObject&>(dwords));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CStringArray& strings)
{
    return Write(lpszName, static_cast<CObject&>(strings));
}

BOOL CQENRegistry::Write(LPCTSTR lpszName, CObList& list)
{
    return Write(lpszName, static_cast<CObject&>(list));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CObject*& pObject)
{
    CObject* pLoaded = NULL;
    if (!ReadStream(lpszName, 0, [&pLoaded](CArchive& ar) { ar >> pLoaded; }))
        return FALSE;
    pObject = pLoaded;
    return TRUE;
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CObject& object)
{
    return ReadStream(lpszName, 0, [&object](CArchive& ar) { object.Serialize(ar); });
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CObList& list)
{
    CObList loaded;
    // A stream that breaks off leaves the objects read so far in the list.
    if (!ReadStream(lpszName, sizeof(WORD), [&loaded](CArchive& ar) { loaded.Serialize(ar); }))
    {
        DeleteObjects(loaded);
        return FALSE;
    }
    DeleteObjects(list);
    list.AddTail(&loaded);
    return TRUE;
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CByteArray& bytes)
{
    return ReadCollection(lpszName, bytes, sizeof(BYTE));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CDWordArray& dwords)
{
    return ReadCollection(lpszName, dwords, sizeof(DWORD));
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CStringArray& strings)
{
    // Each string takes at least its one-byte length.
    return ReadCollection(lpszName, strings, 1);
}

BOOL CQENRegistry::Read(LPCTSTR lpszName, CStringList& list)
{
    return ReadCollection(lpszName, list, 1);
}

CRuntimeClass* CQENRegistryHolder::s_pRegistryClass = NULL;

CQENRegistryHolder::~CQENRegistryHolder()
{
    delete m_pRegistry;
}

void CQENRegistryHolder::SetRegistryClass(CRuntimeClass* pClass)
{
    s_pRegistryClass = pClass;
}

CQENRegistry* CQENRegistryHolder::Create(BOOL bAdministrator, BOOL bReadOnly)
{
    if (m_pRegistry == NULL && s_pRegistryClass != NULL && s_pRegistryClass->IsDerivedFrom(RUNTIME_CLASS(CQENRegistry)))
        m_pRegistry = static_cast<CQENRegistry*>(s_pRegistryClass->CreateObject());
    if (m_pRegistry == NULL)
        m_pRegistry = new CQENRegistry;
    // The object handed out again starts from its new root; a key it had open is not leaked.
    m_pRegistry->Close();
    m_pRegistry->m_bAdministrator = bAdministrator;
    m_pRegistry->m_bReadOnly = bReadOnly;
    m_pRegistry->m_hKey = m_pRegistry->RootKey(bAdministrator);
    return m_pRegistry;
}
