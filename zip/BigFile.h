// The archive's file: a platform file with a 64-bit seek.
#pragma once
#include "afx.h"

class CBigFile : public CFile
{
    DECLARE_DYNAMIC(CBigFile)
public:
    CBigFile();
    virtual ~CBigFile();

    // Keeps the path exactly as given.
    void SetFilePath(LPCTSTR lpszNewName) override;

    // nFrom: CFile::begin, CFile::current or CFile::end. Throws the platform's file
    // exception when the system refuses the move.
    ULONGLONG Seek64(LONGLONG lOffset, UINT nFrom);
};
