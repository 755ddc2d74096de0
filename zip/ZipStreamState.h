// Decompression state of the entry being read.
#pragma once
#include "afx.h"
#include "ZipBuffer.h"
#include <zlib.h>

class CZipStreamState
{
public:
    CZipStreamState();
    virtual ~CZipStreamState();

    enum { InputBufferSize = 16384 };

    DWORD m_uBufferSize;
    z_stream m_zs;
    DWORD m_uUncompressedLeft;
    DWORD m_uCompressedLeft;
    DWORD m_uCrc;
    CZipBuffer m_input;
};
