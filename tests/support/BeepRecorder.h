// CBeepRecorder: the beeps of the program counted instead of sounded.
#pragma once
#include <windows.h>

// While one lives, every MessageBeep of the test program is counted in s_nBeeps and makes no sound.
class CBeepRecorder
{
public:
    CBeepRecorder();
    ~CBeepRecorder();
    CBeepRecorder(const CBeepRecorder&) = delete;
    CBeepRecorder& operator=(const CBeepRecorder&) = delete;

    static int s_nBeeps;

private:
    static BOOL WINAPI Record(UINT uType);
    static void Point(BOOL(WINAPI* pfn)(UINT));

    BOOL(WINAPI* m_pfnSaved)(UINT);
};
