#include "String.h"
#include "DoubleByteText.h"
#include "Exception.h"
#include "StringFormat.h"

#include <new>
#include <string>

using DoubleByteText::CharLength;
using DoubleByteText::CharStartAtOrAfter;
using DoubleByteText::CharStartAtOrBefore;
using DoubleByteText::WideToAnsi;

namespace {

// The shared representation of every empty string; never written to, never freed.
struct NilString
{
    CStringData data;
    char text[1];
};
NilString g_nil = { { -1, 0, 0 }, { '\0' } };

// Whether the character p[0..nCharLen) occurs as a whole character of the set.
bool CharInSet(const char* p, int nCharLen, LPCTSTR lpszSet)
{
    const char* end = lpszSet + strlen(lpszSet);
    for (const char* q = lpszSet; q < end; )
    {
        int len = CharLength(q, end);
        if (len == nCharLen && memcmp(p, q, len) == 0)
            return true;
        q += len;
    }
    return false;
}

bool IsSpaceCharacter(const char* p, int nCharLen)
{
    return nCharLen == 1 && (*p == ' ' || (*p >= '\t' && *p <= '\r'));
}

// Case mapping of one single-byte character through the ANSI code page's rules.
char FoldUpper(char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    if (static_cast<BYTE>(c) < 0x80)
        return c;
    return static_cast<char>(reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
}

char FoldLower(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if (static_cast<BYTE>(c) < 0x80)
        return c;
    return static_cast<char>(reinterpret_cast<UINT_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<BYTE>(c))))));
}

void FoldSingleByteCharacters(char* text, int nLength, char (*fold)(char))
{
    char* end = text + nLength;
    for (char* p = text; p < end; )
    {
        int len = CharLength(p, end);
        if (len == 1)
            *p = fold(*p);
        p += len;
    }
}

// A buffer for nAlloc bytes plus the terminating zero; throws CMemoryException when memory is short.
CStringData* NewStringData(int nLength, int nAlloc, long nRefs)
{
    CStringData* pData = static_cast<CStringData*>(::operator new(sizeof(CStringData) + nAlloc + 1, std::nothrow));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = nRefs;
    pData->nDataLength = nLength;
    pData->nAllocLength = nAlloc;
    pData->data()[nLength] = '\0';
    return pData;
}

int SafeLength(LPCSTR lpsz)
{
    return lpsz != NULL ? static_cast<int>(strlen(lpsz)) : 0;
}

bool IsResourceId(LPCSTR lpsz)
{
    return lpsz != NULL && HIWORD(reinterpret_cast<DWORD_PTR>(lpsz)) == 0;
}

// Replaces %1 … %9 in lpszFormat with rglpsz[0 …]; a '%' not followed by a supplied digit stays.
void FormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    std::string out;
    const char* end = lpszFormat + strlen(lpszFormat);
    for (const char* p = lpszFormat; p < end; )
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && p[1] - '1' < nString)
        {
            LPCTSTR lpszArg = rglpsz[p[1] - '1'];
            if (lpszArg != NULL)
                out += lpszArg;
            p += 2;
            continue;
        }
        int len = CharLength(p, end);
        out.append(p, len);
        p += len;
    }
    rString = CString(out.data(), static_cast<int>(out.size()));
}

} // namespace

// ---- Buffer management ----

void CString::Init()
{
    m_pchData = g_nil.data.data();
}

void CString::AllocBuffer(int nLen)
{
    if (nLen == 0)
        Init();
    else
        m_pchData = NewStringData(nLen, nLen, 1)->data();
}

void CString::ReleaseData(CStringData* pData)
{
    if (pData != &g_nil.data && InterlockedDecrement(&pData->nRefs) <= 0)
        ::operator delete(pData);
}

void CString::Release()
{
    ReleaseData(GetData());
    Init();
}

CStringData* CString::Reallocate(int nAlloc)
{
    CStringData* pOld = GetData();
    long nRefs = pOld->nRefs < 0 && pOld != &g_nil.data ? -1 : 1;
    CStringData* pData = NewStringData(pOld->nDataLength, nAlloc, nRefs);
    memcpy(pData->data(), pOld->data(), pOld->nDataLength);
    m_pchData = pData->data();
    return pOld;
}

void CString::CopyBeforeWrite()
{
    if (GetData()->nRefs > 1)
        ReleaseData(Reallocate(GetData()->nDataLength));
}

void CString::AllocBeforeWrite(int nLen)
{
    if (GetData()->nRefs > 1 || nLen > GetData()->nAllocLength)
    {
        Release();
        AllocBuffer(nLen);
    }
}

void CString::AssignCopy(int nSrcLen, LPCTSTR lpszSrcData)
{
    AllocBeforeWrite(nSrcLen);
    if (nSrcLen == 0)
    {
        Empty();
        return;
    }
    memmove(m_pchData, lpszSrcData, nSrcLen);
    SetLength(nSrcLen);
}

void CString::SetLength(int nNewLength)
{
    if (GetData() == &g_nil.data)
        return;
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

void CString::ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data)
{
    int nNewLen = nSrc1Len + nSrc2Len;
    if (nNewLen == 0)
        return;
    AllocBuffer(nNewLen);
    memcpy(m_pchData, lpszSrc1Data, nSrc1Len);
    memcpy(m_pchData + nSrc1Len, lpszSrc2Data, nSrc2Len);
}

void CString::ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData)
{
    if (nSrcLen == 0)
        return;
    CStringData* pData = GetData();
    int nOldLen = pData->nDataLength;
    if (pData->nRefs > 1 || nOldLen + nSrcLen > pData->nAllocLength)
    {
        // Grow by half again so that appending in a loop stays linear. The source may lie in the
        // old buffer, so that is released only after the copy.
        int nAlloc = nOldLen + nSrcLen;
        if (pData->nRefs <= 1 && nAlloc < nOldLen + nOldLen / 2)
            nAlloc = nOldLen + nOldLen / 2;
        CStringData* pOld = Reallocate(nAlloc);
        memcpy(m_pchData + nOldLen, lpszSrcData, nSrcLen);
        ReleaseData(pOld);
    }
    else
    {
        memmove(m_pchData + nOldLen, lpszSrcData, nSrcLen);
    }
    SetLength(nOldLen + nSrcLen);
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    ASSERT(nMinBufLength >= 0);
    CStringData* pData = GetData();
    if (pData == &g_nil.data || pData->nRefs > 1 || nMinBufLength > pData->nAllocLength)
        ReleaseData(Reallocate(nMinBufLength > pData->nDataLength ? nMinBufLength : pData->nDataLength));
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    if (nNewLength == -1)
        nNewLength = static_cast<int>(strlen(m_pchData));
    ASSERT(nNewLength >= 0 && nNewLength <= GetData()->nAllocLength);
    SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* pData = GetData();
    if (pData != &g_nil.data && pData->nRefs <= 1 && pData->nDataLength != pData->nAllocLength)
        ReleaseData(Reallocate(pData->nDataLength));
}

LPTSTR CString::LockBuffer()
{
    LPTSTR lpsz = GetBuffer(0);
    GetData()->nRefs = -1;
    return lpsz;
}

void CString::UnlockBuffer()
{
    if (GetData() != &g_nil.data)
        GetData()->nRefs = 1;
}

// ---- Construction and assignment ----

CString::CString()
{
    Init();
}

CString::CString(const CString& stringSrc)
{
    if (stringSrc.GetData()->nRefs >= 0)
    {
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&GetData()->nRefs);
    }
    else
    {
        Init();
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    }
}

CString::CString(CString&& stringSrc) noexcept
{
    m_pchData = stringSrc.m_pchData;
    stringSrc.Init();
}

CString::CString(TCHAR ch, int nRepeat)
{
    Init();
    if (nRepeat >= 1)
    {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCSTR lpsz)
{
    Init();
    if (IsResourceId(lpsz))
        LoadString(LOWORD(reinterpret_cast<DWORD_PTR>(lpsz)));
    else
        AssignCopy(SafeLength(lpsz), lpsz);
}

CString::CString(LPCSTR lpch, int nLength)
{
    Init();
    if (lpch != NULL && nLength > 0)
    {
        AllocBuffer(nLength);
        memcpy(m_pchData, lpch, nLength);
    }
}

CString::CString(const unsigned char* psz)
{
    Init();
    *this = reinterpret_cast<LPCSTR>(psz);
}

CString::CString(LPCWSTR lpsz)
{
    Init();
    *this = lpsz;
}

CString::~CString()
{
    Release();
}

void CString::Empty()
{
    if (GetData()->nDataLength == 0)
        return;
    if (GetData()->nRefs >= 0)
        Release();
    else
        SetLength(0);
}

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    bool bThisLocked = GetData()->nRefs < 0 && GetData() != &g_nil.data;
    if (bThisLocked || stringSrc.GetData()->nRefs < 0)
    {
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
    }
    else
    {
        Release();
        m_pchData = stringSrc.m_pchData;
        InterlockedIncrement(&GetData()->nRefs);
    }
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this == &stringSrc)
        return *this;
    if (GetData()->nRefs < 0 && GetData() != &g_nil.data)
    {
        AssignCopy(stringSrc.GetLength(), stringSrc.m_pchData);
        return *this;
    }
    Release();
    m_pchData = stringSrc.m_pchData;
    stringSrc.Init();
    return *this;
}

const CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeLength(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(LPCWSTR lpsz)
{
    std::string converted;
    if (lpsz != NULL)
        converted = WideToAnsi(lpsz, static_cast<int>(wcslen(lpsz)));
    AssignCopy(static_cast<int>(converted.size()), converted.data());
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

// ---- Concatenation ----

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetLength(), string.m_pchData);
    return *this;
}

const CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCTSTR lpsz)
{
    ConcatInPlace(SafeLength(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.ConcatCopy(string1.GetLength(), string1.m_pchData, string2.GetLength(), string2.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, TCHAR ch)
{
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, 1, &ch);
    return s;
}

CString AFXAPI operator+(TCHAR ch, const CString& string)
{
    CString s;
    s.ConcatCopy(1, &ch, string.GetLength(), string.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, LPCTSTR lpsz)
{
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, SafeLength(lpsz), lpsz);
    return s;
}

CString AFXAPI operator+(LPCTSTR lpsz, const CString& string)
{
    CString s;
    s.ConcatCopy(SafeLength(lpsz), lpsz, string.GetLength(), string.m_pchData);
    return s;
}

// ---- Element access ----

TCHAR CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

// ---- Comparison ----

int CString::Compare(LPCTSTR lpsz) const
{
    return strcmp(m_pchData, lpsz);
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    // Character by character, so that a trail byte in 'A'-'Z' is not folded.
    const BYTE* p1 = reinterpret_cast<const BYTE*>(m_pchData);
    const BYTE* p2 = reinterpret_cast<const BYTE*>(lpsz);
    const char* end1 = m_pchData + GetLength();
    const char* end2 = lpsz + strlen(lpsz);
    for (;;)
    {
        int len1 = *p1 != 0 ? CharLength(reinterpret_cast<const char*>(p1), end1) : 1;
        int len2 = *p2 != 0 ? CharLength(reinterpret_cast<const char*>(p2), end2) : 1;
        BYTE c1 = len1 == 1 ? static_cast<BYTE>(FoldLower(static_cast<char>(*p1))) : *p1;
        BYTE c2 = len2 == 1 ? static_cast<BYTE>(FoldLower(static_cast<char>(*p2))) : *p2;
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        if (c1 == 0)
            return 0;
        if (len1 == 2 || len2 == 2)
        {
            BYTE t1 = len1 == 2 ? p1[1] : 0;
            BYTE t2 = len2 == 2 ? p2[1] : 0;
            if (t1 != t2)
                return t1 < t2 ? -1 : 1;
        }
        p1 += len1;
        p2 += len2;
    }
}

int CString::Collate(LPCTSTR lpsz) const
{
    return CompareStringA(LOCALE_USER_DEFAULT, 0, m_pchData, -1, lpsz, -1) - CSTR_EQUAL;
}

int CString::CollateNoCase(LPCTSTR lpsz) const
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_pchData, -1, lpsz, -1) - CSTR_EQUAL;
}

bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0; }
bool AFXAPI operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool AFXAPI operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool AFXAPI operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool AFXAPI operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool AFXAPI operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// ---- Extraction ----

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    int nEnd = nCount > nLength - nFirst ? nLength : nFirst + nCount;
    nFirst = CharStartAtOrBefore(m_pchData, nLength, nFirst);
    nEnd = CharStartAtOrBefore(m_pchData, nLength, nEnd);
    if (nFirst == 0 && nEnd == nLength)
        return *this;
    return CString(m_pchData + nFirst, nEnd - nFirst);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount >= nLength)
        return *this;
    if (nCount < 0)
        nCount = 0;
    return Mid(CharStartAtOrAfter(m_pchData, nLength, nLength - nCount));
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    const char* end = m_pchData + GetLength();
    const char* p = m_pchData;
    while (p < end)
    {
        int len = CharLength(p, end);
        if (!CharInSet(p, len, lpszCharSet))
            break;
        p += len;
    }
    return Left(static_cast<int>(p - m_pchData));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    int nIndex = FindOneOf(lpszCharSet);
    return nIndex < 0 ? *this : Left(nIndex);
}

// ---- Changing case and order ----

void CString::MakeUpper()
{
    CopyBeforeWrite();
    FoldSingleByteCharacters(m_pchData, GetLength(), FoldUpper);
}

void CString::MakeLower()
{
    CopyBeforeWrite();
    FoldSingleByteCharacters(m_pchData, GetLength(), FoldLower);
}

void CString::MakeReverse()
{
    int nLength = GetLength();
    if (nLength < 2)
        return;
    std::string reversed(nLength, '\0');
    const char* end = m_pchData + nLength;
    int nOut = nLength;
    for (const char* p = m_pchData; p < end; )
    {
        int len = CharLength(p, end);
        nOut -= len;
        memcpy(&reversed[nOut], p, len);
        p += len;
    }
    CopyBeforeWrite();
    memcpy(m_pchData, reversed.data(), nLength);
}

// ---- Editing ----

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    int nLength = GetLength();
    for (int pos = 0; pos < nLength; )
    {
        int len = CharLength(m_pchData + pos, m_pchData + nLength);
        if (len == 1 && m_pchData[pos] == chOld)
        {
            if (nCount++ == 0)
                CopyBeforeWrite();
            m_pchData[pos] = chNew;
        }
        pos += len;
    }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    int nOldLen = SafeLength(lpszOld);
    if (nOldLen == 0)
        return 0;
    int nNewLen = SafeLength(lpszNew);
    int nLength = GetLength();
    std::string result;
    int nCount = 0;
    int nCopied = 0;
    for (int pos = 0; pos < nLength; )
    {
        if (pos + nOldLen <= nLength && memcmp(m_pchData + pos, lpszOld, nOldLen) == 0)
        {
            result.append(m_pchData + nCopied, pos - nCopied);
            result.append(lpszNew, nNewLen);
            pos += nOldLen;
            nCopied = pos;
            ++nCount;
        }
        else
        {
            pos += CharLength(m_pchData + pos, m_pchData + nLength);
        }
    }
    if (nCount > 0)
    {
        result.append(m_pchData + nCopied, nLength - nCopied);
        AssignCopy(static_cast<int>(result.size()), result.data());
    }
    return nCount;
}

int CString::Remove(TCHAR chRemove)
{
    int nLength = GetLength();
    int nOut = 0;
    bool bWritable = false;
    for (int pos = 0; pos < nLength; )
    {
        int len = CharLength(m_pchData + pos, m_pchData + nLength);
        if (len == 1 && m_pchData[pos] == chRemove)
        {
            if (!bWritable)
            {
                CopyBeforeWrite();
                bWritable = true;
            }
        }
        else
        {
            if (bWritable)
                memmove(m_pchData + nOut, m_pchData + pos, len);
            nOut += len;
        }
        pos += len;
    }
    if (nOut != nLength)
        SetLength(nOut);
    return nLength - nOut;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    char text[2] = { ch, '\0' };
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, LPCTSTR pstr)
{
    int nInsertLength = SafeLength(pstr);
    int nLength = GetLength();
    if (nInsertLength == 0)
        return nLength;
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    nIndex = CharStartAtOrBefore(m_pchData, nLength, nIndex);
    std::string result(m_pchData, nIndex);
    result.append(pstr, nInsertLength);
    result.append(m_pchData + nIndex, nLength - nIndex);
    AssignCopy(static_cast<int>(result.size()), result.data());
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount <= 0 || nIndex >= nLength)
        return nLength;
    int nEnd = nCount > nLength - nIndex ? nLength : nIndex + nCount;
    nIndex = CharStartAtOrBefore(m_pchData, nLength, nIndex);
    nEnd = CharStartAtOrAfter(m_pchData, nLength, nEnd);
    CopyBeforeWrite();
    memmove(m_pchData + nIndex, m_pchData + nEnd, nLength - nEnd);
    SetLength(nLength - (nEnd - nIndex));
    return GetLength();
}

// ---- Formatting ----

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    std::string text = AfxFormatToString(lpszFormat, argList);
    AssignCopy(static_cast<int>(text.size()), text.data());
}

namespace {

void FormatMessageV(CString& rString, LPCTSTR lpszFormat, va_list* pArgList)
{
    LPSTR lpszTemp = NULL;
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                     lpszFormat, 0, 0, reinterpret_cast<LPSTR>(&lpszTemp), 0, pArgList);
    if (nLength == 0 || lpszTemp == NULL)
    {
        rString.Empty();
        return;
    }
    rString = CString(lpszTemp, static_cast<int>(nLength));
    LocalFree(lpszTemp);
}

} // namespace

void AFX_CDECL CString::FormatMessage(LPCTSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatMessageV(*this, lpszFormat, &argList);
    va_end(argList);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    va_list argList;
    va_start(argList, nFormatID);
    FormatMessageV(*this, strFormat, &argList);
    va_end(argList);
}

// ---- Trimming ----

namespace {

// Byte offset where the run of matching characters at the end of text begins.
template <typename Match>
int TrailingRunStart(const char* text, int nLength, Match isTarget)
{
    const char* end = text + nLength;
    int nRunStart = -1;
    for (const char* p = text; p < end; )
    {
        int len = CharLength(p, end);
        if (isTarget(p, len))
        {
            if (nRunStart < 0)
                nRunStart = static_cast<int>(p - text);
        }
        else
        {
            nRunStart = -1;
        }
        p += len;
    }
    return nRunStart < 0 ? nLength : nRunStart;
}

// Length in bytes of the run of matching characters at the start of text.
template <typename Match>
int LeadingRunLength(const char* text, int nLength, Match isTarget)
{
    const char* end = text + nLength;
    const char* p = text;
    while (p < end)
    {
        int len = CharLength(p, end);
        if (!isTarget(p, len))
            break;
        p += len;
    }
    return static_cast<int>(p - text);
}

} // namespace

void CString::TrimRight()
{
    Delete(TrailingRunStart(m_pchData, GetLength(), IsSpaceCharacter), GetLength());
}

void CString::TrimRight(TCHAR chTarget)
{
    Delete(TrailingRunStart(m_pchData, GetLength(), [chTarget](const char* p, int len) { return len == 1 && *p == chTarget; }),
           GetLength());
}

void CString::TrimRight(LPCTSTR lpszTargets)
{
    Delete(TrailingRunStart(m_pchData, GetLength(), [lpszTargets](const char* p, int len) { return CharInSet(p, len, lpszTargets); }),
           GetLength());
}

void CString::TrimLeft()
{
    Delete(0, LeadingRunLength(m_pchData, GetLength(), IsSpaceCharacter));
}

void CString::TrimLeft(TCHAR chTarget)
{
    Delete(0, LeadingRunLength(m_pchData, GetLength(), [chTarget](const char* p, int len) { return len == 1 && *p == chTarget; }));
}

void CString::TrimLeft(LPCTSTR lpszTargets)
{
    Delete(0, LeadingRunLength(m_pchData, GetLength(), [lpszTargets](const char* p, int len) { return CharInSet(p, len, lpszTargets); }));
}

// ---- Searching ----

int CString::Find(TCHAR ch) const
{
    return Find(ch, 0);
}

int CString::Find(LPCTSTR lpszSub) const
{
    return Find(lpszSub, 0);
}

int CString::Find(TCHAR ch, int nStart) const
{
    char text[2] = { ch, '\0' };
    return Find(text, nStart);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    int nLength = GetLength();
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLength)
        return -1;
    int nSubLength = SafeLength(lpszSub);
    for (int pos = CharStartAtOrAfter(m_pchData, nLength, nStart); pos + nSubLength <= nLength; )
    {
        if (memcmp(m_pchData + pos, lpszSub, nSubLength) == 0)
            return pos;
        pos += CharLength(m_pchData + pos, m_pchData + nLength);
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    int nLength = GetLength();
    int nFound = -1;
    for (int pos = 0; pos < nLength; )
    {
        int len = CharLength(m_pchData + pos, m_pchData + nLength);
        if (len == 1 && m_pchData[pos] == ch)
            nFound = pos;
        pos += len;
    }
    return nFound;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    int nLength = GetLength();
    for (int pos = 0; pos < nLength; )
    {
        int len = CharLength(m_pchData + pos, m_pchData + nLength);
        if (CharInSet(m_pchData + pos, len, lpszCharSet))
            return pos;
        pos += len;
    }
    return -1;
}

// ---- Resources and code pages ----

BOOL CString::LoadString(UINT nID)
{
    // The table holds UTF-16; with a zero buffer size LoadStringW returns a pointer to it.
    const wchar_t* lpszResource = NULL;
    int nChars = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&lpszResource), 0);
    if (nChars <= 0 || lpszResource == NULL)
    {
        Empty();
        return FALSE;
    }
    std::string text = WideToAnsi(lpszResource, nChars);
    AssignCopy(static_cast<int>(text.size()), text.data());
    return TRUE;
}

void CString::AnsiToOem()
{
    CopyBeforeWrite();
    ::CharToOemBuffA(m_pchData, m_pchData, GetLength());
}

void CString::OemToAnsi()
{
    CopyBeforeWrite();
    ::OemToCharBuffA(m_pchData, m_pchData, GetLength());
}

// ---- Helpers ----

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    FormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    FormatStrings(rString, strFormat, rglpsz, 2);
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == NULL || iSubString < 0)
        return FALSE;
    const char* end = lpszFullString + strlen(lpszFullString);
    const char* p = lpszFullString;
    for (int nField = 0; nField < iSubString; ++nField)
    {
        while (p < end && !(*p == chSep && CharLength(p, end) == 1))
            p += CharLength(p, end);
        if (p == end)
            return FALSE;
        ++p;
    }
    const char* fieldEnd = p;
    while (fieldEnd < end && !(*fieldEnd == chSep && CharLength(fieldEnd, end) == 1))
        fieldEnd += CharLength(fieldEnd, end);
    rString = CString(p, static_cast<int>(fieldEnd - p));
    return TRUE;
}

int AFXAPI AfxCopyTextBounded(LPSTR lpszDest, int nDestSize, LPCSTR lpszSource)
{
    if (lpszDest == NULL || nDestSize <= 0)
        return 0;
    int nCopied = 0;
    if (lpszSource != NULL)
    {
        const char* end = lpszSource + strlen(lpszSource);
        while (lpszSource + nCopied < end)
        {
            int nNext = nCopied + CharLength(lpszSource + nCopied, end);
            if (nNext > nDestSize - 1)
                break;
            nCopied = nNext;
        }
        memcpy(lpszDest, lpszSource, nCopied);
    }
    lpszDest[nCopied] = '\0';
    return nCopied;
}
