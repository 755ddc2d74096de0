// CFolderDialog: the system's explorer open dialog bent to choose a folder. The file-name and
// file-type fields are hidden, OK moves beside Cancel, and OK takes the folder the dialog shows
// (its current directory) instead of opening a file.
#pragma once
#include <afxdlgs.h>

class CFolderDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CFolderDialog)
public:
    // pPath receives the chosen folder when the user presses OK.
    explicit CFolderDialog(CString* pPath);

    CString* m_pPath;

protected:
    void OnInitDone() override;
};

// The explorer dialog's own window procedure while CFolderDialog has replaced it.
extern WNDPROC s_pfnOldFolderDlgProc;

// OK ends the dialog with the current directory as the chosen folder; everything else goes to the
// dialog's own procedure.
LRESULT CALLBACK FolderDlgWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
