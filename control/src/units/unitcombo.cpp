// The unit combo box: the unit edit's parse, display and notifications on an
// editable combo box whose list offers the recent values of its kind.
#include "junitcombo.h"

#include "afxpriv.h"
#include "cntlrc.h"
#include "hostengine.h"
#include "jenvmanager.h"
#include "module.h"
#include "unitvalue.h"
#include "unitfont.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(JUnitComboBox, CComboBox)

JUnitComboBox::JUnitComboBox(int useDefaults, UINT unitType)
{
    m_nDisplayMode = useDefaults ? JUNIT_DEFAULT_FORMAT | JUNIT_DEFAULT_UNITS : 0;
    SetUnitType(unitType);
    SetCaseSensitive(0);
}

JUnitComboBox::~JUnitComboBox()
{
    // The window goes before the font it shows.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd))
        DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
    if (m_hHistoryKey)
        ::RegCloseKey(m_hHistoryKey);
}

int JUnitComboBox::SetUnitType(UINT unitType)
{
    return UnitValue<JUnitComboBox>::SetUnitType(*this, unitType);
}

void JUnitComboBox::Init(int loadDefaults)
{
    UnitValue<JUnitComboBox>::Init(*this, loadDefaults);
}

double JUnitComboBox::GetValue()
{
    if (m_bModified && m_bCutShort) {
        m_bModified = m_bCutShort = 0;
        ::MessageBeep((UINT)-1);
    }
    return UnitValue<JUnitComboBox>::GetValue(*this);
}

void JUnitComboBox::SetValue(double value)
{
    m_bCutShort = 0;
    UnitValue<JUnitComboBox>::SetValue(*this, value);
}

void JUnitComboBox::SetLocalUnits(const UINT* primary, const UINT* secondary, const UINT* tertiary)
{
    UnitValue<JUnitComboBox>::SetLocalUnits(*this, primary, secondary, tertiary);
}

void JUnitComboBox::GetLocalUnits(UINT* primary, UINT* secondary, UINT* tertiary) const
{
    UnitValue<JUnitComboBox>::GetLocalUnits(*this, primary, secondary, tertiary);
}

int JUnitComboBox::ParseText(UINT unitType, const GUserText& text, double* value, UINT* unitFound)
{
    return UnitValue<JUnitComboBox>::ParseText(*this, unitType, text, value, unitFound);
}

double JUnitComboBox::Parse(const char* text)
{
    double value = 0.0;
    if (ParseText(m_nUnitType, GUserText(text ? text : ""), &value, nullptr) != 1)
        return 0.0;
    return value;
}

int JUnitComboBox::Parse()
{
    return UnitValue<JUnitComboBox>::Parse(*this);
}

tagUomFormat JUnitComboBox::DisplayFormat() const
{
    return UnitValue<JUnitComboBox>::DisplayFormat(*this);
}

void JUnitComboBox::DisplayUnits(const UINT** primary, const UINT** secondary, const UINT** tertiary) const
{
    UnitValue<JUnitComboBox>::DisplayUnits(*this, primary, secondary, tertiary);
}

void JUnitComboBox::Display()
{
    SetWindowText(UnitValue<JUnitComboBox>::Formatted(*this, m_dValue));
}

CString JUnitComboBox::EditText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

void JUnitComboBox::OnBadInput()
{
    UnitValue<JUnitComboBox>::OnBadInput(*this);
}

LRESULT JUnitComboBox::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return UnitValue<JUnitComboBox>::NotifyParent(*this, message, wParam, lParam);
}

void JUnitComboBox::SendLockingMessage(int lock)
{
    UnitValue<JUnitComboBox>::SendLockingMessage(*this, lock);
}

void JUnitComboBox::ValidateString(int bEnter)
{
    if (!::IsWindow(m_hWnd))
        return;
    if (!m_bModified) {
        m_bCutShort = 0;
        if (bEnter) {
            SendLockingMessage(1);
            // Only a combo that keeps a history offers and stores what Enter confirmed.
            if (::IsWindow(m_hWnd) && (GetStyle() & JCBS_HISTORY))
                AddStringToLB(EditText(), 1);
        }
        return;
    }
    // A text cut short is refused like a bad one, and the entry ends with it.
    const int result = m_bCutShort ? 0 : Parse();
    // The parent may have closed the dialog while the parse ran a host callback.
    if (!::IsWindow(m_hWnd))
        return;
    if (m_bCutShort)
        m_bModified = m_bCutShort = 0;
    if (result == 0) {
        ::MessageBeep((UINT)-1);
        if (!HostMode())
            ShowLibraryMessage(IDS_UNITEDIT_INVALID_ENTRY, "The entry is not valid.",
                               MB_ICONINFORMATION | MB_SETFOREGROUND);
    }
    Display();
    if (result == 1) {
        m_bModified = 0;
        if (GetStyle() & JCBS_HISTORY)
            AddStringToLB(EditText(), result);
        SendLockingMessage(1);
        return;
    }
    NotifyParent(JUM_BADVALUE, (WPARAM)GetDlgCtrlID(), 0);
    SetFocus();
}

BOOL JUnitComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_COMMAND)
        return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
    switch (HIWORD(wParam)) {
    case CBN_SELCHANGE: {
        const int selected = GetCurSel();
        if (selected != CB_ERR) {
            CString item;
            GetLBText(selected, item);
            if (item != EditText()) {
                SetWindowText(item);
                if (Parse() == 0)
                    ::MessageBeep((UINT)-1);
            }
            m_bCutShort = 0;   // a picked value is whole, however the box shows it
        }
        if (const HWND hParent = ::GetParent(m_hWnd))
            ::PostMessageA(hParent, JUM_VALUESELECTED, (WPARAM)GetDlgCtrlID(), 0);
        return TRUE;
    }
    case CBN_KILLFOCUS:
        // The focus was in the edit field, so the combo box itself hears of its loss only
        // here; the field keeps showing its selection unless it is taken away.
        SetEditSel(-1, 0);
        ValidateString(0);
        return FALSE;   // the parent hears of it too
    case CBN_EDITCHANGE:
        if (GetWindowTextLength() == 0) {
            m_bModified = 0;
            SendLockingMessage(0);
        } else {
            m_bModified = 1;
        }
        return TRUE;
    case CBN_EDITUPDATE:
        m_bModified = 1;
        return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
    case CBN_DROPDOWN:
        if (LoadValues())
            SetFocus();
        ResizeDroppedList();
        return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
    default:
        return CComboBox::OnChildNotify(message, wParam, lParam, pResult);
    }
}

void JUnitComboBox::ResizeDroppedList()
{
    const int fieldHeight = GetItemHeight(-1);
    int itemHeight = GetItemHeight(0);
    if (itemHeight <= 0)
        itemHeight = fieldHeight;
    CRect dropped;
    GetDroppedControlRect(&dropped);
    CWnd* pParent = GetParent();
    if (pParent)
        pParent->ScreenToClient(&dropped);
    const int height = m_nValueLimit * itemHeight + 2 * fieldHeight;
    SetWindowPos(nullptr, dropped.left, dropped.top, dropped.Width(), height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    Invalidate();
}

BOOL JUnitComboBox::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        // The frames' accelerators work while typing.
        if (CFrameWnd* pFrame = GetParentFrame()) {
            if (pFrame->PreTranslateMessage(pMsg))
                return TRUE;
            if (CFrameWnd* pOuter = pFrame->GetParentFrame(); pOuter && pOuter->PreTranslateMessage(pMsg))
                return TRUE;
        }
    }
    if (message == WM_KILLFOCUS)
        SetEditSel(-1, 0);   // a start of -1 removes the selection
    if (message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        ValidateString(1);
    if (message == WM_KEYDOWN && (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_UP) && !GetDroppedState()) {
        // The arrows step through the history with the list closed too: it is read first,
        // and with nothing to step to the shown value stays (an empty list blanks the text).
        if (GetCount() == 0)
            LoadValues();
        if (GetCount() == 0)
            return TRUE;
    }
    if (!HostMode()) {
        if (message == WM_KEYUP && pMsg->wParam == VK_ESCAPE)
            ShowDropDown(FALSE);
    } else {
        if ((message == WM_KEYDOWN || message == WM_KEYUP) && pMsg->wParam == VK_ESCAPE)
            return FALSE;
        if (message == WM_KEYUP && pMsg->hwnd == m_hWnd)
            if (const HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD))
                pMsg->hwnd = hEdit;
        if (message == WM_KEYUP && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_TAB))
            ValidateString(m_bModified);
    }
    const HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD);
    if (hEdit && pMsg->hwnd == hEdit) {
        if (message == WM_LBUTTONUP && ::GetFocus() != hEdit)
            SetFocus();
        if (message == WM_LBUTTONDBLCLK) {
            SetEditSel(0, -1);
            return TRUE;
        }
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

void JUnitComboBox::CreateControl()
{
    if (LPCSTR kind = KindName())
        OpenRegKey(kind);
}

LRESULT JUnitComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        CreateControl();
        const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        if (result == -1)
            return result;
        SetWindowText("");
        ModifyStyleEx(WS_EX_NOPARENTNOTIFY, 0);
        // The font first: setting a font measures the selection field anew.
        if (m_hFont)
            ::DeleteObject(m_hFont);
        m_hFont = CreateUnitControlFont(m_hWnd);
        if (m_hFont)
            SetFont(m_hFont);
        if (HDC hDC = ::GetDC(m_hWnd)) {
            TEXTMETRICA parentMetrics{}, systemMetrics{};
            const HWND hParent = ::GetParent(m_hWnd);
            const HFONT hParentFont = hParent ? (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0) : nullptr;
            HGDIOBJ hOld = ::SelectObject(hDC, hParentFont ? hParentFont : ::GetStockObject(SYSTEM_FONT));
            ::GetTextMetricsA(hDC, &parentMetrics);
            ::SelectObject(hDC, ::GetStockObject(SYSTEM_FONT));
            ::GetTextMetricsA(hDC, &systemMetrics);
            ::SelectObject(hDC, hOld);
            ::ReleaseDC(m_hWnd, hDC);
            const int height = parentMetrics.tmHeight + std::min(parentMetrics.tmHeight, systemMetrics.tmHeight) / 2;
            SetItemHeight(-1, (UINT)(WORD)height);
        }
        OnCreated();
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current(); pInfo && pInfo->InHelpMode()) {
            const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
            if (message == WM_LBUTTONUP && !(point.x == -1 && point.y == -1))
                if (CFrameWnd* pFrame = GetTopLevelFrame())
                    pFrame->PostMessage(WM_COMMAND, ID_HELP, 0);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        SetEditSel(-1, 0);
        break;
    case WM_SETTEXT: {
        ++m_bSettingText;
        const LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        --m_bSettingText;
        return result;
    }
    case WM_COMMAND:
        // The edit field tells the combo box when it cut the text to fit; the combo box
        // itself passes that on to nobody.
        if ((HWND)lParam && (HWND)lParam == ::GetWindow(m_hWnd, GW_CHILD) && !m_bSettingText) {
            if (HIWORD(wParam) == EN_MAXTEXT)
                UnitValue<JUnitComboBox>::OnCutShort(*this, GetWindowTextLength());
            else if (HIWORD(wParam) == EN_CHANGE)
                UnitValue<JUnitComboBox>::OnTextChange(*this, GetWindowTextLength());
        }
        break;
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
