// The dock state: its profile form in the registry, its archive form, scaling to another screen.
#include "ScratchRegistryKey.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

namespace {

const UINT ID_TOOLBAR_ONE = 0xE820;
const UINT ID_TOOLBAR_TWO = 0xE821;

CControlBarInfo* AddInfo(CDockState& state, UINT nID)
{
    CControlBarInfo* pInfo = new CControlBarInfo;
    pInfo->m_nBarID = nID;
    pInfo->m_bVisible = TRUE;
    pInfo->m_bHorz = TRUE;
    state.m_arrBarInfo.Add(pInfo);
    return pInfo;
}

// A docked toolbar that was floated once, a hidden one, the top dock bar holding both in two
// rows (the second a placeholder of a floating bar), an empty dock bar, and a vertical floating
// frame's dock bar.
void FillSample(CDockState& state)
{
    CControlBarInfo* pOne = AddInfo(state, ID_TOOLBAR_ONE);
    pOne->m_pointPos = CPoint(4, 0);
    pOne->m_nMRUWidth = 120;
    pOne->m_bDocking = TRUE;
    pOne->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    pOne->m_rectMRUDockPos = CRect(4, 0, 104, 26);
    pOne->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    pOne->m_ptMRUFloatPos = CPoint(300, 200);

    CControlBarInfo* pTwo = AddInfo(state, ID_TOOLBAR_TWO);
    pTwo->m_bVisible = FALSE;
    pTwo->m_pointPos = CPoint(0, 26);

    CControlBarInfo* pTop = AddInfo(state, AFX_IDW_DOCKBAR_TOP);
    pTop->m_bDockBar = TRUE;
    for (UINT nID : {ID_TOOLBAR_ONE, 0u, ID_TOOLBAR_TWO, 0x10000u | 0xE822, 0u})
        pTop->m_arrBarID.Add((void*)(UINT_PTR)nID);

    CControlBarInfo* pLeft = AddInfo(state, AFX_IDW_DOCKBAR_LEFT);
    pLeft->m_bDockBar = TRUE;
    pLeft->m_arrBarID.Add(NULL);

    CControlBarInfo* pFloat = AddInfo(state, AFX_IDW_DOCKBAR_FLOAT);
    pFloat->m_bDockBar = TRUE;
    pFloat->m_bFloating = TRUE;
    pFloat->m_bHorz = FALSE;
    pFloat->m_pointPos = CPoint(150, 90);
    pFloat->m_arrBarID.Add((void*)(UINT_PTR)0xE822);
    pFloat->m_arrBarID.Add(NULL);
}

CControlBarInfo* InfoAt(const CDockState& state, INT_PTR nIndex)
{
    return static_cast<CControlBarInfo*>(state.m_arrBarInfo[nIndex]);
}

void ExpectSameInfo(const CControlBarInfo& expected, const CControlBarInfo& actual)
{
    EXPECT_EQ(expected.m_nBarID, actual.m_nBarID);
    EXPECT_EQ(expected.m_bVisible, actual.m_bVisible);
    EXPECT_EQ(expected.m_bFloating, actual.m_bFloating);
    EXPECT_EQ(expected.m_bDockBar, actual.m_bDockBar);
    if (expected.m_bFloating)
    {
        EXPECT_EQ(expected.m_bHorz, actual.m_bHorz);
    }
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
    EXPECT_EQ(nullptr, actual.m_pBar);
}

CSize ScreenSize()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

}   // namespace

TEST(DockStateTest, ProfileRoundTripKeepsEveryBarButEmptyDockBarsUnderTheDocumentedKeys)
{
    CScratchRegistryKey key("DockState");
    CDockState saved;
    FillSample(saved);
    saved.SaveState("Layout");

    typedef std::map<std::string, long> Values;
    EXPECT_EQ((Values{{"Bars", 4}, {"ScreenCX", ScreenSize().cx}, {"ScreenCY", ScreenSize().cy}}),
              key.Values("Layout-Summary"));
    EXPECT_EQ((Values{{"BarID", (long)ID_TOOLBAR_ONE}, {"XPos", 4}, {"YPos", 0}, {"MRUWidth", 120}, {"Docking", 1},
                      {"MRUDockID", AFX_IDW_DOCKBAR_TOP}, {"MRUDockLeftPos", 4}, {"MRUDockTopPos", 0},
                      {"MRUDockRightPos", 104}, {"MRUDockBottomPos", 26}, {"MRUFloatStyle", CBRS_ALIGN_TOP},
                      {"MRUFloatXPos", 300}, {"MRUFloatYPos", 200}}),
              key.Values("Layout-Bar0"));
    EXPECT_EQ((Values{{"BarID", (long)ID_TOOLBAR_TWO}, {"Visible", 0}, {"XPos", 0}, {"YPos", 26}}),
              key.Values("Layout-Bar1"));
    EXPECT_EQ((Values{{"BarID", AFX_IDW_DOCKBAR_TOP}, {"Bars", 5}, {"Bar#0", (long)ID_TOOLBAR_ONE}, {"Bar#1", 0},
                      {"Bar#2", (long)ID_TOOLBAR_TWO}, {"Bar#3", 0x1E822}, {"Bar#4", 0}}),
              key.Values("Layout-Bar2"));
    EXPECT_EQ((Values{{"BarID", AFX_IDW_DOCKBAR_FLOAT}, {"Horz", 0}, {"Floating", 1}, {"XPos", 150}, {"YPos", 90},
                      {"Bars", 2}, {"Bar#0", 0xE822}, {"Bar#1", 0}}),
              key.Values("Layout-Bar3"));
    EXPECT_FALSE(key.SectionExists("Layout-Bar4"));

    CDockState loaded;
    AddInfo(loaded, 1234);   // replaced by the load
    loaded.LoadState("Layout");
    EXPECT_EQ(CDockState::dwCurrentVersion, loaded.GetVersion());
    EXPECT_EQ(ScreenSize(), loaded.GetScreenSize());
    ASSERT_EQ(4, loaded.m_arrBarInfo.GetSize());
    const INT_PTR savedIndexOf[] = {0, 1, 2, 4};
    for (INT_PTR i = 0; i < 4; i++)
    {
        SCOPED_TRACE(i);
        ExpectSameInfo(*InfoAt(saved, savedIndexOf[i]), *InfoAt(loaded, i));
    }

    // A smaller layout saved over it leaves no sections of the larger one behind.
    CDockState smaller;
    AddInfo(smaller, ID_TOOLBAR_TWO);
    smaller.SaveState("Layout");
    EXPECT_TRUE(key.SectionExists("Layout-Bar0"));
    EXPECT_FALSE(key.SectionExists("Layout-Bar1"));
    EXPECT_FALSE(key.SectionExists("Layout-Bar3"));
    loaded.LoadState("Layout");
    ASSERT_EQ(1, loaded.m_arrBarInfo.GetSize());
    EXPECT_EQ(ID_TOOLBAR_TWO, InfoAt(loaded, 0)->m_nBarID);

    // Nothing saved under a name: an empty state.
    loaded.LoadState("Missing");
    EXPECT_EQ(0, loaded.m_arrBarInfo.GetSize());
}

TEST(DockStateTest, PositionsSavedOnAnotherScreenAreScaledAndFloatingFramesStayReachable)
{
    CScratchRegistryKey key("DockScale");
    CSize screen = ScreenSize();
    CDockState saved;
    FillSample(saved);
    CControlBarInfo* pFar = AddInfo(saved, AFX_IDW_DOCKBAR_FLOAT);
    pFar->m_bDockBar = pFar->m_bFloating = TRUE;
    pFar->m_pointPos = CPoint(screen.cx / 2 - 1, 10);
    pFar->m_arrBarID.Add((void*)(UINT_PTR)ID_TOOLBAR_TWO);
    CPoint ptMRUFloat(screen.cx / 8, screen.cy / 8);
    InfoAt(saved, 0)->m_ptMRUFloatPos = ptMRUFloat;
    saved.SaveState("Layout");
    // As if saved on a screen half as wide and a third as high.
    TestApp().WriteProfileInt("Layout-Summary", "ScreenCX", screen.cx / 2);
    TestApp().WriteProfileInt("Layout-Summary", "ScreenCY", screen.cy / 3);

    CDockState loaded;
    loaded.LoadState("Layout");
    EXPECT_EQ(CSize(screen.cx / 2, screen.cy / 3), loaded.GetScreenSize());
    ASSERT_EQ(5, loaded.m_arrBarInfo.GetSize());
    CControlBarInfo* pOne = InfoAt(loaded, 0);
    EXPECT_EQ(CPoint(::MulDiv(4, screen.cx, screen.cx / 2), 0), pOne->m_pointPos);
    EXPECT_EQ(CPoint(::MulDiv(ptMRUFloat.x, screen.cx, screen.cx / 2), ::MulDiv(ptMRUFloat.y, screen.cy, screen.cy / 3)),
              pOne->m_ptMRUFloatPos);
    EXPECT_EQ(CSize(100, 26), pOne->m_rectMRUDockPos.Size());   // moved, not resized
    EXPECT_EQ(::MulDiv(4, screen.cx, screen.cx / 2), pOne->m_rectMRUDockPos.left);
    EXPECT_EQ(CPoint(0, ::MulDiv(26, screen.cy, screen.cy / 3)), InfoAt(loaded, 1)->m_pointPos);
    EXPECT_EQ(CPoint(::MulDiv(150, screen.cx, screen.cx / 2), ::MulDiv(90, screen.cy, screen.cy / 3)),
              InfoAt(loaded, 3)->m_pointPos);
    // Twice the far position would lie off the screen: the frame keeps an icon's width on it.
    EXPECT_EQ(screen.cx - ::GetSystemMetrics(SM_CXICON), InfoAt(loaded, 4)->m_pointPos.x);

    // Saved again, the scaled positions belong to this screen.
    loaded.SaveState("Layout");
    CDockState reloaded;
    reloaded.LoadState("Layout");
    EXPECT_EQ(screen, reloaded.GetScreenSize());
    EXPECT_EQ(InfoAt(loaded, 3)->m_pointPos, InfoAt(reloaded, 3)->m_pointPos);
}

TEST(DockStateTest, ArchiveRoundTripWithAndWithoutTheDockingFieldsOfVersionTwo)
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
    EXPECT_EQ(2u, loaded.GetVersion());
    ASSERT_EQ(saved.m_arrBarInfo.GetSize(), loaded.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < saved.m_arrBarInfo.GetSize(); i++)
    {
        SCOPED_TRACE(i);
        ExpectSameInfo(*InfoAt(saved, i), *InfoAt(loaded, i));
    }
    EXPECT_FALSE(file.GetPosition() < file.GetLength()) << "bytes left unread";

    // Version 1 keeps neither the MRU width nor the docking fields.
    CMemFile fileOld;
    saved.m_dwVersion = 1;
    {
        CArchive ar(&fileOld, CArchive::store);
        saved.Serialize(ar);
    }
    EXPECT_LT(fileOld.GetLength(), file.GetLength());
    fileOld.SeekToBegin();
    {
        CArchive ar(&fileOld, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(1u, loaded.GetVersion());
    ASSERT_EQ(saved.m_arrBarInfo.GetSize(), loaded.m_arrBarInfo.GetSize());
    CControlBarInfo* pOne = InfoAt(loaded, 0);
    EXPECT_EQ(CPoint(4, 0), pOne->m_pointPos);
    EXPECT_EQ(CControlBarInfo::nDefaultMRUWidth, pOne->m_nMRUWidth);
    EXPECT_FALSE(pOne->m_bDocking);
    EXPECT_EQ(5, InfoAt(loaded, 2)->m_arrBarID.GetSize());
}
