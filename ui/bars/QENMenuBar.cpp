// CQENMenuBar: building the items from a menu, the menu cache, the caption items of a maximized
// MDI child and the full-width layout.
#include "QENMenuBar.h"

#include "QENDrawingCache.h"
#include "QENTearOffManager.h"
#include "QENToolbarMenuButtonsButton.h"
#include "QENToolbarSystemMenuButton.h"

#include <algorithm>

IMPLEMENT_SERIAL(CQENMenuBar, CQENToolBar, VERSIONABLE_SCHEMA | 1)

CMap<HMENU, HMENU, CFile*, CFile*> CQENMenuBar::s_MenuCache;
BOOL CQENMenuBar::s_bMenuBarKeyboardMode = FALSE;
const LPCTSTR CQENMenuBar::s_strMenuBarSection = "QENMenuBar";

namespace {

const int kMenuTextLimit = 256;

// The cache files were opened by handle, which the file object does not close by itself.
void CloseCacheFile(CFile* pFile)
{
    pFile->Abort();
    delete pFile;
}

// The window menu is the one with a window command (cascade, tile, new window...) in it.
BOOL HoldsWindowCommand(HMENU hPopup)
{
    for (int i = ::GetMenuItemCount(hPopup) - 1; i >= 0; i--)
    {
        const UINT nId = ::GetMenuItemID(hPopup, i);
        if (nId >= AFX_IDM_WINDOW_FIRST && nId <= AFX_IDM_WINDOW_LAST)
            return TRUE;
    }
    return FALSE;
}

} // namespace

CQENMenuBar::CQENMenuBar()
    : m_bPerDocumentMenus(TRUE),
      m_pOwnerFrame(NULL),
      m_pSystemMenuButton(NULL),
      m_hMenu(NULL),
      m_hDefaultMenu(NULL),
      m_hChildSysMenu(NULL),
      m_hChildIcon(NULL),
      m_nDefaultMenuId(0),
      m_nCaptionButtons(0),
      m_nSavedCaptionButtons(0),
      m_bHaveImages(FALSE),
      m_sizeCaptionButton(0, 0),
      m_hWndFocusBefore(NULL)
{
    m_bActsAsMenu = TRUE;
}

CQENMenuBar::~CQENMenuBar()
{
    // The cache belongs to the bar: a menu handle used again later must not find this bar's list.
    ReleaseMenuCache();
    DestroyOwnMenu();
}

void CQENMenuBar::DestroyOwnMenu()
{
    // A document's menu is its template's; a frame that keeps its default menu destroys it with its
    // window. Only a default menu taken over from a frame that keeps none is the bar's.
    const BOOL bOwned = m_hDefaultMenu != NULL && (m_pOwnerFrame == NULL || m_hDefaultMenu != m_pOwnerFrame->m_hMenuDefault);
    if (bOwned && ::IsMenu(m_hDefaultMenu))
        ::DestroyMenu(m_hDefaultMenu);
    m_hDefaultMenu = NULL;
    m_hMenu = NULL;
}

BOOL CQENMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_pOwnerFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (m_pOwnerFrame == NULL && pParentWnd != NULL)
        m_pOwnerFrame = pParentWnd->GetParentFrame();
    return CQENToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

void CQENMenuBar::RebuildFromMenu(HMENU hMenu, BOOL bDefault, BOOL bForce)
{
    if (m_hWnd != NULL && GetFocus() == this)
    {
        CWnd* pFrame = GetParentFrame();
        if (pFrame != NULL)
            pFrame->SetFocus();
    }
    if (hMenu == m_hMenu && !s_bCustomizing && !bForce)
    {
        if (m_pSystemMenuButton != NULL)
        {
            RemoveCaptionItems();
            RestoreChildMaximized();
            if (m_hWnd != NULL)
                Invalidate();
        }
        return;
    }

    const BOOL bSystemIconShown = m_pSystemMenuButton != NULL;
    RemoveCaptionItems();
    StoreInCache(m_hMenu);
    if (g_pTearOffManager != NULL && m_hMenu != NULL)
        g_pTearOffManager->ReleaseIds(m_hMenu);
    m_hMenu = hMenu;
    if (bDefault)
        m_hDefaultMenu = hMenu;

    if (!LoadFromCache(hMenu))
        BuildItemsFrom(hMenu);
    UpdateHaveImages();
    if (bSystemIconShown)
        RestoreChildMaximized();
    if (m_hWnd != NULL)
    {
        RecalcButtonLayout();
        if (m_pOwnerFrame != NULL)
            m_pOwnerFrame->RecalcLayout();
    }
}

void CQENMenuBar::BuildItemsFrom(HMENU hMenu)
{
    RemoveCaptionItems();
    ClearButtons();
    const int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; i++)
    {
        char szText[kMenuTextLimit + 1] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof szText, MF_BYPOSITION);
        CString strText = szText;
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        const UINT nId = ::GetMenuItemID(hMenu, i);
        if (hSubMenu != NULL)
        {
            const BOOL bTearOff = CQENTearOffManager::ParseTearOffText(strText) != 0;
            CQENToolbarMenuButton button((UINT)-1, hSubMenu, -1, strText);
            if (bTearOff && g_pTearOffManager != NULL)
                button.SetTearOffId(g_pTearOffManager->AllocateId());
            button.m_bShowLabel = TRUE;
            button.m_bShowImage = FALSE;
            AddButtonAt(button);
        }
        else if (nId == 0)
        {
            AddSeparatorAt();
        }
        else
        {
            CQENToolbarButton button(nId, -1, strText);
            button.m_bShowLabel = TRUE;
            button.m_bShowImage = FALSE;
            AddButtonAt(button);
        }
    }
}

void CQENMenuBar::UpdateHaveImages()
{
    m_bHaveImages = FALSE;
    for (int i = 0; i < ButtonCount(); i++)
    {
        const CQENToolbarButton* pButton = ButtonAt(i);
        if (!pButton->IsSeparator() && !pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButton)) &&
            !IsCaptionItem(pButton) && pButton->m_bShowImage && pButton->GetImage() >= 0)
            m_bHaveImages = TRUE;
    }
}

// ---------------------------------------------------------------------------------------------------
// The menu cache

BOOL CQENMenuBar::StoreInCache(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    CFile* pOld = NULL;
    if (s_MenuCache.Lookup(hMenu, pOld))
    {
        s_MenuCache.RemoveKey(hMenu);
        CloseCacheFile(pOld);
    }
    if (ButtonCount() == 0)
        return FALSE;

    char szFolder[MAX_PATH];
    char szName[MAX_PATH];
    if (::GetTempPathA(sizeof szFolder, szFolder) == 0 || ::GetTempFileNameA(szFolder, "QEN", 0, szName) == 0)
        return FALSE;
    // Delete-on-close: the file goes with its handle, at the latest when the process ends.
    const HANDLE hFile = ::CreateFileA(szName, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        ::DeleteFileA(szName);
        return FALSE;
    }
    CFile* pFile = new CFile(hFile);
    try
    {
        CArchive ar(pFile, CArchive::store);
        Serialize(ar);
        ar.Close();
    }
    catch (CException* pException)
    {
        pException->Delete();
        CloseCacheFile(pFile);
        return FALSE;
    }
    s_MenuCache.SetAt(hMenu, pFile);
    return TRUE;
}

BOOL CQENMenuBar::LoadFromCache(HMENU hMenu)
{
    CFile* pFile = NULL;
    if (hMenu == NULL || !s_MenuCache.Lookup(hMenu, pFile))
        return FALSE;
    RemoveCaptionItems();
    BOOL bLoaded = FALSE;
    try
    {
        pFile->SeekToBegin();
        CArchive ar(pFile, CArchive::load);
        Serialize(ar);
        ar.Close();
        // A stored list is never empty: an empty one is a damaged file.
        bLoaded = ButtonCount() > 0;
    }
    catch (CException* pException)
    {
        pException->Delete();
    }
    if (!bLoaded)
    {
        s_MenuCache.RemoveKey(hMenu);
        CloseCacheFile(pFile);
    }
    return bLoaded;
}

void PASCAL CQENMenuBar::ReleaseMenuCache()
{
    for (POSITION pos = s_MenuCache.GetStartPosition(); pos != NULL;)
    {
        HMENU hMenu = NULL;
        CFile* pFile = NULL;
        s_MenuCache.GetNextAssoc(pos, hMenu, pFile);
        CloseCacheFile(pFile);
    }
    s_MenuCache.RemoveAll();
}

// ---------------------------------------------------------------------------------------------------
// The maximized MDI child

HWND CQENMenuBar::MDIClient() const
{
    if (m_pOwnerFrame == NULL || m_pOwnerFrame->m_hWnd == NULL)
        return NULL;
    return ::FindWindowExA(m_pOwnerFrame->m_hWnd, NULL, "MDICLIENT", NULL);
}

HWND CQENMenuBar::ActiveMDIChild() const
{
    const HWND hClient = MDIClient();
    return hClient != NULL ? (HWND)::SendMessageA(hClient, WM_MDIGETACTIVE, 0, 0) : NULL;
}

// The bar's buttons hold a copy of the window menu, made before the client listed its children in the
// menu itself; the popup takes the list from there each time it opens.
void CQENMenuBar::AppendWindowList(HMENU hPopup) const
{
    // A customized menu keeps its own items only.
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pOwnerFrame);
    if (pFrame == NULL || MDIClient() == NULL || hPopup == NULL || s_bCustomizing)
        return;
    const HMENU hWindowMenu = pFrame->GetWindowMenuPopup(m_hMenu);
    if (hWindowMenu == NULL || !HoldsWindowCommand(hPopup))
        return;

    BOOL bSeparated = FALSE;
    const int nItems = ::GetMenuItemCount(hWindowMenu);
    for (int i = 0; i < nItems; i++)
    {
        const UINT nId = ::GetMenuItemID(hWindowMenu, i);
        if (nId < AFX_IDM_FIRST_MDICHILD || nId == (UINT)-1)
            continue;
        if (!bSeparated)
        {
            ::AppendMenuA(hPopup, MF_SEPARATOR, 0, NULL);
            bSeparated = TRUE;
        }
        CString strText;
        const int nLength = ::GetMenuStringA(hWindowMenu, i, NULL, 0, MF_BYPOSITION);
        ::GetMenuStringA(hWindowMenu, i, strText.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
        strText.ReleaseBuffer();
        const UINT nState = ::GetMenuState(hWindowMenu, i, MF_BYPOSITION) & MF_CHECKED;
        ::AppendMenuA(hPopup, MF_STRING | nState, nId, strText);
    }
}

void CQENMenuBar::SendToActiveChild(UINT nSysCommand)
{
    const HWND hChild = ActiveMDIChild();
    if (hChild == NULL)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    ::SendMessageA(hChild, WM_SYSCOMMAND, nSysCommand, 0);
}

BOOL CQENMenuBar::IsCaptionItem(const CQENToolbarButton* pButton) const
{
    return pButton != NULL && (pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarSystemMenuButton)) ||
                               pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton)));
}

void CQENMenuBar::RemoveCaptionItems()
{
    if (m_pSystemMenuButton == NULL)
        return;
    for (int i = ButtonCount() - 1; i >= 0; i--)
        if (IsCaptionItem(ButtonAt(i)))
            DeleteButtonAt(i);
    m_pSystemMenuButton = NULL;
    m_nSavedCaptionButtons = m_nCaptionButtons;
    m_nCaptionButtons = 0;
}

void CQENMenuBar::SetChildMaximized(BOOL bOn, CWnd* pChild, BOOL bRecalcLayout)
{
    if ((m_pSystemMenuButton != NULL) == (bOn != FALSE))
        return;
    if (!bOn)
    {
        RemoveCaptionItems();
        m_hChildSysMenu = NULL;
        m_hChildIcon = NULL;
    }
    else
    {
        if (pChild == NULL || !::IsWindow(pChild->m_hWnd))
            return;
        HMENU hSystemMenu = ::GetSystemMenu(pChild->m_hWnd, FALSE);
        m_hChildSysMenu = ::IsMenu(hSystemMenu) ? hSystemMenu : NULL;
        m_hChildIcon = (HICON)pChild->SendMessage(WM_GETICON, ICON_SMALL);
        if (m_hChildIcon == NULL)
            m_hChildIcon = (HICON)::GetClassLongA(pChild->m_hWnd, GCL_HICONSM);

        AddButtonAt(CQENToolbarSystemMenuButton(m_hChildSysMenu, m_hChildIcon), 0);
        m_pSystemMenuButton = static_cast<CQENToolbarSystemMenuButton*>(ButtonAt(0));

        m_sizeCaptionButton = CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
        m_sizeCaptionButton.cy = std::min<int>(m_sizeCaptionButton.cy, RowHeight() - 2);
        const DWORD dwStyle = pChild->GetStyle();
        m_nCaptionButtons = 0;
        if (dwStyle & WS_MINIMIZEBOX)
        {
            AddButtonAt(CQENToolbarMenuButtonsButton(SC_MINIMIZE, m_sizeCaptionButton, TRUE));
            m_nCaptionButtons++;
        }
        if (dwStyle & WS_MAXIMIZEBOX)
        {
            AddButtonAt(CQENToolbarMenuButtonsButton(SC_RESTORE, m_sizeCaptionButton, TRUE));
            m_nCaptionButtons++;
        }
        const UINT nCloseState =
            m_hChildSysMenu != NULL ? ::GetMenuState(m_hChildSysMenu, SC_CLOSE, MF_BYCOMMAND) : (UINT)-1;
        const BOOL bCloseEnabled = nCloseState != (UINT)-1 && !(nCloseState & (MF_GRAYED | MF_DISABLED));
        AddButtonAt(CQENToolbarMenuButtonsButton(SC_CLOSE, m_sizeCaptionButton, bCloseEnabled));
        m_nCaptionButtons++;
    }
    if (bRecalcLayout && m_hWnd != NULL)
    {
        RecalcButtonLayout();
        if (m_pOwnerFrame != NULL)
            m_pOwnerFrame->RecalcLayout();
    }
}

void CQENMenuBar::RestoreChildMaximized()
{
    if (m_pSystemMenuButton != NULL)
        return;
    BOOL bMaximized = FALSE;
    const HWND hClient = MDIClient();
    const HWND hChild = hClient != NULL ? (HWND)::SendMessageA(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized) : NULL;
    if (hChild != NULL && bMaximized)
        SetChildMaximized(TRUE, CWnd::FromHandle(hChild), TRUE);
}

// ---------------------------------------------------------------------------------------------------
// Layout

int CQENMenuBar::RowHeight() const
{
    const int nHeight = m_bHaveImages ? ButtonSize().cy : ButtonSize().cy - 2;
    return std::max(nHeight, theDrawingCache.m_nMenuTextHeight);
}

int CQENMenuBar::ColumnWidth() const
{
    int nWidth = m_bHaveImages ? ButtonSize().cx : ButtonSize().cx - 2;
    if (!IsHorizontal())
        nWidth = std::max(nWidth, theDrawingCache.m_nVerticalTextHeight);
    return nWidth;
}

CSize CQENMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    // While the dock context drags the bar, its floating outline has the bar's own shape.
    const BOOL bFloatingShape = s_pDraggedBar == this && !(dwMode & (LM_HORZDOCK | LM_VERTDOCK));
    if (IsFloating() || bFloatingShape || m_pOwnerFrame == NULL || m_pOwnerFrame->m_hWnd == NULL)
        return CQENToolBar::CalcLayout(dwMode, nLength);
    CRect rectFrame;
    m_pOwnerFrame->GetClientRect(&rectFrame);
    const BOOL bHorizontal = (dwMode & LM_HORZ) != 0;
    const CSize sizeBorders = BorderSize(bHorizontal);
    if (bHorizontal)
    {
        MarkRowBreaks(rectFrame.Width() - sizeBorders.cx - 1);
        return CSize(rectFrame.Width(), CalcSize(FALSE).cy + sizeBorders.cy);
    }
    return CSize(CalcSize(TRUE).cx + sizeBorders.cx, rectFrame.Height());
}

void CQENMenuBar::PositionButtons()
{
    CQENToolBar::PositionButtons();
    if (m_hWnd == NULL)
        return;
    if (m_nCaptionButtons > 0)
    {
        const BOOL bHorizontal = IsHorizontal();
        CRect rectInside;
        GetClientRect(&rectInside);
        CalcInsideRect(rectInside, bHorizontal);
        int nEnd = bHorizontal ? rectInside.right : rectInside.bottom;
        for (int i = ButtonCount() - 1; i >= 0; i--)
        {
            CQENToolbarButton* pButton = ButtonAt(i);
            if (!pButton->IsKindOf(RUNTIME_CLASS(CQENToolbarMenuButtonsButton)))
                continue;
            const CSize size = m_sizeCaptionButton;
            const CRect rectPlaced = pButton->m_rect;
            CRect rect;
            if (bHorizontal)
            {
                const int y = rectPlaced.top + (RowHeight() - size.cy) / 2;
                rect = CRect(nEnd - size.cx, y, nEnd, y + size.cy);
                nEnd -= size.cx + 1;
            }
            else
            {
                const int x = rectPlaced.left + (ColumnWidth() - size.cx) / 2;
                rect = CRect(x, nEnd - size.cy, x + size.cx, nEnd);
                nEnd -= size.cy + 1;
            }
            pButton->m_bHidden = FALSE;
            pButton->m_rect = rect;
        }
    }
    RebuildMnemonics();
}
