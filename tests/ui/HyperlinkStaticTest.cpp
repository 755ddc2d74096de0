#include "HyperlinkStatic.h"
#include "DibCanvas.h"
#include "GuiTestSupport.h"
#include "ScratchFolder.h"
#include "ScratchRegistryKey.h"

#include <gtest/gtest.h>
#include <iterator>
#include <ostream>

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

namespace {

const int kLinkID = 1047;
const COLORREF kLink = RGB(0, 0, 238);
const COLORREF kVisited = RGB(85, 26, 139);

// Shows the control's state, and answers OpenLink with a chosen result when told to.
class CProbeLink : public CHyperlinkStatic
{
public:
    BOOL IsHovering() const { return m_bHovering; }
    HFONT LinkFont() const { return (HFONT)m_font.m_hObject; }
    LOGFONTA LinkLogFont() const
    {
        LOGFONTA lf = {};
        ::GetObjectA((HFONT)SendMessage(WM_GETFONT), sizeof lf, &lf);
        return lf;
    }
    CString TipText()
    {
        CString strText;
        m_wndTip.GetText(strText, this, 1);
        return strText;
    }
    CRect TipRect()
    {
        CToolInfo info;
        m_wndTip.GetToolInfo(info, this, 1);
        return info.rect;
    }

    bool m_bScripted = false;
    INT_PTR m_nResult = 0;
    CString m_strOpened;
    int m_nShowCmd = -1;

    HINSTANCE OpenLink(LPCTSTR lpszTarget, int nShowCmd) override
    {
        if (!m_bScripted)
            return CHyperlinkStatic::OpenLink(lpszTarget, nShowCmd);
        m_strOpened = lpszTarget;
        m_nShowCmd = nShowCmd;
        return (HINSTANCE)m_nResult;
    }
};

class HyperlinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateHidden());
        ASSERT_TRUE(m_fontNormal.CreateFont(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                            "Tahoma"));
    }

    // A static control as a dialog makes it, attached to link.
    void Attach(CProbeLink& link, LPCTSTR lpszText, DWORD dwStyle = SS_LEFT,
                const CRect& rect = CRect(10, 10, 310, 60), bool bFont = true)
    {
        HWND hWnd = ::CreateWindowExA(0, "STATIC", lpszText, WS_CHILD | WS_VISIBLE | dwStyle, rect.left, rect.top,
                                      rect.Width(), rect.Height(), m_parent.m_hWnd, (HMENU)kLinkID,
                                      AfxGetInstanceHandle(), NULL);
        if (bFont)
            ::SendMessageA(hWnd, WM_SETFONT, (WPARAM)m_fontNormal.m_hObject, FALSE);
        ASSERT_TRUE(link.SubclassDlgItem(kLinkID, &m_parent));
    }

    // The text colour the control asks its parent for, as its painting does.
    COLORREF ReflectedTextColour(const CWnd& link)
    {
        DibCanvas canvas(4, 4);
        LRESULT lBrush = m_parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)canvas.dc.m_hDC, (LPARAM)link.m_hWnd);
        EXPECT_EQ((LRESULT)::GetStockObject(NULL_BRUSH), lBrush);
        EXPECT_EQ(TRANSPARENT, canvas.dc.GetBkMode());
        return canvas.dc.GetTextColor();
    }

    static void MouseMove(const CWnd& link, int x, int y) { link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    static void Click(const CWnd& link)
    {
        link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

    static CSize TextExtent(CProbeLink& link, LPCTSTR lpszText)
    {
        CClientDC dc(&link);
        HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)link.LinkFont());
        CSize size = dc.GetTextExtent(lpszText, lstrlenA(lpszText));
        dc.SelectObject(hOld);
        return size;
    }

    static CRect RectInParent(const CWnd& link)
    {
        CRect rect;
        link.GetWindowRect(&rect);
        link.GetParent()->ScreenToClient(&rect);
        return rect;
    }

    CTestTopWindow m_parent;
    CFont m_fontNormal;
};

// ---- attaching and the font ----

TEST_F(HyperlinkTest, AttachedTextLinksToItselfInAFontTheSettersReplace)
{
    CProbeLink link;
    Attach(link, "QEN 主页");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    EXPECT_STREQ("QEN 主页", link.GetTarget());
    EXPECT_STREQ("QEN 主页", link.TipText());

    LOGFONTA lf = link.LinkLogFont();
    EXPECT_EQ(link.LinkFont(), (HFONT)link.SendMessage(WM_GETFONT));
    EXPECT_EQ(956, lf.lfWeight);   // 400 | 700
    EXPECT_EQ(1, lf.lfItalic);
    EXPECT_EQ(1, lf.lfUnderline);
    EXPECT_EQ(-13, lf.lfHeight);

    // A new target reaches the tip, not the text.
    link.SetTarget("http://www.qen.example/chs/");
    EXPECT_STREQ("http://www.qen.example/chs/", link.TipText());
    CString strText;
    link.GetWindowText(strText);
    EXPECT_STREQ("QEN 主页", strText);

    // A setter replaces the shown font and frees the one it replaces.
    HFONT hFirstFont = link.LinkFont();
    link.UseBold(FALSE);
    EXPECT_EQ(FW_NORMAL, link.LinkLogFont().lfWeight);
    EXPECT_EQ(1, link.LinkLogFont().lfItalic);
    EXPECT_EQ(0, ::GetObjectType(hFirstFont));
}

TEST_F(HyperlinkTest, EmptyControlShowsItsTargetInTheFontItsFlagsAsk)
{
    CProbeLink link;
    link.SetTarget("mailto:support@qen.example");
    link.UseBold(FALSE);
    link.UseItalic(FALSE);
    link.UseUnderline(FALSE);
    Attach(link, "");
    CString strText;
    link.GetWindowText(strText);
    EXPECT_STREQ("mailto:support@qen.example", strText);
    LOGFONTA lf = link.LinkLogFont();
    EXPECT_EQ(144, lf.lfWeight);   // 400 & 700
    EXPECT_EQ(0, lf.lfItalic);
    EXPECT_EQ(0, lf.lfUnderline);

    // A control drawing with the system font has no font handle to start from.
    link.DestroyWindow();
    CProbeLink plain;
    Attach(plain, "plain", SS_LEFT, CRect(0, 0, 50, 20), false);
    LOGFONTA lfSystem = {};
    ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof lfSystem, &lfSystem);
    EXPECT_EQ(lfSystem.lfWeight | FW_BOLD, plain.LinkLogFont().lfWeight);
    EXPECT_EQ(lfSystem.lfHeight, plain.LinkLogFont().lfHeight);
}

// ---- colours ----

TEST_F(HyperlinkTest, ColourFollowsVisitedAndHoverState)
{
    CProbeLink link;
    Attach(link, "link");
    EXPECT_EQ(kLink, ReflectedTextColour(link));
    link.MarkOpened();
    EXPECT_EQ(kVisited, ReflectedTextColour(link));

    MouseMove(link, 5, 5);
    EXPECT_EQ(link.m_hWnd, ::GetCapture());
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), ReflectedTextColour(link));
    MouseMove(link, 10, 10);
    EXPECT_TRUE(link.IsHovering());
    MouseMove(link, -3, 50);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(kVisited, ReflectedTextColour(link));

    link.SetLinkColours(RGB(1, 100, 2), RGB(3, 100, 4), RGB(5, 100, 6));
    link.MarkOpened(FALSE);
    EXPECT_EQ(RGB(1, 100, 2), ReflectedTextColour(link));
    MouseMove(link, 5, 5);
    EXPECT_EQ(RGB(5, 100, 6), ReflectedTextColour(link));

    // Another window taking the mouse ends the hover too.
    m_parent.SetCapture();
    EXPECT_FALSE(link.IsHovering());
    EXPECT_EQ(RGB(1, 100, 2), ReflectedTextColour(link));
    ::ReleaseCapture();
}

TEST_F(HyperlinkTest, PaintedTextUsesTheLinkColours)
{
    CProbeLink link;
    Attach(link, "www.qen.example");
    auto countPainted = [&link](COLORREF crWanted) {
        DibCanvas canvas(300, 50);
        link.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.dc.m_hDC, PRF_CLIENT);
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(299, 49));   // the background shows through
        return canvas.Count(crWanted);
    };
    EXPECT_GT(countPainted(kLink), 20);   // the underline at least
    link.MarkOpened();
    EXPECT_GT(countPainted(kVisited), 20);
    EXPECT_EQ(0, countPainted(kLink));
}

// ---- size ----

TEST_F(HyperlinkTest, FittingToTextKeepsTheAlignedEdge)
{
    const struct
    {
        DWORD dwStyle;
        int nAnchor;   // x of the left edge: 0 kept, 1 centred, 2 right edge kept
    } cases[] = {{SS_LEFT, 0}, {SS_RIGHT, 2}, {SS_CENTER | SS_CENTERIMAGE, 1}};
    for (const auto& c : cases)
    {
        CProbeLink link;
        Attach(link, "www.qen.example", c.dwStyle);
        EXPECT_EQ(CRect(10, 10, 310, 60), RectInParent(link));   // off by default
        link.SetFitToText(TRUE);
        CSize size = TextExtent(link, "www.qen.example");
        ASSERT_GT(size.cx, 20);
        int nLeft = c.nAnchor == 0 ? 10 : c.nAnchor == 2 ? 310 - size.cx : 10 + (300 - size.cx) / 2;
        int nTop = (c.dwStyle & SS_CENTERIMAGE) ? 10 + (50 - size.cy) / 2 : 10;
        EXPECT_EQ(CRect(nLeft, nTop, nLeft + size.cx, nTop + size.cy), RectInParent(link)) << c.dwStyle;
        EXPECT_EQ(CRect(0, 0, size.cx, size.cy), link.TipRect());
        link.DestroyWindow();
    }
}

// ---- clicks and errors ----

TEST_F(HyperlinkTest, ClickOpensTheTargetOrExplainsWhyNot)
{
    CProbeLink link;
    link.m_bScripted = true;
    link.m_nResult = 42;
    Attach(link, "www.qen.example");   // without SS_NOTIFY: attaching adds it
    CDialogResponder catcher;
    Click(link);
    EXPECT_STREQ("www.qen.example", link.m_strOpened);
    EXPECT_EQ(SW_SHOW, link.m_nShowCmd);
    EXPECT_TRUE(link.IsOpened());
    EXPECT_TRUE(catcher.m_boxes.empty());

    link.m_nResult = SE_ERR_SHARE;
    Click(link);
    EXPECT_FALSE(link.IsOpened());
    ASSERT_EQ(1u, catcher.m_boxes.size());
    EXPECT_EQ("Unable to open hyperlink:\n\nA sharing violation occurred. ", catcher.m_boxes[0].strText);
    EXPECT_EQ(::LoadIconA(NULL, (LPCSTR)IDI_EXCLAMATION), catcher.m_boxes[0].hIcon);
}

// The ends of the table of texts, a gap in it, and a code below it.
TEST_F(HyperlinkTest, OpenErrorsHaveTheirTextAndOthersTheirNumber)
{
    const std::pair<int, const char*> errors[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {4, "Unknown Error (4) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    CProbeLink link;
    CDialogResponder catcher;
    for (const auto& error : errors)
        link.ShowOpenError(error.first);
    ASSERT_EQ(std::size(errors), catcher.m_boxes.size());
    for (size_t i = 0; i < std::size(errors); i++)
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + errors[i].second, catcher.m_boxes[i].strText);
}

// ---- cursor and lifetime ----

TEST_F(HyperlinkTest, HandCursorIsShownOverTheLink)
{
    CProbeLink link;
    Attach(link, "link");
    if (link.HandCursor() == NULL)   // no help program with the cursor on this system
        link.SetHandCursor((HCURSOR)::CopyIcon((HICON)::LoadCursorA(NULL, (LPCSTR)IDC_HAND)));
    ASSERT_NE(nullptr, link.HandCursor());
    ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, (WPARAM)link.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(link.HandCursor(), ::GetCursor());
    ::SetCursor(::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
}

TEST_F(HyperlinkTest, LinkFollowsItsWindowThroughDestructionAndReattaching)
{
    CProbeLink link;
    Attach(link, "first");
    m_parent.DestroyWindow();
    EXPECT_EQ(nullptr, link.m_hWnd);   // the tip did not cut the link off its window's messages

    ASSERT_TRUE(m_parent.CreateHidden());
    Attach(link, "second");
    EXPECT_STREQ("first", link.GetTarget());
    EXPECT_STREQ("first", link.TipText());
    EXPECT_EQ(956, link.LinkLogFont().lfWeight);
}

// ---- opening for real ----

// A classes root of the test's own, below HKEY_CURRENT_USER, standing in for HKEY_CLASSES_ROOT in this
// process while it lives; in it ".htm" files open with the command the test chooses.
class CTestClassesRoot
{
public:
    explicit CTestClassesRoot(const CString& strCommand) : m_key(HKEY_CURRENT_USER, RootKey())
    {
        m_key.SetDefaultValue(".htm", "QENWizTestPage");
        m_key.SetDefaultValue("QENWizTestPage\\shell\\open\\command", strCommand);
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, RootKey(), 0, KEY_ALL_ACCESS, &m_hRoot) == ERROR_SUCCESS)
            m_bOverridden = ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_hRoot) == ERROR_SUCCESS;
    }

    ~CTestClassesRoot()
    {
        if (m_bOverridden)
            ::RegOverridePredefKey(HKEY_CLASSES_ROOT, NULL);
        ::RegCloseKey(m_hRoot);
    }

    bool InEffect() const { return m_bOverridden; }

private:
    static CString RootKey()
    {
        CString strRoot;
        strRoot.Format("Software\\QENWizTest-Classes-%lu", ::GetCurrentProcessId());
        return strRoot;
    }

    CScratchRegistryKey m_key;
    HKEY m_hRoot = NULL;
    bool m_bOverridden = false;
};

class HyperlinkOpenTest : public HyperlinkTest
{
protected:
    // What a program started by the link wrote into a file of the folder, once it has (10 s at most).
    std::string WaitForLine(LPCTSTR lpszName)
    {
        for (int nTry = 0; nTry < 200; nTry++)
        {
            std::string contents = m_folder.Contents(lpszName);
            if (!contents.empty() && contents.back() == '\n')
                return contents;
            ::Sleep(50);
        }
        return std::string();
    }

    static CString Cmd()
    {
        char szSystem[MAX_PATH];
        ::GetSystemDirectoryA(szSystem, sizeof szSystem);
        return CString(szSystem) + "\\cmd.exe";
    }

    CScratchFolder m_folder;
};

TEST_F(HyperlinkOpenTest, ShellOpensAnExistingDocument)
{
    m_folder.CreateWithContents("open.bat", "@echo shell> \"" + std::string(m_folder.Path("shell.txt")) + "\"\r\n");
    CHyperlinkStatic link;
    EXPECT_GT((INT_PTR)link.OpenLink(m_folder.Path("open.bat"), SW_HIDE), 32);
    EXPECT_EQ("shell\r\n", WaitForLine("shell.txt"));
}

TEST_F(HyperlinkOpenTest, HtmlProgramOpensWhatTheShellCannot)
{
    CHyperlinkStatic link;
    {
        // The quoted placeholder and what follows it are cut off; the target comes after one space.
        CTestClassesRoot classes("\"" + Cmd() + "\" /c echo quoted> \"%1\" /ignored");
        ASSERT_TRUE(classes.InEffect());
        EXPECT_GT((INT_PTR)link.OpenLink(m_folder.Path("quoted.txt"), SW_SHOW), 32);
        EXPECT_EQ("quoted\r\n", WaitForLine("quoted.txt"));
    }
    {
        CTestClassesRoot classes(Cmd() + " /c echo bare> %1");
        ASSERT_TRUE(classes.InEffect());
        EXPECT_GT((INT_PTR)link.OpenLink(m_folder.Path("bare.txt"), SW_SHOW), 32);
        EXPECT_EQ("bare\r\n", WaitForLine("bare.txt"));
    }
}

TEST_F(HyperlinkOpenTest, ClickOnALinkNothingCanOpenReportsTheFailure)
{
    CTestClassesRoot classes("\"C:\\qenwiz-missing\\viewer.exe\" \"%1\"");
    ASSERT_TRUE(classes.InEffect());
    CProbeLink link;
    Attach(link, m_folder.Path("missing.htm"));
    CDialogResponder catcher;
    Click(link);
    EXPECT_FALSE(link.IsOpened());
    ASSERT_EQ(1u, catcher.m_boxes.size());
    EXPECT_EQ("Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.",
              catcher.m_boxes[0].strText);
}

} // namespace
