// File → 打印预览: the form's printed page in the library's preview window, on a machine without a
// printer (as Wine is here).
#include "AppTestSupport.h"
#include "QENPrintPreview.h"
#include "ScreenPixels.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK FindPreview(HWND hWnd, LPARAM lParam)
{
    CQENPrintPreview* pPreview = dynamic_cast<CQENPrintPreview*>(CWnd::FromHandlePermanent(hWnd));
    if (pPreview == nullptr || !pPreview->IsWindowVisible())
        return TRUE;
    *reinterpret_cast<CQENPrintPreview**>(lParam) = pPreview;
    return FALSE;
}

CQENPrintPreview* OpenPreview()
{
    CQENPrintPreview* pPreview = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindPreview, reinterpret_cast<LPARAM>(&pPreview));
    return pPreview;
}

} // namespace

TEST(PrintPreviewTest, ShowsTheFormsPageOnAnA4SheetSaysThereIsNoPrinterAndClosesWithEscape)
{
    CViewTypeSetting setting;
    setting.Store("2");
    CInstallerWindow window;
    window.Frame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    PumpFor(300);
    CQENPrintPreview* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    const HWND hPreview = pPreview->m_hWnd;
    EXPECT_EQ(window.Frame()->m_hWnd, ::GetWindow(hPreview, GW_OWNER));
    EXPECT_NE(std::string::npos, WindowText(::GetDlgItem(hPreview, CQENPrintPreview::kNoteId)).find("没有安装打印机"));

    // A whole A4 sheet (210 × 297), mostly white paper with the form's lines printed on it.
    const CRect rectPage = pPreview->PageRect();
    ASSERT_GT(rectPage.Height(), 200);
    EXPECT_NEAR(rectPage.Width() * 297.0 / 210.0, rectPage.Height(), 2.0);
    EXPECT_GT(ScreenCount(pPreview, rectPage, RGB(255, 255, 255)), rectPage.Width() * rectPage.Height() * 3 / 4);
    CRect rectText = rectPage;
    rectText.bottom = rectText.top + rectPage.Height() / 3;
    EXPECT_GT(DarkPixels(pPreview, rectText), 100) << "the printed lines";
    CRect rectFoot = rectPage;
    rectFoot.top = rectFoot.bottom - rectPage.Height() / 2;
    EXPECT_EQ(0, DarkPixels(pPreview, rectFoot)) << "nothing printed on the lower half";

    PressKey(VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hPreview));
    EXPECT_TRUE(window.Frame()->IsWindowVisible());
}

TEST(PrintPreviewTest, ItsPrintButtonClosesItAndPrintsTheViewThroughTheUsualPrintPath)
{
    CViewTypeSetting setting;
    setting.Store("2");
    CInstallerWindow window;
    window.Frame()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    PumpFor(300);
    CQENPrintPreview* pPreview = OpenPreview();
    ASSERT_NE(nullptr, pPreview);
    const HWND hPreview = pPreview->m_hWnd;
    CWnd* pPrint = pPreview->GetDlgItem(CQENPrintPreview::kPrintButtonId);
    ASSERT_NE(nullptr, pPrint);
    CRect rectButton;
    pPrint->GetClientRect(&rectButton);

    // Without a printer the print path says so in a box of its own.
    CDialogResponder user;
    ClickAt(pPrint, rectButton.CenterPoint());
    EXPECT_FALSE(::IsWindow(hPreview));
    EXPECT_TRUE(user.Answered());
}
