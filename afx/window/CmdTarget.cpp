#include "CmdTarget.h"
#include "CmdUI.h"
#include "WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY noEntries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP messageMap = { NULL, &noEntries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

IUnknown* CCmdTarget::GetInterface(const void*)
{
    return NULL;
}

DWORD CCmdTarget::InternalAddRef()
{
    return ++m_dwRef;
}

DWORD CCmdTarget::InternalRelease()
{
    ASSERT(m_dwRef != 0);
    DWORD dwRef = --m_dwRef;
    if (dwRef == 0)
        OnFinalRelease();
    return dwRef;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

const AFX_MSGMAP_ENTRY* PASCAL CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                           UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode &&
            nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Notifications arrive as MAKELONG(code, message); commands and updates as the bare code.
    UINT nMsg = 0;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMap->lpEntries, nMsg, (UINT)nCode, nID);
        if (lpEntry != NULL)
            return AfxDispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
    }
    return FALSE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                              UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo != NULL)
    {
        pHandlerInfo->pTarget = pTarget;
        pHandlerInfo->pmf = pfn;
        return TRUE;
    }

    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (nSig)
    {
    case AfxSig_vv:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSig_bv:
        return (pTarget->*AfxFunctionCast<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSig_vw:
        (pTarget->*AfxFunctionCast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSig_bw:
        return (pTarget->*AfxFunctionCast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSig_cmdui:
    {
        ASSERT((UINT)nCode == CN_UPDATE_COMMAND_UI);
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        (pTarget->*AfxFunctionCast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bHandled;
    }
    case AfxSig_vNMHDRpl:
        (pTarget->*AfxFunctionCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSig_bNMHDRpl:
        return (pTarget->*AfxFunctionCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR,
                                                                                         pNotify->pResult);
    case AfxSig_vwNMHDRpl:
        (pTarget->*AfxFunctionCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                       pNotify->pResult);
        return TRUE;
    case AfxSig_bwNMHDRpl:
        return (pTarget->*AfxFunctionCast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
            nID, pNotify->pNMHDR, pNotify->pResult);
    }
    ASSERT(FALSE);
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    AfxGetApp()->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    AfxGetApp()->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxGetApp()->DoWaitCursor(0);
}
