#include "QENCommandUsage.h"
#include "QENToolBar.h"
#include "ArchiveBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kBasic = 32771;
const UINT kOften = 0x5001;
const UINT kSometimes = 0x5002;

// Each test starts from empty statistics and the basic list of the installer's frame.
class CommandUsageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theCommandUsage.Reset();
        CList<UINT, UINT> basic;
        for (UINT nId : {32771u, 57600u, 57601u, 57603u, 57607u, 57665u, 57635u, 57637u, 57643u, 57664u, 59392u, 32770u})
            basic.AddTail(nId);
        CQENCommandUsage::SetBasicCommands(basic);
    }

    void TearDown() override
    {
        theCommandUsage.Reset();
        CQENCommandUsage::SetBasicCommands(CList<UINT, UINT>());
        CQENToolbarButton::s_lstNonCustomizable.RemoveAll();
    }

    static void Use(UINT nId, int nTimes)
    {
        for (int i = 0; i < nTimes; i++)
            theCommandUsage.AddCommand(nId);
    }
};

TEST_F(CommandUsageTest, CommandsAboveFivePercentAndBasicCommandsAreNotRare)
{
    EXPECT_FALSE(theCommandUsage.IsFrequentlyUsed(kOften));
    EXPECT_TRUE(CQENCommandUsage::IsRarelyUsedCommand(kOften));
    EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(kBasic));

    Use(kOften, 6);
    Use(kSometimes, 5);
    Use(0x5003, 89);
    ASSERT_EQ(100u, theCommandUsage.TotalUsage());
    EXPECT_TRUE(theCommandUsage.IsFrequentlyUsed(kOften));
    EXPECT_FALSE(theCommandUsage.IsFrequentlyUsed(kSometimes));
    EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(kOften));
    EXPECT_TRUE(CQENCommandUsage::IsRarelyUsedCommand(kSometimes));
    EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(kBasic));

    // Commands the framework manages are never rare, nor anything while customizing.
    for (UINT nId : {0u, 0xFFFFFFFFu, 0xE110u, 0xE21Fu, 0xF000u, 0xF1EFu, 0xFF00u})
        EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(nId)) << std::hex << nId;
    CQENToolBar::SwitchCustomizeMode(TRUE);
    EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(kSometimes));
    CQENToolBar::SwitchCustomizeMode(FALSE);

    // Without basic commands menus hide nothing.
    CQENCommandUsage::SetBasicCommands(CList<UINT, UINT>());
    EXPECT_FALSE(CQENCommandUsage::IsRarelyUsedCommand(kSometimes));

    theCommandUsage.Reset();
    EXPECT_EQ(0u, theCommandUsage.TotalUsage());
    EXPECT_FALSE(theCommandUsage.IsFrequentlyUsed(kOften));
}

TEST_F(CommandUsageTest, ReservedNonCustomizableAndCustomizeModeUsesAreNotCounted)
{
    CQENToolbarButton::s_lstNonCustomizable.AddTail(0x5004);
    for (UINT nId : {0u, 0xFFFFFFFFu, 0xE110u, 0xE210u, 0xF060u, 0xFF01u, 0x5004u})
        theCommandUsage.AddCommand(nId);
    EXPECT_EQ(0u, theCommandUsage.TotalUsage());

    CQENToolBar::SwitchCustomizeMode(TRUE);
    theCommandUsage.AddCommand(kOften);
    EXPECT_EQ(0u, theCommandUsage.TotalUsage());
    CQENToolBar::SwitchCustomizeMode(FALSE);
    theCommandUsage.AddCommand(kOften);
    EXPECT_EQ(1u, theCommandUsage.TotalUsage());
    EXPECT_TRUE(theCommandUsage.IsFrequentlyUsed(kOften));
}

TEST_F(CommandUsageTest, StoredCountsComeBackAndADamagedRecordChangesNothing)
{
    Use(kOften, 3);
    Use(kSometimes, 60);
    const std::string bytes = StoredBytes(theCommandUsage);
    // The counts as the framework writes a map (count, then id and count pairs), then the total.
    ASSERT_EQ(2u + 2 * 8 + 4, bytes.size());
    EXPECT_EQ(std::string("\x02\x00", 2), bytes.substr(0, 2));
    EXPECT_EQ(std::string("\x3F\x00\x00\x00", 4), bytes.substr(18));

    CQENCommandUsage loaded;
    ASSERT_TRUE(LoadFromBytes(loaded, bytes));
    EXPECT_EQ(63u, loaded.TotalUsage());
    EXPECT_FALSE(loaded.IsFrequentlyUsed(kOften));
    EXPECT_TRUE(loaded.IsFrequentlyUsed(kSometimes));

    EXPECT_FALSE(LoadFromBytes(loaded, bytes.substr(0, bytes.size() - 1)));
    EXPECT_EQ(63u, loaded.TotalUsage());
    EXPECT_TRUE(loaded.IsFrequentlyUsed(kSometimes));

    // Counts beyond what a 32-bit percentage can hold: 43 of 100 million uses are frequent.
    std::string big("\x01\x00", 2);
    for (DWORD dw : {DWORD(kOften), DWORD(43000000), DWORD(100000000)})
        big.append(reinterpret_cast<const char*>(&dw), 4);
    ASSERT_TRUE(LoadFromBytes(loaded, big));
    EXPECT_TRUE(loaded.IsFrequentlyUsed(kOften));
}

}   // namespace
