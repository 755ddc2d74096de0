// Errors of the archive library: a cause number and the archive volume concerned.
#pragma once
#include "afx.h"

class CZipException : public CException
{
    DECLARE_DYNAMIC(CZipException)
public:
    // Causes reported in m_iCause.
    enum
    {
        GeneralFailure = 1,
        ZlibStreamEnd,
        ZlibNeedDictionary,
        ZlibSystemError,
        ZlibStreamError,
        ZlibDataError,
        ZlibMemoryError,
        ZlibBufferError,
        ZlibVersionError,
        CorruptArchive,
        ChecksumMismatch,
        MissingVolumeCallback,
        VolumeRequestCancelled,
        MediaNotRemovable,
        VolumeLimitReached,
        ReservedCause16
    };

    // Library result codes below zlib's own, turned into causes by ThrowZipError.
    enum
    {
        CodeCorruptArchive = -101,
        CodeChecksumMismatch = -102,
        CodeMissingVolumeCallback = -103,
        CodeVolumeRequestCancelled = -104,
        CodeMediaNotRemovable = -105,
        CodeVolumeLimitReached = -106,
        CodeReservedCause16 = -107
    };

    explicit CZipException(int iCause = GeneralFailure, LPCTSTR lpszFileName = NULL);
    virtual ~CZipException();

    // The cause for a zlib result or a library code.
    static int CauseFromCode(int iCode);
    // "CorruptArchive", "ChecksumMismatch", …; "Unknown" outside the table.
    static LPCTSTR GetCauseName(int iCause);

    CString m_strFileName;
    int m_iCause;
};

// Creates a CZipException for a zlib result or library code and throws it.
[[noreturn]] void AFXAPI ThrowZipError(int iCode, LPCTSTR lpszFileName);
