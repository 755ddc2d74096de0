#include "QENCommandManager.h"
#include "QENRegistry.h"
#include "QENSettingsPath.h"

namespace {

const LPCTSTR kSection = "QENToolBars";
const LPCTSTR kCommandsWithoutImages = "CommandsWithoutImages";

CString ManagerKey(LPCTSTR lpszProfile)
{
    CString strKey;
    strKey.Format("%sQENCommandManager", (LPCTSTR)BuildSettingsPath(kSection, lpszProfile));
    return strKey;
}

} // namespace

CQENCommandManager& CQENCommandManager::Instance()
{
    static CQENCommandManager manager;
    return manager;
}

CQENCommandManager::CQENCommandManager() : m_standardImages(10), m_userImages(10), m_lstCommandsWithoutImages(10)
{
    m_standardImages.InitHashTable(17);
    m_userImages.InitHashTable(17);
}

int CQENCommandManager::ImageOfCommand(UINT nCommandId, BOOL bUserImage) const
{
    int iImage;
    return (bUserImage ? m_userImages : m_standardImages).Lookup(nCommandId, iImage) ? iImage : -1;
}

void CQENCommandManager::BindCommandImage(UINT nCommandId, int iImage, BOOL bUserImage)
{
    if (nCommandId == 0 || nCommandId == (UINT)-1 || iImage < 0)
        return;
    int iOther;
    if ((bUserImage ? m_standardImages : m_userImages).Lookup(nCommandId, iOther))
        return;
    (bUserImage ? m_userImages : m_standardImages).SetAt(nCommandId, iImage);
}

void CQENCommandManager::UnbindCommandImage(UINT nCommandId)
{
    m_userImages.RemoveKey(nCommandId);
}

void CQENCommandManager::SetMenuImageShown(UINT nCommandId, BOOL bShown)
{
    POSITION pos = m_lstCommandsWithoutImages.Find(nCommandId);
    if (bShown && pos != NULL)
        m_lstCommandsWithoutImages.RemoveAt(pos);
    else if (!bShown && pos == NULL)
        m_lstCommandsWithoutImages.AddTail(nCommandId);
}

BOOL CQENCommandManager::HasNoMenuImage(UINT nCommandId) const
{
    return m_lstCommandsWithoutImages.Find(nCommandId) != NULL;
}

BOOL CQENCommandManager::WriteState(LPCTSTR lpszProfile)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, FALSE);
    return pRegistry->CreateKey(ManagerKey(lpszProfile)) && pRegistry->Write(kCommandsWithoutImages, m_lstCommandsWithoutImages);
}

BOOL CQENCommandManager::ReadState(LPCTSTR lpszProfile)
{
    CQENRegistryHolder holder;
    CQENRegistry* pRegistry = holder.Create(FALSE, TRUE);
    // A stream that breaks off half-way must not leave half a list.
    CList<UINT, UINT> commands(10);
    if (!pRegistry->Open(ManagerKey(lpszProfile)) || !pRegistry->Read(kCommandsWithoutImages, commands))
        return FALSE;
    m_lstCommandsWithoutImages.RemoveAll();
    m_lstCommandsWithoutImages.AddTail(&commands);
    return TRUE;
}
