// JDLLHook: the per-thread hook records and the uses JDLLHook objects hold.
// The records live in a fiber-local slot, whose clean-up routine removes a
// thread's hooks and frees its records when the thread ends.
#include "jdllhook.h"

#include "hooktable.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<DWORD> g_slot{FLS_OUT_OF_INDEXES};
SRWLOCK g_slotLock = SRWLOCK_INIT;
std::atomic<unsigned> g_lastUser{0};
std::atomic<long> g_recordsAlive{0};

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

const HookUse* UseForWindow(const HookRecord& record, HWND hWnd)
{
    const HookUse* pAncestor = nullptr;
    const HookUse* pAny = nullptr;
    for (const HookUse& use : record.uses) {
        if (use.bWindowGone)
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
    // Another thread's records are out of reach; they go when that thread ends.
    if (m_dwThreadId != ::GetCurrentThreadId())
        return;
    HookRecord* pRecord = CurrentHookRecord(m_nType, false);
    if (!pRecord || !FindUse(*pRecord, nUser))
        return;   // the records were freed meanwhile
    std::erase_if(pRecord->uses, [nUser](const HookUse& use) { return use.nUser == nUser; });
    if (pRecord->uses.empty() && pRecord->hHook) {
        ::UnhookWindowsHookEx(pRecord->hHook);
        pRecord->hHook = nullptr;
        pRecord->pendingHighSurrogate = 0;
    }
}

void JDLLHook::SetLocalizationInfo(JLocalizationInfo* pInfo)
{
    m_pLocalization = pInfo;
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
