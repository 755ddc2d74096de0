// CQENUserTool: one external program the user registered as a command: its menu text, the program
// (a path, or a bare file name looked up on the search path), its arguments and initial folder, the
// command id the tools manager gave it, and the program's small icon.
#pragma once
#include <afxwin.h>

class CQENUserTool : public CObject
{
    DECLARE_SERIAL(CQENUserTool)
public:
    CQENUserTool();
    ~CQENUserTool() override;

    // Label, command, arguments, initial folder, command id; a loaded command goes through
    // SetToolCommand.
    void Serialize(CArchive& ar) override;

    // Starts the program through the shell; FALSE when there is no command or it did not start.
    virtual BOOL Invoke();
    // The file's small shell icon, else the default icon.
    virtual HICON LoadToolIcon();
    // The library's small icon, shared by all tools.
    virtual HICON LoadDefaultIcon();
    virtual void DestroyToolIcon();

    // Whether the command changed; a changed command brings its own icon.
    BOOL SetToolCommand(LPCTSTR lpszCommand);
    const CString& GetCommand() const { return m_strCommand; }
    HICON GetIcon() const { return m_hIcon; }

    // The icon at the small-icon size, centred in rect.
    void PaintToolIcon(CDC* pDC, const CRect& rect) const;
    // The icon on the face colour as a bitmap on the clipboard; failures are reported to the user.
    BOOL PutIconOnClipboard() const;

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    // Given by the tools manager, unique among its tools.
    UINT m_nCmdId;

protected:
    CString m_strCommand;
    HICON m_hIcon;

private:
    // The program's full path: the command itself when it names a folder or drive, else what the
    // search path finds; FALSE when it finds nothing that fits a path.
    BOOL ResolveProgramPath(CString& strPath) const;
    BOOL RenderIconBitmap(CBitmap& bitmap) const;
};
