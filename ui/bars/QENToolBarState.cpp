// CQENToolBar: the bar's content in the registry and the comparison with its resource.
#include "QENToolBar.h"

#include "CustomizeButton.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"

#include <memory>

namespace {

const LPCTSTR kSection = "QENToolBars";
const LPCTSTR kButtonsValue = "Buttons";
const LPCTSTR kNameValue = "Name";
const LPCTSTR kOriginalItemsValue = "OriginalItems";

void DeleteAll(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

BOOL HasCommand(const CObList& list, UINT nCommandId)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pButton = static_cast<const CQENToolbarButton*>(list.GetNext(pos));
        if (pButton != NULL && !pButton->IsSeparator() && pButton->m_nCommandId == nCommandId)
            return TRUE;
    }
    return FALSE;
}

// Reads a list in the framework's object-list format; each object's class is checked against the
// button class before anything of it is made. Throws what the archive throws, the list emptied.
void ReadButtonList(CArchive& ar, CObList& list)
{
    try
    {
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; nCount--)
            list.AddTail(ar.ReadObject(RUNTIME_CLASS(CQENToolbarButton)));
    }
    catch (...)
    {
        DeleteAll(list);
        throw;
    }
}

// A button list as a registry stream: written as the framework's object list, read class-checked.
class CButtonListStream : public CObject
{
public:
    explicit CButtonListStream(CObList& list) : m_list(list) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            m_list.Serialize(ar);
        else
            ReadButtonList(ar, m_list);
    }

private:
    CObList& m_list;
};

} // namespace

CString CQENToolBar::StateKey(LPCTSTR lpszProfile, int nBarId, UINT nExtraId) const
{
    if (nBarId == -1)
        nBarId = m_hWnd != NULL ? GetDlgCtrlID() : 0;
    const CString strPath = BuildSettingsPath(kSection, lpszProfile);
    CString strKey;
    if (nExtraId == (UINT)-1)
        strKey.Format("%sQENToolBar-%d", (LPCTSTR)strPath, nBarId);
    else
        strKey.Format("%sQENToolBar-%d%x", (LPCTSTR)strPath, nBarId, nExtraId);
    return strKey;
}

void CQENToolBar::Serialize(CArchive& ar)
{
    CControlBar::Serialize(ar);
    if (ar.IsStoring())
    {
        CObList lstPersistent;
        for (POSITION pos = m_buttonList.GetHeadPosition(); pos != NULL;)
        {
            CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(m_buttonList.GetNext(pos));
            if (pButton->IsPersistent())
                lstPersistent.AddTail(pButton);
        }
        lstPersistent.Serialize(ar);
        CString strName;
        if (m_hWnd != NULL)
            GetWindowText(strName);
        ar << m_bLabelsAllowed << strName;
        return;
    }

    // Everything is read before the bar changes: a stream that breaks off leaves the bar as it was.
    CObList lstLoaded;
    BOOL bLabels = FALSE;
    CString strName;
    try
    {
        ReadButtonList(ar, lstLoaded);
        ar >> bLabels >> strName;
    }
    catch (...)
    {
        DeleteAll(lstLoaded);
        throw;
    }

    ClearButtons();
    BOOL bReload = FALSE;
    for (POSITION pos = lstLoaded.GetHeadPosition(); pos != NULL;)
    {
        CQENToolbarButton* pButton = static_cast<CQENToolbarButton*>(lstLoaded.GetNext(pos));
        if (pButton == NULL)
        {
            bReload = TRUE;
            break;
        }
        pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
        AddButtonAt(*pButton, -1);
    }
    DeleteAll(lstLoaded);
    if (bReload)
    {
        ClearButtons();
        if (m_nResourceId != 0)
            ResetToResource();
    }
    if (SupportsTextLabels())
        EnableTextLabels(bLabels);
    if (m_hWnd != NULL)
        SetWindowText(strName);
    for (POSITION pos = s_blockedCommands.GetHeadPosition(); pos != NULL;)
    {
        const UINT nBlocked = s_blockedCommands.GetNext(pos);
        for (int i = IndexOfCommand(nBlocked); i >= 0; i = IndexOfCommand(nBlocked))
            DeleteButtonAt(i);
    }
    if (m_hWnd != NULL)
        RecalcButtonLayout();
}

BOOL CQENToolBar::WriteState(LPCTSTR lpszProfile, int nBarId, UINT nExtraId)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    if (!pRegistry->CreateKey(StateKey(lpszProfile, nBarId, nExtraId)) || !pRegistry->Write(kButtonsValue, *this))
        return FALSE;
    if (m_hWnd != NULL)
    {
        CString strName;
        GetWindowText(strName);
        if (!pRegistry->Write(kNameValue, strName))
            return FALSE;
    }
    return SaveOriginalItems(*pRegistry);
}

BOOL CQENToolBar::ReadState(LPCTSTR lpszProfile, int nBarId, UINT nExtraId)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    if (!pRegistry->Open(StateKey(lpszProfile, nBarId, nExtraId)))
        return FALSE;
    if (!pRegistry->Read(kButtonsValue, *this))
    {
        // Damaged content gives way to the resource's; lack of memory leaves the bar as it was.
        if (pRegistry->LastResult() == ERROR_INVALID_DATA && m_nResourceId != 0)
            ResetToResource();
        return FALSE;
    }
    LoadOriginalItems(*pRegistry);
    return TRUE;
}

BOOL CQENToolBar::EraseStoredState(LPCTSTR lpszProfile, int nBarId, UINT nExtraId)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->DeleteKey(StateKey(lpszProfile, nBarId, nExtraId));
}

BOOL CQENToolBar::SaveOriginalItems(CQENRegistry& registry)
{
    if (m_resourceButtons.IsEmpty())
        return TRUE;
    return registry.Write(kOriginalItemsValue, m_resourceButtons);
}

BOOL CQENToolBar::LoadOriginalItems(CQENRegistry& registry)
{
    CObList lstStored;
    CButtonListStream stream(lstStored);
    if (!registry.Read(kOriginalItemsValue, stream))
        return FALSE;
    MergeResourceChanges(lstStored);
    DeleteAll(lstStored);
    return TRUE;
}

BOOL CQENToolBar::ResourceDiffersFromStored(const CObList& lstStoredOriginal)
{
    m_bResourceChanged = lstStoredOriginal.GetCount() != m_resourceButtons.GetCount();
    POSITION posStored = lstStoredOriginal.GetHeadPosition();
    POSITION posResource = m_resourceButtons.GetHeadPosition();
    while (!m_bResourceChanged && posStored != NULL && posResource != NULL)
    {
        const CQENToolbarButton* pStored = static_cast<const CQENToolbarButton*>(lstStoredOriginal.GetNext(posStored));
        const CQENToolbarButton* pResource = static_cast<const CQENToolbarButton*>(m_resourceButtons.GetNext(posResource));
        m_bResourceChanged = pStored == NULL || pStored->m_nCommandId != pResource->m_nCommandId ||
                             pStored->IsSeparator() != pResource->IsSeparator();
    }
    return m_bResourceChanged;
}

void CQENToolBar::MergeResourceChanges(const CObList& lstStoredOriginal)
{
    if (!ResourceDiffersFromStored(lstStoredOriginal))
        return;
    // Commands the resource no longer has leave the bar.
    for (POSITION pos = lstStoredOriginal.GetHeadPosition(); pos != NULL;)
    {
        const CQENToolbarButton* pStored = static_cast<const CQENToolbarButton*>(lstStoredOriginal.GetNext(pos));
        if (pStored == NULL || pStored->IsSeparator() || HasCommand(m_resourceButtons, pStored->m_nCommandId))
            continue;
        for (int i = IndexOfCommand(pStored->m_nCommandId); i >= 0; i = IndexOfCommand(pStored->m_nCommandId))
            DeleteButtonAt(i);
    }
    // Commands new in the resource come in at their resource place, with their default image.
    int iResource = 0;
    for (POSITION pos = m_resourceButtons.GetHeadPosition(); pos != NULL; iResource++)
    {
        const CQENToolbarButton* pResource = static_cast<const CQENToolbarButton*>(m_resourceButtons.GetNext(pos));
        if (pResource->IsSeparator() || HasCommand(lstStoredOriginal, pResource->m_nCommandId))
            continue;
        int iImage = -1;
        s_cmdImageIndex.Lookup(pResource->m_nCommandId, iImage);
        AddButtonAt(CQENToolbarButton(pResource->m_nCommandId, iImage, NULL, FALSE, m_bLocked), iResource);
    }
    if (m_hWnd != NULL)
        RecalcButtonLayout();
}
