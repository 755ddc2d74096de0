// Reading archives: end record search, prefix correction, local header and descriptor checks.
#include "TestArchive.h"

namespace
{
class ZipReadTest : public ZipTest
{
protected:
    // Opens the archive and extracts every entry into "out"; returns the cause of a ZIP error.
    int OpenAndExtract(const TestArchive& archive)
    {
        archive.WriteTo(Path("a.zip"));
        CZipPackage package;
        return ZipCauseOf([&] {
            package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
            EXPECT_TRUE(ExtractAll(package, "out").empty());
        });
    }
};

TEST_F(ZipReadTest, EndRecordIsFoundBehindTheLongestComment)
{
    TestArchive archive;
    archive.Add("a.txt", "alpha");
    archive.comment = MakeText(65535, 1);
    archive.WriteTo(Path("a.zip"));

    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(1, package.GetCount());
    EXPECT_EQ(65535, package.GetGlobalComment().GetLength());
    EXPECT_TRUE(package.GetGlobalComment() == CString(archive.comment.c_str()));
    EXPECT_TRUE(package.ExtractFile(0, Path("out")));
    EXPECT_EQ("alpha", ReadFileBytes(Path("out\\a.txt")));
}

TEST_F(ZipReadTest, EndRecordOneByteFurtherBackIsRefused)
{
    TestArchive archive;
    archive.Add("a.txt", "alpha");
    archive.comment = MakeText(65535, 1);
    archive.trailing = "x";
    EXPECT_EQ(CZipException::CorruptArchive, OpenAndExtract(archive));
}

TEST_F(ZipReadTest, EndRecordIsFoundAcrossSearchBlocks)
{
    // Around 32768 bytes from the end the signature straddles the first two search blocks.
    for (int shift = -5; shift <= 5; ++shift)
    {
        TestArchive archive;
        archive.Add("a.txt", "alpha");
        archive.comment = std::string(32768 - 22 + shift, 'c');
        archive.WriteTo(Path("a.zip"));
        CZipPackage package;
        EXPECT_EQ(0, ZipCauseOf([&] { package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1); }))
            << "shift " << shift;
        EXPECT_EQ(1, package.GetCount()) << "shift " << shift;
    }
}

TEST_F(ZipReadTest, EmptyArchiveOpensWithoutEntries)
{
    TestArchive archive;
    archive.WriteTo(Path("a.zip"));
    EXPECT_EQ(22u, ReadFileBytes(Path("a.zip")).size());
    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_FALSE(package.IsClosed());
    EXPECT_EQ(0, package.GetCount());
    CZipEntryHeader info;
    EXPECT_FALSE(package.GetFileInfo(info, 0));
}

TEST_F(ZipReadTest, BrokenEndRecordsAreRefused)
{
    WriteFileBytes(Path("empty.zip"), "");
    WriteFileBytes(Path("short.zip"), "PK\x05\x06");
    // Directory claimed to lie beyond the end record.
    WriteFileBytes(Path("beyond.zip"), EndRecord(0, 0, 1, 1, 46, 10, ""));
    // Entries without a directory, and a directory without entries.
    TestArchive counted;
    counted.Add("a.txt", "alpha");
    std::string bytes = counted.Build();
    std::string noSize = bytes;
    noSize.replace(noSize.size() - 10, 4, std::string(4, '\0'));
    WriteFileBytes(Path("nosize.zip"), noSize);
    std::string noCount = bytes;
    noCount.replace(noCount.size() - 12, 2, std::string(2, '\0'));
    WriteFileBytes(Path("nocount.zip"), noCount);

    for (const char* name : {"empty.zip", "short.zip", "beyond.zip", "nosize.zip", "nocount.zip"})
    {
        CZipPackage package;
        EXPECT_EQ(CZipException::CorruptArchive,
                  ZipCauseOf([&] { package.Open(Path(name), CZipPackage::ModeOpenReadOnly, 1); }))
            << name;
    }
}

TEST_F(ZipReadTest, PrefixedArchiveIsReadThroughTheCorrection)
{
    TestArchive archive;
    archive.prefix = MakeNoise(1000, 2);
    archive.Add("one.txt", MakeText(5000, 3));
    archive.Add("two.bin", MakeNoise(3000, 4), 0);
    archive.WriteTo(Path("a.zip"));

    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(1000u, package.GetBytesBeforeArchive());
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    EXPECT_EQ(archive.entries[0].data, ReadFileBytes(Path("out\\one.txt")));
    EXPECT_EQ(archive.entries[1].data, ReadFileBytes(Path("out\\two.bin")));
}

TEST_F(ZipReadTest, DescriptorsWithAndWithoutSignatureAreAccepted)
{
    TestArchive archive;
    archive.Add("signed.txt", MakeText(7000, 5)).descriptor = TestEntry::DescriptorWithSignature;
    archive.Add("bare.txt", MakeText(9000, 6)).descriptor = TestEntry::DescriptorWithoutSignature;
    archive.Add("stored.bin", MakeNoise(100, 7), 0).descriptor = TestEntry::DescriptorWithoutSignature;
    archive.Add("empty.txt", "").descriptor = TestEntry::DescriptorWithSignature;
    EXPECT_EQ(0, OpenAndExtract(archive));
    EXPECT_EQ("", ReadFileBytes(Path("out\\empty.txt")));
    EXPECT_EQ(archive.entries[0].data, ReadFileBytes(Path("out\\signed.txt")));
    EXPECT_EQ(archive.entries[1].data, ReadFileBytes(Path("out\\bare.txt")));
    EXPECT_EQ(archive.entries[2].data, ReadFileBytes(Path("out\\stored.bin")));
}

TEST_F(ZipReadTest, DescriptorIsFoundAfterAPartialRead)
{
    TestArchive archive;
    archive.Add("first.txt", MakeText(90000, 8)).descriptor = TestEntry::DescriptorWithoutSignature;
    archive.Add("second.txt", "second").descriptor = TestEntry::DescriptorWithSignature;
    archive.WriteTo(Path("a.zip"));

    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    char buffer[100];
    ASSERT_TRUE(package.OpenFile(0));
    EXPECT_EQ(100u, package.ReadFile(buffer, sizeof(buffer)));
    EXPECT_TRUE(package.CloseFile());
    EXPECT_TRUE(package.ExtractFile(1, Path("out")));
    EXPECT_EQ("second", ReadFileBytes(Path("out\\second.txt")));
}

TEST_F(ZipReadTest, LocalHeaderMismatchesAreRefused)
{
    std::vector<TestArchive> damaged(5);
    damaged[0].Add("name.txt", "data").localNameLength = 7;
    damaged[1].Add("method.txt", "data").localMethod = 0;
    TestEntry& descriptor = damaged[2].Add("descriptor.txt", "data");
    descriptor.descriptor = TestEntry::DescriptorWithSignature;
    descriptor.descriptorCrc = 1234;
    damaged[3].Add("size.txt", "data", 0);
    // A local header whose signature is damaged.
    damaged[4].Add("signature.txt", "data");
    for (size_t i = 0; i < damaged.size(); ++i)
    {
        std::string bytes = damaged[i].Build();
        if (i == 3)
            bytes[22] ^= 1;   // local uncompressed size differs from the central one
        if (i == 4)
            bytes[2] = 9;
        WriteFileBytes(Path("a.zip"), bytes);
        CZipPackage package;
        package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
        EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { package.ExtractFile(0, Path("out")); }))
            << "case " << i;
        EXPECT_EQ(0, ZipFileExists(Path("out\\") + damaged[i].entries[0].name.c_str())) << "case " << i;
    }
}

TEST_F(ZipReadTest, UnknownMethodIsRefusedOnOpeningTheEntry)
{
    TestArchive archive;
    archive.Add("plain.txt", "plain");
    archive.Add("method12.bin", "BZh91AY&SY", 12);
    archive.WriteTo(Path("a.zip"));

    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(2, package.GetCount());
    CZipEntryHeader info;
    ASSERT_TRUE(package.GetFileInfo(info, 1));
    EXPECT_EQ(12, info.m_uMethod);
    EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { package.OpenFile(1); }));
    package.Close(true);
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_TRUE(package.ExtractFile(0, Path("out")));
    EXPECT_EQ("plain", ReadFileBytes(Path("out\\plain.txt")));
}
}

namespace
{
// Entries whose bytes overlap, or that lie in the directory, are refused when the archive opens.
TEST_F(ZipReadTest, OverlappingEntriesAreRefusedBeforeAnythingIsWritten)
{
    TestArchive plain;
    plain.Add("a.txt", MakeText(3000, 51));
    plain.Add("b.txt", MakeText(3000, 52));
    std::string bytes = plain.Build();
    size_t dirOffset = DwordAt(bytes, bytes.size() - 6);
    size_t secondCentral = dirOffset + 46 + 5;
    auto patched = [&](size_t at, DWORD value) {
        std::string copy = bytes;
        for (int i = 0; i < 4; ++i)
            copy[at + i] = (char)(value >> (8 * i));
        return copy;
    };
    // The second entry points at the first one's header, into the first one's data, and into
    // the directory; the first one's data are said to run over the second header.
    std::vector<std::string> damaged = {patched(secondCentral + 42, 0), patched(secondCentral + 42, 100),
                                        patched(secondCentral + 42, (DWORD)dirOffset),
                                        patched(dirOffset + 20, DwordAt(bytes, dirOffset + 20) + 1)};
    for (size_t i = 0; i < damaged.size(); ++i)
    {
        WriteFileBytes(Path("a.zip"), damaged[i]);
        CZipPackage package;
        EXPECT_EQ(CZipException::CorruptArchive,
                  ZipCauseOf([&] { package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1); }))
            << "case " << i;
    }

    // A local extra field the directory does not know pushes the data over the next header.
    TestArchive pushed;
    pushed.Add("a.txt", "alpha").extra = std::string(8, 'x');
    pushed.Add("b.txt", "beta");
    std::string pushedBytes = pushed.Build();
    // The directory's sizes say the first entry ends where it does, less its extra field.
    size_t pushedDir = DwordAt(pushedBytes, pushedBytes.size() - 6);
    std::string moved = pushedBytes;
    DWORD secondOffset = DwordAt(moved, pushedDir + 46 + 5 + 42) - 8;
    for (int i = 0; i < 4; ++i)
        moved[pushedDir + 46 + 5 + 42 + i] = (char)(secondOffset >> (8 * i));
    WriteFileBytes(Path("a.zip"), moved);
    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { package.ExtractFile(0, Path("out")); }));
    EXPECT_FALSE(PathExists(Path("out\\a.txt")));
}
}

namespace
{
// A directory larger than one read of it: records run across the reads.
TEST_F(ZipReadTest, DirectoryLargerThanItsReadsIsReadWhole)
{
    TestArchive archive;
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i)
    {
        names.push_back(std::to_string(100 + i) + std::string(30000 + i, (char)('a' + i % 26)));
        archive.Add(names.back(), "");
    }
    archive.Add("last.txt", MakeText(5000, 61));
    std::string bytes = archive.Build();
    ASSERT_GT(DwordAt(bytes, bytes.size() - 10), 1u << 20);
    WriteFileBytes(Path("a.zip"), bytes);

    CZipPackage package;
    package.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1);
    ASSERT_EQ(41, package.GetCount());
    for (WORD i = 0; i < 40; ++i)
    {
        CZipEntryHeader info;
        ASSERT_TRUE(package.GetFileInfo(info, i));
        EXPECT_TRUE(info.m_strFileName == CString(names[i].data(), (int)names[i].size())) << i;
    }
    EXPECT_TRUE(package.ExtractFile(40, Path("out")));
    EXPECT_EQ(MakeText(5000, 61), ReadFileBytes(Path("out\\last.txt")));
    package.Close();

    // More entries counted than the directory holds, and a last record that runs into the end record.
    std::string overcounted = bytes;
    for (size_t at : {bytes.size() - 14, bytes.size() - 12})
        overcounted[at] = (char)(overcounted[at] + 1);
    std::string overrun = bytes;
    size_t lastCentral = DwordAt(bytes, bytes.size() - 6) + DwordAt(bytes, bytes.size() - 10) - (46 + 8);
    overrun[lastCentral + 28] = (char)(overrun[lastCentral + 28] + 1);
    for (const std::string& damaged : {overcounted, overrun})
    {
        WriteFileBytes(Path("a.zip"), damaged);
        CZipPackage broken;
        EXPECT_EQ(CZipException::CorruptArchive,
                  ZipCauseOf([&] { broken.Open(Path("a.zip"), CZipPackage::ModeOpenReadOnly, 1); }));
    }
}
}
