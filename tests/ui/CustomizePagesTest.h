// What the tests of the customization sheet's keyboard and tools pages share: real input (clicks on
// controls and list items, keys pressed together, text typed) and the application they drive: a
// library main frame loaded from its resources (File: Save Ctrl+S, Refresh F5, Close, Print; Tools:
// the tools' placeholder) with a menu bar and a toolbar of Save and Close, in a workspace with a
// keyboard manager and user tools on three commands that offer an arguments menu.
#pragma once
#include "GuiTestSupport.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENPopupMenuBar.h"
#include "QENToolBar.h"
#include "QENToolbarCustomize.h"
#include "QENWorkspace.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// Dispatches this thread's messages for a while, then runs one idle cycle.
void PumpFor(DWORD dwMilliseconds);
CPoint ScreenPoint(HWND hWnd, CPoint ptClient);
void ClickAt(CPoint ptScreen);
void ClickControl(HWND hDialog, int nId);
std::vector<std::string> ListItems(HWND hList);
std::string SelectedListItem(HWND hList);
// false when no item reads so.
bool ClickListItem(HWND hList, const std::string& strText);
// Keys pressed in order and released in reverse.
void Chord(std::initializer_list<WORD> keys);
// Characters as the keyboard types them into the focused window. SendText only sends the input and
// may run on any thread; TypeText lets this thread's windows take it too.
void SendText(const wchar_t* pszText);
void TypeText(const wchar_t* pszText);

// Records the commands reaching the framework's routing and the keyboard resets it is told of.
class CPagesTestFrame : public CQENFrameWnd
{
public:
    std::vector<UINT> m_commands;
    int m_nKeyboardResets = 0;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
};

class CustomizePagesTest : public ::testing::Test
{
protected:
    enum : UINT
    {
        kFrame = 0x7A00,
        kSave = 0x7A10,
        kRefresh = 0x7A11,
        kClose = 0x7A12,
        kPrint = 0x7A13,   // the application keeps it from being bound to a key
        kArgumentsMenu = 0x7A20,
        kToolsEntry = 0x7A30,
        kFirstTool = 0x7A31,
        kLastTool = 0x7A33
    };

    void SetUp() override;
    void TearDown() override;

    // The sheet, beside the frame.
    CQENToolbarCustomize* OpenSheet();
    // The open sheet's page with the caption, brought up by a click on its tab; its window.
    HWND ShowPage(const char* pszCaption);
    // A click on the open sheet's Close button; the frame has the focus again when it closed.
    void ClickClose();
    std::vector<UINT> CommandsOf(std::initializer_list<WORD> keys);
    // The tip shown while the pointer rests on the toolbar's button, coming from the other one.
    std::string TipOf(int iButton);
    // The items of the frame's menu, opened by a click on the menu bar.
    CQENPopupMenuBar* OpenMenu(int iMenu);

    CScratchRegistryKey m_registry{"CustomizePages"};
    CQENWorkspace m_workspace;
    CPagesTestFrame m_frame;
    CQENMenuBar m_menuBar;
    CQENToolBar m_bar;
};
