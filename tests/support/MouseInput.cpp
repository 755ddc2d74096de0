#include "MouseInput.h"

void SendMouseInput(CPoint ptScreen, DWORD dwButtons)
{
    // Absolute coordinates run 0..65535 across the screen; rounding up lands on the pixel asked.
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + cxScreen - 1) / cxScreen;
    input.mi.dy = (ptScreen.y * 65536 + cyScreen - 1) / cyScreen;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButtons;
    ::SendInput(1, &input, sizeof(INPUT));
}
