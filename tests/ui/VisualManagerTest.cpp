#include "QENCleanUp.h"
#include "QENMenuImages.h"
#include "QENToolbarMenuButton.h"
#include "QENVisualManagerXP.h"
#include "GuiTestSupport.h"
#include "LookCanvas.h"
#include "SystemColoursScope.h"

#include <gtest/gtest.h>

// A manager that can be named but not made on demand.
class CNotCreatableManager : public CQENVisualManager
{
    DECLARE_DYNAMIC(CNotCreatableManager)
};
IMPLEMENT_DYNAMIC(CNotCreatableManager, CQENVisualManager)

// A manager whose construction fails, as one that cannot load what it draws with.
class CFailingManager : public CQENVisualManager
{
    DECLARE_DYNCREATE(CFailingManager)
public:
    CFailingManager() { AfxThrowResourceException(); }
};
IMPLEMENT_DYNCREATE(CFailingManager, CQENVisualManager)

namespace {

// A window that counts its client and frame paints.
class CPaintCountingWnd : public CWnd
{
public:
    int m_nPaints = 0;
    int m_nFramePaints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nPaints += message == WM_PAINT;
        m_nFramePaints += message == WM_NCPAINT;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Each test starts and ends with no current manager and no on-demand class.
class VisualManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { CQENVisualManager::SetOnDemandClass(NULL); }
    void TearDown() override { CQENVisualManager::SetOnDemandClass(NULL); }
};

TEST_F(VisualManagerTest, OnlyTheFirstOfTwoManagersBecomesCurrentAndDeletingTheOtherKeepsIt)
{
    CQENVisualManager* pFirst = new CQENVisualManager;
    CQENVisualManager* pSecond = new CQENVisualManagerXP;
    EXPECT_EQ(pFirst, CQENVisualManager::CurrentManager());
    delete pSecond;
    EXPECT_EQ(pFirst, CQENVisualManager::CurrentManager());
    EXPECT_FALSE(pFirst->m_bLibraryOwned);
    delete pFirst;

    CQENVisualManager* pMade = CQENVisualManager::CurrentManager();
    ASSERT_NE(nullptr, pMade);
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManager), pMade->GetRuntimeClass());
    EXPECT_TRUE(pMade->m_bLibraryOwned);
}

TEST_F(VisualManagerTest, OnDemandClassReplacesTheCurrentManagerAndWrongClassesAreIgnored)
{
    CQENVisualManager::CurrentManager();
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CQENVisualManagerXP));
    CQENVisualManager* pXP = CQENVisualManager::CurrentManager();
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManagerXP), pXP->GetRuntimeClass());
    EXPECT_TRUE(pXP->m_bLibraryOwned);

    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CDC));
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CNotCreatableManager));
    EXPECT_EQ(pXP, CQENVisualManager::CurrentManager());
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManagerXP), CQENVisualManager::CurrentManager()->GetRuntimeClass());
    CQENVisualManager::SetOnDemandClass(NULL);
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManager), CQENVisualManager::CurrentManager()->GetRuntimeClass());
}

TEST_F(VisualManagerTest, AnOnDemandClassThatCannotBeMadeGivesTheClassicManager)
{
    CQENVisualManager::SetOnDemandClass(RUNTIME_CLASS(CFailingManager));
    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    ASSERT_NE(nullptr, pManager);
    EXPECT_EQ(RUNTIME_CLASS(CQENVisualManager), pManager->GetRuntimeClass());
    EXPECT_TRUE(pManager->m_bLibraryOwned);
    EXPECT_EQ(pManager, CQENVisualManager::CurrentManager());
}

TEST_F(VisualManagerTest, CleanUpDeletesOnlyAManagerTheLibraryMade)
{
    CQENVisualManager* pOwn = new CQENVisualManagerXP;
    QENCleanUp();
    EXPECT_EQ(pOwn, CQENVisualManager::CurrentManager());
    delete pOwn;

    CQENVisualManager::CurrentManager();
    QENCleanUp();
    CQENVisualManager* pOwnAfter = new CQENVisualManager;
    EXPECT_EQ(pOwnAfter, CQENVisualManager::CurrentManager()) << "the library's manager was not deleted";
    delete pOwnAfter;
    theDrawingCache.RefreshColours();
    theDrawingCache.RefreshFonts();
}

TEST_F(VisualManagerTest, RepaintingAndChangingTheLookRedrawTheMainWindowAndItsBarsAtOnce)
{
    CPaintCountingWnd frame, bar;
    LPCTSTR lpszClass = AfxRegisterWndClass(0);
    ASSERT_TRUE(frame.CreateEx(0, lpszClass, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
    ASSERT_TRUE(bar.CreateEx(0, lpszClass, "bar", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 40), &frame, 1));
    frame.UpdateWindow();
    PumpPendingMessages();
    CWnd* pMainBefore = TestApp().m_pMainWnd;
    TestApp().m_pMainWnd = &frame;
    bar.m_nPaints = frame.m_nFramePaints = 0;

    CQENVisualManager::RepaintAllBars();
    EXPECT_EQ(1, bar.m_nPaints);

    CQENVisualManager* pManager = CQENVisualManager::CurrentManager();
    pManager->SetFlatLook(TRUE);
    EXPECT_TRUE(pManager->m_bFlatLook);
    EXPECT_EQ(3, bar.m_nPaints) << "the look change and the repaint of all bars each redraw";
    EXPECT_LE(1, frame.m_nFramePaints);
    TestApp().m_pMainWnd = pMainBefore;
}

// ---------------------------------------------------------------------------------------------------
// The classic and flat looks, in known system colours

class ClassicLookTest : public ::testing::Test
{
protected:
    SystemColoursScope m_colours;
    CQENVisualManager m_manager;
    static constexpr COLORREF F = SystemColoursScope::kFace, S = SystemColoursScope::kShadow,
                              H = SystemColoursScope::kHighlight, D = SystemColoursScope::kDarkShadow,
                              L = SystemColoursScope::kLight;
};

TEST_F(ClassicLookTest, BarBackgroundFillsTheClipElseTheClientAndEdgesFollowTheBorderBits)
{
    LookCanvas canvas(40, 20);
    m_manager.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 20), CRect(0, 0, 10, 20));
    EXPECT_EQ(200, canvas.Count(F));
    m_manager.PaintBarBackground(&canvas.dc, NULL, CRect(0, 0, 40, 20), CRect());
    EXPECT_EQ(800, canvas.Count(F));

    CStatusBar bar;
    bar.SetBarStyle(CBRS_BORDER_LEFT | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D);
    CRect rect(0, 0, 40, 20);
    m_manager.PaintBarEdges(&canvas.dc, &bar, rect);
    EXPECT_EQ(CRect(1, 1, 40, 19), rect);
    EXPECT_EQ(H, canvas.Pixel(0, 10));
    EXPECT_EQ(H, canvas.Pixel(20, 0));
    EXPECT_EQ(S, canvas.Pixel(20, 19));
    EXPECT_EQ(F, canvas.Pixel(39, 10));

    bar.SetBarStyle(CBRS_BORDER_LEFT | CBRS_BORDER_RIGHT);
    rect.SetRect(0, 0, 40, 20);
    m_manager.PaintBarEdges(&canvas.dc, &bar, rect);
    EXPECT_EQ(CRect(1, 0, 39, 20), rect);
    EXPECT_EQ(S, canvas.Pixel(0, 10));
    EXPECT_EQ(S, canvas.Pixel(39, 10));
}

TEST_F(ClassicLookTest, GripperHasTwoLinesClassicAndOneFlatSeparatorIsEtchedThroughTheMiddle)
{
    LookCanvas canvas(10, 30, F);
    m_manager.PaintGripper(&canvas.dc, CRect(0, 0, 10, 30), TRUE, NULL);
    // Lines of 3 pixels, 4 apart, centred: columns 1-3 and 5-7.
    const COLORREF classic[10] = {F, H, F, S, F, H, F, S, F, F};
    for (int x = 0; x < 10; x++)
        EXPECT_EQ(classic[x], canvas.Pixel(x, 15)) << "column " << x;

    LookCanvas flat(30, 10, F);
    m_manager.SetFlatLook(TRUE);
    m_manager.PaintGripper(&flat.dc, CRect(0, 0, 30, 10), FALSE, NULL);
    const COLORREF flatRows[10] = {F, F, F, H, F, S, F, F, F, F};
    for (int y = 0; y < 10; y++)
        EXPECT_EQ(flatRows[y], flat.Pixel(15, y)) << "row " << y;

    LookCanvas separator(8, 20, F);
    m_manager.PaintSeparator(&separator.dc, NULL, CRect(0, 0, 8, 20), TRUE);
    EXPECT_EQ(20, separator.Count(S, CRect(3, 0, 4, 20)));
    EXPECT_EQ(20, separator.Count(H, CRect(4, 0, 5, 20)));
    EXPECT_EQ(20, separator.Count(H));
    m_manager.PaintSeparator(&separator.dc, NULL, CRect(0, 0, 8, 20), FALSE);
    EXPECT_EQ(8, separator.Count(S, CRect(0, 9, 8, 10)));
}

TEST_F(ClassicLookTest, ButtonsMenusAndPopupFramesByState)
{
    LookCanvas canvas(30, 30, F);
    const CRect rect(2, 2, 25, 24);
    m_manager.PaintButtonInterior(&canvas.dc, NULL, rect, CQENVisualManager::ButtonHighlighted);
    EXPECT_EQ(900, canvas.Count(F));
    m_manager.PaintButtonFrame(&canvas.dc, NULL, rect, CQENVisualManager::ButtonHighlighted);
    EXPECT_EQ(H, canvas.Pixel(2, 10));
    EXPECT_EQ(S, canvas.Pixel(24, 10));
    m_manager.PaintButtonFrame(&canvas.dc, NULL, rect, CQENVisualManager::ButtonPressed);
    EXPECT_EQ(S, canvas.Pixel(2, 10));
    EXPECT_EQ(H, canvas.Pixel(24, 10));
    EXPECT_EQ(m_manager.ButtonTextColour(NULL, CQENVisualManager::ButtonNormal), SystemColoursScope::kText);
    // A highlighted menu item is written in the selection's text colour; a menu bar's item is not.
    CQENToolbarMenuButton menuItem(1, NULL, -1, "Item"), menuBarItem(2, NULL, -1, "Bar");
    menuItem.m_bMenuItemMode = TRUE;
    EXPECT_EQ(SystemColoursScope::kSelectionText, m_manager.ButtonTextColour(&menuItem, CQENVisualManager::ButtonHighlighted));
    EXPECT_EQ(SystemColoursScope::kText, m_manager.ButtonTextColour(&menuItem, CQENVisualManager::ButtonNormal));
    EXPECT_EQ(SystemColoursScope::kText, m_manager.ButtonTextColour(&menuBarItem, CQENVisualManager::ButtonHighlighted));

    COLORREF crText = RGB(1, 2, 3);
    m_manager.PaintMenuItemHighlight(&canvas.dc, NULL, rect, crText);
    EXPECT_EQ(23 * 22, canvas.Count(SystemColoursScope::kSelection));
    EXPECT_EQ(SystemColoursScope::kSelectionText, m_manager.PaintCommandListItem(&canvas.dc, rect, TRUE));
    EXPECT_EQ(SystemColoursScope::kText, m_manager.PaintCommandListItem(&canvas.dc, rect, FALSE));

    m_manager.PaintPopupFrame(&canvas.dc, NULL, CRect(0, 0, 30, 30));
    EXPECT_EQ(L, canvas.Pixel(10, 0));
    EXPECT_EQ(D, canvas.Pixel(29, 10));
    EXPECT_EQ(H, canvas.Pixel(1, 10));
    EXPECT_EQ(S, canvas.Pixel(10, 28));

    // Lightened inside a sunken frame.
    m_manager.PaintRarelyUsedBand(&canvas.dc, CRect(2, 2, 28, 28));
    const COLORREF crBand = canvas.Pixel(10, 10);
    EXPECT_TRUE(GetRValue(crBand) > GetRValue(F) && GetGValue(crBand) > GetGValue(F) && GetBValue(crBand) > GetBValue(F))
        << std::hex << crBand;
    EXPECT_EQ(24 * 24, canvas.Count(crBand, CRect(3, 3, 27, 27)));
    EXPECT_EQ(S, canvas.Pixel(10, 2));
    EXPECT_EQ(H, canvas.Pixel(27, 10));
}

TEST_F(ClassicLookTest, CaptionButtonShowsTheGlyphOfItsHitCodeAndFlags)
{
    struct Case
    {
        UINT nHit;
        BOOL bA, bB, bC;
        int nGlyph;
    };
    // Hide shows image 20; else A ? (B ? 2 : C ? 3 : 19) : (B ? 0 : C ? 17 : 16).
    const Case cases[] = {{19, TRUE, TRUE, TRUE, 20}, {9, TRUE, TRUE, FALSE, 2},   {9, TRUE, FALSE, TRUE, 3},
                          {9, TRUE, FALSE, FALSE, 19}, {9, FALSE, TRUE, TRUE, 0},  {9, FALSE, FALSE, TRUE, 17},
                          {9, FALSE, FALSE, FALSE, 16}};
    for (const Case& c : cases)
    {
        LookCanvas drawn(30, 30, F), expected(30, 30, F);
        QENCaptionButtonLook look = {CPoint(3, 4), c.nHit, FALSE, FALSE, FALSE};
        m_manager.DrawCaptionButton(&drawn.dc, look, c.bA, c.bB, c.bC);
        CQENMenuImages::Draw(&expected.dc, c.nGlyph, CPoint(5, 6), SystemColoursScope::kText);
        EXPECT_EQ("", drawn.Mismatches([&](int x, int y) {
            bool bFrame = x >= 3 && x < 24 && y >= 4 && y < 24 && (x < 5 || x > 21 || y < 6 || y > 21);
            return bFrame ? drawn.Pixel(x, y) : expected.Pixel(x, y);
        })) << "hit " << c.nHit << " flags " << c.bA << c.bB << c.bC;
    }
}

TEST_F(ClassicLookTest, CaptionButtonFrameByStateAndLook)
{
    const QENCaptionButtonLook normal = {CPoint(0, 0), 9, FALSE, FALSE, FALSE};
    QENCaptionButtonLook pushed = normal, hot = normal, hidden = normal;
    pushed.bPressed = pushed.bHot = TRUE;
    hot.bHot = TRUE;
    hidden.bHidden = TRUE;

    LookCanvas canvas(21, 20, F);
    m_manager.DrawCaptionButton(&canvas.dc, normal, FALSE, FALSE, FALSE);
    EXPECT_EQ(L, canvas.Pixel(10, 0));
    EXPECT_EQ(D, canvas.Pixel(20, 10));
    EXPECT_EQ(H, canvas.Pixel(1, 10));
    EXPECT_EQ(S, canvas.Pixel(19, 10));

    LookCanvas down(21, 20, F);
    m_manager.DrawCaptionButton(&down.dc, pushed, FALSE, FALSE, FALSE);
    EXPECT_EQ(D, down.Pixel(10, 0));
    EXPECT_EQ(L, down.Pixel(20, 10));
    EXPECT_EQ(D, down.Pixel(1, 10));
    EXPECT_EQ(H, down.Pixel(19, 10));
    // The up arrow's point, 2 + 3 + 4 across and 2 + 3 + 2 down, moves one pixel down and right.
    EXPECT_EQ(SystemColoursScope::kText, canvas.Pixel(9, 7));
    EXPECT_EQ(SystemColoursScope::kText, down.Pixel(10, 8));
    EXPECT_EQ(F, down.Pixel(9, 7));

    m_manager.m_bFlatLook = TRUE;
    LookCanvas flat(21, 20, F), flatHot(21, 20, F), flatGrey(21, 20, F), none(21, 20, F);
    m_manager.DrawCaptionButton(&flat.dc, normal, FALSE, FALSE, FALSE);
    m_manager.DrawCaptionButton(&flatHot.dc, hot, FALSE, FALSE, FALSE);
    m_manager.DrawCaptionButton(&flatGrey.dc, hot, FALSE, FALSE, TRUE);
    m_manager.DrawCaptionButton(&none.dc, hidden, FALSE, FALSE, FALSE);
    EXPECT_EQ(F, flat.Pixel(10, 0));
    EXPECT_EQ(H, flatHot.Pixel(10, 0));
    EXPECT_EQ(S, flatHot.Pixel(20, 10));
    EXPECT_EQ(F, flatGrey.Pixel(10, 0));
    EXPECT_EQ(420, none.Count(F));
}

TEST_F(ClassicLookTest, TabsAndTabStrip)
{
    LookCanvas canvas(60, 20, RGB(255, 0, 0));
    m_manager.PaintTabStripBackground(&canvas.dc, CRect(0, 0, 60, 20), NULL);
    EXPECT_EQ(1200, canvas.Count(F));
    m_manager.PaintTab(&canvas.dc, CRect(0, 0, 30, 20), 0, FALSE, NULL);
    m_manager.PaintTab(&canvas.dc, CRect(30, 0, 60, 20), 1, TRUE, NULL);
    // The inactive tab lies under the page's edge; the active one opens into the page.
    EXPECT_EQ(S, canvas.Pixel(15, 0));
    EXPECT_EQ(F, canvas.Pixel(45, 0));
    EXPECT_EQ(S, canvas.Pixel(45, 19));
    EXPECT_EQ(H, canvas.Pixel(30, 0));
    EXPECT_EQ(F, canvas.Pixel(45, 10));
}

} // namespace
