// MDI frames: CMDIFrameWnd over the system's MDI client, and the CMDIChildWnd frames inside it.
#include "afxwin.h"
#include "afxmenu.h"
#include "wndmap.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

namespace {
// The MDI frame routing a command through its active child: the child leaves the
// application to the frame, which asks it after itself.
thread_local const CMDIFrameWnd* t_pRoutingFrame = nullptr;

class RoutingScope {
public:
    explicit RoutingScope(const CMDIFrameWnd* pFrame) : m_pOld(t_pRoutingFrame) { t_pRoutingFrame = pFrame; }
    ~RoutingScope() { t_pRoutingFrame = m_pOld; }
    RoutingScope(const RoutingScope&) = delete;
    RoutingScope& operator=(const RoutingScope&) = delete;

private:
    const CMDIFrameWnd* m_pOld;
};
}   // namespace

// ---- CFrameWnd ----

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

// ---- CMDIFrameWnd ----

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (!OnCreateClient(lpCreateStruct, nullptr))
        return -1;
    // The client starts with the room the frame has now, not at the first resize.
    RecalcLayout();
    return 0;
}

void CMDIFrameWnd::OnDestroy()
{
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    CFrameWnd::OnDestroy();
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU hWindowMenu = GetWindowMenuPopup(m_hMenuDefault);
    return CreateClient(lpcs, hWindowMenu ? CMenu::FromHandle(hWindowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    if (m_hWndMDIClient)
        return FALSE;
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // Children may have any style (a child made maximized, say); the client scrolls to hidden ones.
    const DWORD dwStyle =
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                        (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
    return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar)
        return nullptr;
    // From the right: the window pop-up is usually the last but one.
    for (int nItem = ::GetMenuItemCount(hMenuBar) - 1; nItem >= 0; --nItem) {
        HMENU hPopup = ::GetSubMenu(hMenuBar, nItem);
        if (!hPopup)
            continue;
        for (int nSub = ::GetMenuItemCount(hPopup) - 1; nSub >= 0; --nSub) {
            const UINT nID = ::GetMenuItemID(hPopup, nSub);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hPopup;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient ? (HWND)ClientSend(WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized) : nullptr;
    if (pbMaximized)
        *pbMaximized = hWnd && bMaximized;
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    HMENU hOld = (HMENU)ClientSend(WM_MDISETMENU, (WPARAM)(pFrameMenu ? pFrameMenu->m_hMenu : nullptr),
                                   (LPARAM)(pWindowMenu ? pWindowMenu->m_hMenu : nullptr));
    DrawMenuBar();
    return hOld ? CMenu::FromHandle(hOld) : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild ? static_cast<CFrameWnd*>(pChild) : this;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild && pChild->m_hAccelTable ? pChild->m_hAccelTable : m_hAccelTable;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        RoutingScope scope(this);
        if (pChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && ::IsWindowEnabled(m_hWnd)) {
        if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && m_hWndMDIClient &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
        HACCEL hAccel = GetDefaultAccelerator();
        // Translated here, the command reaches the active child through this frame's routing.
        if (hAccel && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

// ---- CMDIChildWnd ----

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext*)
{
    if (!pParentWnd)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWndMDIClient)
        return FALSE;

    CREATESTRUCTA cs{};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    const bool byDefault = rect.left == (LONG)CW_USEDEFAULT;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = byDefault ? CW_USEDEFAULT : rect.right - rect.left;
    cs.cy = byDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!PreCreateWindow(cs))
        return FALSE;

    MDICREATESTRUCTA mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style;
    AfxHookWindowCreate(this, cs.lpszClass);
    const HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    const BOOL attached = AfxUnhookWindowCreate();
    if (hWnd && !attached)
        ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hWnd, 0);   // never reached this object
    return hWnd && attached;
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    SetAccelTable(hAccel);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    // The parent is the MDI client; the frame is above it.
    HWND hWndClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWndClient ? ::GetParent(hWndClient) : nullptr));
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    if (!GetMDIFrame())
        return CFrameWnd::DestroyWindow();
    MDIDestroy();
    return TRUE;
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (!pFrame || t_pRoutingFrame != pFrame)
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    // Routed by the MDI frame: this child; the frame and the application follow.
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // No accelerators here: translated for this window they would miss the MDI frame's routing.
    return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam)
{
    const LRESULT result = Default();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    const HWND hWndActivating = reinterpret_cast<HWND>(lParam);
    const bool bActivate = hWndActivating == m_hWnd;
    // Deactivated for another child: that one sets its own menu.
    if (!pFrame || (!bActivate && hWndActivating))
        return result;
    HMENU hMenu = bActivate && m_hMenuShared ? m_hMenuShared : pFrame->m_hMenuDefault;
    if (hMenu && hMenu != ::GetMenu(pFrame->m_hWnd)) {
        HMENU hWindowMenu = pFrame->GetWindowMenuPopup(hMenu);
        pFrame->MDISetMenu(CMenu::FromHandle(hMenu), hWindowMenu ? CMenu::FromHandle(hWindowMenu) : nullptr);
    }
    return result;
}
