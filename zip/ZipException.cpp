#include "ZipException.h"
#include <zlib.h>

IMPLEMENT_DYNAMIC(CZipException, CException)

CZipException::CZipException(int iCause, LPCTSTR lpszFileName)
    : m_strFileName(lpszFileName != NULL ? lpszFileName : ""), m_iCause(iCause)
{
}

CZipException::~CZipException()
{
}

int CZipException::CauseFromCode(int iCode)
{
    switch (iCode)
    {
    case Z_STREAM_END: return ZlibStreamEnd;
    case Z_NEED_DICT: return ZlibNeedDictionary;
    case Z_ERRNO: return ZlibSystemError;
    case Z_STREAM_ERROR: return ZlibStreamError;
    case Z_DATA_ERROR: return ZlibDataError;
    case Z_MEM_ERROR: return ZlibMemoryError;
    case Z_BUF_ERROR: return ZlibBufferError;
    case Z_VERSION_ERROR: return ZlibVersionError;
    case CodeCorruptArchive: return CorruptArchive;
    case CodeChecksumMismatch: return ChecksumMismatch;
    case CodeMissingVolumeCallback: return MissingVolumeCallback;
    case CodeVolumeRequestCancelled: return VolumeRequestCancelled;
    case CodeMediaNotRemovable: return MediaNotRemovable;
    case CodeVolumeLimitReached: return VolumeLimitReached;
    case CodeReservedCause16: return ReservedCause16;
    default: return GeneralFailure;
    }
}

LPCTSTR CZipException::GetCauseName(int iCause)
{
    static const LPCTSTR s_names[] = {
        "GeneralFailure", "ZlibStreamEnd", "ZlibNeedDictionary", "ZlibSystemError",
        "ZlibStreamError", "ZlibDataError", "ZlibMemoryError", "ZlibBufferError",
        "ZlibVersionError", "CorruptArchive", "ChecksumMismatch", "MissingVolumeCallback",
        "VolumeRequestCancelled", "MediaNotRemovable", "VolumeLimitReached", "ReservedCause16"};
    if (iCause < GeneralFailure || iCause > ReservedCause16)
        return "Unknown";
    return s_names[iCause - GeneralFailure];
}

void AFXAPI ThrowZipError(int iCode, LPCTSTR lpszFileName)
{
    throw new CZipException(CZipException::CauseFromCode(iCode), lpszFileName);
}
