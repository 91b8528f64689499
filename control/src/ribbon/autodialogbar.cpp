// AutoDialogBar: a named dialog bar that sizes itself around the controls it lays out.
#include "jribbonbar.h"

#include "cntlrc.h"
#include "controlexports.h"
#include "module.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(AutoDialogBar, CBaseDialogBar)

BEGIN_MESSAGE_MAP(AutoDialogBar, CBaseDialogBar)
    ON_MESSAGE(JDBM_GETDOCKSIZE, OnDockContextGetSize)
    ON_MESSAGE(JDBM_COLORBUTTONCHANGE, OnColorButtonChange)
    ON_MESSAGE(JDBM_LARGEBUTTONCHANGE, OnLargeButtonChange)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

AutoDialogBar::AutoDialogBar() = default;

AutoDialogBar::~AutoDialogBar() = default;

BOOL AutoDialogBar::Create(CWnd* pParentWnd, UINT nStyle, short nWord, char* lpszHelpFile, DWORD dwHelpContext)
{
    BOOL bMade;
    {
        CResourceSwitch resources(ControlResources());
        bMade = CBaseDialogBar::Create(pParentWnd, IDD_RIBBONBAR, nStyle, (UINT)GetNextBarID(), 0, lpszHelpFile,
                                       dwHelpContext);
    }
    m_nCreationWord = nWord;
    return bMade;
}

CString AutoDialogBar::GetCaption() const
{
    CString text;
    if (m_hWnd)
        GetWindowText(text);
    return text;
}

void AutoDialogBar::SetCaption(LPCSTR lpszCaption)
{
    if (m_hWnd)
        SetWindowText(lpszCaption ? lpszCaption : "");
}

void AutoDialogBar::AddControl(CWnd* pControl)
{
    if (pControl)
        m_arrControls.Add(pControl);
}

void AutoDialogBar::DeleteControl(CWnd* pControl)
{
    for (INT_PTR i = 0; i < m_arrControls.GetSize(); ++i)
        if (m_arrControls[i] == pControl) {
            m_arrControls.RemoveAt(i);
            return;
        }
}

CSize AutoDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const CSize base = CDialogBar::CalcFixedLayout(bStretch, bHorz);
    const int border = (int)GetDefaultBorder();
    m_nLayoutWidth = m_nLayoutHeight = m_nBorderHeight = m_nBorderWidth = 2 * border;
    if (!IsFloating() && m_bShowCaption) {
        m_nBorderHeight += kCaptionHeight;
        m_nLayoutHeight += kCaptionHeight;
    }
    const INT_PTR count = m_arrControls.GetSize();
    std::vector<CSize> sizes;
    for (INT_PTR i = 0; i < count; ++i) {
        auto* pControl = static_cast<CWnd*>(m_arrControls[i]);
        CRect rect(0, 0, 0, 0);
        if (pControl && pControl->m_hWnd)
            pControl->GetWindowRect(rect);
        sizes.push_back(rect.Size());
        if (m_bAddControlsToRight) {
            m_nLayoutWidth += rect.Width();
            m_nLayoutHeight = std::max(m_nLayoutHeight, m_nBorderHeight + rect.Height());
        } else {
            m_nLayoutHeight += rect.Height();
            m_nLayoutWidth = std::max(m_nLayoutWidth, m_nBorderWidth + rect.Width());
        }
    }
    CSize result(m_nLayoutWidth, m_nLayoutHeight);
    if (bStretch)
        result = bHorz ? CSize(base.cx, m_nLayoutHeight) : CSize(m_nLayoutWidth, base.cy);

    if (count != m_nPrevControlCount || count == 0) {
        const INT_PTR nBefore = m_nPrevControlCount;
        m_nPrevControlCount = (short)count;
        if (count > 0 && (nBefore == 0 || count < nBefore)) {
            // The first controls, or fewer than before: the sizes are the layout's (growing
            // them would make a bar that lost a control larger). Floating, the layout holds no
            // caption strip to take off.
            m_sizeDefault = result;
            m_sizeFloat = result;
            m_sizeFloat.cy -= m_nBorderHeight - 2 * border;
            m_bStateChanged = TRUE;
        } else if (count > 0) {
            // Controls added: they grow the sizes, a floating size the user gave included.
            for (INT_PTR i = nBefore; i < count; ++i) {
                const CSize added = sizes[(size_t)i];
                if (m_bAddControlsToRight) {
                    m_sizeDefault.cy = std::max((int)m_sizeDefault.cy, m_nBorderHeight + (int)added.cy);
                    m_sizeFloat.cy = std::max((int)m_sizeFloat.cy, m_nBorderHeight + (int)added.cy);
                    m_sizeDefault.cx += added.cx;
                    m_sizeFloat.cx += added.cx;
                } else {
                    m_sizeDefault.cx = std::max((int)m_sizeDefault.cx, m_nBorderWidth + (int)added.cx);
                    m_sizeFloat.cx = std::max((int)m_sizeFloat.cx, m_nBorderWidth + (int)added.cx);
                    m_sizeDefault.cy += added.cy;
                    m_sizeFloat.cy += added.cy;
                }
            }
            m_bStateChanged = TRUE;
        }
        m_sizeTrack = count ? m_sizeFloat : CSize(0, 0);
    }
    if (IsFloating() && HasStateChanged(TRUE))
        UpdateControlsPosition(0, 0, FALSE);
    return result;
}

LRESULT AutoDialogBar::OnDockContextGetSize(WPARAM, LPARAM lParam)
{
    if (auto* pSize = reinterpret_cast<SIZE*>(lParam))
        *pSize = CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    return 1;
}

LRESULT AutoDialogBar::OnColorButtonChange(WPARAM, LPARAM)
{
    return 1;
}

LRESULT AutoDialogBar::OnLargeButtonChange(WPARAM, LPARAM)
{
    return 1;
}

void AutoDialogBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CControlBar::OnLButtonDown(nFlags, point);
}
