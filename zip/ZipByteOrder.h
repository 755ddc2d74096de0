// Little-endian fields of the archive records.
#pragma once
#include "afx.h"

inline WORD ZipGetWord(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline DWORD ZipGetDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

inline void ZipPutWord(BYTE* p, WORD u)
{
    p[0] = (BYTE)u;
    p[1] = (BYTE)(u >> 8);
}

inline void ZipPutDword(BYTE* p, DWORD u)
{
    p[0] = (BYTE)u;
    p[1] = (BYTE)(u >> 8);
    p[2] = (BYTE)(u >> 16);
    p[3] = (BYTE)(u >> 24);
}
