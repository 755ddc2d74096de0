// The user's button images, ".\UserImages.bmp": the file in the folder that is current when the window
// opens, wherever the folder chooser moves the current folder afterwards.
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

} // namespace

TEST(UserImagesTest, AreLoadedFromAndSavedToTheFolderCurrentAtStartNotTheFolderTheUserBrowsed)
{
    CViewTypeSetting setting;
    setting.Store("0");
    CScratchFolder started, browsed;
    const std::string strStarted = ImageStrip(2, 200);
    started.CreateWithContents("UserImages.bmp", strStarted);
    browsed.CreateWithContents("UserImages.bmp", ImageStrip(5, 100));
    started.UseAsCurrentFolder();
    {
        CInstallerWindow window;
        CQENButtonImageList* pImages = CQENToolBar::UserImages();
        ASSERT_NE(nullptr, pImages);
        EXPECT_EQ(2, pImages->ImageCount());

        // Changed and saved (as the workspace does at the end) after the folder chooser moved the
        // current folder where the user browsed, where a file of that name lies.
        browsed.UseAsCurrentFolder();
        HDC hScreen = ::GetDC(NULL);
        HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, 16, 15);
        ::ReleaseDC(NULL, hScreen);
        EXPECT_TRUE(pImages->UpdateImage(0, hImage));
        ::DeleteObject(hImage);
        ASSERT_TRUE(pImages->Save());
    }
    EXPECT_NE(strStarted, started.Contents("UserImages.bmp")) << "saved where it was loaded from";
    EXPECT_EQ(ImageStrip(5, 100), browsed.Contents("UserImages.bmp"));
    EXPECT_EQ(nullptr, CQENToolBar::UserImages()) << "the strip went with its window";

    // A window opened with the browsed folder current finds that folder's images.
    {
        CInstallerWindow window;
        ASSERT_NE(nullptr, CQENToolBar::UserImages());
        EXPECT_EQ(5, CQENToolBar::UserImages()->ImageCount());
    }
}
