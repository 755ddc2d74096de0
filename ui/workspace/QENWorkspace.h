// CQENWorkspace: the application's second base, which owns the customization managers and keeps the
// whole user interface in the registry: window placement, toolbars and the menu bar, user and
// tear-off toolbars, sizing bars, the docking layout, rebars, the keyboard, user tools, context menus
// and mouse bindings. Exactly one exists; g_pWorkspace names it while it lives.
//
// The state lives under SettingsPath() ("SOFTWARE\<company>\<profile>\<section>\", the section being
// "QENWorkspace" unless the application or a load, save or erase names another), except the docking
// layout and the sizing bars, which the framework's profile functions keep under
// "<section>\ControlBars" and "<section>\SizingBars" of the application's key.
#pragma once
#include <afxwin.h>

#include "QENFrameSupport.h"

class CQENContextMenuManager;
class CQENMouseManager;

class CQENWorkspace : public CQENFrameServices
{
public:
    // bTrackResourceChanges: bars whose resource changed since their state was saved are laid out
    // anew after a load, and loading leaves the command-to-image map alone.
    explicit CQENWorkspace(BOOL bTrackResourceChanges = FALSE);
    virtual ~CQENWorkspace();
    CQENWorkspace(const CQENWorkspace&) = delete;
    CQENWorkspace& operator=(const CQENWorkspace&) = delete;

    // ---- the overridable operations, in their order ----
    // Called with the frame's support before a closing main frame's state is saved; does nothing.
    virtual void OnClosingMainFrame(CQENFrameSupport* pFrameImpl);
    // lpszSectionName replaces the workspace's section when given; pFrameImpl NULL loads only what
    // belongs to no frame (options, command images, managers).
    virtual BOOL ReadState(LPCTSTR lpszSectionName = NULL, CQENFrameSupport* pFrameImpl = NULL);
    virtual BOOL EraseSavedState(LPCTSTR lpszSectionName = NULL);
    // FALSE at once, writing nothing, when saving is disabled.
    virtual BOOL WriteState(LPCTSTR lpszSectionName = NULL, CQENFrameSupport* pFrameImpl = NULL);
    // Runs the command the mouse manager binds to a double click on view iViewId: as a user tool, or
    // sent to the frame. FALSE (with a beep when the view has no command) when nothing ran.
    virtual BOOL HandleViewDoubleClick(CWnd* pWnd, int iViewId);
    virtual BOOL ShowContextMenu(UINT nMenuResId, const CPoint& point, CWnd* pWnd);
    virtual void OnWinHelp(CWnd* pWnd, DWORD dwData);
    virtual void BeforeMainFrameCloses(CQENFrameSupport* pFrameImpl);
    virtual void BeforeStateLoad() {}
    virtual void ReadAppState() {}
    virtual void BeforeStateSave() {}
    virtual void WriteAppState() {}
    virtual BOOL ReadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL WriteWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

    // ---- the managers: each made once, FALSE when it exists already ----
    BOOL CreateKeyboardManager();
    BOOL CreateContextMenuManager();
    BOOL CreateMouseManager();
    BOOL SetUpUserTools(UINT nToolsEntryCmd, UINT nFirstToolCmd, UINT nLastToolCmd,
                        CRuntimeClass* pToolClass = NULL, UINT nArgsMenuId = 0, UINT nFolderMenuId = 0);
    // Made on first use.
    CQENMouseManager* MouseManager();
    CQENContextMenuManager* ContextMenuManager();

    // The section every later load, save and erase uses, in place of "QENWorkspace".
    void SetSettingsSubkey(LPCTSTR lpszSubkey) { m_strSettingsPath = lpszSubkey; }
    // SettingsPath() with lpszPostfix and "\" appended when one is given.
    CString SettingsPath(LPCTSTR lpszPostfix = NULL) const;

    // ---- what the library frames ask of the workspace ----
    CString RegistrySectionPath() override;
    BOOL LoadPlacement(CRect& rect, UINT& nFlags, UINT& nShowCmd) override;
    void StorePlacement(const CRect& rect, UINT nFlags, UINT nShowCmd) override;
    void LoadFrameState(CFrameWnd* pFrame) override;
    void OnFrameClosing(CFrameWnd* pFrame) override;
    BOOL RunUserTool(UINT nCommandId) override;

    // ---- fields, in their order ----
    CString m_strSettingsPath;
    BOOL m_bKeyboardManagerOwned;
    BOOL m_bContextMenuManagerOwned;
    BOOL m_bMouseManagerOwned;
    BOOL m_bUserToolsManagerOwned;
    int m_iLoadedVersionMajor;
    int m_iLoadedVersionMinor;
    BOOL m_bDockStateForced;
    BOOL m_bThisFrameOnly;
    BOOL m_bSaveEnabled;
    BOOL m_bTrackResourceChanges;
    BOOL m_bForceRelayout;

    // The version this program writes.
    static const int kVersionMajor = 5;
    static const int kVersionMinor = 8;

private:
    // Whether a bar takes part in a load or save for the frame pFrame.
    BOOL IsBarOfFrame(CControlBar* pBar, CFrameWnd* pFrame) const;
    // TRUE when a loaded bar reports that its resource changed since its state was saved.
    BOOL ReadBarsState(const CString& strPath, CQENFrameSupport* pFrameImpl);
    void WriteBarsState(const CString& strPath, CQENFrameSupport* pFrameImpl);
    void ReadManagersState(const CString& strPath, CFrameWnd* pFrame);
    void WriteManagersState(const CString& strPath, CFrameWnd* pFrame);
    void RelayoutBars(CFrameWnd* pFrame);
    CString ProfileSection(LPCTSTR lpszPostfix) const;
};

extern CQENWorkspace* g_pWorkspace;
