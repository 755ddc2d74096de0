#include "AppTestSupport.h"
#include "DibCanvas.h"
#include "MouseInput.h"
#include "QENWizDoc.h"
#include "resource.h"

#include <fstream>
#include <iterator>

CInstallerWindow::CInstallerWindow()
    : m_pTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CQENWizDoc), RUNTIME_CLASS(CMainFrame),
                                         RUNTIME_CLASS(CQENWizView)))
{
    TestApp().m_nCmdShow = SW_SHOWNOACTIVATE;   // leaves other tests' focus alone
    m_pTemplate->OpenDocumentFile(NULL);
    PumpPendingMessages();
}

CInstallerWindow::~CInstallerWindow()
{
    if (TestApp().m_pMainWnd != NULL)
        TestApp().m_pMainWnd->DestroyWindow();
    TestApp().m_pMainWnd = NULL;
    PumpPendingMessages();
    delete m_pTemplate;
}

CViewTypeSetting::CViewTypeSetting()
{
    char szFolder[MAX_PATH] = "";
    ::GetWindowsDirectoryA(szFolder, sizeof szFolder);
    m_strPath = CString(szFolder) + "\\QENWiz.ini";
    m_bExisted = Exists();
    m_strSaved = Contents();
}

CViewTypeSetting::~CViewTypeSetting()
{
    if (m_bExisted)
        std::ofstream(m_strPath, std::ios::binary | std::ios::trunc) << m_strSaved;
    else
        Remove();
}

void CViewTypeSetting::Store(const char* pszViewType)
{
    Remove();
    ::WritePrivateProfileStringA("QENWiz", "ViewType", pszViewType, m_strPath);
}

void CViewTypeSetting::Remove()
{
    ::DeleteFileA(m_strPath);
}

bool CViewTypeSetting::Exists() const
{
    return ::GetFileAttributesA(m_strPath) != INVALID_FILE_ATTRIBUTES;
}

std::string CViewTypeSetting::Contents() const
{
    std::ifstream in(m_strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string CViewTypeSetting::ViewType() const
{
    char szValue[32] = "";
    ::GetPrivateProfileStringA("QENWiz", "ViewType", "", szValue, sizeof szValue, m_strPath);
    return szValue;
}

void PumpFor(DWORD dwMilliseconds)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwMilliseconds;)
    {
        PumpPendingMessages();
        ::Sleep(10);
    }
}

void ClickAt(CWnd* pWnd, CPoint ptClient, bool bRight)
{
    CPoint pt = ptClient;
    pWnd->ClientToScreen(&pt);
    SendMouseInput(pt);
    PumpFor(60);
    SendMouseInput(pt, bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    PumpFor(60);
    SendMouseInput(pt, bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    PumpFor(150);
}

void PressKey(WORD wKey)
{
    for (DWORD dwFlags : {0ul, (unsigned long)KEYEVENTF_KEYUP})
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wKey;
        input.ki.dwFlags = dwFlags;
        ::SendInput(1, &input, sizeof(INPUT));
        PumpFor(50);
    }
    PumpFor(100);
}

int DarkPixels(CWnd* pWnd, CRect rect)
{
    pWnd->ClientToScreen(&rect);
    DibCanvas canvas(rect.Width(), rect.Height());
    HDC hScreen = ::GetDC(NULL);
    ::BitBlt(canvas.dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(NULL, hScreen);
    int nDark = 0;
    for (int y = 0; y < rect.Height(); y++)
        for (int x = 0; x < rect.Width(); x++)
        {
            const COLORREF cr = canvas.Pixel(x, y);
            nDark += GetRValue(cr) < 140 && GetGValue(cr) < 140 && GetBValue(cr) < 140;
        }
    return nDark;
}
