// Owners of the DCs and GDI objects the image operations make on the way, so
// that every exit releases them.
#pragma once
#include "afxwin.h"

namespace imageproc {

// The window's DC, or the screen DC for no window.
class WindowDC {
public:
    explicit WindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr), m_hDC(::GetDC(m_hWnd)) {}
    ~WindowDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// A memory DC that puts back the bitmap it had before its first selection.
class MemoryDC {
public:
    explicit MemoryDC(HDC hCompatible) : m_hDC(::CreateCompatibleDC(hCompatible)) {}
    ~MemoryDC()
    {
        Unselect();
        if (m_hDC)
            ::DeleteDC(m_hDC);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

    BOOL Select(HBITMAP hBitmap)
    {
        HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
        if (!hOld || hOld == HGDI_ERROR)
            return FALSE;
        if (!m_hOld)
            m_hOld = hOld;
        return TRUE;
    }
    void Unselect()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        m_hOld = nullptr;
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld = nullptr;
};

// An owned GDI object, deleted at the end of its scope.
template <class Handle>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h) : m_h(h) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    operator Handle() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(Handle h = nullptr)
    {
        if (m_h)
            ::DeleteObject(m_h);
        m_h = h;
    }
    Handle Release()
    {
        Handle h = m_h;
        m_h = nullptr;
        return h;
    }

private:
    Handle m_h = nullptr;
};
using Bitmap = Owned<HBITMAP>;
using Brush = Owned<HBRUSH>;

}   // namespace imageproc
