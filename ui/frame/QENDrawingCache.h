// CQENDrawingCache: the system colours, brushes and fonts every bar, menu and visual manager of the
// library draws with, held once for the process in theDrawingCache.
//
// The cache is built during static initialisation and refreshed in place: RefreshColours after a
// system colour change, RefreshFonts after a change of the non-client metrics. The application's
// exit path calls ReleaseResources.
#pragma once
#include <afxwin.h>

class CQENDrawingCache
{
public:
    // The library's small icon resource (in AfxGetResourceHandle()).
    static const UINT s_nSmallIconResource = 16931;

    static const TCHAR s_szTahoma[];
    static const TCHAR s_szMSSansSerif[];
    static const TCHAR s_szArial[];
    static const TCHAR s_szMarlett[];

    CQENDrawingCache();
    CQENDrawingCache(const CQENDrawingCache&) = delete;
    CQENDrawingCache& operator=(const CQENDrawingCache&) = delete;

    void RefreshColours();
    void RefreshFonts();
    // Deletes the halftone brush and the menu, status, bold, underlined and vertical fonts.
    void ReleaseResources();

    // Loaded once at the system's small-icon size and shared: callers must not destroy it.
    HICON SharedSmallIcon();

    HBRUSH m_hbrHighlightSys;   // system brushes, never deleted
    HBRUSH m_hbrShadowSys;

    COLORREF m_crFace;
    COLORREF m_crShadow;
    COLORREF m_crHighlight;
    COLORREF m_crText;
    COLORREF m_crFrame;
    COLORREF m_crDarkShadow;
    COLORREF m_crLight;
    COLORREF m_crGreyText;
    COLORREF m_crSelection;
    COLORREF m_crSelectionText;
    COLORREF m_crHotText;

    CBrush m_brFace;         // attached to system brushes
    CBrush m_brSelection;
    CBrush m_brHalftone;     // owned: pressed and checked button areas
    CBrush m_brDarkShadow;

    CFont m_fontMenu;
    CFont m_fontStatus;
    CFont m_fontMenuBold;
    CFont m_fontMenuUnderline;
    CFont m_fontVertical270;
    CFont m_fontVertical90;
    CFont m_fontGlyphs;      // check marks and arrows of menus

    BOOL m_bOldNT;           // Windows NT before version 5
    int m_nScreenBits;
    int m_nMenuTextHeight;
    int m_nVerticalTextHeight;

    // Called at the end of every RefreshColours (NULL: nothing): the visual manager's colours follow.
    void (PASCAL* m_pfnColoursRefreshed)();

private:
    HICON m_hSmallIcon;
};

extern CQENDrawingCache theDrawingCache;
