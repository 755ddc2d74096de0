// CQENRegistry: the one accessor through which the library keeps its state in the registry, as typed
// values and as archive streams in binary values. CQENRegistryHolder makes one and deletes it.
//
// Key paths of CreateKey, Open and DeleteKey are taken from the root key (HKEY_LOCAL_MACHINE for an
// administrator object, else HKEY_CURRENT_USER); KeyExists looks below the open key, which is the
// root until a key is opened. Value names are names in the open key. Every operation returns
// whether it succeeded and records the Win32 result, the value type and the size; nothing is thrown.
// A value that is missing, of another type, truncated or otherwise malformed gives FALSE and leaves
// the caller's object as it was (Read of a string empties it, as callers rely on). A stream that
// cannot be loaded records ERROR_NOT_ENOUGH_MEMORY when memory ran out, else ERROR_INVALID_DATA.
#pragma once
#include <afx.h>

#include <vector>

class CQENRegistry : public CObject
{
    DECLARE_DYNCREATE(CQENRegistry)
public:
    CQENRegistry();
    ~CQENRegistry() override;

    virtual BOOL ReadValueNames(CStringArray& names);
    virtual BOOL KeyExists(LPCTSTR lpszPath);
    virtual BOOL ValueExists(LPCTSTR lpszName);
    // Creates the key when it is missing; either way it becomes the open key.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    virtual BOOL Open(LPCTSTR lpszPath);
    virtual BOOL Close();
    virtual BOOL DeleteValue(LPCTSTR lpszName);
    // The key and everything below it, under HKEY_LOCAL_MACHINE when bAdministrator; an empty path
    // is refused, as it would name the whole root.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdministrator = FALSE);

    // The object with its class header, as the archive's object operator writes it.
    virtual BOOL Write(LPCTSTR lpszName, CObject* pObject);
    // The object's own Serialize, without a class header.
    virtual BOOL Write(LPCTSTR lpszName, CObject& object);
    virtual BOOL Write(LPCTSTR lpszName, CStringList& list);
    virtual BOOL Write(LPCTSTR lpszName, LPBYTE pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszName, const CPoint& point);
    virtual BOOL Write(LPCTSTR lpszName, const CRect& rect);
    // A 32-bit count, then the 16-bit elements.
    virtual BOOL Write(LPCTSTR lpszName, CWordArray& words);
    virtual BOOL Write(LPCTSTR lpszName, CByteArray& bytes);
    virtual BOOL Write(LPCTSTR lpszName, CDWordArray& dwords);
    virtual BOOL Write(LPCTSTR lpszName, CStringArray& strings);
    virtual BOOL Write(LPCTSTR lpszName, CObList& list);
    virtual BOOL Write(LPCTSTR lpszName, LPCTSTR lpszText);
    virtual BOOL Write(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL Write(LPCTSTR lpszName, int nValue);

    // A new object of the class the stream names; the caller owns it.
    virtual BOOL Read(LPCTSTR lpszName, CObject*& pObject);
    // The object loads itself; a stream that breaks off may leave it partly loaded.
    virtual BOOL Read(LPCTSTR lpszName, CObject& object);
    // On success the list's old objects are deleted and the loaded ones take their place.
    virtual BOOL Read(LPCTSTR lpszName, CObList& list);
    // *ppData is allocated with new[]; the caller deletes it.
    virtual BOOL Read(LPCTSTR lpszName, BYTE** ppData, UINT* pBytes);
    virtual BOOL Read(LPCTSTR lpszName, CRect& rect);
    virtual BOOL Read(LPCTSTR lpszName, CPoint& point);
    virtual BOOL Read(LPCTSTR lpszName, CByteArray& bytes);
    virtual BOOL Read(LPCTSTR lpszName, CWordArray& words);
    virtual BOOL Read(LPCTSTR lpszName, CDWordArray& dwords);
    virtual BOOL Read(LPCTSTR lpszName, CStringArray& strings);
    virtual BOOL Read(LPCTSTR lpszName, CStringList& list);
    // Empty on any failure.
    virtual BOOL Read(LPCTSTR lpszName, CString& strText);
    virtual BOOL Read(LPCTSTR lpszName, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszName, int& nValue);
    virtual BOOL ReadSubKeyNames(CStringArray& names);

    LONG LastResult() const { return m_lLastResult; }
    DWORD LastType() const { return m_dwLastType; }
    DWORD LastSize() const { return m_dwLastSize; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    const CString& KeyPath() const { return m_strKeyPath; }

private:
    friend class CQENRegistryHolder;

    HKEY RootKey(BOOL bAdministrator) const { return bAdministrator ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
    BOOL Refused();
    BOOL Succeeded(LONG lResult);
    BOOL OpenKey(LPCTSTR lpszPath, BOOL bCreate);
    BOOL ReadNames(CStringArray& names, BOOL bSubKeys);
    BOOL WriteValue(LPCTSTR lpszName, DWORD dwType, const void* pData, DWORD nBytes);
    BOOL QueryValue(LPCTSTR lpszName, DWORD dwType, std::vector<BYTE>& data);
    BOOL QueryFixed(LPCTSTR lpszName, DWORD dwType, void* pValue, DWORD nBytes);
    BOOL Malformed();
    BOOL OutOfMemory();
    BOOL Failed(CException* pException);
    template <class STORE> BOOL WriteStream(LPCTSTR lpszName, STORE store);
    template <class LOAD> BOOL ReadStream(LPCTSTR lpszName, UINT nMinElementBytes, LOAD load);
    template <class COLLECTION> BOOL ReadCollection(LPCTSTR lpszName, COLLECTION& target, UINT nMinElementBytes);

    LONG m_lLastResult;
    DWORD m_dwLastType;
    DWORD m_dwLastSize;
    HKEY m_hKey;
    BOOL m_bAdministrator;
    CString m_strKeyPath;
    BOOL m_bReadOnly;
};

// Scoped owner of one accessor: Create makes it on first call and hands out the same object
// afterwards, each time with the flags and root of that call; the holder deletes it when it goes
// out of scope.
class CQENRegistryHolder
{
public:
    CQENRegistryHolder() = default;
    ~CQENRegistryHolder();
    CQENRegistryHolder(const CQENRegistryHolder&) = delete;
    CQENRegistryHolder& operator=(const CQENRegistryHolder&) = delete;

    // Never NULL.
    CQENRegistry* Create(BOOL bAdministrator, BOOL bReadOnly);

    // The class Create makes for the whole library; a class that is not a creatable CQENRegistry is
    // passed over for CQENRegistry itself. NULL goes back to CQENRegistry.
    static void SetRegistryClass(CRuntimeClass* pClass);

private:
    static CRuntimeClass* s_pRegistryClass;
    CQENRegistry* m_pRegistry = NULL;
};
