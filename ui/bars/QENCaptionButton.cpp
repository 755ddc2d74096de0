#include "QENCaptionButton.h"

CQENCaptionButton::CQENCaptionButton(UINT nHit, UINT nTooltipId)
    : m_bPressed(FALSE), m_bHot(FALSE), m_nHit(nHit), m_nTooltipId(nTooltipId), m_rect(0, 0, 0, 0), m_bHidden(FALSE)
{
}

QENCaptionButtonLook CQENCaptionButton::Look() const
{
    QENCaptionButtonLook look = {m_rect.TopLeft(), m_nHit, m_bPressed, m_bHot, m_bHidden};
    return look;
}

CSize CQENCaptionButton::Size() const
{
    QENCaptionButtonLook look = Look();
    look.ptPosition = CPoint(0, 0);
    return CQENVisualManager::CaptionButtonRect(look).Size();
}

void CQENCaptionButton::PlaceAt(CPoint ptPosition)
{
    m_rect = CRect(ptPosition, Size());
}
