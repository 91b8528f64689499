// Message maps: tables from window messages and commands to handler members.
//
// Each entry carries a small thunk that cracks wParam/lParam and calls the
// handler on the class that declared the map. Maps chain to the base class's
// map, so a derived class handles a message by listing it in its own map.
#pragma once
#include "afxdef.h"
#include "afxtypes.h"
#include "afxpriv.h"

class CCmdTarget;
class CWnd;
class CDC;

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

// What an entry answers: a window message, or a routed command (WM_COMMAND
// codes, command-UI updates, WM_NOTIFY codes and their reflected forms).
enum AfxEntryKind : UINT {
    AfxEntryMessage = 0,
    AfxEntryRouted = 1,
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                   // window message; for routed entries WM_COMMAND, WM_NOTIFY or a reflected form
    UINT nCode;                      // notification code (CN_COMMAND, CN_UPDATE_COMMAND_UI, ...) of routed entries
    UINT nID;                        // first command or control ID
    UINT nLastID;                    // last ID of a range
    const UINT* pnRegisteredMessage; // ON_REGISTERED_MESSAGE: the variable holding the message
    AFX_PMSGTHUNK pfn;               // NULL ends the table
    UINT nKind;                      // AfxEntryKind
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command codes of OnCmdMsg. Control notifications pass their own code (> 0);
// WM_NOTIFY codes and reflected codes pass MAKELONG(code, message).
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Reflected messages are routed to the child control as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019   // the one reflected form of every WM_CTLCOLOR... message
#endif

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// lParam of a reflected colour message (WM_REFLECT_BASE + WM_CTLCOLOR): the control, its DC
// and the CTLCOLOR_ kind (WM_CTLCOLOR... - WM_CTLCOLORMSGBOX).
struct AFX_CTLCOLOR {
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// Filled by OnCmdMsg instead of calling the handler, to ask who would handle a command.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr, nullptr, 0} \
        }; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// A thunk body sees pThis (the map's class), wParam and lParam.
#define AFX_THUNK(...) \
    +[](CCmdTarget* pTarget, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) -> LRESULT { \
        [[maybe_unused]] ThisClass* pThis = static_cast<ThisClass*>(pTarget); \
        __VA_ARGS__ \
    }
#define AFX_MSG_ENTRY(msg, ...) {msg, 0, 0, 0, nullptr, AFX_THUNK(__VA_ARGS__), AfxEntryMessage},
#define AFX_ROUTED_ENTRY(msg, code, id, idLast, ...) \
    {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(idLast), nullptr, AFX_THUNK(__VA_ARGS__), AfxEntryRouted},
#define AFX_VOID_ENTRY(msg, ...) AFX_MSG_ENTRY(msg, __VA_ARGS__; return 0;)

// Crackers shared by the thunks.
#define AFX_POINT_ARG CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))
#define AFX_WND_ARG(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

// Generic entries. ON_MESSAGE also takes WM_COMMAND and WM_NOTIFY whole, before any routing.
#define ON_MESSAGE(message, memberFxn) \
    AFX_MSG_ENTRY(message, return pThis->memberFxn(wParam, lParam);)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0, 0, 0, 0, &nMessageVariable, AFX_THUNK(return pThis->memberFxn(wParam, lParam);), AfxEntryMessage},

// Commands (menus, accelerators, buttons): the thunk gets the command ID and
// returns TRUE when handled. _EX handlers return FALSE to pass the command on.
#define ON_COMMAND(id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_COMMAND, id, id, pThis->memberFxn(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_COMMAND, id, id, return pThis->memberFxn((UINT)wParam);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, pThis->memberFxn((UINT)wParam); return TRUE;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, return pThis->memberFxn((UINT)wParam);)

// Command-UI updates: the thunk gets the CCmdUI*.
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, \
                     pThis->memberFxn(reinterpret_cast<CCmdUI*>(wParam)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, \
                     pThis->memberFxn(reinterpret_cast<CCmdUI*>(wParam)); return TRUE;)

// Control notifications sent as WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, wNotifyCode, id, id, pThis->memberFxn(); return TRUE;)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_COMMAND, wNotifyCode, id, idLast, pThis->memberFxn((UINT)wParam); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)

// WM_NOTIFY handlers: void memberFxn(NMHDR*, LRESULT*); _EX and _RANGE forms get the ID first.
#define AFX_NOTIFY_ARGS reinterpret_cast<NMHDR*>(wParam), reinterpret_cast<LRESULT*>(lParam)
#define AFX_NOTIFY_ID ((UINT)reinterpret_cast<NMHDR*>(wParam)->idFrom)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_NOTIFY, wNotifyCode, id, id, pThis->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, pThis->memberFxn(AFX_NOTIFY_ID, AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_ROUTED_ENTRY(WM_NOTIFY, wNotifyCode, id, id, return pThis->memberFxn(AFX_NOTIFY_ID, AFX_NOTIFY_ARGS);)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_ROUTED_ENTRY(WM_NOTIFY, wNotifyCode, id, idLast, return pThis->memberFxn(AFX_NOTIFY_ID, AFX_NOTIFY_ARGS);)

// Notifications reflected to the control that sent them. The _EX forms return
// FALSE to let the parent see the notification too.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_ROUTED_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, pThis->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ROUTED_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, wNotifyCode, 0, 0, return pThis->memberFxn(AFX_NOTIFY_ARGS);)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_ROUTED_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, pThis->memberFxn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_ROUTED_ENTRY(WM_REFLECT_BASE + WM_COMMAND, wNotifyCode, 0, 0, return pThis->memberFxn();)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_VOID_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, pThis->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_VOID_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, pThis->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))

// The control's own colours: HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); NULL lets the parent decide.
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, auto* pCtl = reinterpret_cast<AFX_CTLCOLOR*>(lParam); \
                  CDC dc; dc.Attach(pCtl->hDC); HBRUSH hbr = pThis->CtlColor(&dc, pCtl->nCtlType); dc.Detach(); \
                  return (LRESULT)hbr;)

// Framework messages with their usual handler signatures.
#define ON_WM_IDLEUPDATECMDUI() AFX_MSG_ENTRY(WM_IDLEUPDATECMDUI, return pThis->OnIdleUpdateCmdUI(wParam, lParam);)

// Window messages with their usual handler signatures.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, return pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_VOID_ENTRY(WM_DESTROY, pThis->OnDestroy())
#define ON_WM_NCDESTROY() AFX_VOID_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy())
#define ON_WM_CLOSE() AFX_VOID_ENTRY(WM_CLOSE, pThis->OnClose())
#define ON_WM_PAINT() AFX_VOID_ENTRY(WM_PAINT, pThis->OnPaint())
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, CDC dc; dc.Attach(reinterpret_cast<HDC>(wParam)); \
                  BOOL r = pThis->OnEraseBkgnd(&dc); dc.Detach(); return r;)
// Sizes are unsigned 16-bit values; positions (WM_MOVE) are signed.
#define ON_WM_SIZE() AFX_VOID_ENTRY(WM_SIZE, pThis->OnSize((UINT)wParam, (int)LOWORD(lParam), (int)HIWORD(lParam)))
#define ON_WM_MOVE() AFX_VOID_ENTRY(WM_MOVE, pThis->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_TIMER() AFX_VOID_ENTRY(WM_TIMER, pThis->OnTimer((UINT_PTR)wParam))
#define ON_WM_SHOWWINDOW() AFX_VOID_ENTRY(WM_SHOWWINDOW, pThis->OnShowWindow((BOOL)wParam, (UINT)lParam))
#define ON_WM_ENABLE() AFX_VOID_ENTRY(WM_ENABLE, pThis->OnEnable((BOOL)wParam))
#define ON_WM_SETFOCUS() AFX_VOID_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(AFX_WND_ARG(wParam)))
#define ON_WM_KILLFOCUS() AFX_VOID_ENTRY(WM_KILLFOCUS, pThis->OnKillFocus(AFX_WND_ARG(wParam)))
#define ON_WM_ACTIVATE() \
    AFX_VOID_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(wParam), AFX_WND_ARG(lParam), (BOOL)HIWORD(wParam)))
#define ON_WM_ACTIVATEAPP() AFX_VOID_ENTRY(WM_ACTIVATEAPP, pThis->OnActivateApp((BOOL)wParam, (DWORD)lParam))
#define ON_WM_MOUSEACTIVATE() \
    AFX_MSG_ENTRY(WM_MOUSEACTIVATE, return pThis->OnMouseActivate(AFX_WND_ARG(wParam), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, return pThis->OnSetCursor(AFX_WND_ARG(wParam), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, return pThis->OnNcHitTest(AFX_POINT_ARG);)
#define ON_WM_CONTEXTMENU() AFX_VOID_ENTRY(WM_CONTEXTMENU, pThis->OnContextMenu(AFX_WND_ARG(wParam), AFX_POINT_ARG))
#define ON_WM_GETMINMAXINFO() AFX_VOID_ENTRY(WM_GETMINMAXINFO, pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)))
#define ON_WM_WINDOWPOSCHANGING() \
    AFX_VOID_ENTRY(WM_WINDOWPOSCHANGING, pThis->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
    AFX_VOID_ENTRY(WM_WINDOWPOSCHANGED, pThis->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_CAPTURECHANGED() AFX_VOID_ENTRY(WM_CAPTURECHANGED, pThis->OnCaptureChanged(AFX_WND_ARG(lParam)))
#define ON_WM_CANCELMODE() AFX_VOID_ENTRY(WM_CANCELMODE, pThis->OnCancelMode())
#define ON_WM_DRAWITEM() \
    AFX_VOID_ENTRY(WM_DRAWITEM, pThis->OnDrawItem((int)wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)))
#define ON_WM_MEASUREITEM() \
    AFX_VOID_ENTRY(WM_MEASUREITEM, pThis->OnMeasureItem((int)wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)))
#define ON_WM_COMPAREITEM() \
    AFX_MSG_ENTRY(WM_COMPAREITEM, return pThis->OnCompareItem((int)wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));)
#define ON_WM_DELETEITEM() \
    AFX_VOID_ENTRY(WM_DELETEITEM, pThis->OnDeleteItem((int)wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)))
#define ON_WM_PARENTNOTIFY() AFX_VOID_ENTRY(WM_PARENTNOTIFY, pThis->OnParentNotify((UINT)LOWORD(wParam), lParam))
#define ON_WM_SYSCOLORCHANGE() AFX_VOID_ENTRY(WM_SYSCOLORCHANGE, pThis->OnSysColorChange())
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, return pThis->OnNcActivate((BOOL)wParam);)
#define ON_WM_INITMENUPOPUP() \
    AFX_VOID_ENTRY(WM_INITMENUPOPUP, \
                   pThis->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), (UINT)LOWORD(lParam), (BOOL)HIWORD(lParam)))
#define ON_WM_MENUSELECT() \
    AFX_VOID_ENTRY(WM_MENUSELECT, pThis->OnMenuSelect((UINT)LOWORD(wParam), (UINT)HIWORD(wParam), reinterpret_cast<HMENU>(lParam)))
#define ON_WM_ENTERIDLE() AFX_VOID_ENTRY(WM_ENTERIDLE, pThis->OnEnterIdle((UINT)wParam, AFX_WND_ARG(lParam)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, return (LRESULT)pThis->OnGetDlgCode();)
#define ON_WM_NCPAINT() AFX_VOID_ENTRY(WM_NCPAINT, pThis->OnNcPaint())
#define ON_WM_NCCALCSIZE() \
    AFX_VOID_ENTRY(WM_NCCALCSIZE, pThis->OnNcCalcSize((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)))
#define ON_WM_NCLBUTTONDOWN() AFX_VOID_ENTRY(WM_NCLBUTTONDOWN, pThis->OnNcLButtonDown((UINT)wParam, AFX_POINT_ARG))
#define ON_WM_NCLBUTTONDBLCLK() AFX_VOID_ENTRY(WM_NCLBUTTONDBLCLK, pThis->OnNcLButtonDblClk((UINT)wParam, AFX_POINT_ARG))
#define ON_WM_NCMOUSEMOVE() AFX_VOID_ENTRY(WM_NCMOUSEMOVE, pThis->OnNcMouseMove((UINT)wParam, AFX_POINT_ARG))
#define ON_WM_HSCROLL() \
    AFX_VOID_ENTRY(WM_HSCROLL, pThis->OnHScroll((UINT)LOWORD(wParam), (UINT)(short)HIWORD(wParam), AFX_WND_ARG(lParam)))
#define ON_WM_VSCROLL() \
    AFX_VOID_ENTRY(WM_VSCROLL, pThis->OnVScroll((UINT)LOWORD(wParam), (UINT)(short)HIWORD(wParam), AFX_WND_ARG(lParam)))
#define ON_WM_SYSCOMMAND() AFX_VOID_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand((UINT)wParam, lParam))

#define AFX_MOUSE_ENTRY(msg, fn) AFX_VOID_ENTRY(msg, pThis->fn((UINT)wParam, AFX_POINT_ARG))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)

#define AFX_KEY_ENTRY(msg, fn) \
    AFX_VOID_ENTRY(msg, pThis->fn((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)

// CWnd::RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001    // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002   // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004   // show the window when the queue first runs empty
