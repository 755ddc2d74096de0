// The module handles of the running program.
#include "String.h"

namespace {

HINSTANCE g_hInstance = NULL;
HINSTANCE g_hResource = NULL;

} // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return g_hInstance != NULL ? g_hInstance : GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hResource != NULL ? g_hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}
