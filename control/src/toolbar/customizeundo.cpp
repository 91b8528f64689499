// The customization steps of one session of the customize dialog, each with the
// toolbars it touched as they were, so that the last one can be taken back.
#include "customizeundo.h"

#include "callframe.h"
#include "jenvmanager.h"

#include <algorithm>

CTMBITMAPSTRUCT* CopyPictureRecord(const CTMBITMAPSTRUCT* pRecord)
{
    if (!pRecord)
        return nullptr;
    auto* pCopy = new CTMBITMAPSTRUCT;
    pCopy->m_nCommandID = pRecord->m_nCommandID;
    pCopy->m_hBitmap =
        pRecord->m_hBitmap ? static_cast<HBITMAP>(::CopyImage(pRecord->m_hBitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
    pCopy->m_strMacro = pRecord->m_strMacro;
    pCopy->m_crFill = pRecord->m_crFill;
    pCopy->m_hFillModule = pRecord->m_hFillModule;
    pCopy->m_strFillMask = pRecord->m_strFillMask;
    pCopy->m_strSymbolFile = pRecord->m_strSymbolFile;
    pCopy->m_strBitmapFile = pRecord->m_strBitmapFile;
    pCopy->m_bPromptOverride = pRecord->m_bPromptOverride;
    pCopy->m_strToolTip = pRecord->m_strToolTip;
    pCopy->m_nOldCommandID = pRecord->m_nOldCommandID;
    return pCopy;
}

void DestroyToolbarWindow(JToolBar* pBar)
{
    if (!IsLiveBar(pBar))
        return;
    CFrameWnd* pDockSite = pBar->m_pDockSite;
    if (CWnd* pFloating = FloatingFrameOf(pBar))
        pFloating->DestroyWindow();   // the toolbar goes with it
    else
        pBar->DestroyWindow();
    if (pDockSite && ::IsWindow(pDockSite->m_hWnd))
        pDockSite->RecalcLayout();
}

JCustomizeJournal& JCustomizeJournal::Get()
{
    static JCustomizeJournal journal;
    return journal;
}

void JCustomizeJournal::Open()
{
    Get().m_steps.clear();
    Get().m_bOpen = true;
}

void JCustomizeJournal::Close()
{
    Get().m_steps.clear();
    Get().m_bOpen = false;
}

JCustomizeJournal::Step::Step()
{
    JCustomizeJournal& journal = Get();
    if (journal.m_bOpen && !journal.m_pCurrent) {
        journal.m_pCurrent = std::make_unique<StepRecord>();
        m_bOuter = true;
    }
}

JCustomizeJournal::Step::~Step()
{
    JCustomizeJournal& journal = Get();
    if (!m_bOuter || !journal.m_pCurrent)
        return;
    std::unique_ptr<StepRecord> pStep = std::move(journal.m_pCurrent);
    const bool bChanged = !pStep->made.empty() || std::any_of(pStep->before.begin(), pStep->before.end(),
                                                              [](const BarState& state) { return !Unchanged(state); });
    if (bChanged && journal.m_bOpen)
        journal.m_steps.push_back(std::move(*pStep));
}

void JCustomizeJournal::Step::Touch(JToolBar* pBar)
{
    JCustomizeJournal& journal = Get();
    if (!m_bOuter || !journal.m_pCurrent || !IsLiveBar(pBar))
        return;
    auto& before = journal.m_pCurrent->before;
    if (std::none_of(before.begin(), before.end(),
                     [pBar](const BarState& state) { return state.hWnd == pBar->m_hWnd; }))
        before.push_back(Capture(pBar));
}

void JCustomizeJournal::Step::Made(JToolBar* pBar)
{
    JCustomizeJournal& journal = Get();
    if (m_bOuter && journal.m_pCurrent && IsLiveBar(pBar))
        journal.m_pCurrent->made.push_back(pBar->m_hWnd);
}

JToolBar* JCustomizeJournal::LiveBar(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return nullptr;
    return DYNAMIC_DOWNCAST(JToolBar, CWnd::FromHandlePermanent(hWnd));
}

JCustomizeJournal::BarState JCustomizeJournal::Capture(JToolBar* pBar)
{
    BarState state;
    state.hWnd = pBar->m_hWnd;
    state.slots = pBar->GetSlots();
    for (JToolBar::ButtonSlot& slot : state.slots) {
        state.records.emplace_back(CopyPictureRecord(slot.pRecord));
        slot.pRecord = nullptr;
    }
    pBar->GetWindowText(state.strName);
    state.nID = (UINT)pBar->GetDlgCtrlID();
    state.bIDFixed = pBar->m_bIDFixed;
    state.dwWindowStyle = pBar->GetStyle();
    state.dwBarStyle = pBar->GetBarStyle();
    state.dwDockStyle = pBar->m_dwDockStyle;
    if (CWnd* pFloating = FloatingFrameOf(pBar)) {
        state.bFloating = true;
        CRect rect;
        pFloating->GetWindowRect(rect);
        state.ptFloat = rect.TopLeft();
    } else if (pBar->m_pDockBar) {
        state.nDockBarID = (UINT)pBar->m_pDockBar->GetDlgCtrlID();
        pBar->GetWindowRect(state.rectDocked);
    }
    CFrameWnd* pFrame = pBar->m_pDockSite ? pBar->m_pDockSite : ControlFrameOfCall();
    state.hFrame = pFrame ? pFrame->m_hWnd : nullptr;
    state.bDefault = pBar->m_bDefault;
    for (INT_PTR i = 0; i < pBar->m_arrDefaultIDs.GetSize(); ++i)
        state.defaults.push_back(pBar->m_arrDefaultIDs[i]);
    state.strEnvironment = pBar->m_strEnvironment;
    return state;
}

bool JCustomizeJournal::Unchanged(const BarState& state)
{
    JToolBar* pBar = LiveBar(state.hWnd);
    if (!pBar)
        return false;
    const std::vector<JToolBar::ButtonSlot> now = pBar->GetSlots();
    if (now.size() != state.slots.size())
        return false;
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i].nID != state.slots[i].nID || now[i].flyout != state.slots[i].flyout ||
            (now[i].pRecord != nullptr) != (state.records[i] != nullptr))
            return false;
    return true;
}

std::vector<JToolBar::ButtonSlot> JCustomizeJournal::SlotsOf(const BarState& state)
{
    std::vector<JToolBar::ButtonSlot> slots = state.slots;
    for (size_t i = 0; i < slots.size(); ++i)
        slots[i].pRecord = CopyPictureRecord(state.records[i].get());
    return slots;
}

JToolBar* JCustomizeJournal::Recreate(const BarState& state)
{
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(state.hFrame));
    if (!pFrame)
        pFrame = ControlFrameOfCall();
    if (!pFrame || !pFrame->m_hWnd)
        return nullptr;
    std::vector<UINT> ids;
    for (const JToolBar::ButtonSlot& slot : state.slots)
        ids.push_back(slot.nID);
    // Its ID may have been taken by a toolbar made since.
    const int nID = pFrame->GetControlBar(state.nID) ? -1 : (int)state.nID;
    auto* pBar = new JToolBar;
    if (!pBar->Create(pFrame, state.strName, ids.data(), (int)ids.size(), nID,
                      state.dwDockStyle ? state.dwDockStyle : (DWORD)-1, state.dwWindowStyle | WS_VISIBLE)) {
        if (pBar->m_hWnd)
            pBar->DestroyWindow();
        else
            delete pBar;
        return nullptr;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->m_bIDFixed = state.bIDFixed;
    pBar->SetBarStyle(state.dwBarStyle);
    pBar->SetSlots(SlotsOf(state));
    pBar->m_bDefault = state.bDefault;
    pBar->m_arrDefaultIDs.RemoveAll();
    for (UINT nDefault : state.defaults)
        pBar->m_arrDefaultIDs.Add(nDefault);
    pBar->m_strEnvironment = state.strEnvironment;
    if (state.bFloating && pFrame->m_pFloatingFrameClass)
        pFrame->FloatControlBar(pBar, state.ptFloat,
                                (state.dwBarStyle & CBRS_ORIENT_HORZ) ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
    else if (state.nDockBarID && pFrame->GetControlBar(state.nDockBarID))
        pFrame->DockControlBar(pBar, state.nDockBarID, &state.rectDocked);
    pFrame->RecalcLayout();
    return pBar;
}

JToolBar* JCustomizeJournal::Namesake(const BarState& state)
{
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(state.hFrame));
    JToolBar* pFound = nullptr;
    ForEachControlBar(pFrame ? pFrame : ControlFrameOfCall(), [&](CControlBar* pBar) {
        auto* pToolBar = DYNAMIC_DOWNCAST(JToolBar, pBar);
        if (!pToolBar || !IsLiveBar(pToolBar) || pToolBar->m_bIsFlyout ||
            !(pToolBar->m_strEnvironment == state.strEnvironment))
            return true;
        CString caption;
        pToolBar->GetWindowText(caption);
        if (caption != state.strName)
            return true;
        pFound = pToolBar;
        return false;
    });
    return pFound;
}

void JCustomizeJournal::Remap(HWND hOld, HWND hNew)
{
    for (StepRecord& step : m_steps) {
        for (BarState& state : step.before)
            if (state.hWnd == hOld)
                state.hWnd = hNew;
        std::replace(step.made.begin(), step.made.end(), hOld, hNew);
    }
}

BOOL JCustomizeJournal::Undo()
{
    JCustomizeJournal& journal = Get();
    if (!journal.m_bOpen || journal.m_steps.empty() || journal.m_pCurrent)
        return FALSE;
    StepRecord step = std::move(journal.m_steps.back());
    journal.m_steps.pop_back();
    JToolBar::ClearActiveFocus(nullptr);
    for (HWND hMade : step.made)
        DestroyToolbarWindow(LiveBar(hMade));
    for (const BarState& state : step.before) {
        JToolBar* pBar = LiveBar(state.hWnd);
        if (!pBar && (pBar = Namesake(state)) != nullptr)
            journal.Remap(state.hWnd, pBar->m_hWnd);   // made again by others since (a switch of environments)
        if (pBar) {
            pBar->SetSlots(SlotsOf(state));
            if (CFrameWnd* pFrame = pBar->GetParentFrame())
                pFrame->RecalcLayout();
            if (pBar->m_pDockSite && pBar->m_pDockSite->m_hWnd)
                pBar->m_pDockSite->RecalcLayout();
            pBar->Invalidate();
        } else if (JToolBar* pMade = Recreate(state)) {
            journal.Remap(state.hWnd, pMade->m_hWnd);
        }
    }
    if (JControlOnlyInfo* pInfo = JEnvironmentManager::Current())
        pInfo->m_bToolbarsDirty = TRUE;
    return TRUE;
}

void JToolBar::BeginCustomizeSession()
{
    JCustomizeJournal::Open();
}

void JToolBar::EndCustomizeSession()
{
    JCustomizeJournal::Close();
}

BOOL JToolBar::UndoCustomizeStep()
{
    return JCustomizeJournal::Undo();
}
