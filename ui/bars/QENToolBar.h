// CQENToolBar: a dockable command bar whose content is an ordered list of CQENToolbarButton objects
// that the bar measures, lays out in rows (docked horizontally or vertically, floating, wrapped),
// paints through the visual manager, and executes. The menu bar and the popup menu bars derive
// from it and override the sizes, the extra-border and text-label queries and the layout.
//
// Unlocked bars share the class-wide image strips and sizes; their resources' images are appended
// to the shared strips and recorded per command in s_cmdImageIndex. A locked bar keeps its own
// strips and sizes and never touches the shared ones.
//
// Every created bar is in s_toolbarRegistry from its creation until its window is destroyed.
//
// The registered messages of the toolbar framework are the globals at the end of this header.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxole.h>
#include <afxtempl.h>

#include "QENButtonImageList.h"
#include "QENToolbarButton.h"

class CCustomizeButton;
class CQENRegistry;
class CQENToolBar;

// Receives the buttons dragged onto a bar and hands them to the bar's drop handlers.
class CQENToolBarDropTarget : public COleDropTarget
{
public:
    explicit CQENToolBarDropTarget(CQENToolBar* pBar) : m_pBar(pBar) {}

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

private:
    CQENToolBar* m_pBar;
};

// What the toolbars tell the open customization sheet; s_pActive is NULL while none is open.
class CQENCustomizeSheetLink
{
public:
    virtual void BarVisibilityChanged(CQENToolBar* pBar, BOOL bVisible) = 0;

    static CQENCustomizeSheetLink* s_pActive;

protected:
    ~CQENCustomizeSheetLink() = default;
};

class CQENToolBar : public CControlBar
{
    DECLARE_SERIAL(CQENToolBar)
public:
    CQENToolBar();
    ~CQENToolBar() override;

    // dwCtrlStyle: the native toolbar style callers pass (flat and the like); the look comes from
    // the visual manager instead. dwStyle: window style and CBRS_ bar styles.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_TOOLBAR);

    // ---- sizes ----
    // For every unlocked bar: button, image and menu image sizes; the large ones follow.
    static void PASCAL SetButtonAndImageSizes(CSize sizeButton, CSize sizeImage);
    // For this bar, which becomes locked.
    void SetLockedButtonSizes(CSize sizeButton, CSize sizeImage);
    // Large icons on or off for every bar that allows them; the large sizes are recomputed.
    static void PASCAL SetLargeImages(BOOL bOn);
    CSize ButtonSize() const;
    CSize ImageSize() const;
    static CSize PASCAL MenuImageSize() { return s_menuImageSize; }

    // FALSE unless the strip is loaded and its images are of the standard image size.
    static BOOL PASCAL AttachUserImages(CQENButtonImageList* pUserImages);
    static CQENButtonImageList* PASCAL UserImages() { return s_pUserImageList; }
    // Hands the basic commands, which personalised menus always show, to the usage statistics.
    static void PASCAL SetCoreCommandList(const CList<UINT, UINT>& lstCommands);

    // ---- the buttons ----
    // Adds a copy of pButton; -1 for the end. Returns the index of the copy or -1.
    int AddButtonAt(const CQENToolbarButton& button, int iIndex = -1);
    int AddSeparatorAt(int iIndex = -1);
    BOOL DeleteButtonAt(int iIndex);
    int ButtonCount() const { return (int)m_buttonList.GetCount(); }
    CQENToolbarButton* ButtonAt(int iIndex) const;
    int IndexOfCommand(UINT nCommandId) const;
    int IndexOfButton(const CQENToolbarButton* pButton) const;
    UINT StyleAt(int iIndex) const;
    CString TextAt(int iIndex) const;
    BOOL SetTextAt(int iIndex, LPCTSTR lpszText);
    // Replaces the content by the ids (0 a separator); without ids, count separators. bRemapImages:
    // images follow from m_iFirstImage in order; otherwise only commands with a default image get a
    // button. The customize button stays last.
    BOOL ReplaceButtons(const UINT* pIds, int nCount, BOOL bRemapImages = TRUE);
    // FALSE for command 0 or -1; otherwise counts the command and posts WM_COMMAND to the owner.
    BOOL ExecuteButton(const CQENToolbarButton* pButton);

    // The trailing customize button: nCommandId and lpszText of the customize command its drop-down
    // ends with (0: none), bSeparatorBefore a separator before that command.
    void EnableCustomizeButton(BOOL bEnable, UINT nCommandId = 0, LPCTSTR lpszText = NULL,
                               BOOL bSeparatorBefore = TRUE);
    CCustomizeButton* CustomizeButton() const { return m_pCustomizeButton; }

    // Labels under the images: every button shows its text (filled from its command's string when
    // empty) under its image; the row height follows the tallest.
    void EnableTextLabels(BOOL bEnable = TRUE);

    // ---- layout ----
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // Breaks rows so that no row is longer than nWidth (floating bars: 0x7FFF high); rows counted.
    int MarkRowBreaks(int nWidth, int nHeight = 0x7FFF);
    // bVertical: the smallest width whose rows fit nLength in height; otherwise the smallest width
    // that keeps the row count nLength gives.
    void FitRowsToLength(int nLength, BOOL bVertical);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;

    // ---- the framework's control bar ----
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    void Serialize(CArchive& ar) override;

    // ---- virtual operations, in slot order ----
    virtual BOOL LoadBitmapStrips(UINT nStandardId, UINT nColdId = 0, UINT nMenuId = 0, BOOL bLocked = FALSE,
                                  UINT nDisabledId = 0, UINT nMenuDisabledId = 0);
    // The toolbar resource nResourceId (its bitmap the standard strip unless nHotId is given).
    virtual BOOL BuildFromResource(UINT nResourceId, UINT nColdId = 0, UINT nMenuId = 0, BOOL bLocked = FALSE,
                                   UINT nDisabledId = 0, UINT nMenuDisabledId = 0, UINT nHotId = 0);
    virtual void ClearButtons();
    virtual int RowHeight() const;
    virtual int ColumnWidth() const;
    virtual BOOL UsesExtraBorder() const { return TRUE; }
    // No button highlighted any more; repaints the one that was.
    virtual void ResetHot();
    // Gives the focus back to the window that had it before the bar took it.
    virtual void ReturnFocus();
    // Whether the stored original items differ from the resource's buttons (sets m_bResourceChanged).
    virtual BOOL ResourceDiffersFromStored(const CObList& lstStoredOriginal);
    virtual CRect GetItemRect(int iIndex) const;
    // Invalidates the rectangle of a button.
    virtual void RepaintRectOf(int iIndex);
    // Setting TBBS_DISABLED clears TBBS_PRESSED; repainted unless it was and stays pressed.
    virtual void SetButtonStyle(int iIndex, UINT nStyle);
    virtual BOOL SupportsTextLabels() const { return TRUE; }
    // The bar's state under the registry key of lpszProfile and nBarId (-1: the bar's control id),
    // with nExtraId (-1: none) for one of several states of one bar.
    virtual BOOL ReadState(LPCTSTR lpszProfile = NULL, int nBarId = -1, UINT nExtraId = (UINT)-1);
    virtual BOOL WriteState(LPCTSTR lpszProfile = NULL, int nBarId = -1, UINT nExtraId = (UINT)-1);
    virtual BOOL EraseStoredState(LPCTSTR lpszProfile = NULL, int nBarId = -1, UINT nExtraId = (UINT)-1);
    virtual BOOL CanRestore() const { return m_nResourceId != 0; }
    virtual BOOL CanClose() const { return TRUE; }
    virtual void ResetToResource();
    // Positions the buttons anew and repaints.
    virtual void RecalcButtonLayout();
    // The first visible button (not a separator) holding point; -1 for a separator or empty space.
    virtual int HitTest(CPoint point) const;
    // The button's text from its command's string (the part after the first newline).
    virtual BOOL FillButtonText(CQENToolbarButton* pButton) const;
    // The size of the buttons as their rows (bVertical: their column) lie now, without borders.
    virtual CSize CalcSize(BOOL bVertical);
    virtual void HotButtonChanged(int iHot);
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
    virtual void DrawButtonAt(CDC* pDC, CQENToolbarButton* pButton, CQENButtonImageList* pImages,
                              BOOL bHighlighted, BOOL bGrayDisabled);
    virtual void DrawInsertMark(CDC* pDC);
    // The insertion mark as an I-beam whose stem is upright (between buttons in a row) or lying.
    void DrawInsertBeam(CDC* pDC, BOOL bUpright);
    virtual CCmdTarget* GetCommandTarget() const;
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // The insertion index for a drop at point, and the insert mark there; -1 for none.
    virtual int DropIndexAt(CPoint point, CRect& rectMark);
    // Whether the buttons follow each other from left to right (else from top to bottom).
    virtual BOOL ButtonsRunAcross() const { return IsHorizontal(); }
    virtual void PositionButtons();
    virtual void PaintSeparatorAt(CDC* pDC, const CQENToolbarButton* pButton, BOOL bHorizontal);
    // The button the data object carries, as this bar takes it; NULL when there is none.
    virtual CQENToolbarButton* MakeDroppedButton(COleDataObject* pDataObject);
    virtual void CustomizeModeChanged(BOOL bCustomizing);
    // The state of the items of the button context menu in customize mode.
    virtual void OnCustomizeMenu(CMenu* pMenu, int iButton);
    // The command's prompt in the owner's status bar.
    virtual void ShowCommandPrompt(const CQENToolbarButton* pButton);
    virtual int TallestButtonHeight();
    // A tip text other than the command's; FALSE to use the command's.
    virtual BOOL GetCustomToolTipText(const CQENToolbarButton* pButton, CString& strText) const;
    virtual BOOL SaveOriginalItems(CQENRegistry& registry);
    virtual BOOL LoadOriginalItems(CQENRegistry& registry);
    virtual void MergeResourceChanges(const CObList& lstStoredOriginal);

    // ---- customization ----
    // Customize mode on or off for every bar; FALSE when it is so already.
    static BOOL PASCAL SwitchCustomizeMode(BOOL bCustomizing);
    // Context help runs: a command chosen now asks for its help and is not counted as used.
    static void PASCAL SetHelpMode(BOOL bOn) { s_bHelpMode = bOn; }
    // The class-wide options under "QENToolbarParameters" of lpszProfile.
    static BOOL PASCAL WriteGlobalOptions(LPCTSTR lpszProfile = NULL);
    static BOOL PASCAL ReadGlobalOptions(LPCTSTR lpszProfile = NULL);
    // Runs one command of the button context menu on the selected button; FALSE for other ids.
    virtual BOOL OnCustomizeCommand(UINT nCommandId);

    // ---- fields, in their order ----
    CQENButtonImageList m_lockedStdImages;
    CQENButtonImageList m_lockedColdImages;
    CQENButtonImageList m_lockedMenuImages;
    CQENButtonImageList m_lockedDisabledImages;
    CQENButtonImageList m_lockedMenuDisabledImages;
    BOOL m_bLocked;
    BOOL m_bLargeImagesAllowed;
    CQENToolBarDropTarget m_oleDropTarget;
    BOOL m_bLabelsAllowed;
    BOOL m_bFixedRowHeight;
    int m_nRowHeight;
    CSize m_lockedButtonSize;
    CSize m_lockedImageSize;
    CSize m_lockedLargeButtonSize;
    CSize m_lockedLargeImageSize;
    int m_iPressed;
    int m_iHotIndex;
    int m_iCustomizeSel;
    CObList m_buttonList;
    CObList m_resourceButtons;
    BOOL m_bResourceChanged;
    int m_iDropIndex;
    CRect m_rectInsertMark;
    CPen m_penInsertMark;
    CQENToolbarButton* m_pDraggedButton;
    CPoint m_ptDragStart;
    BOOL m_bDragCopy;
    int m_iFirstImage;
    UINT m_nResourceId;
    BOOL m_bActsAsMenu;
    BOOL m_bDrawBorders;
    BOOL m_bGrayDisabled;
    CCustomizeButton* m_pCustomizeButton;

    // ---- class-wide data ----
    static CQENButtonImageList s_stdImages;
    static CQENButtonImageList s_stdColdImages;
    static CQENButtonImageList s_menuOnlyImages;
    static CQENButtonImageList s_stdDisabledImages;
    static CQENButtonImageList s_menuOnlyDisabledImages;
    static CQENButtonImageList* s_pUserImageList;
    static CSize s_buttonSize;
    static CSize s_imageSize;
    static CSize s_largeButtonSize;
    static CSize s_largeImageSize;
    static CSize s_menuImageSize;
    static CMap<UINT, UINT, int, int> s_cmdImageIndex;
    static CObList s_toolbarRegistry;
    static BOOL s_bCustomizing;
    static BOOL s_bAltDragEnabled;
    static BOOL s_bAltDragging;
    static CQENToolBar* s_pCustomizeSelBar;
    static BOOL s_bTooltipsOn;
    static BOOL s_bShortcutsInTips;
    static BOOL s_bLargeImagesOn;
    static CList<UINT, UINT> s_blockedCommands;
    // The cursors of the resources 0x7904 (stretching a button) and 0x7905, for customize mode.
    static HCURSOR s_hcurCustomize[2];
    static BOOL s_bHelpMode;

protected:
    // The strip a button is drawn from in the state it is drawn in; *pbGrey tells whether a
    // disabled image is still to be greyed.
    CQENButtonImageList* StripFor(const CQENToolbarButton* pButton, BOOL bHighlighted, BOOL* pbGrey);
    // Whether image iImage of strip came from one of its bitmaps (shared strips are padded so that
    // their indices follow the standard strip's).
    static BOOL PASCAL StripHasImage(const CQENButtonImageList& strip, int iImage);
    // Appends bitmap nId to an optional shared strip at the standard strip's offset iFirstImage.
    static BOOL PASCAL AppendAligned(CQENButtonImageList& strip, UINT nId, int iFirstImage);
    // The button measured the way the layout measures it.
    CSize MeasureAt(CDC* pDC, CQENToolbarButton* pButton, BOOL bHorizontal);
    // A DC on the bar's window (or the screen) with the bar font of the orientation selected.
    void SelectBarFont(CDC* pDC, BOOL bHorizontal);
    // The sum of the bar's borders and gripper in each direction.
    CSize BorderSize(BOOL bHorizontal) const;
    // The buttons, the customize button last, placed and measured anew; TRUE when all fit.
    BOOL PlaceButtons(CDC* pDC, const CRect& rectInside, int nLimit);
    void UpdatePressed(BOOL bPressed);
    // The shared strips, the user strip and this bar's own strips in the current system colours.
    void RecolourImages();
    // The command's string after the first newline, up to the next one; FALSE when there is none.
    static BOOL PASCAL LoadCommandTip(UINT nCommandId, CString& strText);
    void RemoveFromRegistry();
    // The registry key of the bar's state (see ReadState).
    CString StateKey(LPCTSTR lpszProfile, int nBarId, UINT nExtraId) const;
    CWnd* CommandReceiver() const;

    // Drags button iButton away from ptStart (client coordinates): moved, copied with Ctrl, or
    // deleted when dropped off every bar. TRUE when a drag ran.
    BOOL DragButton(int iButton, CPoint ptStart);
    // The button context menu of customize mode; ptScreen (-1, -1) when asked from the keyboard.
    void ShowCustomizeMenu(CPoint ptScreen);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    // The help context of the button under the point; -1 when a menu button opened its menu.
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // Shown or hidden in customize mode: the sheet's list follows, a hidden bar loses the selection.
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    // Starts the user tool of the command outside help mode; FALSE when the command is no tool's.
    static BOOL PASCAL RunUserTool(UINT nCommandId);

    BOOL m_bTrackingMouse;      // WM_MOUSELEAVE is asked for
    HWND m_hWndFocusBefore;     // ReturnFocus gives the focus back to it
    int m_iStretching;          // the button whose width is being dragged in customize mode, -1: none
    int m_nStretchGrab;         // how far left of that button's right edge it was taken
};

// The toolbar framework's registered messages.
extern const UINT QENM_TOOLBAR_POPUPMENU;
extern const UINT QENM_TOOLBAR_CUSTOMIZE;
extern const UINT QENM_TOOLBAR_CREATE;
extern const UINT QENM_TOOLBAR_DELETE;
extern const UINT QENM_TOOLBAR_CUSTOMIZEHELP;
extern const UINT QENM_TOOLBAR_RESETTOOLBAR;
extern const UINT QENM_TOOLBAR_RESETMENU;
extern const UINT QENM_TOOLBAR_SHOWREGULARMENU;
extern const UINT QENM_TOOLBAR_RESETCONTEXTMENU;
extern const UINT QENM_TOOLBAR_RESETKEYBOARD;
