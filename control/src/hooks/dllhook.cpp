// JDLLHook: the per-thread hook records and the uses JDLLHook objects hold.
// The records live in a fiber-local slot, whose clean-up routine removes a
// thread's hooks and frees its records when the thread ends.
#include "jdllhook.h"

#include "hooktable.h"

#include <algorithm>
#include <atomic>
#include <unordered_set>

namespace {

std::atomic<DWORD> g_slot{FLS_OUT_OF_INDEXES};
SRWLOCK g_slotLock = SRWLOCK_INIT;
std::atomic<unsigned> g_lastUser{0};
std::atomic<long> g_recordsAlive{0};

// Uses given back on another thread than their own: they take no messages from
// then on and leave their thread's records at its next hooked message.
SRWLOCK g_releasedLock = SRWLOCK_INIT;
std::unordered_set<unsigned> g_releasedElsewhere;
std::atomic<long> g_releasedCount{0};

bool ReleasedElsewhere(unsigned nUser)
{
    if (g_releasedCount.load() == 0)
        return false;
    ::AcquireSRWLockShared(&g_releasedLock);
    const bool bReleased = g_releasedElsewhere.count(nUser) != 0;
    ::ReleaseSRWLockShared(&g_releasedLock);
    return bReleased;
}

void RemoveUse(HookRecord& record, unsigned nUser)
{
    std::erase_if(record.uses, [nUser](const HookUse& use) { return use.nUser == nUser; });
    if (record.uses.empty() && record.hHook) {
        ::UnhookWindowsHookEx(record.hHook);
        record.hHook = nullptr;
        record.pendingHighSurrogate = 0;
    }
}

void WINAPI FreeThreadHooks(void* pData)
{
    ThreadHooks* pHooks = static_cast<ThreadHooks*>(pData);
    if (!pHooks)
        return;
    for (HookRecord& record : pHooks->records)
        if (record.hHook)
            ::UnhookWindowsHookEx(record.hHook);
    delete pHooks;
    --g_recordsAlive;
}

DWORD HookSlot(bool bCreate)
{
    DWORD slot = g_slot.load();
    if (slot != FLS_OUT_OF_INDEXES || !bCreate)
        return slot;
    ::AcquireSRWLockExclusive(&g_slotLock);
    slot = g_slot.load();
    if (slot == FLS_OUT_OF_INDEXES) {
        slot = ::FlsAlloc(&FreeThreadHooks);
        g_slot.store(slot);
    }
    ::ReleaseSRWLockExclusive(&g_slotLock);
    return slot;
}

ThreadHooks* CurrentThreadHooks(bool bCreate)
{
    const DWORD slot = HookSlot(bCreate);
    if (slot == FLS_OUT_OF_INDEXES)
        return nullptr;
    ThreadHooks* pHooks = static_cast<ThreadHooks*>(::FlsGetValue(slot));
    if (!pHooks && bCreate) {
        pHooks = new ThreadHooks;
        if (!::FlsSetValue(slot, pHooks)) {
            delete pHooks;
            return nullptr;
        }
        ++g_recordsAlive;
    }
    return pHooks;
}

HookUse* FindUse(HookRecord& record, unsigned nUser)
{
    auto it = std::find_if(record.uses.begin(), record.uses.end(),
                           [nUser](const HookUse& use) { return use.nUser == nUser; });
    return it == record.uses.end() ? nullptr : &*it;
}

}   // namespace

int HookKindOf(int type)
{
    switch (type) {
    case WH_MSGFILTER:
        return HOOK_MSGFILTER;
    case WH_GETMESSAGE:
        return HOOK_GETMESSAGE;
    case WH_CALLWNDPROC:
        return HOOK_CALLWNDPROC;
    default:
        return -1;
    }
}

long ThreadHookRecordsAlive()
{
    return g_recordsAlive.load();
}

HookRecord* CurrentHookRecord(int type, bool bCreate)
{
    const int kind = HookKindOf(type);
    if (kind < 0)
        return nullptr;
    ThreadHooks* pHooks = CurrentThreadHooks(bCreate);
    return pHooks ? &pHooks->records[kind] : nullptr;
}

void DropUsesReleasedElsewhere(HookRecord& record)
{
    if (g_releasedCount.load() == 0)
        return;
    std::vector<unsigned> gone;
    ::AcquireSRWLockExclusive(&g_releasedLock);
    for (const HookUse& use : record.uses)
        if (g_releasedElsewhere.erase(use.nUser))
            gone.push_back(use.nUser);
    g_releasedCount = (long)g_releasedElsewhere.size();
    ::ReleaseSRWLockExclusive(&g_releasedLock);
    for (unsigned nUser : gone)
        RemoveUse(record, nUser);
}

const HookUse* UseForWindow(const HookRecord& record, HWND hWnd)
{
    const HookUse* pAncestor = nullptr;
    const HookUse* pAny = nullptr;
    for (const HookUse& use : record.uses) {
        if (use.bWindowGone || ReleasedElsewhere(use.nUser))
            continue;
        if (!use.hWnd) {
            pAny = pAny ? pAny : &use;
        } else if (use.hWnd == hWnd) {
            return &use;
        } else if (!pAncestor && hWnd && ::IsChild(use.hWnd, hWnd)) {
            pAncestor = &use;
        }
    }
    return pAncestor ? pAncestor : pAny;
}

JDLLHook::JDLLHook(const JDLLHook& other) : m_nType(other.m_nType), m_hWnd(other.m_hWnd)
{
    if (other.IsSet())
        SetHook(other.m_nType, other.m_hWnd);
}

JDLLHook& JDLLHook::operator=(const JDLLHook& other)
{
    if (this == &other)
        return *this;
    ReleaseHook();
    if (other.IsSet())
        SetHook(other.m_nType, other.m_hWnd);
    m_nType = other.m_nType;
    m_hWnd = other.m_hWnd;
    return *this;
}

JDLLHook::~JDLLHook()
{
    ReleaseHook();
}

BOOL JDLLHook::SetHook(int type, HWND hWnd)
{
    ReleaseHook();
    HookRecord* pRecord = CurrentHookRecord(type, true);
    if (!pRecord)
        return FALSE;
    if (!pRecord->hHook) {
        pRecord->hHook = ::SetWindowsHookExA(type, HookProcedureOf(type), nullptr, ::GetCurrentThreadId());
        if (!pRecord->hHook)
            return FALSE;
    }
    m_nUser = ++g_lastUser;
    m_nType = type;
    m_hWnd = hWnd;
    m_dwThreadId = ::GetCurrentThreadId();
    pRecord->uses.push_back({m_nUser, hWnd, false, m_pLocalization});
    return TRUE;
}

void JDLLHook::ReleaseHook()
{
    if (!m_nUser)
        return;
    const unsigned nUser = m_nUser;
    m_nUser = 0;
    if (m_dwThreadId != ::GetCurrentThreadId()) {
        // Another thread's records are out of reach: the use stops at once (its
        // localization info may be about to go) and leaves them on that thread.
        ::AcquireSRWLockExclusive(&g_releasedLock);
        g_releasedElsewhere.insert(nUser);
        g_releasedCount = (long)g_releasedElsewhere.size();
        ::ReleaseSRWLockExclusive(&g_releasedLock);
        return;
    }
    HookRecord* pRecord = CurrentHookRecord(m_nType, false);
    if (!pRecord || !FindUse(*pRecord, nUser))
        return;   // the records were freed meanwhile
    RemoveUse(*pRecord, nUser);
}

void JDLLHook::SetLocalizationInfo(JLocalizationInfo* pInfo)
{
    m_pLocalization = pInfo;
    // The owner thread alone changes its records.
    if (!m_nUser || m_dwThreadId != ::GetCurrentThreadId())
        return;
    if (HookRecord* pRecord = CurrentHookRecord(m_nType, false))
        if (HookUse* pUse = FindUse(*pRecord, m_nUser))
            pUse->pLocalization = pInfo;
}

HHOOK JDLLHook::FindHook(int type)
{
    const HookRecord* pRecord = CurrentHookRecord(type, false);
    return pRecord ? pRecord->hHook : nullptr;
}

HWND JDLLHook::FindHWnd(int type)
{
    const HookRecord* pRecord = CurrentHookRecord(type, false);
    if (!pRecord)
        return nullptr;
    for (const HookUse& use : pRecord->uses)
        if (!use.bWindowGone && use.hWnd)
            return use.hWnd;
    return nullptr;
}

int JDLLHook::GetUseCount(int type)
{
    const HookRecord* pRecord = CurrentHookRecord(type, false);
    return pRecord ? (int)pRecord->uses.size() : 0;
}

void JDLLHook::FreeHookIndex()
{
    ::AcquireSRWLockExclusive(&g_slotLock);
    const DWORD slot = g_slot.exchange(FLS_OUT_OF_INDEXES);
    if (slot != FLS_OUT_OF_INDEXES) {
        // The calling thread's records go here for certain; FlsFree hands the clean-up
        // routine those of the other threads.
        void* pOwn = ::FlsGetValue(slot);
        ::FlsSetValue(slot, nullptr);
        FreeThreadHooks(pOwn);
        ::FlsFree(slot);
    }
    ::ReleaseSRWLockExclusive(&g_slotLock);
}
