// CBaseDialogBar: the library's resizable dialog bar.
#include "jdialogbar.h"

#include "callframe.h"
#include "cntlrc.h"
#include "hostengine.h"
#include "jenvmanager.h"
#include "module.h"
#include "tsprefscontexthelp.h"

#include <oleacc.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CBaseDialogBar, CDialogBar)

BEGIN_MESSAGE_MAP(CBaseDialogBar, CDialogBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_PAINT()
    ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
    ON_WM_SYSCOMMAND()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(JDBM_CHANGEDOCKSTATE, OnChangeDockState)
    ON_MESSAGE(JDBM_TRACKSIZE, OnDockWndTrackSize)
    ON_MESSAGE(JDBM_GETDOCKSIZE, OnDockContextGetSize)
    ON_WM_NCHITTEST()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {

JControlOnlyInfo* ControlInfo()
{
    return JEnvironmentManager::Current();
}

// The automation object of an ActiveX child, asked for as Office's windows are
// (WM_GETOBJECT with OBJID_NATIVEOM); NULL for any other window.
IDispatch* ChildDispatch(HWND hChild)
{
    const LRESULT lResult = ::SendMessageA(hChild, WM_GETOBJECT, 0, (LPARAM)OBJID_NATIVEOM);
    if (lResult <= 0)
        return nullptr;
    IDispatch* pDispatch = nullptr;
    if (FAILED(::ObjectFromLresult(lResult, IID_IDispatch, 0, reinterpret_cast<void**>(&pDispatch))))
        return nullptr;
    return pDispatch;
}

// Invokes a method by name; a child without it is left alone.
void InvokeByName(IDispatch* pDispatch, const wchar_t* lpszName, VARIANTARG* pArgs, UINT nArgs)
{
    LPOLESTR name = const_cast<LPOLESTR>(lpszName);
    DISPID dispid = DISPID_UNKNOWN;
    if (FAILED(pDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid)))
        return;
    DISPPARAMS params{pArgs, nullptr, nArgs, 0};
    pDispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

}   // namespace

CBaseDialogBar::CBaseDialogBar()
    : m_nFrameMinWidth(::GetSystemMetrics(SM_CXMIN)), m_nFrameMinHeight(::GetSystemMetrics(SM_CYMIN)),
      m_nFrameCaption(::GetSystemMetrics(SM_CYSMCAPTION))
{
    JControlOnlyInfo* pInfo = ControlInfo();
    m_bGripper = pInfo && pInfo->m_nGripperBar > 0;
}

CBaseDialogBar::~CBaseDialogBar()
{
    // Every environment forgets the bar, not only the current one: a bar
    // destroyed while another environment is current must not stay listed.
    JEnvironmentManager::ForgetBar(this);
    if (m_pDockContext == m_pJDockContext) {
        // The control bar would delete it again; a running drag loop still holds it.
        if (m_pJDockContext && m_pJDockContext->m_bTracking)
            m_pJDockContext->m_pBar = nullptr;
        else
            delete m_pJDockContext;
        m_pDockContext = nullptr;
    }
    m_pJDockContext = nullptr;
}

BOOL CBaseDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID, int, char* lpszHelpFile,
                            DWORD dwHelpContext)
{
    const UINT style = m_bGripper ? (nStyle | CBRS_GRIPPER) : nStyle;
    const BOOL bMade = CDialogBar::Create(pParentWnd, LOWORD(nIDTemplate), style, nID);
    JControlOnlyInfo* pInfo = ControlInfo();
    if (bMade) {
        ::SetWindowContextHelpId(m_hWnd, dwHelpContext);
        if (pInfo)
            m_strEnvironment = pInfo->GetCustomEnvironment();
        m_strHelpFile = lpszHelpFile ? lpszHelpFile : "";
        HasStateChanged(TRUE);
        CWnd* pTop = GetTopLevelFrame();
        m_bActive = pTop && pTop->IsWindowEnabled();
    }
    if (pInfo)
        pInfo->AddToolbar(this);
    return bMade;
}

// ---- settings ----

void CBaseDialogBar::SetResizeable(BOOL bResizeable)
{
    m_bResizeable = bResizeable;
    if (bResizeable)
        m_dwStyle |= CBRS_SIZE_DYNAMIC;
    else
        m_dwStyle &= ~CBRS_SIZE_DYNAMIC;
    if (IsFloating())
        if (CWnd* pFrame = MiniFrame())
            pFrame->ModifyStyle(bResizeable ? MFS_MOVEFRAME : 0, bResizeable ? 0 : MFS_MOVEFRAME);
}

void CBaseDialogBar::SetGripperBar(BOOL bGripper)
{
    m_bGripper = bGripper;
    SetBarStyle(bGripper ? (m_dwStyle | CBRS_GRIPPER) : (m_dwStyle & ~CBRS_GRIPPER));
    if (m_hWnd)
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
}

BOOL CBaseDialogBar::HasStateChanged(BOOL bReset)
{
    int state = kStateVert;
    if (m_dwStyle & CBRS_FLOATING)
        state = kStateFloating;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        state = kStateHorz;
    const BOOL bChanged = state == m_nLastDockState ? m_bStateChanged : TRUE;
    if (bReset) {
        m_bStateChanged = FALSE;
        m_nLastDockState = state;
    }
    return bChanged;
}

long CBaseDialogBar::GetWidth()
{
    if (IsFloating())
        return m_sizeFloat.cx - GetBorderWidth();
    return (m_pDockContext ? m_pDockContext->m_rectMRUDockPos.Width() : 0) - GetBorderWidth();
}

long CBaseDialogBar::GetHeight()
{
    if (IsFloating())
        return m_sizeFloat.cy - GetBorderHeight();
    return (m_pDockContext ? m_pDockContext->m_rectMRUDockPos.Height() : 0) - GetBorderHeight();
}

void CBaseDialogBar::MergeLastDialogBar()
{
    if (IsFloating())
        return;
    if (auto* pDockBar = DYNAMIC_DOWNCAST(CSplitterDockBar, m_pDockBar))
        pDockBar->MergeLastDialogBar();
}

void CBaseDialogBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == m_pJDockContext)
        m_pDockContext = nullptr;
    delete m_pJDockContext;
    delete m_pDockContext;
    m_pJDockContext = new JDockContext(this);
    m_pDockContext = m_pJDockContext;
    if (!m_hWndOwner && m_hWnd)
        m_hWndOwner = ::GetParent(m_hWnd);
}

void CBaseDialogBar::SetActive(BOOL bActive)
{
    if (bActive == m_bActive)
        return;
    m_bActive = bActive;
    if (m_bShowCaption && !IsFloating() && m_hWnd)
        InvalidateRect(GetCaptionRect(), FALSE);
}

CRect CBaseDialogBar::GetCaptionRect()
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(client);
    const int border = (int)GetDefaultBorder();
    return CRect(client.left + border, client.top + border, client.right - border,
                 client.top + border + kCaptionHeight);
}

HFONT CBaseDialogBar::CaptionFont()
{
    static HFONT hFont = [] {
        LOGFONTA font{};
        font.lfHeight = -12;
        font.lfWeight = FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(font.lfFaceName, LibraryText(IDS_UNITEDIT_FONT_FACE, "MS Sans Serif"), LF_FACESIZE);
        return ::CreateFontIndirectA(&font);
    }();
    return hFont;
}

// ---- children ----

void CBaseDialogBar::UpdateControlsPosition(long cx, long cy, BOOL bResize)
{
    if (!m_hWnd)
        return;
    int x = (int)GetDefaultBorder();
    int y = x;
    if (!IsFloating() && m_bShowCaption) {
        InvalidateRect(GetCaptionRect(), FALSE);
        y += kCaptionHeight;
    }
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(hChild, rect);
        ScreenToClient(rect);
        UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
        // A child that moves is painted afresh: the bar (without WS_CLIPCHILDREN) paints over
        // the place it moves to, and bits it carried along would never be painted again.
        if (rect.TopLeft() != CPoint(x, y))
            flags |= SWP_NOCOPYBITS;
        if (::IsWindowVisible(hChild))
            flags |= SWP_SHOWWINDOW;
        ::SetWindowPos(hChild, nullptr, x, y, 0, 0, flags);
        if (bResize) {
            if (IDispatch* pDispatch = ChildDispatch(hChild)) {
                VARIANTARG args[2];   // in reverse order: cy last
                ::VariantInit(&args[0]);
                ::VariantInit(&args[1]);
                args[1].vt = args[0].vt = VT_I4;
                args[1].lVal = cx - GetBorderWidth();
                args[0].lVal = cy - GetBorderHeight();
                InvokeByName(pDispatch, L"ResizeLayout", args, 2);
                pDispatch->Release();
            }
        }
        ::GetWindowRect(hChild, rect);
        if (m_bAddControlsToRight)
            x += rect.Width();
        else
            y += rect.Height();
    }
}

void CBaseDialogBar::SendShowStateToControls(BOOL bShow)
{
    if (!m_hWnd)
        return;
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (IDispatch* pDispatch = ChildDispatch(hChild)) {
            VARIANTARG arg;
            ::VariantInit(&arg);
            arg.vt = VT_BOOL;
            arg.boolVal = bShow ? VARIANT_TRUE : VARIANT_FALSE;
            InvokeByName(pDispatch, L"Show", &arg, 1);
            pDispatch->Release();
        }
    }
}

// ---- sizes ----

CWnd* CBaseDialogBar::MiniFrame()
{
    CWnd* pParent = GetParent();
    CWnd* pFrame = pParent ? pParent->GetParent() : nullptr;
    return pFrame ? pFrame : this;
}

CSize CBaseDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!IsFloating()) {
        CSize size = CDialogBar::CalcDynamicLayout(nLength, dwMode);
        if (((dwMode & (LM_HORZDOCK | LM_HORZ)) == (LM_HORZDOCK | LM_HORZ) && !IsHorzBar()) ||
            ((dwMode & LM_VERTDOCK) && IsHorzBar()))
            size = m_sizeDefault;
        if ((dwMode & (LM_HORZ | LM_MRUWIDTH)) == (LM_HORZ | LM_MRUWIDTH))
            size = FloatingSize();
        return size;
    }

    // Corners size the floating frame as well as its sides.
    CWnd* pFrame = MiniFrame();
    pFrame->ModifyStyle(MFS_4THICKFRAME, 0);
    CDialogBar::CalcDynamicLayout(nLength, dwMode);
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (m_pDockSite)
            m_pDockSite->RecalcLayout();
        return CDialogBar::CalcDynamicLayout(nLength, dwMode);
    }
    if (dwMode & LM_MRUWIDTH)
        return FloatingSize();

    if (m_pJDockContext && m_pJDockContext->IsSizingFromCorner()) {
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect frame;
        pFrame->GetWindowRect(frame);
        const int minW = m_nFrameMinWidth, minH = m_nFrameMinHeight, cap = m_nFrameCaption;
        const int top = m_nFrameTopBorder, side = m_nFrameSideBorder;
        CRect& drag = m_pJDockContext->m_rectFrameDragHorz;
        const CSize dragSize = drag.Size();
        CPoint origin = drag.TopLeft();
        CSize size = m_sizeFloat;
        switch (m_pJDockContext->m_nHitTest) {
        case HTTOPLEFT:
            size.cx = std::max((int)(frame.right - pt.x), minW) - side;
            size.cy = std::max((int)(frame.bottom - cap - pt.y), minH) - 1;
            origin.x = std::min((int)pt.x, (int)(frame.right - minW)) - 1;
            origin.y = std::min((int)pt.y, (int)(frame.bottom - cap - minH)) - top;
            break;
        case HTTOPRIGHT:
            size.cx = std::max((int)(pt.x - frame.left), minW);
            size.cy = std::max((int)(frame.bottom - cap - pt.y), minH) - 1;
            origin.y = std::min((int)pt.y, (int)(frame.bottom - cap - minH)) - top;
            break;
        case HTBOTTOMLEFT:
            size.cx = std::max((int)(frame.right - pt.x), minW) - side;
            size.cy = std::max((int)(pt.y - frame.top - cap), minH);
            origin.x = std::min((int)pt.x, (int)(frame.right - minW)) - 1;
            break;
        default:   // HTBOTTOMRIGHT
            size.cx = std::max((int)(pt.x - frame.left), minW);
            size.cy = std::max((int)(pt.y - frame.top - cap), minH);
            break;
        }
        drag = CRect(origin, dragSize);
        m_sizeFloat = size;
        return m_sizeFloat;
    }
    // An edge: the length given, never less than one pixel.
    if (dwMode & LM_LENGTHY)
        m_sizeFloat.cy = std::max(nLength, 1);
    else
        m_sizeFloat.cx = std::max(nLength, 1);
    return m_sizeFloat;
}

CSize CBaseDialogBar::FloatingSize()
{
    // Not sized yet (or sized to nothing): the template's size, so that a floating frame
    // never collapses around the bar.
    if (m_sizeFloat.cx <= 0 || m_sizeFloat.cy <= 0)
        m_sizeFloat = m_sizeDefault;
    return m_sizeFloat;
}

// ---- dock state ----

CFrameWnd* CBaseDialogBar::DockingFrameOfCall()
{
    CFrameWnd* pFrame = ControlFrameOfCall();
    return pFrame ? pFrame : m_pDockSite;
}

LRESULT CBaseDialogBar::OnChangeDockState(WPARAM, LPARAM)
{
    CFrameWnd* pFrame = DockingFrameOfCall();
    if (!pFrame)
        return 1;
    if (IsFloating()) {
        m_bFloating = FALSE;
        const CSize size = CalcFixedLayout(FALSE, TRUE);
        const CRect rect(m_ptDockOrigin, size);
        pFrame->DockControlBar(this, m_nDockBarID, &rect);
    } else {
        if (m_ptFloatPos == CPoint(-1, -1)) {
            CWnd* pOwner = GetOwner();
            if (!pOwner)
                pOwner = GetParent();
            CPoint pt(0, 0);
            if (pOwner)
                pOwner->ClientToScreen(&pt);
            m_ptFloatPos = pt;
        }
        pFrame->FloatControlBar(this, m_ptFloatPos, CBRS_ALIGN_TOP);
        m_bFloating = TRUE;
    }
    return 1;
}

LRESULT CBaseDialogBar::OnDockWndTrackSize(WPARAM, LPARAM lParam)
{
    if (auto* pTrack = reinterpret_cast<JDBTRACKINFO*>(lParam)) {
        CRect rect(0, 0, m_sizeTrack.cx, m_sizeTrack.cy);
        rect.DeflateRect(1, 1);
        pTrack->rect = rect;
    }
    return 1;
}

LRESULT CBaseDialogBar::OnDockContextGetSize(WPARAM, LPARAM lParam)
{
    if (auto* pSize = reinterpret_cast<SIZE*>(lParam))
        *pSize = IsFloating() ? m_sizeFloat : CSize(GetWidth(), GetHeight());
    return 1;
}

// ---- messages ----

void CBaseDialogBar::OnSize(UINT nType, int cx, int cy)
{
    CDialogBar::OnSize(nType, cx, cy);
    if (cx != 0 && cy != 0)
        UpdateControlsPosition(cx, cy, TRUE);
}

LRESULT CBaseDialogBar::OnHelpHitTest(WPARAM, LPARAM)
{
    TsPrefsContextHelp help;
    help.SetSourceOfHelpContextId(JHELP_FROM_DIALOGBAR);
    help.SetHelpFile(m_strHelpFile.IsEmpty() ? nullptr : (LPCSTR)m_strHelpFile);
    return (LRESULT)::GetWindowContextHelpId(m_hWnd);
}

void CBaseDialogBar::PaintCaption(CDC* pDC)
{
    const CRect strip = GetCaptionRect();
    pDC->FillSolidRect(strip, ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    CString text;
    GetWindowText(text);
    const int saved = pDC->SaveDC();
    CRect clip(strip);
    clip.InflateRect(0, 1);
    pDC->IntersectClipRect(clip);
    ::SelectObject(pDC->m_hDC, CaptionFont());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(pDC->m_hDC, &tm);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const int y = strip.top + (strip.Height() - (tm.tmAscent + tm.tmDescent + tm.tmInternalLeading) + 1) / 2;
    pDC->TextOut(strip.left + 3, y, text);
    pDC->RestoreDC(saved);
}

void CBaseDialogBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
    if (m_bShowCaption && !IsFloating())
        PaintCaption(&dc);
    if (HostMode() && !IsFloating()) {
        // The host lays the bar out itself: the controls follow the frame's size.
        CWnd* pFrame = GetTopLevelFrame();
        CRect frame;
        if (pFrame) {
            pFrame->GetWindowRect(frame);
            if (frame != m_rectLastFrame) {
                m_rectLastFrame = frame;
                CRect window;
                GetWindowRect(window);
                UpdateControlsPosition(window.Width(), window.Height(), FALSE);
            }
        }
    }
}

LRESULT CBaseDialogBar::OnStyleChanged(WPARAM wParam, LPARAM lParam)
{
    ::OutputDebugStringA("CBaseDialogBar::OnStyleChanged() Recieved\n");
    return DefWindowProc(WM_STYLECHANGED, wParam, lParam);
}

void CBaseDialogBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    ::OutputDebugStringA("CBaseDialogBar::OnSysCommand() Recieved\n");
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

void CBaseDialogBar::OnSetFocus(CWnd*)
{
    Default();
}

void CBaseDialogBar::OnKillFocus(CWnd*)
{
    Default();
}

BOOL CBaseDialogBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}

LRESULT CBaseDialogBar::OnNcHitTest(CPoint)
{
    return Default();
}

void CBaseDialogBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SendShowStateToControls(bShow);
    CDialogBar::OnShowWindow(bShow, nStatus);
}

void CBaseDialogBar::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    if (HostMode()) {
        if (IsFloating() && !IsWindowVisible()) {
            CWnd* pFrame = MiniFrame();
            if (pFrame != this && pFrame->IsWindowVisible())
                pFrame->ShowWindow(SW_HIDE);
        }
        return;
    }
    CDialogBar::OnActivateApp(bActive, dwThreadID);
}

BOOL CBaseDialogBar::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message >= WM_KEYFIRST && message <= WM_SYSKEYUP && pMsg->wParam == VK_MENU) {
        // Alt belongs to the main window's menu bar.
        if (CWnd* pMain = AfxGetMainWnd()) {
            const HWND hFocus = ::GetFocus();
            ::SetFocus(pMain->m_hWnd);
            pMain->SendMessage(message, pMsg->wParam, pMsg->lParam);
            if (::IsWindow(hFocus))
                ::SetFocus(hFocus);
        }
    }
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) && m_hWnd && ::IsChild(m_hWnd, pMsg->hwnd)) {
        JControlOnlyInfo* pInfo = ControlInfo();
        if (pInfo && pInfo->m_bCustomizationMode)
            return TRUE;
    }
    switch (message) {
    case WM_CLOSE:
        ::OutputDebugStringA("PreTranslateMessage(WM_CLOSE) Recieved\n");
        break;
    case WM_HELP:
        ::OutputDebugStringA("PreTranslateMessage(WM_HELP) Recieved\n");
        break;
    case WM_SYSCOMMAND:
        ::OutputDebugStringA("PreTranslateMessage(WM_SYSCOMMAND) Recieved\n");
        break;
    case WM_HELPHITTEST:
        ::OutputDebugStringA("PreTranslateMessage(WM_HELPHITTEST) Recieved\n");
        break;
    default:
        break;
    }
    return CControlBar::PreTranslateMessage(pMsg);
}
