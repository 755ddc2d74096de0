#include "MouseInput.h"

#include "MainWindowChecks.h"
#include "Failures.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace
{
const char s_szProfileFile[] = "QENWiz.ini";
const char s_szProfileSection[] = "QENWiz";
const char s_szViewTypeKey[] = "ViewType";

// The View menu's skin commands, by skin number.
const UINT s_viewTypeCommands[] = {ID_VIEW_LOOK_XP,     ID_VIEW_LOOK_2000,   ID_VIEW_LOOK_STANDARD,
                                   ID_VIEW_LOOK_MAC,    ID_VIEW_LOOK_MAC2,   ID_VIEW_LOOK_STYLE1,
                                   ID_VIEW_LOOK_STYLE2, ID_VIEW_LOOK_STYLE3, ID_VIEW_LOOK_STYLE4};
const int kMacSkin = 3;
// The bar background of the Mac skin.
const COLORREF kMacLightGrey = RGB(221, 221, 221);

const DWORD kShowTimeoutMs = 5000;

std::string Number(long value)
{
    return std::to_string(value);
}

// The window's rectangle in the client coordinates of hWndFrame.
RECT RectIn(HWND hWndFrame, HWND hWnd)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(HWND_DESKTOP, hWndFrame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& rect)
{
    return "(" + Number(rect.left) + ", " + Number(rect.top) + ")-(" + Number(rect.right) + ", " +
           Number(rect.bottom) + ")";
}

// The fraction of the window's pixels that show the colour on the screen.
double ScreenShare(HWND hWnd, COLORREF color)
{
    RECT rect = {};
    GetWindowRect(hWnd, &rect);
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    if (cx <= 0 || cy <= 0)
        return 0;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hScreen = GetDC(NULL);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, cx, cy, hScreen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    long matching = 0;
    for (long i = 0; i < static_cast<long>(cx) * cy; ++i)
        matching += (pPixels[i] & 0xFFFFFF) == wanted;
    SelectObject(hMemory, hOld);
    DeleteDC(hMemory);
    ReleaseDC(NULL, hScreen);
    DeleteObject(hBitmap);
    return static_cast<double>(matching) / (static_cast<double>(cx) * cy);
}

// Whether the menu bar's background shows the Mac skin's light grey.
bool MenuBarLooksMac(HWND hMenuBar)
{
    return ScreenShare(hMenuBar, kMacLightGrey) > 0.5;
}

void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// The library's popup menus are windows of a class registered with the save-bits style and the
// button-face brush: "Afx:instance:style:cursor:brush:icon".
bool IsPopupMenu(HWND hWnd)
{
    char className[128] = "";
    GetClassNameA(hWnd, className, sizeof(className));
    if (std::strncmp(className, "Afx:", 4) != 0)
        return false;
    std::string fields[6];
    int field = 0;
    for (const char* p = className; *p != '\0' && field < 6; ++p)
    {
        if (*p == ':')
            ++field;
        else
            fields[field] += *p;
    }
    return field == 5 && std::strtoul(fields[2].c_str(), NULL, 16) == CS_SAVEBITS &&
           std::strtoul(fields[4].c_str(), NULL, 16) == COLOR_BTNFACE + 1;
}

int OpenPopupMenus(const CInstallerSession& session)
{
    int count = 0;
    for (HWND hWnd : session.OtherTopLevelWindows())
        count += IsPopupMenu(hWnd);
    return count;
}

// Esc closes the open popup menu.
void ExpectEscapeCloses(const CInstallerSession& session, const std::string& menu)
{
    PressKey(VK_ESCAPE);
    if (!WaitUntil([&] { return OpenPopupMenus(session) == 0; }, kShowTimeoutMs))
        Fail("Esc did not close " + menu);
}

HWND FindTopLevelWindow(const CInstallerSession& session, const std::string& caption)
{
    for (HWND hWnd : session.OtherTopLevelWindows())
        if (WindowText(hWnd) == caption)
            return hWnd;
    return NULL;
}

// A point of the form, in screen coordinates, where the user sees no control and nothing covers it.
bool FindFormBackground(HWND hForm, POINT& ptScreen)
{
    RECT client = {};
    GetClientRect(hForm, &client);
    for (int y = client.bottom - 10; y > 0; y -= 10)
        for (int x = client.right - 10; x > 0; x -= 10)
        {
            POINT pt = {x, y};
            if (ChildWindowFromPointEx(hForm, pt, CWP_SKIPINVISIBLE) != hForm)
                continue;
            ClientToScreen(hForm, &pt);
            if (WindowFromPoint(pt) == hForm)
            {
                ptScreen = pt;
                return true;
            }
        }
    return false;
}

void Click(POINT ptScreen, DWORD downFlag, DWORD upFlag)
{
    SendMouseInput(CPoint(ptScreen));
    SendMouseInput(CPoint(ptScreen), downFlag);
    SendMouseInput(CPoint(ptScreen), upFlag);
}
}

int StoredViewType()
{
    return static_cast<int>(GetPrivateProfileIntA(s_szProfileSection, s_szViewTypeKey, -1, s_szProfileFile));
}

void StoreViewType(int nViewType)
{
    WritePrivateProfileStringA(s_szProfileSection, s_szViewTypeKey, Number(nViewType).c_str(), s_szProfileFile);
}

void CheckBarsAroundForm(const CInstallerSession& session)
{
    const HWND hFrame = session.MainWindow();
    const HWND hForm = session.Control(AFX_IDW_PANE_FIRST);
    if (hForm == NULL || !IsWindowVisible(hForm))
    {
        Fail("the installer form is not shown in the main window");
        return;
    }
    const struct
    {
        int id;
        const char* name;
    } bars[] = {{IDW_MENUBAR, "menu bar"},       {AFX_IDW_TOOLBAR, "standard toolbar"},
                {ID_VIEW_CAPTIONBAR, "caption bar"}, {ID_VIEW_OUTPUT, "output bar"},
                {AFX_IDW_STATUS_BAR, "status bar"}};
    for (const auto& bar : bars)
    {
        const HWND hBar = session.Control(bar.id);
        const RECT rect = RectIn(hFrame, hBar);
        if (hBar == NULL || !IsWindowVisible(hBar) || IsRectEmpty(&rect))
        {
            Fail(std::string("the main window shows no ") + bar.name);
            return;
        }
    }

    RECT client = {};
    GetClientRect(hFrame, &client);
    const RECT form = RectIn(hFrame, hForm);
    const auto expectAbove = [&](int id, const char* name) {
        const RECT bar = RectIn(hFrame, session.Control(id));
        if (bar.bottom > form.top)
            Fail(std::string("the ") + name + " " + Describe(bar) + " is not above the form " + Describe(form));
    };
    expectAbove(IDW_MENUBAR, "menu bar");
    expectAbove(AFX_IDW_TOOLBAR, "standard toolbar");
    expectAbove(ID_VIEW_CAPTIONBAR, "caption bar");

    const RECT caption = RectIn(hFrame, session.Control(ID_VIEW_CAPTIONBAR));
    if (caption.left > form.left || caption.right < form.right)
        Fail("the caption bar " + Describe(caption) + " does not span the form " + Describe(form));
    const RECT output = RectIn(hFrame, session.Control(ID_VIEW_OUTPUT));
    const RECT status = RectIn(hFrame, session.Control(AFX_IDW_STATUS_BAR));
    if (output.top < form.bottom || output.bottom > status.top)
        Fail("the output bar " + Describe(output) + " is not between the form " + Describe(form) +
             " and the status bar " + Describe(status));
    if (status.bottom != client.bottom || status.left > client.left || status.right < client.right)
        Fail("the status bar " + Describe(status) + " is not along the bottom of the window " + Describe(client));

    const std::string toolbarName = WindowText(session.Control(AFX_IDW_TOOLBAR));
    if (toolbarName != "标准")
        Fail("the standard toolbar is called \"" + toolbarName + "\" in the toolbar lists");
}

void CheckOutputPages(const CInstallerSession& session)
{
    const HWND hTabs = session.OutputTabs();
    const int pageIds[] = {CInstallerSession::kVersionPageId, CInstallerSession::kResultPageId,
                           CInstallerSession::kOutputListPageId};
    const char* pageNames[] = {"版本信息", "安装结果", "输出三"};
    for (int i = 0; i < 3; ++i)
        if (CInstallerSession::Descendant(hTabs, pageIds[i]) == NULL)
        {
            Fail(std::string("the output bar has no page \"") + pageNames[i] + "\"");
            return;
        }
    const std::string welcome = WindowText(CInstallerSession::Descendant(hTabs, CInstallerSession::kVersionPageId));
    if (welcome.find("1、支持RA609Raz功能；") == std::string::npos || welcome.find("Build 020202") == std::string::npos)
        Fail("the page \"版本信息\" does not show the welcome text: \"" + welcome + "\"");

    // The flat tab strip runs along the bottom, after its two scroll arrows; clicked from left to
    // right it must bring up the three pages in their order.
    RECT client = {};
    GetClientRect(hTabs, &client);
    const int tabHeight = GetSystemMetrics(SM_CYHSCROLL) + 2;
    const int y = client.bottom - 1 - tabHeight / 2;
    std::vector<int> shown;
    for (int x = 3 + 2 * GetSystemMetrics(SM_CXHSCROLL) + 3; x < client.right - 3 && shown.size() < 3; x += 3)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(hTabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &result);
        SendMessageTimeoutA(hTabs, WM_LBUTTONUP, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &result);
        int visiblePage = 0;
        for (int id : pageIds)
            if (IsWindowVisible(CInstallerSession::Descendant(hTabs, id)))
                visiblePage = visiblePage == 0 ? id : -1;
        if (visiblePage != 0 && (shown.empty() || shown.back() != visiblePage))
            shown.push_back(visiblePage);
    }
    if (shown != std::vector<int>(pageIds, pageIds + 3))
    {
        std::string order;
        for (int id : shown)
            order += " " + Number(id);
        Fail("clicking the output bar's tabs from left to right shows the pages" + order +
             " instead of \"版本信息\", \"安装结果\", \"输出三\" one at a time");
    }
}

void CheckSkinSwitching(const CInstallerSession& session)
{
    const HWND hMenuBar = session.Control(IDW_MENUBAR);
    if (!session.BringToFront())
        Fail("the main window cannot be brought to the front");
    if (!WaitUntil([&] { return MenuBarLooksMac(hMenuBar); }, kShowTimeoutMs))
        Fail("started with skin 3 stored, the menu bar does not show the Mac skin's light grey");

    for (int nViewType : {0, 1, 2, 4, 5, 6, 7, 8, kMacSkin})
    {
        const std::string skin = "skin " + Number(nViewType);
        if (!session.Command(s_viewTypeCommands[nViewType]))
        {
            Fail("the program did not take the View command of " + skin);
            return;
        }
        RedrawWindow(session.MainWindow(), NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (StoredViewType() != nViewType)
            Fail("after choosing " + skin + " QENWiz.ini keeps ViewType " + Number(StoredViewType()));
        if (!session.Responds())
        {
            Fail("the program died or hangs after switching to " + skin);
            return;
        }
        if (nViewType == 0 && !WaitUntil([&] { return !MenuBarLooksMac(hMenuBar); }, kShowTimeoutMs))
            Fail("after choosing skin 0 the menu bar still shows the Mac skin");
        if (nViewType == kMacSkin && !WaitUntil([&] { return MenuBarLooksMac(hMenuBar); }, kShowTimeoutMs))
            Fail("after choosing skin 3 the menu bar does not show the Mac skin's light grey");
    }
}

void CheckKeyboardMenu(const CInstallerSession& session)
{
    if (!session.BringToFront())
        Fail("the main window cannot be brought to the front");
    PressKey(VK_MENU);
    PressKey(VK_DOWN);
    if (!WaitUntil([&] { return OpenPopupMenus(session) == 1; }, kShowTimeoutMs))
    {
        Fail("Alt, Down does not drop a menu down from the menu bar (" + Number(OpenPopupMenus(session)) +
             " popup menus open)");
        return;
    }
    ExpectEscapeCloses(session, "the menu opened from the keyboard");
    // Leaves the menu bar's keyboard mode. Nothing shows when the key is taken, so the next input
    // must wait behind it: a stray Esc would close the next window that opens.
    PressKey(VK_ESCAPE);
}

void CheckFormContextMenu(const CInstallerSession& session)
{
    const HWND hForm = session.Control(AFX_IDW_PANE_FIRST);
    POINT pt = {};
    if (!session.BringToFront() || !FindFormBackground(hForm, pt))
    {
        Fail("no point of the form's background can be clicked");
        return;
    }
    Click(pt, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    if (!WaitUntil([&] { return OpenPopupMenus(session) == 1; }, kShowTimeoutMs))
    {
        Fail("a right click on the form's background opens no context menu");
        return;
    }
    ExpectEscapeCloses(session, "the form's context menu");
}

void CheckCustomizeSheet(const CInstallerSession& session)
{
    if (!session.Command(ID_VIEW_CUSTOMIZE))
        Fail("the program did not take the customize command");
    HWND hSheet = NULL;
    if (!WaitUntil([&] { return (hSheet = FindTopLevelWindow(session, "自定义")) != NULL; }, kShowTimeoutMs))
    {
        std::string windows;
        for (HWND hWnd : session.OtherTopLevelWindows())
            windows += " \"" + WindowText(hWnd) + "\"";
        Fail("View > 工具栏 > 自定义... opens no sheet \"自定义\"; the program shows:" + windows);
        return;
    }
    const HWND hClose = CInstallerSession::Descendant(hSheet, IDCANCEL);
    if (hClose == NULL || !IsWindowVisible(hClose) || WindowText(hClose) != "关闭")
    {
        Fail("the sheet \"自定义\" has no button \"关闭\"");
        return;
    }
    RECT rect = {};
    GetWindowRect(hClose, &rect);
    SetForegroundWindow(hSheet);
    Click({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    if (!WaitUntil([&] { return !IsWindow(hSheet); }, kShowTimeoutMs))
        Fail("clicking \"关闭\" does not close the sheet \"自定义\"");
    if (!session.Responds())
        Fail("the program died or hangs after the sheet \"自定义\" was closed");
}

void HideCaptionAndOutputBars(const CInstallerSession& session)
{
    const HWND hFrame = session.MainWindow();
    const HWND hForm = session.Control(AFX_IDW_PANE_FIRST);
    const RECT formBefore = RectIn(hFrame, hForm);
    const HWND hOutputBar = session.Control(ID_VIEW_OUTPUT);
    const RECT output = RectIn(hFrame, hOutputBar);
    const HWND hCaptionBar = session.Control(ID_VIEW_CAPTIONBAR);
    session.Command(ID_VIEW_CAPTIONBAR);
    session.Command(ID_VIEW_OUTPUT);
    if (IsWindowVisible(hCaptionBar) || IsWindowVisible(hOutputBar))
        Fail("the View commands do not hide the caption bar and the output bar");
    const RECT formAfter = RectIn(hFrame, hForm);
    if (formAfter.top >= formBefore.top || formAfter.bottom <= output.top)
        Fail("with the caption bar and the output bar hidden the form " + Describe(formAfter) +
             " does not take their room (before " + Describe(formBefore) + ")");
}

void CheckBarsAsLeft(const CInstallerSession& session)
{
    if (IsWindowVisible(session.Control(ID_VIEW_CAPTIONBAR)))
        Fail("the caption bar hidden before the restart is shown again");
    if (IsWindowVisible(session.Control(ID_VIEW_OUTPUT)))
        Fail("the output bar hidden before the restart is shown again");
    for (int id : {IDW_MENUBAR, AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR})
        if (!IsWindowVisible(session.Control(id)))
            Fail("after the restart the bar " + Number(id) + " is missing");
}
