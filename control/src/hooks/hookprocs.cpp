// The hook procedures JDLLHook installs. Each lets negative codes pass, tells
// the host engine that this library is the one at work, and never keeps a
// record pointer across a call that may send messages: a handler may release
// hooks or destroy windows meanwhile.
#include "hooktable.h"
#include "hostengine.h"
#include "imecomposition.h"
#include "jlocalizationinfo.h"

namespace {

// The framework's thread object when it runs this thread's messages.
CWinThread* CurrentUiThread()
{
    CWinThread* pThread = AfxGetThread();
    return pThread && pThread->m_nThreadID == ::GetCurrentThreadId() ? pThread : nullptr;
}

bool FocusInsideMainWindow(CWinThread* pThread)
{
    CWnd* pMainWnd = pThread->GetMainWnd();
    const HWND hFocus = ::GetFocus();
    if (!pMainWnd || !pMainWnd->m_hWnd || !hFocus)
        return false;
    return hFocus == pMainWnd->m_hWnd || ::IsChild(pMainWnd->m_hWnd, hFocus);
}

// The hooks of the current thread without the uses given back elsewhere.
void DropReleasedUses(int type)
{
    if (HookRecord* pRecord = CurrentHookRecord(type, false))
        DropUsesReleasedElsewhere(*pRecord);
}

LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    DropReleasedUses(WH_MSGFILTER);
    // The thread's own filtering decides, as for the modal loops the framework runs.
    if (code >= 0 && lParam) {
        if (CWinThread* pThread = CurrentUiThread()) {
            HostTellModuleState();
            if (pThread->ProcessMessageFilter(code, reinterpret_cast<MSG*>(lParam)))
                return TRUE;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam)
{
    DropReleasedUses(WH_GETMESSAGE);
    // Only messages leaving the queue: a peeked one comes again when it is removed.
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (code < 0 || wParam != PM_REMOVE || !pMsg)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    const bool bKeyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    if (!bKeyDown && pMsg->message != WM_MOUSEMOVE)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    CWinThread* pThread = CurrentUiThread();
    if (!pThread || (bKeyDown && !FocusInsideMainWindow(pThread)))
        return ::CallNextHookEx(nullptr, code, wParam, lParam);

    HostTellModuleState();
    const WPARAM key = pMsg->wParam;
    if (pThread->PreTranslateMessage(pMsg)) {
        if (!bKeyDown)
            return 1;
        // Escape still reaches its window, which closes pop-ups and ends modes.
        if (key != VK_ESCAPE) {
            pMsg->message = WM_NULL;
            pMsg->wParam = 0;
            pMsg->lParam = 0;
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void ForgetDestroyedWindow(HWND hWnd)
{
    for (int type : {WH_MSGFILTER, WH_GETMESSAGE, WH_CALLWNDPROC})
        if (HookRecord* pRecord = CurrentHookRecord(type, false))
            for (HookUse& use : pRecord->uses)
                if (use.hWnd == hWnd)
                    use.bWindowGone = true;
}

void HandleSentMessage(const CWPSTRUCT& sent)
{
    const bool bImeResult = sent.message == WM_IME_COMPOSITION || sent.message == WM_IME_CHAR;
    const HookRecord* pRecord = CurrentHookRecord(WH_CALLWNDPROC, false);
    const HookUse* pUse = pRecord ? UseForWindow(*pRecord, sent.hwnd) : nullptr;
    if (!pUse || (!bImeResult && !pUse->pLocalization))
        return;
    const HWND hTarget = pUse->hWnd ? pUse->hWnd : sent.hwnd;
    JLocalizationInfo* pLocalization = pUse->pLocalization;
    pRecord = nullptr;
    pUse = nullptr;

    HostTellModuleState();
    if (pLocalization && pLocalization->WindowProc(sent.hwnd, sent.message, sent.wParam, sent.lParam))
        return;
    if (sent.message == WM_IME_COMPOSITION) {
        if (CompositionHasResult(sent.lParam))
            SendComposedResult(sent.hwnd, hTarget);
    } else if (sent.message == WM_IME_CHAR) {
        HookRecord* pCurrent = CurrentHookRecord(WH_CALLWNDPROC, false);
        if (!pCurrent)
            return;   // released meanwhile
        wchar_t pending = pCurrent->pendingHighSurrogate;
        pCurrent->pendingHighSurrogate = 0;
        SendImeCharAsBytes(hTarget, sent.wParam, &pending);
        if ((pCurrent = CurrentHookRecord(WH_CALLWNDPROC, false)) != nullptr)
            pCurrent->pendingHighSurrogate = pending;
    }
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    DropReleasedUses(WH_CALLWNDPROC);
    if (code >= 0 && lParam) {
        const CWPSTRUCT sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent.message == WM_NCDESTROY)
            ForgetDestroyedWindow(sent.hwnd);
        else
            HandleSentMessage(sent);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}   // namespace

HOOKPROC HookProcedureOf(int type)
{
    switch (type) {
    case WH_MSGFILTER:
        return &MessageFilterProc;
    case WH_GETMESSAGE:
        return &GetMessageProc;
    case WH_CALLWNDPROC:
        return &CallWndProc;
    default:
        return nullptr;
    }
}
