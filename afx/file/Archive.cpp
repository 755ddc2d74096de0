#include "Archive.h"
#include "Exception.h"
#include "File.h"

#include <string>

namespace {

// Reference tags of the object stream.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;

// String length prefixes.
const BYTE byLengthEscape = 0xFF;
const WORD wUnicodeMarker = 0xFFFE;
const WORD wLengthEscape = 0xFFFF;
const DWORD dwLengthEscape = 0xFFFFFFFF;

// A length-prefixed string body is read in pieces, so a corrupt length fails at the end of the
// stream instead of allocating the whole claimed size up front.
const DWORD nStringChunk = 0x10000;

void WriteStringLength(CArchive& ar, DWORD nLength)
{
    if (nLength < byLengthEscape)
    {
        ar << static_cast<BYTE>(nLength);
        return;
    }
    ar << byLengthEscape;
    // 0xFFFE marks a Unicode string, so a WORD length stops short of it.
    if (nLength < wUnicodeMarker)
        ar << static_cast<WORD>(nLength);
    else
        ar << wLengthEscape << nLength;
}

DWORD ReadStringLength(CArchive& ar, BOOL& bUnicode)
{
    bUnicode = FALSE;
    BYTE byLength;
    ar >> byLength;
    if (byLength < byLengthEscape)
        return byLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == wUnicodeMarker)
    {
        bUnicode = TRUE;
        ar >> byLength;
        if (byLength < byLengthEscape)
            return byLength;
        ar >> wLength;
    }
    if (wLength < wLengthEscape)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    // The next escape announces a 64-bit length, more than this process can hold.
    if (dwLength == dwLengthEscape)
        AfxThrowMemoryException();
    return dwLength;
}

std::string ReadBytes(CArchive& ar, ULONGLONG nBytes)
{
    std::string data;
    while (nBytes > 0)
    {
        UINT nPiece = nBytes < nStringChunk ? static_cast<UINT>(nBytes) : nStringChunk;
        size_t nOld = data.size();
        data.resize(nOld + nPiece);
        if (ar.Read(&data[nOld], nPiece) != nPiece)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        nBytes -= nPiece;
    }
    return data;
}

CString WideToAnsi(const std::string& utf16)
{
    int nChars = static_cast<int>(utf16.size() / sizeof(WCHAR));
    if (nChars == 0)
        return CString();
    std::wstring wide(nChars, L'\0');
    memcpy(&wide[0], utf16.data(), nChars * sizeof(WCHAR));
    int nBytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), nChars, NULL, 0, NULL, NULL);
    CString result;
    WideCharToMultiByte(CP_ACP, 0, wide.data(), nChars, result.GetBuffer(nBytes), nBytes, NULL, NULL);
    result.ReleaseBuffer(nBytes);
    return result;
}

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nMode(nMode), m_pFile(pFile), m_nBufSize(static_cast<UINT>(nBufSize)),
      m_bUserBuf(lpBuf != NULL), m_nObjectSchema(static_cast<UINT>(-1)), m_nMapCount(1)
{
    ASSERT(pFile != NULL && nBufSize > 0);
    m_lpBufStart = lpBuf != NULL ? static_cast<BYTE*>(lpBuf) : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_strFileName = pFile->GetFilePath();
    // Index 0 stands for the null pointer.
    if (IsLoading())
        m_loadArray.push_back(LoadEntry{NULL, FALSE});
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        // A destructor cannot report a failure, and may run while one is already propagating.
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

BOOL CArchive::IsBufferEmpty() const
{
    return IsLoading() ? m_lpBufCur == m_lpBufMax : m_lpBufCur == m_lpBufStart;
}

UINT CArchive::GetObjectSchema()
{
    UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    ASSERT(m_pFile != NULL);
    BYTE* lpOut = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            // Blocks at least as large as the buffer go straight to the caller.
            BOOL bDirect = nLeft >= m_nBufSize;
            UINT nRead = m_pFile->Read(bDirect ? lpOut : m_lpBufStart, bDirect ? nLeft : m_nBufSize);
            if (nRead == 0)
                break;
            if (bDirect)
            {
                lpOut += nRead;
                nLeft -= nRead;
                continue;
            }
            m_lpBufCur = m_lpBufStart;
            m_lpBufMax = m_lpBufStart + nRead;
        }
        UINT nBuffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        UINT nCopy = nLeft < nBuffered ? nLeft : nBuffered;
        memcpy(lpOut, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        lpOut += nCopy;
        nLeft -= nCopy;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    ASSERT(m_pFile != NULL);
    const BYTE* lpIn = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0)
    {
        if (m_lpBufCur == m_lpBufStart && nMax >= m_nBufSize)
        {
            m_pFile->Write(lpIn, nMax);
            return;
        }
        UINT nRoom = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0)
        {
            WriteBuffer();
            continue;
        }
        UINT nCopy = nMax < nRoom ? nMax : nRoom;
        memcpy(m_lpBufCur, lpIn, nCopy);
        m_lpBufCur += nCopy;
        lpIn += nCopy;
        nMax -= nCopy;
    }
}

void CArchive::WriteBuffer()
{
    UINT nPending = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    // Emptied first so that a failed write is not repeated by a later flush.
    m_lpBufCur = m_lpBufStart;
    if (nPending > 0)
        m_pFile->Write(m_lpBufStart, nPending);
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    Write(lpsz, static_cast<UINT>(strlen(lpsz)));
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    ASSERT(nMax > 0);
    UINT nLength = 0;
    BOOL bReadAny = FALSE;
    char ch;
    while (nLength + 1 < nMax && Read(&ch, 1) == 1)
    {
        bReadAny = TRUE;
        if (ch == '\n')
        {
            if (nLength > 0 && lpsz[nLength - 1] == '\r')
                --nLength;
            break;
        }
        lpsz[nLength++] = ch;
    }
    lpsz[nLength] = '\0';
    return bReadAny ? lpsz : NULL;
}

BOOL CArchive::ReadString(CString& rString)
{
    std::string line;
    BOOL bReadAny = FALSE;
    char ch;
    while (Read(&ch, 1) == 1)
    {
        bReadAny = TRUE;
        if (ch == '\n')
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            break;
        }
        line += ch;
    }
    rString = CString(line.data(), static_cast<int>(line.size()));
    return bReadAny;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsStoring())
    {
        WriteBuffer();
        return;
    }
    LONGLONG nUnread = m_lpBufMax - m_lpBufCur;
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
    if (nUnread > 0)
        m_pFile->Seek(-nUnread, CFile::current);
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

template <typename T> CArchive& CArchive::WriteScalar(T value)
{
    Write(&value, sizeof(value));
    return *this;
}

template <typename T> CArchive& CArchive::ReadScalar(T& value)
{
    if (Read(&value, sizeof(value)) != sizeof(value))
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    return *this;
}

CArchive& CArchive::operator<<(BYTE by) { return WriteScalar(by); }
CArchive& CArchive::operator<<(WORD w) { return WriteScalar(w); }
CArchive& CArchive::operator<<(LONG l) { return WriteScalar(l); }
CArchive& CArchive::operator<<(DWORD dw) { return WriteScalar(dw); }
CArchive& CArchive::operator<<(int i) { return WriteScalar(static_cast<LONG>(i)); }
CArchive& CArchive::operator<<(unsigned u) { return WriteScalar(static_cast<DWORD>(u)); }
CArchive& CArchive::operator<<(short w) { return WriteScalar(static_cast<WORD>(w)); }
CArchive& CArchive::operator<<(char ch) { return WriteScalar(static_cast<BYTE>(ch)); }
CArchive& CArchive::operator<<(bool b) { return WriteScalar(static_cast<BYTE>(b ? 1 : 0)); }
CArchive& CArchive::operator<<(float f) { return WriteScalar(f); }
CArchive& CArchive::operator<<(double d) { return WriteScalar(d); }
CArchive& CArchive::operator<<(LONGLONG dwdw) { return WriteScalar(dwdw); }
CArchive& CArchive::operator<<(ULONGLONG dwdw) { return WriteScalar(dwdw); }

CArchive& CArchive::operator<<(LPCSTR lpsz)
{
    return *this << CString(lpsz);
}

CArchive& CArchive::operator>>(BYTE& by) { return ReadScalar(by); }
CArchive& CArchive::operator>>(WORD& w) { return ReadScalar(w); }
CArchive& CArchive::operator>>(LONG& l) { return ReadScalar(l); }
CArchive& CArchive::operator>>(DWORD& dw) { return ReadScalar(dw); }
CArchive& CArchive::operator>>(float& f) { return ReadScalar(f); }
CArchive& CArchive::operator>>(double& d) { return ReadScalar(d); }
CArchive& CArchive::operator>>(LONGLONG& dwdw) { return ReadScalar(dwdw); }
CArchive& CArchive::operator>>(ULONGLONG& dwdw) { return ReadScalar(dwdw); }

CArchive& CArchive::operator>>(int& i)
{
    LONG l;
    ReadScalar(l);
    i = static_cast<int>(l);
    return *this;
}

CArchive& CArchive::operator>>(unsigned& u)
{
    DWORD dw;
    ReadScalar(dw);
    u = static_cast<unsigned>(dw);
    return *this;
}

CArchive& CArchive::operator>>(short& w)
{
    WORD word;
    ReadScalar(word);
    w = static_cast<short>(word);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE by;
    ReadScalar(by);
    ch = static_cast<char>(by);
    return *this;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE by;
    ReadScalar(by);
    b = by != 0;
    return *this;
}

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount)
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::WriteReference(DWORD nIndex, BOOL bClass)
{
    if (nIndex < wBigObjectTag)
        *this << static_cast<WORD>(bClass ? (wClassTag | nIndex) : nIndex);
    else
        *this << wBigObjectTag << (bClass ? (dwBigClassTag | nIndex) : nIndex);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (pOb == NULL)
        return;
    CheckCount();
    if (IsStoring())
        m_storeMap[pOb] = m_nMapCount++;
    else
    {
        m_loadArray.push_back(LoadEntry{const_cast<CObject*>(pOb), FALSE});
        ++m_nMapCount;
    }
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }
    auto known = m_storeMap.find(pOb);
    if (known != m_storeMap.end())
    {
        WriteReference(known->second, FALSE);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckCount();
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();
    auto known = m_storeMap.find(pClassRef);
    if (known != m_storeMap.end())
    {
        WriteReference(known->second, TRUE);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckCount();
    m_storeMap[pClassRef] = m_nMapCount++;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (pClassRefRequested != NULL && pClassRefRequested->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        if (pObTag == NULL)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return NULL;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema)
        {
            if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
                AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
            m_schemaMap[pClassRef] = nSchema;
        }
        CheckCount();
        m_loadArray.push_back(LoadEntry{pClassRef, TRUE});
        ++m_nMapCount;
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || !m_loadArray[nClassIndex].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[nClassIndex].p);
        auto stored = m_schemaMap.find(pClassRef);
        nSchema = stored != m_schemaMap.end() ? stored->second : (pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA);
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);

    if (pSchema != NULL)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == NULL)
    {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].bClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].p);
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    CheckCount();
    // Mapped before its data is read, so that its members may refer back to it.
    size_t nIndex = m_loadArray.size();
    m_loadArray.push_back(LoadEntry{pOb, FALSE});
    ++m_nMapCount;

    UINT nSchemaSaved = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        m_nObjectSchema = nSchemaSaved;
        m_loadArray[nIndex].p = NULL;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaSaved;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
        *this << static_cast<WORD>(dwCount);
    else
        *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(NULL);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLength = static_cast<DWORD>(string.GetLength());
    WriteStringLength(ar, nLength);
    ar.Write(static_cast<LPCTSTR>(string), nLength);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    BOOL bUnicode;
    DWORD nLength = ReadStringLength(ar, bUnicode);
    if (bUnicode)
    {
        string = WideToAnsi(ReadBytes(ar, static_cast<ULONGLONG>(nLength) * sizeof(WCHAR)));
        return ar;
    }
    std::string data = ReadBytes(ar, nLength);
    string = CString(data.data(), static_cast<int>(data.size()));
    return ar;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLength = static_cast<WORD>(strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLength;
    ar.Write(m_lpszClassName, nLength);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema;
    WORD nLength;
    ar >> wSchema >> nLength;
    *pwSchemaNum = wSchema;
    std::string strClassName = ReadBytes(ar, nLength);
    return FromName(strClassName.c_str());
}
