// CArchive: buffered binary serialization over a CFile, in the framework's stream format
// (little-endian scalars, length-prefixed strings, class and object references by index).
#pragma once
#include "AfxDefs.h"
#include "Object.h"
#include "String.h"

#include <unordered_map>
#include <vector>

class CFile;
class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2
    };

    // lpBuf, when given, is a caller-owned buffer of nBufSize bytes.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Closes the archive unless it was made with bNoFlushOnDelete.
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    // Loading: nothing read ahead is left; storing: nothing waits to be written.
    BOOL IsBufferEmpty() const;
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded; valid once per Serialize call, -1 afterwards.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Text without a terminating zero or line end.
    void WriteString(LPCTSTR lpsz);
    // One line, without its "\n" or "\r\n"; NULL / FALSE at the end of the file. The buffer form
    // stores at most nMax - 1 characters and leaves the rest of a longer line for the next call.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Storing: writes out the buffer. Loading: discards what was read ahead and moves the file back
    // to the first unread byte.
    void Flush();
    void Close();
    // Detaches from the file without flushing or throwing.
    void Abort();

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(int i);
    CArchive& operator<<(unsigned u);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(bool b);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    // Written like a CString (a plain pointer would otherwise pick the bool operator).
    CArchive& operator<<(LPCSTR lpsz);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned& u);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);

    // pClassRefRequested, when given, is the class the object must be derived from. An object whose
    // data fails to load is deleted before the exception goes on.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    // Registers an object that is not itself in the stream, so later references to it are indices.
    void MapObject(const CObject* pOb);

    void WriteClass(const CRuntimeClass* pClassRef);
    // Returns NULL (with *pObTag set) when the stream holds an object reference instead. Without
    // pSchema the schema read becomes the archive's object schema.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL,
                             DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts: WORD below 0xFFFF, else 0xFFFF and a DWORD.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    CDocument* m_pDocument;
    CString m_strFileName;

private:
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // A class or object met while loading, by its index in the stream.
    struct LoadEntry
    {
        void* p;
        BOOL bClass;
    };

    template <typename T> CArchive& WriteScalar(T value);
    template <typename T> CArchive& ReadScalar(T& value);
    void CheckCount();
    void WriteBuffer();
    void WriteReference(DWORD nIndex, BOOL bClass);

    UINT m_nMode;
    CFile* m_pFile;
    UINT m_nBufSize;
    BOOL m_bUserBuf;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;

    UINT m_nObjectSchema;
    DWORD m_nMapCount;                                        // next class/object index
    std::unordered_map<const void*, DWORD> m_storeMap;        // class or object -> index
    std::vector<LoadEntry> m_loadArray;
    std::unordered_map<const CRuntimeClass*, UINT> m_schemaMap;   // stored schema of versionable classes
};

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// 8-bit strings are written as they are; a stream's Unicode string is read in the ANSI code page.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
