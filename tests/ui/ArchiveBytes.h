// The bytes an object writes into an archive, and an object read back from given bytes.
#pragma once
#include <afx.h>

#include <string>

// With bWithClass the class record comes first, as when an object travels on its own.
inline std::string StoredBytes(CObject& object, BOOL bWithClass = FALSE)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        if (bWithClass)
            ar.WriteClass(object.GetRuntimeClass());
        object.Serialize(ar);
        ar.Close();
    }
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

// FALSE when reading threw (the exception is deleted) or left bytes unread.
inline BOOL LoadFromBytes(CObject& object, std::string bytes)
{
    CMemFile file(reinterpret_cast<BYTE*>(&bytes[0]), static_cast<UINT>(bytes.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        object.Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return file.GetPosition() == file.GetLength();
}
