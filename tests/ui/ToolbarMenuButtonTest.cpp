#include "QENTearOffManager.h"
#include "QENToolbarMenuButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kOpen = 0x6201;
const UINT kSave = 0x6202;
const UINT kTearOffId = 0xE900;

// Open, a separator, and the submenu Recent (torn off as kTearOffId) with Save.
HMENU MakeMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenuA(hRecent, MF_STRING | MF_GRAYED, kSave, "&Save");
    ::AppendMenuA(hMenu, MF_STRING | MF_CHECKED, kOpen, "&Open\tCtrl+O");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    CString strRecent = "&Recent";
    CQENTearOffManager::BuildTearOffText(kTearOffId, strRecent);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hRecent, strRecent);
    return hMenu;
}

// The items of a button's menu as "label/id/flags", submenus in brackets.
std::string Describe(const CObList& items)
{
    std::string text;
    for (POSITION pos = items.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pItem = static_cast<const CQENToolbarButton*>(items.GetNext(pos));
        if (pItem->IsSeparator())
        {
            text += "- ";
            continue;
        }
        text += std::string((LPCTSTR)pItem->m_strLabel) + "/" + std::to_string(pItem->m_nCommandId & 0xFFFF);
        if (pItem->m_nStyle & TBBS_DISABLED)
            text += "/disabled";
        if (pItem->m_nStyle & TBBS_CHECKED)
            text += "/checked";
        const CQENToolbarMenuButton* pMenu = dynamic_cast<const CQENToolbarMenuButton*>(pItem);
        if (pMenu != NULL && pMenu->HasSubItems())
            text += "/tear-off " + std::to_string(pMenu->TearOffId()) + " [" + Describe(pMenu->m_SubItems) + "]";
        text += " ";
    }
    return text;
}

std::string Stored(CQENToolbarMenuButton& button, int nMajor, int nMinor)
{
    CQENToolbarMenuButton::s_nStateVersionMajor = nMajor;
    CQENToolbarMenuButton::s_nStateVersionMinor = nMinor;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
        ar.Close();
    }
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(CQENToolbarMenuButton& button, std::string bytes, int nMajor, int nMinor)
{
    CQENToolbarMenuButton::s_nStateVersionMajor = nMajor;
    CQENToolbarMenuButton::s_nStateVersionMinor = nMinor;
    CMemFile file(reinterpret_cast<BYTE*>(&bytes[0]), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

class ToolbarMenuButtonTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        CQENToolbarMenuButton::s_nStateVersionMajor = -1;
        CQENToolbarMenuButton::s_nStateVersionMinor = -1;
    }
};

} // namespace

TEST_F(ToolbarMenuButtonTest, AMenuComesInWithItsStatesAndTearOffIdsAndGoesOutAsTheSameMenu)
{
    HMENU hMenu = MakeMenu();
    CQENToolbarMenuButton button((UINT)-1, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    const std::string expected = "&Open\tCtrl+O/" + std::to_string(kOpen) + "/checked - &Recent/65535/tear-off " +
                                 std::to_string(kTearOffId) + " [&Save/" + std::to_string(kSave) + "/disabled ] ";
    EXPECT_EQ(expected, Describe(button.m_SubItems));

    HMENU hBuilt = button.BuildMenu();
    CQENToolbarMenuButton rebuilt((UINT)-1, hBuilt, -1, "&File");
    ::DestroyMenu(hBuilt);
    EXPECT_EQ(expected, Describe(rebuilt.m_SubItems));
}

TEST_F(ToolbarMenuButtonTest, CopiesOwnTheirSubItems)
{
    HMENU hMenu = MakeMenu();
    CQENToolbarMenuButton* pOriginal = new CQENToolbarMenuButton((UINT)-1, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    const std::string expected = Describe(pOriginal->m_SubItems);
    CQENToolbarMenuButton copy;
    copy.AssignFrom(*pOriginal);
    static_cast<CQENToolbarButton*>(pOriginal->m_SubItems.GetHead())->m_strLabel = "changed";
    delete pOriginal;
    EXPECT_EQ(expected, Describe(copy.m_SubItems));
    EXPECT_TRUE(copy.m_bHasMenu);
}

TEST_F(ToolbarMenuButtonTest, TheTearOffIdIsStoredFromVersion471OnAndOlderStateLoadsWithout)
{
    HMENU hMenu = MakeMenu();
    CQENToolbarMenuButton button((UINT)-1, hMenu, -1, "&File");
    ::DestroyMenu(hMenu);
    button.SetTearOffId(0x12345678);
    const std::string current = Stored(button, -1, -1);
    const std::string v471 = Stored(button, 4, 71);
    const std::string v470 = Stored(button, 4, 70);
    const std::string v500 = Stored(button, 5, 0);
    EXPECT_EQ(current, v471);
    EXPECT_EQ(current, v500);
    // Four menu buttons carry an id each: the button, Open, Recent and Save.
    ASSERT_EQ(v471.size(), v470.size() + 4 * 4);

    for (const auto& version : {std::make_pair(4, 71), std::make_pair(-1, -1)})
    {
        CQENToolbarMenuButton loaded;
        Load(loaded, current, version.first, version.second);
        EXPECT_EQ(0x12345678u, loaded.TearOffId());
        EXPECT_EQ(Describe(button.m_SubItems), Describe(loaded.m_SubItems));
        EXPECT_EQ("&File", std::string((LPCTSTR)loaded.m_strLabel));
    }
    CQENToolbarMenuButton old;
    old.SetTearOffId(7);
    Load(old, v470, 4, 70);
    EXPECT_EQ(0u, old.TearOffId());
    // The submenu's tear-off id was not stored either.
    std::string expected = Describe(button.m_SubItems);
    expected.replace(expected.find(std::to_string(kTearOffId)), std::to_string(kTearOffId).size(), "0");
    EXPECT_EQ(expected, Describe(old.m_SubItems));
}

TEST(TearOffManagerTest, IdsComeLowestFirstAndMenusGiveTheirsBack)
{
    CQENTearOffManager manager(100, 102);
    EXPECT_EQ(100u, manager.AllocateId());
    EXPECT_EQ(101u, manager.AllocateId());
    EXPECT_EQ(102u, manager.AllocateId());
    EXPECT_EQ(0u, manager.AllocateId());

    // A menu whose submenu's submenu carries 101.
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hOuter = ::CreatePopupMenu();
    HMENU hInner = ::CreatePopupMenu();
    ::AppendMenuA(hInner, MF_STRING, 1, "x");
    CString strInner = "Inner";
    CQENTearOffManager::BuildTearOffText(101, strInner);
    ::AppendMenuA(hOuter, MF_POPUP, (UINT_PTR)hInner, strInner);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hOuter, "Outer");
    manager.ReleaseIds(hMenu);
    ::DestroyMenu(hMenu);
    EXPECT_TRUE(manager.IsUsed(100));
    EXPECT_FALSE(manager.IsUsed(101));
    EXPECT_EQ(101u, manager.AllocateId());
    manager.ReleaseIds();
    EXPECT_EQ(100u, manager.AllocateId());

    CString strText = "\001" "42" "\001" "&View";
    EXPECT_EQ(42u, CQENTearOffManager::ParseTearOffText(strText));
    EXPECT_EQ("&View", std::string((LPCTSTR)strText));
    for (LPCTSTR lpszPlain : {"&View", "\001" "4x" "\001" "&View", "\001" "42"})
    {
        CString strPlain = lpszPlain;
        EXPECT_EQ(0u, CQENTearOffManager::ParseTearOffText(strPlain)) << lpszPlain;
        EXPECT_EQ(std::string(lpszPlain), std::string((LPCTSTR)strPlain));
    }
}
