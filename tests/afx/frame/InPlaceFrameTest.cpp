// In-place frames of an item and of a document object in a container's window, with a bar in the
// container's frame.
#include "GuiTestSupport.h"

#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

namespace {

// An item's frame whose one bar goes into the container's frame.
template <class TBase>
class CTestIPFrame : public TBase
{
public:
    CStatusBar m_wndBar;
    int m_nBarCreations = 0;

    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd*) override
    {
        m_nBarCreations++;
        if (!m_wndBar.Create(pWndFrame))
            return FALSE;
        m_wndBar.SetOwner(this);
        return TRUE;
    }
    void PostNcDestroy() override {}
};

class CInPlaceFrameTest : public ::testing::Test
{
protected:
    CFrameWnd* m_pContainer = nullptr;
    CWnd m_wndSite;

    void SetUp() override
    {
        m_pContainer = new CFrameWnd;
        ASSERT_TRUE(m_pContainer->Create(NULL, "容器", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
        ASSERT_TRUE(m_wndSite.Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 400, 300),
                                     m_pContainer, AFX_IDW_PANE_FIRST));
        m_pContainer->ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        m_pContainer->DestroyWindow();
    }

    CRect RectInSite(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        m_wndSite.ScreenToClient(&rect);
        return rect;
    }
};

TEST_F(CInPlaceFrameTest, ItemFrameIsClippedAndItsBarsComeAndGoWithActivation)
{
    CTestIPFrame<COleIPFrameWnd> frame;
    ASSERT_TRUE(frame.Create(NULL, NULL, WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), &m_wndSite));
    const CRect rectPos(50, 40, 250, 190), rectClip(0, 0, 200, 150);
    ASSERT_TRUE(frame.ActivateInPlace(&m_wndSite, m_pContainer, NULL, rectPos, rectClip));
    EXPECT_TRUE(frame.IsInPlaceActive());
    EXPECT_EQ(m_pContainer, frame.GetInPlaceFrame());
    EXPECT_EQ(nullptr, frame.GetInPlaceDocFrame());
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(CRect(50, 40, 200, 150), RectInSite(&frame));
    EXPECT_EQ(m_pContainer, frame.m_wndBar.GetParent());
    EXPECT_TRUE(frame.m_wndBar.IsWindowVisible());

    frame.RepositionFrame(CRect(10, 10, 110, 60), rectClip);
    EXPECT_EQ(CRect(10, 10, 110, 60), RectInSite(&frame));

    frame.DeactivateInPlace();
    EXPECT_FALSE(frame.IsWindowVisible());
    EXPECT_FALSE(frame.m_wndBar.IsWindowVisible());
    EXPECT_EQ(nullptr, frame.GetInPlaceFrame());

    ASSERT_TRUE(frame.ActivateInPlace(&m_wndSite, m_pContainer, NULL, rectPos, rectClip));
    EXPECT_EQ(1, frame.m_nBarCreations);
    EXPECT_TRUE(frame.m_wndBar.IsWindowVisible());
    frame.DestroyWindow();
}

TEST_F(CInPlaceFrameTest, DocumentObjectFrameTakesTheWholePositionRectangle)
{
    CTestIPFrame<COleDocIPFrameWnd> frame;
    ASSERT_TRUE(frame.Create(NULL, NULL, WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), &m_wndSite));
    ASSERT_TRUE(frame.ActivateInPlace(&m_wndSite, m_pContainer, m_pContainer, CRect(0, 0, 400, 300),
                                      CRect(20, 20, 100, 100)));
    EXPECT_EQ(CRect(0, 0, 400, 300), RectInSite(&frame));
    EXPECT_EQ(m_pContainer, frame.GetInPlaceDocFrame());
    frame.DestroyWindow();
}

} // namespace
