// The dropdowns dropped from a button's drop-down part under real input: picks by mouse
// and keys, cancels, the reports their button hears, their place near each screen edge and
// their loop ending when the button goes; the custom combo box's two sections.
#include "buttons_fixture.h"

#include "jdropdown.h"

#include <memory>
#include <string>

using namespace buttons_test;
using testing_support::ScriptedInput;

namespace {

// A drop-down button that records the picks its dropdowns report.
class RecordingButton : public JButton {
public:
    std::vector<Heard> reports;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= JDM_STYLEPICKED && message <= JDM_PATTERNPICKED) {
            reports.push_back({message, wParam});
            return 0;
        }
        return JButton::WindowProc(message, wParam, lParam);
    }
};

enum class Kind { kText, kArrow };

// One user action inside the open pop-up.
struct Act {
    enum { kClickItem, kKey, kClickOutside, kRightClick } what;
    int value;   // the item or the key
};
Act Item(int n)
{
    return {Act::kClickItem, n};
}
Act Key(int vk)
{
    return {Act::kKey, vk};
}

struct DropCase {
    const char* name;
    Kind kind;
    std::vector<Act> acts;
    std::vector<Heard> reports;
    int index;   // the list's selection afterwards (it starts at 1)
};
void PrintTo(const DropCase& c, std::ostream* out)
{
    *out << c.name;
}

}   // namespace

class DropdownTest : public ButtonsTest {
protected:
    void SetUp() override
    {
        ButtonsTest::SetUp();
        ASSERT_TRUE(button.Create(&owner, CRect(10, 10, 50, 40), WS_VISIBLE | JBS_DROPDOWN, 101));
        owner.onDropDown = [this](UINT) {
            if (pDrop)
                pDrop->ShowDropDown(&button);
        };
    }
    void TearDown() override
    {
        text.reset();
        arrow.reset();
        ButtonsTest::TearDown();
    }
    void Make(Kind kind)
    {
        if (kind == Kind::kText) {
            text = std::make_unique<JTextDropdown>();
            ASSERT_TRUE(text->Create(&button));
            for (const char* s : {"Solid", "Dash", "Center", "Dot"})
                text->AddString(s);
            pDrop = text.get();
            pList = text->GetList();
        } else {
            arrow = std::make_unique<JArrowDropdown>();
            ASSERT_TRUE(arrow->Create(&button));
            pDrop = arrow.get();
            pList = &arrow->m_list;
        }
        pDrop->SetCurSel(1);
    }
    HWND PopupWindow() const { return text ? text->GetList()->m_hWnd : arrow->m_hWnd; }
    bool PopupShown() const { return ::IsWindowVisible(PopupWindow()) != FALSE; }
    POINT ItemPoint(int item) const
    {
        CRect rect;
        pList->GetItemRect(item, rect);
        pList->ClientToScreen(rect);
        return rect.CenterPoint();
    }
    // Opens the pop-up from the drop-down part with a real click, then runs the acts.
    void Drop(ScriptedInput& script, const std::vector<Act>& acts)
    {
        script.Then([this] {
            testing_support::ClickAt(ScreenPoint(&button, CPoint(35, 15)));
            return true;
        });
        script.Then([this] { return PopupShown(); }, "pop-up shown");
        for (const Act& act : acts)
            script.Then([this, act] {
                switch (act.what) {
                case Act::kClickItem:
                    testing_support::ClickAt(ItemPoint(act.value));
                    break;
                case Act::kKey:
                    testing_support::PressKey((WORD)act.value);
                    break;
                case Act::kClickOutside:
                    testing_support::ClickAt(ScreenPoint(&owner, CPoint(300, 150)));
                    break;
                case Act::kRightClick:
                    testing_support::ClickAt(ItemPoint(0), true);
                    break;
                }
                return true;
            });
        script.Then([this] { return !PopupShown(); }, "pop-up closed");
        Finish(script);
    }
    // Pumps until the script is done or its watchdog fired.
    static void Finish(ScriptedInput& script)
    {
        while (!script.Done() && !script.TimedOut()) {
            testing_support::PumpMessages();
            ::Sleep(10);
        }
        testing_support::PumpMessages();
    }

    RecordingButton button;
    std::unique_ptr<JTextDropdown> text;
    std::unique_ptr<JArrowDropdown> arrow;
    JDropdown* pDrop = nullptr;
    CListBox* pList = nullptr;
};

class DropdownPick : public DropdownTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropdownPick, ReportsAndSelection)
{
    const DropCase& c = GetParam();
    Make(c.kind);
    owner.recorded = {JBN_DROPDOWN};
    ScriptedInput script;
    Drop(script, c.acts);
    EXPECT_EQ(c.reports, button.reports);
    EXPECT_EQ(c.index, pDrop->GetIndex());
    EXPECT_EQ((std::vector<Heard>{{JBN_DROPDOWN, 101}}), owner.heard) << "one drop, and no press of the main part";
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(button.GetDropDownStyle() & TBBS_PRESSED);
}

// Texts sort as Center, Dash, Dot, Solid; the arrow list holds six pictures and a text entry.
INSTANTIATE_TEST_SUITE_P(
    Acts, DropdownPick,
    ::testing::Values(DropCase{"textMouse", Kind::kText, {Item(3)}, {{JDM_TEXTPICKED, 3}}, 3},
                      DropCase{"textDownDownEnter", Kind::kText, {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}, {}, 3},
                      DropCase{"textDownPastTheEnd", Kind::kText, {Key(VK_END), Key(VK_NEXT), Key(VK_RETURN)}, {}, 3},
                      DropCase{"textHome", Kind::kText, {Key(VK_HOME), Key(VK_RETURN)}, {}, 0},
                      DropCase{"textUpPastTheTop", Kind::kText, {Key(VK_UP), Key(VK_PRIOR), Key(VK_RETURN)}, {}, 0},
                      DropCase{"textEscape", Kind::kText, {Key(VK_END), Key(VK_ESCAPE)}, {}, 1},
                      DropCase{"textClickOutside", Kind::kText, {Key(VK_HOME), {Act::kClickOutside, 0}}, {}, 1},
                      DropCase{"textRightClick", Kind::kText, {{Act::kRightClick, 0}}, {}, 1},
                      DropCase{"arrowMouse", Kind::kArrow, {Item(4)}, {{JDM_ARROWPICKED, 4}}, 4},
                      DropCase{"arrowTextEntry", Kind::kArrow, {Item(6)}, {{JDM_ARROWPICKED, 6}}, 6},
                      DropCase{"arrowLeftEnter", Kind::kArrow, {Key(VK_LEFT), Key(VK_RETURN)}, {}, 6},
                      DropCase{"arrowEscape", Kind::kArrow, {Key(VK_DOWN), Key(VK_ESCAPE)}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The press that closed the pop-up from outside still reaches its window.
TEST_F(DropdownTest, ClickOutsideReachesItsTarget)
{
    Make(Kind::kText);
    owner.recorded = {JBN_DROPDOWN, WM_LBUTTONDOWN};
    ScriptedInput script;
    Drop(script, {{Act::kClickOutside, 0}});
    EXPECT_EQ(1, std::count_if(owner.heard.begin(), owner.heard.end(),
                               [](const Heard& h) { return h.message == WM_LBUTTONDOWN; }));
}

// A second press on the drop-down part closes the pop-up and does not drop it again.
TEST_F(DropdownTest, PressOnTheDropPartAgainCloses)
{
    Make(Kind::kText);
    owner.recorded = {JBN_DROPDOWN};
    ScriptedInput script;
    script.Then([this] {
        testing_support::ClickAt(ScreenPoint(&button, CPoint(35, 15)));
        return true;
    });
    script.Then([this] { return PopupShown(); }, "pop-up shown").Then([this] {
        testing_support::ClickAt(ScreenPoint(&button, CPoint(35, 15)));
        return true;
    });
    script.Then([this] { return !PopupShown(); }, "pop-up closed");
    Finish(script);
    testing_support::PumpMessages();
    EXPECT_FALSE(PopupShown());
    EXPECT_EQ((std::vector<Heard>{{JBN_DROPDOWN, 101}}), owner.heard);
}

// Near each edge of the work area the pop-up opens fully on it and clear of its button.
TEST_F(DropdownTest, StaysOnTheWorkAreaNearEachEdge)
{
    Make(Kind::kArrow);
    RECT work;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const CSize size(40, 30);
    const CPoint corners[] = {{(LONG)work.left, (LONG)work.top},
                              {(LONG)work.right - size.cx, (LONG)work.top},
                              {(LONG)work.left, (LONG)work.bottom - size.cy},
                              {(LONG)work.right - size.cx, (LONG)work.bottom - size.cy}};
    for (const CPoint& corner : corners) {
        SCOPED_TRACE(::testing::Message() << "button at " << corner.x << "," << corner.y);
        owner.SetWindowPos(nullptr, corner.x - 10, corner.y - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect popup, buttonRect;
        ScriptedInput script;
        script.Then([&] {
            if (!PopupShown())
                return false;
            ::GetWindowRect(PopupWindow(), popup);
            testing_support::PressKey(VK_ESCAPE);
            return true;
        });
        EXPECT_EQ(1, pDrop->ShowDropDown(&button));
        Finish(script);
        button.GetWindowRect(buttonRect);
        EXPECT_TRUE(popup.left >= work.left && popup.top >= work.top && popup.right <= work.right &&
                    popup.bottom <= work.bottom);
        EXPECT_TRUE(popup.top == buttonRect.bottom || popup.bottom == buttonRect.top);
    }
}

// The loop ends when the button (and the pop-up it owns) goes, or the application loses
// activation; the watchdog fails the test instead of hanging.
TEST_F(DropdownTest, LoopEndsWhenTheButtonGoesOrTheApplicationIsLeft)
{
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "button destroyed" : "activation lost");
        Make(Kind::kArrow);
        ScriptedInput script;
        script.Then([this] { return PopupShown(); }, "shown").Then([this, destroy] {
            if (destroy)
                button.DestroyWindow();
            else
                ::SendMessageA(PopupWindow(), WM_ACTIVATEAPP, FALSE, 0);
            return true;
        });
        EXPECT_EQ(1, pDrop->ShowDropDown(&button));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(nullptr, ::GetCapture());
        if (!destroy) {
            EXPECT_FALSE(PopupShown());
        }
    }
}

TEST_F(DropdownTest, CustomComboKeepsATopSectionAboveTheSortedRest)
{
    JCustomComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 100, 200),
                             &owner, 7));
    struct Add {
        const char* text;
        BOOL sorted;
        int index;
    };
    const Add adds[] = {{"zeta", TRUE, 0}, {"Alpha", TRUE, 0},  {"ByLayer", FALSE, 0}, {"ByBlock", FALSE, 1},
                        {"mid", TRUE, 3},  {"alpha", TRUE, -1}, {"Beta", TRUE, 3},     {"ByLayer", TRUE, -1}};
    for (const Add& add : adds)
        EXPECT_EQ(add.index, combo.AddItem(add.text, add.sorted, 0)) << add.text;
    EXPECT_EQ(1, combo.GetLastTopIndex());
    EXPECT_EQ(6, (int)combo.SendMessage(CB_ADDSTRING, 0, (LPARAM) "Zulu")) << "CB_ADDSTRING sorts below the top";
    const char* order[] = {"ByLayer", "ByBlock", "Alpha", "Beta", "mid", "zeta", "Zulu"};
    for (int i = 0; i < 7; ++i) {
        CString item;
        combo.GetLBText(i, item);
        EXPECT_STREQ(order[i], item) << i;
    }
    combo.DestroyWindow();
}
