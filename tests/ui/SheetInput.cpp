#include "SheetInput.h"

#include "MouseInput.h"
#include "TestApp.h"

#include <commctrl.h>

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds; ::Sleep(10))
        PumpPendingMessages();
    RunIdleCycle();
}

CPoint ScreenPoint(HWND hWnd, CPoint ptClient)
{
    ::ClientToScreen(hWnd, &ptClient);
    return ptClient;
}

void ClickAt(CPoint ptScreen)
{
    SendMouseInput(ptScreen);
    PumpFor(60);
    SendMouseInput(ptScreen, MOUSEEVENTF_LEFTDOWN);
    PumpFor(60);
    SendMouseInput(ptScreen, MOUSEEVENTF_LEFTUP);
    PumpFor(150);
}

void ClickControl(HWND hDialog, int nId)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(hDialog, nId), &rect);
    ClickAt(rect.CenterPoint());
}

std::vector<std::string> ListItems(HWND hList)
{
    std::vector<std::string> items;
    const int nCount = (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        char szText[512] = "";
        ::SendMessageA(hList, LB_GETTEXT, (WPARAM)i, (LPARAM)szText);
        items.push_back(szText);
    }
    return items;
}

int FindListItem(HWND hList, const std::string& strText)
{
    const std::vector<std::string> items = ListItems(hList);
    for (size_t i = 0; i < items.size(); i++)
    {
        if (items[i] == strText)
            return (int)i;
    }
    return -1;
}

void ClickListItem(HWND hList, int iItem)
{
    CRect rect;
    ::SendMessageA(hList, LB_GETITEMRECT, (WPARAM)iItem, (LPARAM)&rect);
    ClickAt(ScreenPoint(hList, rect.CenterPoint()));
}

std::string SelectedListItem(HWND hList)
{
    const int iItem = (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0);
    return iItem >= 0 ? ListItems(hList)[iItem] : "";
}

HWND ShowSheetPage(CPropertySheet* pSheet, const char* pszCaption)
{
    HWND hTabs = pSheet->GetTabControl()->m_hWnd;
    const int nTabs = (int)::SendMessageA(hTabs, TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < nTabs; i++)
    {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hTabs, TCM_GETITEMA, (WPARAM)i, (LPARAM)&item);
        if (std::string(szText) != pszCaption)
            continue;
        CRect rectTab;
        ::SendMessageA(hTabs, TCM_GETITEMRECT, (WPARAM)i, (LPARAM)&rectTab);
        ClickAt(ScreenPoint(hTabs, rectTab.CenterPoint()));
        return pSheet->GetActivePage() != NULL ? pSheet->GetActivePage()->m_hWnd : NULL;
    }
    return NULL;
}

namespace {

void SendKey(WORD wVk, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
    PumpFor(20);
}

// Only the input: it may be sent from any thread, and is read when the thread of the window pumps.
void SendUnicode(wchar_t ch, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = ch;
    input.ki.dwFlags = KEYEVENTF_UNICODE | dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
    ::Sleep(5);
}

} // namespace

void Chord(std::initializer_list<WORD> keys)
{
    for (WORD wKey : keys)
        SendKey(wKey, 0);
    for (auto it = keys.end(); it != keys.begin();)
        SendKey(*--it, KEYEVENTF_KEYUP);
    PumpFor(100);
}

void SendText(const wchar_t* pszText)
{
    for (const wchar_t* pch = pszText; *pch != L'\0'; pch++)
    {
        SendUnicode(*pch, 0);
        SendUnicode(*pch, KEYEVENTF_KEYUP);
    }
}

void TypeText(const wchar_t* pszText)
{
    SendText(pszText);
    PumpFor(100);
}
