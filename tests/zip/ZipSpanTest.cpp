// Numbered-file spans: reading volumes, creating them, the volume limit, and turning a span
// that fits on one volume into a plain archive.
#include "TestArchive.h"

namespace
{
class ZipSpanTest : public ZipTest
{
protected:
    // Lays the marker and the local records out as one stream, cuts it into volumes at the
    // given positions and puts the directory and end record on the last volume. A header that
    // starts at a cut is given the end of the earlier volume as its place when atEndOfVolume.
    void WriteSpan(LPCTSTR base, const std::vector<TestEntry>& entries, const std::vector<size_t>& cuts,
                   bool atEndOfVolume = false)
    {
        std::string stream = "PK\x07\x08";
        std::vector<size_t> starts;
        for (const TestEntry& entry : entries)
        {
            starts.push_back(stream.size());
            stream += LocalRecord(entry);
        }
        std::vector<std::string> volumes;
        size_t previous = 0;
        for (size_t cut : cuts)
        {
            volumes.push_back(stream.substr(previous, cut - previous));
            previous = cut;
        }
        volumes.push_back(stream.substr(previous));

        std::string central;
        for (size_t i = 0; i < entries.size(); ++i)
        {
            WORD disk = 0;
            size_t volumeStart = 0;
            for (size_t cut : cuts)
            {
                if (starts[i] > cut || (starts[i] == cut && !atEndOfVolume))
                {
                    ++disk;
                    volumeStart = cut;
                }
            }
            central += CentralRecord(entries[i], (DWORD)(starts[i] - volumeStart), disk);
        }
        WORD last = (WORD)(volumes.size() - 1);
        WORD count = (WORD)entries.size();
        volumes.back() += central + EndRecord(last, last, count, count, (DWORD)central.size(),
                                              (DWORD)volumes.back().size(), "");
        for (WORD disk = 0; disk <= last; ++disk)
        {
            CString name;
            if (disk == last)
                name.Format("%s.zip", base);
            else
                name.Format("%s.%.3d", base, disk);
            WriteFileBytes(Path(name), volumes[disk]);
        }
    }

    std::vector<TestEntry> ThreeEntries()
    {
        TestArchive archive;
        archive.Add("noise.bin", MakeNoise(5000, 21), 0);
        archive.Add("text.txt", MakeText(20000, 22));
        archive.Add("more.bin", MakeNoise(3000, 23));
        return std::vector<TestEntry>(archive.entries.begin(), archive.entries.end());
    }

    void ExpectExtracted(const std::vector<TestEntry>& entries, LPCTSTR folder)
    {
        for (const TestEntry& entry : entries)
            EXPECT_EQ(entry.data, ReadFileBytes(Path(folder) + "\\" + entry.name.c_str())) << entry.name;
    }

    std::vector<TestEntry> Entries(std::initializer_list<std::pair<std::string, std::string>> list)
    {
        std::vector<TestEntry> entries;
        for (const auto& item : list)
        {
            entries.emplace_back();
            entries.back().name = item.first;
            entries.back().data = item.second;
        }
        return entries;
    }

    CString VolumeName(LPCTSTR base, int disk) const
    {
        CString name;
        name.Format("%s.%.3d", base, disk);
        return Path(name);
    }
};

TEST_F(ZipSpanTest, EndRecordOnDiskThreeMakesFourNumberedVolumes)
{
    std::vector<TestEntry> entries = ThreeEntries();
    WriteSpan("span", entries, {3000, 7000, 9500});
    for (int value : {1, 0})
    {
        CZipPackage package;
        package.Open(Path("span.zip"), CZipPackage::ModeOpenReadOnly, value);
        EXPECT_EQ(ZipSpanMode::SpanNumbered, package.GetSpanMode());
        EXPECT_EQ(3u, package.GetVolumeSize());
        EXPECT_EQ(-1, package.IsSpanned());
        EXPECT_EQ(3, package.GetCount());
        EXPECT_TRUE(ExtractAll(package, value ? "out1" : "out0").empty());
        ExpectExtracted(entries, value ? "out1" : "out0");
    }
}

TEST_F(ZipSpanTest, MissingVolumeIsAFileError)
{
    WriteSpan("span", ThreeEntries(), {3000, 7000, 9500});
    DeleteFileA(Path("span.001"));
    CZipPackage package;
    package.Open(Path("span.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_TRUE(package.ExtractFile(2, Path("out")));
    EXPECT_EQ(CFileException::fileNotFound, FileCauseOf([&] { package.ExtractFile(1, Path("out")); }));
}

TEST_F(ZipSpanTest, HeaderAtTheEndOfAVolumeContinuesOnTheNext)
{
    std::vector<TestEntry> entries = ThreeEntries();
    size_t secondHeader = 4 + LocalRecord(entries[0]).size();
    WriteSpan("span", entries, {secondHeader}, true);
    CZipPackage package;
    package.Open(Path("span.zip"), CZipPackage::ModeOpenReadOnly, 1);
    CZipEntryHeader info;
    ASSERT_TRUE(package.GetFileInfo(info, 1));
    EXPECT_EQ(0, info.m_uDiskStart);
    EXPECT_EQ(secondHeader, info.m_uLocalHeaderOffset);
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    ExpectExtracted(entries, "out");
}

TEST_F(ZipSpanTest, HeaderSplitBetweenVolumesIsRefused)
{
    std::vector<TestEntry> entries = ThreeEntries();
    size_t secondHeader = 4 + LocalRecord(entries[0]).size();
    WriteSpan("span", entries, {secondHeader + 10});
    CZipPackage package;
    package.Open(Path("span.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_TRUE(package.ExtractFile(0, Path("out")));
    EXPECT_EQ(CZipException::CorruptArchive, ZipCauseOf([&] { package.ExtractFile(1, Path("out")); }));
    EXPECT_FALSE(PathExists(Path("out\\text.txt")));
}

TEST_F(ZipSpanTest, CreatedNumberedSpanReadsBack)
{
    WriteFileBytes(Path("made.zip"), "an older file of the last volume's name");
    std::vector<TestEntry> entries = ThreeEntries();
    {
        CZipPackage package;
        package.Open(Path("made.zip"), CZipPackage::ModeCreateSpanned, 5000);
        EXPECT_EQ(1, package.IsSpanned());
        for (const TestEntry& entry : entries)
            AddSpannedEntry(package, entry.name, entry.data, entry.method);
        EXPECT_FALSE(package.OpenFile(0));
        package.Close();
    }
    EXPECT_EQ("PK\x07\x08", ReadFileBytes(VolumeName("made", 0)).substr(0, 4));
    int volumes = 0;
    while (PathExists(VolumeName("made", volumes)))
    {
        EXPECT_LE(ReadFileBytes(VolumeName("made", volumes)).size(), 5000u);
        ++volumes;
    }
    EXPECT_GE(volumes, 2);
    EXPECT_LE(ReadFileBytes(Path("made.zip")).size(), 5000u);

    CZipPackage package;
    package.Open(Path("made.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ((DWORD)volumes, package.GetVolumeSize());
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    ExpectExtracted(entries, "out");
}

TEST_F(ZipSpanTest, DirectoryAndEndRecordFallAnywhere)
{
    // Small volumes put the directory records and the end record at every kind of boundary.
    auto entries = Entries({{"a.txt", "alpha alpha alpha"}, {"b.txt", MakeText(300, 24)}, {"c.txt", "c"}});
    for (int size = 120; size <= 400; size += 7)
    {
        CString base;
        base.Format("s%d", size);
        {
            CZipPackage package;
            package.Open(Path(base + ".zip"), CZipPackage::ModeCreateSpanned, size);
            for (const TestEntry& entry : entries)
                AddSpannedEntry(package, entry.name, entry.data);
            package.SetGlobalComment("comment");
            package.Close();
        }
        CZipPackage package;
        EXPECT_EQ(0, ZipCauseOf([&] {
            package.Open(Path(base + ".zip"), CZipPackage::ModeOpenReadOnly, 1);
            EXPECT_EQ(3, package.GetCount());
            EXPECT_STREQ("comment", package.GetGlobalComment());
            EXPECT_TRUE(ExtractAll(package, base).empty());
        })) << "volume size " << size;
        ExpectExtracted(entries, base);
    }
}

TEST_F(ZipSpanTest, ThousandthVolumeIsRefused)
{
    CZipPackage package;
    package.Open(Path("many.zip"), CZipPackage::ModeCreateSpanned, 100);
    EXPECT_EQ(CZipException::VolumeLimitReached,
              ZipCauseOf([&] { AddSpannedEntry(package, "big.bin", MakeNoise(120000, 25), 0); }));
    EXPECT_EQ(998, package.GetCurrentDisk() - 1);
    package.Close(true);
    EXPECT_TRUE(PathExists(VolumeName("many", 998)));
    EXPECT_FALSE(PathExists(VolumeName("many", 999)));
}

class ZipOneVolumeTest : public ZipSpanTest
{
protected:
    // Creates a span with a volume size that holds everything; returns the archive's bytes.
    std::string CreateFitting(const std::vector<TestEntry>& entries)
    {
        {
            CZipPackage package;
            package.Open(Path("one.zip"), CZipPackage::ModeCreateSpanned, 10000000);
            for (const TestEntry& entry : entries)
                AddSpannedEntry(package, entry.name, entry.data, entry.method);
            package.Close();
        }
        EXPECT_FALSE(PathExists(VolumeName("one", 0)));
        return ReadFileBytes(Path("one.zip"));
    }

    // The archive is a plain one: no marker, no descriptors, sizes in the local headers.
    void ExpectPlain(const std::vector<TestEntry>& entries, const std::string& bytes)
    {
        size_t offset = 0;
        for (const TestEntry& entry : entries)
        {
            ASSERT_EQ(0x04034B50u, DwordAt(bytes, offset)) << entry.name;
            EXPECT_EQ(0, WordAt(bytes, offset + 6) & 8);
            EXPECT_EQ(Crc32(entry.data), DwordAt(bytes, offset + 14));
            EXPECT_EQ(entry.data.size(), DwordAt(bytes, offset + 22));
            offset += 30 + entry.name.size() + DwordAt(bytes, offset + 18);
        }
        EXPECT_EQ(0x02014B50u, DwordAt(bytes, offset));

        CZipPackage package;
        package.Open(Path("one.zip"), CZipPackage::ModeOpenReadOnly, 1);
        EXPECT_EQ(ZipSpanMode::SpanNone, package.GetSpanMode());
        EXPECT_EQ(0u, package.GetBytesBeforeArchive());
        EXPECT_TRUE(ExtractAll(package, "out").empty());
        ExpectExtracted(entries, "out");
    }
};

TEST_F(ZipOneVolumeTest, SpanInTheWriteBufferBecomesPlain)
{
    auto entries = Entries({{"a.txt", MakeText(1000, 26)}, {"b.txt", "b"}, {"c.txt", MakeText(5000, 27)}});
    ExpectPlain(entries, CreateFitting(entries));
}

TEST_F(ZipOneVolumeTest, SpanAlreadyInTheFileBecomesPlain)
{
    auto entries = Entries({{"a.bin", MakeNoise(70000, 28)}, {"b.txt", MakeText(90000, 29)}, {"c.bin", ""}});
    ExpectPlain(entries, CreateFitting(entries));
}

TEST_F(ZipOneVolumeTest, SpanThatDoesNotFitStaysSpanned)
{
    auto entries = Entries({{"a.bin", MakeNoise(9000, 30)}});
    {
        CZipPackage package;
        package.Open(Path("two.zip"), CZipPackage::ModeCreateSpanned, 9000);
        AddSpannedEntry(package, entries[0].name, entries[0].data);
        package.Close();
    }
    EXPECT_EQ("PK\x07\x08", ReadFileBytes(VolumeName("two", 0)).substr(0, 4));
    CZipPackage package;
    package.Open(Path("two.zip"), CZipPackage::ModeOpenReadOnly, 1);
    EXPECT_EQ(ZipSpanMode::SpanNumbered, package.GetSpanMode());
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    ExpectExtracted(entries, "out");
}
}
