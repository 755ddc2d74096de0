// The user's button images, "UserImages.bmp": the file beside the program, whatever folder is
// current when the window opens or when the images are saved (the folder chooser moves it).
#include "AppTestSupport.h"
#include "QENToolBar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 24-bit strip of nImages button images of 16 × 15 pixels, each of one colour.
std::string ImageStrip(int nImages, BYTE nShade)
{
    const int cx = 16 * nImages, cy = 15, nRow = (cx * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + nRow * cy;
    info.biSize = sizeof info;
    info.biWidth = cx;
    info.biHeight = cy;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string strBytes(reinterpret_cast<const char*>(&file), sizeof file);
    strBytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(nRow, 0);
    for (int x = 0; x < cx; x++)
        row[x * 3] = row[x * 3 + 1] = (char)nShade, row[x * 3 + 2] = (char)(x / 16 * 40);
    for (int y = 0; y < cy; y++)
        strBytes.append(row.begin(), row.end());
    return strBytes;
}

std::string FileContents(const CString& strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead))
        return "";
    std::string strBytes((size_t)file.GetLength(), '\0');
    file.Read(&strBytes[0], (UINT)strBytes.size());
    return strBytes;
}

// UserImages.bmp beside app_tests.exe, removed again when the object goes.
class CImagesBesideProgram
{
public:
    CImagesBesideProgram()
    {
        char szProgram[MAX_PATH] = "";
        ::GetModuleFileNameA(NULL, szProgram, sizeof szProgram);
        m_strPath = szProgram;
        m_strPath = m_strPath.Left(m_strPath.ReverseFind('\\') + 1) + "UserImages.bmp";
    }
    ~CImagesBesideProgram() { ::DeleteFileA(m_strPath); }

    CString m_strPath;
};

} // namespace

TEST(UserImagesTest, AreLoadedFromAndSavedBesideTheProgramNotInTheFolderTheUserBrowsed)
{
    CViewTypeSetting setting;
    setting.Store("0");
    CImagesBesideProgram beside;
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(beside.m_strPath)) << "left by another run";
    const std::string strBeside = ImageStrip(2, 200);
    CFile(beside.m_strPath, CFile::modeCreate | CFile::modeWrite).Write(strBeside.data(), (UINT)strBeside.size());

    // The folder chooser left the current folder where the user browsed, where a file of that name lies.
    CScratchFolder browsed, browsedLater;
    browsed.CreateWithContents("UserImages.bmp", ImageStrip(5, 100));
    browsed.UseAsCurrentFolder();
    {
        CInstallerWindow window;
        CQENButtonImageList* pImages = CQENToolBar::UserImages();
        ASSERT_NE(nullptr, pImages);
        EXPECT_EQ(2, pImages->ImageCount());
        EXPECT_EQ(0, pImages->FileName().CompareNoCase(beside.m_strPath)) << (LPCTSTR)pImages->FileName();

        // Changed and saved (as the workspace does at the end) after the user browsed elsewhere.
        browsedLater.UseAsCurrentFolder();
        const std::string strBefore = FileContents(beside.m_strPath);
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, 16, 15);
        ::ReleaseDC(NULL, hScreen);
        EXPECT_TRUE(pImages->UpdateImage(0, hImage));
        ::DeleteObject(hImage);
        ASSERT_TRUE(pImages->Save());
        EXPECT_NE(strBefore, FileContents(beside.m_strPath));
    }
    EXPECT_EQ(ImageStrip(5, 100), browsed.Contents("UserImages.bmp"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(browsedLater.Path("UserImages.bmp")));
    EXPECT_EQ(nullptr, CQENToolBar::UserImages()) << "the strip went with its window";
}
