#include "QENUserTool.h"

#include "QENDrawingCache.h"

#include <shellapi.h>

IMPLEMENT_SERIAL(CQENUserTool, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

const UINT kCopyFailedMessage = 16010;
const UINT kInternalErrorMessage = 16008;

CSize SmallIconSize()
{
    return CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
}

LPCTSTR TextOrNull(const CString& str)
{
    return str.IsEmpty() ? NULL : (LPCTSTR)str;
}

} // namespace

CQENUserTool::CQENUserTool() : m_nCmdId(0), m_hIcon(NULL)
{
}

CQENUserTool::~CQENUserTool()
{
    DestroyToolIcon();
}

void CQENUserTool::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << (DWORD)m_nCmdId;
        return;
    }
    CString strCommand;
    DWORD dwCmdId = 0;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> dwCmdId;
    m_nCmdId = dwCmdId;
    SetToolCommand(strCommand);
}

BOOL CQENUserTool::Invoke()
{
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    const HINSTANCE hResult = ::ShellExecuteA(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, NULL, m_strCommand,
                                              TextOrNull(m_strArguments), TextOrNull(m_strInitialDirectory),
                                              SW_SHOWNORMAL);
    // The shell's error codes run up to 32 inclusive.
    return (INT_PTR)hResult > 32;
}

BOOL CQENUserTool::SetToolCommand(LPCTSTR lpszCommand)
{
    const CString strCommand(lpszCommand != NULL ? lpszCommand : "");
    if (strCommand == m_strCommand)
        return FALSE;
    m_strCommand = strCommand;
    DestroyToolIcon();
    m_hIcon = LoadToolIcon();
    return TRUE;
}

BOOL CQENUserTool::ResolveProgramPath(CString& strPath) const
{
    if (m_strCommand.FindOneOf("\\/:") >= 0)
    {
        strPath = m_strCommand;
        return TRUE;
    }
    char szFound[MAX_PATH] = "";
    LPSTR pszFilePart = NULL;
    const DWORD nLength = ::SearchPathA(NULL, m_strCommand, NULL, MAX_PATH, szFound, &pszFilePart);
    // A path that does not fit the buffer comes back as its length, with nothing in the buffer.
    if (nLength == 0 || nLength >= MAX_PATH)
        return FALSE;
    strPath = szFound;
    return TRUE;
}

HICON CQENUserTool::LoadToolIcon()
{
    CString strPath;
    if (m_strCommand.IsEmpty() || !ResolveProgramPath(strPath))
        return LoadDefaultIcon();
    SHFILEINFOA info = {};
    if (::SHGetFileInfoA(strPath, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) == 0 || info.hIcon == NULL)
        return LoadDefaultIcon();
    return info.hIcon;
}

HICON CQENUserTool::LoadDefaultIcon()
{
    return theDrawingCache.SharedSmallIcon();
}

void CQENUserTool::DestroyToolIcon()
{
    if (m_hIcon != NULL && m_hIcon != theDrawingCache.SharedSmallIcon())
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
}

void CQENUserTool::PaintToolIcon(CDC* pDC, const CRect& rect) const
{
    if (m_hIcon == NULL || pDC == NULL)
        return;
    const CSize size = SmallIconSize();
    const CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, m_hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
}

BOOL CQENUserTool::RenderIconBitmap(CBitmap& bitmap) const
{
    const CSize size = SmallIconSize();
    CWindowDC dcScreen(NULL);
    CDC dcImage;
    if (m_hIcon == NULL || !dcImage.CreateCompatibleDC(&dcScreen) ||
        !bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy))
        return FALSE;
    CBitmap* pOld = dcImage.SelectObject(&bitmap);
    const CRect rect(CPoint(0, 0), size);
    dcImage.FillRect(rect, &theDrawingCache.m_brFace);
    PaintToolIcon(&dcImage, rect);
    dcImage.SelectObject(pOld);
    return TRUE;
}

BOOL CQENUserTool::PutIconOnClipboard() const
{
    BOOL bPlaced = FALSE;
    try
    {
        CWnd* pOwner = AfxGetMainWnd();
        CBitmap bitmap;
        if (pOwner != NULL && pOwner->GetSafeHwnd() != NULL && RenderIconBitmap(bitmap) &&
            ::OpenClipboard(pOwner->GetSafeHwnd()))
        {
            bPlaced = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.m_hObject) != NULL;
            ::CloseClipboard();
            if (bPlaced)
                bitmap.Detach();   // the clipboard owns it now
        }
    }
    catch (CException* pException)
    {
        pException->Delete();
        AfxMessageBox(kInternalErrorMessage);
        return FALSE;
    }
    if (!bPlaced)
        AfxMessageBox(kCopyFailedMessage);
    return bPlaced;
}
