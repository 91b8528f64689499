// Drops of dragged buttons: where a button lands on a toolbar, moving, copying
// and removing it, new toolbars made from a drop on empty space, and deleting
// buttons.
#include "callframe.h"
#include "controlexports.h"
#include "customizeundo.h"
#include "jenvmanager.h"
#include "toolbar_slots.h"

#include "afxpriv.h"

#include <algorithm>

namespace {

bool Customizing()
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    return pInfo && pInfo->m_bCustomizationMode;
}

template <typename Slots>
bool HasButtons(const Slots& slots)
{
    return std::any_of(slots.begin(), slots.end(), [](const auto& slot) { return slot.nID != 0; });
}

// The customize page shows the prompt of a command (0: none).
void TellCustomizePage(UINT nID)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (HWND hPage = pInfo ? pInfo->m_hWndCustomizePage : nullptr;
        hPage && ::IsWindow(hPage) && ::IsWindowVisible(hPage))
        ::SendMessageA(hPage, WM_SETMESSAGESTRING, nID, 0);
}

void MarkLayoutChanged()
{
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_bToolbarsDirty = TRUE;
}

void Relayout(JToolBar* pBar)
{
    if (!IsLiveBar(pBar))
        return;
    if (CFrameWnd* pFrame = pBar->GetParentFrame())
        pFrame->RecalcLayout();
    if (pBar->m_pDockSite && pBar->m_pDockSite->m_hWnd)
        pBar->m_pDockSite->RecalcLayout();
    pBar->Invalidate();
}

}   // namespace

using toolbar_slots::FollowRemoval;

std::vector<JToolBar::ButtonSlot> JToolBar::GetSlots()
{
    std::vector<ButtonSlot> slots;
    const int count = (int)GetCommandCount();
    for (int i = 0; i < count; ++i) {
        ButtonSlot& slot = slots.emplace_back();
        slot.nID = GetItemID(i);
        slot.pRecord = GetCustomRecord(i);
        for (const FlyoutList& list : m_flyoutLists)
            if (list.nButton == i)
                slot.flyout = list.ids;
    }
    return slots;
}

BOOL JToolBar::SetSlots(const std::vector<ButtonSlot>& slots)
{
    if (!m_hWnd)
        return FALSE;
    for (int i = 0; i < m_arrCustomBitmaps.GetSize(); ++i) {
        auto* pRecord = static_cast<CTMBITMAPSTRUCT*>(m_arrCustomBitmaps[i]);
        if (pRecord &&
            std::none_of(slots.begin(), slots.end(), [&](const auto& slot) { return slot.pRecord == pRecord; }))
            delete pRecord;
    }
    const int count = (int)slots.size();
    m_arrCustomBitmaps.RemoveAll();
    m_arrCustomBitmaps.SetSize(count);
    std::vector<UINT> ids;
    for (int i = 0; i < count; ++i) {
        m_arrCustomBitmaps[i] = slots[i].pRecord;
        ids.push_back(slots[i].nID);
    }
    m_flyoutLists.clear();
    static const UINT kNone = 0;
    const BOOL bSet = SetButtonIDs(ids.empty() ? &kNone : ids.data(), count);
    for (int i = 0; i < count; ++i)
        if (slots[i].nID != 0 && !slots[i].flyout.empty())
            SetFlyoutList(i, slots[i].flyout);
    return bSet;
}

int JToolBar::DropPosition(const CRect& drop, std::vector<ButtonSlot>& slots, const std::vector<int*>& follow)
{
    const bool bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const int rows = (int)SendMessage(TB_GETROWS);
    const CPoint center = drop.CenterPoint();
    const int count = std::min((int)slots.size(), (int)GetCommandCount());
    int stop = -1;
    bool bInRow = false;
    LONG rowTop = 0;
    for (int i = 0; i < count && stop < 0; ++i) {
        CRect rect;
        GetItemRect(i, rect);
        if (!bHorz) {
            if (rect.top > drop.top)
                stop = i;
            continue;
        }
        if (!bInRow) {
            // The row of the drop: the first one reaching below its centre.
            if (rows > 1 && rect.bottom <= center.y)
                continue;
            bInRow = true;
            rowTop = rect.top;
        }
        if (rect.top > rowTop || rect.left > drop.left)
            stop = i;
    }
    if (stop >= 0 && slots[stop].nID == 0) {
        // Landing on a separator takes its place; past it, the button goes after it.
        CRect separator;
        GetItemRect(stop, separator);
        const bool bInside = bHorz ? center.x >= separator.left && center.x < separator.right
                                   : center.y > separator.top && center.y < separator.bottom;
        const bool bPast = bHorz ? center.x >= separator.right : center.y >= separator.bottom;
        if (bInside) {
            delete slots[stop].pRecord;
            slots.erase(slots.begin() + stop);
            FollowRemoval(follow, stop);
        } else if (bPast) {
            ++stop;
        }
    }
    return stop < 0 ? (int)slots.size() : stop;
}

int JToolBar::AddButton(UINT nID, CRect* pScreenRect, const UINT* lpFlyoutIDs, int nFlyoutCount, HBITMAP hBitmap,
                        char* lpszName)
{
    if (!m_hWnd || nID == 0)
        return -1;
    std::vector<ButtonSlot> slots = GetSlots();
    int* pFocus = m_pBar == this ? &m_nIndex : nullptr;
    int at = (int)slots.size();
    if (pScreenRect) {
        CRect drop(*pScreenRect);
        ScreenToClient(drop);
        at = DropPosition(drop, slots, {pFocus});
    }
    ButtonSlot slot;
    slot.nID = nID;
    if (lpFlyoutIDs && nFlyoutCount > 0)
        slot.flyout.assign(lpFlyoutIDs, lpFlyoutIDs + nFlyoutCount);
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (hBitmap && pInfo && pInfo->m_pDynamicCommand) {
        slot.pRecord = new CTMBITMAPSTRUCT;
        slot.pRecord->m_nCommandID = nID;
        slot.pRecord->m_hBitmap = CopyBitmapImage(hBitmap, nullptr);
        slot.pRecord->m_strMacro = lpszName ? lpszName : "";
    }
    slots.insert(slots.begin() + at, std::move(slot));
    if (pFocus && at <= *pFocus)
        ++*pFocus;
    return SetSlots(slots) ? at : -1;
}

JToolBar* JToolBar::MakeToolbarFor(CFrameWnd* pFrame, const ButtonSlot& slot, CPoint at)
{
    CString name;
    GetNextToolbarName(name);
    auto* pNew = new JToolBar;
    constexpr DWORD kStyle =
        WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!pNew->Create(pFrame, name, &slot.nID, 1, -1, CBRS_ALIGN_ANY, kStyle)) {
        if (pNew->m_hWnd)
            pNew->DestroyWindow();   // deletes it
        else
            delete pNew;
        delete slot.pRecord;
        return nullptr;
    }
    pNew->m_bAutoDelete = TRUE;
    pNew->SetSlots({slot});
    // A frame without docking keeps the new toolbar where the framework lays it out.
    if (pFrame->m_pFloatingFrameClass)
        pFrame->FloatControlBar(pNew, at, CBRS_ALIGN_TOP);
    return pNew;
}

BOOL JToolBar::OnDrop(CRect& dropRect)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (pInfo && !pInfo->m_bRegistryUsed)
        SaveBarLayout(nullptr, nullptr, nullptr);
    CFrameWnd* pFrame = ControlFrameOfCall();
    // A frame a modal dialog has disabled takes no drops.
    if (!pFrame || !pFrame->m_hWnd || !pFrame->IsWindowEnabled() || !m_hWnd)
        return FALSE;
    std::vector<ButtonSlot> mine = GetSlots();
    int dragged = m_nIndex;
    if (dragged < 0 || dragged >= (int)mine.size() || mine[dragged].nID == 0)
        return FALSE;
    const bool bCopy = m_nCopyMode != 0;
    JToolBar* pTarget = FindToolbar(dropRect);
    JCustomizeJournal::Step step;
    // A copy onto another toolbar leaves this one as it is (a palette of the customize
    // page, say, whose rows an undo would otherwise lay out again).
    if (!bCopy || pTarget == this)
        step.Touch(this);
    if (pTarget)
        step.Touch(pTarget);

    if (pTarget == this && !bCopy && AddSeparator(dragged, dropRect)) {
        if (!Customizing())
            ClearActiveFocus(nullptr);
        MarkLayoutChanged();
        return TRUE;
    }
    // The button with its flyout and its own picture, for its new place.
    ButtonSlot moving = mine[dragged];
    int newIndex = 0;
    if (pTarget == this) {
        if (bCopy)
            moving.pRecord = CopyPictureRecord(moving.pRecord);
        CRect drop(dropRect);
        ScreenToClient(drop);
        newIndex = DropPosition(drop, mine, {&dragged});
        mine.insert(mine.begin() + newIndex, moving);
        if (dragged >= newIndex)
            ++dragged;
        if (!bCopy) {
            mine.erase(mine.begin() + dragged);   // its record went with it
            FollowRemoval({&newIndex}, dragged);
        }
        StripSlots(mine, {&newIndex});
        SetSlots(mine);
    } else {
        moving.pRecord = CopyPictureRecord(moving.pRecord);
        if (pTarget) {
            std::vector<ButtonSlot> theirs = pTarget->GetSlots();
            CRect drop(dropRect);
            pTarget->ScreenToClient(drop);
            newIndex = pTarget->DropPosition(drop, theirs, {});
            theirs.insert(theirs.begin() + newIndex, moving);
            pTarget->SetSlots(theirs);
        } else if (bCopy) {
            pTarget = MakeToolbarFor(pFrame, moving, dropRect.TopLeft());
            if (!pTarget)
                return FALSE;
            step.Made(pTarget);
        } else {
            delete moving.pRecord;
        }
        if (!bCopy) {
            delete mine[dragged].pRecord;
            mine.erase(mine.begin() + dragged);
            StripSlots(mine, {});
            SetSlots(mine);
            if (!pTarget)
                TellCustomizePage(0);
        }
    }
    m_nIndex = newIndex;
    m_pBar = nullptr;
    MarkLayoutChanged();
    // The toolbar the button left may be empty now, and go.
    if (pTarget != this) {
        if (HasButtons(mine))
            Relayout(this);
        else
            RemoveWhenEmpty();
    }
    if (pTarget) {
        Relayout(pTarget);
        if (Customizing())
            SetActiveFocus(pTarget, newIndex);
    }
    return TRUE;
}

void JToolBar::RemoveWhenEmpty()
{
    if (m_pToolTip && m_pToolTip->m_hWnd)
        m_pToolTip->SendMessage(TTM_POP);
    if (m_pBar == this)
        m_pBar = nullptr;
    if (m_bDefault) {
        Relayout(this);
        return;
    }
    DestroyToolbarWindow(this);
}

BOOL JToolBar::DeleteItem(int index)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount())
        return FALSE;
    JCustomizeJournal::Step step;
    step.Touch(this);
    std::vector<ButtonSlot> slots = GetSlots();
    delete slots[index].pRecord;
    slots.erase(slots.begin() + index);
    StripSlots(slots, {});
    SetSlots(slots);
    m_pBar = nullptr;
    MarkLayoutChanged();
    if (!HasButtons(slots))
        RemoveWhenEmpty();
    return TRUE;
}

void JToolBar::RemoveSlotExtras(int index)
{
    if (index < m_arrCustomBitmaps.GetSize()) {
        SetCustomRecord(index, nullptr);
        m_arrCustomBitmaps.RemoveAt(index);
    }
    if (index < m_arrFlyouts.GetSize()) {
        auto* pFlyout = static_cast<JToolBar*>(m_arrFlyouts[index]);
        m_arrFlyouts.RemoveAt(index);
        if (pFlyout && pFlyout->m_hWnd)
            pFlyout->DestroyWindow();
    }
}

void JToolBar::RemoveAt(int index)
{
    if (!m_hWnd || index < 0 || index >= (int)GetCommandCount())
        return;
    RemoveSlotExtras(index);
    m_flyoutLists.erase(std::remove_if(m_flyoutLists.begin(), m_flyoutLists.end(),
                                       [index](const FlyoutList& list) { return list.nButton == index; }),
                        m_flyoutLists.end());
}
