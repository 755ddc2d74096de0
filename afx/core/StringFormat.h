// The printf engine behind CString::Format and FormatV.
#pragma once
#include "AfxDefs.h"
#include <stdarg.h>
#include <string>

// printf formatting with the framework's extensions: %S, %ls and %ws take wide strings and %C, %lc
// and %wc wide characters, converted with the ANSI code page; string precision never splits a
// double-byte character; %p prints the address as hexadecimal digits. %n and unknown conversions
// are copied literally.
std::string AFXAPI AfxFormatToString(LPCTSTR lpszFormat, va_list argList);
