#include "QENMouseManager.h"

#include "QENRegistry.h"
#include "QENSettingsPath.h"

namespace {

const LPCTSTR kSection = "QENMouseManager";
const LPCTSTR kBindingsValue = "Mouse";

} // namespace

IMPLEMENT_SERIAL(CQENMouseManager, CObject, 1)

CQENMouseManager* g_pMouseManager = NULL;

CQENMouseManager::CQENMouseManager()
{
    g_pMouseManager = this;
}

CQENMouseManager::~CQENMouseManager()
{
    if (g_pMouseManager == this)
        g_pMouseManager = NULL;
}

BOOL CQENMouseManager::RegisterView(int nViewId, LPCTSTR lpszName, UINT nIconId)
{
    int nRegistered;
    if (m_viewNameMap.Lookup(lpszName, nRegistered))
        return FALSE;
    m_viewNameMap.SetAt(lpszName, nViewId);
    if (nIconId != 0)
        m_viewIconMap.SetAt(nViewId, nIconId);
    return TRUE;
}

UINT CQENMouseManager::DoubleClickCommandOf(int nViewId) const
{
    UINT nCommandId = 0;
    m_viewCommandMap.Lookup(nViewId, nCommandId);
    return nCommandId;
}

void CQENMouseManager::BindDoubleClickCommand(int nViewId, UINT nCommandId)
{
    if (nCommandId != 0)
        m_viewCommandMap.SetAt(nViewId, nCommandId);
    else
        m_viewCommandMap.RemoveKey(nViewId);
}

void CQENMouseManager::ListViewNames(CStringList& names) const
{
    for (POSITION pos = m_viewNameMap.GetStartPosition(); pos != NULL;)
    {
        CString strName;
        int nViewId;
        m_viewNameMap.GetNextAssoc(pos, strName, nViewId);
        names.AddTail(strName);
    }
}

int CQENMouseManager::ViewIdOf(LPCTSTR lpszName) const
{
    int nViewId = -1;
    m_viewNameMap.Lookup(lpszName, nViewId);
    return nViewId;
}

UINT CQENMouseManager::ViewIconOf(int nViewId) const
{
    UINT nIconId = 0;
    m_viewIconMap.Lookup(nViewId, nIconId);
    return nIconId;
}

void CQENMouseManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << (DWORD)m_viewCommandMap.GetCount();
        for (POSITION pos = m_viewCommandMap.GetStartPosition(); pos != NULL;)
        {
            int nViewId;
            UINT nCommandId;
            m_viewCommandMap.GetNextAssoc(pos, nViewId, nCommandId);
            ar << nViewId << nCommandId;
        }
        return;
    }

    // Everything is read before the bindings change.
    DWORD nCount = 0;
    ar >> nCount;
    CArray<int, int> viewIds;
    CArray<UINT, UINT> commandIds;
    for (; nCount > 0; nCount--)
    {
        int nViewId;
        UINT nCommandId;
        ar >> nViewId >> nCommandId;
        viewIds.Add(nViewId);
        commandIds.Add(nCommandId);
    }
    m_viewCommandMap.RemoveAll();
    for (INT_PTR i = 0; i < viewIds.GetSize(); i++)
        m_viewCommandMap.SetAt(viewIds[i], commandIds[i]);
}

BOOL CQENMouseManager::ReadState(LPCTSTR lpszPath)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    return pRegistry->Open(BuildSettingsPath(kSection, lpszPath)) && pRegistry->Read(kBindingsValue, *this);
}

BOOL CQENMouseManager::WriteState(LPCTSTR lpszPath)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->CreateKey(BuildSettingsPath(kSection, lpszPath)) && pRegistry->Write(kBindingsValue, *this);
}
