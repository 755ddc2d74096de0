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

    // Compressed data are read 64 KB at a time: each read is a system call, and those cost
    // more under a compatibility layer than the copy of a larger block.
    enum { InputBufferSize = 65536 };

    DWORD m_uBufferSize;
    z_stream m_zs;
    DWORD m_uUncompressedLeft;
    DWORD m_uCompressedLeft;
    DWORD m_uCrc;
    CZipBuffer m_input;
};
