#include "callframe.h"

#include "jenvmanager.h"
#include "libstate.h"

CFrameWnd* ControlInPlaceFrame()
{
    if (JEnvironmentManager* pManager = JEnvironmentManager::Get())
        return pManager->GetInPlaceFrame();
    return ControlState().pInPlaceFrame;
}

CFrameWnd* ControlFrameOfCall()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    CFrameWnd* pFrame = nullptr;
    if (pMainWnd && pMainWnd->m_hWnd) {
        pFrame = pMainWnd->GetTopLevelFrame();
        if (!pFrame && pMainWnd->IsFrameWnd())
            pFrame = static_cast<CFrameWnd*>(pMainWnd);
    }
    CFrameWnd* pInPlace = ControlInPlaceFrame();
    if (pInPlace && pInPlace != pFrame)
        return pInPlace;
    return pFrame;
}

void ForEachControlBar(CFrameWnd* pFrame, const std::function<bool(CControlBar*)>& fn)
{
    if (!pFrame)
        return;
    // A handler may change the list: walk a copy.
    CPtrList bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;)
        bars.AddTail(pFrame->m_listControlBars.GetNext(pos));
    for (POSITION pos = bars.GetHeadPosition(); pos;) {
        auto* pBar = static_cast<CControlBar*>(bars.GetNext(pos));
        if (!pBar || !pFrame->m_listControlBars.Find(pBar))
            continue;
        if (!fn(pBar))
            return;
    }
}

bool IsLiveBar(const CControlBar* pBar)
{
    return pBar && pBar->m_hWnd && ::IsWindow(pBar->m_hWnd);
}

CWnd* FloatingFrameOf(CControlBar* pBar)
{
    if (!IsLiveBar(pBar) || !pBar->IsFloating())
        return nullptr;
    return pBar->GetParentFrame();
}
