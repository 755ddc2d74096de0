// CMainFrame: the installer's main window. Around the form it hosts the menu bar, the standard
// toolbar, the status bar, the docking output bar and a caption bar; it loads the user's button
// images, draws everything in the skin chosen in "QENWiz.ini" and switches skins on command, and
// forwards the installer commands of its menus to the view.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include "OutputBar.h"
#include "QENButtonImageList.h"
#include "QENCaptionBar.h"
#include "QENFrameWnd.h"
#include "QENMenuBar.h"
#include "QENToolBar.h"

class CMainFrame : public CQENFrameWnd
{
    DECLARE_DYNCREATE(CMainFrame)
protected:
    CMainFrame();

public:
    // Deletes the current visual manager, so that no skin outlives the frame.
    ~CMainFrame() override;

    // Skins 0..8; any other number stored in the profile shows skin 0 with no skin item checked.
    static const int kViewTypeCount = 9;

    COutputBar m_wndOutputBar;
    CQENMenuBar m_wndMenuBar;
    CStatusBar m_wndStatusBar;
    CQENToolBar m_wndToolBar;
    CQENCaptionBar m_wndCaptionBar;
    CBitmap m_bmpCaption;
    CQENButtonImageList m_UserImages;
    int m_nViewType;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The View → 工具栏 sub-menu lists the frame's bars and the user toolbars; refused while the
    // toolbars are being customized.
    BOOL CanShowPopupMenu(CQENPopupMenu* pPopup) override;

protected:
    // Switches to skin nViewType and stores it in the profile; nothing when it is the skin shown.
    void OnViewTypeCommand(int nViewType);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnViewType(UINT nID);
    afx_msg void OnUpdateViewType(CCmdUI* pCmdUI);
    afx_msg void OnMenuStartInstall();
    afx_msg void OnMenuDetectFolders();
    afx_msg LRESULT OnInstallerNotice(WPARAM wParam, LPARAM lParam);
    // The customization sheet of the frame's bars, menus and user toolbars.
    afx_msg void OnViewCustomize();
    afx_msg LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnToolbarPopupMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnToggleUserToolbar(UINT nID);
    afx_msg void OnUpdateToggleUserToolbar(CCmdUI* pCmdUI);
    afx_msg void OnViewOutput();
    afx_msg void OnUpdateViewOutput(CCmdUI* pCmdUI);
    afx_msg void OnViewCaptionBar();
    afx_msg void OnUpdateViewCaptionBar(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    // The menu command that chooses skin nViewType; 0 for a number that is no skin.
    static UINT PASCAL ViewTypeCommand(int nViewType);
    // Creates the look of skin nViewType (3..8) and makes it current; FALSE for another number.
    static BOOL PASCAL InstallSkin(int nViewType);
    // Shows a hidden bar and hides a shown one at once, then lays the frame out again.
    void ToggleBar(CControlBar* pBar);
    // The toolbar list of menu 131, the user toolbars named; NULL when the menu cannot be loaded.
    // The caller destroys the returned menu.
    HMENU LoadToolbarListMenu() const;
};
