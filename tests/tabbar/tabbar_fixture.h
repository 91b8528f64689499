// A started library, a top-level drawing window that records what its sheet tab bar
// tells it, and a bar of sheets along its bottom edge with the font of US English.
#pragma once
#include "jtabbar.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tabbar_test {

// A notification: its code and the index of its tab (-1 for none).
struct Notice {
    UINT code;
    int tab;
    bool operator==(const Notice&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Notice& n)
{
    return out << "{" << n.code << ", " << n.tab << "}";
}

const COLORREF kDrawingColor = RGB(0, 128, 0);

class DrawingWindow : public CWnd {
public:
    CJTabBar* pBar = nullptr;
    std::vector<Notice> notices;
    WPARAM lastFrom = 0;   // wParam of the last notification: the bar's identifier
    std::vector<UINT> scrollCodes;   // WM_HSCROLL codes passed on by the bar
    HWND scrollSource = nullptr;
    bool veto = false;   // answer notification 1 with "no"

    BOOL CreateTopLevel(int width, int height)
    {
        static HBRUSH hGreen = ::CreateSolidBrush(kDrawingColor);
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), hGreen), "Drawing",
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 30, 30, width, height, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && pBar && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == pBar->m_hWnd) {
            const auto* pNotify = reinterpret_cast<const JTBNOTIFY*>(lParam);
            notices.push_back({pNotify->hdr.code, pBar->GetItemIndex(pNotify->pTab)});
            lastFrom = pNotify->hdr.idFrom == wParam ? wParam : (WPARAM)-1;
            return pNotify->hdr.code == JTBN_SELCHANGING && veto;
        }
        if (message == WM_HSCROLL) {
            scrollCodes.push_back(LOWORD(wParam));
            scrollSource = (HWND)lParam;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TabBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(m_drawing.CreateTopLevel(560, 120));
        ASSERT_TRUE(m_bar.Create(JTBS_BOTTOM | JTBS_SHEETTABS | JTBS_EDITLABELS, &m_drawing, 100));
        m_drawing.pBar = &m_bar;
        m_bar.SetFontLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        AddSheets(12);
        ASSERT_TRUE(testing_support::MakeForeground(m_drawing.m_hWnd));
        testing_support::PumpMessages();
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_drawing.DestroyWindow();
        testing_support::PumpMessages();
        ControlDetachProcess();
    }

    void AddSheets(int count)
    {
        for (int i = m_bar.GetItemCount(), end = i + count; i < end; ++i) {
            std::wstring name = L"Sheet" + std::to_wstring(i + 1);
            _JTB_ITEM item{0, name.data(), 0, i};
            m_bar.InsertItem(item, reinterpret_cast<CJTab*>(-1));
        }
    }
    void Rename(int index, const std::wstring& name)
    {
        std::wstring text = name;
        _JTB_ITEM item{0, text.data(), 0, index};
        m_bar.SetItem(m_bar.GetItemAt(index), item);
    }
    CString Name(int index) { return m_bar.GetItemAt(index)->GetText().Text(); }
    // A screen point on the tab's face, clear of its neighbours' ends.
    CPoint TabPoint(int index)
    {
        CPoint point = m_bar.GetItemAt(index)->GetRect().CenterPoint();
        m_bar.ClientToScreen(&point);
        return point;
    }
    std::vector<int> Selection()
    {
        std::vector<int> selected;
        for (int i = 0; i < m_bar.GetItemCount(); ++i)
            if (m_bar.GetItemAt(i)->IsSelected())
                selected.push_back(i);
        return selected;
    }
    // Pumps until the condition holds or ms have passed; whether it held.
    static bool PumpFor(
        DWORD ms, const std::function<bool()>& done = [] { return false; })
    {
        const DWORD end = ::GetTickCount() + ms;
        while ((LONG)(::GetTickCount() - end) < 0) {
            testing_support::PumpMessages();
            if (done())
                return true;
            ::Sleep(10);
        }
        return false;
    }

    DrawingWindow m_drawing;
    CJTabBar m_bar;
};

}   // namespace tabbar_test
