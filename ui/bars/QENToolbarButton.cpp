#include "QENToolbarButton.h"

#include "QENButtonImageList.h"
#include "QENCommandManager.h"
#include "QENDrawHelper.h"
#include "QENVisualManager.h"

#include <algorithm>
#include <new>

namespace {

const int kSeparatorWidth = 8;          // a separator of no width of its own, and every vertical one
const int kLabelGap = 6;                // around a text beside the image, and beside a text under it
const int kLabelBelowExtra = 12;        // added to a button with its text under the image
const int kTextBesideExtra = 9;         // a text beside the image lengthens the button by this much
const int kTextMargin = 3;              // the text starts this far in, and this far after the image
const UINT kArchiveBufferSize = 4096;
const int kStandardMenuImageWidth = 16;   // menu images until the toolbars say otherwise

// The bytes of a text: the mnemonic character's index and length after cleaning, or -1.
int MnemonicIndex(const CString& strText, int& nLength)
{
    int nClean = 0;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] == '&')
        {
            if (i + 1 < strText.GetLength() && strText[i + 1] != '&')
            {
                nLength = ::IsDBCSLeadByte(static_cast<BYTE>(strText[i + 1])) && i + 2 < strText.GetLength() ? 2 : 1;
                return nClean;
            }
            i++;   // "&&" is one literal "&"
        }
        else if (::IsDBCSLeadByte(static_cast<BYTE>(strText[i])) && i + 1 < strText.GetLength())
        {
            i++;
            nClean++;
        }
        nClean++;
    }
    return -1;
}

CQENCommandManager& CommandManager()
{
    return CQENCommandManager::Instance();
}

}   // namespace

IMPLEMENT_SERIAL(CQENToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CQENUserToolsQuery* CQENUserToolsQuery::s_pActive = NULL;
CQENToolBarQuery* CQENToolBarQuery::s_pActive = NULL;

BOOL CQENToolbarButton::s_bWrapLabels = TRUE;
BOOL CQENToolbarButton::s_bRegisterImages = TRUE;
CString CQENToolbarButton::s_strClipFormatName;
CLIPFORMAT CQENToolbarButton::s_nClipFormat = 0;
CList<UINT, UINT> CQENToolbarButton::s_lstNonCustomizable(10);
const UINT CQENToolbarButton::s_nMenuButtonToolHitMessage = ::RegisterWindowMessageA("QENTOOLBAR_MENUBUTTONTOOLHIT");

CQENToolbarButton::CQENToolbarButton()
    : m_bUserImage(FALSE),
      m_nCommandId(0),
      m_nStyle(0),
      m_bShowLabel(FALSE),
      m_bShowImage(TRUE),
      m_bRowBreak(FALSE),
      m_bFitsWidth(TRUE),
      m_bLabelBelow(FALSE),
      m_bFromCommandList(FALSE),
      m_rect(0, 0, 0, 0),
      m_iStdImage(-1),
      m_iUserImageIndex(-1),
      m_bLocked(FALSE),
      m_bHidden(FALSE),
      m_sizeLabel(0, 0),
      m_bNoFill(FALSE),
      m_bExtraBorder(FALSE),
      m_bHorizontal(TRUE)
{
}

CQENToolbarButton::CQENToolbarButton(UINT nCommandId, int iImage, LPCTSTR lpszLabel, BOOL bUserImage, BOOL bLocked)
    : CQENToolbarButton()
{
    m_bLocked = bLocked;
    m_bUserImage = bUserImage;
    m_nCommandId = nCommandId;
    SetImageIndex(iImage);
    m_strLabel = lpszLabel != NULL ? lpszLabel : "";
    if (m_nCommandId == 0 || m_bLocked)
        return;
    int& iCurrent = m_bUserImage ? m_iUserImageIndex : m_iStdImage;
    if (iCurrent == -1)
        iCurrent = CommandManager().ImageOfCommand(m_nCommandId, m_bUserImage);
    else
        CommandManager().BindCommandImage(m_nCommandId, iCurrent, m_bUserImage);
}

CQENToolbarButton::~CQENToolbarButton()
{
}

void CQENToolbarButton::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << m_nCommandId << m_nStyle << GetImage() << m_strLabel << m_bUserImage << m_bFromCommandList
           << m_bShowLabel << m_bShowImage;
        return;
    }
    int iImage;
    ar >> m_nCommandId >> m_nStyle >> iImage >> m_strLabel >> m_bUserImage >> m_bFromCommandList >> m_bShowLabel >>
        m_bShowImage;
    SetImageIndex(iImage);
}

// ---------------------------------------------------------------------------------------------------
// Images

void CQENToolbarButton::SetImageIndex(int iImage)
{
    if (IsSeparator())
    {
        m_iStdImage = iImage;
        return;
    }
    (m_bUserImage ? m_iUserImageIndex : m_iStdImage) = iImage;
    if (!m_bLocked && m_nCommandId != 0 && m_nCommandId != static_cast<UINT>(-1))
    {
        if (iImage == -1)
        {
            m_iStdImage = CommandManager().ImageOfCommand(m_nCommandId, FALSE);
            m_iUserImageIndex = CommandManager().ImageOfCommand(m_nCommandId, TRUE);
            // A command without standard image may still have one of the user's.
            if (m_iStdImage == -1)
                m_bUserImage = TRUE;
        }
        else if (m_bUserImage || s_bRegisterImages)
        {
            CommandManager().BindCommandImage(m_nCommandId, iImage, m_bUserImage);
        }
    }
    if (GetImage() < 0)
    {
        m_bShowImage = FALSE;
        m_bShowLabel = TRUE;
    }
}

void CQENToolbarButton::RestoreDefaultImage()
{
    if (m_bUserImage || static_cast<int>(m_nCommandId) <= 0 || IsUserToolCommand(m_nCommandId))
        return;
    int iImage = CommandManager().ImageOfCommand(m_nCommandId, FALSE);
    if (iImage >= 0)
    {
        SetImageIndex(iImage);
        return;
    }
    if (!m_bShowImage)
        return;
    m_bShowImage = FALSE;
    m_bShowLabel = TRUE;
    if (m_strLabel.IsEmpty())
        LoadCommandMenuText(m_nCommandId, m_strLabel);
}

void CQENToolbarButton::AssignFrom(const CQENToolbarButton& source)
{
    m_nCommandId = source.m_nCommandId;
    m_bLocked = source.m_bLocked;
    m_bUserImage = source.m_bUserImage;
    m_nStyle = source.m_nStyle;
    SetImageIndex(source.GetImage());
    m_strLabel = source.m_strLabel;
    m_bShowLabel = source.m_bShowLabel;
    m_bShowImage = source.m_bShowImage;
    m_bRowBreak = source.m_bRowBreak;
    m_strAltLabel = source.m_strAltLabel;
    m_bFromCommandList = FALSE;
}

// ---------------------------------------------------------------------------------------------------
// Commands

BOOL PASCAL CQENToolbarButton::IsUserToolCommand(UINT nCommandId)
{
    return CQENUserToolsQuery::s_pActive != NULL && CQENUserToolsQuery::s_pActive->IsToolCommand(nCommandId);
}

BOOL PASCAL CQENToolbarButton::IsReservedCommand(UINT nCommandId)
{
    const bool bRecentFile = nCommandId >= 0xE110 && nCommandId <= 0xE11F;
    const bool bOleVerb = nCommandId >= 0xE210 && nCommandId <= 0xE21F;
    const bool bSystem = nCommandId >= 0xF000 && nCommandId <= 0xF1EF;
    if (bRecentFile || bOleVerb || bSystem || nCommandId >= 0xFF00)
        return TRUE;
    return CQENUserToolsQuery::s_pActive != NULL && CQENUserToolsQuery::s_pActive->ToolsEntryCommand() == nCommandId;
}

BOOL CQENToolbarButton::IsCustomizable() const
{
    return !IsReservedCommand(m_nCommandId) && s_lstNonCustomizable.Find(m_nCommandId) == NULL;
}

BOOL PASCAL CQENToolbarButton::LoadCommandMenuText(UINT nCommandId, CString& strText)
{
    CString strResource;
    if (!strResource.LoadString(nCommandId))
        return FALSE;
    int nNewLine = strResource.Find('\n');
    if (nNewLine < 0 || nNewLine + 1 == strResource.GetLength())
        return FALSE;
    strText = strResource.Mid(nNewLine + 1);
    return TRUE;
}

BOOL CQENToolbarButton::FillMenuButton(CQENToolbarButton* pMenuButton)
{
    if (pMenuButton != NULL && m_strLabel.IsEmpty() && m_nCommandId != 0)
        LoadCommandMenuText(m_nCommandId, pMenuButton->m_strLabel);
    return TRUE;
}

BOOL CQENToolbarButton::IsSameCommand(const CQENToolbarButton& other) const
{
    return m_nCommandId == other.m_nCommandId;
}

// ---------------------------------------------------------------------------------------------------
// Measuring and drawing

CString PASCAL CQENToolbarButton::CleanMnemonics(const CString& strText)
{
    CString strClean;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] != '&')
            strClean += strText[i];
        else if (i + 1 < strText.GetLength() && strText[i + 1] == '&')
            strClean += strText[++i];
    }
    return strClean;
}

CSize CQENToolbarButton::MeasureButton(CDC* pDC, CSize sizeDefault, BOOL bHorizontal)
{
    if (IsSeparator())
        return bHorizontal ? CSize(m_iStdImage >= 1 ? m_iStdImage : kSeparatorWidth, sizeDefault.cy)
                           : CSize(sizeDefault.cx, kSeparatorWidth);

    CSize size = sizeDefault;
    if (!m_bShowImage || GetImage() < 0)
    {
        CSize sizeMargin = m_bExtraBorder ? CQENVisualManager::CurrentManager()->ExtraButtonMargin() : CSize(0, 0);
        (bHorizontal ? size.cx : size.cy) = bHorizontal ? sizeMargin.cx : sizeMargin.cy;
    }

    m_sizeLabel = CSize(0, 0);
    if (m_strLabel.IsEmpty())
        return size;
    if (m_bLabelBelow && bHorizontal)
    {
        CRect rectText(0, 0, 3 * sizeDefault.cx, sizeDefault.cy);
        pDC->DrawText(m_strLabel, rectText, DT_CALCRECT | DT_CENTER | (s_bWrapLabels ? DT_WORDBREAK : 0));
        m_sizeLabel = CSize(rectText.Width() + kLabelGap, rectText.Height());
        size.cx = std::max<LONG>(size.cx, m_sizeLabel.cx) + kLabelBelowExtra;
        size.cy += rectText.Height() + 2 * ::GetSystemMetrics(SM_CYBORDER);
    }
    else if (m_bShowLabel)
    {
        int nText = pDC->GetTextExtent(CleanMnemonics(m_strLabel)).cx + kTextBesideExtra;
        (bHorizontal ? size.cx : size.cy) += nText;
    }
    return size;
}

void CQENToolbarButton::DrawButton(CDC* pDC, const CRect& rect, CQENButtonImageList* pImages, BOOL bHorizontal,
                                   BOOL bCustomizeMode, BOOL bHighlighted, BOOL bDrawBorder, BOOL bGrayDisabled)
{
    typedef CQENVisualManager VM;
    m_bHorizontal = bHorizontal;
    VM* pManager = VM::CurrentManager();
    const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
    const BOOL bPressed = (m_nStyle & TBBS_PRESSED) != 0;
    const BOOL bDown = bChecked || bPressed;
    const BOOL bDisabledStyle = (m_nStyle & TBBS_DISABLED) != 0;
    const VM::ButtonState state = bHighlighted ? VM::ButtonHighlighted : bDown ? VM::ButtonPressed : VM::ButtonNormal;
    if (!m_bNoFill)
        pManager->PaintButtonInterior(pDC, this, rect, state);

    const CSize sizeImage = pImages != NULL ? pImages->ImageSize() : CSize(0, 0);
    const BOOL bToolIcon = !m_bUserImage && IsUserToolCommand(m_nCommandId);
    const BOOL bImageShown = m_bShowImage && (GetImage() >= 0 || bToolIcon);
    const BOOL bImageDrawable = bImageShown && (bToolIcon || pImages != NULL);

    CRect rectInner = rect;
    if (m_bExtraBorder)
    {
        CSize sizeMargin = pManager->ExtraButtonMargin();
        rectInner.DeflateRect(sizeMargin.cx / 2, sizeMargin.cy / 2);
    }

    const BOOL bTextShown = m_bShowLabel && !m_strLabel.IsEmpty();
    const BOOL bLabelUnder = m_bLabelBelow && bHorizontal;
    const BOOL bTextBeside = bTextShown && !bLabelUnder;
    const int nLabelExtent = bTextBeside ? pDC->GetTextExtent(CleanMnemonics(m_strLabel)).cx + kLabelGap : 0;

    CSize sizeBox(rectInner.Width(), rectInner.Height());
    if (bHorizontal && !m_bLabelBelow)
        sizeBox.cx -= nLabelExtent;
    else
        sizeBox.cy = bHorizontal ? sizeImage.cy + kLabelGap : rectInner.Height() - nLabelExtent;
    CPoint ptImage((sizeBox.cx - sizeImage.cx) / 2, (sizeBox.cy - sizeImage.cy) / 2);
    CPoint ptText(kTextMargin, kTextMargin);
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    if (bTextBeside)
    {
        if (bHorizontal)
            ptText.y = (sizeBox.cy - tm.tmHeight - 1) / 2;
        else
            ptText.x = (sizeBox.cx - tm.tmHeight + 1) / 2;
    }

    const BOOL bShadow = bHighlighted && !bCustomizeMode && !bDown && !bDisabledStyle && pManager->m_bShadowHotImages;
    if (bDown && !bCustomizeMode && !pManager->m_bShadowHotImages)
    {
        ptImage.Offset(1, 1);
        ptText.Offset(bHorizontal ? 1 : -1, 1);
    }

    const CPoint ptImageAt = rectInner.TopLeft() + ptImage;
    auto drawImage = [&](CPoint pt, BOOL bGreyed, BOOL bAsShadow) {
        if (bToolIcon)
        {
            if (!bAsShadow)
                CQENUserToolsQuery::s_pActive->PaintToolIcon(m_nCommandId, pDC, CRect(pt, sizeImage));
            return;
        }
        pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, bGreyed, FALSE, bAsShadow);
    };
    if (bImageDrawable && (bPressed || !bDisabledStyle || bCustomizeMode))
    {
        if (bShadow)
        {
            drawImage(ptImageAt, FALSE, TRUE);
            drawImage(ptImageAt - CSize(1, 1), FALSE, FALSE);
        }
        else
        {
            drawImage(ptImageAt, FALSE, FALSE);
        }
    }
    const BOOL bDisabled = bCustomizeMode ? !IsCustomizable() : bDisabledStyle;
    if (bImageDrawable && !bPressed && !bCustomizeMode)
        drawImage(ptImageAt, bDisabled && bGrayDisabled, FALSE);

    if ((bTextShown || bLabelUnder) && !m_strLabel.IsEmpty())
    {
        CQENDCState dcState(pDC);
        pDC->SetTextColor(pManager->ButtonTextColour(this, state));
        pDC->SetBkMode(TRANSPARENT);
        if (bLabelUnder)
        {
            CRect rectLabel(rect.CenterPoint().x - m_sizeLabel.cx / 2, rectInner.top + ptText.y + sizeImage.cy + kTextMargin,
                            0, rectInner.bottom);
            rectLabel.right = rectLabel.left + m_sizeLabel.cx;
            pDC->DrawText(m_strLabel, rectLabel, DT_CENTER | (s_bWrapLabels ? DT_WORDBREAK : 0));
        }
        else if (bHorizontal)
        {
            CRect rectLabel = rectInner;
            rectLabel.left += ptText.x + (bImageShown ? sizeImage.cx + kTextMargin : 0);
            rectLabel.top += ptText.y;
            pDC->DrawText(m_strLabel, rectLabel, DT_SINGLELINE | (m_bFitsWidth ? 0 : DT_END_ELLIPSIS));
        }
        else
        {
            DrawVerticalLabel(pDC, rectInner.TopLeft() + ptText + CSize(0, bImageShown ? sizeImage.cy + kTextMargin : 0));
        }
    }

    if (bCustomizeMode || !bDrawBorder || !HasHotBorder())
        return;
    if (bDown)
        pManager->PaintButtonFrame(pDC, this, rectInner, VM::ButtonPressed);
    else if (bHighlighted && !bDisabledStyle && !(m_nStyle & TBBS_INDETERMINATE))
        pManager->PaintButtonFrame(pDC, this, rectInner, VM::ButtonHighlighted);
}

int CQENToolbarButton::DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    CQENToolBarQuery* pBars = CQENToolBarQuery::s_pActive;
    const int nColumn = (pBars != NULL ? pBars->MenuImageSize().cx : kStandardMenuImageWidth) + kLabelGap;
    const COLORREF crText = CQENVisualManager::CurrentManager()->PaintCommandListItem(pDC, rect, bSelected);

    CQENButtonImageList* pImages = pBars == NULL ? NULL : m_bUserImage ? pBars->UserImages() : pBars->StandardImages();
    const BOOL bToolIcon = !m_bUserImage && IsUserToolCommand(m_nCommandId);
    if (bToolIcon || (GetImage() >= 0 && pImages != NULL))
    {
        const BOOL bShowLabel = m_bShowLabel;
        m_bShowLabel = FALSE;
        const CRect rectColumn(rect.left, rect.top, rect.left + nColumn, rect.bottom);
        QENStripDrawState stripState;
        if (pImages != NULL)
            pImages->BeginStripDraw(stripState);
        DrawButton(pDC, rectColumn, pImages, TRUE, TRUE, bSelected, TRUE, TRUE);
        if (pImages != NULL)
            pImages->EndStripDraw(stripState);
        m_bShowLabel = bShowLabel;
    }

    if (m_strLabel.IsEmpty())
        return nColumn;
    CQENDCState dcState(pDC);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    CRect rectText(rect.left + nColumn, rect.top, rect.right, rect.bottom);
    pDC->DrawText(m_strLabel, rectText, DT_SINGLELINE | DT_VCENTER);
    const int nExtent = pDC->GetTextExtent(CleanMnemonics(m_strLabel)).cx;
    return nColumn + std::min<int>(nExtent, std::max<int>(rectText.Width(), 0));
}

// The vertical font runs top to bottom with the tops of its characters to the right, so the text
// starts at the right edge of its column; ptText is the column's top left corner.
void CQENToolbarButton::DrawVerticalLabel(CDC* pDC, CPoint ptText)
{
    TEXTMETRIC tm;
    pDC->GetTextMetrics(&tm);
    const int xOrigin = ptText.x + tm.tmHeight;
    const CString strClean = CleanMnemonics(m_strLabel);
    CRect rectText(xOrigin, ptText.y, xOrigin, ptText.y);
    pDC->DrawText(strClean, rectText, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);

    int nMnemonicLength = 0;
    const int nMnemonic = MnemonicIndex(m_strLabel, nMnemonicLength);
    if (nMnemonic < 0)
        return;
    CRect rectBefore(0, 0, 0, 0), rectThrough(0, 0, 0, 0);
    pDC->DrawText(strClean, nMnemonic, rectBefore, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    pDC->DrawText(strClean, nMnemonic + nMnemonicLength, rectThrough, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    // Under the character: beyond its baseline, which lies the ascent left of the origin.
    const int xLine = xOrigin - tm.tmAscent - 1;
    CPen pen(PS_SOLID, 1, pDC->GetTextColor());
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(xLine, ptText.y + rectBefore.Width());
    pDC->LineTo(xLine, ptText.y + rectThrough.Width());
    pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------------------------------------------
// Tool tips and the clipboard

BOOL CQENToolbarButton::FillToolTip(CWnd* pWnd, TOOLINFOA* pTI)
{
    CWnd* pFrame = pWnd != NULL ? pWnd->GetTopLevelFrame() : AfxGetMainWnd();
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return FALSE;
    return pFrame->SendMessage(s_nMenuButtonToolHitMessage, reinterpret_cast<WPARAM>(this),
                               reinterpret_cast<LPARAM>(pTI)) != 0;
}

CLIPFORMAT PASCAL CQENToolbarButton::ClipboardFormat()
{
    if (s_nClipFormat == 0)
    {
        CString strName = s_strClipFormatName;
        if (strName.IsEmpty())
            strName.Format("QENToolbarButton%lx", static_cast<unsigned long>(reinterpret_cast<DWORD_PTR>(AfxGetInstanceHandle())));
        s_nClipFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(strName));
    }
    return s_nClipFormat;
}

BOOL CQENToolbarButton::CopyToDataSource(COleDataSource* pDataSource)
{
    if (!IsPersistent())
        return TRUE;
    try
    {
        CSharedFile file(GMEM_DDESHARE | GMEM_MOVEABLE, kArchiveBufferSize);
        {
            CArchive ar(&file, CArchive::store, kArchiveBufferSize);
            ar.WriteClass(GetRuntimeClass());
            Serialize(ar);
            ar.Close();
        }
        pDataSource->CacheGlobalData(ClipboardFormat(), file.Detach());
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::bad_alloc&)
    {
    }
    return FALSE;
}

CQENToolbarButton* PASCAL CQENToolbarButton::CreateFromDataObject(COleDataObject* pDataObject)
{
    if (pDataObject == NULL)
        return NULL;
    CFile* pFile = NULL;
    CQENToolbarButton* pButton = NULL;
    try
    {
        pFile = pDataObject->GetFileData(ClipboardFormat());
        if (pFile != NULL)
        {
            CArchive ar(pFile, CArchive::load, kArchiveBufferSize);
            // Refused before anything of a foreign class is made.
            CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CQENToolbarButton));
            pButton = static_cast<CQENToolbarButton*>(pClass->CreateObject());
            if (pButton != NULL)
                pButton->Serialize(ar);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        delete pButton;
        pButton = NULL;
    }
    catch (const std::bad_alloc&)
    {
        delete pButton;
        pButton = NULL;
    }
    delete pFile;
    return pButton;
}

// ---------------------------------------------------------------------------------------------------
// What subclasses do differently

BOOL CQENToolbarButton::AcceptsTarget(CQENToolBar*) const
{
    return TRUE;
}

BOOL CQENToolbarButton::HandleClick(CWnd*, BOOL)
{
    return FALSE;
}

BOOL CQENToolbarButton::HandleClickUp()
{
    return FALSE;
}

void CQENToolbarButton::AttachToParent(CWnd* pWndParent)
{
    m_bExtraBorder = CQENToolBarQuery::s_pActive != NULL && pWndParent != NULL &&
                     CQENToolBarQuery::s_pActive->BarUsesExtraBorder(pWndParent);
}

void CQENToolbarButton::AfterMove()
{
}

void CQENToolbarButton::ResizeWidth(int)
{
}

HWND CQENToolbarButton::HostedWindow()
{
    return NULL;
}

BOOL CQENToolbarButton::IsStretchable() const
{
    return FALSE;
}

BOOL CQENToolbarButton::HandleNotification(UINT)
{
    return FALSE;
}

void CQENToolbarButton::AfterAddToCommandList()
{
}

HBRUSH CQENToolbarButton::HostedControlBrush(CDC*, UINT)
{
    return NULL;
}

void CQENToolbarButton::HandleDoubleClick(CWnd*)
{
}

BOOL CQENToolbarButton::IsPersistent() const
{
    return TRUE;
}

BOOL CQENToolbarButton::HasHotBorder() const
{
    return TRUE;
}

void CQENToolbarButton::CancelTracking()
{
}

BOOL CQENToolbarButton::HandleContextHelp(CWnd*)
{
    return FALSE;
}

BOOL CQENToolbarButton::IsPopupOpen() const
{
    return FALSE;
}

BOOL CQENToolbarButton::BeforeDragStart()
{
    return TRUE;
}

void CQENToolbarButton::CloseOwnerPopups()
{
}

void CQENToolbarButton::ShowHostedWindow(BOOL)
{
}

CRect CQENToolbarButton::GetButtonRect() const
{
    return m_rect;
}

void CQENToolbarButton::SetButtonStyle(UINT nStyle)
{
    m_nStyle = nStyle;
}

void CQENToolbarButton::EnableHostedWindow(BOOL bEnable)
{
    if (HWND hWnd = HostedWindow())
        ::EnableWindow(hWnd, bEnable);
}

BOOL CQENToolbarButton::IsHostedWindowVisible()
{
    HWND hWnd = HostedWindow();
    return hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CQENToolbarButton::OwnsWindow(HWND hWnd)
{
    HWND hHosted = HostedWindow();
    return hHosted != NULL && hWnd != NULL && (hWnd == hHosted || ::IsChild(hHosted, hWnd));
}

BOOL CQENToolbarButton::HostedWindowHasFocus()
{
    return OwnsWindow(::GetFocus());
}

void CQENToolbarButton::InvalidateOwnerArea()
{
}

BOOL CQENToolbarButton::UsesExtraBorder() const
{
    return m_bExtraBorder;
}
