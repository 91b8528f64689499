// JColorPicker: the wells, their layout and growth, and the current colour.
#include "colorlist.h"

#include "baseutil.h"
#include "cntlrc.h"
#include "jcontrolinfo.h"
#include "jenvmanager.h"
#include "module.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(JColorPicker, CWnd)

namespace {

const COLORREF kStandard[18] = {0x000000, 0xFFFFFF, 0xC0C0C0, 0x949494, 0x808080, 0x3F3F3F,
                                0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,
                                0x000080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080};
const char* const kStandardNames[18] = {"Black",  "White",  "Light Gray", "Gray", "Dark Gray", "Charcoal",
                                        "Red",    "Yellow", "Green",      "Cyan", "Blue",      "Magenta",
                                        "Maroon", "Olive",  "Dark Green", "Teal", "Navy",      "Purple"};
const int kStandardCount = 18;

}   // namespace

CString StandardColorName(int index)
{
    return LibraryText(IDS_COLOR_NAME_FIRST + index, kStandardNames[index]);
}

COLORREF StandardColor(int index)
{
    return kStandard[index];
}

JColorPicker::JColorPicker()
{
    Init();
}

JColorPicker::JColorPicker(const char* pickerName)
{
    Init();
    if (pickerName)
        m_strPickerName = pickerName;
}

void JColorPicker::Init()
{
    m_cxWell = m_cyWell = 19;
    m_nColumns = 6;
    m_nWells = 30;
    m_nMargin = 2;
    m_cxGap = m_cyGap = 1;
    m_cyText = 19;
    m_nTextGap = 5;
    m_nLastCustom = 29;
    m_bGrowPalette = 1;
    m_nCustomWells = 12;
    m_bAdjustPalette = 1;
    m_nAdjustOnRow = 16;
    m_nAdjustColumnsBy = 1;
    m_strNoFill = LibraryText(IDS_COLOR_NOFILL, "No Fill");
}

JColorPicker::~JColorPicker()
{
    if (!m_strRegistryName.IsEmpty())
        SaveColors(m_strRegistryName);
    if (m_hWnd)
        DestroyWindow();
    if (m_hFont)
        ::DeleteObject(m_hFont);
    if (m_pDocument)
        m_pDocument->Release();
}

CString JColorPicker::EmptyText() const
{
    return LibraryText(IDS_COLOR_EMPTY, "Empty");
}

const COLOR_INFO* JColorPicker::GetButton(int index) const
{
    return index >= 0 && index < (int)m_buttons.size() ? &m_buttons[index] : nullptr;
}

void JColorPicker::SetRegistryName(const char* name)
{
    m_strRegistryName = name ? CString(name).Left(1023) : CString();
}

void JColorPicker::GetRegistryName(char* buffer, unsigned cbBuffer) const
{
    if (buffer && cbBuffer)
        lstrcpynA(buffer, m_strRegistryName, (int)cbBuffer);
}

void JColorPicker::SetColorPickerName(const char* name)
{
    m_strPickerName = name ? name : "";
    m_strRegistryName.Empty();
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    GUserText root;
    if (!pInfo || !pInfo->MakeRegistryPath(nullptr, "CustomColors", root))
        return;
    // The environment's own key, the same on the first run as on later ones: before any
    // environment was stored, the host's settings key stood in for it, and colours kept
    // there are moved over once.
    const CString suffix = m_strPickerName.IsEmpty() ? CString() : "\\" + m_strPickerName;
    SetRegistryName(CString(root.Text()) + suffix);
    const GUserText former = pInfo->GetRegistryNameWithEnv();
    if (!former.IsEmpty())
        MoveStoredColorList(CString(former.Text()) + "\\CustomColors" + suffix, m_strRegistryName);
}

CString JColorPicker::DocumentSection() const
{
    return m_strPickerName.IsEmpty() ? CString("ColorPicker") : m_strPickerName;
}

void JColorPicker::ChangeNoFillText(const char* text)
{
    m_strNoFill = text ? text : "";
    for (COLOR_INFO& button : m_buttons)
        if (button.color == JCP_COLOR_NOFILL)
            button.name = m_strNoFill;
    if (m_hWnd)
        Invalidate(FALSE);
}

int JColorPicker::PointOnBorders(const CRect& rect, CPoint point)
{
    if (!rect.PtInRect(point))
        return 0;
    int where = 0;
    if (point.x < rect.left + 3)
        where |= 1;
    if (point.y < rect.top + 3)
        where |= 2;
    if (point.x >= rect.right - 3)
        where |= 16;
    if (point.y >= rect.bottom - 3)
        where |= 32;
    return where;
}

CSize JColorPicker::CalcFixedLayout()
{
    const int rows = (m_nWells + m_nColumns - 1) / std::max(1, m_nColumns);
    CSize size(m_cxWell * m_nColumns + 2 * m_nMargin + (m_nColumns - 1) * m_cxGap,
               m_cyWell * rows + 2 * m_nMargin + m_cyGap * (rows - 1));
    for (DWORD bit : {JCP_NOFILL, JCP_MORECOLORS, JCP_PREVIEW})
        if (m_dwPickerStyle & bit)
            size.cy += m_nTextGap + m_cyText;
    return size;
}

int JColorPicker::Widen(int rows, int merged, bool* pAdjusted)
{
    for (int guard = 0; rows >= m_nAdjustOnRow && guard < 256; ++guard) {
        m_nColumns = m_nAdjustColumnsBy > 0 ? m_nColumns + m_nAdjustColumnsBy : m_nColumns * 2;
        rows = (m_nWells + merged) / m_nColumns;
        *pAdjusted = true;
    }
    return rows;
}

void JColorPicker::ComputeAndAdjustColorWells()
{
    if (m_strRegistryName.IsEmpty())
        SetColorPickerName(m_strPickerName);
    if (m_strRegistryName.IsEmpty())
        return;
    LoadColorPickerSettings(m_strRegistryName);
    const int merged = m_bGrowPalette ? MergeColorCount(m_strRegistryName) : 0;
    int rows = (m_nWells + 2 * m_nColumns + merged) / m_nColumns;
    bool adjusted = false;
    if (m_bAdjustPalette && rows >= m_nAdjustOnRow)
        rows = Widen(rows, merged, &adjusted);
    if (m_bGrowPalette) {
        const int need = merged + 2 * m_nColumns + ((m_dwPickerStyle & JCP_NOFILL) ? 1 : 0);
        int wells = m_nColumns * rows;
        while (wells - need > 2 * m_nColumns)
            wells -= m_nColumns;
        wells += m_nColumns;
        m_nWells = wells;
        rows = wells / m_nColumns;
        if (m_bAdjustPalette && rows >= m_nAdjustOnRow) {
            for (int guard = 0; rows >= m_nAdjustOnRow && guard < 256; ++guard) {
                m_nColumns = m_nAdjustColumnsBy > 0 ? m_nColumns + m_nAdjustColumnsBy : m_nColumns * 2;
                rows = (m_nWells + m_nColumns - 1) / m_nColumns;
                adjusted = true;
            }
        }
        m_nLastCustom = m_nWells - 1;
    }
    if (adjusted) {
        m_nWells = (m_nWells + m_nColumns - 1) / m_nColumns * m_nColumns;
        m_nLastCustom = m_nWells - 1;
    }
    FitToWorkArea();
}

void JColorPicker::FitToWorkArea()
{
    CRect work;
    MONITORINFO info{sizeof info, {}, {}, 0};
    const HWND hNear = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    if (HMONITOR hMonitor = ::MonitorFromWindow(hNear, MONITOR_DEFAULTTOPRIMARY);
        hMonitor && ::GetMonitorInfoA(hMonitor, &info))
        work = info.rcWork;
    else if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        return;
    CRect frame(0, 0, 0, 0);
    ::AdjustWindowRectEx(frame, WS_POPUP | WS_BORDER, FALSE, 0);
    int textRows = 0;
    for (DWORD bit : {JCP_NOFILL, JCP_MORECOLORS, JCP_PREVIEW})
        if (m_dwPickerStyle & bit)
            textRows += m_nTextGap + m_cyText;
    const int roomX = work.Width() - frame.Width() - 2 * m_nMargin + m_cxGap;
    const int roomY = work.Height() - frame.Height() - 2 * m_nMargin - textRows + m_cyGap;
    const int kSmallestWell = 9;
    for (int size = m_cxWell;; --size) {
        const int maxColumns = std::max(1, roomX / (size + m_cxGap));
        const int maxRows = std::max(1, roomY / (size + m_cyGap));
        if (maxColumns * maxRows >= m_nWells || size <= kSmallestWell) {
            int columns = std::min(m_nColumns, maxColumns);
            if ((m_nWells + columns - 1) / columns > maxRows)
                columns = std::min(maxColumns, (m_nWells + maxRows - 1) / maxRows);
            if (size != m_cxWell || columns != m_nColumns) {
                m_cxWell = m_cyWell = size;
                m_nColumns = columns;
            }
            // Even the smallest wells do not all fit: the palette keeps those that do.
            if (maxColumns * maxRows < m_nWells) {
                m_nWells = maxColumns * maxRows;
                m_nLastCustom = std::min(m_nLastCustom, m_nWells - 1);
            }
            return;
        }
    }
}

void JColorPicker::ClearButtons()
{
    m_buttons.clear();
    m_nCurrent = m_nSaved = -1;
}

void JColorPicker::BuildButtons(const std::vector<COLOR_INFO>* pKeep)
{
    ClearButtons();
    const int width = m_nColumns * m_cxWell + (m_nColumns - 1) * m_cxGap;
    const int textOffset = (m_dwPickerStyle & JCP_NOFILL) ? m_nTextGap + m_cyText : 0;
    if (m_dwPickerStyle & JCP_NOFILL) {
        COLOR_INFO text;
        text.color = JCP_COLOR_NOFILL;
        text.name = m_strNoFill;
        text.rect.SetRect(0, 0, width, m_cyText);
        text.rect.OffsetRect(m_nMargin, m_nMargin);
        text.rect.InflateRect(1, 1);
        text.reference = COLORREF_TEXT;
        m_buttons.push_back(text);
    }
    const CString empty = EmptyText();
    int bottom = m_nMargin;
    for (int i = 0; i < m_nWells; ++i) {
        COLOR_INFO well;
        well.color = ::GetSysColor(COLOR_3DFACE);
        well.name = empty;
        well.reference = COLORREF_EMPTY;
        const int row = i / m_nColumns, column = i % m_nColumns;
        well.rect.SetRect(0, 0, m_cxWell, m_cyWell);
        well.rect.OffsetRect(m_nMargin, m_nMargin);
        well.rect.InflateRect(1, 1);
        well.rect.OffsetRect((m_cxGap + m_cxWell) * column, (m_cyGap + m_cyWell) * row + textOffset);
        bottom = std::max<int>(bottom, well.rect.bottom - 1);
        m_buttons.push_back(well);
    }
    if (pKeep) {
        for (int well = FirstCustomIndex() - ((m_dwPickerStyle & JCP_NOFILL) ? 1 : 0);
             well < (int)pKeep->size() && well < m_nLastCustom; ++well) {
            const COLOR_INFO& kept = (*pKeep)[well];
            if (kept.reference <= COLORREF_PICKED) {
                COLOR_INFO& target = m_buttons[WellButton(well)];
                target.color = kept.color;
                target.paletteColor = kept.paletteColor;
                target.name = kept.name;
                target.reference = kept.reference;
            }
        }
    }
    if (m_dwPickerStyle & JCP_MORECOLORS) {
        COLOR_INFO more;
        more.color = JCP_COLOR_MORE;
        more.name = LibraryText(IDS_COLOR_MORE, "More Colors...");
        more.rect.SetRect(m_nMargin - 1, bottom + m_nTextGap, m_nMargin + width + 1,
                          bottom + m_nTextGap + m_cyText + 2);
        more.reference = COLORREF_TEXT;
        bottom = more.rect.bottom - 1;
        m_buttons.push_back(more);
    }
    m_preview.SetRectEmpty();
    if (m_dwPickerStyle & JCP_PREVIEW)
        m_preview.SetRect(m_nMargin - 1, bottom + m_nTextGap, m_nMargin + width + 1,
                          bottom + m_nTextGap + m_cyText + 2);
}

void JColorPicker::LoadDefaultColors()
{
    for (int i = 0; i < kStandardCount && i < m_nWells; ++i) {
        COLOR_INFO& well = m_buttons[WellButton(i)];
        well.color = kStandard[i];
        well.name = StandardColorName(i);
        well.reference = COLORREF_REGISTRY;
    }
    if (m_nLastCustom >= kStandardCount && m_nLastCustom < m_nWells) {
        COLOR_INFO& special = m_buttons[WellButton(m_nLastCustom)];
        special.color = JCP_COLOR_SPECIAL;
        special.name = LibraryText(IDS_COLOR_SPECIAL, "By Layer");
        special.reference = COLORREF_REGISTRY;
    }
    m_nNextCustom = kStandardCount;
}

void JColorPicker::AddColorWell(int index)
{
    COLOR_INFO well;
    well.color = ::GetSysColor(COLOR_3DFACE);
    well.name = EmptyText();
    well.reference = COLORREF_EMPTY;
    const int columns = std::max(1, m_nColumns);
    const int textOffset = (m_dwPickerStyle & JCP_NOFILL) ? m_nTextGap + m_cyText : 0;
    well.rect.SetRect(0, 0, m_cxWell, m_cyWell);
    well.rect.OffsetRect(m_nMargin, m_nMargin);
    well.rect.InflateRect(1, 1);
    well.rect.OffsetRect((m_cxGap + m_cxWell) * (index % columns),
                         (m_cyGap + m_cyWell) * (index / columns) + textOffset);
    m_buttons.push_back(well);
}

int JColorPicker::GetNextAvailableCustomIndex()
{
    const CString empty = EmptyText();
    for (int well = kStandardCount; well < m_nLastCustom && WellButton(well) < (int)m_buttons.size(); ++well)
        if (m_buttons[WellButton(well)].name == empty)
            return well;
    return -1;
}

int JColorPicker::GetCountOfAvailableCustomWells()
{
    const CString empty = EmptyText();
    int count = 0;
    for (int well = kStandardCount; well < m_nLastCustom && WellButton(well) < (int)m_buttons.size(); ++well)
        count += m_buttons[WellButton(well)].name == empty;
    return count;
}

int JColorPicker::FindColorIndex(COLORREF color)
{
    if (color == JCP_COLOR_NOFILL && !(m_dwPickerStyle & JCP_NOFILL))
        return -2;
    int end = (int)m_buttons.size() - ((m_dwPickerStyle & JCP_MORECOLORS) ? 1 : 0);
    for (int index = FirstCustomIndex(); index < end; ++index)
        if (m_buttons[index].color == color && m_buttons[index].reference != COLORREF_EMPTY)
            return index;
    return -1;
}

int JColorPicker::FindColorIndex(COLORREF color, const std::vector<COLORREF>& list)
{
    return std::find(list.begin(), list.end(), color) != list.end() ? 1 : -1;
}

int JColorPicker::SetColorInfo(int index, COLORREF color, const char* name, tagColorReference reference)
{
    if (index < 0 || index >= m_nWells || index > (int)m_buttons.size() || WellButton(index) >= (int)m_buttons.size())
        return 0;
    COLOR_INFO& well = m_buttons[WellButton(index)];
    well.color = color;
    well.paletteColor =
        m_hPalette && color <= 0xFFFFFF ? PALETTEINDEX(::GetNearestPaletteIndex(m_hPalette, color)) : color;
    well.name = name ? name : "";
    well.reference = reference;
    if (m_hWnd)
        InvalidateRect(well.rect, FALSE);
    return 1;
}

void JColorPicker::AdvanceCustomIndex()
{
    const int next = GetNextAvailableCustomIndex();
    m_nNextCustom = next >= 0 ? next : m_nNextCustom + 1;
    if (m_nNextCustom >= m_nLastCustom) {
        if (m_bGrowPalette && !m_strRegistryName.IsEmpty()) {
            ReSize();
            const int grown = GetNextAvailableCustomIndex();
            m_nNextCustom = grown >= 0 ? grown : kStandardCount;
        } else {
            m_nNextCustom = kStandardCount;
        }
    }
}

void JColorPicker::SetCurrentColor(COLORREF color)
{
    if (color == (COLORREF)-1) {
        Select(-1);
        return;
    }
    if (color == JCP_COLOR_NOFILL) {
        if (m_dwPickerStyle & JCP_NOFILL)
            Select(0);
        return;
    }
    for (int index = 0; index < (int)m_buttons.size(); ++index)
        if (m_buttons[index].color == color && m_buttons[index].reference <= COLORREF_PICKED) {
            Select(index);
            return;
        }
    if (color > 0xFFFFFF && color != JCP_COLOR_SPECIAL)
        return;
    const int well = m_nNextCustom >= kStandardCount && m_nNextCustom < m_nLastCustom ? m_nNextCustom : kStandardCount;
    if (well >= m_nLastCustom)
        return;
    CString name;
    name.Format(LibraryText(IDS_COLOR_CUSTOM, "Custom %d"), well - kStandardCount + 1);
    SetColorInfo(well, color, name, COLORREF_REGISTRY);
    AdvanceCustomIndex();
    Select(WellButton(well));
}

void JColorPicker::Select(int index)
{
    if (index == m_nCurrent)
        return;
    if (m_hWnd) {
        for (int changed : {m_nCurrent, index})
            if (const COLOR_INFO* pButton = GetButton(changed)) {
                CRect ring = pButton->rect;
                ring.InflateRect(2, 2);
                InvalidateRect(ring, FALSE);
            }
        if (!m_preview.IsRectEmpty())
            InvalidateRect(m_preview, FALSE);
    }
    m_nCurrent = index;
}

int JColorPicker::HitButton(CPoint point) const
{
    for (int index = 0; index < (int)m_buttons.size(); ++index)
        if (m_buttons[index].rect.PtInRect(point))
            return index;
    return -1;
}

void JColorPicker::ReSize()
{
    if (!m_bGrowPalette)
        return;
    std::vector<COLOR_INFO> keep;
    for (int well = 0; well < m_nWells && WellButton(well) < (int)m_buttons.size(); ++well)
        keep.push_back(m_buttons[WellButton(well)]);
    const COLORREF current = m_nCurrent >= 0 ? m_buttons[m_nCurrent].color : (COLORREF)-1;
    ComputeAndAdjustColorWells();
    BuildButtons(&keep);
    LoadDefaultColors();
    m_nNextCustom = std::max(kStandardCount, GetNextAvailableCustomIndex());
    if (current != (COLORREF)-1)
        for (int index = 0; index < (int)m_buttons.size(); ++index)
            if (m_buttons[index].color == current && m_buttons[index].reference <= COLORREF_PICKED) {
                m_nCurrent = index;
                break;
            }
    if (m_hWnd) {
        const CSize size = CalcFixedLayout();
        CRect window(0, 0, size.cx, size.cy);
        ::AdjustWindowRectEx(window, GetStyle(), FALSE, GetExStyle());
        SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
    }
}

int JColorPicker::Reset()
{
    if (!m_strRegistryName.IsEmpty())
        SaveColors(m_strRegistryName);
    ClearButtons();
    if (m_hFont)
        ::DeleteObject(m_hFont);
    m_hFont = nullptr;
    m_hPalette = nullptr;
    const CString name = m_strPickerName;
    Init();
    m_strPickerName = name;
    if (!m_strRegistryName.IsEmpty())
        LoadColorPickerSettings(m_strRegistryName);
    if (m_pDocument)
        m_pDocument->Release();
    m_pDocument = nullptr;
    m_bDocumentGiven = FALSE;
    m_bLoadedRegistry = m_bLoadedDocument = FALSE;
    return 1;
}
