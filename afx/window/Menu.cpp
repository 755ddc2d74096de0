#include "Menu.h"
#include "Wnd.h"
#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return AfxGetThreadState()->m_mapHMENU.FromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    AfxGetThreadState()->m_mapHMENU.DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return CHandleMap<CMenu, HMENU>::Attach(&AfxGetThreadState()->m_mapHMENU, this, m_hMenu, hMenu);
}

HMENU CMenu::Detach()
{
    return CHandleMap<CMenu, HMENU>::Detach(&AfxGetThreadState()->m_mapHMENU, this, m_hMenu);
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    // A temporary wrapper of a popup that is about to be destroyed must not outlive its handle.
    HMENU hSubMenu = NULL;
    if (nFlags & MF_BYPOSITION)
        hSubMenu = ::GetSubMenu(m_hMenu, (int)nPosition);
    if (hSubMenu != NULL && AfxGetThreadState()->m_mapHMENU.LookupTemporary(hSubMenu) != NULL)
        AfxGetThreadState()->m_mapHMENU.RemoveHandle(hSubMenu);
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0)
    {
        rString.Empty();
        return 0;
    }
    nLen = ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen + 1), nLen + 1, nFlags);
    rString.ReleaseBuffer(nLen);
    return nLen;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    ASSERT(pWnd != NULL);
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
