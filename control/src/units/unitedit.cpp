#include "junitedit.h"

#include "cntlrc.h"
#include "hostunits.h"
#include "jenvmanager.h"
#include "module.h"
#include "unitvalue.h"
#include "unitfont.h"

IMPLEMENT_DYNAMIC(JUnitEdit, CEdit)

namespace {

bool IsPropertyPage(const CWnd* pWnd)
{
    // Looked up by name: the class lives in the framework's dialog layer.
    for (const CRuntimeClass* pClass = pWnd ? pWnd->GetRuntimeClass() : nullptr; pClass;
         pClass = pClass->GetBaseClass()) {
        if (lstrcmpA(pClass->m_lpszClassName, "CPropertyPage") == 0)
            return true;
    }
    return false;
}

}   // namespace

HFONT CreateUnitControlFont(HWND)
{
    return CreateLibraryFont(FW_BOLD, IDS_UNITEDIT_FONT_FACE);
}

BEGIN_MESSAGE_MAP(JUnitEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_MESSAGE(WM_CLEAR, OnClear)
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDBLCLK()
    ON_CONTROL_REFLECT_EX(EN_MAXTEXT, OnMaxText)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnTextChange)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

JUnitEdit::JUnitEdit() : JUnitEdit(UNIT_TYPE_DISTANCE)
{
}

JUnitEdit::JUnitEdit(UINT unitType)
{
    SetUnitType(unitType);
    SetCaseSensitive(0);
}

JUnitEdit::~JUnitEdit()
{
    // The window goes before the font it shows.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd))
        DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

int JUnitEdit::SetUnitType(UINT unitType)
{
    return UnitValue<JUnitEdit>::SetUnitType(*this, unitType);
}

void JUnitEdit::Init(int loadDefaults)
{
    UnitValue<JUnitEdit>::Init(*this, loadDefaults);
}

double JUnitEdit::GetValue()
{
    TakeUserEdits();
    if (m_bModified && m_bCutShort) {
        m_bModified = m_bCutShort = 0;
        ::MessageBeep((UINT)-1);
    }
    return UnitValue<JUnitEdit>::GetValue(*this);
}

void JUnitEdit::SetValue(double value)
{
    m_bCutShort = 0;
    UnitValue<JUnitEdit>::SetValue(*this, value);
}

void JUnitEdit::TakeUserEdits()
{
    if (m_hWnd && SendMessage(EM_GETMODIFY, 0, 0)) {
        m_bModified = 1;
        SendMessage(EM_SETMODIFY, FALSE, 0);
    }
}

BOOL JUnitEdit::OnMaxText()
{
    if (!m_bSettingText)
        UnitValue<JUnitEdit>::OnCutShort(*this, GetWindowTextLength());
    return FALSE;   // the parent hears of it too
}

BOOL JUnitEdit::OnTextChange()
{
    if (!m_bSettingText)
        UnitValue<JUnitEdit>::OnTextChange(*this, GetWindowTextLength());
    return FALSE;   // the parent hears of it too
}

LRESULT JUnitEdit::OnSetText(WPARAM, LPARAM)
{
    ++m_bSettingText;
    const LRESULT result = Default();
    --m_bSettingText;
    return result;
}

void JUnitEdit::SetLocalUnits(const UINT* primary, const UINT* secondary, const UINT* tertiary)
{
    UnitValue<JUnitEdit>::SetLocalUnits(*this, primary, secondary, tertiary);
}

void JUnitEdit::GetLocalUnits(UINT* primary, UINT* secondary, UINT* tertiary) const
{
    UnitValue<JUnitEdit>::GetLocalUnits(*this, primary, secondary, tertiary);
}

int JUnitEdit::GetDefaultUnits(UINT unitType, UINT* primary, UINT* secondary, UINT* tertiary)
{
    if (IJUnitSettings* pSettings = HostUnitSettings()) {
        const HRESULT hr = pSettings->GetDefaultUnits(unitType, primary, secondary, tertiary);
        pSettings->Release();
        if (SUCCEEDED(hr))
            return 1;
    }
    ::GetDefaultUnits(unitType, primary, secondary, tertiary);
    return 1;
}

int JUnitEdit::GetDefaultUnitFormat(UINT unitType, tagUomFormat* format)
{
    if (IJUnitSettings* pSettings = HostUnitSettings()) {
        const HRESULT hr = pSettings->GetDefaultUnitFormat(unitType, format);
        pSettings->Release();
        if (SUCCEEDED(hr))
            return 1;
    }
    ::GetDefaultUnitFormat(unitType, format);
    return 1;
}

int JUnitEdit::ParseText(UINT unitType, const GUserText& text, double* value, UINT* unitFound)
{
    return UnitValue<JUnitEdit>::ParseText(*this, unitType, text, value, unitFound);
}

int JUnitEdit::Parse()
{
    return UnitValue<JUnitEdit>::Parse(*this);
}

tagUomFormat JUnitEdit::DisplayFormat() const
{
    return UnitValue<JUnitEdit>::DisplayFormat(*this);
}

void JUnitEdit::DisplayUnits(const UINT** primary, const UINT** secondary, const UINT** tertiary) const
{
    UnitValue<JUnitEdit>::DisplayUnits(*this, primary, secondary, tertiary);
}

void JUnitEdit::Display()
{
    SetWindowText(UnitValue<JUnitEdit>::Formatted(*this, m_dValue));
}

void JUnitEdit::OnBadInput()
{
    UnitValue<JUnitEdit>::OnBadInput(*this);
}

LRESULT JUnitEdit::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return UnitValue<JUnitEdit>::NotifyParent(*this, message, wParam, lParam);
}

void JUnitEdit::SendLockingMessage(int lock)
{
    UnitValue<JUnitEdit>::SendLockingMessage(*this, lock);
}

int JUnitEdit::ValidateString(int bEnter)
{
    TakeUserEdits();
    if (!m_bModified) {
        if (bEnter)
            SendLockingMessage(1);
        return 1;
    }
    // A text cut short is refused like a bad one: the entry ends before the message box
    // takes the focus, so that losing it commits nothing.
    const int result = m_bCutShort ? 0 : Parse();
    if (m_bCutShort)
        m_bModified = m_bCutShort = 0;
    if (result == 0) {
        ::MessageBeep((UINT)-1);
        ShowLibraryMessage(IDS_UNITEDIT_INVALID_ENTRY, "The entry is not valid.",
                           MB_ICONINFORMATION | MB_SETFOREGROUND);
    }
    Display();
    if (result == 1) {
        m_bModified = 0;
        SendLockingMessage(1);
        return 1;
    }
    NotifyParent(JUM_BADVALUE, (WPARAM)GetDlgCtrlID(), 0);
    SetFocus();
    return 0;
}

BOOL JUnitEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && (::GetKeyState(VK_CONTROL) & 0x8000)) {
            CWnd* pParent = GetParent();
            return pParent ? pParent->PreTranslateMessage(pMsg) : FALSE;
        }
        // The frame's accelerators work while typing.
        if (CFrameWnd* pFrame = GetTopLevelFrame(); pFrame && pFrame->PreTranslateMessage(pMsg))
            return TRUE;
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
            ValidateString(1);
        else if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && IsPropertyPage(GetParent()))
            ValidateString(0);
        else if (pMsg->message == WM_KEYUP && pMsg->wParam == VK_TAB)
            ValidateString(0);
    }
    return CEdit::PreTranslateMessage(pMsg);
}

int JUnitEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CEdit::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetWindowText("");
    ModifyStyleEx(WS_EX_NOPARENTNOTIFY, 0);

    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = CreateUnitControlFont(m_hWnd);
    if (m_hFont)
        SetFont(m_hFont);
    return 0;
}

void JUnitEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Enter, Tab and Escape commit or leave; they do not change the text.
    if (nChar != VK_RETURN && nChar != VK_TAB && nChar != VK_ESCAPE) {
        m_bModified = 1;
        // A key that replaces the whole text leaves nothing of a text cut before.
        int start = 0, end = 0;
        GetSel(start, end);
        if (start == 0 && end >= GetWindowTextLength())
            m_bCutShort = 0;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void JUnitEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    NotifyParent(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void JUnitEdit::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CEdit::OnKeyUp(nChar, nRepCnt, nFlags);
    switch (nChar) {
    case VK_RETURN:
        // Commits without moving the focus.
        SendMessage(WM_KILLFOCUS, 0, 0);
        break;
    case VK_CLEAR:
    case VK_DELETE:
    case VK_BACK:
        SendMessage(WM_CLEAR, 0, 0);
        break;
    default:
        NotifyParent(WM_KEYUP, nChar, MAKELPARAM(nRepCnt, nFlags));
        break;
    }
}

LRESULT JUnitEdit::OnClear(WPARAM, LPARAM)
{
    // Clear from the context menu deletes the selection; after Delete or Backspace there is none.
    int first = 0, last = 0;
    GetSel(first, last);
    if (first != last)
        Default();
    if (GetWindowTextLength() == 0) {
        m_bModified = m_bCutShort = 0;
        SendMessage(EM_SETMODIFY, FALSE, 0);
        SendLockingMessage(0);
    } else {
        m_bModified = 1;
    }
    return 1;
}

void JUnitEdit::OnKillFocus(CWnd* pNewWnd)
{
    if (!ValidateString(0))
        return;   // the focus is back here already
    const HWND hNew = AfxGetSafeHwnd(pNewWnd);
    if (hNew && ::IsWindow(hNew)) {
        // The parent's handler of the notification may have moved the focus elsewhere.
        if (const HWND hFocus = ::GetFocus(); hFocus != hNew && hFocus != m_hWnd)
            ::SetFocus(hNew);
        CEdit::OnKillFocus(pNewWnd);
    }
}

void JUnitEdit::OnLButtonDblClk(UINT, CPoint)
{
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET, 0, 0);
}
