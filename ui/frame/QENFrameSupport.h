// CQENFrameSupport: what every frame of the library does for the command bars, in one object the
// frame embeds and delegates to: the user-defined toolbars and the bars torn off popup menus (both
// owned), the menu bar that replaces the window menu, the library's dock bars, the keyboard and
// mouse filters while a popup menu is open, mnemonic routing, and the frame's placement.
//
// CQENFrameServices is what the frame asks of the workspace and the user-tools manager; it is NULL
// until those exist, and the frame then does without them.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxpriv.h>

class CQENMenuBar;
class CQENPopupMenu;
class CQENToolBar;

class CQENFrameServices
{
public:
    // ---- the workspace ----
    // Where the workspace keeps its state; sections of the library are appended to it.
    virtual CString RegistrySectionPath() = 0;
    // The saved placement; the arguments come in with the defaults. FALSE when none is saved.
    virtual BOOL LoadPlacement(CRect& rect, UINT& nFlags, UINT& nShowCmd) = 0;
    virtual void StorePlacement(const CRect& rect, UINT nFlags, UINT nShowCmd) = 0;
    virtual void LoadFrameState(CFrameWnd* pFrame) = 0;
    // Saves everything of the frame before it closes.
    virtual void OnFrameClosing(CFrameWnd* pFrame) = 0;
    // ---- the user-tools manager ----
    // TRUE when nCommandId is a user tool and was run.
    virtual BOOL RunUserTool(UINT nCommandId) = 0;

    static CQENFrameServices* s_pActive;

protected:
    ~CQENFrameServices() = default;
};

class CQENFrameSupport
{
public:
    explicit CQENFrameSupport(CFrameWnd* pFrame);
    ~CQENFrameSupport();
    CQENFrameSupport(const CQENFrameSupport&) = delete;
    CQENFrameSupport& operator=(const CQENFrameSupport&) = delete;

    // ---- user toolbars ----
    // lpszRegPath NULL or empty: the workspace's section path, else none. Ignored when either id
    // is -1.
    void SetUserToolbarRange(LPCTSTR lpszRegPath, UINT uiFirstId, UINT uiLastId);
    void RestoreUserToolbars();
    void StoreUserToolbars(BOOL bFrameOnly);
    // The new bar floats at the screen's centre; NULL (after a message box) when the range is full.
    CQENToolBar* AddUserToolbar(LPCTSTR lpszName);
    BOOL RemoveUserToolbar(CQENToolBar* pBar);
    // "QENTOOLBAR_CREATE" and "QENTOOLBAR_DELETE": their pointers are taken only from a sender of
    // the frame's own thread.
    LRESULT OnCreateToolbarRequest(LPARAM lParam);
    LRESULT OnDeleteToolbarRequest(LPARAM lParam);
    CQENToolBar* UserToolbarAt(int iIndex) const;
    BOOL IsUserToolbar(const CControlBar* pBar) const;
    // Items of commands [nFirstCmd, nLastCmd] are named after their toolbars or removed.
    void FillUserToolbarMenu(CMenu* pMenu, UINT nFirstCmd, UINT nLastCmd) const;

    // ---- the menu bar ----
    // The bar takes the frame's window menu over as its default menu.
    void AttachMenuBar(CQENMenuBar* pMenuBar);
    // The menu bar when its window still exists.
    CQENMenuBar* MenuBar() const;

    // ---- tear-off bars ----
    void AddTearOffBar(CControlBar* pBar);
    void RemoveTearOffBar(CControlBar* pBar);
    void RestoreTearOffBars();
    void StoreTearOffBars(BOOL bFrameOnly);
    // "<workspace path>ControlBars-TearOff".
    CString TearOffSection() const;

    // ---- dock state ----
    BOOL IsDockStateUsable(const CDockState& state) const;
    void ApplyDockState(const CDockState& state);
    // Replaces the frame's dock bars of the sides in dwDockStyle by CQENToolDockBar ones.
    void EnableDocking(DWORD dwDockStyle);

    // ---- input filters ----
    BOOL FilterKeyDown(UINT nKey, BOOL* pbProcessAccel);
    BOOL FilterMouseClick(UINT nMessage, CPoint ptScreen, CWnd* pWndTarget);
    BOOL FilterMouseMove(CPoint ptScreen);
    BOOL RouteMnemonic(UINT nChar);
    BOOL NotePopupShown(CQENPopupMenu* pPopup);
    // The outermost popup gone, the frame forgets it; a help mode that waited for a command from
    // it ends.
    void NotePopupClosed(CQENPopupMenu* pPopup);
    void OnFrameDeactivated();
    // The outermost open popup menu, when its window still exists.
    static CQENPopupMenu* PASCAL ActivePopup();

    // ---- what every library frame does around its framework's handling ----
    enum MessageFilter
    {
        passToFramework,   // the framework pre-translates it (accelerators)
        messageConsumed,
        notTranslated      // dispatched as it is
    };
    // Before the framework's pre-translation: keys and clicks while a popup is open, Alt, F1.
    MessageFilter FilterFrameMessage(MSG* pMsg);
    enum CommandFilter
    {
        commandToFramework,
        commandConsumed,
        commandRefused     // customization mode runs no command
    };
    // An accelerator closes an open popup or runs a user tool.
    CommandFilter FilterCommand(WPARAM wParam, LPARAM lParam);
    // Shift+F1: the framework's help mode, the toolbars in help mode with it. bInContextHelp is the
    // frame's flag, set while this runs.
    void RunContextHelp(BOOL& bInContextHelp);
    // After the framework has put its menu up: the menu bar shows it instead.
    void HideWindowMenu();
    // After the framework's WM_ACTIVATE handling.
    void OnFrameActivated(UINT nState);
    // WM_DESTROY: the keyboard manager may have put a table of its own in place of the resource's.
    void DestroyAcceleratorTable();
    // The support of a library frame (any of the four classes); NULL for other windows.
    static CQENFrameSupport* PASCAL Of(CWnd* pWnd);

    // ---- placement and life ----
    void OnFrameClosing();
    void ApplySavedPlacement(CREATESTRUCT& cs);
    void OnFrameLoaded();

    UINT m_uiUserToolbarFirst;
    UINT m_uiUserToolbarLast;
    CObList m_listUserBars;
    CObList m_listTearOffBars;
    CString m_strRegPath;
    CQENMenuBar* m_pMenuBar;
    HMENU m_hDefaultMenu;
    CFrameWnd* m_pFrame;
    UINT m_nIDDefaultResource;

    // The window style user toolbars and tear-off bars are created with.
    static const DWORD kUserBarStyle = 0x50402808;
    // CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC.
    static const DWORD kUserBarExtraStyle = 0x34;
    // "您不能大于 %d 的用户自定义工具条!"
    static const UINT kTooManyToolbarsString = 16243;

private:
    CQENToolBar* CreateUserBar(UINT nId);
    // An id of the tear-off range that no bar of the frame has.
    BOOL IsFreeTearOffId(UINT nId);
    void ToggleMenuBarFocus(CQENMenuBar* pMenuBar);
    void RestoreUserToolbarName(CQENToolBar* pBar);
    BOOL ToolbarHandlesMnemonic(CQENToolBar* pBar, UINT nChar);
    static BOOL PASCAL IsCustomizing();
    static BOOL PASCAL IsAccelerator(HACCEL hAccel, UINT nKey, BYTE fVirt);
    static BOOL PASCAL HasWindow(CWnd* pWnd) { return pWnd != NULL && ::IsWindow(pWnd->m_hWnd); }
    void DeleteBar(CControlBar* pBar);

    BOOL m_bAltAlone;   // Alt is down, and no other key or button went down since
};
