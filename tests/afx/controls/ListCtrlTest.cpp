// The list control in report view on real windows: columns, items and sub-items with GBK text,
// selection walks, sorting through a callback, image lists, hit tests and owner draw.
#include "GuiTestSupport.h"
#include "DibCanvas.h"

#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT ID_LIST = 300;

class ListCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateHidden());
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                                      LVS_EDITLABELS,
                                  CRect(0, 0, 380, 250), &m_parent, ID_LIST));
        EXPECT_EQ(0, m_list.InsertColumn(0, "文件名", LVCFMT_LEFT, 120));
        EXPECT_EQ(1, m_list.InsertColumn(1, "大小", LVCFMT_RIGHT, 80, 1));
        EXPECT_EQ(2, m_list.InsertColumn(2, "类型"));
    }

    void AddFiles()
    {
        const char* names[] = {"安装说明.txt", "程序.exe", "数据.zip"};
        const char* sizes[] = {"2 KB", "310 KB", "45 KB"};
        for (int i = 0; i < 3; ++i)
        {
            ASSERT_EQ(i, m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, names[i], 0, 0, 0, (LPARAM)(i + 1) * 10));
            ASSERT_TRUE(m_list.SetItemText(i, 1, sizes[i]));
        }
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            names.push_back((LPCTSTR)m_list.GetItemText(i, 0));
        return names;
    }

    CTestTopWindow m_parent;
    CListCtrl m_list;
};

TEST_F(ListCtrlTest, ColumnsHaveHeadingsWidthsAndCanBeRemoved)
{
    CWnd* pHeader = m_list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(3, (int)pHeader->SendMessage(HDM_GETITEMCOUNT));
    EXPECT_EQ(120, m_list.GetColumnWidth(0));
    EXPECT_EQ(80, m_list.GetColumnWidth(1));
    EXPECT_TRUE(m_list.SetColumnWidth(1, 95));
    EXPECT_EQ(95, m_list.GetColumnWidth(1));

    char szHeading[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = szHeading;
    column.cchTextMax = sizeof szHeading;

    EXPECT_TRUE(m_list.DeleteColumn(0));
    EXPECT_EQ(2, (int)pHeader->SendMessage(HDM_GETITEMCOUNT));
    ASSERT_TRUE(m_list.GetColumn(0, &column));
    EXPECT_STREQ("大小", szHeading);
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);
}

TEST_F(ListCtrlTest, ItemsKeepTextSubItemTextAndData)
{
    AddFiles();
    EXPECT_EQ(3, m_list.GetItemCount());
    EXPECT_EQ(1, m_list.InsertItem(1, "插入.dll"));
    EXPECT_EQ(4, m_list.GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"安装说明.txt", "插入.dll", "程序.exe", "数据.zip"}), Names());
    EXPECT_STREQ("310 KB", m_list.GetItemText(2, 1));
    EXPECT_STREQ("", m_list.GetItemText(1, 1));

    char szText[16];
    EXPECT_EQ(6, m_list.GetItemText(2, 1, szText, sizeof szText));
    EXPECT_STREQ("310 KB", szText);

    // Longer than the first buffer GetItemText tries.
    std::string strLong(700, 'x');
    strLong += "尾";
    ASSERT_TRUE(m_list.SetItemText(0, 2, strLong.c_str()));
    EXPECT_EQ(strLong, (LPCTSTR)m_list.GetItemText(0, 2));

    EXPECT_EQ(20u, m_list.GetItemData(2));
    EXPECT_TRUE(m_list.SetItemData(1, 0xABCDEF));
    EXPECT_EQ(0xABCDEFu, m_list.GetItemData(1));
    EXPECT_STREQ("插入.dll", m_list.GetItemText(1, 0));

    EXPECT_TRUE(m_list.DeleteItem(0));
    EXPECT_EQ((std::vector<std::string>{"插入.dll", "程序.exe", "数据.zip"}), Names());
    EXPECT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(ListCtrlTest, SelectedItemsAreWalkedInOrder)
{
    AddFiles();
    m_list.InsertItem(3, "附录.pdf");
    EXPECT_EQ(nullptr, m_list.GetFirstSelectedItemPosition());

    m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    m_list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(2u, m_list.GetSelectedCount());
    EXPECT_EQ((UINT)LVIS_SELECTED, m_list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(3, m_list.GetNextItem(-1, LVNI_FOCUSED));

    std::vector<int> selected;
    POSITION pos = m_list.GetFirstSelectedItemPosition();
    while (pos != NULL)
        selected.push_back(m_list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{1, 3}), selected);

    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(nullptr, m_list.GetFirstSelectedItemPosition());
}

int CALLBACK CompareByData(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    int nOrder = lParam1 < lParam2 ? -1 : lParam1 > lParam2 ? 1 : 0;
    return lParamSort != 0 ? -nOrder : nOrder;
}

TEST_F(ListCtrlTest, SortItemsOrdersByTheCallbackOnItemData)
{
    AddFiles();
    m_list.SetItemData(0, 25);   // 安装说明 between the other two
    ASSERT_TRUE(m_list.SortItems(CompareByData, 1));
    EXPECT_EQ((std::vector<std::string>{"数据.zip", "安装说明.txt", "程序.exe"}), Names());
    EXPECT_STREQ("45 KB", m_list.GetItemText(0, 1));   // sub-items move with their item
    ASSERT_TRUE(m_list.SortItems(CompareByData, 0));
    EXPECT_EQ((std::vector<std::string>{"程序.exe", "安装说明.txt", "数据.zip"}), Names());
}

TEST_F(ListCtrlTest, HitTestsSubItemRectsAndImageLists)
{
    AddFiles();
    CRect rectItem;
    ASSERT_TRUE(m_list.GetItemRect(1, &rectItem, LVIR_BOUNDS));
    EXPECT_GT(rectItem.Height(), 0);
    UINT nFlags = 0;
    EXPECT_EQ(1, m_list.HitTest(CPoint(20, rectItem.CenterPoint().y), &nFlags));
    EXPECT_TRUE(nFlags & LVHT_ONITEM);
    EXPECT_EQ(-1, m_list.HitTest(CPoint(20, 240)));
    CRect rectSize;
    ASSERT_TRUE(m_list.GetSubItemRect(1, 1, LVIR_BOUNDS, rectSize));
    EXPECT_EQ(120, rectSize.left - rectItem.left);
    EXPECT_EQ(80, rectSize.Width());

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0));
    EXPECT_EQ(nullptr, m_list.SetImageList(&images, LVSIL_SMALL));
    EXPECT_EQ(&images, m_list.GetImageList(LVSIL_SMALL));
    EXPECT_EQ(nullptr, m_list.GetImageList(LVSIL_NORMAL));
}

TEST_F(ListCtrlTest, EditLabelGivesTheEditControlWithTheItemText)
{
    AddFiles();
    m_parent.ShowWindow(SW_SHOWNA);
    m_list.SetFocus();
    CEdit* pEdit = m_list.EditLabel(1);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pEdit->m_hWnd, m_list.GetEditControl()->m_hWnd);
    CString strText;
    pEdit->GetWindowText(strText);
    EXPECT_STREQ("程序.exe", strText);
    m_list.SendMessage(LVM_CANCELEDITLABEL);
    m_parent.ShowWindow(SW_HIDE);
}

// Paints every row in a colour taken from its item data.
class COwnerDrawList : public CListCtrl
{
public:
    int m_nDraws = 0;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_nDraws++;
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem,
                                                              (COLORREF)lpDrawItemStruct->itemData);
    }
};

TEST_F(ListCtrlTest, OwnerDrawnReportViewDrawsItsRowsThroughTheControl)
{
    COwnerDrawList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER,
                            CRect(0, 0, 100, 100), &m_parent, ID_LIST + 1));
    list.InsertColumn(0, "名称", LVCFMT_LEFT, 100);
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "甲", 0, 0, 0, (LPARAM)RGB(0, 0, 255));
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, "乙", 0, 0, 0, (LPARAM)RGB(0, 255, 0));
    CRect rectFirst;
    CRect rectSecond;
    list.GetItemRect(0, &rectFirst, LVIR_BOUNDS);
    list.GetItemRect(1, &rectSecond, LVIR_BOUNDS);

    DibCanvas canvas(100, 100);
    list.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_GE(list.m_nDraws, 2);
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(50, rectFirst.CenterPoint().y));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(50, rectSecond.CenterPoint().y));
}

} // namespace
