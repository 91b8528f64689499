// The memory DCs every image list draws through, made once per process.
#pragma once
#include "afxwin.h"

namespace imageproc {

struct SharedDCs {
    BOOL bWindowsNT = FALSE;
    BOOL bNewShell = FALSE;
    HDC hdc[3] = {nullptr, nullptr, nullptr};
};

// Made on first use; the same record until ReleaseShared.
SharedDCs& Shared();
void ReleaseShared();

// A bitmap selected into a shared DC for one scope; the DC gets its old bitmap back.
class Selection {
public:
    Selection(HDC hDC, HBITMAP hBitmap) : m_hDC(hDC), m_hOld(::SelectObject(hDC, hBitmap)) {}
    ~Selection() { Release(); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    operator HDC() const { return m_hDC; }

    void Reselect(HBITMAP hBitmap) { ::SelectObject(m_hDC, hBitmap); }
    void Release()
    {
        if (m_hOld && m_hOld != HGDI_ERROR)
            ::SelectObject(m_hDC, m_hOld);
        m_hOld = nullptr;
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

}   // namespace imageproc
