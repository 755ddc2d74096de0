// CQENKeyboardManager: the user's keyboard shortcuts. It puts tables of its own in place of the
// accelerators of the main frame and of the multi-document templates, keeps them in the registry
// ("<path>QENKeyboard-<id>", value "Accelerators": the plain array of 6-byte entries; id 0 for the
// main frame, else the template's resource id), brings the resources' tables back, and answers
// what menus, tooltips and the customization ask about shortcut keys.
//
// One exists at a time: it is g_pKeyboardManager while it lives, and while it lives menus and
// toolbar tips show the shortcut of their commands.
//
// A table is never left empty: the system refuses a table without entries, so an empty entry list
// makes a table of one entry that binds nothing (virtual key 0, which no key produces, to command 0).
// Entries for command 0 bind no command; they are never reported as a command's shortcut.
#pragma once
#include <afxwin.h>

class CMultiDocTemplate;

class CQENKeyboardManager
{
public:
    CQENKeyboardManager();
    virtual ~CQENKeyboardManager();
    CQENKeyboardManager(const CQENKeyboardManager&) = delete;
    CQENKeyboardManager& operator=(const CQENKeyboardManager&) = delete;

    // A new table of the entries replaces that of the template, else of the frame (NULL: the main
    // window). FALSE, with nothing changed, when the table cannot be made or has nowhere to go.
    BOOL ReloadAcceleratorTable(CMultiDocTemplate* pTemplate, const ACCEL* pEntries, int nCount,
                                CFrameWnd* pFrame = NULL);
    // hAccel becomes the template's table, and that of each of its frames that used the old one; or,
    // without a template, the frame's (NULL: the main window). The old table is destroyed unless a
    // template or frame still uses it. FALSE when there is no frame to take it; the caller keeps hAccel.
    BOOL InstallTable(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pFrame = NULL);

    // lpszPath NULL or empty: the manager's own section "QENKeyboardManager".
    BOOL SaveAcceleratorState(LPCTSTR lpszPath, UINT nResourceId, HACCEL hAccel);
    // A new table of the stored entries, the commands that may not be bound (CQENToolBar's blocked
    // commands) taken out; hAccel is left as it was when no usable value is stored.
    BOOL LoadAcceleratorState(LPCTSTR lpszPath, UINT nResourceId, HACCEL& hAccel);

    // The tables of the multi-document templates, then that of the frame (NULL: the main window),
    // each one only if it has a table. Always TRUE: what is missing or damaged stays as it is.
    BOOL ReadState(LPCTSTR lpszPath = NULL, CFrameWnd* pFrame = NULL);
    BOOL WriteState(LPCTSTR lpszPath = NULL, CFrameWnd* pFrame = NULL);
    // The templates' and the main frame's tables from their resources again.
    void ResetAllTables();

    // The text of the first key bound to the command in the frame's own table ("Ctrl+S").
    // bIsDefaultFrame chooses which of the two lookup caches serves the frame.
    BOOL LookupShortcutText(UINT nCommandId, CString& strLabel, CFrameWnd* pFrame, BOOL bIsDefaultFrame);
    // Whether the frame's table binds exactly this key with exactly these modifiers.
    BOOL IsShortcutKey(UINT nKey, BYTE fVirt, CFrameWnd* pFrame, BOOL bIsDefaultFrame);
    // The character a menu mnemonic is matched with for a pressed key.
    static UINT PASCAL UpperCaseKey(UINT nVirtKey);

    // Empties both lookup caches; the library's clean-up frees them at exit.
    static void PASCAL FreeLookupCaches();

    // Letters are matched through the thread's keyboard layout rather than by their key codes.
    static BOOL s_bTranslateLettersByLayout;

private:
    BOOL InstallOrDestroy(CMultiDocTemplate* pTemplate, HACCEL hAccel, CFrameWnd* pFrame);
};

extern CQENKeyboardManager* g_pKeyboardManager;
