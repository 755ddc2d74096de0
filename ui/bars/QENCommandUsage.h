// CQENCommandUsage: how often each command was run, for the menus that hide rarely used commands.
// One instance, theCommandUsage, serves the application; it is stored with the toolbar options.
//
// Commands of the basic list are always shown. Commands the framework manages itself (recent files,
// OLE verbs, system commands, ids from 0xFF00 on, the user tools' placeholder) and the commands that
// cannot be customized are never counted and never rare.
#pragma once
#include <afx.h>
#include <afxtempl.h>

class CQENCommandUsage : public CObject
{
    DECLARE_SERIAL(CQENCommandUsage)
public:
    CQENCommandUsage();

    // Counts one use; ignored in customize mode and for commands that are not counted.
    void AddCommand(UINT nCommandId);
    // More than 5 per cent of all counted uses.
    BOOL IsFrequentlyUsed(UINT nCommandId) const;
    void Reset();
    UINT TotalUsage() const { return m_nTotalUsage; }

    // The counts (the framework's map format: count, then id and count pairs), then the total. A
    // failed load leaves the statistics as they were.
    void Serialize(CArchive& ar) override;

    // Replaces the basic commands; an empty list switches the hiding of rare commands off.
    static void PASCAL SetBasicCommands(const CList<UINT, UINT>& lstCommands);
    static const CList<UINT, UINT>& PASCAL BasicCommands() { return s_lstBasicCommands; }
    // A command menus hide until the whole menu is shown: not basic and not frequently used.
    static BOOL PASCAL IsRarelyUsedCommand(UINT nCommandId);

private:
    static BOOL PASCAL IsCounted(UINT nCommandId);

    CMap<UINT, UINT, UINT, UINT> m_commandCounts;
    UINT m_nTotalUsage;

    static CList<UINT, UINT> s_lstBasicCommands;
};

extern CQENCommandUsage theCommandUsage;
