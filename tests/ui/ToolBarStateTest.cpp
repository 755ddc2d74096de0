#include "CustomizeButton.h"
#include "QENCommandUsage.h"
#include "QENPopupMenu.h"
#include "QENToolBar.h"
#include "GuiTestSupport.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Counts every object of it made: a stored list naming it must not make one.
class CNotAButton : public CObject
{
    DECLARE_SERIAL(CNotAButton)
public:
    CNotAButton() { s_nMade++; }
    static int s_nMade;
};
IMPLEMENT_SERIAL(CNotAButton, CObject, 1)
int CNotAButton::s_nMade = 0;

namespace {

const UINT kToolbar = 0x3E00;          // commands 1, separator, 2
const UINT kUpdatedToolbar = 0x3E20;   // commands 1, 3, separator
const int kBarId = 0xE820;

std::string Dword(DWORD dw)
{
    return std::string(reinterpret_cast<const char*>(&dw), 4);
}

// The stored record of a button: command id, style, image, empty text, user image, from the
// command list, show text, show image.
std::string ButtonRecord(UINT nCommandId, UINT nStyle, int iImage)
{
    return Dword(nCommandId) + Dword(nStyle) + Dword((DWORD)iImage) + std::string(1, '\0') + Dword(0) + Dword(0) +
           Dword(0) + Dword(1);
}

// The object list of commands 1, separator, 2 whose images start at iImage: the class record with
// the first object, a reference to it (class index 1) with the others.
std::string ResourceList(int iImage)
{
    return std::string("\x03\x00\xFF\xFF\x01\x00\x11\x00", 8) + "CQENToolbarButton" + ButtonRecord(1, 0, iImage) +
           std::string("\x01\x80", 2) + ButtonRecord(0, TBBS_SEPARATOR, -1) + std::string("\x01\x80", 2) +
           ButtonRecord(2, 0, iImage + 1);
}

std::vector<UINT> Commands(const CQENToolBar* pBar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < pBar->ButtonCount(); i++)
        if (pBar->ButtonAt(i) != pBar->CustomizeButton())
            ids.push_back(pBar->ButtonAt(i)->m_nCommandId);
    return ids;
}

class ToolBarStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strKey = "Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\App\\QENToolBars\\QENToolBar-" +
                   std::to_string(kBarId).c_str();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(NULL, "state", WS_OVERLAPPEDWINDOW, CRect(40, 40, 400, 300)));
    }

    void TearDown() override
    {
        for (CQENToolBar* pBar : m_bars)
        {
            pBar->DestroyWindow();
            delete pBar;
        }
        m_pFrame->DestroyWindow();
    }

    CQENToolBar* NewBar(UINT nResource)
    {
        CQENToolBar* pBar = new CQENToolBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->CreateEx(m_pFrame, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1), kBarId));
        EXPECT_TRUE(pBar->BuildFromResource(nResource));
        pBar->EnableCustomizeButton(TRUE, 0x9000, "自定义");
        pBar->SetWindowText("标准");
        return pBar;
    }

    std::string Stored(LPCTSTR lpszValue)
    {
        char buffer[1024];
        DWORD dwType = REG_NONE, cbData = sizeof buffer;
        if (::RegGetValueA(HKEY_CURRENT_USER, m_strKey, lpszValue, RRF_RT_ANY, &dwType, buffer, &cbData) != ERROR_SUCCESS)
            return "missing";
        return std::string(buffer, cbData);
    }

    void Store(LPCTSTR lpszValue, const std::string& bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, m_strKey, lpszValue, REG_BINARY, bytes.data(),
                                                   (DWORD)bytes.size()));
    }

    // The bar as the resource made it, its customize button last.
    void ExpectResourceContent(const CQENToolBar* pBar)
    {
        EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(pBar));
        ASSERT_TRUE(pBar->CustomizeButton() != NULL);
        EXPECT_EQ(pBar->CustomizeButton(), pBar->ButtonAt(pBar->ButtonCount() - 1));
    }

    CScratchRegistryKey m_scratch{"ToolBarState"};
    CString m_strKey;
    CFrameWnd* m_pFrame = NULL;   // deletes itself with its window
    std::vector<CQENToolBar*> m_bars;
};

} // namespace

TEST_F(ToolBarStateTest, TheBarIsStoredAsItsButtonsLabelsFlagAndNameAndComesBackWithoutBlockedCommands)
{
    CQENToolBar* pBar = NewBar(kToolbar);
    const int iImage = CQENToolBar::s_stdImages.ResourceImageOffset(kToolbar);
    ASSERT_TRUE(pBar->WriteState());

    // The customize button is not stored; the labels flag and the name follow the list.
    const std::string kName("\x04\xB1\xEA\xD7\xBC", 5);
    EXPECT_EQ(ResourceList(iImage) + Dword(0) + kName, Stored("Buttons"));
    EXPECT_EQ(std::string("\xB1\xEA\xD7\xBC\0", 5), Stored("Name"));
    EXPECT_EQ(ResourceList(iImage), Stored("OriginalItems"));

    CQENToolBar* pOther = NewBar(kToolbar);
    pOther->DeleteButtonAt(0);
    pOther->SetWindowText("别的");
    CQENToolBar::s_blockedCommands.AddTail(2u);
    const BOOL bRead = pOther->ReadState();
    CQENToolBar::s_blockedCommands.RemoveAll();
    ASSERT_TRUE(bRead);
    EXPECT_EQ((std::vector<UINT>{1, 0}), Commands(pOther));
    EXPECT_EQ(pOther->CustomizeButton(), pOther->ButtonAt(2));
    CString strName;
    pOther->GetWindowText(strName);
    EXPECT_STREQ("标准", strName);
    EXPECT_FALSE(pOther->m_bResourceChanged);

    EXPECT_TRUE(pOther->EraseStoredState());
    EXPECT_EQ("missing", Stored("Buttons"));
    EXPECT_FALSE(pOther->ReadState());
}

TEST_F(ToolBarStateTest, AResourceThatLostAndGainedCommandsIsMergedIntoTheStoredBar)
{
    CQENToolBar* pBar = NewBar(kToolbar);
    pBar->DeleteButtonAt(1);   // the user took the separator out
    ASSERT_TRUE(pBar->WriteState());

    CQENToolBar* pUpdated = NewBar(kUpdatedToolbar);
    ASSERT_TRUE(pUpdated->ReadState());
    // Command 2 is gone with the resource; command 3 comes in at its resource place.
    EXPECT_EQ((std::vector<UINT>{1, 3}), Commands(pUpdated));
    EXPECT_TRUE(pUpdated->m_bResourceChanged);
    EXPECT_EQ(pUpdated->CustomizeButton(), pUpdated->ButtonAt(2));
}

TEST_F(ToolBarStateTest, DamagedStoredValuesNeverMakeForeignObjectsAndGiveTheResourceOrKeepTheBar)
{
    CQENToolBar* pBar = NewBar(kToolbar);
    ASSERT_TRUE(pBar->WriteState());
    const std::string strButtons = Stored("Buttons");
    const std::string kForeignList = std::string("\x01\x00\xFF\xFF\x01\x00\x0B\x00", 8) + "CNotAButton";

    struct
    {
        const char* pszWhat;
        std::string bytes;
    } damaged[] = {
        {"a list of another class", kForeignList + Dword(0) + std::string(1, '\0')},
        {"a list that breaks off", strButtons.substr(0, strButtons.size() - 20)},
        {"a null entry", std::string("\x01\x00\x00\x00", 4) + Dword(0) + std::string(1, '\0')},
    };
    for (const auto& test : damaged)
    {
        SCOPED_TRACE(test.pszWhat);
        pBar->DeleteButtonAt(0);
        Store("Buttons", test.bytes);
        EXPECT_EQ(test.pszWhat == damaged[2].pszWhat, pBar->ReadState() != FALSE);
        ExpectResourceContent(pBar);
    }

    // A name longer than memory: nothing is read, the bar stays or gets its resource back.
    pBar->DeleteButtonAt(1);
    Store("Buttons", strButtons.substr(0, strButtons.size() - 5) + std::string("\xFF\xFF\xFF\xFE\xFF\xFF\x7F", 7));
    EXPECT_FALSE(pBar->ReadState());
    const std::vector<UINT> content = Commands(pBar);
    EXPECT_TRUE(content == (std::vector<UINT>{1, 2}) || content == (std::vector<UINT>{1, 0, 2}));
    EXPECT_EQ(pBar->CustomizeButton(), pBar->ButtonAt(pBar->ButtonCount() - 1));

    // Stored original items of another class are not merged; the buttons still come back.
    Store("Buttons", strButtons);
    Store("OriginalItems", kForeignList);
    CQENToolBar* pUpdated = NewBar(kUpdatedToolbar);
    EXPECT_TRUE(pUpdated->ReadState());
    EXPECT_EQ((std::vector<UINT>{1, 0, 2}), Commands(pUpdated));
    EXPECT_EQ(0, CNotAButton::s_nMade);
}

TEST_F(ToolBarStateTest, ClassWideOptionsAreStoredInTheirOrderAndAMissingOneFailsTheLoad)
{
    const BOOL bTooltips = CQENToolBar::s_bTooltipsOn;
    const int nAnimation = CQENPopupMenu::s_nMenuAnimation;
    const BOOL bShadows = CQENPopupMenu::s_bMenuShadows;
    CQENToolBar::s_bTooltipsOn = FALSE;
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationSlide;
    CQENPopupMenu::s_bMenuShadows = FALSE;
    ASSERT_TRUE(CQENToolBar::WriteGlobalOptions());

    const CString strKey = "Software\\" + CString(AfxGetApp()->m_pszRegistryKey) + "\\App\\QENToolBars\\QENToolbarParameters";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_ALL_ACCESS, &hKey));
    std::vector<std::string> names;
    char szName[64];
    for (DWORD i = 0, cch = sizeof szName; ::RegEnumValueA(hKey, i, szName, &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
         i++, cch = sizeof szName)
        names.push_back(szName);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"CommandsUsage", "LargeIcons", "Look2000", "MenuAnimation", "MenuShadows",
                                        "RecentlyUsedMenus", "ShortcutKeys", "ShowAllMenusAfterDelay", "Tooltips"}),
              names);
    DWORD dwValue = 7, cb = sizeof dwValue;
    EXPECT_EQ(ERROR_SUCCESS, ::RegGetValueA(hKey, NULL, "MenuAnimation", RRF_RT_REG_DWORD, NULL, &dwValue, &cb));
    EXPECT_EQ((DWORD)CQENPopupMenu::AnimationSlide, dwValue);

    CQENToolBar::s_bTooltipsOn = TRUE;
    CQENPopupMenu::s_nMenuAnimation = CQENPopupMenu::AnimationNone;
    CQENPopupMenu::s_bMenuShadows = TRUE;
    EXPECT_TRUE(CQENToolBar::ReadGlobalOptions());
    EXPECT_FALSE(CQENToolBar::s_bTooltipsOn);
    EXPECT_EQ(CQENPopupMenu::AnimationSlide, CQENPopupMenu::s_nMenuAnimation);
    EXPECT_FALSE(CQENPopupMenu::s_bMenuShadows);

    // Without "MenuShadows" the load fails, and what came before it is kept.
    ::RegDeleteValueA(hKey, "MenuShadows");
    ::RegCloseKey(hKey);
    CQENToolBar::s_bTooltipsOn = TRUE;
    CQENPopupMenu::s_bMenuShadows = TRUE;
    EXPECT_FALSE(CQENToolBar::ReadGlobalOptions());
    EXPECT_FALSE(CQENToolBar::s_bTooltipsOn);
    EXPECT_TRUE(CQENPopupMenu::s_bMenuShadows);

    CQENToolBar::s_bTooltipsOn = bTooltips;
    CQENPopupMenu::s_nMenuAnimation = nAnimation;
    CQENPopupMenu::s_bMenuShadows = bShadows;
}
