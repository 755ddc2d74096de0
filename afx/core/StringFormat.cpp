#include "StringFormat.h"
#include "DoubleByteText.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

using DoubleByteText::CharLength;
using DoubleByteText::CharStartAtOrBefore;
using DoubleByteText::WideToAnsi;

namespace {

enum class ArgSize { Default, Char, Short, Long, LongLong, LongDouble, Wide, PtrSize };

// One directive: %[flags][width][.precision][size]conversion.
struct FormatDirective
{
    std::string flags;
    int nWidth = -1;       // -1 when not given
    int nPrecision = -1;   // -1 when not given
    bool bLeftAlign = false;
    ArgSize size = ArgSize::Default;
    char conversion = '\0';   // '\0' when the format ends inside the directive

    // The directive for the C runtime, with flags, width and precision and the given tail.
    std::string ForRuntime(const std::string& tail) const
    {
        std::string directive = "%" + flags;
        if (nWidth >= 0)
            directive += std::to_string(nWidth);
        if (nPrecision >= 0)
            directive += "." + std::to_string(nPrecision);
        return directive + tail;
    }

    // %S and %C, and the l and w sizes, take wide arguments; h makes them narrow again.
    bool IsWide() const
    {
        return size == ArgSize::Long || size == ArgSize::Wide ||
               ((conversion == 'S' || conversion == 'C') && size != ArgSize::Short);
    }
};

// Reads one conversion's length modifier at p and advances past it.
ArgSize ParseArgSize(const char*& p)
{
    if (p[0] == 'h' && p[1] == 'h') { p += 2; return ArgSize::Char; }
    if (p[0] == 'h') { ++p; return ArgSize::Short; }
    if (p[0] == 'l' && p[1] == 'l') { p += 2; return ArgSize::LongLong; }
    if (p[0] == 'l') { ++p; return ArgSize::Long; }
    if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { p += 3; return ArgSize::LongLong; }
    if (p[0] == 'I' && p[1] == '3' && p[2] == '2') { p += 3; return ArgSize::Default; }
    if (p[0] == 'I' || p[0] == 'z' || p[0] == 't') { ++p; return ArgSize::PtrSize; }
    if (p[0] == 'j' || p[0] == 'q') { ++p; return ArgSize::LongLong; }
    if (p[0] == 'L') { ++p; return ArgSize::LongDouble; }
    if (p[0] == 'w') { ++p; return ArgSize::Wide; }
    return ArgSize::Default;
}

int ParseNumber(const char*& p)
{
    int n = 0;
    while (*p >= '0' && *p <= '9')
        n = n * 10 + (*p++ - '0');
    return n;
}

// Reads the directive that follows a '%' at p and advances past it; a '*' width or precision is
// taken from the arguments, a negative '*' width meaning left alignment.
FormatDirective ParseDirective(const char*& p, va_list& argList)
{
    FormatDirective d;
    while (*p != '\0' && strchr("-+ #0", *p) != NULL)
        d.flags += *p++;
    d.bLeftAlign = d.flags.find('-') != std::string::npos;

    if (*p == '*')
    {
        d.nWidth = va_arg(argList, int);
        if (d.nWidth < 0)
        {
            d.bLeftAlign = true;
            d.flags += '-';
            d.nWidth = -d.nWidth;
        }
        ++p;
    }
    else if (*p >= '0' && *p <= '9')
        d.nWidth = ParseNumber(p);

    if (*p == '.')
    {
        ++p;
        if (*p == '*')
        {
            d.nPrecision = va_arg(argList, int);
            ++p;
        }
        else
            d.nPrecision = ParseNumber(p);
    }

    d.size = ParseArgSize(p);
    d.conversion = *p;
    if (d.conversion != '\0')
        ++p;
    return d;
}

// Appends the output of one C runtime conversion.
template <typename T>
void AppendPrintf(std::string& out, const std::string& directive, T value)
{
    char small[64];
    int n = __mingw_snprintf(small, sizeof(small), directive.c_str(), value);
    if (n < 0)
        return;
    if (n < static_cast<int>(sizeof(small)))
    {
        out.append(small, n);
        return;
    }
    std::string big(n + 1, '\0');
    __mingw_snprintf(&big[0], big.size(), directive.c_str(), value);
    out.append(big.c_str(), n);
}

// Appends text of nLength bytes, cut to the precision without splitting a character, padded to the
// width.
void AppendText(std::string& out, const char* text, int nLength, const FormatDirective& d, int nPrecision)
{
    if (nPrecision >= 0 && nPrecision < nLength)
        nLength = CharStartAtOrBefore(text, nLength, nPrecision);
    int nPad = d.nWidth > nLength ? d.nWidth - nLength : 0;
    if (!d.bLeftAlign)
        out.append(nPad, ' ');
    out.append(text, nLength);
    if (d.bLeftAlign)
        out.append(nPad, ' ');
}

void AppendSigned(std::string& out, const FormatDirective& d, va_list& argList)
{
    long long value;
    switch (d.size)
    {
    case ArgSize::Char: value = static_cast<signed char>(va_arg(argList, int)); break;
    case ArgSize::Short: value = static_cast<short>(va_arg(argList, int)); break;
    case ArgSize::Long: value = va_arg(argList, long); break;
    case ArgSize::LongLong: value = va_arg(argList, long long); break;
    case ArgSize::PtrSize: value = va_arg(argList, ptrdiff_t); break;
    default: value = va_arg(argList, int); break;
    }
    AppendPrintf(out, d.ForRuntime("lld"), value);
}

void AppendUnsigned(std::string& out, const FormatDirective& d, va_list& argList)
{
    unsigned long long value;
    switch (d.size)
    {
    case ArgSize::Char: value = static_cast<unsigned char>(va_arg(argList, unsigned int)); break;
    case ArgSize::Short: value = static_cast<unsigned short>(va_arg(argList, unsigned int)); break;
    case ArgSize::Long: value = va_arg(argList, unsigned long); break;
    case ArgSize::LongLong: value = va_arg(argList, unsigned long long); break;
    case ArgSize::PtrSize: value = va_arg(argList, size_t); break;
    default: value = va_arg(argList, unsigned int); break;
    }
    AppendPrintf(out, d.ForRuntime(std::string("ll") + d.conversion), value);
}

void AppendFloating(std::string& out, const FormatDirective& d, va_list& argList)
{
    if (d.size == ArgSize::LongDouble)
        AppendPrintf(out, d.ForRuntime(std::string("L") + d.conversion), va_arg(argList, long double));
    else
        AppendPrintf(out, d.ForRuntime(std::string(1, d.conversion)), va_arg(argList, double));
}

// Flags, width and precision do not apply to %p.
void AppendPointer(std::string& out, va_list& argList)
{
    AppendPrintf(out, "%0" + std::to_string(2 * sizeof(void*)) + "lX",
                 static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(va_arg(argList, void*))));
}

void AppendCharacter(std::string& out, const FormatDirective& d, va_list& argList)
{
    int value = va_arg(argList, int);
    if (d.IsWide())
    {
        wchar_t wch = static_cast<wchar_t>(value);
        std::string text = WideToAnsi(&wch, 1);
        AppendText(out, text.data(), static_cast<int>(text.size()), d, -1);
    }
    else
    {
        char ch = static_cast<char>(value);
        AppendText(out, &ch, 1, d, -1);
    }
}

void AppendString(std::string& out, const FormatDirective& d, va_list& argList)
{
    if (d.IsWide())
    {
        const wchar_t* text = va_arg(argList, const wchar_t*);
        std::string converted = text != NULL ? WideToAnsi(text, static_cast<int>(wcslen(text))) : "(null)";
        AppendText(out, converted.data(), static_cast<int>(converted.size()), d, d.nPrecision);
    }
    else
    {
        const char* text = va_arg(argList, const char*);
        if (text == NULL)
            text = "(null)";
        AppendText(out, text, static_cast<int>(strlen(text)), d, d.nPrecision);
    }
}

// Appends one conversion; false, with no argument taken, for a conversion this engine does not know.
bool AppendConversion(std::string& out, const FormatDirective& d, va_list& argList)
{
    switch (d.conversion)
    {
    case 'd': case 'i':
        AppendSigned(out, d, argList);
        return true;
    case 'u': case 'o': case 'x': case 'X':
        AppendUnsigned(out, d, argList);
        return true;
    case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
        AppendFloating(out, d, argList);
        return true;
    case 'p':
        AppendPointer(out, argList);
        return true;
    case 'c': case 'C':
        AppendCharacter(out, d, argList);
        return true;
    case 's': case 'S':
        AppendString(out, d, argList);
        return true;
    default:
        return false;
    }
}

} // namespace

std::string AFXAPI AfxFormatToString(LPCTSTR lpszFormat, va_list argList)
{
    std::string out;
    const char* end = lpszFormat + strlen(lpszFormat);
    const char* p = lpszFormat;
    while (p < end)
    {
        if (*p != '%')
        {
            int len = CharLength(p, end);
            out.append(p, len);
            p += len;
            continue;
        }
        const char* directiveStart = p++;
        if (*p == '%')
        {
            out += '%';
            ++p;
            continue;
        }
        FormatDirective d = ParseDirective(p, argList);
        if (d.conversion == '\0' || !AppendConversion(out, d, argList))
            out.append(directiveStart, p - directiveStart);
    }
    return out;
}
