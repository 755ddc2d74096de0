// One entry of the central directory: every fixed field in record order, then the
// variable-length parts.
#pragma once
#include "afx.h"
#include "ZipBuffer.h"

class CZipVolumeStore;

class CZipEntryHeader
{
public:
    enum
    {
        CentralSignature = 0x02014B50,
        LocalSignature = 0x04034B50,
        DescriptorSignature = 0x08074B50,
        CentralFixedSize = 46,
        LocalFixedSize = 30,
        DescriptorSize = 16,
        FlagDescriptor = 0x0008,
        FlagUtf8Name = 0x0800,
        MethodStored = 0,
        MethodDeflated = 8,
        AttributeDirectory = 0x10,
        AttributeArchive = 0x20
    };

    CZipEntryHeader();
    virtual ~CZipEntryHeader();

    DWORD m_uSignature;
    WORD m_uVersionMadeBy;
    WORD m_uVersionNeeded;
    WORD m_uFlags;
    WORD m_uMethod;
    WORD m_uModTime;
    WORD m_uModDate;
    DWORD m_uCrc32;
    DWORD m_uCompressedSize;
    DWORD m_uUncompressedSize;
    WORD m_uNameLength;
    WORD m_uExtraLength;
    WORD m_uCommentLength;
    WORD m_uDiskStart;
    WORD m_uInternalAttributes;
    DWORD m_uExternalAttributes;
    DWORD m_uLocalHeaderOffset;

    CString m_strFileName;
    CZipBuffer m_extraField;
    CString m_strComment;

    bool IsDirectory() const { return (m_uExternalAttributes & AttributeDirectory) != 0; }
    bool HasDescriptor() const { return (m_uFlags & FlagDescriptor) != 0; }
    bool HasUtf8Name() const { return (m_uFlags & FlagUtf8Name) != 0; }
    // Modification time as a calendar time (MS-DOS local time, daylight saving decided
    // by the platform).
    CTime GetTime() const;
    DWORD GetRecordSize() const;

    // The size of the central record whose fixed part this is.
    static DWORD GetRecordSize(const BYTE* pFixed);
    // Reads the central record at the storage's position: the fixed part may begin on
    // the next volume but not be split; the rest comes from the same volume. Returns
    // false when the signature is wrong.
    bool Read(CZipVolumeStore& storage);
    // Reads a whole central record held in memory; false when the signature is wrong.
    bool Read(const BYTE* pRecord);
    // Writes the central record as one piece.
    void Write(CZipVolumeStore& storage) const;

private:
    bool ReadFixedPart(const BYTE* pRecord);
};
