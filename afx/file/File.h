// CFile: unbuffered binary file I/O on a Win32 file handle. Failures throw CFileException.
#pragma once
#include "AfxDefs.h"
#include "Exception.h"
#include "Object.h"
#include "String.h"
#include "Time.h"

#include <stdlib.h>

// commdlg.h maps GetFileTitle() to GetFileTitleA(); here it names the CFile member.
#ifdef GetFileTitle
#undef GetFileTitle
#endif

struct CFileStatus
{
    CTime m_ctime;                  // creation
    CTime m_mtime;                  // last write
    CTime m_atime;                  // last access
    ULONGLONG m_size;               // bytes
    BYTE m_attribute;               // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[_MAX_PATH];  // absolute path
};

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,     // only meaningful for text-mode files; CFile is always binary
        typeBinary = 0x8000
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };

    static const HANDLE hFileNull;

    CFile();
    // Attaches an open handle; the handle stays open when the CFile is destroyed.
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    // FALSE on failure, with pError (when given) describing the cause, OS error and file name.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    virtual UINT Read(void* lpBuf, UINT nCount);   // 0 at the end of the file
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);     // leaves the position at the new end
    virtual void Flush();
    virtual void Close();
    // Closes the file, ignoring every error.
    virtual void Abort();
    // A new CFile on a duplicate handle (sharing the file position); NULL when no file is open.
    virtual CFile* Duplicate() const;
    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);

    virtual CString GetFileName() const;    // "name.ext"
    virtual CString GetFileTitle() const;   // "name"
    virtual CString GetFilePath() const;    // full path
    virtual void SetFilePath(LPCTSTR lpszNewName);

    virtual BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
    // A time of 0 leaves that time of the file unchanged; m_attribute 0 (normal) leaves the
    // attributes unchanged, any other value replaces them. m_size and m_szFullName are ignored.
    static void PASCAL SetStatus(LPCTSTR lpszFileName, const CFileStatus& status);

    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
