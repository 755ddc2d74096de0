// Support for the installer tests: the test process's application object, the installer window as
// the program builds it, message-box catching, the temporary folder and the App Paths entry.
#pragma once
#include <afxwin.h>
#include "MainFrame.h"
#include "QENWizView.h"
#include "../afx/ScratchFolder.h"

#include <string>
#include <vector>

class CAppTestApp : public CWinApp
{
};

CAppTestApp& TestApp();

// Dispatches the messages already queued for this thread (posted detection and installation runs).
void PumpPendingMessages();

// The single-document installer window from the program's template 128, shown without
// activation, small and out of the way; destroyed with the object.
class CInstallerWindow
{
public:
    CInstallerWindow();
    ~CInstallerWindow();
    CInstallerWindow(const CInstallerWindow&) = delete;
    CInstallerWindow& operator=(const CInstallerWindow&) = delete;

    CMainFrame* Frame() const;
    CQENWizView* View() const;

    std::string FieldText(int nID) const;
    void SetFieldText(int nID, LPCTSTR lpszText);
    void SetLangPackChecked(BOOL bChecked);
    // A click on a button of the form, as the button reports it to the view.
    void ClickButton(int nID);
    std::string ResultText() const;
    std::string Caption() const;

private:
    CSingleDocTemplate* m_pTemplate;
};

// While it lives, closes every message box this thread shows (from a thread timer, which the box's
// own modal loop runs) and keeps what each said and which icon it showed.
class CMessageBoxCatcher
{
public:
    struct Box
    {
        std::string strCaption;
        std::string strText;
        HICON hIcon = NULL;
    };

    CMessageBoxCatcher();
    ~CMessageBoxCatcher();
    CMessageBoxCatcher(const CMessageBoxCatcher&) = delete;
    CMessageBoxCatcher& operator=(const CMessageBoxCatcher&) = delete;

    std::vector<Box> m_boxes;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CloseBox(HWND hWnd, LPARAM lParam);
    static BOOL CALLBACK ReadControl(HWND hWnd, LPARAM lParam);

    static CMessageBoxCatcher* s_pActive;
    UINT_PTR m_nTimer;
};

// Points the process's temporary folder (TMP) at a folder of its own while it lives.
class CTemporaryFolderOverride
{
public:
    explicit CTemporaryFolderOverride(LPCTSTR lpszFolder);
    ~CTemporaryFolderOverride();
    CTemporaryFolderOverride(const CTemporaryFolderOverride&) = delete;
    CTemporaryFolderOverride& operator=(const CTemporaryFolderOverride&) = delete;

private:
    CString m_strOldTmp;
    BOOL m_bHadTmp;
};

// The names of the files and folders directly in a folder, sorted.
std::vector<std::string> FolderEntries(LPCTSTR lpszFolder);
BOOL FileExists(LPCTSTR lpszPath);

// The App Paths entry of msdev.exe in the registry of the test's Wine prefix; removed when the
// object goes.
class CAppPathEntry
{
public:
    static const TCHAR s_szKey[];

    CAppPathEntry();
    ~CAppPathEntry();
    CAppPathEntry(const CAppPathEntry&) = delete;
    CAppPathEntry& operator=(const CAppPathEntry&) = delete;

    // The default value (REG_SZ), stored with its terminator or without one.
    void SetDefaultValue(const std::string& value);
    void SetUnterminatedDefaultValue(const std::string& value);
    static void Remove();

private:
    void Store(const std::string& data, DWORD nBytes);
};
