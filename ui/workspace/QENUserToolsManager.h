// CQENUserToolsManager: the user's tools, one command id each out of a reserved range. It hands out
// the ids, runs a tool when its command arrives, keeps the list in the registry (value "Tools", the
// list as an archived object list) and answers the bars: menus show the tools in place of the tools'
// placeholder item, buttons of tool commands show the tool's icon.
//
// One manager exists at a time; while it lives g_pUserToolsManager and the bars' query pointers
// point at it.
#pragma once
#include "QENPopupMenuBar.h"
#include "QENToolbarButton.h"
#include "QENUserTool.h"

class CQENUserToolsManager : public CQENUserToolsQuery, public CQENUserToolsMenuSource
{
public:
    // nToolsEntryCmd: the placeholder item of menus; [nFirstToolCmd, nLastToolCmd]: the tools'
    // commands; pToolClass: the class of new tools (CQENUserTool when it is not derived from it);
    // the two menus are offered for the arguments and the initial folder when tools are edited.
    CQENUserToolsManager(UINT nToolsEntryCmd, UINT nFirstToolCmd, UINT nLastToolCmd,
                         CRuntimeClass* pToolClass = RUNTIME_CLASS(CQENUserTool), UINT nArgsMenuId = 0,
                         UINT nFolderMenuId = 0);
    virtual ~CQENUserToolsManager();
    CQENUserToolsManager(const CQENUserToolsManager&) = delete;
    CQENUserToolsManager& operator=(const CQENUserToolsManager&) = delete;

    // ---- the list ----
    // A new tool with the lowest free id, appended; NULL when every id is taken.
    CQENUserTool* AddNewTool();
    // Deletes the tool and takes its buttons off every toolbar; FALSE when it is not in the list.
    BOOL DeleteTool(CQENUserTool* pTool);
    // One place up or down; FALSE at the list's end or for a tool not in it.
    BOOL RaiseTool(CQENUserTool* pTool);
    BOOL LowerTool(CQENUserTool* pTool);
    // NULL outside the range and for an id no tool holds.
    CQENUserTool* LookupTool(UINT nCommandId) const;
    // TRUE when a tool holds the id and started.
    BOOL RunToolCommand(UINT nCommandId);
    const CObList& GetUserTools() const { return m_toolList; }
    int MaxTools() const;

    // ---- the registry ----
    // lpszPath NULL or empty: the manager's own section. A stored list that cannot be read leaves no
    // tools; tools of another class, outside the range or with an id taken before are left out.
    BOOL ReadState(LPCTSTR lpszPath);
    BOOL WriteState(LPCTSTR lpszPath);

    UINT FirstToolCommand() const { return m_nFirstToolCmd; }
    UINT LastToolCommand() const { return m_nLastToolCmd; }
    CRuntimeClass* ToolClass() const { return m_pToolClass; }

    // ---- what the bars ask ----
    BOOL IsToolCommand(UINT nCommandId) const override;
    UINT ToolsEntryCommand() const override { return m_nToolsEntryCmd; }
    void PaintToolIcon(UINT nCommandId, CDC* pDC, const CRect& rect) const override;
    BOOL RunTool(UINT nCommandId) override { return RunToolCommand(nCommandId); }
    int ToolCount() const override { return (int)m_toolList.GetCount(); }
    BOOL ToolAt(int iTool, UINT& nCommandId, CString& strName) const override;

    // The file dialog's filter and default pattern, and the menus, for editing the tools.
    CString m_strFilter;
    CString m_strDefExt;
    UINT m_nArgsMenuId;
    UINT m_nFolderMenuId;

private:
    void DeleteAllTools();
    // Keeps the loaded tools that fit; the others are deleted.
    void AdoptLoadedTools(CObList& loaded);
    BOOL SwapWithNeighbour(CQENUserTool* pTool, BOOL bPrevious);
    static void RemoveCommandFromToolbars(UINT nCommandId);

    CObList m_toolList;
    UINT m_nToolsEntryCmd;
    UINT m_nFirstToolCmd;
    UINT m_nLastToolCmd;
    CRuntimeClass* m_pToolClass;
};

extern CQENUserToolsManager* g_pUserToolsManager;
