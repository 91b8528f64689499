// CDialogBar: a control bar whose window is a dialog made from a template.
#include "afxwin.h"
#include "wndmap.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
END_MESSAGE_MAP()

namespace {

constexpr DWORD kNotInABar = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | DS_MODALFRAME;

// A copy of the template that makes a hidden child, whatever the template's own style.
// DWORDs keep the copy aligned as CreateDialogIndirect wants it.
std::vector<DWORD> ChildTemplate(const void* pTemplate, DWORD cbTemplate)
{
    std::vector<DWORD> copy((cbTemplate + sizeof(DWORD) - 1) / sizeof(DWORD));
    ::CopyMemory(copy.data(), pTemplate, cbTemplate);
    auto* words = reinterpret_cast<WORD*>(copy.data());
    const bool extended = cbTemplate >= 16 && words[0] == 1 && words[1] == 0xFFFF;
    // DLGTEMPLATEEX: version, signature, help ID and extended style come before the style.
    DWORD* pStyle = extended ? &copy[3] : &copy[0];
    *pStyle = (*pStyle & ~kNotInABar) | WS_CHILD | WS_CLIPSIBLINGS | DS_CONTROL;
    return copy;
}

}   // namespace

CDialogBar::CDialogBar()
{
    // The template lays its controls out itself; only the CBRS_BORDER_ lines are added.
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd || !lpszTemplateName)
        return FALSE;
    LPCSTR rtDialog = MAKEINTRESOURCEA(5);
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, rtDialog);
    HRSRC hResource = hInst ? ::FindResourceA(hInst, lpszTemplateName, rtDialog) : nullptr;
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
    const void* pTemplate = hTemplate ? ::LockResource(hTemplate) : nullptr;
    const DWORD cbTemplate = hResource ? ::SizeofResource(hInst, hResource) : 0;
    if (!pTemplate || cbTemplate < sizeof(DLGTEMPLATE))
        return FALSE;

    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
    } else {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
    m_dwStyle = nStyle & CBRS_ALL;
    const std::vector<DWORD> childTemplate = ChildTemplate(pTemplate, cbTemplate);
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATEA>(childTemplate.data()),
                                                   pParentWnd->m_hWnd, nullptr, 0);
    const BOOL attached = AfxUnhookWindowCreate();
    if (hWnd && !attached)
        ::DestroyWindow(hWnd);   // never reached this object: not ours to keep
    if (!hWnd || !attached)
        return FALSE;

    SetDlgCtrlID((int)nID);
    CRect rect;
    GetWindowRect(rect);
    m_sizeDefault = rect.Size();
    // The frame's layout gives the bar its place.
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | ((nStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : 0));
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    CSize size(m_sizeDefault.cx - inside.Width(), m_sizeDefault.cy - inside.Height());
    if (bStretch && bHorz)
        size.cx = 32767;
    else if (bStretch)
        size.cy = 32767;
    return size;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg)
{
    if (CControlBar::PreTranslateMessage(pMsg))
        return TRUE;
    if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    // The dialog keys would swallow the frames' accelerators: those come first.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pFrame = pOwner && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    for (; pFrame; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

LRESULT CDialogBar::OnInitDialog(WPARAM, LPARAM)
{
    return FALSE;
}
