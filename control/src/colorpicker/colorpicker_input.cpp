// JColorPicker as a window: creation, drawing, the mouse and keys, its pop-up loop and
// the more-colours button's system colour dialog.
#include "jcolorpicker.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "jdropdown.h"
#include "module.h"
#include "popuploop.h"

#include <afxpriv.h>
#include <algorithm>
#include <commdlg.h>
#include <cstdlib>

BEGIN_MESSAGE_MAP(JColorPicker, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL JColorPicker::Create(CWnd* pOwner, int x, int y, DWORD dwStyle, UINT nID)
{
    if (m_hWnd)
        return TRUE;
    m_pOwner = pOwner;
    m_nID = nID;
    m_dwPickerStyle = LOWORD(dwStyle);
    LPCSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    const DWORD windowStyle = WS_POPUP | WS_BORDER | (dwStyle & 0xFFFF0000 & ~WS_VISIBLE);
    if (!CreateEx(0, lpszClass, "JColorPicker", windowStyle, CRect(x, y, x + 10, y + 10), pOwner, 0))
        return FALSE;
    const CSize size = CalcFixedLayout();
    CRect window(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(window, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LoadDefaultColors();
    if (!m_strRegistryName.IsEmpty())
        LoadColors(m_strRegistryName);
    return TRUE;
}

int JColorPicker::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    HDC hScreen = ::GetDC(nullptr);
    if (!m_hFont)
        m_hFont = CreateLibraryFont(FW_BOLD, IDS_UNITEDIT_FONT_FACE);
    HGDIOBJ hOld = ::SelectObject(hScreen, m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(hScreen, &metrics);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    m_cyText = metrics.tmHeight + 4;
    ComputeAndAdjustColorWells();
    BuildButtons(nullptr);
    return 0;
}

// ---- drawing

void JColorPicker::DrawButton(CDC* pDC, int index)
{
    const COLOR_INFO& info = m_buttons[index];
    CRect rect = info.rect;
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_3DFACE), ::GetSysColor(COLOR_3DFACE));
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
    rect.DeflateRect(1, 1);
    if (info.reference == COLORREF_TEXT) {
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        HGDIOBJ hOld = pDC->SelectObject(m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        CRect text = rect;
        text.DeflateRect(2, 0);
        pDC->DrawText(info.name, -1, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SelectObject(hOld);
        pDC->SetBkMode(oldMode);
    } else if (info.color == JCP_COLOR_SPECIAL) {
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_3DFACE));
        HBRUSH hHatch = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        ::FillRect(pDC->GetSafeHdc(), rect, hHatch);
        pDC->SetBkMode(oldMode);
        ::DeleteObject(hHatch);
    } else {
        pDC->FillSolidRect(rect, info.reference == COLORREF_EMPTY ? ::GetSysColor(COLOR_3DFACE) : info.color);
    }
    if (index == m_nCurrent) {
        CRect ring = info.rect;
        ring.InflateRect(1, 1);
        pDC->Draw3dRect(ring, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT));
        ring.DeflateRect(1, 1);
        pDC->Draw3dRect(ring, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT));
        ring.DeflateRect(1, 1);
        pDC->Draw3dRect(ring, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DHILIGHT));
    }
}

void JColorPicker::Paint(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    pDC->FillSolidRect(client, ::GetSysColor(COLOR_3DFACE));
    for (int index = 0; index < (int)m_buttons.size(); ++index)
        if (index != m_nCurrent)
            DrawButton(pDC, index);
    // The selection's rings reach over the neighbours' edges: drawn last, they stay whole.
    if (GetButton(m_nCurrent))
        DrawButton(pDC, m_nCurrent);
    if (!m_preview.IsRectEmpty()) {
        CRect rect = m_preview;
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
        rect.DeflateRect(2, 2);
        const COLOR_INFO* pCurrent = GetButton(m_nCurrent);
        const CString text = pCurrent ? pCurrent->name : LibraryText(IDS_COLOR_NONE, "(none)");
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        HGDIOBJ hOld = pDC->SelectObject(m_hFont ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        pDC->DrawText(text, -1, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SelectObject(hOld);
        pDC->SetBkMode(oldMode);
    }
}

void JColorPicker::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

BOOL JColorPicker::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT JColorPicker::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    Paint(&dc);
    dc.Detach();
    return 0;
}

// ---- activation, mouse and keys

int JColorPicker::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void JColorPicker::OnActivateApp(BOOL bActive, DWORD)
{
    if (!bActive && IsWindowVisible()) {
        PostMessage(WM_CLOSE);
        if (HWND hFrame = m_pOwner ? ::GetAncestor(m_pOwner->GetSafeHwnd(), GA_ROOT) : nullptr)
            ::SendMessageA(hFrame, WM_NCACTIVATE, FALSE, 0);
    }
}

void JColorPicker::Notify()
{
    if (m_pOwner && ::IsWindow(m_pOwner->GetSafeHwnd()))
        m_pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, 1), reinterpret_cast<LPARAM>(m_hWnd));
}

void JColorPicker::OnLButtonDown(UINT, CPoint point)
{
    m_nSaved = m_nCurrent;
    const int hit = HitButton(point);
    if (hit >= 0)
        Select(hit);
    SetCapture();
}

void JColorPicker::OnMouseMove(UINT, CPoint point)
{
    if (::GetCapture() != m_hWnd)
        return;
    const int hit = HitButton(point);
    if (hit >= 0 || !(m_dwPickerStyle & JCP_PREVIEW))
        Select(hit);
}

void JColorPicker::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_nCurrent >= 0) {
        // The owner hears of the pick first: for "More Colors..." the selection saved at the
        // press is the colour the dialog starts from and comes back to on Cancel.
        Notify();
        m_nSaved = m_nCurrent;
    } else {
        Select(m_nSaved);
    }
}

void JColorPicker::OnKeyDown(UINT nChar, UINT, UINT)
{
    const int count = (int)m_buttons.size();
    if (count == 0)
        return;
    const int current = m_nCurrent;
    int next = current;
    switch (nChar) {
    case VK_LEFT:
        next = std::max(0, current - 1);
        break;
    case VK_RIGHT:
        next = std::min(count - 1, current + 1);
        break;
    case VK_UP:
    case VK_DOWN: {
        // A row up or down among the wells, onto a text button beyond the first or last row.
        const int first = WellButton(0), last = WellButton(m_nWells - 1);
        if (current < first || current > last)
            next = nChar == VK_UP ? (current < first ? current : last) : (current > last ? current : first);
        else
            next = current + (nChar == VK_UP ? -m_nColumns : m_nColumns);
        next = std::clamp(next, 0, count - 1);
        break;
    }
    case VK_HOME:
    case VK_PRIOR:
        next = 0;
        break;
    case VK_END:
    case VK_NEXT:
        next = count - 1;
        break;
    case VK_ESCAPE:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Select(m_nSaved);
        return;
    default:
        return;
    }
    if (current < 0)
        next = 0;
    Select(next);
}

UINT JColorPicker::OnGetDlgCode()
{
    return CWnd::OnGetDlgCode() | DLGC_WANTARROWS;
}

// ---- the pop-up loop

int JColorPicker::ShowDropDown(JButton* pButton)
{
    if (!pButton || !::IsWindow(pButton->GetSafeHwnd()))
        return 0;
    if (!m_hWnd && !Create(m_pOwner ? m_pOwner : pButton->GetParent(), 0, 0, m_dwPickerStyle, m_nID))
        return 0;
    if (!m_strRegistryName.IsEmpty())
        LoadColors(m_strRegistryName);
    const HWND hButton = pButton->m_hWnd, hSelf = m_hWnd;
    CRect button, popup;
    ::GetWindowRect(hButton, &button);
    GetWindowRect(popup);
    const CPoint place = JDropdown::PlaceBelow(button, popup.Size());
    ::SetWindowPos(hSelf, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow();
    m_nSaved = m_nCurrent;

    MSG msg;
    int result = 1;
    for (bool running = true; running;) {
        if (!::IsWindow(hButton) || !::IsWindow(hSelf) || !::IsWindowVisible(hSelf))
            break;
        if (!GetPopupMessage(msg))
            break;
        CRect self;
        ::GetWindowRect(hSelf, &self);
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            POINT point{(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
            ::ClientToScreen(msg.hwnd, &point);
            if (!self.PtInRect(point)) {
                ShowWindow(SW_HIDE);
                if (!JDropdown::IsPressOnDropPart(hButton, msg))
                    ::PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
                running = false;
                continue;
            }
            break;
        }
        case WM_LBUTTONUP:
            if (::GetCapture() == hSelf) {
                ::DispatchMessageA(&msg);
                running = false;
                continue;
            }
            break;
        case WM_RBUTTONDOWN:
        case WM_CLOSE:
            running = false;
            continue;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                SendMessage(WM_KEYDOWN, VK_ESCAPE, msg.lParam);
                running = false;
                continue;
            }
            if (msg.wParam == VK_RETURN) {
                if (::GetCapture() == hSelf)
                    ::ReleaseCapture();
                if (m_nCurrent >= 0) {
                    Notify();
                    m_nSaved = m_nCurrent;
                }
                running = false;
                continue;
            }
            // The keys come to whichever window has the focus: the palette answers them.
            SendMessage(WM_KEYDOWN, msg.wParam, msg.lParam);
            continue;
        case WM_NCLBUTTONDOWN:
            if (msg.hwnd == hSelf) {
                ::DispatchMessageA(&msg);
                running = false;
                continue;
            }
            ShowWindow(SW_HIDE);
            result = 0;
            running = false;
            continue;
        case WM_SYSCOMMAND:
            if ((msg.wParam & 0xFFF0) == SC_CLOSE)
                ShowWindow(SW_HIDE);
            continue;
        case WM_MOUSEMOVE:
            if ((msg.wParam & MK_LBUTTON) && msg.hwnd == hSelf && ::GetCapture() != hSelf)
                ::SetCapture(hSelf);
            break;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::IsWindow(hSelf)) {
        ::ShowWindow(hSelf, SW_HIDE);
        if (::GetCapture() == hSelf)
            ::ReleaseCapture();
    }
    return result;
}

// ---- the current colour and more colours

unsigned long JColorPicker::GetCurrentColor(CString* pName)
{
    const COLOR_INFO* pCurrent = GetButton(m_nCurrent);
    if (!pCurrent)
        return (unsigned long)-1;
    if (pCurrent->color == JCP_COLOR_MORE)
        return PickMoreColors(pName);
    if (pName)
        *pName = pCurrent->name;
    if (m_nCurrent >= FirstCustomIndex() && pCurrent->reference <= COLORREF_DOCUMENT &&
        pCurrent->color != JCP_COLOR_SPECIAL)
        m_buttons[m_nCurrent].reference = COLORREF_PICKED;
    return pCurrent->color;
}

namespace {

struct NameDialogData {
    CString* pName;
};

INT_PTR CALLBACK NameDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        auto* pData = reinterpret_cast<NameDialogData*>(lParam);
        ::SetDlgItemTextA(hDlg, IDC_COLORNAME_EDIT, *pData->pName);
        ::SetFocus(::GetDlgItem(hDlg, IDC_COLORNAME_EDIT));
        ::SendDlgItemMessageA(hDlg, IDC_COLORNAME_EDIT, EM_SETSEL, 0, -1);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* pData = reinterpret_cast<NameDialogData*>(::GetWindowLongPtrA(hDlg, DWLP_USER));
            char text[256] = "";
            ::GetDlgItemTextA(hDlg, IDC_COLORNAME_EDIT, text, sizeof text);
            *pData->pName = text;
            ::EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}   // namespace

BOOL JColorPicker::AskForName(CString& name)
{
    HINSTANCE hResources = ControlResources();
    if (!hResources || !::FindResourceA(hResources, MAKEINTRESOURCEA(IDD_COLORNAME), RT_DIALOG))
        return TRUE;   // without the dialog the proposed name stands
    NameDialogData data{&name};
    HWND hParent = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    return ::DialogBoxParamA(hResources, MAKEINTRESOURCEA(IDD_COLORNAME), hParent, NameDialogProc,
                             reinterpret_cast<LPARAM>(&data)) == IDOK;
}

unsigned long JColorPicker::PickMoreColors(CString* pName)
{
    const COLOR_INFO* pSaved = GetButton(m_nSaved);
    COLORREF custom[16];
    for (COLORREF& c : custom)
        c = RGB(255, 255, 255);
    const CString empty = EmptyText();
    for (int well = 18, n = 1; well < m_nLastCustom && n < 16; ++well, ++n) {
        const COLOR_INFO& info = m_buttons[WellButton(well)];
        if (info.name == empty)
            break;
        custom[n] = info.color <= 0xFFFFFF ? info.color : RGB(255, 255, 255);
    }
    // The pick ends the pop-up: it must not stay up behind the dialogs (its loop ends on
    // seeing it hidden).
    if (m_hWnd && IsWindowVisible()) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        ShowWindow(SW_HIDE);
    }
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    choose.rgbResult = pSaved && pSaved->color <= 0xFFFFFF ? pSaved->color : 0;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT;
    if (!::ChooseColorA(&choose)) {
        Select(m_nSaved);
        const COLOR_INFO* pBack = GetButton(m_nCurrent);
        if (!pBack || pBack->color == JCP_COLOR_MORE)
            return (unsigned long)-1;
        if (pName)
            *pName = pBack->name;
        return pBack->color;
    }
    const COLORREF color = choose.rgbResult & 0xFFFFFF;
    const int found = FindColorIndex(color);
    if (found >= 0) {
        const bool changed = m_buttons[found].reference != COLORREF_PICKED;
        m_buttons[found].reference = COLORREF_PICKED;
        Select(found);
        if (changed)
            SaveColors(m_strRegistryName);
        if (pName)
            *pName = m_buttons[found].name;
        return color;
    }
    CString name = pName ? *pName : CString();
    const int well = m_nNextCustom >= 18 && m_nNextCustom < m_nLastCustom ? m_nNextCustom : 18;
    if (name.IsEmpty())
        name.Format(LibraryText(IDS_COLOR_CUSTOM, "Custom %d"), well - 17);
    if (!AskForName(name)) {
        Select(m_nSaved);
        return m_nCurrent >= 0 && m_buttons[m_nCurrent].color != JCP_COLOR_MORE ? m_buttons[m_nCurrent].color
                                                                                : (unsigned long)-1;
    }
    SetColorInfo(well, color, name, COLORREF_PICKED);
    AdvanceCustomIndex();
    for (int index = 0; index < (int)m_buttons.size(); ++index)
        if (m_buttons[index].color == color && m_buttons[index].reference == COLORREF_PICKED) {
            Select(index);
            break;
        }
    SaveColors(m_strRegistryName);
    if (pName)
        *pName = name;
    return color;
}
