// CQENToolbarButton: one item of a command bar: a command button or a separator, and through
// subclasses a menu item, a drop-down button, a combo box or a system-menu icon. It has no window of
// its own: the owning bar sets m_rect and asks the button to measure and draw itself. It is also the
// unit that travels in drag and drop and in the bar state kept in the registry.
//
// The button's image is m_iUserImageIndex when m_bUserImage is set, else m_iStdImage (GetImage);
// -1 means no image, and such a button shows its text. A separator keeps its width in m_iStdImage.
//
// CQENUserToolsQuery: what buttons and the usage statistics ask about user tools. The user-tools
// manager answers once it exists; until then s_pActive is NULL and no command is a user tool.
//
// CQENToolBarQuery: what buttons and the usage statistics ask of the toolbars, which stand on them.
// The toolbar framework answers once it exists; until then s_pActive is NULL: customize mode is off,
// no window uses the extra border, menu images have the standard size and there are no image strips.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <afxole.h>
#include <afxtempl.h>

class CQENToolBar;
class CQENButtonImageList;

class CQENUserToolsQuery
{
public:
    // The command of a defined user tool.
    virtual BOOL IsToolCommand(UINT nCommandId) const = 0;
    // The placeholder command that stands for the tools in menus.
    virtual UINT ToolsEntryCommand() const = 0;
    // The tool's icon at the small-icon size, centred in rect.
    virtual void PaintToolIcon(UINT nCommandId, CDC* pDC, const CRect& rect) const = 0;
    // Runs the tool of the command; FALSE when no tool holds it or the tool did not start.
    virtual BOOL RunTool(UINT nCommandId) = 0;

    static CQENUserToolsQuery* s_pActive;

protected:
    ~CQENUserToolsQuery() = default;
};

class CQENToolBarQuery
{
public:
    virtual BOOL IsCustomizing() const = 0;
    // The extra-border option of the bar pWnd; FALSE when pWnd is not a toolbar.
    virtual BOOL BarUsesExtraBorder(CWnd* pWnd) const = 0;
    virtual CSize MenuImageSize() const = 0;
    // The shared standard strip and the user strip; NULL when there is none.
    virtual CQENButtonImageList* StandardImages() const = 0;
    virtual CQENButtonImageList* UserImages() const = 0;

    static CQENToolBarQuery* s_pActive;

protected:
    ~CQENToolBarQuery() = default;
};

class CQENToolbarButton : public CObject
{
    DECLARE_SERIAL(CQENToolbarButton)
public:
    CQENToolbarButton();
    // lpszLabel NULL: no text. Unless locked, the image is taken from the command manager when iImage
    // is -1 and recorded there otherwise.
    CQENToolbarButton(UINT nCommandId, int iImage, LPCTSTR lpszLabel = NULL, BOOL bUserImage = FALSE,
                      BOOL bLocked = FALSE);
    ~CQENToolbarButton() override;

    // Command id, style, image, text, user-image flag, from-command-list flag, show-label flag and
    // show-image flag, each 32-bit; subclasses append their fields after these.
    void Serialize(CArchive& ar) override;

    // ---- virtual operations, in slot order ----
    virtual BOOL AcceptsTarget(CQENToolBar* pToolBar) const;
    // Copies what a dragged or restored button carries, not its place in a bar.
    virtual void AssignFrom(const CQENToolbarButton& source);
    // The caller has begun a drawing pass of pImages (BeginStripDraw); pImages may be NULL.
    virtual void DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                            BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled);
    // Measured in the font selected into pDC (the bar's horizontal or vertical font).
    virtual CSize MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal);
    // TRUE when the button handled the click itself (menu buttons open their popup).
    virtual BOOL HandleClick(CWnd* pWndBar, BOOL bDelayed);
    virtual BOOL HandleClickUp();
    // m_bExtraBorder follows the parent bar's extra-border option.
    virtual void AttachToParent(CWnd* pWndParent);
    // Gives the menu button the command's menu text when this button has none.
    virtual BOOL FillMenuButton(CQENToolbarButton* pMenuButton);
    virtual void AfterMove();
    virtual void ResizeWidth(int nWidth);
    virtual HWND HostedWindow();
    virtual BOOL IsStretchable() const;
    virtual BOOL HandleNotification(UINT nNotifyCode);
    virtual void AfterAddToCommandList();
    virtual HBRUSH HostedControlBrush(CDC* pDC, UINT nCtlColor);
    virtual void HandleDoubleClick(CWnd* pWnd);
    // FALSE for buttons a bar adds by itself: they are neither stored nor dragged.
    virtual BOOL IsPersistent() const;
    virtual BOOL HasHotBorder() const;
    virtual void CancelTracking();
    // FALSE for commands the framework manages itself and those of s_lstNonCustomizable.
    virtual BOOL IsCustomizable() const;
    virtual BOOL HandleContextHelp(CWnd* pWnd);
    // One item of the customization sheet's command list; returns the width used.
    virtual int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL IsPopupOpen() const;
    virtual BOOL BeforeDragStart();
    // The answer of the window's top-level frame (the main window when pWnd is NULL) to
    // s_nMenuButtonToolHitMessage.
    virtual BOOL FillToolTip(CWnd* pWnd, TOOLINFOA* pTI);
    virtual void CloseOwnerPopups();
    virtual void ShowHostedWindow(BOOL bShow);
    virtual CRect GetButtonRect() const;
    virtual void SetButtonStyle(UINT nStyle);
    // Back to the command's standard image, or to its text when it has none.
    virtual void RestoreDefaultImage();
    virtual BOOL IsSameCommand(const CQENToolbarButton& other) const;
    virtual void EnableHostedWindow(BOOL bEnable);
    virtual BOOL IsHostedWindowVisible();
    virtual BOOL OwnsWindow(HWND hWnd);
    virtual BOOL HostedWindowHasFocus();
    // Sets the current image (a separator's width) and, unless locked, keeps the command manager in
    // step; a button left without image shows its text.
    virtual void SetImageIndex(int iImage);
    virtual void InvalidateOwnerArea();
    virtual BOOL UsesExtraBorder() const;

    // ---- the rest ----
    int GetImage() const { return m_bUserImage ? m_iUserImageIndex : m_iStdImage; }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }

    // Serializes the button (class record, then Serialize) into the data source under
    // ClipboardFormat. A button that is not persistent offers nothing and gives TRUE. FALSE on any
    // failure; nothing is thrown.
    BOOL CopyToDataSource(COleDataSource* pDataSource);
    // A new button rebuilt from the data object, or NULL when the data is missing, damaged or of a
    // class not derived from CQENToolbarButton. Nothing is thrown.
    static CQENToolbarButton* PASCAL CreateFromDataObject(COleDataObject* pDataObject);
    // Registered once per process: s_strClipFormatName, else "QENToolbarButton%lx" with the module
    // instance handle.
    static CLIPFORMAT PASCAL ClipboardFormat();

    // The text without mnemonics: "&" removed, "&&" a literal "&".
    static CString PASCAL CleanMnemonics(const CString& strText);
    // The command's menu text: its string resource after the first newline. FALSE (and strText
    // unchanged) when there is none.
    static BOOL PASCAL LoadCommandMenuText(UINT nCommandId, CString& strText);
    // Commands the framework manages itself: recent files, OLE verbs, system commands, ids from
    // 0xFF00 on, and the user tools' placeholder.
    static BOOL PASCAL IsReservedCommand(UINT nCommandId);
    static BOOL PASCAL IsUserToolCommand(UINT nCommandId);

    // ---- fields, in their order ----
    BOOL m_bUserImage;
    UINT m_nCommandId;
    UINT m_nStyle;
    CString m_strLabel;
    BOOL m_bShowLabel;
    BOOL m_bShowImage;
    BOOL m_bRowBreak;
    BOOL m_bFitsWidth;        // drawn with an ellipsis when FALSE
    BOOL m_bLabelBelow;
    CString m_strAltLabel;
    BOOL m_bFromCommandList;
    CRect m_rect;
    int m_iStdImage;
    int m_iUserImageIndex;
    BOOL m_bLocked;
    BOOL m_bHidden;
    CSize m_sizeLabel;
    BOOL m_bNoFill;
    BOOL m_bExtraBorder;
    BOOL m_bHorizontal;

    // ---- class-wide data ----
    static BOOL s_bWrapLabels;
    static BOOL s_bRegisterImages;
    static CString s_strClipFormatName;
    static CLIPFORMAT s_nClipFormat;
    // Commands that cannot be customized, filled by the application; they are not counted either.
    static CList<UINT, UINT> s_lstNonCustomizable;
    // Sent to a frame with wParam the button and lParam its TOOLINFOA; nonzero when the frame filled it.
    static const UINT s_nMenuButtonToolHitMessage;

private:
    void DrawVerticalLabel(CDC* pDC, CPoint ptText);
};
