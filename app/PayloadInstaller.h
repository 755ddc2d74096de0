// CPayloadInstaller: the installation run. Each payload, a ZIP archive in a "DATA" resource of the
// program, is written to a temporary file, every entry of it is extracted below its target folder,
// and the temporary file is removed; the outcome comes as result lines and a final verdict.
#pragma once
#include <afxwin.h>

#include <functional>

class CPayloadInstaller
{
public:
    // Takes each result line as soon as it is decided, so the lines written before an exception ends
    // the run stay written.
    typedef std::function<void(LPCTSTR lpszLine)> LineSink;

    // pMessageOwner owns the message box about a temporary copy that cannot be written.
    CPayloadInstaller(CWnd* pMessageOwner, const LineSink& appendLine);

    // Payload 153 into lpszVSDir unless it is empty, then payload 154 into lpszLibDir when
    // bInstallLangPack is set. TRUE when the run ends "安装成功！": the Visual Studio part was
    // installed and the library part, if asked for, too. Archive and file errors arrive as exceptions.
    BOOL Install(LPCTSTR lpszVSDir, LPCTSTR lpszLibDir, BOOL bInstallLangPack);

    // One payload below lpszTargetFolder. FALSE without extracting anything when the folder is not
    // absolute, the resource is missing or empty or the temporary copy cannot be made. Archive and
    // file errors arrive as exceptions; the temporary copy is removed on every path.
    BOOL InstallPayload(UINT nResourceID, LPCTSTR lpszTargetFolder);
    // Every entry of the archive file below lpszTargetFolder; failures arrive as exceptions.
    BOOL ExtractArchive(LPCTSTR lpszArchivePath, LPCTSTR lpszTargetFolder);

private:
    CWnd* m_pMessageOwner;
    LineSink m_appendLine;
};
