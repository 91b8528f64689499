// JMacroListBox: the macro files of the buttons page, from which a macro button
// is dragged onto a toolbar.
#include "cntlrc.h"
#include "jbuttonspage.h"
#include "jenvmanager.h"
#include "macrohostlibrary.h"
#include "module.h"

IMPLEMENT_DYNAMIC(JMacroListBox, CListBox)

BEGIN_MESSAGE_MAP(JMacroListBox, CListBox)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

const char kDefaultMacroFilter[] = "Macro Files (*.jmac)|*.jmac|All Files (*.*)|*.*||";

}   // namespace

void JMacroListBox::FindMacroDirectory()
{
    // Asked once: the macro host makes its folder the current one for the host's value.
    static bool s_bAsked = false;
    if (s_bAsked)
        return;
    s_bAsked = true;
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    const long value = pInfo && pInfo->m_pAppInfo ? pInfo->m_pAppInfo->GetMacroDirectoryValue() : 0;
    if (value == 0)
        return;
    MacroHostLibrary host;
    if (auto getDirectory = host.Find<PFN_GETMACRODIRECTORY>("GetMacroDirectory")) {
        char directory[MAX_PATH] = "";
        getDirectory(value, directory);
    }
}

std::vector<CString> JMacroListBox::Patterns(const char* lpszFilter)
{
    CString filter = lpszFilter ? lpszFilter : "";
    if (filter.Find('*') < 0)
        filter = LibraryText(IDS_MACRO_FILE_FILTER, kDefaultMacroFilter);
    std::vector<CString> patterns;
    int at = filter.Find('*');
    // From the first '*', patterns separated by ';', up to the ')' that closes them.
    while (at >= 0 && at < filter.GetLength()) {
        int end = at;
        while (end < filter.GetLength() && filter[end] != ';' && filter[end] != ')' && filter[end] != '|')
            ++end;
        CString pattern = filter.Mid(at, end - at);
        pattern.Trim();
        if (!pattern.IsEmpty())
            patterns.push_back(pattern);
        if (end >= filter.GetLength() || filter[end] != ';')
            break;
        at = end + 1;
    }
    return patterns;
}

void JMacroListBox::Fill(const char* lpszFilter, CWnd* pDirText)
{
    if (!m_hWnd)
        return;
    char directory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof directory, directory);
    m_strDirectory = directory;
    m_strDirectory.MakeLower();
    if (pDirText)
        pDirText->SetWindowText(m_strDirectory);
    // The short form of the folder keeps long folder names within what LB_DIR takes.
    CString listed = m_strDirectory;
    char shortPath[MAX_PATH] = "";
    const DWORD n = ::GetShortPathNameA(m_strDirectory, shortPath, sizeof shortPath);
    if (n > 0 && n < sizeof shortPath)
        listed = shortPath;
    if (!listed.IsEmpty() && listed[listed.GetLength() - 1] != '\\')
        listed += '\\';
    SendMessage(WM_SETREDRAW, FALSE);
    ResetContent();
    for (const CString& pattern : Patterns(lpszFilter)) {
        const CString spec = listed + pattern;
        SendMessage(LB_DIR, 0, (LPARAM)(LPCSTR)spec);
    }
    // Patterns that overlap list a file twice: the first stays (a sorted list has
    // the two side by side).
    const bool sorted = (GetStyle() & LBS_SORT) != 0;
    for (int i = GetCount() - 1; i > 0; --i) {
        CString here;
        GetText(i, here);
        if (sorted) {
            CString before;
            GetText(i - 1, before);
            if (here.CompareNoCase(before) == 0)
                DeleteString((UINT)i);
        } else if (FindStringExact(-1, here) < i) {
            DeleteString((UINT)i);
        }
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
}

CString JMacroListBox::GetSelectedPath() const
{
    const int selected = GetCurSel();
    if (selected == LB_ERR)
        return CString();
    CString name;
    GetText(selected, name);
    CString path = m_strDirectory;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path + name;
}

void JMacroListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonDown(nFlags, point);
    if (GetCurSel() == LB_ERR || !m_pToolbar || !m_pToolbar->m_hWnd)
        return;
    // The press goes on as a drag of the macro button, from where it was made.
    CPoint at = point;
    ClientToScreen(&at);
    m_pToolbar->ScreenToClient(&at);
    m_pToolbar->m_ptDrag = at;
    m_pToolbar->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(at.x, at.y));
}
