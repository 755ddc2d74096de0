#include "InputThread.h"
#include "MouseInput.h"
#include "TestApp.h"

namespace {

DWORD WINAPI RunSend(LPVOID pParam)
{
    (*static_cast<const std::function<void()>*>(pParam))();
    return 0;
}

} // namespace

void RunWithInputThread(const std::function<void()>& send)
{
    HANDLE hThread = ::CreateThread(NULL, 0, RunSend, const_cast<std::function<void()>*>(&send), 0, NULL);
    if (hThread == NULL)
        return;
    while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpPendingMessages();
    ::CloseHandle(hThread);
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 200;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void PressKey(WORD wKey, bool bDown)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(80);
}

void MoveMouse(CPoint ptScreen, DWORD dwButtons)
{
    SendMouseInput(ptScreen, dwButtons);
    ::Sleep(120);
}

void ClickMouse(CPoint ptScreen)
{
    MoveMouse(ptScreen);
    MoveMouse(ptScreen, MOUSEEVENTF_LEFTDOWN);
    MoveMouse(ptScreen, MOUSEEVENTF_LEFTUP);
}
