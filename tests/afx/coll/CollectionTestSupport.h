// Shared by the collection tests: archive round trips through a memory file, and two serializable
// classes to fill object collections with.
#pragma once
#include "afx.h"

#include <vector>

namespace collection_test
{

// The bytes that ob.Serialize writes to a fresh archive.
std::vector<BYTE> StoreBytes(CObject& ob);
// Runs ob.Serialize on an archive reading bytes; fails the test unless every byte was consumed.
void LoadBytes(const std::vector<BYTE>& bytes, CObject& ob);

std::vector<BYTE> Bytes(std::initializer_list<int> values);
void AppendText(std::vector<BYTE>& bytes, const char* text);

// The value's bytes as this (little-endian) machine holds them.
template <class T>
void AppendRaw(std::vector<BYTE>& bytes, T value)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof(value));
}

// The object as a T, or NULL when it is not one.
template <class T>
T* As(CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<T*>(pObject) : NULL;
}

} // namespace collection_test

class CCollTestPoint : public CObject
{
    DECLARE_SERIAL(CCollTestPoint)
public:
    CCollTestPoint(LONG x = 0, LONG y = 0) : m_x(x), m_y(y) {}
    void Serialize(CArchive& ar) override;

    LONG m_x;
    LONG m_y;
};

class CCollTestLabel : public CObject
{
    DECLARE_SERIAL(CCollTestLabel)
public:
    explicit CCollTestLabel(LPCTSTR text = "") : m_text(text) {}
    void Serialize(CArchive& ar) override;

    CString m_text;
};
