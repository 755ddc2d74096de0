// CMemFile growth, seeking and attached blocks; CSharedFile on global memory.
#include <gtest/gtest.h>

#include "afx.h"

#include <stdlib.h>
#include <string>
#include <vector>

namespace {

std::string ReadAll(CFile& file)
{
    std::string data(static_cast<size_t>(file.GetLength()), '\0');
    file.SeekToBegin();
    if (!data.empty())
        data.resize(file.Read(&data[0], static_cast<UINT>(data.size())));
    return data;
}

// Records the block sizes the file asks for.
class CCountingMemFile : public CMemFile
{
public:
    explicit CCountingMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}
    ~CCountingMemFile() override { Close(); }

    std::vector<SIZE_T> m_allocations;
    int m_nFrees = 0;

protected:
    BYTE* Alloc(SIZE_T nBytes) override
    {
        m_allocations.push_back(nBytes);
        return CMemFile::Alloc(nBytes);
    }
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override
    {
        m_allocations.push_back(nBytes);
        return CMemFile::Realloc(lpMem, nBytes);
    }
    void Free(BYTE* lpMem) override
    {
        ++m_nFrees;
        CMemFile::Free(lpMem);
    }
};

template <typename ExceptionType, typename Action> bool Throws(Action action)
{
    try
    {
        action();
    }
    catch (ExceptionType* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

TEST(CMemFileTest, GrowsInStepsOfTheGrowSize)
{
    CCountingMemFile file(16);
    EXPECT_EQ(0u, file.GetLength());
    file.Write("0123456789", 10);
    file.Write("abcdefghij", 10);
    file.Write("", 0);
    EXPECT_EQ((std::vector<SIZE_T>{16, 32}), file.m_allocations);
    EXPECT_EQ(20u, file.GetLength());
    EXPECT_EQ(20u, file.GetPosition());

    std::string big(100, 'z');
    file.Write(big.data(), static_cast<UINT>(big.size()));
    EXPECT_EQ(128u, file.m_allocations.back()) << "one step to the next multiple above 120";
    EXPECT_EQ("0123456789abcdefghij" + big, ReadAll(file));

    file.Close();
    EXPECT_EQ(1, file.m_nFrees);
    EXPECT_EQ(0u, file.GetLength());

    CFileStatus status;
    file.Write("xyz", 3);
    ASSERT_TRUE(file.GetStatus(status));
    EXPECT_EQ(3u, status.m_size);
    EXPECT_STREQ("", status.m_szFullName);
}

TEST(CMemFileTest, SeekingReadingAndLength)
{
    CMemFile file(8);
    file.Write("abcdef", 6);
    EXPECT_EQ(2u, file.Seek(2, CFile::begin));
    char buffer[16] = {};
    EXPECT_EQ(3u, file.Read(buffer, 3));
    EXPECT_STREQ("cde", buffer);
    EXPECT_EQ(4u, file.Seek(-2, CFile::end));
    EXPECT_EQ(2u, file.Seek(-2, CFile::current));
    EXPECT_EQ(6u, file.SeekToEnd());
    EXPECT_EQ(0u, file.Read(buffer, sizeof(buffer)));

    // Writing after a seek past the end fills the gap with zeros.
    EXPECT_EQ(10u, file.Seek(4, CFile::current));
    EXPECT_EQ(0u, file.Read(buffer, sizeof(buffer)));
    file.Write("!", 1);
    EXPECT_EQ(std::string("abcdef\0\0\0\0!", 11), ReadAll(file));

    bool badSeek = false;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        badSeek = e->m_cause == CFileException::badSeek;
        e->Delete();
    }
    EXPECT_TRUE(badSeek);
    EXPECT_EQ(11u, file.GetPosition()) << "a refused seek keeps the position";

    file.SetLength(3);
    EXPECT_EQ(3u, file.GetLength());
    EXPECT_EQ(3u, file.GetPosition());
    file.SetLength(5);
    EXPECT_EQ(std::string("abc\0\0", 5), ReadAll(file));

    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.Duplicate(); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.LockRange(0, 1); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.UnlockRange(0, 1); }));
}

TEST(CMemFileTest, AttachedBlocks)
{
    // Without a grow size the block is the file, and it cannot grow.
    BYTE fixed[8] = {'f', 'i', 'x', 'e', 'd', '!', '!', '!'};
    {
        CMemFile file(fixed, sizeof(fixed));
        EXPECT_EQ(8u, file.GetLength());
        EXPECT_EQ("fixed!!!", ReadAll(file));
        file.Seek(5, CFile::begin);
        file.Write("...", 3);
        EXPECT_TRUE(Throws<CMemoryException>([&] { file.Write("x", 1); }));
        EXPECT_EQ(8u, file.GetLength());
        EXPECT_EQ(fixed, file.Detach());
    }
    EXPECT_EQ(0, memcmp(fixed, "fixed...", 8)) << "the caller's block was written and not freed";

    // With a grow size the file starts empty and the malloc block is reallocated as it grows.
    BYTE* lpBlock = static_cast<BYTE*>(malloc(4));
    CMemFile growing;
    growing.Attach(lpBlock, 4, 64);
    EXPECT_EQ(0u, growing.GetLength());
    std::string text(100, 'g');
    growing.Write(text.data(), static_cast<UINT>(text.size()));
    ULONGLONG nLength = growing.GetLength();
    BYTE* lpDetached = growing.Detach();
    ASSERT_EQ(100u, nLength);
    EXPECT_EQ(text, std::string(reinterpret_cast<char*>(lpDetached), 100));
    EXPECT_EQ(0u, growing.GetLength());
    free(lpDetached);

    // After a detach the file allocates, and frees, a block of its own.
    growing.Write("new", 3);
    EXPECT_EQ("new", ReadAll(growing));
}

TEST(CSharedFileTest, DetachHandsOverTheGlobalBlock)
{
    CSharedFile file(GMEM_MOVEABLE, 32);
    std::string text = "共享内存 shared memory, more than one grow step long";
    file.Write(text.c_str(), static_cast<UINT>(text.size() + 1));
    ULONGLONG nLength = file.GetLength();
    HGLOBAL hMemory = file.Detach();
    ASSERT_NE(nullptr, hMemory);
    EXPECT_EQ(text.size() + 1, nLength);
    EXPECT_GE(GlobalSize(hMemory), nLength);
    EXPECT_EQ(0u, GlobalFlags(hMemory) & GMEM_LOCKCOUNT) << "handed over unlocked";
    EXPECT_STREQ(text.c_str(), static_cast<const char*>(GlobalLock(hMemory)));
    GlobalUnlock(hMemory);
    EXPECT_EQ(0u, file.GetLength());

    // The block goes back into a file that reads it whole.
    CSharedFile reader;
    reader.SetHandle(hMemory, FALSE);
    EXPECT_EQ(GlobalSize(hMemory), reader.GetLength());
    char buffer[128] = {};
    reader.Read(buffer, static_cast<UINT>(nLength));
    EXPECT_STREQ(text.c_str(), buffer);
    reader.SeekToEnd();
    EXPECT_TRUE(Throws<CMemoryException>([&] { reader.Write("x", 1); })) << "growth was not allowed";

    HGLOBAL hSmall = GlobalAlloc(GMEM_MOVEABLE, 4);
    memcpy(GlobalLock(hSmall), "abcd", 4);
    GlobalUnlock(hSmall);
    CSharedFile grower;
    grower.SetHandle(hSmall);
    grower.SeekToEnd();
    grower.Write("efgh", 4);
    EXPECT_EQ("abcdefgh", ReadAll(grower));
    HGLOBAL hGrown = grower.Detach();
    EXPECT_EQ(0, memcmp(GlobalLock(hGrown), "abcdefgh", 8));
    GlobalUnlock(hGrown);
    GlobalFree(hGrown);
}

} // namespace
