// The program's resources, compiled into this test from the same script: the parts that must agree with
// each other (toolbar and image strips, menus and accelerators, commands and prompts, form and tab order)
// and the formats the program's code relies on.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "QENWizConstants.h"
#include "resource.h"

namespace
{
HINSTANCE Module()
{
    return GetModuleHandleA(NULL);
}

std::string LoadText(UINT id)
{
    char text[1024] = "";
    int length = LoadStringA(Module(), id, text, sizeof(text));
    return std::string(text, length);
}

std::vector<WORD> ResourceWords(LPCSTR type, UINT id)
{
    HRSRC hInfo = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
    if (hInfo == NULL)
        return {};
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), hInfo)));
    return std::vector<WORD>(words, words + SizeofResource(Module(), hInfo) / sizeof(WORD));
}

struct DibFormat
{
    LONG width, height;
    WORD bits;
};

DibFormat BitmapFormat(UINT id)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION dib = {};
    if (hBitmap == NULL || GetObjectA(hBitmap, sizeof(dib), &dib) != sizeof(dib))
        return {0, 0, 0};
    DeleteObject(hBitmap);
    return {dib.dsBmih.biWidth, dib.dsBmih.biHeight, dib.dsBmih.biBitCount};
}

// Every command item of a menu and its sub-menus, with its text.
void CollectItems(HMENU hMenu, std::vector<std::pair<UINT, std::string>>& items)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
    {
        if (HMENU hSub = GetSubMenu(hMenu, i))
        {
            CollectItems(hSub, items);
            continue;
        }
        const UINT id = GetMenuItemID(hMenu, i);
        if (id == 0)
            continue;
        char text[256] = "";
        GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
        items.push_back({id, text});
    }
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::vector<std::pair<UINT, std::string>> MenuItems(UINT id)
{
    std::vector<std::pair<UINT, std::string>> items;
    HMENU hMenu = LoadMenuA(Module(), MAKEINTRESOURCEA(id));
    CollectItems(hMenu, items);
    DestroyMenu(hMenu);
    return items;
}
}

TEST(ProgramResources, ToolbarStripsHoldOneImagePerButtonInTheirColourDepths)
{
    // Toolbar resource: version, button width and height, count, then the commands (0 = separator).
    const std::vector<WORD> toolbar = ResourceWords(MAKEINTRESOURCEA(241), IDR_MAINFRAME);
    ASSERT_GE(toolbar.size(), 4u);
    EXPECT_EQ(1, toolbar[0]);
    ASSERT_EQ(toolbar.size(), 4u + toolbar[3]);
    const LONG buttonWidth = toolbar[1], buttonHeight = toolbar[2];
    EXPECT_EQ(16, buttonWidth);
    EXPECT_EQ(15, buttonHeight);
    std::vector<WORD> commands;
    for (size_t i = 4; i < toolbar.size(); ++i)
        if (toolbar[i] != 0)
            commands.push_back(toolbar[i]);

    const struct { UINT id; WORD bits; } strips[] = {
        {IDR_MAINFRAME, 4}, {IDB_TOOLBAR256, 8}, {IDB_TOOLBAR256_HOT, 8}};
    for (const auto& strip : strips)
    {
        const DibFormat format = BitmapFormat(strip.id);
        EXPECT_EQ(static_cast<LONG>(commands.size()) * buttonWidth, format.width) << "bitmap " << strip.id;
        EXPECT_EQ(buttonHeight, format.height) << "bitmap " << strip.id;
        EXPECT_EQ(strip.bits, format.bits) << "bitmap " << strip.id;
    }
    // A button's tooltip is the part of its prompt after the line break.
    for (WORD command : commands)
    {
        const std::string prompt = LoadText(command);
        const size_t lineBreak = prompt.find('\n');
        EXPECT_TRUE(lineBreak != std::string::npos && lineBreak + 1 < prompt.size()) << "command " << command;
    }
}

TEST(ProgramResources, MenuShortcutsAreTheAcceleratorsAndEveryCommandHasAPrompt)
{
    HACCEL hAccel = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hAccel);
    std::vector<ACCEL> accelerators(CopyAcceleratorTableA(hAccel, NULL, 0));
    CopyAcceleratorTableA(hAccel, accelerators.data(), static_cast<int>(accelerators.size()));
    std::set<std::pair<UINT, std::string>> bound;
    for (const ACCEL& accel : accelerators)
    {
        EXPECT_EQ(FVIRTKEY | FCONTROL, accel.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT));
        bound.insert({accel.cmd, std::string("Ctrl+") + static_cast<char>(accel.key)});
    }

    std::set<std::pair<UINT, std::string>> shown;
    for (const auto& item : MenuItems(IDR_MAINFRAME))
    {
        const size_t tab = item.second.find('\t');
        if (tab != std::string::npos)
            shown.insert({item.first, item.second.substr(tab + 1)});
    }
    EXPECT_EQ(bound, shown);

    for (UINT menu : {IDR_MAINFRAME, IDR_CONTEXT_MENU, IDR_POPUP_TOOLBAR})
        for (const auto& item : MenuItems(menu))
        {
            if (item.first != ID_VIEW_TOOLBARS)
            {
                EXPECT_FALSE(LoadText(item.first).empty()) << "menu " << menu << ", command " << item.first;
            }
        }
}

TEST(ProgramResources, FormTabsThroughTheFieldsAndButtonsInReadingOrder)
{
    HWND hOwner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND hForm = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_QENWIZ_FORM), hOwner,
                                    PassiveDialogProc, 0);
    ASSERT_NE(nullptr, hForm);
    const int expected[] = {IDC_VSDIR, IDC_BROWSE_VSDIR, IDC_LIBDIR, IDC_BROWSE_LIBDIR, IDC_INSTALL_LANGPACK,
                            IDC_START_INSTALL, IDC_DETECT_FOLDERS, IDC_VSDIR};
    HWND hControl = GetDlgItem(hForm, IDC_VSDIR);
    for (size_t i = 1; i < sizeof(expected) / sizeof(expected[0]); ++i)
    {
        hControl = GetNextDlgTabItem(hForm, hControl, FALSE);
        EXPECT_EQ(expected[i], GetDlgCtrlID(hControl)) << "tab stop " << i;
    }
    char text[64] = "";
    GetDlgItemTextA(hForm, IDC_START_INSTALL, text, sizeof(text));
    EXPECT_STREQ("开始安装(&B)", text);
    GetDlgItemTextA(hForm, IDC_WEB_LINK, text, sizeof(text));
    EXPECT_STREQ(QENWIZ_WEB_ADDRESS, text);
    DestroyWindow(hOwner);
}

TEST(ProgramResources, PayloadsAreChineseZipArchives)
{
    for (UINT id : {IDR_PAYLOAD_VS, IDR_PAYLOAD_LIB})
    {
        HRSRC hInfo = FindResourceExA(Module(), "DATA", MAKEINTRESOURCEA(id),
                                      MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
        ASSERT_NE(nullptr, hInfo) << "payload " << id;
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(Module(), hInfo)));
        ASSERT_GT(SizeofResource(Module(), hInfo), 22u);
        EXPECT_EQ(0, memcmp(bytes, "PK\3\4", 4)) << "payload " << id;
    }
}

TEST(ProgramResources, PicturesHaveTheSizesTheirPaintersDrawAndTheCaptionItsTransparentColour)
{
    const struct { UINT id; LONG size; } tiles[] = {{IDB_MAC_CLOSE_HOT, 13}, {IDB_MAC_CLOSE, 13}, {IDB_MAC_GRIPPER, 9}};
    for (const auto& tile : tiles)
    {
        const DibFormat format = BitmapFormat(tile.id);
        EXPECT_EQ(tile.size, format.width) << "bitmap " << tile.id;
        EXPECT_EQ(tile.size, format.height) << "bitmap " << tile.id;
    }

    HBITMAP hCaption = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_CAPTION));
    ASSERT_NE(nullptr, hCaption);
    HDC hdc = CreateCompatibleDC(NULL);
    HGDIOBJ hOld = SelectObject(hdc, hCaption);
    EXPECT_EQ(RGB(255, 0, 255), GetPixel(hdc, 0, 0));
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hCaption);

    for (UINT id : {IDR_MAINFRAME, IDI_QEN_SMALL})
    {
        for (int size : {16, 32})
        {
            HICON hIcon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(nullptr, hIcon) << "icon " << id;
            ICONINFO info = {};
            GetIconInfo(hIcon, &info);
            BITMAP colour = {};
            GetObjectA(info.hbmColor, sizeof(colour), &colour);
            EXPECT_EQ(size, colour.bmWidth) << "icon " << id;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(hIcon);
        }
    }
}

TEST(ProgramResources, StringsReachTheProgramInItsCodePage)
{
    EXPECT_EQ("内部应用程序出错。", LoadText(AFX_IDP_INTERNAL_FAILURE));
    EXPECT_EQ("QENWiz", LoadText(AFX_IDS_APP_TITLE));
    const std::string welcome = LoadText(IDS_VERSION_INFO);
    EXPECT_NE(std::string::npos, welcome.find(std::string(QENWIZ_WEB_ADDRESS) + "    Build 020202"));
    EXPECT_NE(std::string::npos, welcome.find("\r\n2、对话框框架程序About窗口加入公司连接；\r\n"));
}
