// CString: an 8-bit (code page 936) string with copy-on-write sharing, and the string helpers of the
// framework core.
//
// Every operation that walks characters steps over double-byte characters as a whole (lead byte per
// IsDBCSLeadByte of the ANSI code page), so a trail byte is never split off nor matched as if it were a
// single-byte character. Index arguments and results are byte offsets.
#pragma once
#include "AfxDefs.h"
#include <stdarg.h>

#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// The module whose resources LoadString and the resource-id Format forms read; by default the .exe.
HINSTANCE AFXAPI AfxGetResourceHandle();
HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);

// Header in front of the characters of every CString buffer.
struct CStringData
{
    long nRefs;         // -1 while the buffer is locked (never shared)
    int nDataLength;    // bytes, excluding the terminating zero
    int nAllocLength;   // bytes available, excluding the terminating zero

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class CString
{
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(TCHAR ch, int nRepeat = 1);
    CString(LPCSTR lpsz);                  // MAKEINTRESOURCE(id) loads string resource id
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    CString(LPCWSTR lpsz);                 // converted with the ANSI code page
    ~CString();

    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int nIndex) const;
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, TCHAR ch);
    operator LPCTSTR() const { return m_pchData; }

    const CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    const CString& operator=(TCHAR ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(LPCWSTR lpsz);
    const CString& operator=(const unsigned char* psz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(TCHAR ch);
    const CString& operator+=(LPCTSTR lpsz);

    friend CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend CString AFXAPI operator+(const CString& string, TCHAR ch);
    friend CString AFXAPI operator+(TCHAR ch, const CString& string);
    friend CString AFXAPI operator+(const CString& string, LPCTSTR lpsz);
    friend CString AFXAPI operator+(LPCTSTR lpsz, const CString& string);

    // Byte-wise comparison (strcmp order) and its case-insensitive form; Collate uses the locale.
    int Compare(LPCTSTR lpsz) const;
    int CompareNoCase(LPCTSTR lpsz) const;
    int Collate(LPCTSTR lpsz) const;
    int CollateNoCase(LPCTSTR lpsz) const;

    // Extraction by byte positions, clamped to the string. A range never splits a double-byte
    // character: Mid's first index inside one moves back to its lead byte, an end inside one is cut
    // back to its start, and Right(n) leaves out a character only partly within the last n bytes.
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    void MakeUpper();    // single-byte characters only
    void MakeLower();
    void MakeReverse();  // reverses characters, keeping each double-byte character's bytes in order

    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    // printf formats. %S, %ls and %ws take wide strings and %C, %lc and %wc wide characters, converted
    // with the ANSI code page; a string's precision never ends inside a double-byte character; %p
    // prints hexadecimal digits; %n is not supported. Pass a CString argument as (LPCTSTR)string.
    void AFX_CDECL Format(LPCTSTR lpszFormat, ...);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    // Win32 FormatMessage style inserts (%1, %2!d!, ...).
    void AFX_CDECL FormatMessage(LPCTSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);

    void TrimRight();                        // white space
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);

    // Positions are byte offsets; -1 when not found. A start inside a double-byte character
    // begins at the next character.
    int Find(TCHAR ch) const;
    int Find(LPCTSTR lpszSub) const;
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    BOOL LoadString(UINT nID);

    void AnsiToOem();
    void OemToAnsi();

    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

private:
    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void Release();
    static void ReleaseData(CStringData* pData);
    // Moves the text to a new unshared buffer of nAlloc bytes (keeping a lock) and returns the old
    // buffer, which the caller releases once it has read what it needs from it.
    CStringData* Reallocate(int nAlloc);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int nLen);
    void AssignCopy(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatInPlace(int nSrcLen, LPCTSTR lpszSrcData);
    void ConcatCopy(int nSrc1Len, LPCTSTR lpszSrc1Data, int nSrc2Len, LPCTSTR lpszSrc2Data);
    void SetLength(int nNewLength);

    LPTSTR m_pchData;
};

bool AFXAPI operator==(const CString& s1, const CString& s2);
bool AFXAPI operator==(const CString& s1, LPCTSTR s2);
bool AFXAPI operator==(LPCTSTR s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, const CString& s2);
bool AFXAPI operator!=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator!=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, const CString& s2);
bool AFXAPI operator<(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, const CString& s2);
bool AFXAPI operator>(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>(LPCTSTR s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, const CString& s2);
bool AFXAPI operator<=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator<=(LPCTSTR s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, const CString& s2);
bool AFXAPI operator>=(const CString& s1, LPCTSTR s2);
bool AFXAPI operator>=(LPCTSTR s1, const CString& s2);

// Loads string nIDS and replaces "%1" (and "%2") with the given strings.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// Copies lpszSource into a buffer of nDestSize bytes: at most nDestSize - 1 bytes and a terminating
// zero (nothing when nDestSize <= 0). A text that does not fit is cut before a character, never inside
// a double-byte one. Returns the number of bytes copied, without the zero.
int AFXAPI AfxCopyTextBounded(LPSTR lpszDest, int nDestSize, LPCSTR lpszSource);
// Copies the iSubString-th (from 0) field of lpszFullString separated by chSep; FALSE past the last.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                TCHAR chSep = '\n');
