// JDialogBar's keys: Tab and Shift+Tab across its own controls and its sections.
#include "jribbonbar.h"

#include <vector>

namespace {

bool IsClass(HWND hWnd, LPCSTR lpszClass)
{
    char name[32] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return lstrcmpiA(name, lpszClass) == 0;
}

// The tab stops among a container's own children (not those of its sections), in z-order.
std::vector<HWND> TabStops(HWND hContainer)
{
    std::vector<HWND> stops;
    for (HWND hChild = ::GetTopWindow(hContainer); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(hChild, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED) && !IsClass(hChild, "#32770"))
            stops.push_back(hChild);
    }
    return stops;
}

// Known by what it answers, not by its class name: the unit combo boxes are superclasses.
bool IsComboBox(HWND hWnd)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return hWnd && ::GetComboBoxInfo(hWnd, &info);
}

void FocusStop(HWND hStop)
{
    ::SetFocus(hStop);
    if (::SendMessageA(hStop, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageA(hStop, EM_SETSEL, 0, -1);
    else if (IsComboBox(hStop))
        ::SendMessageA(hStop, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

}   // namespace

BOOL JDialogBar::ProcessTab(BOOL bBackwards)
{
    const HWND hFocus = ::GetFocus();
    if (!m_hWnd || !hFocus || !::IsChild(m_hWnd, hFocus))
        return FALSE;
    // An edit inside a combo box counts as the combo box.
    HWND hControl = hFocus;
    if (HWND hParent = ::GetParent(hFocus); IsComboBox(hParent))
        hControl = hParent;
    if (::SendMessageA(hFocus, WM_GETDLGCODE, 0, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
        return FALSE;
    if (::GetKeyState(VK_CONTROL) < 0)
        return FALSE;

    const HWND hContainer = ::GetParent(hControl);
    const std::vector<HWND> stops = TabStops(hContainer);
    int at = -1;
    for (int i = 0; i < (int)stops.size(); ++i)
        if (stops[i] == hControl)
            at = i;
    if (at >= 0 && (bBackwards ? at > 0 : at + 1 < (int)stops.size())) {
        FocusStop(stops[bBackwards ? at - 1 : at + 1]);
        return TRUE;
    }

    // The neighbouring container: the bar itself, then the sections, round and round.
    std::vector<HWND> containers;
    if (!TabStops(m_hWnd).empty())
        containers.push_back(m_hWnd);
    for (int i = 0; i < GetDialogCount(); ++i)
        if (HWND hSection = GetDialogInfo(i)->pDialog->m_hWnd; hSection && !TabStops(hSection).empty())
            containers.push_back(hSection);
    if (containers.empty())
        return FALSE;
    int current = -1;
    for (int i = 0; i < (int)containers.size(); ++i)
        if (containers[i] == hContainer)
            current = i;
    const int count = (int)containers.size();
    const int next = current < 0 ? 0 : (current + (bBackwards ? count - 1 : 1)) % count;
    const std::vector<HWND> target = TabStops(containers[next]);
    FocusStop(bBackwards ? target.back() : target.front());
    return TRUE;
}

BOOL JDialogBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB && ProcessTab(::GetKeyState(VK_SHIFT) < 0))
        return TRUE;
    return CBaseDialogBar::PreTranslateMessage(pMsg);
}
