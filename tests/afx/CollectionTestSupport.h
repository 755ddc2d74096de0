// Shared by the collection tests: archive round trips through a memory file, and two serializable
// classes to fill object collections with.
#pragma once
#include "afx.h"
#include "Archive.h"
#include "MemFile.h"

#include <vector>

namespace collection_test
{

// The bytes that ob.Serialize writes to a fresh archive.
std::vector<BYTE> StoreBytes(CObject& ob);
// Runs ob.Serialize on an archive reading bytes; fails the test unless every byte was consumed.
void LoadBytes(const std::vector<BYTE>& bytes, CObject& ob);

std::vector<BYTE> Bytes(std::initializer_list<int> values);
// Appends the WORD name length and the name, as a new class tag carries them.
void AppendClassName(std::vector<BYTE>& bytes, const char* name);
void AppendWord(std::vector<BYTE>& bytes, WORD w);
void AppendLong(std::vector<BYTE>& bytes, LONG l);
// A short string as the archive writes it: one length byte, then the bytes.
void AppendShortString(std::vector<BYTE>& bytes, const char* text);

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
