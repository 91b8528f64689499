// JDropdown: the pop-up under a button's drop-down part and its modal loop.
#include "jdropdown.h"
#include "popuploop.h"

#include <afxpriv.h>
#include <algorithm>

IMPLEMENT_DYNAMIC(JDropdown, CWnd)

JDropdown::JDropdown() = default;

JDropdown::~JDropdown()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL JDropdown::Create(JButton* pButton)
{
    if (!pButton || !::IsWindow(pButton->GetSafeHwnd()))
        return FALSE;
    m_pButton = pButton;
    if (m_hWnd)
        return TRUE;
    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    return CreateEx(0, lpszClass, "", WS_POPUP | WS_CLIPSIBLINGS | WS_BORDER, CRect(0, 0, 10, 10), pButton, 0);
}

BOOL JDropdown::HandlePopupMessage(CWnd* pPopup, UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        *pResult = MA_NOACTIVATE;
        return TRUE;
    case WM_FLOATSTATUS:
        *pResult = (wParam & FS_SYNCACTIVE) ? TRUE : FALSE;
        return TRUE;
    case WM_ACTIVATEAPP:
        if (!wParam && pPopup->IsWindowVisible()) {
            pPopup->PostMessage(WM_CLOSE);
            HWND hOwner = ::GetWindow(pPopup->m_hWnd, GW_OWNER);
            if (HWND hFrame = hOwner ? ::GetAncestor(hOwner, GA_ROOT) : nullptr)
                ::SendMessageA(hFrame, WM_NCACTIVATE, FALSE, 0);
        }
        *pResult = 0;
        return TRUE;
    case WM_CLOSE:
        // The loop ends on it; a WM_CLOSE sent from outside only hides the pop-up.
        pPopup->ShowWindow(SW_HIDE);
        *pResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT JDropdown::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandlePopupMessage(this, message, wParam, lParam, &result))
        return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

int JDropdown::HitTest(CListBox* pList, CPoint screen) const
{
    if (!pList || !::IsWindow(pList->GetSafeHwnd()))
        return -1;
    CRect client;
    pList->GetClientRect(client);
    const int count = pList->GetCount();
    for (int item = std::max(0, pList->GetTopIndex()); item < count; ++item) {
        CRect rect;
        if (pList->GetItemRect(item, rect) == LB_ERR || rect.top >= client.bottom)
            break;
        pList->ClientToScreen(rect);
        if (rect.PtInRect(screen))
            return item;
    }
    return -1;
}

void JDropdown::SetCurSel(int nIndex)
{
    CListBox* pList = List();
    if (pList && pList->GetSafeHwnd() && pList->GetCurSel() != nIndex)
        pList->SetCurSel(nIndex);
}

int JDropdown::GetIndex()
{
    CListBox* pList = List();
    return pList && pList->GetSafeHwnd() ? pList->GetCurSel() : -1;
}

void JDropdown::Cleanup()
{
    CWnd* pPopup = Popup();
    if (pPopup && pPopup->GetSafeHwnd())
        pPopup->ShowWindow(SW_HIDE);
    CListBox* pList = List();
    HWND hCapture = ::GetCapture();
    if (hCapture && (hCapture == pPopup->GetSafeHwnd() || (pList && hCapture == pList->GetSafeHwnd())))
        ::ReleaseCapture();
}

void JDropdown::Report(int nIndex)
{
    if (m_pButton && ::IsWindow(m_pButton->GetSafeHwnd()))
        m_pButton->SendMessage(ReportMessage(), (WPARAM)nIndex, 0);
}

CPoint JDropdown::PlaceBelow(const CRect& button, CSize popup)
{
    CRect work;
    MONITORINFO info{sizeof info, {}, {}, 0};
    if (HMONITOR hMonitor = ::MonitorFromRect(button, MONITOR_DEFAULTTONEAREST);
        hMonitor && ::GetMonitorInfoA(hMonitor, &info))
        work = info.rcWork;
    else
        work.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CPoint place(button.left, button.bottom);
    if (place.y + popup.cy > work.bottom)
        place.y = button.top - popup.cy;
    place.y = std::max<LONG>(work.top, std::min<LONG>(place.y, work.bottom - popup.cy));
    place.x = std::max<LONG>(work.left, std::min<LONG>(place.x, work.right - popup.cx));
    return place;
}

BOOL JDropdown::IsPressOnDropPart(HWND hButton, const MSG& msg)
{
    CWnd* pWnd = msg.hwnd == hButton ? CWnd::FromHandlePermanent(hButton) : nullptr;
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(JButton)))
        return FALSE;
    auto* pButton = static_cast<JButton*>(pWnd);
    if (!pButton->IsDropDown())
        return FALSE;
    const CPoint point((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
    return pButton->DropDownPartRect().PtInRect(point);
}

namespace {

CPoint MessagePoint(const MSG& msg)
{
    CPoint point((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
    ::ClientToScreen(msg.hwnd, &point);
    return point;
}

bool IsNavigationKey(WPARAM vk)
{
    return vk >= VK_PRIOR && vk <= VK_DOWN;
}

}   // namespace

int JDropdown::ShowDropDown(JButton* pButton)
{
    if (pButton)
        m_pButton = pButton;
    CWnd* pPopup = Popup();
    CListBox* pList = List();
    if (!m_pButton || !pPopup || !pPopup->GetSafeHwnd() || !pList || !pList->GetSafeHwnd() ||
        !::IsWindow(m_pButton->GetSafeHwnd()))
        return 0;
    const HWND hButton = m_pButton->m_hWnd, hPopup = pPopup->m_hWnd, hList = pList->m_hWnd;

    CRect button, popup;
    ::GetWindowRect(hButton, &button);
    pPopup->GetWindowRect(popup);
    const CPoint place = PlaceBelow(button, popup.Size());
    ::SetWindowPos(hPopup, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pPopup->UpdateWindow();
    const int saved = pList->GetCurSel();

    MSG msg;
    for (;;) {
        // The button, and with it the pop-up it owns, may go while the loop runs.
        if (!::IsWindow(hButton) || !::IsWindow(hPopup) || !::IsWindowVisible(hPopup))
            break;
        if (!GetPopupMessage(msg))
            break;
        switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                pList->SetCurSel(saved);
                Cleanup();
                return 1;
            }
            if (msg.wParam == VK_RETURN) {
                Cleanup();
                return 1;
            }
            if (IsNavigationKey(msg.wParam)) {
                NavigateList(pList, (UINT)msg.wParam);
                continue;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const CPoint point = MessagePoint(msg);
            CRect listRect, popupRect;
            pList->GetWindowRect(listRect);
            pPopup->GetWindowRect(popupRect);
            if (listRect.PtInRect(point)) {
                const int item = HitTest(pList, point);
                if (item >= 0)
                    pList->SetCurSel(item);
                ::SetCapture(hList);
                continue;
            }
            if (!popupRect.PtInRect(point)) {
                // The press was meant for something else: it goes there after the pop-up closed.
                pList->SetCurSel(saved);
                Cleanup();
                if (!IsPressOnDropPart(hButton, msg))
                    ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
                return 1;
            }
            continue;
        }
        case WM_MOUSEMOVE:
            if ((msg.wParam & MK_LBUTTON) && ::GetCapture() == hList) {
                const int item = HitTest(pList, MessagePoint(msg));
                if (item >= 0 && item != pList->GetCurSel())
                    pList->SetCurSel(item);
            }
            continue;
        case WM_LBUTTONUP:
            if (::GetCapture() == hList) {
                const int item = HitTest(pList, MessagePoint(msg));
                Cleanup();
                if (item >= 0) {
                    pList->SetCurSel(item);
                    Report(item);
                }
                return 1;
            }
            continue;
        case WM_RBUTTONUP:
        case WM_CLOSE:
            Cleanup();
            return 1;
        case WM_RBUTTONDOWN:
            continue;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (msg.hwnd != hPopup && msg.hwnd != hList) {
                pList->SetCurSel(saved);
                Cleanup();
                return 1;
            }
            break;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::IsWindow(hPopup))
        Cleanup();
    else if (::GetCapture() == hList)
        ::ReleaseCapture();
    return 1;
}

void JDropdown::NavigateList(CListBox* pList, UINT vk)
{
    const int count = pList->GetCount();
    if (count <= 0)
        return;
    const int current = pList->GetCurSel();
    int next = current;
    switch (vk) {
    case VK_PRIOR:
    case VK_UP:
        next = current <= 0 ? 0 : current - 1;
        break;
    case VK_NEXT:
    case VK_DOWN:
        next = current < 0 ? 0 : std::min(current + 1, count - 1);
        break;
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        next = count - 1;
        break;
    case VK_HOME:
        next = 0;
        break;
    default:
        break;
    }
    if (next != current)
        pList->SetCurSel(next);
}
