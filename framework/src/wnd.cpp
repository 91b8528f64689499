#include "afxwin.h"
#include "wndmap.h"

#include <cstdio>
#include <exception>
#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

// Windows the system creates on the thread's behalf while another window is
// being created (the input-method windows come with the first top-level
// window) must not take the object meant for the caller's window.
bool IsWindowOfCreateCall(HWND hWnd, const AfxThreadState& state)
{
    char name[64];
    if (!::GetClassNameA(hWnd, name, sizeof name))
        return false;
    if (lstrcmpiA(name, "IME") == 0 || lstrcmpiA(name, "MSCTFIME UI") == 0)
        return false;
    if (state.atomClassInit)
        return (ATOM)::GetClassLongPtrA(hWnd, GCW_ATOM) == state.atomClassInit;
    return true;
}

// Attaches the object waiting in CreateEx to its window before the window's first message.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit && IsWindowOfCreateCall(reinterpret_cast<HWND>(wParam), state)) {
        CWnd* pWnd = state.pWndInit;
        state.pWndInit = nullptr;
        state.hWndCreating = reinterpret_cast<HWND>(wParam);
        pWnd->SubclassWindow(state.hWndCreating);
    }
    return CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

// After WM_NCDESTROY: forget the window, end the thread's loop for its main
// window, and let the object clean up (possibly deleting itself).
void CleanUpAfterNcDestroy(CWnd* pWnd, HWND hWnd)
{
    if (CWnd::FromHandlePermanent(hWnd) != pWnd)
        return;   // a handler already cleaned up
    if (CWinThread* pThread = AfxGetThread(); pThread && pThread->m_pMainWnd == pWnd) {
        pThread->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    pWnd->UnsubclassWindow();
    pWnd->Detach();
    AfxWndInternals::PostNcDestroy(pWnd);
}

}   // namespace

void AfxHookWindowCreate(CWnd* pWnd, LPCSTR lpszClassName)
{
    AfxThreadState& state = AfxGetThreadState();
    if (!state.hHookCbt)
        state.hHookCbt = SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, GetCurrentThreadId());
    state.pWndInit = pWnd;
    state.atomClassInit = 0;
    if (lpszClassName) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        state.atomClassInit = (ATOM)::GetClassInfoExA(AfxGetInstanceHandle(), lpszClassName, &wc);
        if (!state.atomClassInit)
            state.atomClassInit = (ATOM)::GetClassInfoExA(nullptr, lpszClassName, &wc);
    }
}

// Returns TRUE when the hook attached the object.
BOOL AfxUnhookWindowCreate()
{
    AfxThreadState& state = AfxGetThreadState();
    if (state.hHookCbt) {
        UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    const BOOL attached = state.pWndInit == nullptr;
    state.pWndInit = nullptr;
    state.atomClassInit = 0;
    state.hWndCreating = nullptr;
    return attached;
}

namespace {

// What a window procedure answers when its handler failed: creation fails, everything else is 0.
LRESULT FailedMessageResult(UINT nMsg)
{
    return nMsg == WM_CREATE ? -1 : 0;
}

void ReportWindowProcException(HWND hWnd, UINT nMsg, LPCSTR lpszWhat)
{
    char text[256];
    snprintf(text, sizeof text, "exception in the window procedure of %p, message 0x%04X: %s", (void*)hWnd, nMsg,
             lpszWhat);
    AfxAssertFailedLine(text, __FILE__, __LINE__);
}

}   // namespace

LRESULT AfxHandleWndProcException(HWND hWnd, UINT nMsg)
{
    try {
        throw;
    } catch (CException* pError) {
        char text[200] = "";
        if (!pError || !pError->GetErrorMessage(text, sizeof text))
            lstrcpynA(text, pError ? pError->GetRuntimeClass()->m_lpszClassName : "NULL", sizeof text);
        ReportWindowProcException(hWnd, nMsg, text);
        if (pError)
            pError->Delete();
    } catch (CObject* pError) {
        ReportWindowProcException(hWnd, nMsg, pError ? pError->GetRuntimeClass()->m_lpszClassName : "NULL");
        delete pError;
    } catch (const std::exception& error) {
        ReportWindowProcException(hWnd, nMsg, error.what());
    } catch (...) {
        ReportWindowProcException(hWnd, nMsg, "unknown exception");
    }
    return FailedMessageResult(nMsg);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState& state = AfxGetThreadState();
    const MSG previous = state.lastMsg;
    state.lastMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    const LRESULT result = AfxCallGuarded(hWnd, nMsg, [&] { return pWnd->WindowProc(nMsg, wParam, lParam); });
    if (nMsg == WM_NCDESTROY)
        CleanUpAfterNcDestroy(pWnd, hWnd);
    state.lastMsg = previous;
    return result;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

CWnd::~CWnd()
{
    if (!m_hWnd || FromHandlePermanent(m_hWnd) != this) {
        m_hWnd = nullptr;
        return;
    }
    // The window dies with its object; a window that was only attached never
    // sends its WM_NCDESTROY through us, so the map entry is removed here.
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        Detach();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    m_hWnd = hWndNew;
    AfxMapAdd(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        AfxMapRemove(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    WNDPROC old = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    if (old != AfxWndProc) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc));
        m_pfnSuper = old;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hControl = pParent ? ::GetDlgItem(pParent->m_hWnd, (int)nID) : nullptr;
    return hControl && SubclassWindow(hControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;   // already has a window
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this, cs.lpszClass);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const HWND hWndAttached = AfxGetThreadState().hWndCreating;
    const BOOL attached = AfxUnhookWindowCreate();
    if (hWnd && attached)
        return TRUE;
    // When creation failed after the window had its first message, WM_NCDESTROY has
    // already cleaned up (and a self-deleting object is gone): touch nothing then. A
    // window refused before any message (a CBT hook said no) went without one: the
    // object still holds the dead handle, and cleans up here as it would have then.
    if (!hWnd && attached && hWndAttached && FromHandlePermanent(hWndAttached) == this && !::IsWindow(hWndAttached)) {
        m_pfnSuper = nullptr;
        Detach();
        PostNcDestroy();
    }
    return FALSE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, AfxGetSafeHwnd(pParentWnd), reinterpret_cast<HMENU>((UINT_PTR)nID),
                    lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    const HWND hWnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A subclassed window was detached (and the object maybe deleted) on WM_NCDESTROY;
    // an attached one is still mapped to this object and is detached here.
    if (FromHandlePermanent(hWnd) == this && !::IsWindow(hWnd))
        Detach();
    return destroyed;
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (LONG_PTR)newStyle);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = GetExStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (LONG_PTR)newStyle);
    if (nFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, AfxGetSafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    const int copied = ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(length), length + 1);
    rString.ReleaseBuffer(copied);
}

CWnd* CWnd::GetTopLevelParent() const
{
    // Parents of child windows and owners of pop-ups, up to the top.
    HWND hWnd = m_hWnd;
    for (HWND parent; (parent = ::GetParent(hWnd)) != nullptr;)
        hWnd = parent;
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame) {
        CFrameWnd* pParent = pFrame->GetParentFrame();
        if (!pParent)
            break;
        pFrame = pParent;
    }
    return pFrame;
}

// ---- message processing ----

namespace {

// Records only whether a command is enabled, to test it before routing.
class CTestCmdUI : public CCmdUI {
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
};

// Offers a child's notification to the child's object; TRUE when it took it. A notification
// a bar passes on to its owner was offered already and is not offered again.
BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!hWndChild || hWndChild == AfxGetThreadState().hWndReflected)
        return FALSE;
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    return pChild && AfxWndInternals::OnChildNotify(pChild, message, wParam, lParam, pResult);
}

bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}   // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message == WM_NOTIFY) {
        AfxDeclinedNotifyScope scope;
        if (!OnWndMsg(message, wParam, lParam, &result))
            result = AfxDeclinedNotifyScope::Unhandled(lParam, DefWindowProc(message, wParam, lParam));
        return result;
    }
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Entries for the message itself come first: ON_MESSAGE(WM_COMMAND, ...)
    // and ON_MESSAGE(WM_NOTIFY, ...) take those messages whole.
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message)) {
        *pResult = entry->pfn(this, wParam, lParam);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }

    // A control chooses its own colours first.
    if (IsCtlColorMessage(message)) {
        LRESULT result = 0;
        if (!ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }

    // A window painted by its WM_PAINT handler can also paint into a caller's
    // DC: CPaintDC picks that DC up instead of calling BeginPaint.
    if (message == WM_PRINTCLIENT && wParam) {
        if (const AFX_MSGMAP_ENTRY* paint = FindMessageEntry(WM_PAINT)) {
            AfxThreadState& state = AfxGetThreadState();
            const HWND oldWnd = state.hWndPrint;
            const HDC oldDC = state.hDCPrint;
            state.hWndPrint = m_hWnd;
            state.hDCPrint = reinterpret_cast<HDC>(wParam);
            paint->pfn(this, 0, 0);
            state.hWndPrint = oldWnd;
            state.hDCPrint = oldDC;
            *pResult = 0;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl && nCode <= 1) {
        // A menu item (code 0) or an accelerator (code 1).
        if (nID == 0)
            return FALSE;
        // A command disabled since its menu or button was last updated is dropped.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) {
        return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
    if (!pHeader)
        return FALSE;
    // A control that leaves its notification to its parent and owner too may have answered it
    // (on the way here, when it sits in a bar): handlers find that answer and may replace it.
    LRESULT answer = AfxDeclinedNotifyScope::Unhandled(lParam, 0);
    if (ReflectToChild(pHeader->hwndFrom, WM_NOTIFY, pHeader->idFrom, lParam, &answer)) {
        *pResult = answer;
        return TRUE;
    }
    if (answer) {
        AfxThreadState& state = AfxGetThreadState();
        state.pDeclinedNotify = pHeader;
        state.declinedResult = answer;
    }
    *pResult = answer;
    AFX_NOTIFY notify{pResult, pHeader};
    // Routed by the sender's own ID: a tip control (a pop-up, ID 0) reports its tool in idFrom,
    // which may be a window handle.
    const UINT nID = pHeader->hwndFrom ? (UINT)::GetDlgCtrlID(pHeader->hwndFrom) : (UINT)pHeader->idFrom;
    return OnCmdMsg(nID, (int)MAKELONG(pHeader->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        const int nCode = HIWORD(wParam);
        if (!OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
        if (!pHeader)
            return FALSE;
        AFX_NOTIFY notify{pResult, pHeader};
        return OnCmdMsg(0, (int)MAKELONG(pHeader->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_PARENTNOTIFY: {
        LRESULT ignored = 0;
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult ? pResult : &ignored);
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // One reflected form for every kind; a control that gives no brush leaves it to the parent.
        AFX_CTLCOLOR ctl{m_hWnd, reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX};
        LRESULT brush = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl), &brush) || !brush)
            return FALSE;
        if (pResult)
            *pResult = brush;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState().lastMsg;
    return ReflectToChild(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState().lastMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hChild = ::GetTopWindow(hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            if (CWnd* pChild = CWnd::FromHandlePermanent(hChild))
                AfxCallWndProc(pChild, hChild, message, wParam, lParam);
        } else {
            ::SendMessageA(hChild, message, wParam, lParam);
        }
        // The handler may have destroyed the child; then its subtree is gone too.
        if (bDeep && ::IsWindow(hChild) && ::GetTopWindow(hChild))
            SendToDescendants(hChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// Check boxes and radio buttons that toggle themselves stay usable without a handler.
bool TogglesItself(HWND hWnd)
{
    if (!(::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
        return false;
    const UINT type = (UINT)::GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON || type == BS_GROUPBOX;
}

}   // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    if (m_hWnd)
        SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_hWnd || !pTarget)
        return;
    CCmdUI state;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hChild);
        state.m_pOther = FromHandle(hChild);
        state.DoUpdate(pTarget, bDisableIfNoHndler && !TogglesItself(hChild));
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState().lastMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState().lastMsg;
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    // Tips: the tools of this window; a key anywhere ends the tip shown.
    if (m_bToolTipsEnabled)
        FilterToolTipMessage(pMsg);
    else if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
        CancelToolTips(TRUE);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// ---- default handlers ----

// clang-format off
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnInitMenuPopup(HMENU, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
// clang-format on

// Owner-draw and scroll-bar messages go to the control's object first.

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    LRESULT result = 0;
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU &&
        ReflectToChild(lpDrawItemStruct->hwndItem, WM_DRAWITEM, (WPARAM)nIDCtl, (LPARAM)lpDrawItemStruct, &result))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU) {
        // An owner-draw list asks while it is being created, before GetDlgItem can find it.
        HWND hChild = ::GetDlgItem(m_hWnd, nIDCtl);
        const HWND hCreating = AfxGetThreadState().hWndCreating;
        if (!hChild && hCreating && ::GetDlgCtrlID(hCreating) == nIDCtl)
            hChild = hCreating;
        LRESULT result = 0;
        if (ReflectToChild(hChild, WM_MEASUREITEM, (WPARAM)nIDCtl, (LPARAM)lpMeasureItemStruct, &result))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT result = 0;
    if (lpCompareItemStruct && ReflectToChild(lpCompareItemStruct->hwndItem, WM_COMPAREITEM, (WPARAM)nIDCtl,
                                              (LPARAM)lpCompareItemStruct, &result))
        return (int)result;
    return (int)Default();
}

void CWnd::OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    LRESULT result = 0;
    if (lpDeleteItemStruct && ReflectToChild(lpDeleteItemStruct->hwndItem, WM_DELETEITEM, (WPARAM)nIDCtl,
                                             (LPARAM)lpDeleteItemStruct, &result))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CWnd* pScrollBar)
{
    const MSG& msg = AfxGetThreadState().lastMsg;
    LRESULT result = 0;
    if (pScrollBar && ReflectToChild(pScrollBar->m_hWnd, WM_HSCROLL, msg.wParam, msg.lParam, &result))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CWnd* pScrollBar)
{
    const MSG& msg = AfxGetThreadState().lastMsg;
    LRESULT result = 0;
    if (pScrollBar && ReflectToChild(pScrollBar->m_hWnd, WM_VSCROLL, msg.wParam, msg.lParam, &result))
        return;
    Default();
}

// ---- window classes ----

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name encodes the attributes, so equal requests share one class. The
    // names live as long as the process: a registered class keeps pointing at them.
    static std::mutex lock;
    static std::set<std::string> names;
    char name[96];
    snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", nClassStyle, (void*)hCursor, (void*)hbrBackground, (void*)hIcon);

    std::lock_guard<std::mutex> guard(lock);
    if (auto known = names.find(name); known != names.end())
        return known->c_str();
    WNDCLASSA wc{};
    wc.style = nClassStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return names.insert(name).first->c_str();
}
