// CQENMouseManager: the application's views by name (with an icon for the customization sheet), and
// per view the command that a double click on it runs. The bindings persist in the registry as the
// binary value "Mouse"; names and icons are registered by the application at each start.
//
// One manager serves the application: constructing it sets g_pMouseManager, destroying it clears it.
#pragma once
#include <afx.h>
#include <afxtempl.h>

class CQENMouseManager : public CObject
{
    DECLARE_SERIAL(CQENMouseManager)
public:
    CQENMouseManager();
    ~CQENMouseManager() override;
    CQENMouseManager(const CQENMouseManager&) = delete;
    CQENMouseManager& operator=(const CQENMouseManager&) = delete;

    // FALSE when the name is taken. nIconId 0: the view has no icon.
    BOOL RegisterView(int nViewId, LPCTSTR lpszName, UINT nIconId = 0);
    // 0 when the view has none.
    UINT DoubleClickCommandOf(int nViewId) const;
    // Command 0 removes the view's binding.
    void BindDoubleClickCommand(int nViewId, UINT nCommandId);
    void ListViewNames(CStringList& names) const;
    // -1 for an unknown name.
    int ViewIdOf(LPCTSTR lpszName) const;
    // 0 when the view has none.
    UINT ViewIconOf(int nViewId) const;

    // The bindings: a 32-bit count, then each view id and command id, 32-bit each. A stream that
    // breaks off leaves the bindings as they were.
    void Serialize(CArchive& ar) override;
    // The value "Mouse" under lpszPath, or under the manager's own section when it is NULL or empty.
    BOOL ReadState(LPCTSTR lpszPath = NULL);
    BOOL WriteState(LPCTSTR lpszPath = NULL);

protected:
    CMap<CString, LPCTSTR, int, int> m_viewNameMap;
    CMap<int, int, UINT, UINT> m_viewCommandMap;
    CMap<int, int, UINT, UINT> m_viewIconMap;
};

extern CQENMouseManager* g_pMouseManager;
