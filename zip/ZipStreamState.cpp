#include "ZipStreamState.h"

CZipStreamState::CZipStreamState()
    : m_uBufferSize(InputBufferSize), m_uUncompressedLeft(0), m_uCompressedLeft(0), m_uCrc(0)
{
    memset(&m_zs, 0, sizeof(m_zs));
}

CZipStreamState::~CZipStreamState()
{
}
