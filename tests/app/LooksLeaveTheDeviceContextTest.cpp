#include "NineLooks.h"
#include "../ui/LookCanvas.h"
#include "../ui/SystemColoursScope.h"

#include <gtest/gtest.h>

namespace {

// Every operation of every look, on a canvas clipped wider than the rectangle it is given, draws
// nothing outside the rectangle and gives the device context back as it was.
TEST(LooksLeaveTheDeviceContext, AsTheyFoundItAndDrawOnlyInsideTheirRectangle)
{
    SystemColoursScope colours;
    const COLORREF crPaper = RGB(1, 254, 3);
    const CRect rect(20, 20, 64, 48), rectClip(5, 5, 85, 65);
    for (const Look& look : NineLooks())
    {
        std::unique_ptr<CQENVisualManager> pManager(look.pfnMake());
        for (const LookOperation& operation : EveryOperation())
        {
            SCOPED_TRACE(look.strName + ": " + operation.strName);
            LookCanvas canvas(90, 70, crPaper, &rectClip);
            operation.pfnDraw(look, pManager.get(), &canvas.dc, rect);
            EXPECT_EQ(90 * 70 - rect.Width() * rect.Height(), canvas.Count(crPaper) - canvas.Count(crPaper, rect));
        }
    }
}

} // namespace
