// Detaching through a wrapper that FromHandle made: the wrapper lives until the idle clean-up, no
// longer answers for its handle, and never takes away the permanent entry of another object.
#include <gtest/gtest.h>

#include "afxwin.h"

namespace {

bool EveryHeapIsValid()
{
    HANDLE heaps[64];
    DWORD nHeaps = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < nHeaps && i < 64; ++i)
    {
        if (!::HeapValidate(heaps[i], 0, NULL))
            return false;
    }
    return true;
}

TEST(HandleMaps, MenuDestroyedThroughItsTemporaryWrapper)
{
    HMENU hMenu = ::CreatePopupMenu();
    CMenu* pTemporary = CMenu::FromHandle(hMenu);
    ASSERT_NE(nullptr, pTemporary);
    EXPECT_TRUE(pTemporary->DestroyMenu());
    EXPECT_FALSE(::IsMenu(hMenu));
    EXPECT_TRUE(EveryHeapIsValid());
    EXPECT_EQ(nullptr, pTemporary->GetSafeHmenu());

    // The next menu may get the same handle; its wrapper must hold it.
    HMENU hNext = ::CreatePopupMenu();
    EXPECT_EQ(hNext, CMenu::FromHandle(hNext)->GetSafeHmenu());
    CMenu::DeleteTempMap();
    EXPECT_TRUE(EveryHeapIsValid());
    ::DestroyMenu(hNext);
}

TEST(HandleMaps, TemporaryWrapperDetachedAfterAnObjectAttachedItsHandle)
{
    HMENU hMenu = ::CreatePopupMenu();
    CMenu* pEarly = CMenu::FromHandle(hMenu);
    CMenu owner;
    ASSERT_TRUE(owner.Attach(hMenu));
    EXPECT_EQ(&owner, CMenu::FromHandle(hMenu));

    EXPECT_EQ(hMenu, pEarly->Detach());
    EXPECT_EQ(&owner, CMenu::FromHandle(hMenu));
    EXPECT_EQ(hMenu, owner.GetSafeHmenu());
    CMenu::DeleteTempMap();
    EXPECT_EQ(&owner, CMenu::FromHandle(hMenu));
    EXPECT_TRUE(owner.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST(HandleMaps, DetachedTemporaryWrapperNoLongerAnswersForItsHandle)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pTemporary = CDC::FromHandle(hDC);
    EXPECT_EQ(hDC, pTemporary->Detach());
    EXPECT_EQ(nullptr, pTemporary->GetSafeHdc());
    CDC* pNext = CDC::FromHandle(hDC);
    EXPECT_EQ(hDC, pNext->GetSafeHdc());
    CDC::DeleteTempMap();
    ::DeleteDC(hDC);
}

} // namespace
