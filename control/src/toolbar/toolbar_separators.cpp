// Separators of a customized toolbar: made by small sideways drags of a button over
// itself, and never left at either end or two together.
#include "jbars.h"
#include "toolbar_slots.h"

#include <algorithm>

namespace {

// Takes out separators at the start and the end and every one that follows another,
// through remove(position).
template <typename IsSeparator, typename Remove>
void StripRuns(int count, IsSeparator isSeparator, Remove remove)
{
    while (count > 0 && isSeparator(0))
        remove(0), --count;
    while (count > 0 && isSeparator(count - 1))
        remove(count - 1), --count;
    for (int i = 1; i < count;) {
        if (isSeparator(i) && isSeparator(i - 1)) {
            remove(i), --count;
            continue;
        }
        ++i;
    }
}

}   // namespace

using toolbar_slots::FollowRemoval;

void JToolBar::StripSlots(std::vector<ButtonSlot>& slots, const std::vector<int*>& follow)
{
    StripRuns((int)slots.size(), [&](int i) { return slots[i].nID == 0; },
              [&](int i) {
                  delete slots[i].pRecord;
                  slots.erase(slots.begin() + i);
                  FollowRemoval(follow, i);
              });
}

void JToolBar::StripSeparators(CUIntArray& ids)
{
    int* pFocus = m_pBar == this ? &m_nIndex : nullptr;
    StripRuns((int)ids.GetSize(), [&](int i) { return ids[i] == 0; },
              [&](int i) {
                  ids.RemoveAt(i);
                  RemoveSlotExtras(i);
                  FollowRemoval({pFocus}, i);
              });
}

void JToolBar::StripHeadAndTailSeparators(CUIntArray& ids, int* pIndex)
{
    int* pFocus = m_pBar == this ? &m_nIndex : nullptr;
    StripRuns((int)ids.GetSize(), [&](int i) { return ids[i] == 0; },
              [&](int i) {
                  // The tail's removal leaves the focus alone.
                  const bool bTail = i == (int)ids.GetSize() - 1 && i > 0;
                  ids.RemoveAt(i);
                  if (i < m_arrCustomBitmaps.GetSize()) {
                      SetCustomRecord(i, nullptr);
                      m_arrCustomBitmaps.RemoveAt(i);
                  }
                  if (!bTail)
                      FollowRemoval({pFocus}, i);
              });
    if (pIndex && ids.GetSize() == 1)
        *pIndex = 0;
}

BOOL JToolBar::AddSeparator(int index, CRect dropRect)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount() || GetItemID(index) == 0)
        return FALSE;
    CRect drop(dropRect);
    ScreenToClient(drop);
    CRect button;
    GetItemRect(index, button);
    CRect common;
    if (!common.IntersectRect(drop, button))
        return FALSE;
    const bool bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const CPoint center = drop.CenterPoint();
    std::vector<ButtonSlot> slots = GetSlots();
    const int count = (int)slots.size();
    int at;
    if (bHorz ? drop.left >= button.left : drop.top >= button.top) {
        // Towards the end: the separator goes before the button, unless one follows it
        // and the drop reaches past it (the button is then moved over that one).
        if (index + 1 < count && slots[index + 1].nID == 0 &&
            (bHorz ? center.x > button.right : center.y > button.bottom))
            return FALSE;
        at = index;
    } else {
        if (index > 0 && slots[index - 1].nID == 0 && (bHorz ? center.x < button.left : center.y < button.top))
            return FALSE;
        at = index + 1;
    }
    slots.insert(slots.begin() + at, ButtonSlot{});
    int* pFocus = m_pBar == this ? &m_nIndex : nullptr;
    if (pFocus && *pFocus >= at)
        ++*pFocus;
    StripSlots(slots, {pFocus});
    SetSlots(slots);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    Invalidate();
    return TRUE;
}
