#include "BeepRecorder.h"

// The program's import of MessageBeep, which the recorder points elsewhere.
extern "C" BOOL(WINAPI* g_pfnImportedMessageBeep)(UINT) __asm__("__imp__MessageBeep@4");

int CBeepRecorder::s_nBeeps = 0;

CBeepRecorder::CBeepRecorder() : m_pfnSaved(g_pfnImportedMessageBeep)
{
    Point(&CBeepRecorder::Record);
}

CBeepRecorder::~CBeepRecorder()
{
    Point(m_pfnSaved);
}

BOOL WINAPI CBeepRecorder::Record(UINT)
{
    s_nBeeps++;
    return TRUE;
}

void CBeepRecorder::Point(BOOL(WINAPI* pfn)(UINT))
{
    DWORD dwOld = 0;
    ::VirtualProtect(&g_pfnImportedMessageBeep, sizeof pfn, PAGE_READWRITE, &dwOld);
    g_pfnImportedMessageBeep = pfn;
    ::VirtualProtect(&g_pfnImportedMessageBeep, sizeof pfn, dwOld, &dwOld);
}
