// Helpers for tests that drive real windows under Wine.
#pragma once
#include "afxwin.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Dispatches every queued message (and posted ones they cause) through the
// application's PreTranslateMessage, as the message loop would.
void PumpMessages();
// Pumps until the condition holds or about two seconds have passed (input arrives
// asynchronously); whether it held.
bool PumpUntil(const std::function<bool()>& done);

// A 32-bit top-down bitmap selected into a memory DC.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF Pixel(int x, int y) const;   // as RGB()
    // Number of pixels of exactly this colour.
    int Count(COLORREF color) const;

private:
    int m_width, m_height;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    const uint32_t* m_bits = nullptr;
};

// A canvas holding what the window shows (frame, client and children).
std::unique_ptr<MemoryCanvas> RenderWindow(HWND hWnd);

// Makes a window the application's main window for one scope.
class MainWindowScope {
public:
    explicit MainWindowScope(CWnd* pWnd) : m_old(AfxGetApp()->m_pMainWnd) { AfxGetApp()->m_pMainWnd = pWnd; }
    ~MainWindowScope() { AfxGetApp()->m_pMainWnd = m_old; }
    MainWindowScope(const MainWindowScope&) = delete;
    MainWindowScope& operator=(const MainWindowScope&) = delete;

private:
    CWnd* m_old;
};

// A key under HKCU for one test, deleted with everything below it afterwards.
class ScopedTestKey {
public:
    ScopedTestKey();
    ~ScopedTestKey();
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

    const CString& path() const { return m_path; }   // relative to HKCU

private:
    CString m_path;
};

bool KeyExists(HKEY root, LPCSTR path);

// The folder of the running program, without a trailing backslash.
std::string ProgramFolder();

// Collects what this process writes to the debugger output while it lives.
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    std::string Text() const;

private:
    void* m_handler;
};

}   // namespace testing_support
