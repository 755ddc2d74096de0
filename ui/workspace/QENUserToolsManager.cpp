#include "QENUserToolsManager.h"

#include "QENRegistry.h"
#include "QENSettingsPath.h"
#include "QENToolBar.h"

#include <set>

CQENUserToolsManager* g_pUserToolsManager = NULL;

namespace {

const LPCTSTR kSection = "QENUserToolsManager";
const LPCTSTR kToolsValue = "Tools";
const UINT kFilterString = 16023;

void DeleteObjects(CObList& list)
{
    // A stream may name one object twice; it is deleted once.
    std::set<CObject*> deleted;
    while (!list.IsEmpty())
    {
        CObject* pObject = list.RemoveHead();
        if (deleted.insert(pObject).second)
            delete pObject;
    }
}

// The stored list in the object-list format; each object's class is checked against the tool class
// before anything of it is made.
class CToolListStream : public CObject
{
public:
    explicit CToolListStream(CObList& list) : m_list(list) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            m_list.Serialize(ar);
            return;
        }
        try
        {
            for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; nCount--)
            {
                CObject* pTool = ar.ReadObject(RUNTIME_CLASS(CQENUserTool));
                if (pTool != NULL)
                    m_list.AddTail(pTool);
            }
        }
        catch (...)
        {
            DeleteObjects(m_list);
            throw;
        }
    }

private:
    CObList& m_list;
};

} // namespace

CQENUserToolsManager::CQENUserToolsManager(UINT nToolsEntryCmd, UINT nFirstToolCmd, UINT nLastToolCmd,
                                           CRuntimeClass* pToolClass, UINT nArgsMenuId, UINT nFolderMenuId)
    : m_strDefExt("*.exe"), m_nArgsMenuId(nArgsMenuId), m_nFolderMenuId(nFolderMenuId), m_toolList(10),
      m_nToolsEntryCmd(nToolsEntryCmd), m_nFirstToolCmd(nFirstToolCmd), m_nLastToolCmd(nLastToolCmd),
      m_pToolClass(pToolClass)
{
    // Tools are made from this class and used as CQENUserTool.
    if (m_pToolClass == NULL || !m_pToolClass->IsDerivedFrom(RUNTIME_CLASS(CQENUserTool)) ||
        m_pToolClass->m_pfnCreateObject == NULL)
        m_pToolClass = RUNTIME_CLASS(CQENUserTool);
    m_strFilter.LoadString(kFilterString);
    g_pUserToolsManager = this;
    CQENUserToolsQuery::s_pActive = this;
    CQENUserToolsMenuSource::s_pActive = this;
}

CQENUserToolsManager::~CQENUserToolsManager()
{
    DeleteAllTools();
    if (g_pUserToolsManager == this)
        g_pUserToolsManager = NULL;
    if (CQENUserToolsQuery::s_pActive == this)
        CQENUserToolsQuery::s_pActive = NULL;
    if (CQENUserToolsMenuSource::s_pActive == this)
        CQENUserToolsMenuSource::s_pActive = NULL;
}

void CQENUserToolsManager::DeleteAllTools()
{
    DeleteObjects(m_toolList);
}

int CQENUserToolsManager::MaxTools() const
{
    return m_nLastToolCmd < m_nFirstToolCmd ? 0 : (int)(m_nLastToolCmd - m_nFirstToolCmd + 1);
}

CQENUserTool* CQENUserToolsManager::AddNewTool()
{
    const int nMaxTools = MaxTools();
    if (m_toolList.GetCount() >= nMaxTools)
        return NULL;
    for (int i = 0; i < nMaxTools; i++)
    {
        const UINT nId = m_nFirstToolCmd + (UINT)i;
        if (LookupTool(nId) != NULL)
            continue;
        CQENUserTool* pTool = static_cast<CQENUserTool*>(m_pToolClass->CreateObject());
        if (pTool == NULL)
            return NULL;
        pTool->m_nCmdId = nId;
        m_toolList.AddTail(pTool);
        return pTool;
    }
    return NULL;
}

BOOL CQENUserToolsManager::DeleteTool(CQENUserTool* pTool)
{
    POSITION pos = pTool != NULL ? m_toolList.Find(pTool) : NULL;
    if (pos == NULL)
        return FALSE;
    const UINT nCommandId = pTool->m_nCmdId;
    m_toolList.RemoveAt(pos);
    delete pTool;
    RemoveCommandFromToolbars(nCommandId);
    return TRUE;
}

void CQENUserToolsManager::RemoveCommandFromToolbars(UINT nCommandId)
{
    for (POSITION pos = CQENToolBar::s_toolbarRegistry.GetHeadPosition(); pos != NULL;)
    {
        CQENToolBar* pBar = static_cast<CQENToolBar*>(CQENToolBar::s_toolbarRegistry.GetNext(pos));
        BOOL bRemoved = FALSE;
        for (int i = pBar->ButtonCount() - 1; i >= 0; i--)
        {
            const CQENToolbarButton* pButton = pBar->ButtonAt(i);
            if (!pButton->IsSeparator() && pButton->m_nCommandId == nCommandId && pBar->DeleteButtonAt(i))
                bRemoved = TRUE;
        }
        if (bRemoved && pBar->GetSafeHwnd() != NULL)
            pBar->RecalcButtonLayout();
    }
}

BOOL CQENUserToolsManager::SwapWithNeighbour(CQENUserTool* pTool, BOOL bPrevious)
{
    POSITION pos = pTool != NULL ? m_toolList.Find(pTool) : NULL;
    if (pos == NULL)
        return FALSE;
    POSITION posNeighbour = pos;
    if (bPrevious)
        m_toolList.GetPrev(posNeighbour);
    else
        m_toolList.GetNext(posNeighbour);
    if (posNeighbour == NULL)
        return FALSE;
    m_toolList.SetAt(pos, m_toolList.GetAt(posNeighbour));
    m_toolList.SetAt(posNeighbour, pTool);
    return TRUE;
}

BOOL CQENUserToolsManager::RaiseTool(CQENUserTool* pTool)
{
    return SwapWithNeighbour(pTool, TRUE);
}

BOOL CQENUserToolsManager::LowerTool(CQENUserTool* pTool)
{
    return SwapWithNeighbour(pTool, FALSE);
}

CQENUserTool* CQENUserToolsManager::LookupTool(UINT nCommandId) const
{
    if (nCommandId < m_nFirstToolCmd || nCommandId > m_nLastToolCmd)
        return NULL;
    for (POSITION pos = m_toolList.GetHeadPosition(); pos != NULL;)
    {
        CQENUserTool* pTool = static_cast<CQENUserTool*>(m_toolList.GetNext(pos));
        if (pTool->m_nCmdId == nCommandId)
            return pTool;
    }
    return NULL;
}

BOOL CQENUserToolsManager::RunToolCommand(UINT nCommandId)
{
    CQENUserTool* pTool = LookupTool(nCommandId);
    return pTool != NULL && pTool->Invoke();
}

void CQENUserToolsManager::AdoptLoadedTools(CObList& loaded)
{
    std::set<CObject*> seen;
    while (!loaded.IsEmpty())
    {
        CObject* pObject = loaded.RemoveHead();
        if (!seen.insert(pObject).second)
            continue;
        CQENUserTool* pTool = static_cast<CQENUserTool*>(pObject);
        if (pObject->IsKindOf(m_pToolClass) && LookupTool(pTool->m_nCmdId) == NULL &&
            pTool->m_nCmdId >= m_nFirstToolCmd && pTool->m_nCmdId <= m_nLastToolCmd)
            m_toolList.AddTail(pTool);
        else
            delete pTool;
    }
}

BOOL CQENUserToolsManager::ReadState(LPCTSTR lpszPath)
{
    DeleteAllTools();
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    CObList loaded;
    CToolListStream stream(loaded);
    if (!pRegistry->Open(BuildSettingsPath(kSection, lpszPath)) || !pRegistry->Read(kToolsValue, stream))
    {
        DeleteObjects(loaded);
        return FALSE;
    }
    AdoptLoadedTools(loaded);
    return TRUE;
}

BOOL CQENUserToolsManager::WriteState(LPCTSTR lpszPath)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->CreateKey(BuildSettingsPath(kSection, lpszPath)) && pRegistry->Write(kToolsValue, m_toolList);
}

BOOL CQENUserToolsManager::IsToolCommand(UINT nCommandId) const
{
    return LookupTool(nCommandId) != NULL;
}

void CQENUserToolsManager::PaintToolIcon(UINT nCommandId, CDC* pDC, const CRect& rect) const
{
    const CQENUserTool* pTool = LookupTool(nCommandId);
    if (pTool != NULL)
        pTool->PaintToolIcon(pDC, rect);
}

BOOL CQENUserToolsManager::ToolAt(int iTool, UINT& nCommandId, CString& strName) const
{
    POSITION pos = iTool >= 0 ? m_toolList.FindIndex(iTool) : NULL;
    if (pos == NULL)
        return FALSE;
    const CQENUserTool* pTool = static_cast<const CQENUserTool*>(m_toolList.GetAt(pos));
    nCommandId = pTool->m_nCmdId;
    strName = pTool->m_strLabel;
    return TRUE;
}
