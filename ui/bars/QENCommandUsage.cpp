#include "QENCommandUsage.h"

#include "QENToolbarButton.h"

namespace {

const ULONGLONG kFrequentPercent = 5;

BOOL IsCustomizing()
{
    return CQENToolBarQuery::s_pActive != NULL && CQENToolBarQuery::s_pActive->IsCustomizing();
}

}   // namespace

IMPLEMENT_SERIAL(CQENCommandUsage, CObject, 1)

CList<UINT, UINT> CQENCommandUsage::s_lstBasicCommands(10);
CQENCommandUsage theCommandUsage;

CQENCommandUsage::CQENCommandUsage() : m_nTotalUsage(0)
{
}

BOOL PASCAL CQENCommandUsage::IsCounted(UINT nCommandId)
{
    // -1 is among the reserved ids.
    return nCommandId != 0 && !CQENToolbarButton::IsReservedCommand(nCommandId) &&
           CQENToolbarButton::s_lstNonCustomizable.Find(nCommandId) == NULL;
}

void CQENCommandUsage::AddCommand(UINT nCommandId)
{
    if (IsCustomizing() || !IsCounted(nCommandId))
        return;
    UINT nCount = 0;
    m_commandCounts.Lookup(nCommandId, nCount);
    m_commandCounts.SetAt(nCommandId, nCount + 1);
    m_nTotalUsage++;
}

BOOL CQENCommandUsage::IsFrequentlyUsed(UINT nCommandId) const
{
    UINT nCount = 0;
    if (m_nTotalUsage == 0 || !m_commandCounts.Lookup(nCommandId, nCount))
        return FALSE;
    // In 64 bits: a count times 100 would wrap in 32.
    return static_cast<ULONGLONG>(nCount) * 100 / m_nTotalUsage > kFrequentPercent;
}

void CQENCommandUsage::Reset()
{
    m_commandCounts.RemoveAll();
    m_nTotalUsage = 0;
}

void CQENCommandUsage::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        m_commandCounts.Serialize(ar);
        ar << m_nTotalUsage;
        return;
    }
    CMap<UINT, UINT, UINT, UINT> loadedCounts;
    UINT nLoadedTotal;
    loadedCounts.Serialize(ar);
    ar >> nLoadedTotal;
    Reset();
    POSITION pos = loadedCounts.GetStartPosition();
    while (pos != NULL)
    {
        UINT nCommandId, nCount;
        loadedCounts.GetNextAssoc(pos, nCommandId, nCount);
        m_commandCounts.SetAt(nCommandId, nCount);
    }
    m_nTotalUsage = nLoadedTotal;
}

void PASCAL CQENCommandUsage::SetBasicCommands(const CList<UINT, UINT>& lstCommands)
{
    s_lstBasicCommands.RemoveAll();
    POSITION pos = lstCommands.GetHeadPosition();
    while (pos != NULL)
        s_lstBasicCommands.AddTail(lstCommands.GetNext(pos));
}

BOOL PASCAL CQENCommandUsage::IsRarelyUsedCommand(UINT nCommandId)
{
    if (IsCustomizing() || nCommandId == 0 || CQENToolbarButton::IsReservedCommand(nCommandId))
        return FALSE;
    if (s_lstBasicCommands.IsEmpty() || s_lstBasicCommands.Find(nCommandId) != NULL)
        return FALSE;
    return !theCommandUsage.IsFrequentlyUsed(nCommandId);
}
