// JFlyout: the pop-up toolbar of a flyout button, its placing beside the button
// and its modal loop. The parent toolbar owns it (toolbar_flyouts.cpp).
#include "jflyout.h"

#include "jenvmanager.h"
#include "tiptext.h"
#include "popuploop.h"

#include <afxpriv.h>
#include <algorithm>

// The hidden pop-up the flyout toolbar lives in. It never takes activation and
// ends the flyout's loop when the application loses activation or is told to
// close. It deletes itself with its window.
class JFlyoutHost : public CWnd {
public:
    JFlyout* m_pFlyout = nullptr;
    BOOL m_bDying = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ACTIVATEAPP:
            if (!wParam)
                Cancel();
            return 0;
        case WM_CLOSE:
            Cancel();
            return 0;
        case WM_DESTROY:
            m_bDying = TRUE;
            Cancel();
            break;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        if (m_pFlyout)
            m_pFlyout->m_pHost = nullptr;
        delete this;
    }

private:
    void Cancel()
    {
        if (m_pFlyout && m_pFlyout->m_bRunning) {
            m_pFlyout->m_bCancelled = TRUE;
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);   // wakes the loop
        }
    }
};

IMPLEMENT_DYNAMIC(JFlyout, JToolBar)

BEGIN_MESSAGE_MAP(JFlyout, JToolBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

JFlyout::JFlyout()
{
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_bButtonDown = FALSE;
    m_bIsFlyout = TRUE;
    m_bGripper = FALSE;
}

JFlyout::~JFlyout()
{
    if (m_pParentBar)
        m_pParentBar->ForgetFlyout(this);
    if (m_pHost) {
        m_pHost->m_pFlyout = nullptr;
        // Already on its way when the frame that owns it goes.
        if (!m_pHost->m_bDying && m_pHost->m_hWnd)
            m_pHost->DestroyWindow();
        else if (!m_pHost->m_hWnd)
            delete m_pHost;
        m_pHost = nullptr;
    }
}

CWnd* JFlyout::GetPopupHost() const
{
    return m_pHost;
}

BOOL JFlyout::Create(CWnd* pFrame, int bVertical)
{
    m_bIsFlyout = TRUE;
    if (!pFrame || !pFrame->m_hWnd || m_hWnd)
        return FALSE;
    static LPCSTR s_lpszClass = nullptr;
    if (!s_lpszClass)
        s_lpszClass = AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
    m_pHost = new JFlyoutHost;
    m_pHost->m_pFlyout = this;
    if (!m_pHost->CreateEx(0, s_lpszClass, "", WS_POPUP, CRect(0, 0, 0, 0), pFrame, 0)) {
        delete m_pHost;
        m_pHost = nullptr;
        return FALSE;
    }
    const DWORD dwAlign = bVertical ? CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT : CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
    return JToolBar::Create(m_pHost, WS_CHILD | WS_VISIBLE | CBRS_TOOLTIPS | CBRS_FLYBY | dwAlign, AFX_IDW_TOOLBAR);
}

int JFlyout::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void JFlyout::OnCancelMode()
{
    if (m_bRunning)
        m_bCancelled = TRUE;
    CToolBar::OnCancelMode();
}

void JFlyout::TellFrame(UINT nID)
{
    // The frame that owns the pop-up shows the prompts.
    HWND hFrame = m_pHost && m_pHost->m_hWnd ? ::GetWindow(m_pHost->m_hWnd, GW_OWNER) : nullptr;
    if (hFrame)
        ::SendMessageA(hFrame, WM_SETMESSAGESTRING, (WPARAM)nID, 0);
}

void JFlyout::DrawButton(int index, UINT nState)
{
    // The button's look is its state: 0 or TBBS_CHECKED.
    if (index < 0 || index >= (int)GetCommandCount())
        return;
    // Only the highlight changes: a button of a column keeps its row break.
    SetButtonStyle(index, nState | (GetButtonStyle(index) & ~(TBBS_CHECKED | TBBS_PRESSED)));
    Invalidate();
    UpdateWindow();
}

void JFlyout::Select(int index)
{
    if (m_nSelection >= 0 && m_nSelection != index)
        DrawButton(m_nSelection, 0);
    m_nSelection = index;
    if (index >= 0)
        DrawButton(index, TBBS_CHECKED);
}

void JFlyout::MoveSelection(int step)
{
    const int count = (int)GetCommandCount();
    int at = m_nSelection;
    for (int tries = 0; tries < count; ++tries) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        const UINT nStyle = GetButtonStyle(at);
        if (!(nStyle & (TBBS_SEPARATOR | TBBS_DISABLED))) {
            Select(at);
            TellFrame(GetItemID(at));
            return;
        }
    }
}

void JFlyout::SetToolTip(UINT nID)
{
    if (!EnsureToolTip())
        return;
    char text[INFOTIPSIZE];
    if (ReadTipText(m_pToolTip, m_hWnd, nID, text) && text[0])
        return;
    const int index = CommandToIndex(nID);
    if (index < 0)
        return;
    CString tip = GetButtonText(index);
    // A command of no category module: its string among the host's resources.
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    char buffer[512] = "";
    if (tip.IsEmpty() && pInfo && pInfo->m_hDraftResource &&
        ::LoadStringA(pInfo->m_hDraftResource, nID, buffer, (int)sizeof buffer) > 0) {
        tip = buffer;
        tip = tip.Mid(tip.ReverseFind('\n') + 1);
    }
    if (!tip.IsEmpty())
        m_pToolTip->UpdateTipText(tip, this, nID);
}

void JFlyout::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    const int hit = HitTest(point);
    if (hit >= 0 && !(GetButtonStyle(hit) & TBBS_DISABLED)) {
        Select(hit);
        TellFrame(GetItemID(hit));
    }
}

void JFlyout::OnLButtonUp(UINT, CPoint)
{
    // The loop decides what a release means.
    if (!m_bRunning && GetCapture() == this)
        ReleaseCapture();
}

void JFlyout::OnMouseMove(UINT nFlags, CPoint point)
{
    EnsureToolTip();
    const int hit = HitTest(point);
    if (GetCapture() == this) {
        if (hit < 0) {
            if (m_nSelection >= 0) {
                DrawButton(m_nSelection, 0);
                TellFrame(AFX_IDS_IDLEMESSAGE);
            }
            m_nSelection = -1;
        } else if (hit != m_nSelection && !(GetButtonStyle(hit) & TBBS_DISABLED)) {
            Select(hit);
        }
    }
    if (hit >= 0) {
        TellFrame(GetItemID(hit));
        SetToolTip(GetItemID(hit));
    }
    CToolBar::OnMouseMove(nFlags, point);
}

void JFlyout::SetOrientation(BOOL bHorz)
{
    const DWORD dwAlign = bHorz ? CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM : CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
    const DWORD dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | dwAlign;
    if (dwStyle != m_dwStyle)
        SetBarStyle(dwStyle);
}

namespace {

// The parent's side as one direction: a bar whose style names more than one
// side (a floating one) opens downward when horizontal, else to the right.
DWORD OneSide(DWORD dwStyle)
{
    const DWORD align = dwStyle & CBRS_ALIGN_ANY;
    for (DWORD side : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT})
        if (align == side)
            return side;
    return (align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
}

CRect ItemRect(CToolBar* pBar, int index)
{
    CRect rect;
    pBar->GetItemRect(index, rect);
    return rect;
}

bool IsRealButton(CToolBar* pBar, int index)
{
    return !(pBar->GetButtonStyle(index) & TBBS_SEPARATOR);
}

// An earlier button in the same column lies above the rectangle.
bool ButtonIsAbove(CToolBar* pBar, int index, const CRect& rect)
{
    for (int i = 0; i < index; ++i) {
        const CRect other = ItemRect(pBar, i);
        if (IsRealButton(pBar, i) && other.left == rect.left && other.bottom <= rect.top)
            return true;
    }
    return false;
}

// A later button in the same column lies below the rectangle.
bool ButtonIsBelow(CToolBar* pBar, int index, const CRect& rect)
{
    const int count = (int)pBar->SendMessage(TB_BUTTONCOUNT);
    for (int i = index + 1; i < count; ++i) {
        const CRect other = ItemRect(pBar, i);
        if (IsRealButton(pBar, i) && other.left == rect.left && other.bottom > rect.bottom)
            return true;
    }
    return false;
}

CRect WorkAreaOf(const CRect& rect)
{
    MONITORINFO info{sizeof info, {}, {}, 0};
    if (HMONITOR hMonitor = ::MonitorFromRect(rect, MONITOR_DEFAULTTONEAREST);
        hMonitor && ::GetMonitorInfoA(hMonitor, &info))
        return info.rcWork;
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

}   // namespace

DWORD JFlyout::GetFlyOutDirection(CToolBar* pParent, int index, CSize* pSize)
{
    const DWORD dwParent = pParent->GetBarStyle();
    if (!pParent->IsFloating())
        return OneSide(dwParent);   // away from the docking edge
    const bool bParentHorz = (dwParent & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const CSize button(LOWORD(pParent->SendMessage(TB_GETBUTTONSIZE)), HIWORD(pParent->SendMessage(TB_GETBUTTONSIZE)));
    CRect client;
    pParent->GetClientRect(client);
    if (button.cx <= 0 || button.cy <= 0 || client.Width() / button.cx < 1 || client.Height() / button.cy < 1)
        return OneSide(dwParent);
    const CRect b = ItemRect(pParent, index);
    // The rows and columns of a floating bar: the button's place among its buttons.
    const int count = (int)pParent->SendMessage(TB_BUTTONCOUNT);
    CRect extent(b);
    for (int i = 0; i < count; ++i)
        if (IsRealButton(pParent, i))
            extent.UnionRect(extent, ItemRect(pParent, i));
    auto turn = [this, pSize](BOOL bHorz) {
        SetOrientation(bHorz);
        *pSize = CalcFixedLayout(FALSE, bHorz);
    };
    if (b.top <= extent.top)
        return CBRS_ALIGN_BOTTOM;   // first row: upward
    if (b.bottom < extent.bottom) {
        if (b.left <= extent.left)
            return CBRS_ALIGN_RIGHT;   // first column: to the left
        if (b.right < extent.right) {
            if (!ButtonIsAbove(pParent, index, b)) {
                if (!bParentHorz)
                    turn(FALSE);
                return CBRS_ALIGN_BOTTOM;
            }
            if (!ButtonIsBelow(pParent, index, b))
                return CBRS_ALIGN_TOP;
            return OneSide(dwParent);
        }
        if (bParentHorz)
            turn(TRUE);
        return CBRS_ALIGN_LEFT;   // last column: to the right
    }
    if (!bParentHorz)
        turn(FALSE);
    return CBRS_ALIGN_TOP;   // last row: downward
}

void JFlyout::AdjustFly(CToolBar* pParent, int index)
{
    // Across the parent: a row of buttons opens a column and a column a row.
    const bool bParentHorz = (pParent->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    SetOrientation(!bParentHorz);
    CRect r = ItemRect(pParent, index);
    pParent->ClientToScreen(r);
    CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    const DWORD d = GetFlyOutDirection(pParent, index, &size);
    CPoint at(r.left, r.bottom);
    switch (d) {
    case CBRS_ALIGN_BOTTOM:
        at = CPoint(r.left, r.top - size.cy);
        break;
    case CBRS_ALIGN_LEFT:
        at = CPoint(r.right, r.top);
        break;
    case CBRS_ALIGN_RIGHT:
        at = CPoint(r.left - size.cx, r.top);
        break;
    default:
        break;
    }
    // On the work area of the button's monitor: a flyout that would leave it
    // opens on the other side of the button, and is then kept inside.
    const CRect work = WorkAreaOf(r);
    if (d == CBRS_ALIGN_LEFT || d == CBRS_ALIGN_RIGHT) {
        if (at.x < work.left)
            at.x = r.right;
        else if (at.x + size.cx > work.right)
            at.x = r.left - size.cx;
    } else {
        if (at.y < work.top)
            at.y = r.bottom;
        else if (at.y + size.cy > work.bottom)
            at.y = r.top - size.cy;
    }
    at.x = std::max<LONG>(work.left, std::min<LONG>(at.x, work.right - size.cx));
    at.y = std::max<LONG>(work.top, std::min<LONG>(at.y, work.bottom - size.cy));
    ::SetWindowPos(m_pHost->m_hWnd, HWND_TOP, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pHost->ShowWindow(SW_SHOWNA);
    m_pHost->UpdateWindow();
    UpdateWindow();
}

void JFlyout::CancelFlyout()
{
    if (GetCapture() == this)
        ReleaseCapture();
    if (m_pHost && m_pHost->m_hWnd)
        m_pHost->ShowWindow(SW_HIDE);
    m_bCommandsActivated = FALSE;
    // What the pop-up covered is painted again before anything runs.
    MSG msg;
    for (int i = 0; i < 64 && ::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessageA(&msg);
    if (m_nSelection >= 0)
        DrawButton(m_nSelection, 0);
    TellFrame(AFX_IDS_IDLEMESSAGE);
}

int JFlyout::DisplayFlyout(CToolBar* pParent, int index)
{
    return Run(pParent, index, FALSE);
}

int JFlyout::DisplayFlyoutFromKeyboard(CToolBar* pParent, int index)
{
    return Run(pParent, index, TRUE);
}

namespace {

// A press outside the open flyout still reaches the window under it once the
// flyout has closed; with the mouse captured it came to the flyout instead.
void PassPressOn(const MSG& msg, HWND hFlyout)
{
    if (msg.hwnd != hFlyout) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        return;
    }
    const HWND hTarget = ::WindowFromPoint(msg.pt);
    DWORD pid = 0;
    if (!hTarget || ::GetWindowThreadProcessId(hTarget, &pid) != ::GetCurrentThreadId())
        return;
    const LRESULT hit = ::SendMessageA(hTarget, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    if (hit == HTCLIENT) {
        POINT client = msg.pt;
        ::ScreenToClient(hTarget, &client);
        ::PostMessageA(hTarget, WM_LBUTTONDOWN, msg.wParam, MAKELPARAM(client.x, client.y));
    } else if (hit != HTNOWHERE && hit != HTERROR && hit != HTTRANSPARENT) {
        ::PostMessageA(hTarget, WM_NCLBUTTONDOWN, (WPARAM)hit, MAKELPARAM(msg.pt.x, msg.pt.y));
    }
}

bool OnParentButton(HWND hParent, CToolBar* pParent, int index, POINT screen)
{
    if (::WindowFromPoint(screen) != hParent)
        return false;
    CPoint client = screen;
    pParent->ScreenToClient(&client);
    return ItemRect(pParent, index).PtInRect(client) != FALSE;
}

}   // namespace

int JFlyout::Run(CToolBar* pParent, int index, BOOL bKeyboard)
{
    if (m_bRunning || !m_hWnd || !m_pHost || !m_pHost->m_hWnd || !pParent || !::IsWindow(pParent->m_hWnd) ||
        index < 0 || index >= (int)pParent->SendMessage(TB_BUTTONCOUNT))
        return -1;
    const HWND hParent = pParent->m_hWnd, hSelf = m_hWnd, hHost = m_pHost->m_hWnd;
    m_bRunning = TRUE;
    m_bCancelled = FALSE;
    m_nSelection = -1;
    AdjustFly(pParent, index);
    if (bKeyboard) {
        // Enter at once keeps what the button does.
        const int current = CommandToIndex(pParent->GetItemID(index));
        if (current >= 0 && !(GetButtonStyle(current) & TBBS_DISABLED))
            Select(current);
        else
            MoveSelection(1);
    } else {
        SetCapture();
    }

    bool entered = bKeyboard != FALSE;
    bool pick = false;
    MSG msg;
    for (;;) {
        // The flyout, its pop-up or the parent may go while the loop runs.
        if (!::IsWindow(hSelf) || !::IsWindow(hParent) || !::IsWindow(hHost) || m_bCancelled ||
            !::IsWindowVisible(hHost))
            break;
        if (!GetPopupMessage(msg))
            break;
        if (!::IsWindow(hSelf))
            break;
        CRect flyout;
        ::GetWindowRect(hSelf, &flyout);
        bool done = false;
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (flyout.PtInRect(msg.pt)) {
                entered = true;
                break;
            }
            {
                const bool onButton = OnParentButton(hParent, pParent, index, msg.pt);
                CancelFlyout();
                if (!onButton)
                    PassPressOn(msg, hSelf);
            }
            done = true;
            break;
        case WM_LBUTTONUP:
            if (entered) {
                pick = true;
                done = true;
            } else if (::GetCapture() == hSelf) {
                // A click without a drag: the flyout stays open for a second one.
                ::ReleaseCapture();
            }
            if (!done)
                continue;
            break;
        case WM_MOUSEMOVE:
            if (!entered) {
                if (!flyout.PtInRect(msg.pt))
                    continue;
                entered = true;
            }
            break;
        case WM_KEYDOWN:
            switch (msg.wParam) {
            case VK_RETURN:
                pick = true;
                done = true;
                break;
            case VK_ESCAPE:
            case VK_F4:
            case VK_TAB:
                done = true;
                break;
            case VK_DOWN:
            case VK_UP:
                if (::GetCapture() != hSelf)
                    MoveSelection(msg.wParam == VK_DOWN ? 1 : -1);
                break;
            case VK_RIGHT:
            case VK_LEFT:
                // Along a row the sideways arrows move too.
                if (::GetCapture() != hSelf && IsHorizontal())
                    MoveSelection(msg.wParam == VK_RIGHT ? 1 : -1);
                break;
            default:
                break;
            }
            if (!done)
                continue;
            break;
        case WM_SYSKEYDOWN:
            // Alt held from the opening chord is let be; Alt with another key closes.
            if (msg.wParam != VK_MENU)
                done = true;
            if (!done)
                continue;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            continue;   // keys belong to the flyout while it is open
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            done = true;
            break;
        default:
            break;
        }
        if (done)
            break;
        if (msg.hwnd == hSelf && PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }

    if (!::IsWindow(hSelf)) {
        // Destroyed while open (its owner went): the object goes now.
        delete this;
        return -1;
    }
    int result = -1;
    if (pick && m_nSelection >= 0 && ::IsWindow(hParent) && !m_bCancelled)
        result = (int)GetItemID(m_nSelection);
    if (m_pHost && m_pHost->m_hWnd && m_pHost->IsWindowVisible())
        CancelFlyout();
    else if (GetCapture() == this)
        ReleaseCapture();
    m_nSelection = -1;
    m_bRunning = FALSE;
    return result;
}

void JFlyout::PostNcDestroy()
{
    // The loop still runs on this object: it deletes it when it ends.
    if (m_bRunning)
        return;
    JToolBar::PostNcDestroy();
}
