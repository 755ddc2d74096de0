// The library file that a QEN user-interface library installation keeps in its Bin folder. QENWiz
// loads it by name only to learn where it lies; it carries no code but its entry point.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
