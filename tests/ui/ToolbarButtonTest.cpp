#include "QENButtonImageList.h"
#include "QENCommandManager.h"
#include "QENToolbarButton.h"
#include "QENVisualManagerXP.h"
#include "ArchiveBytes.h"
#include "DibCanvas.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

static void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

const COLORREF kFace = SystemColoursScope::kFace;
const COLORREF kBlue = RGB(0, 0, 255);
const UINT kCommandWithMenuText = 0x3F20;   // "打开(&O)" after the newline of its string

// The canvas's pixels that are not the face colour, as a bounding box (empty when there are none).
CRect Ink(const DibCanvas& canvas, COLORREF crOnly = CLR_NONE)
{
    CRect rect(0, 0, 0, 0);
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
        {
            const COLORREF cr = canvas.Pixel(x, y);
            if (crOnly == CLR_NONE ? cr == kFace : cr != crOnly)
                continue;
            rect = rect.IsRectEmpty() ? CRect(x, y, x + 1, y + 1)
                                      : CRect(std::min<LONG>(rect.left, x), std::min<LONG>(rect.top, y),
                                              std::max<LONG>(rect.right, x + 1), std::max<LONG>(rect.bottom, y + 1));
        }
    return rect;
}

// A locked button: it leaves the command manager alone.
struct LockedButton : CQENToolbarButton
{
    explicit LockedButton(int iImage, LPCTSTR lpszLabel = NULL, UINT nStyle = 0)
        : CQENToolbarButton(0x3F01, iImage, lpszLabel, FALSE, TRUE)
    {
        m_nStyle = nStyle;
    }
};

// Buttons drawn in a known font and known system colours with a strip of two 16 x 15 images on the
// face colour, each an 8 x 8 square at (4, 4): blue in image 0, green in image 1.
class ToolbarButtonDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CQENVisualManager::SetOnDemandClass(NULL);
        LOGFONT lf = {};
        lf.lfHeight = -13;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        strcpy(lf.lfFaceName, "Tahoma");
        ASSERT_TRUE(m_font.CreateFontIndirect(&lf));
        lf.lfEscapement = lf.lfOrientation = 2700;
        ASSERT_TRUE(m_fontVertical.CreateFontIndirect(&lf));

        DibCanvas images(32, 15, kFace);
        images.dc.FillSolidRect(4, 4, 8, 8, kBlue);
        images.dc.FillSolidRect(20, 4, 8, 8, RGB(0, 160, 0));
        CBitmap bitmap;
        CClientDC screen(NULL);
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 32, 15));
        {
            CDC dc;
            dc.CreateCompatibleDC(&screen);
            CBitmap* pOld = dc.SelectObject(&bitmap);
            dc.BitBlt(0, 0, 32, 15, &images.dc, 0, 0, SRCCOPY);
            dc.SelectObject(pOld);
        }
        ASSERT_EQ(0, m_strip.AddImage(static_cast<HBITMAP>(bitmap.m_hObject)));
    }

    void TearDown() override { CQENVisualManager::SetOnDemandClass(NULL); }

    void Draw(DibCanvas& canvas, CQENToolbarButton& button, const CRect& rect, BOOL bHorizontal = TRUE,
              BOOL bCustomize = FALSE, BOOL bHighlighted = FALSE, BOOL bGrey = TRUE, CQENButtonImageList* pImages = NULL)
    {
        pImages = pImages != NULL ? pImages : &m_strip;
        CFont* pOldFont = canvas.dc.SelectObject(bHorizontal ? &m_font : &m_fontVertical);
        QENStripDrawState state;
        ASSERT_TRUE(pImages->BeginStripDraw(state));
        button.DrawButton(&canvas.dc, rect, pImages, bHorizontal, bCustomize, bHighlighted, TRUE, bGrey);
        pImages->EndStripDraw(state);
        canvas.dc.SelectObject(pOldFont);
    }

    CSize Measure(CQENToolbarButton& button, BOOL bHorizontal = TRUE)
    {
        DibCanvas canvas(1, 1, kFace);
        CFont* pOldFont = canvas.dc.SelectObject(bHorizontal ? &m_font : &m_fontVertical);
        CSize size = button.MeasureButton(&canvas.dc, CSize(23, 22), bHorizontal);
        canvas.dc.SelectObject(pOldFont);
        return size;
    }

    CSize Extent(LPCTSTR lpszText)
    {
        DibCanvas canvas(1, 1, kFace);
        CFont* pOldFont = canvas.dc.SelectObject(&m_font);
        CSize size = canvas.dc.GetTextExtent(lpszText, static_cast<int>(strlen(lpszText)));
        canvas.dc.SelectObject(pOldFont);
        return size;
    }

    // What the design puts on a face canvas: images at their places, then texts drawn as they are.
    struct Text
    {
        CRect rect;
        LPCTSTR lpszText;
        UINT nFormat;
    };
    // The difference of actual from that picture, "" when they match.
    // rectPressed: where the look's pressed frame is.
    std::string Difference(const DibCanvas& actual, std::initializer_list<CPoint> images, std::initializer_list<Text> texts,
                           const CRect& rectPressed = CRect(0, 0, 0, 0))
    {
        DibCanvas canvas(actual.Width(), actual.Height(), kFace);
        if (!rectPressed.IsRectEmpty())
            canvas.dc.Draw3dRect(&rectPressed, SystemColoursScope::kShadow, SystemColoursScope::kHighlight);
        QENStripDrawState state;
        m_strip.BeginStripDraw(state);
        for (const CPoint& pt : images)
            m_strip.Draw(&canvas.dc, pt.x, pt.y, 0);
        m_strip.EndStripDraw(state);
        CFont* pOldFont = canvas.dc.SelectObject(&m_font);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(SystemColoursScope::kText);
        for (const Text& text : texts)
        {
            CRect rect = text.rect;
            canvas.dc.DrawText(text.lpszText, static_cast<int>(strlen(text.lpszText)), &rect, text.nFormat);
        }
        canvas.dc.SelectObject(pOldFont);
        return actual.Mismatches([&](int x, int y) { return canvas.Pixel(x, y); });
    }

    int FontHeight()
    {
        DibCanvas canvas(1, 1, kFace);
        CFont* pOldFont = canvas.dc.SelectObject(&m_font);
        TEXTMETRIC tm;
        canvas.dc.GetTextMetrics(&tm);
        canvas.dc.SelectObject(pOldFont);
        return tm.tmHeight;
    }

    SystemColoursScope m_colours;
    CFont m_font;
    CFont m_fontVertical;
    CQENButtonImageList m_strip;
};

TEST_F(ToolbarButtonDrawTest, SeparatorsImagesAndTextsMeasureAlongTheBar)
{
    CQENToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.SetImageIndex(12);
    EXPECT_EQ(CSize(12, 22), Measure(separator));
    EXPECT_EQ(CSize(23, 8), Measure(separator, FALSE));
    separator.SetImageIndex(0);
    EXPECT_EQ(CSize(8, 22), Measure(separator));

    LockedButton image(0, "Go");
    EXPECT_EQ(CSize(23, 22), Measure(image));
    image.m_bShowLabel = TRUE;
    EXPECT_EQ(CSize(23 + Extent("Go").cx + 9, 22), Measure(image));
    EXPECT_EQ(CSize(23, 22 + Extent("Go").cx + 9), Measure(image, FALSE));

    // Without image only the text counts; a doubled ampersand is one character.
    LockedButton text(-1, "A&&B");
    EXPECT_TRUE(text.m_bShowLabel);
    EXPECT_FALSE(text.m_bShowImage);
    EXPECT_EQ(CSize(Extent("A&B").cx + 9, 22), Measure(text));
    LockedButton hidden(0, "&Go");
    hidden.m_bShowImage = FALSE;
    hidden.m_bShowLabel = TRUE;
    EXPECT_EQ(CSize(Extent("Go").cx + 9, 22), Measure(hidden));
}

TEST_F(ToolbarButtonDrawTest, ImageButtonShowsEveryStateInTheClassicLook)
{
    const CRect rect(10, 10, 33, 32);   // 23 x 22: the image box puts the 16 x 15 image at (13, 13)
    const CRect square(17, 17, 25, 25);
    struct Case
    {
        const char* name;
        UINT nStyle;
        BOOL bCustomize, bHighlighted, bGrey;
        CRect blue;        // where the image's square is blue
        COLORREF crTopLeft, crBottomRight;   // the frame's corners
    };
    const COLORREF kLit = SystemColoursScope::kHighlight, kDark = SystemColoursScope::kShadow;
    const Case cases[] = {
        {"normal", 0, FALSE, FALSE, TRUE, square, kFace, kFace},
        {"highlighted", 0, FALSE, TRUE, TRUE, square, kLit, kDark},
        {"pressed", TBBS_PRESSED, FALSE, FALSE, TRUE, square + CPoint(1, 1), kDark, kLit},
        {"checked", TBBS_CHECKED, FALSE, TRUE, TRUE, square + CPoint(1, 1), kDark, kLit},
        {"disabled, not greyed", TBBS_DISABLED, FALSE, FALSE, FALSE, square, kFace, kFace},
        {"disabled and highlighted, not greyed", TBBS_DISABLED, FALSE, TRUE, FALSE, square, kFace, kFace},
        {"indeterminate and highlighted", TBBS_INDETERMINATE, FALSE, TRUE, TRUE, square, kFace, kFace},
        {"customize mode, highlighted", 0, TRUE, TRUE, TRUE, square, kFace, kFace},
        {"customize mode, pressed", TBBS_PRESSED, TRUE, FALSE, TRUE, square, kFace, kFace},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DibCanvas canvas(48, 48, kFace);
        LockedButton button(0, NULL, c.nStyle);
        Draw(canvas, button, rect, TRUE, c.bCustomize, c.bHighlighted, c.bGrey);
        EXPECT_EQ(c.blue, Ink(canvas, kBlue));
        EXPECT_EQ(c.crTopLeft, canvas.Pixel(rect.left, rect.top));
        EXPECT_EQ(c.crBottomRight, canvas.Pixel(rect.right - 1, rect.bottom - 1));
    }

    // Greyed: the image's shape in the shadow colour, embossed, and none of its own colour.
    DibCanvas canvas(48, 48, kFace);
    LockedButton disabled(0, NULL, TBBS_DISABLED);
    Draw(canvas, disabled, rect);
    EXPECT_TRUE(Ink(canvas, kBlue).IsRectEmpty());
    EXPECT_EQ(square, Ink(canvas, SystemColoursScope::kShadow));
    EXPECT_EQ(SystemColoursScope::kHighlight, canvas.Pixel(square.right, square.bottom));
}

TEST_F(ToolbarButtonDrawTest, HighlightedImageCastsItsShadowWhereTheLookAsksForIt)
{
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    ASSERT_TRUE(CQENVisualManager::CurrentManager()->m_bShadowHotImages);
    const CRect rect(10, 10, 33, 32);
    const CRect square(17, 17, 25, 25);

    // The raised image one pixel up and left, then the image in its place on top of it; the images'
    // background is left out, so that both show.
    m_strip.SetTransparentColour(kFace);
    DibCanvas hot(48, 48, kFace);
    LockedButton button(0);
    Draw(hot, button, rect, TRUE, FALSE, TRUE);
    EXPECT_EQ(CRect(16, 16, 25, 25), Ink(hot, kBlue));

    // With shadows a pressed image stays in its place.
    DibCanvas pressed(48, 48, kFace);
    LockedButton down(0, NULL, TBBS_PRESSED);
    Draw(pressed, down, rect);
    EXPECT_EQ(square, Ink(pressed, kBlue));
}

TEST_F(ToolbarButtonDrawTest, TextBesideTheImageIsCentredAndPressedTextMoves)
{
    const int yText = (22 - FontHeight() - 1) / 2;

    // Text only: at 3 from the left; "&&" draws one ampersand and no mnemonic.
    LockedButton text(-1, "A&&B");
    const int cx = Measure(text).cx;
    DibCanvas canvas(cx + 20, 40, kFace);
    Draw(canvas, text, CRect(10, 10, 10 + cx, 32));
    EXPECT_EQ("", Difference(canvas, {},
                             {{CRect(13, 10 + yText, 10 + cx, 32), "A&B", DT_SINGLELINE | DT_NOPREFIX}}));

    DibCanvas pressed(cx + 20, 40, kFace);
    text.m_nStyle = TBBS_PRESSED;
    Draw(pressed, text, CRect(10, 10, 10 + cx, 32));
    EXPECT_EQ("", Difference(pressed, {},
                             {{CRect(14, 11 + yText, 10 + cx, 32), "A&B", DT_SINGLELINE | DT_NOPREFIX}},
                             CRect(10, 10, 10 + cx, 32)));

    // Image and text: the image centred in what the text leaves, the text after the image.
    LockedButton both(0, "Go");
    both.m_bShowLabel = TRUE;
    const int cxBoth = Measure(both).cx;
    const int cxBox = cxBoth - (Extent("Go").cx + 6);
    DibCanvas beside(cxBoth + 20, 40, kFace);
    Draw(beside, both, CRect(10, 10, 10 + cxBoth, 32));
    EXPECT_EQ("", Difference(beside, {CPoint(10 + (cxBox - 16) / 2, 10 + 3)},
                             {{CRect(10 + 3 + 16 + 3, 10 + yText, 10 + cxBoth, 32), "Go", DT_SINGLELINE}}));
}

TEST_F(ToolbarButtonDrawTest, TextBelowTheImageIsMeasuredAndDrawnCentredUnderIt)
{
    LockedButton button(0, "Save As");
    button.m_bLabelBelow = TRUE;
    CRect rectText(0, 0, 3 * 23, 22);
    {
        DibCanvas canvas(1, 1, kFace);
        CFont* pOldFont = canvas.dc.SelectObject(&m_font);
        canvas.dc.DrawText("Save As", 7, &rectText, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
        canvas.dc.SelectObject(pOldFont);
    }
    const CSize size = Measure(button);
    EXPECT_EQ(CSize(std::max<int>(23, rectText.Width() + 6) + 12, 22 + rectText.Height() + 2 * ::GetSystemMetrics(SM_CYBORDER)),
              size);

    const CRect rect(10, 10, 10 + size.cx, 10 + size.cy);
    DibCanvas canvas(size.cx + 20, size.cy + 20, kFace);
    Draw(canvas, button, rect);
    const int xLabel = rect.CenterPoint().x - (rectText.Width() + 6) / 2;
    EXPECT_EQ("", Difference(canvas, {CPoint(10 + (size.cx - 16) / 2, 10 + 3)},
                             {{CRect(xLabel, 10 + 3 + 15 + 3, xLabel + rectText.Width() + 6, rect.bottom),
                               "Save As", DT_CENTER | DT_WORDBREAK}}));
}

TEST_F(ToolbarButtonDrawTest, VerticalTextRunsDownBelowTheImageWithItsMnemonicBesideIt)
{
    LockedButton plain(0, "Go");
    plain.m_bShowLabel = TRUE;
    LockedButton mnemonic(0, "&Go");
    mnemonic.m_bShowLabel = TRUE;
    const CSize size = Measure(mnemonic, FALSE);
    ASSERT_EQ(CSize(23, 22 + Extent("Go").cx + 9), size);

    const CRect rect(10, 10, 10 + size.cx, 10 + size.cy);
    DibCanvas withLine(60, size.cy + 30, kFace), withoutLine(60, size.cy + 30, kFace);
    Draw(withLine, mnemonic, rect, FALSE);
    Draw(withoutLine, plain, rect, FALSE);

    // The image centred in the box the text leaves; the text from 3 below the image downwards.
    const int cyBox = size.cy - (Extent("Go").cx + 6);
    const CRect square = CRect(4, 4, 12, 12) + CPoint(10 + 3, 10 + (cyBox - 15) / 2);
    EXPECT_EQ(square, Ink(withoutLine, kBlue));
    CRect text = Ink(withoutLine, SystemColoursScope::kText);
    EXPECT_GE(text.top, 10 + 3 + 15 + 3);
    EXPECT_GT(text.Height(), text.Width());
    EXPECT_GE(text.left, rect.left);
    EXPECT_LE(text.right, rect.right);

    // The mnemonic: a short line in one column beside the text, as long as its character.
    int nExtra = 0;
    CRect line(0, 0, 0, 0);
    for (int y = 0; y < withLine.Height(); y++)
        for (int x = 0; x < withLine.Width(); x++)
            if (withLine.Pixel(x, y) != withoutLine.Pixel(x, y))
            {
                line = nExtra++ == 0 ? CRect(x, y, x + 1, y + 1) : (line | CRect(x, y, x + 1, y + 1));
                EXPECT_EQ(SystemColoursScope::kText, withLine.Pixel(x, y));
            }
    EXPECT_EQ(1, line.Width());
    EXPECT_NEAR(Extent("G").cx, line.Height(), 1);
    EXPECT_TRUE(line.left < text.left || line.left >= text.right) << "the line lies beside the text";
    EXPECT_LE(std::abs(line.top - text.top), 2);
}

TEST_F(ToolbarButtonDrawTest, UserImageButtonWithoutUserStripDrawsItsText)
{
    CQENToolbarButton button(0x3F02, 2, "Go", TRUE, TRUE);
    button.m_bShowLabel = TRUE;
    ASSERT_TRUE(button.m_bShowImage);
    DibCanvas canvas(80, 40, kFace);
    CFont* pOldFont = canvas.dc.SelectObject(&m_font);
    button.DrawButton(&canvas.dc, CRect(10, 10, 70, 32), NULL, TRUE, FALSE, FALSE, TRUE, TRUE);
    canvas.dc.SelectObject(pOldFont);
    const CRect text = Ink(canvas, SystemColoursScope::kText);
    EXPECT_FALSE(text.IsRectEmpty());
    EXPECT_GE(text.left, 10 + 3 + 3);
}

// The toolbars' answers for the command list: a standard strip and 16 x 15 menu images.
class CommandListBars : public CQENToolBarQuery
{
public:
    explicit CommandListBars(CQENButtonImageList* pStandard) : m_pStandard(pStandard) { s_pActive = this; }
    ~CommandListBars() { s_pActive = NULL; }
    BOOL IsCustomizing() const override { return FALSE; }
    BOOL BarUsesExtraBorder(CWnd*) const override { return FALSE; }
    CSize MenuImageSize() const override { return CSize(16, 15); }
    CQENButtonImageList* StandardImages() const override { return m_pStandard; }
    CQENButtonImageList* UserImages() const override { return NULL; }

private:
    CQENButtonImageList* m_pStandard;
};

TEST_F(ToolbarButtonDrawTest, CommandListItemShowsImageInItsColumnAndTextAfterIt)
{
    CommandListBars bars(&m_strip);
    const int nColumn = 16 + 6;
    const CRect rect(0, 0, 200, 22);
    LockedButton button(0, "Open");
    button.m_bShowLabel = TRUE;

    DibCanvas canvas(200, 22, RGB(255, 255, 255));
    CFont* pOldFont = canvas.dc.SelectObject(&m_font);
    EXPECT_EQ(nColumn + Extent("Open").cx, button.DrawInCommandList(&canvas.dc, rect, FALSE));
    EXPECT_TRUE(button.m_bShowLabel);
    EXPECT_EQ(CRect(7, 7, 15, 15), Ink(canvas, kBlue));
    CRect text = Ink(canvas, SystemColoursScope::kText);
    EXPECT_GE(text.left, nColumn);
    EXPECT_LT(text.right, nColumn + Extent("Open").cx + 2);
    EXPECT_EQ(0, canvas.Count(RGB(255, 255, 255)));

    // Selected: the selection colours, and no frame in the column.
    DibCanvas selected(200, 22, RGB(255, 255, 255));
    selected.dc.SelectObject(&m_font);
    button.DrawInCommandList(&selected.dc, rect, TRUE);
    EXPECT_EQ(CRect(7, 7, 15, 15), Ink(selected, kBlue));
    EXPECT_EQ(text, Ink(selected, SystemColoursScope::kSelectionText));
    EXPECT_EQ(SystemColoursScope::kSelection, selected.Pixel(0, 0));
    EXPECT_EQ(SystemColoursScope::kSelection, selected.Pixel(nColumn - 1, 21));

    // Long text is cut at the item's edge; no text, no text width; a user image without user strip
    // shows no image.
    EXPECT_EQ(40, button.DrawInCommandList(&canvas.dc, CRect(0, 0, 40, 22), FALSE));
    LockedButton empty(0);
    EXPECT_EQ(nColumn, empty.DrawInCommandList(&canvas.dc, rect, FALSE));
    CQENToolbarButton user(0x3F02, 0, "User", TRUE, TRUE);
    DibCanvas userCanvas(200, 22, RGB(255, 255, 255));
    userCanvas.dc.SelectObject(&m_font);
    user.DrawInCommandList(&userCanvas.dc, rect, FALSE);
    EXPECT_TRUE(Ink(userCanvas, kBlue).IsRectEmpty());
    canvas.dc.SelectObject(pOldFont);
    selected.dc.SelectObject(pOldFont);
    userCanvas.dc.SelectObject(pOldFont);
}

// ---------------------------------------------------------------------------------------------------
// The model: images, commands, the stored record and the clipboard

TEST(ToolbarButtonModelTest, CommandsTheFrameworkManagesAreNeverCustomizable)
{
    const struct
    {
        UINT nId;
        bool bCustomizable;
    } cases[] = {{0xE10F, true},  {0xE110, false}, {0xE11F, false}, {0xE120, true},  {0xE20F, true},
                 {0xE210, false}, {0xE21F, false}, {0xE220, true},  {0xEFFF, true},  {0xF000, false},
                 {0xF1EF, false}, {0xF1F0, true},  {0xFEFF, true},  {0xFF00, false}, {0xFFFFFFFF, false}};
    for (const auto& c : cases)
    {
        CQENToolbarButton button(c.nId, 0, NULL, FALSE, TRUE);
        EXPECT_EQ(c.bCustomizable, button.IsCustomizable() != FALSE) << std::hex << c.nId;
    }
    CQENToolbarButton listed(0x3F03, 0, NULL, FALSE, TRUE);
    CQENToolbarButton::s_lstNonCustomizable.AddTail(0x3F03);
    EXPECT_FALSE(listed.IsCustomizable());
    CQENToolbarButton::s_lstNonCustomizable.RemoveAll();
    EXPECT_TRUE(listed.IsCustomizable());
}

TEST(ToolbarButtonModelTest, ImagesAreKeptInStepWithTheCommandManager)
{
    CQENCommandManager& manager = CQENCommandManager::Instance();
    CQENToolbarButton first(0x3F10, 4, "First");
    EXPECT_EQ(4, manager.ImageOfCommand(0x3F10));
    CQENToolbarButton second(0x3F10, -1);
    EXPECT_EQ(4, second.GetImage());
    EXPECT_TRUE(second.m_bShowImage);

    // Nothing anywhere: the button shows its text.
    CQENToolbarButton nothing(0x3F11, -1, "Text");
    EXPECT_EQ(-1, nothing.GetImage());
    EXPECT_FALSE(nothing.m_bShowImage);
    EXPECT_TRUE(nothing.m_bShowLabel);

    // While stored state loads, standard images are not recorded; user images always are.
    CQENToolbarButton::s_bRegisterImages = FALSE;
    CQENToolbarButton loading(0x3F12, 0, NULL, FALSE, TRUE);
    loading.m_bLocked = FALSE;
    loading.SetImageIndex(6);
    CQENToolbarButton user(0x3F13, -1, NULL, TRUE);
    user.SetImageIndex(2);
    CQENToolbarButton::s_bRegisterImages = TRUE;
    EXPECT_EQ(-1, manager.ImageOfCommand(0x3F12));
    EXPECT_EQ(2, manager.ImageOfCommand(0x3F13, TRUE));

    // Restoring: back to the command's standard image, or to its menu text when it has none.
    second.m_iStdImage = 9;
    second.RestoreDefaultImage();
    EXPECT_EQ(4, second.GetImage());
    CQENToolbarButton withText(kCommandWithMenuText, 3, NULL, FALSE, TRUE);
    withText.m_bLocked = FALSE;
    withText.RestoreDefaultImage();
    EXPECT_FALSE(withText.m_bShowImage);
    EXPECT_TRUE(withText.m_bShowLabel);
    EXPECT_STREQ("打开(&O)", withText.m_strLabel);

    // A copy carries what is dragged, not where the button was.
    withText.m_rect = CRect(1, 2, 3, 4);
    withText.m_bHidden = TRUE;
    withText.m_bRowBreak = TRUE;
    withText.m_strAltLabel = "alt";
    withText.m_nStyle = TBBS_CHECKED;
    CQENToolbarButton copy;
    copy.m_bFromCommandList = TRUE;
    copy.AssignFrom(withText);
    EXPECT_EQ(kCommandWithMenuText, copy.m_nCommandId);
    EXPECT_EQ(UINT(TBBS_CHECKED), copy.m_nStyle);
    EXPECT_STREQ("打开(&O)", copy.m_strLabel);
    EXPECT_STREQ("alt", copy.m_strAltLabel);
    EXPECT_TRUE(copy.m_bRowBreak);
    EXPECT_TRUE(copy.m_bShowLabel);
    EXPECT_FALSE(copy.m_bShowImage);
    EXPECT_FALSE(copy.m_bFromCommandList);
    EXPECT_TRUE(copy.m_rect.IsRectNull());
    EXPECT_FALSE(copy.m_bHidden);
}

}   // namespace

// A button of the application's own that appends a field to the record.
class CTestDropButton : public CQENToolbarButton
{
    DECLARE_SERIAL(CTestDropButton)
public:
    int m_nExtra = 0;
    BOOL m_bPersistent = TRUE;
    void Serialize(CArchive& ar) override
    {
        CQENToolbarButton::Serialize(ar);
        if (ar.IsStoring())
            ar << m_nExtra;
        else
            ar >> m_nExtra;
    }
    BOOL IsPersistent() const override { return m_bPersistent; }
};
IMPLEMENT_SERIAL(CTestDropButton, CQENToolbarButton, 1)

// Something else that may arrive under the same format; it counts how often it is made.
class CTestForeignObject : public CObject
{
    DECLARE_SERIAL(CTestForeignObject)
public:
    CTestForeignObject() { s_nMade++; }
    void Serialize(CArchive& ar) override
    {
        DWORD dw = 0x3F16;
        if (ar.IsStoring())
            ar << dw << dw << dw;
    }
    static int s_nMade;
};
IMPLEMENT_SERIAL(CTestForeignObject, CObject, 1)
int CTestForeignObject::s_nMade = 0;

namespace {

std::string Bytes(std::initializer_list<unsigned> values)
{
    std::string bytes;
    for (unsigned value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Dword(DWORD value)
{
    return Bytes({value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF, value >> 24});
}

TEST(ToolbarButtonModelTest, StoredRecordIsEightFieldsByteForByte)
{
    CQENToolbarButton button(0x3F14, 7, "打开", FALSE, TRUE);
    button.m_nStyle = TBBS_CHECKED | TBBS_DISABLED;
    button.m_bFromCommandList = TRUE;
    button.m_bShowLabel = TRUE;
    button.m_bShowImage = FALSE;
    button.m_rect = CRect(5, 6, 7, 8);
    const std::string record = Dword(0x3F14) + Dword(0x50000) + Dword(7) + Bytes({4}) + "打开" + Dword(0) + Dword(1) +
                               Dword(1) + Dword(0);
    EXPECT_EQ(record, StoredBytes(button));

    // A user image of index -1 read back: no image, so the text shows whatever was stored.
    std::string loaded = Dword(0x3F15) + Dword(TBBS_PRESSED) + Dword(0xFFFFFFFF) + Bytes({2}) + "Hi" + Dword(1) + Dword(0) +
                         Dword(0) + Dword(1);
    CQENToolbarButton read;
    ASSERT_TRUE(LoadFromBytes(read, loaded));
    EXPECT_EQ(0x3F15u, read.m_nCommandId);
    EXPECT_EQ(UINT(TBBS_PRESSED), read.m_nStyle);
    EXPECT_STREQ("Hi", read.m_strLabel);
    EXPECT_TRUE(read.m_bUserImage);
    EXPECT_EQ(-1, read.GetImage());
    EXPECT_FALSE(read.m_bShowImage);
    EXPECT_TRUE(read.m_bShowLabel);
}

// The button rebuilt from data offered under the button format.
CQENToolbarButton* Rebuilt(const std::string& bytes)
{
    COleDataSource source;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(hGlobal), bytes.data(), bytes.size());
    ::GlobalUnlock(hGlobal);
    source.CacheGlobalData(CQENToolbarButton::ClipboardFormat(), hGlobal);
    COleDataObject data;
    data.Attach(static_cast<LPDATAOBJECT>(source.GetInterface(&IID_IDataObject)), FALSE);
    return CQENToolbarButton::CreateFromDataObject(&data);
}

TEST(ToolbarButtonClipboardTest, ButtonsTravelWithTheirClassAndAnythingElseGivesNothing)
{
    char szName[100] = "";
    ::GetClipboardFormatNameA(CQENToolbarButton::ClipboardFormat(), szName, sizeof szName);
    CString strExpected;
    strExpected.Format("QENToolbarButton%lx", static_cast<unsigned long>(reinterpret_cast<DWORD_PTR>(AfxGetInstanceHandle())));
    EXPECT_STREQ(strExpected, szName);

    CTestDropButton button;
    button.m_nCommandId = 0x3F17;
    button.m_strLabel = "剪切";
    button.m_nStyle = TBBS_CHECKED;
    button.m_bShowLabel = TRUE;
    button.m_nExtra = 42;
    button.m_rect = CRect(1, 1, 9, 9);
    COleDataSource source;
    ASSERT_TRUE(button.CopyToDataSource(&source));
    COleDataObject data;
    data.Attach(static_cast<LPDATAOBJECT>(source.GetInterface(&IID_IDataObject)), FALSE);
    std::unique_ptr<CQENToolbarButton> pCopy(CQENToolbarButton::CreateFromDataObject(&data));
    ASSERT_NE(nullptr, pCopy);
    ASSERT_EQ(RUNTIME_CLASS(CTestDropButton), pCopy->GetRuntimeClass());
    EXPECT_EQ(42, static_cast<CTestDropButton*>(pCopy.get())->m_nExtra);
    EXPECT_EQ(0x3F17u, pCopy->m_nCommandId);
    EXPECT_STREQ("剪切", pCopy->m_strLabel);
    EXPECT_EQ(UINT(TBBS_CHECKED), pCopy->m_nStyle);
    EXPECT_TRUE(pCopy->m_bShowLabel);
    EXPECT_TRUE(pCopy->m_rect.IsRectNull());

    // A button a bar adds by itself offers nothing, and that is no failure.
    CTestDropButton own;
    own.m_bPersistent = FALSE;
    COleDataSource empty;
    EXPECT_TRUE(own.CopyToDataSource(&empty));
    COleDataObject nothing;
    nothing.Attach(static_cast<LPDATAOBJECT>(empty.GetInterface(&IID_IDataObject)), FALSE);
    EXPECT_FALSE(nothing.IsDataAvailable(CQENToolbarButton::ClipboardFormat()));
    EXPECT_EQ(nullptr, CQENToolbarButton::CreateFromDataObject(&nothing));

    // A foreign class is refused before one is made; damaged records give nothing.
    CTestForeignObject foreign;
    const int nMade = CTestForeignObject::s_nMade;
    EXPECT_EQ(nullptr, Rebuilt(StoredBytes(foreign, TRUE)));
    EXPECT_EQ(nMade, CTestForeignObject::s_nMade);

    CQENToolbarButton plain(0x3F18, 0, NULL, FALSE, TRUE);
    const std::string whole = StoredBytes(plain, TRUE);
    const std::string head = whole.substr(0, whole.size() - 17);   // class record and the three numbers
    std::unique_ptr<CQENToolbarButton> pPlain(Rebuilt(whole));
    ASSERT_NE(nullptr, pPlain);
    EXPECT_EQ(nullptr, Rebuilt(head + Bytes({0xFF, 0xFF, 0xFF}) + Dword(0xFFFFFFFF) + std::string(64, '\0')));
    EXPECT_EQ(nullptr, Rebuilt(head + Bytes({0xFF, 0xFF, 0xFF}) + Dword(0x7FFFFFF0) + std::string(64, 'x')));
    EXPECT_EQ(nullptr, Rebuilt(whole.substr(0, whole.size() - 3)));
    EXPECT_EQ(nullptr, Rebuilt(""));
}

}   // namespace
