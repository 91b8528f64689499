// CToolBarCtrl and CToolBar: the common toolbar control, and a bar over it that
// wraps its buttons into rows for each docked or floating layout.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

namespace {

constexpr int kSeparatorWidth = 8;   // the control's width for separators without one

// Updates a button from command-UI handlers.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn)
            nStyle = (nStyle | TBBS_DISABLED) & ~TBBS_PRESSED;   // a disabled button cannot stay pressed
        pBar->SetButtonStyle((int)m_nIndex, nStyle);
    }
    void SetCheck(int nCheck) override
    {
        auto* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nStyle |= TBBS_INDETERMINATE;
        // Only check boxes show a checked state.
        pBar->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCSTR) override {}   // buttons keep their labels
};

// Rows for a wrap width: which buttons end a row, how many rows, the widest row.
struct WrapPlan {
    std::vector<bool> wraps;
    int rows = 0;
    int width = 0;
};

// nWidth < 0: one row; 0: one button per row.
WrapPlan PlanRows(const std::vector<int>& widths, const std::vector<bool>& separators, int nWidth)
{
    WrapPlan plan;
    plan.wraps.assign(widths.size(), false);
    int x = 0;
    int last = -1;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (widths[i] == 0)
            continue;   // hidden
        const bool full = nWidth == 0 || (nWidth > 0 && x + widths[i] > nWidth);
        if (last >= 0 && full) {
            if (separators[i]) {
                // A separator that does not fit ends the row itself.
                plan.wraps[i] = true;
                plan.width = std::max(plan.width, x);
                ++plan.rows;
                x = 0;
                last = -1;
                continue;
            }
            plan.wraps[(size_t)last] = true;
            plan.width = std::max(plan.width, x);
            ++plan.rows;
            x = 0;
        }
        x += widths[i];
        last = (int)i;
    }
    if (x > 0) {
        plan.width = std::max(plan.width, x);
        ++plan.rows;
    }
    return plan;
}

}   // namespace

CToolBar::CToolBar()
{
    m_cxLeftBorder = m_cxRightBorder = 1;
    m_cyTopBorder = m_cyBottomBorder = 1;
}

CToolBar::~CToolBar()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                    nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetBorders(rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bar lays the control out; the control only draws and tracks its buttons.
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | (dwCtrlStyle & 0xFFFF) | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NODIVIDER | CCS_NORESIZE;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWndStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    // Commands and notifications come to the bar, which hands them to its owner.
    SendMessage(TB_SETPARENT, (WPARAM)m_hWnd);
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (!m_hWnd)
        return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    if (m_dwStyle & CBRS_BORDER_TOP)
        cyHeight -= 2;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        cyHeight -= 2;
    m_cyBottomBorder = std::max(0, (cyHeight - (int)m_sizeButton.cy) / 2);
    m_cyTopBorder = std::max(0, cyHeight - (int)m_sizeButton.cy - m_cyBottomBorder);
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CToolBar::LoadBitmap(UINT nIDResource)
{
    HBITMAP hbm = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (!hbm)
        return FALSE;
    // The bar owns the bitmap only once it took it.
    if (!SetBitmap(hbm)) {
        ::DeleteObject(hbm);
        return FALSE;
    }
    return TRUE;
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    if (!m_hWnd || !hbmImageWell)
        return FALSE;
    BITMAP bm{};
    ::GetObjectA(hbmImageWell, sizeof(bm), &bm);
    const int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    BOOL bResult;
    if (!m_bImagesAdded) {
        TBADDBITMAP tbab = {nullptr, (UINT_PTR)hbmImageWell};
        bResult = SendMessage(TB_ADDBITMAP, (WPARAM)nImages, (LPARAM)&tbab) != -1;
        m_bImagesAdded = bResult;
    } else {
        TBREPLACEBITMAP tbrb = {nullptr, (UINT_PTR)m_hbmImageWell, nullptr, (UINT_PTR)hbmImageWell, nImages};
        bResult = (BOOL)SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&tbrb);
    }
    if (!bResult)
        return FALSE;
    if (m_hbmImageWell && m_hbmImageWell != hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmImageWell;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    return SetButtons(lpIDArray, nIDCount, nullptr);
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, const BYTE* lpStates)
{
    std::vector<TBBUTTON> buttons;
    int iImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button{};
        button.fsState = lpStates ? lpStates[i] : (BYTE)TBSTATE_ENABLED;
        button.iString = -1;
        const UINT nID = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (nID == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = (int)nID;
            button.iBitmap = iImage++;
        }
        buttons.push_back(button);
    }
    // The same buttons again only lose their states: the control need not lay
    // out and register every button anew.
    if (!ResetButtons(buttons)) {
        while (SendMessage(TB_DELETEBUTTON, 0))
            ;
        if (!buttons.empty() && !SendMessage(TB_ADDBUTTONSA, buttons.size(), (LPARAM)buttons.data())) {
            m_nCount = (int)SendMessage(TB_BUTTONCOUNT);
            return FALSE;
        }
    }
    m_nCount = (int)SendMessage(TB_BUTTONCOUNT);
    return TRUE;
}

bool CToolBar::ResetButtons(const std::vector<TBBUTTON>& buttons)
{
    if ((size_t)SendMessage(TB_BUTTONCOUNT) != buttons.size() || buttons.empty())
        return false;
    std::vector<TBBUTTON> now;
    for (size_t i = 0; i < buttons.size(); ++i) {
        now.push_back(GetButton((int)i));
        const TBBUTTON& fresh = buttons[i];
        const bool bSeparator = (fresh.fsStyle & TBSTYLE_SEP) != 0;
        if (now[i].idCommand != fresh.idCommand || bSeparator != ((now[i].fsStyle & TBSTYLE_SEP) != 0) ||
            now[i].iString != fresh.iString || (bSeparator && now[i].iBitmap != fresh.iBitmap))
            return false;
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TBBUTTON& fresh = buttons[i];
        if (now[i].fsStyle == fresh.fsStyle && now[i].fsState == fresh.fsState && now[i].iBitmap == fresh.iBitmap)
            continue;
        TBBUTTONINFOA info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE | ((fresh.fsStyle & TBSTYLE_SEP) ? 0 : TBIF_IMAGE);
        info.fsStyle = fresh.fsStyle;
        info.fsState = fresh.fsState;
        info.iImage = fresh.iBitmap;
        SendMessage(TB_SETBUTTONINFOA, (WPARAM)i, (LPARAM)&info);
    }
    return true;
}

TBBUTTON CToolBar::GetButton(int nIndex) const
{
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, (WPARAM)nIndex, (LPARAM)&button);
    return button;
}

void CToolBar::SetButtonState(int nIndex, BYTE fsStyle, BYTE fsState)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = fsStyle;
    info.fsState = fsState;
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)SendMessage(TB_COMMANDTOINDEX, nIDFind);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    const TBBUTTON button = GetButton(nIndex);
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    const TBBUTTON button = GetButton(nIndex);
    // TBBS_DISABLED is the control's ENABLED state turned round.
    return MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    // The whole style, row break included: callers read, change and write it back.
    const UINT nOld = GetButtonStyle(nIndex);
    if (nStyle == nOld)
        return;
    nStyle ^= TBBS_DISABLED;
    SetButtonState(nIndex, (BYTE)LOWORD(nStyle), (BYTE)HIWORD(nStyle));
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    const TBBUTTON button = GetButton(nIndex);
    nID = (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState) ^ TBBS_DISABLED;
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button = GetButton(nIndex);
    const UINT nNew = nStyle ^ TBBS_DISABLED;
    const bool wasSeparator = (button.fsStyle & TBSTYLE_SEP) != 0;
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    button.fsStyle = (BYTE)LOWORD(nNew);
    button.fsState = (BYTE)((HIWORD(nNew) & ~TBSTATE_WRAP) | (button.fsState & TBSTATE_WRAP));
    // A separator's image is its width, which only a new button takes.
    if (wasSeparator || (button.fsStyle & TBSTYLE_SEP)) {
        SendMessage(TB_DELETEBUTTON, (WPARAM)nIndex);
        SendMessage(TB_INSERTBUTTONA, (WPARAM)nIndex, (LPARAM)&button);
        return;
    }
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE | TBIF_STYLE | TBIF_STATE;
    info.idCommand = button.idCommand;
    info.iImage = button.iBitmap;
    info.fsStyle = button.fsStyle;
    info.fsState = button.fsState;
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCSTR lpszText)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
    return (BOOL)SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
}

CString CToolBar::GetButtonText(int nIndex) const
{
    char text[256] = "";
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
    info.pszText = text;
    info.cchText = (int)sizeof(text);
    if (SendMessage(TB_GETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info) < 0)
        return CString();
    return CString(text);
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const
{
    // CToolBarCtrl adds no data to CWnd: it is this window's control interface.
    return *reinterpret_cast<CToolBarCtrl*>(const_cast<CToolBar*>(this));
}

void CToolBar::MeasureItems(const std::vector<TBBUTTON>& buttons, std::vector<int>& widths,
                            std::vector<bool>& separators) const
{
    const size_t count = buttons.size();
    widths.assign(count, 0);
    separators.assign(count, false);
    for (size_t i = 0; i < count; ++i) {
        const TBBUTTON& button = buttons[i];
        separators[i] = (button.fsStyle & TBSTYLE_SEP) != 0;
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        GetItemRect((int)i, rect);
        if (button.fsStyle & TBSTYLE_SEP) {
            // A separator ending a row is laid across it; its own width is its image number.
            widths[i] = (button.fsState & TBSTATE_WRAP) || rect.Width() <= 0
                            ? (button.iBitmap > 0 ? button.iBitmap : kSeparatorWidth)
                            : rect.Width();
        } else {
            widths[i] = std::max<int>(1, rect.Width());
        }
    }
}

void CToolBar::WrapButtons(std::vector<TBBUTTON>& buttons, const std::vector<int>& widths,
                           const std::vector<bool>& separators, int nWidth)
{
    const WrapPlan plan = PlanRows(widths, separators, nWidth);
    for (size_t i = 0; i < buttons.size(); ++i) {
        TBBUTTON& button = buttons[i];
        const BYTE state = (BYTE)((button.fsState & ~TBSTATE_WRAP) | (plan.wraps[i] ? TBSTATE_WRAP : 0));
        if (state == button.fsState)
            continue;
        SetButtonState((int)i, button.fsStyle, state);
        button.fsState = state;
    }
}

CSize CToolBar::ButtonsExtent(const std::vector<TBBUTTON>& buttons) const
{
    CSize extent;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TBBUTTON& button = buttons[i];
        if (button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        GetItemRect((int)i, rect);
        // A separator laid across a row break spans whatever width the control has.
        if (!(button.fsStyle & TBSTYLE_SEP) || !(button.fsState & TBSTATE_WRAP))
            extent.cx = std::max(extent.cx, rect.right);
        extent.cy = std::max(extent.cy, rect.bottom);
    }
    return extent;
}

CSize CToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    const BOOL bHorz = (dwMode & (LM_HORZ | LM_HORZDOCK)) != 0;
    CRect inside;
    CalcInsideRect(inside, bHorz);
    const CSize insets(-inside.Width(), -inside.Height());
    const int count = (int)SendMessage(TB_BUTTONCOUNT);

    std::vector<TBBUTTON> buttons((size_t)count);
    std::vector<BYTE> saved((size_t)count);
    for (int i = 0; i < count; ++i) {
        buttons[(size_t)i] = GetButton(i);
        saved[(size_t)i] = buttons[(size_t)i].fsState;
    }
    const bool bQuery = nLength >= 0 && !(dwMode & LM_COMMIT);

    if (!(m_dwStyle & CBRS_SIZE_FIXED) && count > 0) {
        const bool bDynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        std::vector<int> widths;
        std::vector<bool> separators;
        MeasureItems(buttons, widths, separators);
        int nWidth;
        if (dwMode & LM_VERTDOCK)
            nWidth = 0;
        else if (dwMode & LM_HORZDOCK)
            nWidth = -1;
        else if (bDynamic && (dwMode & LM_MRUWIDTH))
            nWidth = m_nMRUWidth - m_cxMRUInsets;
        else if (bDynamic && nLength >= 0 && (dwMode & LM_LENGTHY)) {
            // The narrowest rows that fit the height.
            const int cyRow = std::max<int>(1, HIWORD(SendMessage(TB_GETBUTTONSIZE)));
            const int maxRows = std::max(1, (nLength - (int)insets.cy) / cyRow);
            int total = 0;
            for (int w : widths)
                total += w;
            nWidth = total;
            for (int w = 1; w < total; ++w) {
                if (PlanRows(widths, separators, w).rows <= maxRows) {
                    nWidth = w;
                    break;
                }
            }
        } else if (bDynamic && nLength >= 0)
            nWidth = nLength - insets.cx;
        else if (bDynamic && IsFloating())
            nWidth = m_nMRUWidth - m_cxMRUInsets;
        else
            nWidth = (dwMode & LM_HORZ) ? -1 : 0;
        // A row holds at least one button, however narrow the request.
        if (nWidth == 0 && !(dwMode & LM_VERTDOCK) && (dwMode & LM_HORZ))
            nWidth = 1;
        WrapButtons(buttons, widths, separators, nWidth);
    }

    CSize size = ButtonsExtent(buttons);
    size.cx += insets.cx;
    size.cy += insets.cy;
    const CSize fixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
    size.cx = std::max(size.cx, fixed.cx);
    size.cy = std::max(size.cy, fixed.cy);

    if (bQuery) {
        // Only asked: the buttons keep the rows they had.
        for (int i = 0; i < count; ++i) {
            const TBBUTTON& button = buttons[(size_t)i];
            if (button.fsState != saved[(size_t)i])
                SetButtonState(i, button.fsStyle, saved[(size_t)i]);
        }
    }
    if ((dwMode & LM_COMMIT) && bHorz) {
        m_nMRUWidth = size.cx;
        m_cxMRUInsets = insets.cx;
    }
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const DWORD dwMode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    return CalcLayout(dwMode, -1);
}

CSize CToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        const TBBUTTON button = GetButton((int)state.m_nIndex);
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int count = (int)SendMessage(TB_BUTTONCOUNT);
    for (int i = 0; i < count; ++i) {
        const TBBUTTON button = GetButton(i);
        if (button.fsStyle & TBSTYLE_SEP || button.fsState & TBSTATE_HIDDEN)
            continue;
        CRect rect;
        GetItemRect(i, rect);
        if (!rect.PtInRect(point))
            continue;
        if (pTI) {
            pTI->hwnd = m_hWnd;
            pTI->uId = (UINT_PTR)button.idCommand;
            pTI->rect = rect;
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return button.idCommand;
    }
    return -1;
}

void CToolBar::OnPaint()
{
    Default();
}

BOOL CToolBar::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMTBCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (pDraw->nmcd.uItemState & CDIS_SELECTED)) {
        // The control draws a pressed flat button almost as a hot one (with a visual style, the
        // same highlight): a pressed one sinks into a face half-way to the shadow colour, inside
        // a sunken edge, and the control adds only its picture.
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE), shadow = ::GetSysColor(COLOR_BTNSHADOW);
        const COLORREF sunk = RGB((GetRValue(face) + GetRValue(shadow)) / 2, (GetGValue(face) + GetGValue(shadow)) / 2,
                                  (GetBValue(face) + GetBValue(shadow)) / 2);
        CRect rect(pDraw->nmcd.rc);
        const COLORREF old = ::SetBkColor(pDraw->nmcd.hdc, sunk);
        ::ExtTextOutA(pDraw->nmcd.hdc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
        ::SetBkColor(pDraw->nmcd.hdc, old);
        ::DrawEdge(pDraw->nmcd.hdc, rect, BDR_SUNKENOUTER, BF_RECT);
        *pResult = TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES;
    }
    return FALSE;   // the owner may draw too: its answer replaces this one
}
