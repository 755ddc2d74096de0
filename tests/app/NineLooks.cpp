#include "NineLooks.h"
#include "GradientBarSkin.h"
#include "GradientButtonSkin.h"
#include "MacSkin.h"
#include "MacStyleSkin.h"
#include "SilverRingSkin.h"
#include "StyleOneSkin.h"

#include <stdexcept>

namespace {

template <class TManager>
Look LookOf(const char* pszName, bool bFlat, const char* pszParent = "", std::set<std::string> overrides = {})
{
    return Look{pszName,
                [bFlat]() -> CQENVisualManager* {
                    TManager* pManager = new TManager;
                    pManager->m_bFlatLook = bFlat;
                    return pManager;
                },
                [](CQENVisualManager* pManager, CDC* pDC, const QENCaptionButtonLook& look, BOOL bA, BOOL bB, BOOL bC) {
                    static_cast<TManager*>(pManager)->DrawCaptionButton(pDC, look, bA, bB, bC);
                },
                pszParent, std::move(overrides)};
}

void FillSwatch(CDC* pDC, const CRect& rect, COLORREF crColour)
{
    CBrush brush(crColour);
    pDC->FillRect(&rect, &brush);
}

} // namespace

const std::vector<Look>& NineLooks()
{
    // A plain button has no menu, no drop-down part and uses the extra border; a plain bar is a
    // toolbar docked at the top: so the skins' overrides show in these operations.
    static const std::vector<Look> looks = {
        LookOf<CQENVisualManager>("classic", false),
        LookOf<CQENVisualManager>("flat", true),
        LookOf<CQENVisualManagerXP>("XP", true),
        LookOf<CMacSkin>("Mac", true, "flat",
                         {"bar background", "gripper across", "gripper down", "separator", "close button",
                          "hot close button", "pressed interior", "hot interior", "pressed frame", "hot frame",
                          "tab strip"}),
        LookOf<CMacStyleSkin>("Mac style", true, "flat",
                              {"bar background", "bar edges", "popup frame", "caption button", "close button",
                               "hot close button", "pushed caption button", "combo arrow", "combo frame",
                               "pressed interior", "hot interior", "pressed frame", "hot frame", "menu highlight",
                               "rarely used band", "button text", "caption bar text", "push button", "tab strip",
                               "tabs"}),
        LookOf<CStyleOneSkin>("style one", true, "flat",
                              {"bar background", "gripper across", "gripper down", "separator", "menu highlight",
                               "tab strip"}),
        LookOf<CSilverRingSkin>("silver ring", true, "XP",
                                {"normal interior", "pressed interior", "hot interior", "pressed frame", "hot frame"}),
        LookOf<CGradientButtonSkin>("gradient button", true, "XP",
                                    {"normal interior", "pressed interior", "hot interior", "pressed frame",
                                     "hot frame", "menu highlight"}),
        LookOf<CGradientBarSkin>("gradient bar", true, "XP", {"bar background", "bar edges"}),
    };
    return looks;
}

const Look& LookNamed(const std::string& strName)
{
    for (const Look& look : NineLooks())
        if (look.strName == strName)
            return look;
    throw std::invalid_argument(strName);
}

const std::vector<LookOperation>& EveryOperation()
{
    typedef CQENVisualManager VM;
    auto button = [](VM::ButtonState state, bool bFrame) {
        return [state, bFrame](const Look&, VM* p, CDC* pDC, CRect r) {
            bFrame ? p->PaintButtonFrame(pDC, NULL, r, state) : p->PaintButtonInterior(pDC, NULL, r, state);
        };
    };
    auto caption = [](BOOL bPressed, BOOL bHot, UINT nHit) {
        return [=](const Look& look, VM* p, CDC* pDC, CRect r) {
            look.pfnCaptionButton(p, pDC, {r.TopLeft(), nHit, bPressed, bHot, FALSE}, FALSE, FALSE, FALSE);
        };
    };
    static const std::vector<LookOperation> operations = {
        {"bar background", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintBarBackground(pDC, NULL, r, CRect()); }},
        {"bar edges", [](const Look&, VM* p, CDC* pDC, CRect r) {
             CStatusBar bar;
             bar.SetBarStyle(CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_ALIGN_TOP);
             p->PaintBarEdges(pDC, &bar, r);
         }},
        {"popup frame", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintPopupFrame(pDC, NULL, r); }},
        {"gripper across", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintGripper(pDC, r, TRUE, NULL); }},
        {"gripper down", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintGripper(pDC, r, FALSE, NULL); }},
        {"separator", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintSeparator(pDC, NULL, r, TRUE); }},
        {"caption button", caption(FALSE, FALSE, 9)},
        {"close button", caption(FALSE, FALSE, 19)},
        {"hot close button", caption(FALSE, TRUE, 19)},
        {"pushed caption button", caption(TRUE, TRUE, 9)},
        {"system button", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintSystemButton(pDC, r, SC_CLOSE, 0, TRUE); }},
        {"control edge", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintControlButtonEdge(pDC, NULL, r, 0x200); }},
        {"combo arrow", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintComboArrowButton(pDC, r, FALSE, TRUE, TRUE); }},
        {"combo frame", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintComboFrame(pDC, r, FALSE, TRUE, TRUE); }},
        {"tear-off strip", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintTearOffStrip(pDC, r, TRUE); }},
        {"normal interior", button(VM::ButtonNormal, false)},
        {"pressed interior", button(VM::ButtonPressed, false)},
        {"hot interior", button(VM::ButtonHighlighted, false)},
        {"pressed frame", button(VM::ButtonPressed, true)},
        {"hot frame", button(VM::ButtonHighlighted, true)},
        {"menu highlight", [](const Look&, VM* p, CDC* pDC, CRect r) {
             COLORREF crText = RGB(1, 2, 3);
             p->PaintMenuItemHighlight(pDC, NULL, r, crText);
             FillSwatch(pDC, CRect(r.left + 4, r.top + 4, r.left + 8, r.top + 8), crText);
         }},
        {"rarely used band", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintRarelyUsedBand(pDC, r); }},
        {"button text", [](const Look&, VM* p, CDC* pDC, CRect r) {
             FillSwatch(pDC, CRect(r.left, r.top, r.left + 4, r.top + 4), p->ButtonTextColour(NULL, VM::ButtonNormal));
             FillSwatch(pDC, CRect(r.left + 4, r.top, r.left + 8, r.top + 4),
                        p->ButtonTextColour(NULL, VM::ButtonHighlighted));
         }},
        {"caption bar text", [](const Look&, VM* p, CDC* pDC, CRect r) {
             FillSwatch(pDC, CRect(r.left, r.top, r.left + 4, r.top + 4), p->CaptionBarTextColour(NULL));
         }},
        {"push button", [](const Look&, VM* p, CDC* pDC, CRect r) {
             COLORREF crText = RGB(1, 2, 3);
             if (p->PaintPushButtonFace(pDC, NULL, r, crText))
                 FillSwatch(pDC, CRect(r.left + 4, r.top + 4, r.left + 8, r.top + 8), crText);
             p->PaintPushButtonFrame(pDC, NULL, r, 0);
         }},
        {"tab strip", [](const Look&, VM* p, CDC* pDC, CRect r) { p->PaintTabStripBackground(pDC, r, NULL); }},
        {"tabs", [](const Look&, VM* p, CDC* pDC, CRect r) {
             p->PaintTab(pDC, r, 0, FALSE, NULL);
             p->PaintTab(pDC, r, 1, TRUE, NULL);
         }},
        {"command list", [](const Look&, VM* p, CDC* pDC, CRect r) {
             p->PaintCommandListItem(pDC, r, TRUE);
             p->PaintCommandListItem(pDC, r, FALSE);
         }},
    };
    return operations;
}
