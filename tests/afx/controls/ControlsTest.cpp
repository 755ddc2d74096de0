// The standard controls and the tool tip control on real windows: owner draw reflected to the control
// class, and the members that do more than send one message: GBK item text, hit tests, edit lines and
// selections, the scroll limit.
#include "GuiTestSupport.h"
#include "DibCanvas.h"

#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT ID_CONTROL = 100;
const UINT ID_OTHER = 101;
const COLORREF RED = RGB(255, 0, 0);

// A parent that answers tool tips that ask for their text.
class CControlParent : public CTestTopWindow
{
public:
    int m_nTextRequests = 0;

    afx_msg void OnNeedText(NMHDR* pNMHDR, LRESULT*)
    {
        m_nTextRequests++;
        NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        lstrcpyA(pInfo->szText, "回调文字");
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlParent, CTestTopWindow)
    ON_NOTIFY(TTN_NEEDTEXTA, ID_OTHER, OnNeedText)
END_MESSAGE_MAP()

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_parent.CreateHidden()); }

    CControlParent m_parent;
};

CRect Place(int x, int y, int cx, int cy)
{
    return CRect(x, y, x + cx, y + cy);
}

// ---- owner draw through reflection ----

class CRedButton : public CButton
{
public:
    int m_nDraws = 0;
    DRAWITEMSTRUCT m_last = {};

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_nDraws++;
        m_last = *lpDrawItemStruct;
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RED);
    }
};

class CRedStatic : public CStatic
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RED);
    }
};

// Draws each item in the colour its data names, keeps the items sorted by data, highest first, and
// records the data of the items it deletes.
template <class TBase> class COwnerDrawn : public TBase
{
public:
    std::vector<DWORD_PTR> m_deleted;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        if ((int)lpDrawItemStruct->itemID >= 0)
            CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem,
                                                                  (COLORREF)lpDrawItemStruct->itemData);
    }
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override
    {
        DWORD_PTR d1 = lpCompareItemStruct->itemData1;
        DWORD_PTR d2 = lpCompareItemStruct->itemData2;
        return d1 > d2 ? -1 : d1 < d2 ? 1 : 0;
    }
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override { m_deleted.push_back(lpDeleteItemStruct->itemData); }
};

TEST_F(ControlsTest, OwnerDrawnButtonAndStaticDrawThemselvesThroughTheParent)
{
    CRedButton button;
    ASSERT_TRUE(button.Create("按钮", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, Place(10, 10, 60, 30), &m_parent, ID_CONTROL));
    DibCanvas canvas(60, 30);
    button.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
    EXPECT_GE(button.m_nDraws, 1);
    EXPECT_EQ((UINT)ODT_BUTTON, button.m_last.CtlType);
    EXPECT_EQ(ID_CONTROL, button.m_last.CtlID);
    EXPECT_EQ(button.m_hWnd, button.m_last.hwndItem);
    EXPECT_EQ(60 * 30, canvas.Count(RED));

    CRedStatic label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, Place(10, 50, 40, 20), &m_parent, ID_OTHER));
    DibCanvas labelCanvas(40, 20);
    label.SendMessage(WM_PRINTCLIENT, (WPARAM)labelCanvas.dc.m_hDC, PRF_CLIENT);
    EXPECT_EQ(40 * 20, labelCanvas.Count(RED));
}

TEST_F(ControlsTest, OwnerDrawnListBoxDrawsSortsAndDeletesItsItems)
{
    COwnerDrawn<CListBox> list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_SORT | LBS_NOINTEGRALHEIGHT,
                            Place(0, 0, 50, 100), &m_parent, ID_CONTROL));
    list.SetItemHeight(0, 10);
    // Without strings, the added value is the item's data and the control's CompareItem places it.
    const COLORREF blue = RGB(0, 0, 200), green = RGB(0, 200, 0), red = RGB(200, 0, 0);
    for (COLORREF colour : {green, red, blue})
        list.AddString((LPCTSTR)(DWORD_PTR)colour);
    EXPECT_EQ((std::vector<DWORD_PTR>{blue, green, red}),
              (std::vector<DWORD_PTR>{list.GetItemData(0), list.GetItemData(1), list.GetItemData(2)}));

    DibCanvas canvas(50, 100);
    list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
    EXPECT_EQ(blue, canvas.Pixel(25, 5));
    EXPECT_EQ(green, canvas.Pixel(25, 15));
    EXPECT_EQ(red, canvas.Pixel(25, 25));

    list.DeleteString(1);
    EXPECT_EQ((std::vector<DWORD_PTR>{green}), list.m_deleted);
    list.ResetContent();
    EXPECT_EQ(3u, list.m_deleted.size());
    list.DestroyWindow();
}

TEST_F(ControlsTest, OwnerDrawnComboBoxSortsAndDeletesThroughTheControl)
{
    COwnerDrawn<CComboBox> combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT,
                             Place(0, 0, 80, 120), &m_parent, ID_CONTROL));
    for (DWORD_PTR data : {20, 10, 30})
        combo.AddString((LPCTSTR)data);
    EXPECT_EQ((std::vector<DWORD_PTR>{30, 20, 10}),
              (std::vector<DWORD_PTR>{combo.GetItemData(0), combo.GetItemData(1), combo.GetItemData(2)}));
    combo.DeleteString(0);
    EXPECT_EQ((std::vector<DWORD_PTR>{30}), combo.m_deleted);
    combo.DestroyWindow();
}

// ---- list box, combo box and edit: the members with code of their own ----

TEST_F(ControlsTest, ListAndComboReadGbkItemsAndHitTestItems)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, Place(0, 0, 150, 200),
                            &m_parent, ID_CONTROL));
    list.AddString("安装程序");
    list.AddString("安装目录");
    CString strText;
    list.GetText(1, strText);
    EXPECT_STREQ("安装目录", strText);
    EXPECT_EQ(1, list.FindString(0, "安装"));

    CRect rectItem;
    ASSERT_NE(LB_ERR, list.GetItemRect(1, &rectItem));
    BOOL bOutside = TRUE;
    EXPECT_EQ(1u, list.ItemFromPoint(rectItem.CenterPoint(), bOutside));
    EXPECT_FALSE(bOutside);
    list.ItemFromPoint(CPoint(5, 190), bOutside);
    EXPECT_TRUE(bOutside);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, Place(0, 0, 150, 150), &m_parent,
                             ID_OTHER));
    combo.AddString("简体中文");
    combo.AddString("繁体中文");
    combo.GetLBText(1, strText);
    EXPECT_STREQ("繁体中文", strText);
    combo.GetLBText(9, strText);
    EXPECT_TRUE(strText.IsEmpty());
    combo.SetWindowText("target folder");
    EXPECT_TRUE(combo.SetEditSel(2, 6));
    EXPECT_EQ((DWORD)MAKELONG(2, 6), combo.GetEditSel());
}

// Positions of double-byte characters differ between Windows (bytes) and Wine (characters): the
// positions below lie in single-byte text.
TEST_F(ControlsTest, EditSelectsReplacesAndReadsLines)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                            Place(0, 0, 200, 100), &m_parent, ID_CONTROL));
    edit.SetWindowText("first\r\n第二行\r\nthird");
    char szLine[64];
    int nCopied = edit.GetLine(1, szLine, sizeof szLine);
    EXPECT_EQ("第二行", std::string(szLine, nCopied));
    memset(szLine, '#', sizeof szLine);
    EXPECT_EQ(1, edit.GetLine(2, szLine, 1));
    EXPECT_EQ('t', szLine[0]);
    EXPECT_EQ('#', szLine[1]);

    edit.SetSel(1, 4);
    int nStart = 0;
    int nEnd = 0;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart);
    EXPECT_EQ(4, nEnd);
    edit.ReplaceSel("第一", TRUE);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ("f第一t\r\n第二行\r\nthird", strText);
}

TEST_F(ControlsTest, ScrollBarLimitsThePositionByItsPage)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, Place(0, 0, 200, 16), &m_parent, ID_CONTROL));
    bar.SetScrollRange(0, 100);
    SCROLLINFO info = {};
    info.fMask = SIF_PAGE;
    info.nPage = 10;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(91, bar.GetScrollLimit());
}

// ---- tool tips ----

TEST_F(ControlsTest, ToolTipsAddUpdateFindAndRemoveTools)
{
    CStatic label;
    ASSERT_TRUE(label.Create("标签", WS_CHILD | WS_VISIBLE, Place(10, 10, 60, 20), &m_parent, ID_CONTROL));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_parent, TTS_ALWAYSTIP));
    EXPECT_EQ(m_parent.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));

    ASSERT_TRUE(tip.AddTool(&label, "第一个提示"));
    CRect rectTool = Place(100, 100, 50, 50);
    ASSERT_TRUE(tip.AddTool(&m_parent, "区域提示", &rectTool, 7));
    EXPECT_EQ(2, tip.GetToolCount());

    CString strText;
    tip.GetText(strText, &label);
    EXPECT_STREQ("第一个提示", strText);
    tip.UpdateTipText("新的提示", &label);
    tip.GetText(strText, &label);
    EXPECT_STREQ("新的提示", strText);
    CToolInfo info;
    ASSERT_TRUE(tip.GetToolInfo(info, &m_parent, 7));
    EXPECT_EQ(rectTool, CRect(info.rect));
    EXPECT_STREQ("区域提示", info.szText);

    TOOLINFOA hit = {};
    ASSERT_TRUE(tip.HitTest(&m_parent, CPoint(120, 120), &hit));
    EXPECT_EQ(7u, hit.uId);
    EXPECT_FALSE(tip.HitTest(&m_parent, CPoint(20, 200), &hit));
    CRect rectMoved = Place(0, 180, 50, 50);
    tip.SetToolRect(&m_parent, 7, &rectMoved);
    EXPECT_TRUE(tip.HitTest(&m_parent, CPoint(20, 200), &hit));

    // A tool without text of its own: its window is asked each time.
    CRect rectCallback = Place(200, 0, 40, 40);
    ASSERT_TRUE(tip.AddTool(&m_parent, LPSTR_TEXTCALLBACK, &rectCallback, ID_OTHER));
    tip.GetText(strText, &m_parent, ID_OTHER);
    EXPECT_STREQ("回调文字", strText);
    EXPECT_EQ(1, m_parent.m_nTextRequests);

    tip.DelTool(&label);
    EXPECT_EQ(2, tip.GetToolCount());
    EXPECT_FALSE(tip.GetToolInfo(info, &label));
}

} // namespace
