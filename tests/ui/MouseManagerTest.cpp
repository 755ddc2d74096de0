#include "QENMouseManager.h"
#include "ScratchRegistryKey.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

std::string Dwords(std::initializer_list<DWORD> values)
{
    std::string bytes;
    for (DWORD dw : values)
        bytes.append(reinterpret_cast<const char*>(&dw), sizeof dw);
    return bytes;
}

CString CompanyKey()
{
    return CString("Software\\") + AfxGetApp()->m_pszRegistryKey + "\\App\\";
}

std::string StoredBindings(const CString& strKey)
{
    std::string bytes(256, '\0');
    DWORD cbBytes = (DWORD)bytes.size();
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey, "Mouse", RRF_RT_REG_BINARY, NULL, &bytes[0], &cbBytes) != ERROR_SUCCESS)
        return "<none>";
    bytes.resize(cbBytes);
    return bytes;
}

void StoreBindings(const CString& strKey, DWORD dwType, const std::string& bytes)
{
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, strKey, "Mouse", dwType, bytes.data(), (DWORD)bytes.size()));
}

} // namespace

TEST(MouseManagerTest, UnbindingAViewDropsItsEntryFromTheSavedBindings)
{
    CScratchRegistryKey key("Mouse");
    const CString strKey = CompanyKey() + "QENMouseManager";
    CQENMouseManager manager;
    ASSERT_TRUE(manager.RegisterView(0x20, "编辑视图", 0x71));
    ASSERT_TRUE(manager.RegisterView(0x110, "输出视图"));
    ASSERT_TRUE(manager.RegisterView(0x30, "列表视图"));
    EXPECT_FALSE(manager.RegisterView(0x40, "编辑视图"));
    EXPECT_EQ(0x20, manager.ViewIdOf("编辑视图"));
    EXPECT_EQ(-1, manager.ViewIdOf("树视图"));

    manager.BindDoubleClickCommand(0x20, 0x8002);
    manager.BindDoubleClickCommand(0x110, 0x8011);
    manager.BindDoubleClickCommand(0x30, 0x8003);
    ASSERT_TRUE(manager.WriteState(NULL));
    // Bucket by bucket, a view id in bucket (id / 16) modulo 17: 0x110 before 0x20 before 0x30.
    EXPECT_EQ(Dwords({3, 0x110, 0x8011, 0x20, 0x8002, 0x30, 0x8003}), StoredBindings(strKey));

    manager.BindDoubleClickCommand(0x20, 0);
    EXPECT_EQ(0u, manager.DoubleClickCommandOf(0x20));
    ASSERT_TRUE(manager.WriteState(""));
    EXPECT_EQ(Dwords({2, 0x110, 0x8011, 0x30, 0x8003}), StoredBindings(strKey));

    CQENMouseManager reloaded;
    reloaded.BindDoubleClickCommand(0x40, 0x8004);
    ASSERT_TRUE(reloaded.ReadState(NULL));
    EXPECT_EQ(0x8011u, reloaded.DoubleClickCommandOf(0x110));
    EXPECT_EQ(0x8003u, reloaded.DoubleClickCommandOf(0x30));
    EXPECT_EQ(0u, reloaded.DoubleClickCommandOf(0x40));
}

TEST(MouseManagerTest, DamagedStoredBindingsLeaveTheCurrentOnes)
{
    CScratchRegistryKey key("DamagedMouse");
    const CString strPath = CompanyKey() + "Work\\";
    CQENMouseManager manager;
    StoreBindings(strPath, REG_BINARY, Dwords({1, 7, 0x8007}));
    ASSERT_TRUE(manager.ReadState(strPath));
    ASSERT_EQ(0x8007u, manager.DoubleClickCommandOf(7));

    for (const std::string& damaged : {std::string("\x01\x00\x00", 3), Dwords({5, 8, 0x8008}), Dwords({2, 8, 0x8008, 9})})
    {
        StoreBindings(strPath, REG_BINARY, damaged);
        EXPECT_FALSE(manager.ReadState(strPath));
        EXPECT_EQ(0x8007u, manager.DoubleClickCommandOf(7));
        EXPECT_EQ(0u, manager.DoubleClickCommandOf(8));
    }
    StoreBindings(strPath, REG_SZ, std::string("garbage", 8));
    EXPECT_FALSE(manager.ReadState(strPath));
    EXPECT_EQ(0x8007u, manager.DoubleClickCommandOf(7));
}
