#include "QENCommandManager.h"
#include "ScratchRegistryKey.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandManagerTest, ACommandKeepsOneKindOfImage)
{
    CQENCommandManager manager;
    manager.BindCommandImage(0x8001, 4);
    manager.BindCommandImage(0x8001, 7, TRUE);
    manager.BindCommandImage(0x8002, 2, TRUE);
    manager.BindCommandImage(0x8002, 5);
    manager.BindCommandImage(0x8001, 6);
    manager.BindCommandImage(0, 1);
    manager.BindCommandImage((UINT)-1, 1, TRUE);
    EXPECT_EQ(6, manager.ImageOfCommand(0x8001));
    EXPECT_EQ(-1, manager.ImageOfCommand(0x8001, TRUE));
    EXPECT_EQ(2, manager.ImageOfCommand(0x8002, TRUE));
    EXPECT_EQ(-1, manager.ImageOfCommand(0x8002));
    EXPECT_EQ(-1, manager.ImageOfCommand(0));
    EXPECT_EQ(-1, manager.ImageOfCommand((UINT)-1, TRUE));

    // Unbinding forgets the user image only; the command may then take a standard one.
    manager.UnbindCommandImage(0x8001);
    manager.UnbindCommandImage(0x8002);
    EXPECT_EQ(6, manager.ImageOfCommand(0x8001));
    EXPECT_EQ(-1, manager.ImageOfCommand(0x8002, TRUE));
    manager.BindCommandImage(0x8002, 5);
    EXPECT_EQ(5, manager.ImageOfCommand(0x8002));
}

// The key the commands without images live under, and its one value as the registry holds it.
std::string StoredList(const CString& strKey)
{
    char buffer[256];
    DWORD dwType = REG_NONE, cbData = sizeof buffer;
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey, "CommandsWithoutImages", RRF_RT_ANY, &dwType, buffer, &cbData) !=
            ERROR_SUCCESS ||
        dwType != REG_BINARY)
        return "missing";
    return std::string(buffer, cbData);
}

TEST(CommandManagerTest, CommandsWithoutImagesGoToTheRegistryAndComeBack)
{
    CScratchRegistryKey scratch("CommandManager");
    const CString strCompany = AfxGetApp()->m_pszRegistryKey;
    CQENCommandManager manager;
    manager.SetMenuImageShown(0x8003, FALSE);
    manager.SetMenuImageShown(0x8001, FALSE);
    manager.SetMenuImageShown(0x8003, FALSE);
    manager.SetMenuImageShown(0x8002, FALSE);
    manager.SetMenuImageShown(0x8002, TRUE);
    manager.SetMenuImageShown(0x8004, TRUE);
    EXPECT_TRUE(manager.HasNoMenuImage(0x8003));
    EXPECT_FALSE(manager.HasNoMenuImage(0x8002));
    EXPECT_FALSE(manager.HasNoMenuImage(0x8004));

    // The framework's list stream: a 16-bit count, then each id in 32 bits, in the order they came.
    ASSERT_TRUE(manager.WriteState(""));
    ASSERT_TRUE(manager.WriteState("Software\\" + strCompany + "\\Workspace\\"));
    const std::string kStream("\x02\0\x03\x80\0\0\x01\x80\0\0", 10);
    EXPECT_EQ(kStream, StoredList("Software\\" + strCompany + "\\App\\QENToolBars\\QENCommandManager"));
    EXPECT_EQ(kStream, StoredList("Software\\" + strCompany + "\\Workspace\\QENCommandManager"));

    CQENCommandManager restored;
    restored.SetMenuImageShown(0x8005, FALSE);
    ASSERT_TRUE(restored.ReadState(NULL));
    EXPECT_TRUE(restored.HasNoMenuImage(0x8001));
    EXPECT_TRUE(restored.HasNoMenuImage(0x8003));
    EXPECT_FALSE(restored.HasNoMenuImage(0x8005));

    // Nothing stored, or a stream that breaks off: the list stays as it was.
    EXPECT_FALSE(restored.ReadState("Software\\" + strCompany + "\\Nowhere\\"));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\" + strCompany + "\\Workspace\\QENCommandManager",
                                               "CommandsWithoutImages", REG_BINARY, "\x03\0\x07\x80\0\0\x08\x80", 8));
    EXPECT_FALSE(restored.ReadState("Software\\" + strCompany + "\\Workspace\\"));
    EXPECT_TRUE(restored.HasNoMenuImage(0x8003));
    EXPECT_FALSE(restored.HasNoMenuImage(0x8007));
}

} // namespace
