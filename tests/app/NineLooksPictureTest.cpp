#include "NineLooks.h"
#include "DibCanvas.h"
#include "MacStyleSkin.h"
#include "QENDrawingCache.h"
#include "resource.h"
#include "../ui/SystemColoursScope.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

typedef CQENVisualManager VM;

bool SamePixels(const DibCanvas& a, const DibCanvas& b)
{
    return a.Mismatches([&b](int x, int y) { return b.Pixel(x, y); }).empty();
}

// The images of the program's toolbar strip, without their classic grey background.
void DrawToolbarImage(CDC* pDC, CDC& dcStrip, int iImage, CPoint pt)
{
    for (int y = 0; y < 15; y++)
        for (int x = 0; x < 16; x++)
        {
            COLORREF cr = dcStrip.GetPixel(iImage * 16 + x, y);
            if (cr != RGB(192, 192, 192))
                pDC->SetPixelV(pt.x + x, pt.y + y, cr);
        }
}

void DrawText(CDC* pDC, CPoint pt, LPCTSTR lpszText, COLORREF crText)
{
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(crText);
    CFont* pOldFont = pDC->SelectObject(&theDrawingCache.m_fontMenu);
    pDC->TextOut(pt.x, pt.y, lpszText, lstrlen(lpszText));
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
}

// A docked toolbar (gripper, buttons in each state, a separator), a popup menu with a highlighted
// item and a rarely used one, caption buttons on a sizing bar's title strip, a tab strip, a combo
// box and a push button: what a user of the look sees, with its top left at pt.
void DrawScene(const Look& look, VM* p, CDC* pDC, CPoint pt)
{
    CDC dcStrip;
    CBitmap bmpStrip;
    dcStrip.CreateCompatibleDC(pDC);
    bmpStrip.LoadBitmap(IDR_MAINFRAME);
    CBitmap* pOldStrip = dcStrip.SelectObject(&bmpStrip);

    CStatusBar bar;
    bar.SetBarStyle(CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_ALIGN_TOP);
    CRect rectBar(pt + CSize(100, 10), CSize(220, 30));
    p->PaintBarBackground(pDC, NULL, rectBar, CRect());
    p->PaintBarEdges(pDC, &bar, rectBar);
    p->PaintGripper(pDC, CRect(rectBar.left, rectBar.top, rectBar.left + 12, rectBar.bottom), TRUE, NULL);
    const VM::ButtonState states[] = {VM::ButtonNormal, VM::ButtonHighlighted, VM::ButtonPressed, VM::ButtonNormal,
                                      VM::ButtonNormal, VM::ButtonNormal};
    CSize sizeMargin = p->ExtraButtonMargin();
    int x = rectBar.left + 13;
    for (int i = 0; i < 6; i++)
    {
        if (i == 3)
        {
            p->PaintSeparator(pDC, NULL, CRect(x, rectBar.top + 1, x + 8, rectBar.bottom - 1), TRUE);
            x += 8;
        }
        CRect rectButton(x, rectBar.top + 1, x + 23 + sizeMargin.cx / 2, rectBar.bottom - 1);
        p->PaintButtonInterior(pDC, NULL, rectButton, states[i]);
        p->PaintButtonFrame(pDC, NULL, rectButton, states[i]);
        CPoint ptImage = rectButton.CenterPoint() - CSize(8, 7);
        DrawToolbarImage(pDC, dcStrip, i, states[i] == VM::ButtonPressed ? ptImage + CSize(1, 1) : ptImage);
        x = rectButton.right;
    }

    CRect rectMenu(pt + CSize(330, 4), CSize(150, 84));
    p->PaintPopupFrame(pDC, NULL, rectMenu);
    CRect rectItems = rectMenu;
    rectItems.DeflateRect(3, 3);
    // The popup menu bar inside the frame fills itself as its bar kind does in each look.
    if (CQENVisualManagerXP* pXP = dynamic_cast<CQENVisualManagerXP*>(p))
    {
        pDC->FillRect(&rectItems, &pXP->m_brMenuFace);
        pDC->FillRect(CRect(rectItems.left, rectItems.top, rectItems.left + 22, rectItems.bottom), &pXP->m_brImageStrip);
    }
    else if (dynamic_cast<CMacStyleSkin*>(p) == NULL)
    {
        p->PaintBarBackground(pDC, NULL, rectItems, CRect());
    }
    const char* items[] = {"新建(N)", "打开(O)", NULL, "保存(S)"};
    for (int i = 0; i < 4; i++)
    {
        CRect rectItem(rectItems.left, rectItems.top + i * 20, rectItems.right, rectItems.top + i * 20 + 20);
        // A highlighted menu item shows the selection's text colour unless the look says otherwise.
        COLORREF crText = i == 1 ? theDrawingCache.m_crSelectionText : p->ButtonTextColour(NULL, VM::ButtonNormal);
        if (i == 1)
            p->PaintMenuItemHighlight(pDC, NULL, rectItem, crText);
        else if (i == 2)
            p->PaintSeparator(pDC, NULL, CRect(rectItem.left + 24, rectItem.top, rectItem.right, rectItem.bottom), FALSE);
        else if (i == 3)
            p->PaintRarelyUsedBand(pDC, rectItem);
        if (items[i] != NULL)
        {
            DrawToolbarImage(pDC, dcStrip, i, rectItem.TopLeft() + CSize(3, 2));
            DrawText(pDC, rectItem.TopLeft() + CSize(30, 3), items[i], crText);
        }
    }

    CRect rectCaption(pt + CSize(490, 6), CSize(200, 26));
    CBrush brCaption(::GetSysColor(COLOR_ACTIVECAPTION));
    pDC->FillRect(&rectCaption, &brCaption);
    DrawText(pDC, rectCaption.TopLeft() + CSize(4, 5), "输出窗口", ::GetSysColor(COLOR_CAPTIONTEXT));
    const QENCaptionButtonLook buttons[] = {{rectCaption.TopLeft() + CSize(86, 3), 9, FALSE, FALSE, FALSE},
                                            {rectCaption.TopLeft() + CSize(110, 3), 9, TRUE, TRUE, FALSE},
                                            {rectCaption.TopLeft() + CSize(134, 3), 19, FALSE, TRUE, FALSE},
                                            {rectCaption.TopLeft() + CSize(158, 3), 19, FALSE, FALSE, FALSE}};
    for (const QENCaptionButtonLook& button : buttons)
        look.pfnCaptionButton(p, pDC, button, FALSE, FALSE, FALSE);

    CRect rectTabs(pt + CSize(490, 38), CSize(200, 22));
    p->PaintTabStripBackground(pDC, rectTabs, NULL);
    CRect rectInactive(rectTabs.left + 4, rectTabs.top, rectTabs.left + 74, rectTabs.bottom - 2);
    CRect rectActive(rectInactive.right, rectTabs.top, rectInactive.right + 70, rectTabs.bottom);
    p->PaintTab(pDC, rectInactive, 0, FALSE, NULL);
    p->PaintTab(pDC, rectActive, 1, TRUE, NULL);
    DrawText(pDC, rectInactive.TopLeft() + CSize(12, 3), "生成", theDrawingCache.m_crText);
    DrawText(pDC, rectActive.TopLeft() + CSize(8, 3), "安装结果", theDrawingCache.m_crText);

    CRect rectCombo(pt + CSize(490, 66), CSize(100, 22));
    CBrush brWindow(::GetSysColor(COLOR_WINDOW));
    pDC->FillRect(&rectCombo, &brWindow);
    p->PaintComboFrame(pDC, rectCombo, FALSE, FALSE, TRUE);
    p->PaintComboArrowButton(pDC, CRect(rectCombo.right - 18, rectCombo.top + 1, rectCombo.right - 1, rectCombo.bottom - 1),
                             FALSE, FALSE, TRUE);
    CRect rectPush(pt + CSize(600, 66), CSize(90, 22));
    COLORREF crPushText = theDrawingCache.m_crText;
    if (!p->PaintPushButtonFace(pDC, NULL, rectPush, crPushText))
        pDC->FillRect(&rectPush, &theDrawingCache.m_brFace);
    if (!p->PaintPushButtonFrame(pDC, NULL, rectPush, 0))
        pDC->Draw3dRect(&rectPush, theDrawingCache.m_crHighlight, theDrawingCache.m_crDarkShadow);
    DrawText(pDC, rectPush.TopLeft() + CSize(16, 4), "开始安装", crPushText);
    dcStrip.SelectObject(pOldStrip);
}

// The canvas as a 32-bit bitmap file.
void SaveBitmapFile(const DibCanvas& canvas, const char* pszPath)
{
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = canvas.Width();
    info.biHeight = -canvas.Height();
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + 4 * canvas.Width() * canvas.Height();
    FILE* pFile = fopen(pszPath, "wb");
    ASSERT_TRUE(pFile != NULL) << pszPath;
    fwrite(&header, sizeof header, 1, pFile);
    fwrite(&info, sizeof info, 1, pFile);
    for (int y = 0; y < canvas.Height(); y++)
        for (int x = 0; x < canvas.Width(); x++)
        {
            COLORREF cr = canvas.Pixel(x, y);
            DWORD dwPixel = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
            fwrite(&dwPixel, sizeof dwPixel, 1, pFile);
        }
    fclose(pFile);
}

class NineLooksTest : public ::testing::Test
{
protected:
    SystemColoursScope m_colours;
};

// A skin keeps its parent's drawing in every operation it does not override, and draws otherwise
// in every one it does.
TEST_F(NineLooksTest, SkinsDrawOtherwiseThanTheirParentExactlyInTheirOwnOperations)
{
    const CRect rect(4, 4, 60, 36);
    for (const Look& look : NineLooks())
    {
        if (look.strParent.empty())
            continue;
        const Look& parent = LookNamed(look.strParent);
        std::unique_ptr<VM> pSkin(look.pfnMake()), pParent(parent.pfnMake());
        for (const LookOperation& operation : EveryOperation())
        {
            DibCanvas canvasSkin(64, 40, RGB(1, 254, 3)), canvasParent(64, 40, RGB(1, 254, 3));
            operation.pfnDraw(look, pSkin.get(), &canvasSkin.dc, rect);
            operation.pfnDraw(parent, pParent.get(), &canvasParent.dc, rect);
            EXPECT_EQ(look.overrides.count(operation.strName) != 0, !SamePixels(canvasSkin, canvasParent))
                << look.strName << ": " << operation.strName;
        }
    }
}

// Each look's scene differs from every other's. With QENWIZ_LOOKS_PICTURE set, the nine scenes are
// saved there as one bitmap file to look at.
TEST_F(NineLooksTest, EveryLookShowsItsOwnBarsMenusCaptionButtonsAndTabs)
{
    const CSize sizeScene(700, 96);
    const std::vector<Look>& looks = NineLooks();
    DibCanvas sheet(sizeScene.cx, sizeScene.cy * (int)looks.size(), RGB(255, 255, 255));
    std::vector<std::unique_ptr<DibCanvas>> scenes;
    for (size_t i = 0; i < looks.size(); i++)
    {
        std::unique_ptr<VM> pManager(looks[i].pfnMake());
        scenes.emplace_back(new DibCanvas(sizeScene.cx, sizeScene.cy, RGB(255, 255, 255)));
        DrawScene(looks[i], pManager.get(), &scenes.back()->dc, CPoint(0, 0));
        DrawScene(looks[i], pManager.get(), &sheet.dc, CPoint(0, sizeScene.cy * (int)i));
        DrawText(&sheet.dc, CPoint(4, sizeScene.cy * (int)i + 30), looks[i].strName.c_str(), RGB(0, 0, 0));
        for (size_t j = 0; j < i; j++)
            EXPECT_FALSE(SamePixels(*scenes[i], *scenes[j])) << looks[i].strName << " and " << looks[j].strName;
    }
    if (const char* pszPath = getenv("QENWIZ_LOOKS_PICTURE"))
        SaveBitmapFile(sheet, pszPath);
}

} // namespace
