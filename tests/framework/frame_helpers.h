// Helpers shared by the tests of frames and bars driven with real input.
#pragma once
#include "scripted_input.h"
#include "testsupport.h"

#include <functional>

namespace frame_tests {

using testing_support::MainWindowScope;

using testing_support::PumpUntil;

// The library's resource module, loaded once for the whole run.
inline HINSTANCE LibraryResources()
{
    static const HINSTANCE module = ::LoadLibraryA("cntlrc.drx");
    return module;
}

// The library's resource module, searched after the application for one test.
class ExtensionResources {
public:
    ExtensionResources() { AfxAddResourceModule(LibraryResources()); }
    ~ExtensionResources() { AfxRemoveResourceModule(LibraryResources()); }
    ExtensionResources(const ExtensionResources&) = delete;
    ExtensionResources& operator=(const ExtensionResources&) = delete;
    HINSTANCE get() const { return LibraryResources(); }
};

// Script steps that read the text of the message box the finder returns, then press a button.
inline void ReadAndAnswer(testing_support::ScriptedInput& script, testing_support::WindowFinder box, int nID,
                          CString& shown)
{
    script.WaitFor(box, "message box")
        .Then(
            [box, &shown] {
                shown = testing_support::GetMessageBoxText(box());
                return true;
            },
            "read the text")
        .PressDialogButton(box, nID);
}

// Shows a frame and makes it the foreground window, as a user's click would.
inline void ShowActive(CWnd& frame)
{
    frame.ShowWindow(SW_SHOW);
    frame.UpdateWindow();
    testing_support::MakeForeground(frame.m_hWnd);
    testing_support::PumpMessages();
}

// Destroys the fixture's window, if it is still there, and runs what that posted.
inline void Destroy(CWnd& wnd)
{
    if (wnd.m_hWnd)
        wnd.DestroyWindow();
    testing_support::PumpMessages();
}

// The window's rectangle in the client coordinates of another.
inline CRect RectIn(HWND hWnd, HWND hWndOther)
{
    CRect rect;
    ::GetWindowRect(hWnd, rect);
    ::MapWindowPoints(nullptr, hWndOther, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

// A window's rectangle in the rendering of an outer window.
inline CRect InRendering(HWND hWnd, HWND hWndOuter)
{
    CRect rect = RectIn(hWnd, nullptr);
    const CRect outer = RectIn(hWndOuter, nullptr);
    rect.OffsetRect(-outer.left, -outer.top);
    return rect;
}

// Records what command-UI handlers decide for one command.
class CRecordingCmdUI : public CCmdUI {
public:
    explicit CRecordingCmdUI(UINT nID) { m_nID = nID; }
    BOOL enabled = TRUE;
    int checked = -1;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        enabled = bOn;
    }
    void SetCheck(int nCheck) override { checked = nCheck; }
};

inline CPoint CenterOnScreen(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, rect);
    return rect.CenterPoint();
}

}   // namespace frame_tests
