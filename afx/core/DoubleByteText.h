// Character stepping over 8-bit text of the ANSI code page, where a lead byte (IsDBCSLeadByte) and
// the byte after it form one character. Offsets are bytes.
#pragma once
#include "AfxDefs.h"
#include <string>

namespace DoubleByteText {

// Bytes in the character at p (1 or 2), given the end of its text. A lead byte without a trail
// byte before the end counts as a character of its own, as CharNextA treats it.
inline int CharLength(const char* p, const char* end)
{
    return (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p + 1 < end && p[1] != '\0') ? 2 : 1;
}

// The start of the character that contains byte offset nIndex (nIndex itself when it is a start).
inline int CharStartAtOrBefore(const char* text, int nLength, int nIndex)
{
    int pos = 0;
    while (pos < nIndex)
    {
        int next = pos + CharLength(text + pos, text + nLength);
        if (next > nIndex)
            return pos;
        pos = next;
    }
    return nIndex;
}

// The first character start at or after byte offset nIndex.
inline int CharStartAtOrAfter(const char* text, int nLength, int nIndex)
{
    int pos = 0;
    while (pos < nIndex)
        pos += CharLength(text + pos, text + nLength);
    return pos;
}

inline std::string WideToAnsi(const wchar_t* text, int nLength)
{
    std::string result;
    int n = WideCharToMultiByte(CP_ACP, 0, text, nLength, NULL, 0, NULL, NULL);
    if (n > 0)
    {
        result.resize(n);
        WideCharToMultiByte(CP_ACP, 0, text, nLength, &result[0], n, NULL, NULL);
    }
    return result;
}

} // namespace DoubleByteText
