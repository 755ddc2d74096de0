#include "QENCommandManager.h"
#include "QENToolBar.h"
#include "QENVisualManagerXP.h"
#include "ArchiveBytes.h"
#include "DibCanvas.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

static void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace {

const COLORREF kFace = SystemColoursScope::kFace, kText = SystemColoursScope::kText;
const COLORREF kLit = SystemColoursScope::kHighlight, kDark = SystemColoursScope::kShadow;
const COLORREF kBlue = RGB(0, 0, 255);

// The bounding box of the canvas's pixels of that colour (empty when there are none).
CRect Ink(const DibCanvas& canvas, COLORREF cr)
{
    CRect rect(0, 0, 0, 0);
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
            if (canvas.Pixel(x, y) == cr)
                rect = rect.IsRectEmpty() ? CRect(x, y, x + 1, y + 1) : (rect | CRect(x, y, x + 1, y + 1));
    return rect;
}

// A locked button: it leaves the command manager alone.
struct LockedButton : CQENToolbarButton
{
    explicit LockedButton(int iImage, LPCTSTR lpszLabel = NULL, UINT nStyle = 0, BOOL bShowLabel = FALSE)
        : CQENToolbarButton(0x3F01, iImage, lpszLabel, FALSE, TRUE)
    {
        m_nStyle = nStyle;
        m_bShowLabel = m_bShowLabel || bShowLabel;
    }
};

// Buttons in a known font and known system colours, with one 16 x 15 image on the face colour that
// holds a blue 8 x 8 square at (4, 4).
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
        m_measure.dc.SelectObject(&m_font);

        CClientDC screen(NULL);
        CBitmap image;
        ASSERT_TRUE(image.CreateCompatibleBitmap(&screen, 16, 15));
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&image);
        dc.FillSolidRect(0, 0, 16, 15, kFace);
        dc.FillSolidRect(4, 4, 8, 8, kBlue);
        dc.SelectObject(pOld);
        ASSERT_EQ(0, m_strip.AddImage(static_cast<HBITMAP>(image.m_hObject)));
    }

    void TearDown() override { CQENVisualManager::SetOnDemandClass(NULL); }

    void Draw(DibCanvas& canvas, CQENToolbarButton& button, const CRect& rect, BOOL bHorizontal = TRUE,
              BOOL bCustomize = FALSE, BOOL bHighlighted = FALSE, BOOL bGrey = TRUE)
    {
        canvas.dc.SelectObject(bHorizontal ? &m_font : &m_fontVertical);
        QENStripDrawState state;
        ASSERT_TRUE(m_strip.BeginStripDraw(state));
        button.DrawButton(&canvas.dc, rect, &m_strip, bHorizontal, bCustomize, bHighlighted, TRUE, bGrey);
        m_strip.EndStripDraw(state);
    }

    CSize Measure(CQENToolbarButton& button, BOOL bHorizontal = TRUE)
    {
        m_measure.dc.SelectObject(bHorizontal ? &m_font : &m_fontVertical);
        CSize size = button.MeasureButton(&m_measure.dc, CSize(23, 22), bHorizontal);
        m_measure.dc.SelectObject(&m_font);
        return size;
    }

    int TextWidth(LPCTSTR lpszText) { return m_measure.dc.GetTextExtent(lpszText, static_cast<int>(strlen(lpszText))).cx; }

    // How actual differs from the picture the design gives: the images at their places, the texts
    // drawn as they are, and where given the classic pressed frame.
    struct Text
    {
        CRect rect;
        LPCTSTR lpszText;
        UINT nFormat;
    };
    std::string Difference(const DibCanvas& actual, std::initializer_list<CPoint> images, std::initializer_list<Text> texts,
                           const CRect& rectPressed = CRect(0, 0, 0, 0))
    {
        DibCanvas canvas(actual.Width(), actual.Height(), kFace);
        if (!rectPressed.IsRectEmpty())
            canvas.dc.Draw3dRect(&rectPressed, kDark, kLit);
        QENStripDrawState state;
        m_strip.BeginStripDraw(state);
        for (const CPoint& pt : images)
            m_strip.Draw(&canvas.dc, pt.x, pt.y, 0);
        m_strip.EndStripDraw(state);
        canvas.dc.SelectObject(&m_font);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(kText);
        for (const Text& text : texts)
        {
            CRect rect = text.rect;
            canvas.dc.DrawText(text.lpszText, static_cast<int>(strlen(text.lpszText)), &rect, text.nFormat);
        }
        return actual.Mismatches([&](int x, int y) { return canvas.Pixel(x, y); });
    }

    SystemColoursScope m_colours;
    // Declared before the canvases that select them, so that they go last.
    CFont m_font, m_fontVertical;
    DibCanvas m_measure{1, 1};
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
    EXPECT_EQ(CSize(23 + TextWidth("Go") + 9, 22), Measure(image));
    EXPECT_EQ(CSize(23, 22 + TextWidth("Go") + 9), Measure(image, FALSE));
    // Without image only the text counts, a doubled ampersand as one character.
    LockedButton text(-1, "A&&B");
    EXPECT_TRUE(text.m_bShowLabel && !text.m_bShowImage);
    EXPECT_EQ(CSize(TextWidth("A&B") + 9, 22), Measure(text));
}

TEST_F(ToolbarButtonDrawTest, ImageButtonShowsEveryStateInTheClassicLook)
{
    const CRect rect(10, 10, 33, 32);   // 23 x 22: the 16 x 15 image box is centred at (13, 13)
    const CRect square(17, 17, 25, 25), moved = square + CPoint(1, 1);
    const struct
    {
        const char* name;
        UINT nStyle;
        BOOL bCustomize, bHighlighted, bGrey;
        CRect blue;
        COLORREF crTopLeft, crBottomRight;   // the frame's corners
    } cases[] = {
        {"normal", 0, FALSE, FALSE, TRUE, square, kFace, kFace},
        {"highlighted", 0, FALSE, TRUE, TRUE, square, kLit, kDark},
        {"pressed", TBBS_PRESSED, FALSE, FALSE, TRUE, moved, kDark, kLit},
        {"checked", TBBS_CHECKED, FALSE, TRUE, TRUE, moved, kDark, kLit},
        {"disabled, not greyed", TBBS_DISABLED, FALSE, FALSE, FALSE, square, kFace, kFace},
        {"disabled and highlighted, not greyed", TBBS_DISABLED, FALSE, TRUE, FALSE, square, kFace, kFace},
        {"indeterminate and highlighted", TBBS_INDETERMINATE, FALSE, TRUE, TRUE, square, kFace, kFace},
        {"customize mode, highlighted", 0, TRUE, TRUE, TRUE, square, kFace, kFace},
        {"customize mode, pressed", TBBS_PRESSED, TRUE, FALSE, TRUE, square, kFace, kFace},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        DibCanvas canvas(48, 48, kFace);
        LockedButton button(0, NULL, c.nStyle);
        Draw(canvas, button, rect, TRUE, c.bCustomize, c.bHighlighted, c.bGrey);
        EXPECT_EQ(c.blue, Ink(canvas, kBlue));
        EXPECT_EQ(c.crTopLeft, canvas.Pixel(rect.left, rect.top));
        EXPECT_EQ(c.crBottomRight, canvas.Pixel(rect.right - 1, rect.bottom - 1));
    }

    // Greyed: the image's shape in the shadow colour, embossed.
    DibCanvas canvas(48, 48, kFace);
    LockedButton disabled(0, NULL, TBBS_DISABLED);
    Draw(canvas, disabled, rect);
    EXPECT_TRUE(Ink(canvas, kBlue).IsRectEmpty());
    EXPECT_EQ(square, Ink(canvas, kDark));
    EXPECT_EQ(kLit, canvas.Pixel(square.right, square.bottom));

    // With shadows (and the image's background left out): the raised image one pixel up and left,
    // and the image in its place on top of it; a pressed image does not move.
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    m_strip.SetTransparentColour(kFace);
    DibCanvas hot(48, 48, kFace), pressed(48, 48, kFace);
    LockedButton button(0), down(0, NULL, TBBS_PRESSED);
    Draw(hot, button, rect, TRUE, FALSE, TRUE);
    Draw(pressed, down, rect);
    EXPECT_EQ(CRect(16, 16, 25, 25), Ink(hot, kBlue));
    EXPECT_EQ(square, Ink(pressed, kBlue));
}

TEST_F(ToolbarButtonDrawTest, TextsBesideAndBelowTheImageGoWhereTheLayoutPutsThem)
{
    TEXTMETRIC tm;
    m_measure.dc.GetTextMetrics(&tm);
    const int yText = (22 - tm.tmHeight - 1) / 2;

    // Text only, 3 from the left; "&&" draws one ampersand and no mnemonic; pressed moves it.
    LockedButton text(-1, "A&&B");
    const int cx = Measure(text).cx;
    const CRect rect(10, 10, 10 + cx, 32);
    DibCanvas normal(cx + 20, 40, kFace), pressed(cx + 20, 40, kFace);
    Draw(normal, text, rect);
    text.m_nStyle = TBBS_PRESSED;
    Draw(pressed, text, rect);
    const UINT nPlain = DT_SINGLELINE | DT_NOPREFIX;
    EXPECT_EQ("", Difference(normal, {}, {{CRect(13, 10 + yText, rect.right, 32), "A&B", nPlain}}));
    EXPECT_EQ("", Difference(pressed, {}, {{CRect(14, 11 + yText, rect.right, 32), "A&B", nPlain}}, rect));

    // Beside the image: the image centred in what the text leaves, the text after the image.
    LockedButton both(0, "Go", 0, TRUE);
    const int cxBoth = Measure(both).cx, cxBox = cxBoth - (TextWidth("Go") + 6);
    DibCanvas beside(cxBoth + 20, 40, kFace);
    Draw(beside, both, CRect(10, 10, 10 + cxBoth, 32));
    EXPECT_EQ("", Difference(beside, {CPoint(10 + (cxBox - 16) / 2, 13)},
                             {{CRect(10 + 3 + 16 + 3, 10 + yText, 10 + cxBoth, 32), "Go", DT_SINGLELINE}}));

    // Below the image: measured in three button widths, wrapped, centred under the image.
    LockedButton below(0, "Save As");
    below.m_bLabelBelow = TRUE;
    CRect rectLabel(0, 0, 3 * 23, 22);
    m_measure.dc.DrawText("Save As", 7, &rectLabel, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    const CSize size = Measure(below);
    EXPECT_EQ(CSize(std::max<int>(23, rectLabel.Width() + 6) + 12, 22 + rectLabel.Height() + 2 * ::GetSystemMetrics(SM_CYBORDER)),
              size);
    const CRect rectBelow(10, 10, 10 + size.cx, 10 + size.cy);
    DibCanvas under(size.cx + 20, size.cy + 20, kFace);
    Draw(under, below, rectBelow);
    const int xLabel = rectBelow.CenterPoint().x - (rectLabel.Width() + 6) / 2;
    EXPECT_EQ("", Difference(under, {CPoint(10 + (size.cx - 16) / 2, 13)},
                             {{CRect(xLabel, 10 + 3 + 15 + 3, xLabel + rectLabel.Width() + 6, rectBelow.bottom), "Save As",
                               DT_CENTER | DT_WORDBREAK}}));
}

TEST_F(ToolbarButtonDrawTest, VerticalTextRunsDownBelowTheImageWithItsMnemonicBesideIt)
{
    LockedButton plain(0, "Go", 0, TRUE), mnemonic(0, "&Go", 0, TRUE);
    const CSize size = Measure(mnemonic, FALSE);
    const CRect rect(10, 10, 10 + size.cx, 10 + size.cy);
    DibCanvas withLine(60, size.cy + 30, kFace), withoutLine(60, size.cy + 30, kFace);
    Draw(withLine, mnemonic, rect, FALSE);
    Draw(withoutLine, plain, rect, FALSE);

    const int cyBox = size.cy - (TextWidth("Go") + 6);
    EXPECT_EQ(CRect(4, 4, 12, 12) + CPoint(10 + 3, 10 + (cyBox - 15) / 2), Ink(withoutLine, kBlue));
    const CRect text = Ink(withoutLine, kText);
    EXPECT_GE(text.top, 10 + 3 + 15 + 3);
    EXPECT_GT(text.Height(), text.Width());
    EXPECT_EQ(text, text & rect);

    // The mnemonic: a line in one column beside the text, as long as its character.
    CRect line(0, 0, 0, 0);
    for (int y = 0; y < withLine.Height(); y++)
        for (int x = 0; x < withLine.Width(); x++)
            if (withLine.Pixel(x, y) != withoutLine.Pixel(x, y))
                line = line.IsRectEmpty() ? CRect(x, y, x + 1, y + 1) : (line | CRect(x, y, x + 1, y + 1));
    EXPECT_EQ(1, line.Width());
    EXPECT_NEAR(TextWidth("G"), line.Height(), 1);
    EXPECT_TRUE(line.left < text.left || line.left >= text.right);
    EXPECT_LE(std::abs(line.top - text.top), 2);
}

TEST_F(ToolbarButtonDrawTest, CommandListItemAndAUserImageWithoutUserStrip)
{
    m_strip.CopyTo(CQENToolBar::s_stdImages);
    ASSERT_EQ(CSize(16, 15), CQENToolBar::s_menuImageSize);
    const int nColumn = 16 + 6;
    LockedButton button(0, "Open", 0, TRUE);

    // The image centred in the column, the text after it; the text flag is back afterwards.
    DibCanvas canvas(200, 22, RGB(255, 255, 255)), selected(200, 22, RGB(255, 255, 255));
    canvas.dc.SelectObject(&m_font);
    selected.dc.SelectObject(&m_font);
    EXPECT_EQ(nColumn + TextWidth("Open"), button.DrawInCommandList(&canvas.dc, CRect(0, 0, 200, 22), FALSE));
    button.DrawInCommandList(&selected.dc, CRect(0, 0, 200, 22), TRUE);
    EXPECT_TRUE(button.m_bShowLabel);
    EXPECT_EQ(CRect(7, 7, 15, 15), Ink(canvas, kBlue));
    const CRect text = Ink(canvas, kText);
    EXPECT_GE(text.left, nColumn);
    EXPECT_EQ(0, canvas.Count(RGB(255, 255, 255)));
    // Selected: the selection colours, no frame in the column.
    EXPECT_EQ(CRect(7, 7, 15, 15), Ink(selected, kBlue));
    EXPECT_EQ(text, Ink(selected, SystemColoursScope::kSelectionText));
    EXPECT_EQ(SystemColoursScope::kSelection, selected.Pixel(0, 0));
    EXPECT_EQ(SystemColoursScope::kSelection, selected.Pixel(nColumn - 1, 21));
    // Cut at the item's edge; no text, no text width.
    EXPECT_EQ(40, button.DrawInCommandList(&canvas.dc, CRect(0, 0, 40, 22), FALSE));
    LockedButton empty(0);
    EXPECT_EQ(nColumn, empty.DrawInCommandList(&canvas.dc, CRect(0, 0, 200, 22), FALSE));
    CQENToolBar::s_stdImages.Clear();

    // No user strip: no image, and the text still drawn, both in a bar and in the list.
    CQENToolbarButton user(0x3F02, 2, "Go", TRUE, TRUE);
    user.m_bShowLabel = TRUE;
    DibCanvas bar(80, 40, kFace), list(200, 22, kFace);
    bar.dc.SelectObject(&m_font);
    list.dc.SelectObject(&m_font);
    user.DrawButton(&bar.dc, CRect(10, 10, 70, 32), NULL, TRUE, FALSE, FALSE, TRUE, TRUE);
    EXPECT_GE(Ink(bar, kText).left, 10 + 3 + 3);
    user.DrawInCommandList(&list.dc, CRect(0, 0, 200, 22), FALSE);
    EXPECT_GE(Ink(list, kText).left, nColumn);
}

// ---------------------------------------------------------------------------------------------------
// The model: commands, images, the stored record and the clipboard

TEST(ToolbarButtonModelTest, CommandsTheFrameworkManagesAreNeverCustomizable)
{
    for (UINT nId : {0xE110u, 0xE11Fu, 0xE210u, 0xE21Fu, 0xF000u, 0xF1EFu, 0xFF00u, 0xFFFFFFFFu})
        EXPECT_FALSE(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE).IsCustomizable()) << std::hex << nId;
    for (UINT nId : {0xE10Fu, 0xE120u, 0xE20Fu, 0xE220u, 0xEFFFu, 0xF1F0u, 0xFEFFu})
        EXPECT_TRUE(CQENToolbarButton(nId, 0, NULL, FALSE, TRUE).IsCustomizable()) << std::hex << nId;
    CQENToolbarButton::s_lstNonCustomizable.AddTail(0x3F03);
    EXPECT_FALSE(CQENToolbarButton(0x3F03, 0, NULL, FALSE, TRUE).IsCustomizable());
    CQENToolbarButton::s_lstNonCustomizable.RemoveAll();
}

TEST(ToolbarButtonModelTest, ImagesAreKeptInStepWithTheCommandManager)
{
    CQENCommandManager& manager = CQENCommandManager::Instance();
    CQENToolbarButton first(0x3F10, 4, "First"), second(0x3F10, -1), nothing(0x3F11, -1, "Text");
    EXPECT_EQ(4, manager.ImageOfCommand(0x3F10));
    EXPECT_EQ(4, second.GetImage());
    EXPECT_TRUE(second.m_bShowImage);
    // Nothing anywhere: the button shows its text.
    EXPECT_EQ(-1, nothing.GetImage());
    EXPECT_TRUE(!nothing.m_bShowImage && nothing.m_bShowLabel);

    // While stored state loads, standard images are not recorded; user images always are.
    CQENToolbarButton::s_bRegisterImages = FALSE;
    CQENToolbarButton loading(0x3F12, -1), user(0x3F13, -1, NULL, TRUE);
    loading.m_bUserImage = FALSE;
    loading.SetImageIndex(6);
    user.SetImageIndex(2);
    CQENToolbarButton::s_bRegisterImages = TRUE;
    EXPECT_EQ(-1, manager.ImageOfCommand(0x3F12));
    EXPECT_EQ(2, manager.ImageOfCommand(0x3F13, TRUE));

    // Restoring: the command's standard image, or its menu text when it has none.
    second.m_iStdImage = 9;
    second.RestoreDefaultImage();
    EXPECT_EQ(4, second.GetImage());
    CQENToolbarButton withText(0x3F20, 3, NULL, FALSE, TRUE);
    withText.m_bLocked = FALSE;
    withText.RestoreDefaultImage();
    EXPECT_TRUE(!withText.m_bShowImage && withText.m_bShowLabel);
    EXPECT_STREQ("打开(&O)", withText.m_strLabel);

    // A copy carries what is dragged, not where the button was.
    withText.m_rect = CRect(1, 2, 3, 4);
    withText.m_bHidden = withText.m_bRowBreak = TRUE;
    withText.m_strAltLabel = "alt";
    CQENToolbarButton copy;
    copy.m_bFromCommandList = TRUE;
    copy.AssignFrom(withText);
    EXPECT_EQ(0x3F20u, copy.m_nCommandId);
    EXPECT_STREQ("打开(&O)alt", copy.m_strLabel + copy.m_strAltLabel);
    EXPECT_TRUE(copy.m_bRowBreak && copy.m_bShowLabel && !copy.m_bShowImage);
    EXPECT_FALSE(copy.m_bFromCommandList || copy.m_bHidden || !copy.m_rect.IsRectNull());
}

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

TEST(ToolbarButtonModelTest, StoredRecordIsEightFieldsByteForByte)
{
    CQENToolbarButton button(0x3F14, 7, "打开", FALSE, TRUE);
    button.m_nStyle = TBBS_CHECKED | TBBS_DISABLED;
    button.m_bFromCommandList = button.m_bShowLabel = TRUE;
    button.m_bShowImage = FALSE;
    button.m_rect = CRect(5, 6, 7, 8);
    EXPECT_EQ(Dword(0x3F14) + Dword(0x50000) + Dword(7) + "\x04" "打开" + Dword(0) + Dword(1) + Dword(1) + Dword(0),
              StoredBytes(button));

    // An image of -1 read back: no image, so the text shows, whatever was stored.
    CQENToolbarButton read;
    ASSERT_TRUE(LoadFromBytes(read, Dword(0x3F15) + Dword(TBBS_PRESSED) + Dword(0xFFFFFFFF) + "\x02" "Hi" + Dword(1) +
                                        Dword(0) + Dword(0) + Dword(1)));
    EXPECT_EQ(0x3F15u, read.m_nCommandId);
    EXPECT_EQ(UINT(TBBS_PRESSED), read.m_nStyle);
    EXPECT_STREQ("Hi", read.m_strLabel);
    EXPECT_EQ(-1, read.GetImage());
    EXPECT_TRUE(read.m_bUserImage && !read.m_bShowImage && read.m_bShowLabel);
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
        if (ar.IsStoring())
            ar << DWORD(1) << DWORD(2) << DWORD(3);
    }
    static int s_nMade;
};
IMPLEMENT_SERIAL(CTestForeignObject, CObject, 1)
int CTestForeignObject::s_nMade = 0;

namespace {

// The button rebuilt from a data source.
CQENToolbarButton* Rebuilt(COleDataSource& source)
{
    COleDataObject data;
    data.Attach(static_cast<LPDATAOBJECT>(source.GetInterface(&IID_IDataObject)), FALSE);
    return CQENToolbarButton::CreateFromDataObject(&data);
}

CQENToolbarButton* Rebuilt(const std::string& bytes)
{
    COleDataSource source;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    memcpy(::GlobalLock(hGlobal), bytes.data(), bytes.size());
    ::GlobalUnlock(hGlobal);
    source.CacheGlobalData(CQENToolbarButton::ClipboardFormat(), hGlobal);
    return Rebuilt(source);
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
    button.m_nExtra = 42;
    button.m_rect = CRect(1, 1, 9, 9);
    COleDataSource source;
    ASSERT_TRUE(button.CopyToDataSource(&source));
    std::unique_ptr<CQENToolbarButton> pCopy(Rebuilt(source));
    ASSERT_NE(nullptr, pCopy);
    ASSERT_EQ(RUNTIME_CLASS(CTestDropButton), pCopy->GetRuntimeClass());
    EXPECT_EQ(42, static_cast<CTestDropButton*>(pCopy.get())->m_nExtra);
    EXPECT_EQ(0x3F17u, pCopy->m_nCommandId);
    EXPECT_STREQ("剪切", pCopy->m_strLabel);
    EXPECT_TRUE(pCopy->m_rect.IsRectNull());

    // A button a bar adds by itself offers nothing, and that is no failure.
    button.m_bPersistent = FALSE;
    COleDataSource empty;
    EXPECT_TRUE(button.CopyToDataSource(&empty));
    EXPECT_EQ(nullptr, Rebuilt(empty));

    // A foreign class is refused before one is made; damaged records give nothing.
    CTestForeignObject foreign;
    const int nMade = CTestForeignObject::s_nMade;
    EXPECT_EQ(nullptr, Rebuilt(StoredBytes(foreign, TRUE)));
    EXPECT_EQ(nMade, CTestForeignObject::s_nMade);
    CQENToolbarButton plain(0x3F18, 0, NULL, FALSE, TRUE);
    const std::string whole = StoredBytes(plain, TRUE);
    const std::string numbers = whole.substr(0, whole.size() - 17);   // the class record and three numbers
    std::unique_ptr<CQENToolbarButton> pPlain(Rebuilt(whole));
    EXPECT_NE(nullptr, pPlain);
    EXPECT_EQ(nullptr, Rebuilt(numbers + "\xFF\xFF\xFF" + Dword(0xFFFFFFFF) + std::string(64, '\0')));
    EXPECT_EQ(nullptr, Rebuilt(numbers + "\xFF\xFF\xFF" + Dword(0x7FFFFFF0) + std::string(64, 'x')));
    EXPECT_EQ(nullptr, Rebuilt(whole.substr(0, whole.size() - 3)));
}

}   // namespace
