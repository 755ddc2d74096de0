// CQENCaptionButton: one of the two small buttons in a sizing control bar's gripper (hide, and
// expand/contract), as the bar tracks it and the visual manager draws it.
#pragma once
#include <afxwin.h>

#include "QENVisualManager.h"

class CQENCaptionButton
{
public:
    CQENCaptionButton(UINT nHit, UINT nTooltipId);

    // The button at ptPosition (window coordinates), as big as the visual manager draws it; a hidden
    // button is empty there.
    void PlaceAt(CPoint ptPosition);
    CSize Size() const;
    QENCaptionButtonLook Look() const;

    BOOL m_bPressed;
    BOOL m_bHot;
    UINT m_nHit;
    UINT m_nTooltipId;
    CRect m_rect;   // window coordinates
    BOOL m_bHidden;
};
