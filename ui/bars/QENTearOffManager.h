// CQENTearOffManager: hands out the control-bar ids of the bars torn off popup menus, from a range
// the application reserves. A menu that can be torn off carries its id in its item text, as
// character 1, the decimal id, character 1 and then the text itself.
//
// The workspace makes the application's manager; until then g_pTearOffManager is NULL and no menu
// can be torn off.
#pragma once
#include <afxwin.h>
#include <afxtempl.h>

class CQENTearOffManager
{
public:
    CQENTearOffManager(UINT nFirstId, UINT nLastId);

    // The lowest free id of the range, now in use; 0 when all are used.
    UINT AllocateId();
    // hMenu NULL: every id is free again. Otherwise the ids found in the menu's item texts, through
    // its submenus, are free again.
    void ReleaseIds(HMENU hMenu = NULL);
    // Marks an id read back from stored state as in use; FALSE when it lies outside the range.
    BOOL MarkUsed(UINT nId);
    BOOL IsUsed(UINT nId) const;

    // The id carried by strText, which loses the id part; 0 when it carries none.
    static UINT PASCAL ParseTearOffText(CString& strText);
    // strText with the id put in front ("%c%d%c%s").
    static void PASCAL BuildTearOffText(UINT nId, CString& strText);

    UINT FirstId() const { return m_nFirstId; }
    UINT LastId() const { return m_nLastId; }

private:
    UINT m_nFirstId;
    UINT m_nLastId;
    CArray<BOOL, BOOL> m_used;
};

extern CQENTearOffManager* g_pTearOffManager;
