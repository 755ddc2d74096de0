// CQENVisualManager: the object through which every bar, button, menu, gripper, tab and caption
// button of the library is drawn: the classic look, with an optional flat look. Exchanging the
// current manager exchanges the whole look at once; skins derive from it or from the XP manager.
//
// At most one manager is current. A manager becomes current when it is constructed while none is,
// or when CurrentManager makes one on demand (then it is library-owned and the library's clean-up
// deletes it at exit). Destroying the current manager leaves none current.
//
// The operations that receive a button, bar, popup menu, tab window or push button draw a NULL one
// as a plain one: an enabled, unchecked toolbar button on a docked toolbar, a plain docked
// toolbar. A framework control bar (CControlBar) is drawn from its own style and placement.
#pragma once
#include <afxwin.h>
#include <afxext.h>

class CQENToolBar;
class CQENToolbarButton;
class CQENToolbarMenuButton;
class CQENPopupMenu;
class CQENPopupMenuBar;
class CQENMenuBar;
class CQENSizingControlBar;
class CQENCaptionButton;
class CQENTabWnd;
class CQENCaptionBar;
class CQENPushButton;

// What a caption button shows, as the bar's caption button record holds it.
struct QENCaptionButtonLook
{
    CPoint ptPosition;   // top left of the button
    UINT nHit;           // hit code: 19 hides the bar
    BOOL bPressed;
    BOOL bHot;
    BOOL bHidden;
};

class CQENVisualManager : public CObject
{
    DECLARE_DYNCREATE(CQENVisualManager)
public:
    // States of the button interior, frame and text operations.
    enum ButtonState
    {
        ButtonNormal = 0,
        ButtonPressed = 1,
        ButtonHighlighted = 2
    };

    CQENVisualManager();
    ~CQENVisualManager() override;
    CQENVisualManager(const CQENVisualManager&) = delete;
    CQENVisualManager& operator=(const CQENVisualManager&) = delete;

    // ---- instance management ----
    // The current manager; made when there is none (from the on-demand class, else this class) and
    // then library-owned. Never NULL.
    static CQENVisualManager* PASCAL CurrentManager();
    // A class that is not a dynamically creatable manager is ignored. Otherwise it becomes the class
    // of on-demand managers (NULL: this class) and the current manager is deleted.
    static void PASCAL SetOnDemandClass(CRuntimeClass* pClass);
    // Redraws the application's main window and everything below it.
    static void PASCAL RepaintAllBars();
    // Deletes the current manager when the library made it (the library's clean-up at exit).
    static void PASCAL DeleteLibraryOwned();
    // The current manager re-derives its colours; the drawing cache calls it after every refresh.
    static void PASCAL RecomputeCurrentColours();

    void SetFlatLook(BOOL bFlatLook);

    // ---- the table of operations, in slot order ----
    virtual void RecomputeColours();
    virtual void PaintBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip);
    // Draws the borders of the bar's style and shrinks rect by them.
    virtual void PaintBarEdges(CDC* pDC, CControlBar* pBar, CRect& rect);
    virtual void PaintPopupFrame(CDC* pDC, CQENPopupMenu* pMenu, CRect rect);
    virtual void PaintGripper(CDC* pDC, CRect rectGripper, BOOL bHorizontal, CControlBar* pBar);
    virtual void PaintSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bHorizontal);
    virtual void PaintCaptionButton(CDC* pDC, CQENCaptionButton* pButton, BOOL bA, BOOL bB, BOOL bC);
    virtual void PaintSystemButton(CDC* pDC, CRect rect, UINT nSysCommand, UINT nStyle, BOOL bHighlighted);
    virtual void PaintControlButtonEdge(CDC* pDC, CQENToolbarButton* pButton, CRect rect, UINT nStyle);
    virtual void PaintComboArrowButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted);
    virtual void PaintComboFrame(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bDropped, BOOL bHighlighted);
    virtual void PaintTearOffStrip(CDC* pDC, CRect rect, BOOL bActive);
    virtual void PaintButtonInterior(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void PaintButtonFrame(CDC* pDC, CQENToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void PaintMenuItemHighlight(CDC* pDC, CQENToolbarMenuButton* pButton, CRect rect, COLORREF& crText);
    virtual void PaintRarelyUsedBand(CDC* pDC, CRect rect);
    virtual COLORREF ButtonTextColour(CQENToolbarButton* pButton, ButtonState state);
    virtual COLORREF CaptionBarTextColour(CQENCaptionBar* pBar);
    // TRUE when the face was painted here; FALSE leaves it to the button.
    virtual BOOL PaintPushButtonFace(CDC* pDC, CQENPushButton* pButton, CRect rect, COLORREF& crText);
    virtual BOOL PaintPushButtonFrame(CDC* pDC, CQENPushButton* pButton, CRect rect, UINT nState);
    virtual void PaintTabStripBackground(CDC* pDC, CRect rect, CQENTabWnd* pTabWnd);
    virtual void PaintTab(CDC* pDC, CRect rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd);
    // Returns the colour of the item's text.
    virtual COLORREF PaintCommandListItem(CDC* pDC, CRect rect, BOOL bSelected);
    virtual CSize ExtraButtonMargin();
    // ---- the caption bar: its top and bottom border strips, background, button and image ----
    // crBackground -1: the caption bar's face.
    virtual void PaintCaptionBarBorder(CDC* pDC, CQENCaptionBar* pBar, CRect rect, COLORREF crBackground);
    virtual void PaintCaptionBarBackground(CDC* pDC, CQENCaptionBar* pBar, CRect rect, COLORREF crBackground,
                                           BOOL bFlatBorder);
    virtual void PaintCaptionBarButton(CDC* pDC, CQENCaptionBar* pBar, CRect rect, const CString& strText, BOOL bHot,
                                       BOOL bPressed, BOOL bDisabled, BOOL bDropDownArrow, COLORREF crText);
    // crTransparent -1: the bitmap is opaque.
    virtual void PaintCaptionBarImage(CDC* pDC, CQENCaptionBar* pBar, CRect rect, HICON hIcon, HBITMAP hBitmap,
                                      COLORREF crTransparent, BOOL bStretch);

    // The caption button operation's drawing, from what the caption button record holds.
    void DrawCaptionButton(CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC);
    // The rectangle of a caption button: the menu image size plus 5 pixels each way (empty when hidden).
    static CRect CaptionButtonRect(const QENCaptionButtonLook& look);
    // The menu image a caption button shows.
    static int CaptionButtonGlyph(UINT nHit, BOOL bA, BOOL bB, BOOL bC);

    BOOL m_bFlatLook;          // one grip line, flat caption buttons; stored as "Look2000"
    int m_nShadowSize;         // depth of popup-menu shadows
    BOOL m_bFlatMenuImages;    // menu images without the checked or pressed button state
    BOOL m_bShadowHotImages;   // highlighted toolbar images cast a shadow; pressed ones do not shift
    BOOL m_bEmbossDisabled;    // disabled images are embossed
    BOOL m_bLibraryOwned;      // made on demand: the library's clean-up deletes it

protected:
    static const UINT HitHide = 19;

    // The lines of the border bits of the bar's style, then rect shrunk by them.
    static void PaintBorderLines(CDC* pDC, CControlBar* pBar, CRect& rect, COLORREF crLeftTop, COLORREF crRightBottom);

    // The glyph of a caption button at its place in rect, one pixel further down and right when pushed.
    static void DrawCaptionGlyph(CDC* pDC, const CRect& rect, int nGlyph, BOOL bPushed, COLORREF crGlyph);
    // The outline of a tab of the 3D style on a strip below the pages: wide at the top, where it
    // meets the page, and slanted towards the bottom (upside down for a strip above the pages).
    static void TabOutline(const CRect& rect, POINT (&points)[4], BOOL bStripOnTop = FALSE);
    // Fills the tab's outline and draws its sides; an inactive tab also gets the page's edge.
    static void Draw3dTab(CDC* pDC, const CRect& rect, BOOL bActive, CBrush* pFill, COLORREF crLitSide,
                          COLORREF crShadedSide, BOOL bStripOnTop = FALSE);
    // A tab of a tab window, filled with pFill unless the tab has a colour of its own and is not the
    // active one, or a flat tab, whose active one takes the window's active-tab brush; then its image
    // and label in the font and text colour the window selected.
    static void DrawWindowTab(CDC* pDC, const CRect& rect, int iTab, BOOL bActive, CQENTabWnd* pTabWnd,
                              CBrush* pFill, COLORREF crLitSide, COLORREF crShadedSide);

private:
    // A manager of the on-demand class; NULL when there is none or it cannot be made.
    static CQENVisualManager* PASCAL MakeOnDemand();

    static CQENVisualManager* s_pCurrent;
    static CRuntimeClass* s_pOnDemandClass;
};
