// The dock state: its profile form in the registry, its archive form, scaling to another screen.
// A frame's layout saved and restored through it is tested with the docking frame.
#include "GuiTestSupport.h"
#include "ScratchRegistryKey.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

namespace {

const UINT ID_BAR = 0xE820;   // the test bars are ID_BAR, ID_BAR + 1, …

CControlBarInfo* AddInfo(CDockState& state, UINT nID, std::initializer_list<UINT> barIDs = {})
{
    CControlBarInfo* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = nID;
    pInfo->m_bVisible = pInfo->m_bHorz = TRUE;
    pInfo->m_bDockBar = barIDs.size() > 0;
    for (UINT nBarID : barIDs)
        pInfo->m_arrBarID.Add((void*)(UINT_PTR)nBarID);
    state.m_arrBarInfo.Add(pInfo);
    return pInfo;
}

CControlBarInfo* InfoAt(const CDockState& state, INT_PTR nIndex)
{
    return static_cast<CControlBarInfo*>(state.m_arrBarInfo[nIndex]);
}

// A docked bar that floated once, a hidden one, the top dock bar holding them in two rows (with
// the placeholder of a floating bar), an empty dock bar, and a vertical floating frame.
void FillSample(CDockState& state)
{
    CControlBarInfo* pOne = AddInfo(state, ID_BAR);
    pOne->m_pointPos = CPoint(4, 0);
    pOne->m_nMRUWidth = 120;
    pOne->m_bDocking = TRUE;
    pOne->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    pOne->m_rectMRUDockPos = CRect(4, 0, 104, 26);
    pOne->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    pOne->m_ptMRUFloatPos = CPoint(160, 100);
    CControlBarInfo* pTwo = AddInfo(state, ID_BAR + 1);
    pTwo->m_bVisible = FALSE;
    pTwo->m_pointPos = CPoint(0, 26);
    AddInfo(state, AFX_IDW_DOCKBAR_TOP, {ID_BAR, 0, ID_BAR + 1, 0x10000 | (ID_BAR + 2), 0});
    AddInfo(state, AFX_IDW_DOCKBAR_LEFT, {0});
    CControlBarInfo* pFloat = AddInfo(state, AFX_IDW_DOCKBAR_FLOAT, {ID_BAR + 2, 0});
    pFloat->m_bFloating = TRUE;
    pFloat->m_bHorz = FALSE;
    pFloat->m_pointPos = CPoint(150, 90);
}

void ExpectSameInfo(const CControlBarInfo& expected, const CControlBarInfo& actual)
{
    EXPECT_EQ(expected.m_nBarID, actual.m_nBarID);
    EXPECT_EQ(expected.m_bVisible, actual.m_bVisible);
    EXPECT_EQ(expected.m_bFloating, actual.m_bFloating);
    EXPECT_EQ(expected.m_bDockBar, actual.m_bDockBar);
    EXPECT_EQ(expected.m_bHorz || !expected.m_bFloating, actual.m_bHorz);
    EXPECT_EQ(expected.m_pointPos, actual.m_pointPos);
    EXPECT_EQ(expected.m_nMRUWidth, actual.m_nMRUWidth);
    EXPECT_EQ(expected.m_bDocking, actual.m_bDocking);
    EXPECT_EQ(expected.m_uMRUDockID, actual.m_uMRUDockID);
    EXPECT_EQ(expected.m_rectMRUDockPos, actual.m_rectMRUDockPos);
    EXPECT_EQ(expected.m_dwMRUFloatStyle, actual.m_dwMRUFloatStyle);
    EXPECT_EQ(expected.m_ptMRUFloatPos, actual.m_ptMRUFloatPos);
    ASSERT_EQ(expected.m_arrBarID.GetSize(), actual.m_arrBarID.GetSize());
    for (INT_PTR i = 0; i < expected.m_arrBarID.GetSize(); i++)
        EXPECT_EQ(expected.m_arrBarID[i], actual.m_arrBarID[i]) << "entry " << i;
}

}   // namespace

TEST(DockStateTest, ProfileRoundTripKeepsEveryBarButEmptyDockBarsUnderTheDocumentedKeys)
{
    CScratchRegistryKey key("DockState");
    CDockState saved;
    FillSample(saved);
    saved.SaveState("Layout");

    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    typedef std::map<std::string, long> Values;
    EXPECT_EQ((Values{{"Bars", 4}, {"ScreenCX", screen.cx}, {"ScreenCY", screen.cy}}), key.Values("Layout-Summary"));
    // Keys at their defaults (visible, horizontal, docked, no position, the default MRU width) are left out.
    EXPECT_EQ((Values{{"BarID", (long)ID_BAR}, {"XPos", 4}, {"YPos", 0}, {"MRUWidth", 120}, {"Docking", 1},
                      {"MRUDockID", AFX_IDW_DOCKBAR_TOP}, {"MRUDockLeftPos", 4}, {"MRUDockTopPos", 0},
                      {"MRUDockRightPos", 104}, {"MRUDockBottomPos", 26}, {"MRUFloatStyle", CBRS_ALIGN_TOP},
                      {"MRUFloatXPos", 160}, {"MRUFloatYPos", 100}}),
              key.Values("Layout-Bar0"));
    EXPECT_EQ((Values{{"BarID", (long)ID_BAR + 1}, {"Visible", 0}, {"XPos", 0}, {"YPos", 26}}), key.Values("Layout-Bar1"));
    EXPECT_EQ((Values{{"BarID", AFX_IDW_DOCKBAR_FLOAT}, {"Horz", 0}, {"Floating", 1}, {"XPos", 150}, {"YPos", 90},
                      {"Bars", 2}, {"Bar#0", (long)ID_BAR + 2}, {"Bar#1", 0}}),
              key.Values("Layout-Bar3"));

    CDockState loaded;
    AddInfo(loaded, 1234);   // replaced by the load
    loaded.LoadState("Layout");
    EXPECT_EQ(screen, loaded.GetScreenSize());
    ASSERT_EQ(4, loaded.m_arrBarInfo.GetSize());
    const INT_PTR savedIndexOf[] = {0, 1, 2, 4};   // the empty left dock bar is not kept
    for (INT_PTR i = 0; i < 4; i++)
    {
        SCOPED_TRACE(i);
        ExpectSameInfo(*InfoAt(saved, savedIndexOf[i]), *InfoAt(loaded, i));
    }

    // A smaller layout saved over it leaves no section of the larger one behind.
    CDockState smaller;
    AddInfo(smaller, ID_BAR + 1);
    smaller.SaveState("Layout");
    EXPECT_TRUE(key.Values("Layout-Bar1").empty());
    EXPECT_TRUE(key.Values("Layout-Bar3").empty());
    loaded.LoadState("Layout");
    ASSERT_EQ(1, loaded.m_arrBarInfo.GetSize());
    EXPECT_EQ(ID_BAR + 1, InfoAt(loaded, 0)->m_nBarID);
}

TEST(DockStateTest, ArchiveKeepsTheStateAndPositionsFromAnotherScreenAreScaledToThisOne)
{
    CDockState saved;
    FillSample(saved);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        saved.Serialize(ar);
    }
    file.SeekToBegin();
    CDockState loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(file.GetLength(), file.GetPosition());
    ASSERT_EQ(saved.m_arrBarInfo.GetSize(), loaded.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < saved.m_arrBarInfo.GetSize(); i++)
    {
        SCOPED_TRACE(i);
        ExpectSameInfo(*InfoAt(saved, i), *InfoAt(loaded, i));
    }

    // Saved on a screen half as wide and a third as high: positions grow, sizes stay, and a
    // floating frame that would land off the screen keeps an icon's width on it.
    CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    InfoAt(saved, 4)->m_pointPos.x = screen.cx / 2 - 1;
    CScratchRegistryKey key("DockScale");
    saved.SaveState("Layout");
    TestApp().WriteProfileInt("Layout-Summary", "ScreenCX", screen.cx / 2);
    TestApp().WriteProfileInt("Layout-Summary", "ScreenCY", screen.cy / 3);
    loaded.LoadState("Layout");
    auto scaled = [&](int x, int y) { return CPoint(::MulDiv(x, screen.cx, screen.cx / 2), ::MulDiv(y, screen.cy, screen.cy / 3)); };
    CControlBarInfo* pOne = InfoAt(loaded, 0);
    EXPECT_EQ(scaled(4, 0), pOne->m_pointPos);
    EXPECT_EQ(scaled(160, 100), pOne->m_ptMRUFloatPos);
    EXPECT_EQ(CRect(scaled(4, 0), CSize(100, 26)), pOne->m_rectMRUDockPos);
    EXPECT_EQ(scaled(0, 26), InfoAt(loaded, 1)->m_pointPos);
    EXPECT_EQ(CPoint(screen.cx - ::GetSystemMetrics(SM_CXICON), scaled(0, 90).y), InfoAt(loaded, 3)->m_pointPos);
}
