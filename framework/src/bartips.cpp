// Tooltips of windows and bars, shown by one tip control per thread, and the help hit tests of frames,
// dialogs and bars.
#include "afxwin.h"

#include <memory>

namespace {

// The thread's tip control and the one tool it knows: the tool under the mouse.
struct ThreadToolTip {
    CToolTipCtrl tip;
    HWND hWndTop = nullptr;    // the top-level window owning the tip
    HWND hWndTool = nullptr;   // the window whose OnToolHitTest found the tool
    INT_PTR nHit = -1;
    TTTOOLINFOA info{};   // the tool as registered

    void ForgetTool()
    {
        if (hWndTool && tip.m_hWnd)
            tip.SendMessage(TTM_DELTOOLA, 0, (LPARAM)&info);
        hWndTool = nullptr;
        nHit = -1;
    }
};

thread_local std::unique_ptr<ThreadToolTip> t_toolTip;

// The thread's tip control, owned by hWndTop (a new one when the owner changed or the old one went
// with its owner).
ThreadToolTip* ToolTipFor(HWND hWndTop)
{
    if (!t_toolTip)
        t_toolTip = std::make_unique<ThreadToolTip>();
    ThreadToolTip* pState = t_toolTip.get();
    if (pState->tip.m_hWnd && pState->hWndTop == hWndTop)
        return pState;
    pState->ForgetTool();
    if (pState->tip.m_hWnd)
        pState->tip.DestroyWindow();
    pState->hWndTool = nullptr;
    pState->hWndTop = hWndTop;
    // TTS_ALWAYSTIP: tips also over windows that are not active (floating bars, say).
    if (!pState->tip.Create(CWnd::FromHandle(hWndTop), TTS_ALWAYSTIP | TTS_NOPREFIX))
        return nullptr;
    pState->tip.SendMessage(TTM_ACTIVATE, TRUE);
    return pState;
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}   // namespace

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!hChild || hChild == m_hWnd)
        return -1;
    const int nID = ::GetDlgCtrlID(hChild);
    if (nID <= 0 || nID == 0xFFFF)
        return -1;   // static text has no command
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nID;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL bOld = m_bToolTipsEnabled;
    m_bToolTipsEnabled = bEnable;
    if (!bEnable && t_toolTip && t_toolTip->hWndTool == m_hWnd)
        t_toolTip->ForgetTool();
    return bOld;
}

void CWnd::CancelToolTips(BOOL bKeys)
{
    if (!t_toolTip || !t_toolTip->tip.m_hWnd)
        return;
    t_toolTip->tip.Pop();
    // A key ends the tip until the mouse finds a tool again.
    if (bKeys)
        t_toolTip->ForgetTool();
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        CancelToolTips(TRUE);
        return;
    }
    if (!m_hWnd || !IsMouseMessage(message))
        return;
    ThreadToolTip* pState = ToolTipFor(::GetAncestor(m_hWnd, GA_ROOT));
    if (!pState)
        return;

    // Where the mouse is, in this window's client coordinates.
    POINT point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    const INT_PTR nHit = OnToolHitTest(point, &info);

    if (pState->hWndTool != m_hWnd || pState->nHit != nHit) {
        pState->ForgetTool();
        if (nHit != -1) {
            info.cbSize = sizeof info;
            if (!(info.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&info.rect))
                ::GetClientRect(info.hwnd, &info.rect);
            if (pState->tip.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info)) {
                pState->info = info;
                pState->hWndTool = m_hWnd;
                pState->nHit = nHit;
            }
        }
    }
    if (!pState->hWndTool)
        return;
    // The tip matches a relayed message to its tool by window and, for rectangles, by point.
    MSG relay = *pMsg;
    relay.hwnd = (pState->info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(pState->info.uId) : pState->info.hwnd;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        POINT at = pMsg->pt;
        ::ScreenToClient(relay.hwnd, &at);
        relay.lParam = MAKELPARAM(at.x, at.y);
    }
    pState->tip.RelayEvent(&relay);
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp ? (LRESULT)(HID_BASE_RESOURCE + m_nIDHelp) : 0;
}

LRESULT CDialog::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp ? (LRESULT)(HID_BASE_RESOURCE + m_nIDHelp) : 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const INT_PTR nHit = OnToolHitTest(CPoint(lParam), nullptr);
    if (nHit != -1)
        return (LRESULT)(HID_BASE_COMMAND + (ULONG_PTR)nHit);
    const int nID = GetDlgCtrlID();
    return nID ? (LRESULT)(HID_BASE_CONTROL + (UINT)nID) : 0;
}
