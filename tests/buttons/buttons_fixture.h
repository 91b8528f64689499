// A started library and a top-level window that records, in order, what the buttons and
// pop-ups placed in it tell their owner.
#pragma once
#include "jbutton.h"
#include "module.h"
#include "scripted_input.h"
#include "testsupport.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

#include <vector>

namespace buttons_test {

// A message the owner received: the message, and for WM_NOTIFY the code, else wParam.
struct Heard {
    UINT message;
    UINT_PTR detail;
    bool operator==(const Heard&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Heard& h)
{
    return out << "{0x" << std::hex << h.message << ", 0x" << h.detail << std::dec << "}";
}

class OwnerWindow : public CWnd {
public:
    std::vector<Heard> heard;
    LRESULT vetoPress = 0;   // the answer to JBN_PRESSED
    std::vector<UINT> recorded{JBN_PRESSED, JBN_DROPDOWN, WM_NOTIFY, WM_COMMAND, WM_SETMESSAGESTRING};
    std::function<void(UINT)> onDropDown;   // runs while the button waits for JBN_DROPDOWN
    std::function<void(WPARAM)> onCommand;  // runs when a WM_COMMAND comes

    BOOL CreateTopLevel(CRect rect)
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW)),
                        "Owner", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (std::find(recorded.begin(), recorded.end(), message) != recorded.end()) {
            const UINT_PTR detail = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->code : wParam;
            heard.push_back({message, detail});
            if (message == JBN_PRESSED)
                return vetoPress;
            if (message == JBN_DROPDOWN && onDropDown)
                onDropDown((UINT)wParam);
            if (message == WM_COMMAND && onCommand)
                onCommand(wParam);
            if (message != WM_COMMAND)
                return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// An in-memory dialog template of controls named by class, in dialog units.
class TemplateBuilder {
public:
    struct Item {
        const wchar_t* className;
        const wchar_t* text;
        WORD id;
        DWORD style;
        short x, y, cx, cy;
    };
    explicit TemplateBuilder(const std::vector<Item>& items)
    {
        DLGTEMPLATE head{WS_CHILD | WS_VISIBLE | DS_SETFONT, 0, (WORD)items.size(), 0, 0, 200, 80};
        Append(&head, sizeof head);
        Word(0), Word(0), Word(0);   // no menu, the default class, no title
        Word(8), String(L"MS Shell Dlg");
        for (const Item& item : items) {
            Align();
            DLGITEMTEMPLATE entry{item.style | WS_CHILD | WS_VISIBLE, 0, item.x, item.y, item.cx, item.cy, item.id};
            Append(&entry, sizeof entry);
            String(item.className), String(item.text), Word(0);
        }
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

private:
    void Append(const void* p, size_t n)
    {
        const auto* bytes = static_cast<const BYTE*>(p);
        m_data.insert(m_data.end(), bytes, bytes + n);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    void String(const wchar_t* s) { Append(s, (wcslen(s) + 1) * sizeof(wchar_t)); }
    void Align()
    {
        while (m_data.size() % 4)
            m_data.push_back(0);
    }
    std::vector<BYTE> m_data;
};

class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlAttachProcess(::GetModuleHandleA(nullptr));
        ASSERT_TRUE(owner.CreateTopLevel(CRect(40, 40, 440, 240)));
        ASSERT_TRUE(testing_support::MakeForeground(owner.m_hWnd));
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        testing_support::PumpMessages();
        ControlDetachProcess();
    }
    // A screen point of a window's client point.
    static POINT ScreenPoint(CWnd* pWnd, CPoint client)
    {
        pWnd->ClientToScreen(&client);
        return client;
    }
    // A 3-D button 40 x 30 at (10, 10) with the picture of MakePicture.
    void MakeButton(JButton& button, DWORD dwStyle = WS_VISIBLE, UINT nID = 101)
    {
        ASSERT_TRUE(button.Create(&owner, CRect(10, 10, 50, 40), dwStyle, nID));
        HBITMAP hPicture = MakePicture();
        ASSERT_TRUE(button.LoadBitmap(hPicture));
        ::DeleteObject(hPicture);
        button.SetAppearance(0);
    }
    // 16 x 15 on the face colour with a black 6 x 5 block at (5, 5).
    static HBITMAP MakePicture()
    {
        HDC hScreen = ::GetDC(nullptr);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kPicture.cx, kPicture.cy);
        ::ReleaseDC(nullptr, hScreen);
        CDC dc;
        dc.Attach(::CreateCompatibleDC(nullptr));
        HGDIOBJ hOld = dc.SelectObject(hBitmap);
        dc.FillSolidRect(0, 0, kPicture.cx, kPicture.cy, ::GetSysColor(COLOR_BTNFACE));
        dc.FillSolidRect(kBlock, RGB(0, 0, 0));
        dc.SelectObject(hOld);
        ::DeleteDC(dc.Detach());
        return hBitmap;
    }
    static constexpr SIZE kPicture{16, 15};
    static inline const CRect kBlock{5, 5, 11, 10};
    OwnerWindow owner;
};

}   // namespace buttons_test
