// The check list box on real windows: toggling by mouse and keyboard, check styles, disabled items,
// the caller's item data, and the check boxes it draws.
#include "GuiTestSupport.h"
#include "DibCanvas.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const UINT ID_CHECKLIST = 200;

class CCheckParent : public CTestTopWindow
{
public:
    int m_nChanges = 0;

    afx_msg void OnCheckChange() { m_nChanges++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCheckParent, CTestTopWindow)
    ON_CONTROL(CLBN_CHKCHANGE, ID_CHECKLIST, OnCheckChange)
END_MESSAGE_MAP()

// Records what the owner-draw functions see of the items.
class CRecordingCheckListBox : public CCheckListBox
{
public:
    std::vector<DWORD_PTR> m_drawnData;
    std::vector<DWORD_PTR> m_deletedData;
    int m_nDrawLeft = -1;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if ((int)lpDrawItemStruct->itemID >= 0 && (lpDrawItemStruct->itemAction & ODA_DRAWENTIRE))
        {
            m_drawnData.push_back(lpDrawItemStruct->itemData);
            m_nDrawLeft = lpDrawItemStruct->rcItem.left;
        }
    }
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override
    {
        m_deletedData.push_back(lpDeleteItemStruct->itemData);
    }
};

class CheckListBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_parent.CreateHidden()); }

    void Create(CCheckListBox& list, DWORD dwStyle = LBS_HASSTRINGS)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | dwStyle,
                                CRect(0, 0, 200, 150), &m_parent, ID_CHECKLIST));
    }

    void AddItems(CCheckListBox& list)
    {
        list.AddString("安装程序文件");
        list.AddString("示例工程");
        list.AddString("帮助文档");
    }

    static CPoint BoxCentre(CCheckListBox& list, int nIndex)
    {
        CRect rect;
        list.GetItemRect(nIndex, &rect);
        return CPoint(rect.left + 1 + CCheckListBox::CHECKBOX_SIZE / 2, rect.CenterPoint().y);
    }

    static void Click(CCheckListBox& list, CPoint point)
    {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    static void PressSpace(CCheckListBox& list)
    {
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
        list.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
    }

    CCheckParent m_parent;
};

TEST_F(CheckListBoxTest, ClickOnTheBoxTogglesAndNotifiesTheParent)
{
    CCheckListBox list;
    Create(list);
    AddItems(list);
    EXPECT_EQ(0, list.GetCheck(1));

    Click(list, BoxCentre(list, 1));
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_EQ(1, m_parent.m_nChanges);

    // The text of an item is not its box.
    CRect rect;
    list.GetItemRect(1, &rect);
    Click(list, CPoint(rect.left + 60, rect.CenterPoint().y));
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ(1, m_parent.m_nChanges);

    Click(list, BoxCentre(list, 1));
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(2, m_parent.m_nChanges);

    // The second press of a double click toggles again.
    CPoint box = BoxCentre(list, 2);
    Click(list, box);
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    EXPECT_EQ(0, list.GetCheck(2));
    EXPECT_EQ(4, m_parent.m_nChanges);
}

TEST_F(CheckListBoxTest, SpaceBarTogglesTheCaretItemOrTheWholeSelection)
{
    CCheckListBox single;
    Create(single);
    AddItems(single);
    single.SetCurSel(2);
    PressSpace(single);
    EXPECT_EQ(1, single.GetCheck(2));
    EXPECT_EQ(1, m_parent.m_nChanges);
    PressSpace(single);
    EXPECT_EQ(0, single.GetCheck(2));
    EXPECT_EQ(2, m_parent.m_nChanges);
    single.DestroyWindow();

    CCheckListBox multiple;
    Create(multiple, LBS_HASSTRINGS | LBS_EXTENDEDSEL);
    AddItems(multiple);
    multiple.AddString("附加组件");
    multiple.SetCheck(0, 1);
    multiple.SetSel(0);
    multiple.SetSel(2);
    multiple.SetCaretIndex(2);
    PressSpace(multiple);
    // Every selected item takes the caret item's new state, whatever its own was.
    EXPECT_EQ(1, multiple.GetCheck(0));
    EXPECT_EQ(0, multiple.GetCheck(1));
    EXPECT_EQ(1, multiple.GetCheck(2));
    EXPECT_EQ(0, multiple.GetCheck(3));
    EXPECT_EQ(3, m_parent.m_nChanges);
    PressSpace(multiple);
    EXPECT_EQ(0, multiple.GetCheck(0));
    EXPECT_EQ(0, multiple.GetCheck(2));
}

TEST_F(CheckListBoxTest, DisabledItemsDoNotToggle)
{
    CCheckListBox list;
    Create(list);
    AddItems(list);
    list.Enable(1, FALSE);
    EXPECT_FALSE(list.IsEnabled(1));
    EXPECT_TRUE(list.IsEnabled(0));
    EXPECT_FALSE(list.IsEnabled(7));

    Click(list, BoxCentre(list, 1));
    list.SetCurSel(1);
    PressSpace(list);
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(0, m_parent.m_nChanges);

    // The program still sets the check of a disabled item.
    list.SetCheck(1, 1);
    EXPECT_EQ(1, list.GetCheck(1));
    list.Enable(1);
    Click(list, BoxCentre(list, 1));
    EXPECT_EQ(0, list.GetCheck(1));
    EXPECT_EQ(1, m_parent.m_nChanges);
}

TEST_F(CheckListBoxTest, CheckStylesDecideWhatAClickDoes)
{
    CCheckListBox list;
    Create(list);
    AddItems(list);
    EXPECT_EQ((UINT)BS_AUTOCHECKBOX, list.GetCheckStyle());

    list.SetCheckStyle(BS_AUTO3STATE);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i)
    {
        Click(list, BoxCentre(list, 0));
        states.push_back(list.GetCheck(0));
    }
    EXPECT_EQ((std::vector<int>{1, 2, 0}), states);

    // Plain check boxes only tell the parent, which sets the state itself.
    list.SetCheckStyle(BS_CHECKBOX);
    Click(list, BoxCentre(list, 0));
    EXPECT_EQ(0, list.GetCheck(0));
    EXPECT_EQ(4, m_parent.m_nChanges);
}

TEST_F(CheckListBoxTest, ItemDataStaysTheCallersAndChecksFollowTheirItems)
{
    CRecordingCheckListBox list;
    Create(list, LBS_HASSTRINGS | LBS_SORT);
    list.SetItemData(list.AddString("charlie"), 300);
    list.SetItemData(list.AddString("alpha"), 100);
    int nBravo = list.AddString("bravo");
    list.SetItemData(nBravo, 200);
    list.SetCheck(nBravo, 1);

    list.AddString("aardvark");   // sorts first: every item moves down
    nBravo = list.FindStringExact(-1, "bravo");
    EXPECT_EQ(2, nBravo);
    EXPECT_EQ(1, list.GetCheck(nBravo));
    EXPECT_EQ(200u, list.GetItemData(nBravo));
    EXPECT_EQ(200, (int)list.SendMessage(LB_GETITEMDATA, nBravo));
    EXPECT_EQ(0u, list.GetItemData(0));
    EXPECT_EQ(0, list.GetCheck(3));
    EXPECT_EQ(LB_ERR, (int)list.GetItemData(9));

    DibCanvas canvas(200, 150);
    list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
    EXPECT_EQ((std::vector<DWORD_PTR>{0, 100, 200, 300}), list.m_drawnData);
    EXPECT_GE(list.m_nDrawLeft, 1 + CCheckListBox::CHECKBOX_SIZE);

    list.DeleteString(nBravo);
    EXPECT_EQ((std::vector<DWORD_PTR>{200}), list.m_deletedData);
    EXPECT_EQ(300u, list.GetItemData(2));
    list.ResetContent();
    EXPECT_EQ(4u, list.m_deletedData.size());
    list.DestroyWindow();
}

TEST_F(CheckListBoxTest, WithoutStringsTheAddedValueIsTheItemData)
{
    CRecordingCheckListBox list;
    Create(list, 0);
    list.AddString((LPCTSTR)(DWORD_PTR)0x1111);
    list.AddString((LPCTSTR)(DWORD_PTR)0x2222);
    list.InsertString(0, (LPCTSTR)(DWORD_PTR)0x3333);
    EXPECT_EQ(0x3333u, list.GetItemData(0));
    EXPECT_EQ(0x2222u, list.GetItemData(2));
    EXPECT_EQ(2, list.FindString(-1, (LPCTSTR)(DWORD_PTR)0x2222));
    EXPECT_EQ(0, list.FindStringExact(1, (LPCTSTR)(DWORD_PTR)0x3333));
    EXPECT_EQ(LB_ERR, list.FindString(-1, (LPCTSTR)(DWORD_PTR)0x4444));
    EXPECT_EQ(1, list.SelectString(-1, (LPCTSTR)(DWORD_PTR)0x1111));
    EXPECT_EQ(1, list.GetCurSel());

    list.SetCheck(2, 1);
    list.DeleteString(0);
    EXPECT_EQ(1, list.GetCheck(1));
    EXPECT_EQ((std::vector<DWORD_PTR>{0x3333}), list.m_deletedData);
    list.DestroyWindow();
    EXPECT_EQ(3u, list.m_deletedData.size());
}

TEST_F(CheckListBoxTest, DrawsClassicSunkenBoxesWithCheckMarks)
{
    CCheckListBox list;
    Create(list);
    AddItems(list);
    list.SetCheck(0, 1);
    list.SetCheck(2, 1);
    list.Enable(2, FALSE);
    EXPECT_GE((UINT)list.GetItemHeight(0), list.CalcMinimumItemHeight());
    EXPECT_GE(list.CalcMinimumItemHeight(), (UINT)CCheckListBox::CHECKBOX_SIZE + 2);

    DibCanvas canvas(200, 150, RGB(1, 2, 3));
    list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);

    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crDark = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF crLight = ::GetSysColor(COLOR_3DLIGHT);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);

    for (int nItem = 0; nItem < 3; ++nItem)
    {
        CRect rectItem;
        list.GetItemRect(nItem, &rectItem);
        int nTop = rectItem.top + (rectItem.Height() - CCheckListBox::CHECKBOX_SIZE) / 2;
        CRect box(rectItem.left + 1, nTop, rectItem.left + 14, nTop + 13);
        BOOL bChecked = nItem != 1;
        BOOL bEnabled = nItem != 2;
        COLORREF crMark = bEnabled ? crText : crShadow;
        COLORREF crInside = bEnabled ? crWindow : crFace;

        // The expected 13 x 13 picture, row by row.
        auto expected = [&](int x, int y) -> COLORREF {
            if (y == 0 || x == 0)
                return (y == 12 || x == 12) ? crHighlight : crShadow;
            if (y == 12 || x == 12)
                return crHighlight;
            if (y == 1 || x == 1)
                return (y == 11 || x == 11) ? crLight : crDark;
            if (y == 11 || x == 11)
                return crLight;
            int nColumn = x - 3;
            if (bChecked && nColumn >= 0 && nColumn < 7)
            {
                int nMarkTop = nColumn <= 2 ? 5 + nColumn : 9 - nColumn;
                if (y >= nMarkTop && y < nMarkTop + 3)
                    return crMark;
            }
            return crInside;
        };
        std::string mismatches;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                if (canvas.Pixel(box.left + x, box.top + y) != expected(x, y) && mismatches.size() < 200)
                    mismatches += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
        EXPECT_EQ("", mismatches) << "item " << nItem;
    }
    // The item's text is drawn right of the box; a disabled item's text is grey.
    CRect rectItem;
    list.GetItemRect(2, &rectItem);
    CRect rectText(rectItem.left + 16, rectItem.top, rectItem.right, rectItem.bottom);
    EXPECT_GT(canvas.Count(::GetSysColor(COLOR_GRAYTEXT), rectText), 10);
    EXPECT_EQ(0, canvas.Count(RGB(1, 2, 3), rectItem));
}

} // namespace
