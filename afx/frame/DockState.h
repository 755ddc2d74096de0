// CDockState: the docking layout of a frame's control bars, one CControlBarInfo per bar, kept in
// the application's profile (a "<name>-Summary" section and one "<name>-Bar<n>" section per bar)
// or in an archive. Positions saved on a screen of another size are scaled to the current one.
#pragma once
#include "Object.h"
#include "PtrArray.h"
#include "Rect.h"

class CArchive;
class CControlBar;
class CDockState;

// What is kept of one control bar. A dock bar lists the ids of the bars it holds in order, 0
// standing for a row break and an id with nPlaceHolderFlag for the place of a bar that floats.
class CControlBarInfo
{
public:
    // The MRU width a bar has before anyone sized it.
    static constexpr UINT nDefaultMRUWidth = 32767;
    // Marks a saved placeholder; above the 16 bits of a control id.
    static constexpr UINT nPlaceHolderFlag = 0x10000;

    CControlBarInfo();

    UINT m_nBarID;               // control id of the bar
    BOOL m_bVisible;
    BOOL m_bFloating;            // a floating frame's dock bar
    BOOL m_bHorz;                // orientation of a floating dock bar
    BOOL m_bDockBar;             // a dock bar, which holds other bars
    CPoint m_pointPos;           // top-left in the dock bar, or of the floating frame; -1 when unknown

    UINT m_nMRUWidth;            // width of a dynamically sized bar
    BOOL m_bDocking;             // the bar can be dragged (it has a dock context): the MRU fields count
    UINT m_uMRUDockID;           // dock bar it was docked in last
    CRect m_rectMRUDockPos;      // where it was docked last
    DWORD m_dwMRUFloatStyle;     // orientation it floated with last
    CPoint m_ptMRUFloatPos;      // where it floated last

    CPtrArray m_arrBarID;        // ids of the bars in a dock bar (see above)
    CControlBar* m_pBar;         // the live bar, found when the state is applied; NULL when absent

    void Serialize(CArchive& ar, CDockState* pDockState);
    // The section is deleted first; FALSE (and nothing written) for a dock bar that holds nothing
    // worth keeping.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // FALSE when the section names no bar.
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);

private:
    void ScalePositions(CDockState* pDockState);
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    // Version 2 adds the screen size, the MRU width and the MRU docking fields.
    static constexpr DWORD dwCurrentVersion = 2;

    CDockState();
    ~CDockState() override;

    CPtrArray m_arrBarInfo;   // CControlBarInfo*, owned
    DWORD m_dwVersion;

    // Deletes every bar info.
    void Clear();
    DWORD GetVersion() const { return m_dwVersion; }

    // Write through the application's profile; LoadState replaces what the state held.
    void SaveState(LPCTSTR lpszProfileName);
    void LoadState(LPCTSTR lpszProfileName);
    void Serialize(CArchive& ar) override;

    // The screen size the positions belong to; setting another than the current screen's turns
    // scaling on. An empty size means unknown (no scaling).
    CSize GetScreenSize() const { return m_sizeDevice; }
    void SetScreenSize(const CSize& size);
    // Scale from the saved screen to the current one.
    void ScalePoint(CPoint& pt) const;
    // Moves the rectangle (keeping its size) as its top-left scales, then back onto the screen.
    void ScaleRectPos(CRect& rect) const;

private:
    BOOL m_bScaling;
    CRect m_rectDevice;   // the current screen
    CRect m_rectClip;     // where a top-left may lie and leave the window reachable
    CSize m_sizeDevice;   // the screen the positions were saved on
};
