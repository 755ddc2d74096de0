// Exceptions thrown as pointers, their descriptions, the error-code mappings, and ReportError's
// message box (answered by the dialog responder, which reads what the box shows).
#include <gtest/gtest.h>

#include "DialogResponder.h"
#include "afx.h"
#include "afx_tests_resource.h"

#include <errno.h>
#include <set>
#include <string>

namespace {

// An exception that has no description of its own.
class CSilentException : public CException
{
};

std::string MessageOf(const CException& e, UINT nMax = 512)
{
    std::string text(nMax, '\0');
    UINT nHelpContext = 99;
    if (!e.GetErrorMessage(&text[0], nMax, &nHelpContext))
        return "<none>";
    EXPECT_EQ(0u, nHelpContext);
    text.resize(strlen(text.c_str()));
    return text;
}

template <typename Throw> CException* CatchAny(Throw throwIt)
{
    try
    {
        throwIt();
    }
    catch (CException* e)
    {
        return e;
    }
    return NULL;
}

TEST(CExceptionTest, ThrownAsPointersOfTheirClass)
{
    struct Case
    {
        void (*throwIt)();
        CRuntimeClass* pClass;
    };
    const Case cases[] = {
        {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException)},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException)},
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException)},
        {[] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException)},
        {[] { AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, "D:\\full.bin"); },
         RUNTIME_CLASS(CFileException)},
        {[] { AfxThrowArchiveException(CArchiveException::badSchema, "D:\\doc.dat"); },
         RUNTIME_CLASS(CArchiveException)},
    };
    std::set<std::string> messages;
    for (const Case& c : cases)
    {
        CException* e = CatchAny(c.throwIt);
        ASSERT_NE(nullptr, e);
        EXPECT_EQ(c.pClass, e->GetRuntimeClass());
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        messages.insert(MessageOf(*e));
        e->Delete();
    }
    EXPECT_EQ(std::size(cases), messages.size()) << "each kind describes itself differently";

    try
    {
        AfxThrowFileException(CFileException::sharingViolation, ERROR_SHARING_VIOLATION, "C:\\a.txt");
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::sharingViolation, e->m_cause);
        EXPECT_EQ(ERROR_SHARING_VIOLATION, e->m_lOsError);
        EXPECT_STREQ("C:\\a.txt", e->m_strFileName);
        e->Delete();
    }

    // The memory exception is one static object, which Delete leaves alone.
    CException* first = CatchAny([] { AfxThrowMemoryException(); });
    first->Delete();
    CException* second = CatchAny([] { AfxThrowMemoryException(); });
    EXPECT_EQ(first, second);
    EXPECT_FALSE(second->m_bAutoDelete);
    EXPECT_EQ(RUNTIME_CLASS(CMemoryException), second->GetRuntimeClass());
    second->Delete();
}

TEST(CExceptionTest, DescriptionsNameTheCauseAndTheFile)
{
    std::set<std::string> fileMessages;
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause)
    {
        std::string message = MessageOf(CFileException(cause, -1, "C:\\数据\\表.dat"));
        EXPECT_NE(std::string::npos, message.find("C:\\数据\\表.dat")) << message;
        fileMessages.insert(message);
    }
    EXPECT_EQ(15u, fileMessages.size());

    std::set<std::string> archiveMessages;
    for (int cause = CArchiveException::none; cause <= CArchiveException::badSchema; ++cause)
    {
        std::string message = MessageOf(CArchiveException(cause, "settings.dat"));
        EXPECT_NE(std::string::npos, message.find("settings.dat")) << message;
        archiveMessages.insert(message);
    }
    EXPECT_EQ(8u, archiveMessages.size());

    std::string unnamed = MessageOf(CFileException(CFileException::fileNotFound));
    EXPECT_FALSE(unnamed.empty());
    EXPECT_EQ(std::string::npos, unnamed.find("：")) << "no file, no separator";

    // Cut to whole double-byte characters: 7 bytes of room hold three of them.
    CFileException badPath(CFileException::badPath, -1, "C:\\long\\path\\name.txt");
    EXPECT_EQ(MessageOf(badPath).substr(0, 6), MessageOf(badPath, 8));
    EXPECT_EQ(MessageOf(badPath).substr(0, 6), MessageOf(badPath, 7));

    EXPECT_EQ("<none>", MessageOf(CSilentException()));
}

// Win32 errors are met for real in the CFile tests; errno values only here.
TEST(CExceptionTest, ThrowHelpersMapErrorCodes)
{
    EXPECT_EQ(CFileException::fileNotFound, CFileException::ErrnoToException(ENOENT));
    EXPECT_EQ(CFileException::accessDenied, CFileException::ErrnoToException(EACCES));
    EXPECT_EQ(CFileException::diskFull, CFileException::ErrnoToException(ENOSPC));
    EXPECT_EQ(CFileException::generic, CFileException::ErrnoToException(EINTR));
    EXPECT_EQ(CFileException::generic, CFileException::OsErrorToException(ERROR_NOT_ENOUGH_MEMORY));

    EXPECT_EQ(nullptr, CatchAny([] { CFileException::ThrowOsError(0, "x"); }));
    EXPECT_EQ(nullptr, CatchAny([] { CFileException::ThrowErrno(0, "x"); }));

    CException* e = CatchAny([] { CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, "Q:\\nowhere"); });
    ASSERT_NE(nullptr, e);
    CFileException* pFileError = static_cast<CFileException*>(e);
    EXPECT_EQ(CFileException::badPath, pFileError->m_cause);
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, pFileError->m_lOsError);
    EXPECT_STREQ("Q:\\nowhere", pFileError->m_strFileName);
    e->Delete();

    e = CatchAny([] { CFileException::ThrowErrno(ENOENT, "gone.txt"); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(CFileException::fileNotFound, static_cast<CFileException*>(e)->m_cause);
    EXPECT_STREQ("gone.txt", static_cast<CFileException*>(e)->m_strFileName);
    e->Delete();
}

TEST(CExceptionTest, ReportErrorShowsTheDescription)
{
    CFileException error(CFileException::accessDenied, ERROR_ACCESS_DENIED, "C:\\只读\\文件.txt");
    {
        CDialogResponder answer(IDNO);
        EXPECT_EQ(IDNO, error.ReportError(MB_YESNO, 0));
        ASSERT_TRUE(answer.Answered());
        EXPECT_EQ(MessageOf(error), answer.m_boxes[0].strText);
        EXPECT_FALSE(answer.m_boxes[0].strCaption.empty());
    }

    CSilentException silent;
    CDialogResponder fallback(IDOK);
    EXPECT_EQ(IDOK, silent.ReportError(MB_OK, IDS_TEST_PLAIN));
    ASSERT_TRUE(fallback.Answered());
    EXPECT_EQ("Plain ASCII text", fallback.m_boxes[0].strText);
}

} // namespace
