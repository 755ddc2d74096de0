// While it lives, the system colours the looks draw with are set to known, distinct values (the
// drawing cache and the current visual manager follow); the old ones come back when it goes.
#pragma once
#include <afxwin.h>
#include "QENDrawingCache.h"

class SystemColoursScope
{
public:
    static constexpr COLORREF kFace = RGB(212, 208, 200);
    static constexpr COLORREF kShadow = RGB(128, 128, 128);
    static constexpr COLORREF kHighlight = RGB(255, 255, 255);
    static constexpr COLORREF kDarkShadow = RGB(64, 64, 64);
    static constexpr COLORREF kLight = RGB(230, 230, 230);
    static constexpr COLORREF kText = RGB(10, 10, 10);
    static constexpr COLORREF kWindow = RGB(255, 255, 255);
    static constexpr COLORREF kSelection = RGB(10, 36, 106);
    static constexpr COLORREF kSelectionText = RGB(250, 250, 250);
    static constexpr COLORREF kGreyText = RGB(140, 140, 140);

    SystemColoursScope()
    {
        for (int i = 0; i < kCount; i++)
            m_crSaved[i] = ::GetSysColor(kElements[i]);
        const COLORREF colours[kCount] = {kFace,   kShadow, kHighlight,     kDarkShadow, kLight,
                                          kText,   kWindow, kSelection,     kSelectionText, kGreyText};
        Apply(colours);
    }

    ~SystemColoursScope() { Apply(m_crSaved); }

    SystemColoursScope(const SystemColoursScope&) = delete;
    SystemColoursScope& operator=(const SystemColoursScope&) = delete;

    // Sets one system colour for the rest of the scope.
    static void Set(int nElement, COLORREF crColour)
    {
        ::SetSysColors(1, &nElement, &crColour);
        theDrawingCache.RefreshColours();
    }

private:
    static constexpr int kCount = 10;
    static constexpr int kElements[kCount] = {COLOR_BTNFACE,   COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
                                              COLOR_3DLIGHT,   COLOR_BTNTEXT,   COLOR_WINDOW,       COLOR_HIGHLIGHT,
                                              COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};

    static void Apply(const COLORREF (&colours)[kCount])
    {
        ::SetSysColors(kCount, kElements, colours);
        theDrawingCache.RefreshColours();
    }

    COLORREF m_crSaved[kCount];
};
