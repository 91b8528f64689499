// Message maps: tables from window messages and commands to handler members.
//
// Each entry carries a small thunk that cracks wParam/lParam and calls the
// handler on the class that declared the map. Maps chain to the base class's
// map, so a derived class handles a message by listing it in its own map.
#pragma once
#include "afxdef.h"
#include "afxtypes.h"

class CCmdTarget;
class CWnd;
class CDC;

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                   // window message; WM_COMMAND/WM_NOTIFY for command entries
    UINT nCode;                      // control notification code for command entries
    UINT nID;                        // first command or control ID
    UINT nLastID;                    // last ID of a range
    const UINT* pnRegisteredMessage; // ON_REGISTERED_MESSAGE: the variable holding the message
    AFX_PMSGTHUNK pfn;               // NULL ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define CN_COMMAND 0

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
            {0, 0, 0, 0, nullptr, nullptr} \
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
#define AFX_MSG_ENTRY(msg, ...) {msg, 0, 0, 0, nullptr, AFX_THUNK(__VA_ARGS__)},
#define AFX_VOID_ENTRY(msg, ...) AFX_MSG_ENTRY(msg, __VA_ARGS__; return 0;)

// Crackers shared by the thunks.
#define AFX_POINT_ARG CPoint((short)LOWORD(lParam), (short)HIWORD(lParam))
#define AFX_WND_ARG(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

// Generic entries.
#define ON_MESSAGE(message, memberFxn) \
    AFX_MSG_ENTRY(message, return pThis->memberFxn(wParam, lParam);)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0, 0, 0, 0, &nMessageVariable, AFX_THUNK(return pThis->memberFxn(wParam, lParam);)},
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK(pThis->memberFxn(); return TRUE;)},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, AFX_THUNK(return pThis->memberFxn((UINT)wParam);)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr, AFX_THUNK(pThis->memberFxn((UINT)wParam); return TRUE;)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, AFX_THUNK(pThis->memberFxn(); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
// WM_NOTIFY handlers: void memberFxn(NMHDR*, LRESULT*).
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, \
     AFX_THUNK(pThis->memberFxn(reinterpret_cast<NMHDR*>(wParam), reinterpret_cast<LRESULT*>(lParam)); return TRUE;)},

// Window messages with their usual handler signatures.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, return pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));)
#define ON_WM_DESTROY() AFX_VOID_ENTRY(WM_DESTROY, pThis->OnDestroy())
#define ON_WM_NCDESTROY() AFX_VOID_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy())
#define ON_WM_CLOSE() AFX_VOID_ENTRY(WM_CLOSE, pThis->OnClose())
#define ON_WM_PAINT() AFX_VOID_ENTRY(WM_PAINT, pThis->OnPaint())
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, CDC dc; dc.Attach(reinterpret_cast<HDC>(wParam)); \
                  BOOL r = pThis->OnEraseBkgnd(&dc); dc.Detach(); return r;)
#define ON_WM_SIZE() AFX_VOID_ENTRY(WM_SIZE, pThis->OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)))
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
#define ON_WM_SYSCOMMAND() AFX_VOID_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand((UINT)wParam, lParam))

#define AFX_MOUSE_ENTRY(msg, fn) AFX_VOID_ENTRY(msg, pThis->fn((UINT)wParam, AFX_POINT_ARG))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)

#define AFX_KEY_ENTRY(msg, fn) \
    AFX_VOID_ENTRY(msg, pThis->fn((UINT)wParam, LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)

// Framework-private messages.
#ifndef WM_KICKIDLE
#define WM_KICKIDLE 0x036A   // sent by modal loops while idle: wParam MSGF_*, lParam idle count
#endif

// CWnd::RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001    // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002   // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004   // show the window when the queue first runs empty
