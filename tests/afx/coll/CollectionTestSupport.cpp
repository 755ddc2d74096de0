#include "CollectionTestSupport.h"

#include <gtest/gtest.h>

IMPLEMENT_SERIAL(CCollTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CCollTestLabel, CObject, 2)

void CCollTestPoint::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_x << m_y;
    else
        ar >> m_x >> m_y;
}

void CCollTestLabel::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_text;
    else
        ar >> m_text;
}

namespace collection_test
{

std::vector<BYTE> StoreBytes(CObject& ob)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ob.Serialize(ar);
    ar.Close();
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    EXPECT_EQ(bytes.size(), file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

void LoadBytes(const std::vector<BYTE>& bytes, CObject& ob)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    ob.Serialize(ar);
    BYTE extra;
    EXPECT_EQ(0u, ar.Read(&extra, 1)) << "bytes left over after loading";
    ar.Close();
}

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    return std::vector<BYTE>(values.begin(), values.end());
}

void AppendText(std::vector<BYTE>& bytes, const char* text)
{
    bytes.insert(bytes.end(), text, text + strlen(text));
}

} // namespace collection_test
