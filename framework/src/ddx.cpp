// Dialog data exchange: moving values between controls and members, and validating them.
#include "afxwin.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string ReadText(HWND hWnd)
{
    std::string text((size_t)::GetWindowTextLengthA(hWnd) + 1, '\0');
    text.resize((size_t)::GetWindowTextA(hWnd, text.data(), (int)text.size()));
    return text;
}

// The whole text must be the number; blanks around it are allowed.
bool IsAllConsumed(const char* end)
{
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

bool ParseSigned(const std::string& text, long long minVal, long long maxVal, long long& out)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long value = strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || !IsAllConsumed(end) || value < minVal || value > maxVal)
        return false;
    out = value;
    return true;
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseSigned(ReadText(hWnd), minVal, maxVal, parsed))
            return pDX->Fail("Enter a whole number.");
        value = (T)parsed;
    } else {
        char text[32];
        snprintf(text, sizeof text, "%lld", (long long)value);
        ::SetWindowTextA(hWnd, text);
    }
}

}   // namespace

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    if (m_bFailed)
        return nullptr;
    const HWND hWnd = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (!hWnd) {
        m_bFailed = TRUE;   // a missing control is the dialog's fault, not the user's: no prompt
        return nullptr;
    }
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND hWnd = PrepareCtrl(nIDC);
    if (hWnd)
        m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail(LPCSTR lpszPrompt)
{
    if (m_bFailed)
        return;
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || !m_pDlgWnd)
        return;
    if (lpszPrompt) {
        CWinApp* pApp = AfxGetApp();
        ::MessageBoxA(m_pDlgWnd->m_hWnd, lpszPrompt, pApp && pApp->m_pszAppName ? pApp->m_pszAppName : "",
                      MB_OK | MB_ICONEXCLAMATION);
    }
    if (!m_hWndLastControl)
        return;
    // In a dialog WM_NEXTDLGCTL also moves the default button and selects an edit's text.
    ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    if (::GetFocus() != m_hWndLastControl)
        ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ReadText(hWnd).c_str();
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
    } else {
        if (value < BST_UNCHECKED || value > BST_INDETERMINATE)
            value = BST_UNCHECKED;
        ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;   // attached on an earlier pass
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (CWnd::FromHandlePermanent(hWnd) || !rControl.SubclassWindow(hWnd))
        pDX->Fail();   // already another object's
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->HasFailed())
        return;
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString prompt;
            prompt.Format("Enter no more than %d characters.", nChars);
            pDX->Fail(prompt);
        }
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->HasFailed() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        CString prompt;
        prompt.Format("Enter a whole number from %d to %d.", minVal, maxVal);
        pDX->Fail(prompt);
    }
}
