// Message maps: one static table per class, searched from the most derived class to CCmdTarget.
//
// An entry names a message (or WM_COMMAND / WM_NOTIFY with a notification code and an id range), the
// shape of its handler, and the handler as a member-function pointer of CCmdTarget. The macros check
// the handler's signature at compile time by converting it to the exact pointer type of its shape.
#pragma once
#include "AfxDefs.h"

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CCmdUI;
class CPoint;

typedef void (CCmdTarget::*AFX_PMSG)();

// Handler shapes.
enum AfxSig : UINT
{
    AfxSig_end = 0,
    AfxSig_lwl,          // LRESULT (WPARAM, LPARAM)               ON_MESSAGE
    AfxSig_vv,           // void ()
    AfxSig_bv,           // BOOL ()
    AfxSig_vw,           // void (UINT)
    AfxSig_bw,           // BOOL (UINT)
    AfxSig_cmdui,        // void (CCmdUI*)
    AfxSig_vNMHDRpl,     // void (NMHDR*, LRESULT*)
    AfxSig_bNMHDRpl,     // BOOL (NMHDR*, LRESULT*)
    AfxSig_vwNMHDRpl,    // void (UINT, NMHDR*, LRESULT*)
    AfxSig_bwNMHDRpl,    // BOOL (UINT, NMHDR*, LRESULT*)
    AfxSig_is,           // int (LPCREATESTRUCT)                   WM_CREATE
    AfxSig_bs,           // BOOL (LPCREATESTRUCT)                  WM_NCCREATE
    AfxSig_vwii,         // void (UINT, int, int)                  WM_SIZE
    AfxSig_vii,          // void (int, int)                        WM_MOVE
    AfxSig_bD,           // BOOL (CDC*)                            WM_ERASEBKGND
    AfxSig_vt,           // void (UINT_PTR)                        WM_TIMER
    AfxSig_vwp,          // void (UINT, CPoint)                    mouse buttons and moves
    AfxSig_bwsp,         // BOOL (UINT, short, CPoint)             WM_MOUSEWHEEL
    AfxSig_lp,           // LRESULT (CPoint)                       WM_NCHITTEST
    AfxSig_vbNCCALC,     // void (BOOL, NCCALCSIZE_PARAMS*)        WM_NCCALCSIZE
    AfxSig_bWww,         // BOOL (CWnd*, UINT, UINT)               WM_SETCURSOR
    AfxSig_iWww,         // int (CWnd*, UINT, UINT)                WM_MOUSEACTIVATE
    AfxSig_vwww,         // void (UINT, UINT, UINT)                keys and characters
    AfxSig_vW,           // void (CWnd*)                           focus, capture
    AfxSig_vwWb,         // void (UINT, CWnd*, BOOL)               WM_ACTIVATE
    AfxSig_vbh,          // void (BOOL, DWORD)                     WM_ACTIVATEAPP
    AfxSig_bb,           // BOOL (BOOL)                            WM_NCACTIVATE
    AfxSig_vb,           // void (BOOL)                            WM_ENABLE, menu loops
    AfxSig_vbw,          // void (BOOL, UINT)                      WM_SHOWWINDOW
    AfxSig_vPOS,         // void (WINDOWPOS*)                      WM_WINDOWPOSCHANGING/ED
    AfxSig_vMINMAX,      // void (MINMAXINFO*)                     WM_GETMINMAXINFO
    AfxSig_hDWw,         // HBRUSH (CDC*, CWnd*, UINT)             WM_CTLCOLOR*
    AfxSig_hDw,          // HBRUSH (CDC*, UINT)                    reflected WM_CTLCOLOR*
    AfxSig_vOWNER,       // void (int, LPDRAWITEMSTRUCT / LPMEASUREITEMSTRUCT / LPDELETEITEMSTRUCT)
    AfxSig_vOWNERREFLECT,// void (LPDRAWITEMSTRUCT / LPMEASUREITEMSTRUCT)
    AfxSig_vwl,          // void (UINT, LPARAM)                    WM_SYSCOMMAND, WM_PARENTNOTIFY
    AfxSig_vMwb,         // void (CMenu*, UINT, BOOL)              WM_INITMENUPOPUP
    AfxSig_lwwM,         // LRESULT (UINT, UINT, CMenu*)           WM_MENUCHAR
    AfxSig_vwwh,         // void (UINT, UINT, HMENU)               WM_MENUSELECT
    AfxSig_vwW,          // void (UINT, CWnd*)                     WM_ENTERIDLE
    AfxSig_vWp,          // void (CWnd*, CPoint)                   WM_CONTEXTMENU
    AfxSig_vwwx,         // void (UINT, UINT, CScrollBar*)         WM_HSCROLL / WM_VSCROLL
    AfxSig_vws,          // void (UINT, LPCTSTR)                   WM_SETTINGCHANGE
    AfxSig_vh,           // void (HDROP)                           WM_DROPFILES
    AfxSig_wv,           // UINT ()                                WM_GETDLGCODE
    AfxSig_viSTYLE,      // void (int, LPSTYLESTRUCT)              WM_STYLECHANGED/ING
    AfxSig_vwpRECT,      // void (UINT, LPRECT)                    WM_SIZING, WM_MOVING
    AfxSig_bHELPINFO,    // BOOL (HELPINFO*)                       WM_HELP
    AfxSig_iOWNER,       // int (int, LPCOMPAREITEMSTRUCT)         WM_COMPAREITEM
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message, or WM_COMMAND / WM_NOTIFY (plus WM_REFLECT_BASE when reflected)
    UINT nCode;      // notification code, or CN_COMMAND / CN_UPDATE_COMMAND_UI
    UINT nID;        // first control or command id
    UINT nLastID;    // last id of a range; equals nID otherwise
    UINT_PTR nSig;   // AfxSig, or the address of a registered message number
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Pseudo notification codes for OnCmdMsg.
#define CN_COMMAND              0
#define CN_UPDATE_COMMAND_UI    ((UINT)(-1))
#define CN_EVENT                ((UINT)(-2))

// Messages reflected back to the control that sent them carry this offset.
#define WM_REFLECT_BASE         0xBC00

// The single message under which all WM_CTLCOLORxxx messages are looked up (the old combined number).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR             0x0019
#endif

// Marks an ON_REGISTERED_MESSAGE entry: nSig holds the address of the UINT with the message number.
#define AFX_REGISTERED_MESSAGE_TAG 0xC000

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Copies a member-function pointer into one of another function type. Table entries keep every
// handler as AFX_PMSG and the dispatcher copies it back to the type its shape names; all handlers
// belong to single-inheritance classes, so the representation is the same.
template <class TTo, class TFrom>
inline TTo AfxFunctionCast(TFrom pfn)
{
    static_assert(sizeof(TTo) == sizeof(TFrom), "member function pointers of different sizes");
    TTo pfnTo;
    memcpy(&pfnTo, &pfn, sizeof pfnTo);
    return pfnTo;
}

// Converts a handler of the given exact type to the table's pointer type.
#define AFX_HANDLER(type, member) \
    AfxFunctionCast<AFX_PMSG>(static_cast<type>(&ThisClass::member))

// ---- messages handled with LRESULT (WPARAM, LPARAM) ----

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_lwl, AFX_HANDLER(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },

#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    { AFX_REGISTERED_MESSAGE_TAG, 0, 0, 0, (UINT_PTR)(&nMessageVariable), \
      AFX_HANDLER(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },

#define ON_THREAD_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_vwl, AFX_HANDLER(void (CCmdTarget::*)(WPARAM, LPARAM), memberFxn) },

// ---- commands ----

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_vv, AFX_HANDLER(void (CCmdTarget::*)(), memberFxn) },

#define ON_COMMAND_EX(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_bw, AFX_HANDLER(BOOL (CCmdTarget::*)(UINT), memberFxn) },

#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_vw, AFX_HANDLER(void (CCmdTarget::*)(UINT), memberFxn) },

#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_bw, AFX_HANDLER(BOOL (CCmdTarget::*)(UINT), memberFxn) },

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmdui, \
      AFX_HANDLER(void (CCmdTarget::*)(CCmdUI*), memberFxn) },

#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSig_cmdui, \
      AFX_HANDLER(void (CCmdTarget::*)(CCmdUI*), memberFxn) },

// ---- control notifications to the parent ----

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vv, \
      AFX_HANDLER(void (CCmdTarget::*)(), memberFxn) },

#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_vw, \
      AFX_HANDLER(void (CCmdTarget::*)(UINT), memberFxn) },

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vNMHDRpl, \
      AFX_HANDLER(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_vwNMHDRpl, \
      AFX_HANDLER(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_bwNMHDRpl, \
      AFX_HANDLER(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_bwNMHDRpl, \
      AFX_HANDLER(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn) },

#define ON_BN_CLICKED(id, memberFxn)      ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)       ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)       ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)     ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)    ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)   ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)      ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)   ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)  ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)    ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)     ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn)     ON_CONTROL(STN_CLICKED, id, memberFxn)

// ---- reflected to the control itself ----

#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_vv, \
      AFX_HANDLER(void (CCmdTarget::*)(), memberFxn) },

#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_bv, \
      AFX_HANDLER(BOOL (CCmdTarget::*)(), memberFxn) },

#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_vNMHDRpl, \
      AFX_HANDLER(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AfxSig_bNMHDRpl, \
      AFX_HANDLER(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn) },

#define ON_BN_CLICKED_REFLECT(memberFxn)  ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)

#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hDw, \
      AFX_HANDLER(HBRUSH (CWnd::*)(CDC*, UINT), CtlColor) },

#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vOWNERREFLECT, \
      AFX_HANDLER(void (CWnd::*)(LPDRAWITEMSTRUCT), DrawItem) },

#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vOWNERREFLECT, \
      AFX_HANDLER(void (CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem) },

// ---- window messages with cracked parameters ----

#define AFX_ON_WM(msg, sig, type, fn) { msg, 0, 0, 0, sig, AFX_HANDLER(type, fn) },

#define ON_WM_CREATE()          AFX_ON_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE()        AFX_ON_WM(WM_NCCREATE, AfxSig_bs, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY()         AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()       AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE()           AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE()            AFX_ON_WM(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE()            AFX_ON_WM(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SIZING()          AFX_ON_WM(WM_SIZING, AfxSig_vwpRECT, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING()          AFX_ON_WM(WM_MOVING, AfxSig_vwpRECT, void (CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_PAINT()           AFX_ON_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT()         AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND()      AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER()           AFX_ON_WM(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_MOUSEMOVE()       AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN()     AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()       AFX_ON_WM(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK()   AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()     AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()       AFX_ON_WM(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()   AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()     AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP()       AFX_ON_WM(WM_MBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MOUSEWHEEL()      AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_NCHITTEST()       AFX_ON_WM(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE()      AFX_ON_WM(WM_NCCALCSIZE, AfxSig_vbNCCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCMOUSEMOVE()     AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN()   AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()     AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN()   AFX_ON_WM(WM_NCRBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP()     AFX_ON_WM(WM_NCRBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnNcRButtonUp)
#define ON_WM_SETCURSOR()       AFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_MOUSEACTIVATE()   AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_iWww, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_KEYDOWN()         AFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()           AFX_ON_WM(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR()            AFX_ON_WM(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN()      AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP()        AFX_ON_WM(WM_SYSKEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR()         AFX_ON_WM(WM_SYSCHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_SETFOCUS()        AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()       AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED()  AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CANCELMODE()      AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_ACTIVATE()        AFX_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()     AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_vbh, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE()      AFX_ON_WM(WM_NCACTIVATE, AfxSig_bb, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_ENABLE()          AFX_ON_WM(WM_ENABLE, AfxSig_vb, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_ENTERMENULOOP()   AFX_ON_WM(WM_ENTERMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP()    AFX_ON_WM(WM_EXITMENULOOP, AfxSig_vb, void (CWnd::*)(BOOL), OnExitMenuLoop)
#define ON_WM_SHOWWINDOW()      AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()  AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO()   AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vMINMAX, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_CTLCOLOR()        AFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()        AFX_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()     AFX_ON_WM(WM_MEASUREITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM()     AFX_ON_WM(WM_COMPAREITEM, AfxSig_iOWNER, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM()      AFX_ON_WM(WM_DELETEITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_SYSCOMMAND()      AFX_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_PARENTNOTIFY()    AFX_ON_WM(WM_PARENTNOTIFY, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_INITMENUPOPUP()   AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUCHAR()        AFX_ON_WM(WM_MENUCHAR, AfxSig_lwwM, LRESULT (CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_MENUSELECT()      AFX_ON_WM(WM_MENUSELECT, AfxSig_vwwh, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_ENTERIDLE()       AFX_ON_WM(WM_ENTERIDLE, AfxSig_vwW, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_CONTEXTMENU()     AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_HSCROLL()         AFX_ON_WM(WM_HSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()         AFX_ON_WM(WM_VSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_SETTINGCHANGE()   AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_vws, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE()  AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_DROPFILES()       AFX_ON_WM(WM_DROPFILES, AfxSig_vh, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_GETDLGCODE()      AFX_ON_WM(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_STYLECHANGED()    AFX_ON_WM(WM_STYLECHANGED, AfxSig_viSTYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING()   AFX_ON_WM(WM_STYLECHANGING, AfxSig_viSTYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_HELPINFO()        AFX_ON_WM(WM_HELP, AfxSig_bHELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
