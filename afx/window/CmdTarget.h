// CCmdTarget: the base of every class that receives commands through a message map.
#pragma once
#include "Object.h"
#include "MessageMap.h"

struct IUnknown;

struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command or a command-UI update (nCode CN_COMMAND / CN_UPDATE_COMMAND_UI, or a control
    // notification code with pExtra the NMHDR or AFX_NOTIFY) to this object's message map. With
    // pHandlerInfo, only reports whether and where a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Finds the entry of a window message (nCode and nID 0) or of a command/notification.
    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                          UINT nCode, UINT nID);

    // ---- COM identity of the OLE classes ----
    // The interface for *iid (no reference added), else NULL; a target without interfaces has none.
    virtual IUnknown* GetInterface(const void* iid);
    DWORD InternalAddRef();
    // Drops a reference; the last one calls OnFinalRelease.
    DWORD InternalRelease();

protected:
    // The last reference is gone: deletes the object.
    virtual void OnFinalRelease();

    DWORD m_dwRef = 1;   // the creator's reference

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    friend class CWnd;
};

// Parameter block of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Calls the handler of a command-class entry (commands, updates, notifications) on pTarget.
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                              UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo);
