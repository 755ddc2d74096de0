// Basic definitions shared by every part of the framework layer.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <tchar.h>
#include <stddef.h>
#include <string.h>

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef afx_msg
#define afx_msg
#endif

// Opaque iteration position of the list and map collections.
struct __POSITION {};
typedef __POSITION* POSITION;

#define BEFORE_START_POSITION ((POSITION)-1L)

// Diagnostics: checks stay active in every build, because the library's callers rely on
// wrong calling state being caught rather than silently corrupting data.
void AFXAPI AfxAssertFailedLine(const char* file, int line);
#define ASSERT(f) do { if (!(f)) AfxAssertFailedLine(__FILE__, __LINE__); } while (0)
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#define ASSERT_KINDOF(cls, p) ASSERT((p)->IsKindOf(RUNTIME_CLASS(cls)))
#define TRACE(...) ((void)0)
#define DEBUG_NEW new
#define UNUSED_ALWAYS(x) (void)(x)
