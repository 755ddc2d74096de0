// Archives made by Info-ZIP zip and Python's zipfile (make_fixtures.sh, run before the tests)
// extract byte for byte.
#include "TestArchive.h"
#include <fstream>

namespace
{
class ZipInteropTest : public ZipTest, public ::testing::WithParamInterface<const char*>
{
protected:
    static CString FixtureFolder()
    {
        char exe[MAX_PATH];
        GetModuleFileNameA(NULL, exe, MAX_PATH);
        return ZipGetDriveAndFolder(exe) + "zip-fixtures";
    }

    // "d folder" and "f file" lines, with '\' separators.
    static std::vector<std::string> Manifest()
    {
        std::vector<std::string> lines;
        std::ifstream in(FixtureFolder() + "\\manifest.txt");
        for (std::string line; std::getline(in, line);)
        {
            std::replace(line.begin(), line.end(), '/', '\\');
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_P(ZipInteropTest, ExtractsByteForByte)
{
    CString archive = FixtureFolder() + "\\" + GetParam();
    ASSERT_TRUE(PathExists(archive)) << (LPCTSTR)archive << " is made by tests/zip/make_fixtures.sh";
    std::vector<std::string> manifest = Manifest();
    ASSERT_FALSE(manifest.empty());

    CZipPackage package;
    package.Open(archive, CZipPackage::ModeOpenReadWrite, 1);
    EXPECT_TRUE(ExtractAll(package, "out").empty());
    package.Close();

    bool streamed = strstr(GetParam(), "streamed") != NULL;
    bool withFolders = strstr(GetParam(), "nofolders") == NULL && !streamed;
    for (const std::string& line : manifest)
    {
        std::string path = line.substr(2);
        if (line[0] == 'd')
        {
            if (withFolders || path.find("empty") == std::string::npos)
            {
                EXPECT_EQ(-1, ZipFileExists(Path("out\\") + path.c_str())) << path;
            }
        }
        else
        {
            std::string expected = ReadFileBytes(FixtureFolder() + "\\tree\\" + path.c_str());
            EXPECT_EQ(expected, ReadFileBytes(Path("out\\") + path.c_str())) << path;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ZipInteropTest,
                         ::testing::Values("infozip-deflated.zip", "infozip-stored.zip", "infozip-nofolders.zip",
                                           "infozip-prefixed.zip", "python-deflated.zip", "python-stored.zip",
                                           "python-streamed.zip"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name = name.substr(0, name.find('.'));
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });
}
