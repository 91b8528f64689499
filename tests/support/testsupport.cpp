#include "testsupport.h"

#include <memory>
#include <mutex>
#include <optional>

namespace testing_support {

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        CWinThread* pThread = AfxGetThread();
        if (pThread && pThread->PreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 200; ++i) {
        PumpMessages();
        if (done())
            return true;
        ::Sleep(10);
    }
    return false;
}

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const uint32_t*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    HBRUSH brush = ::CreateSolidBrush(fill);
    RECT all = {0, 0, width, height};
    ::FillRect(m_dc, &all, brush);
    ::DeleteObject(brush);
}

MemoryCanvas::~MemoryCanvas()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF MemoryCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || !m_bits)
        return CLR_INVALID;
    ::GdiFlush();
    const uint32_t p = m_bits[(size_t)y * (size_t)m_width + (size_t)x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int MemoryCanvas::Count(COLORREF color) const
{
    int n = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            n += Pixel(x, y) == color;
    return n;
}

std::unique_ptr<MemoryCanvas> RenderWindow(HWND hWnd)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    auto canvas = std::make_unique<MemoryCanvas>(rect.right - rect.left, rect.bottom - rect.top);
    AfxRenderWindow(hWnd, canvas->dc());
    return canvas;
}

ScopedTestKey::ScopedTestKey()
{
    static LONG counter = 0;
    m_path.Format("Software\\CONTROL Tests\\%lu-%ld", ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
}

ScopedTestKey::~ScopedTestKey()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, m_path);
    // The shared parent goes too once no test key is left in it.
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CONTROL Tests");
}

bool KeyExists(HKEY root, LPCSTR path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

namespace {
std::mutex g_captureLock;
std::optional<std::string> g_captured;

LONG CALLBACK CaptureDebugString(EXCEPTION_POINTERS* info)
{
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != DBG_PRINTEXCEPTION_C || record->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    std::lock_guard<std::mutex> guard(g_captureLock);
    if (g_captured)
        g_captured->append(reinterpret_cast<const char*>(record->ExceptionInformation[1]),
                           (size_t)record->ExceptionInformation[0] - 1);
    return EXCEPTION_CONTINUE_EXECUTION;
}
}

DebugOutputCapture::DebugOutputCapture()
{
    std::lock_guard<std::mutex> guard(g_captureLock);
    g_captured.emplace();
    m_handler = ::AddVectoredExceptionHandler(1, CaptureDebugString);
}

DebugOutputCapture::~DebugOutputCapture()
{
    ::RemoveVectoredExceptionHandler(m_handler);
    std::lock_guard<std::mutex> guard(g_captureLock);
    g_captured.reset();
}

std::string DebugOutputCapture::Text() const
{
    std::lock_guard<std::mutex> guard(g_captureLock);
    return g_captured.value_or(std::string());
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\'));
}

}   // namespace testing_support
