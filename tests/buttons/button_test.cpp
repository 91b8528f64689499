// JButton's looks in pixels, its reports to the owner under real mouse input, the
// chevron's menu count and the controls a dialog template makes from "jbutton" and "SPACER".
#include "buttons_fixture.h"

#include "controlexports.h"

#include <string>

using namespace buttons_test;
using testing_support::PumpUntil;

namespace {

// A 3-D 40 x 30 button: a 1-pixel frame, the part inside it, the picture centred one
// pixel further in.
const CRect kPart(1, 1, 39, 29);
const CPoint kPictureAt(2 + (36 - 16) / 2, 2 + (26 - 15) / 2);

CPoint Sum(CPoint a, CPoint b, CPoint c)
{
    return CPoint(a.x + b.x + c.x, a.y + b.y + c.y);
}

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

struct LookCase {
    const char* name;
    UINT style;
    CPoint shift;      // where the picture moved to
    int blockColour;   // system colour index of the black block, -1 for black
    bool sunken;       // the part's top-left corner in the shadow colour
    bool halftone;     // the background between border and picture is dithered
    bool embossed;     // a highlight copy one pixel down and right
};

}   // namespace

class ButtonLook : public ButtonsTest, public ::testing::WithParamInterface<LookCase> {};

TEST_P(ButtonLook, PixelsAtComputedPlaces)
{
    const LookCase& c = GetParam();
    JButton button;
    MakeButton(button);
    button.SetButtonStyle(c.style);
    auto canvas = testing_support::RenderWindow(button.m_hWnd);
    const CPoint block = Sum(kPictureAt, kBlock.TopLeft(), c.shift);
    const COLORREF expectedBlock = c.blockColour < 0 ? RGB(0, 0, 0) : Sys(c.blockColour);
    EXPECT_EQ(expectedBlock, canvas->Pixel(block.x + 2, block.y + 2));
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas->Pixel(block.x - 1, block.y - 1)) << "left of and above the block";
    EXPECT_EQ(c.sunken ? Sys(COLOR_BTNSHADOW) : Sys(COLOR_BTNHIGHLIGHT), canvas->Pixel(kPart.left, kPart.top));
    EXPECT_EQ(Sys(COLOR_WINDOWFRAME), canvas->Pixel(0, 5)) << "the 3-D frame";
    const COLORREF a = canvas->Pixel(kPart.left + 4, kPart.top + 4), b = canvas->Pixel(kPart.left + 5, kPart.top + 4);
    if (c.halftone) {
        EXPECT_NE(a, b);
        EXPECT_TRUE(a == Sys(COLOR_BTNHIGHLIGHT) || b == Sys(COLOR_BTNHIGHLIGHT));
    } else {
        EXPECT_EQ(Sys(COLOR_BTNFACE), a);
        EXPECT_EQ(Sys(COLOR_BTNFACE), b);
    }
    const CPoint belowRight = Sum(kPictureAt, kBlock.BottomRight(), c.shift);   // one past the block's last pixel
    if (!c.halftone) {
        EXPECT_EQ(c.embossed ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNFACE), canvas->Pixel(belowRight.x, belowRight.y));
    }
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonLook,
    ::testing::Values(
        LookCase{"normal", 0, {0, 0}, -1, false, false, false},
        LookCase{"pressed", TBBS_PRESSED, {1, 1}, -1, true, false, false},
        LookCase{"checked", TBBS_CHECKBOX | TBBS_CHECKED, {1, 1}, -1, true, true, false},
        LookCase{"indeterminate", TBBS_CHECKBOX | TBBS_INDETERMINATE, {0, 0}, COLOR_BTNSHADOW, false, true, false},
        LookCase{"disabled", TBBS_DISABLED, {0, 0}, COLOR_BTNSHADOW, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The fill paints where the mask (this program's "IDB_PTCO2_MS": black from (2, 2) to
// (13, 12)) is black: a colour, the face colour, a hatch of every sixth diagonal, or
// nothing once turned off.
TEST_F(ButtonsTest, FillMaskColorPaintsThroughTheMask)
{
    struct Row {
        COLORREF fill;
        COLORREF at33, at43;   // picture pixels (3, 3) and (4, 3), inside the mask
        int state;
    };
    const COLORREF face = Sys(COLOR_BTNFACE);
    const Row table[] = {{RGB(0, 200, 0), RGB(0, 200, 0), RGB(0, 200, 0), 1},
                         {JButton::JCOLOR_NONE, RGB(0, 0, 0), face, 1},
                         {JButton::JCOLOR_FACE, face, face, 1},
                         {0x01000000, face, face, 0}};
    JButton button;
    MakeButton(button);
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message() << std::hex << row.fill);
        button.FillMaskColor(row.fill, nullptr);
        EXPECT_EQ(row.state, button.GetFillState());
        auto canvas = testing_support::RenderWindow(button.m_hWnd);
        EXPECT_EQ(row.at33, canvas->Pixel(kPictureAt.x + 3, kPictureAt.y + 3));
        EXPECT_EQ(row.at43, canvas->Pixel(kPictureAt.x + 4, kPictureAt.y + 3));
        EXPECT_EQ(face, canvas->Pixel(kPictureAt.x + 1, kPictureAt.y + 1)) << "outside the mask";
    }
}

TEST_F(ButtonsTest, FlatButtonShowsNoFrameUntilTheMouseIsOver)
{
    JButton button;
    MakeButton(button);
    button.SetAppearance(1);
    EXPECT_TRUE(button.GetStyle() & TBSTYLE_FLAT);
    EXPECT_EQ(Sys(COLOR_BTNFACE), testing_support::RenderWindow(button.m_hWnd)->Pixel(0, 5));
    testing_support::MoveMouse(ScreenPoint(&button, CPoint(20, 15)));
    ASSERT_TRUE(PumpUntil(
        [&] { return testing_support::RenderWindow(button.m_hWnd)->Pixel(0, 5) == Sys(COLOR_BTNHIGHLIGHT); }));
    testing_support::MoveMouse(ScreenPoint(&owner, CPoint(300, 150)));
    EXPECT_TRUE(
        PumpUntil([&] { return testing_support::RenderWindow(button.m_hWnd)->Pixel(0, 5) == Sys(COLOR_BTNFACE); }));
}

namespace {

struct ClickCase {
    const char* name;
    DWORD windowStyle;
    UINT buttonStyle;
    LRESULT veto;
    int x;   // client x of the click (the drop-down part is the right 14 pixels)
    std::vector<Heard> expected;
};
void PrintTo(const ClickCase& c, std::ostream* out)
{
    *out << c.name;
}

}   // namespace

class ButtonClick : public ButtonsTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ButtonClick, ReportsToTheOwnerInOrder)
{
    const ClickCase& c = GetParam();
    JButton button;
    MakeButton(button, WS_VISIBLE | c.windowStyle);
    button.SetButtonStyle(c.buttonStyle);
    owner.vetoPress = c.veto;
    owner.recorded = {JBN_PRESSED, JBN_DROPDOWN, WM_NOTIFY, WM_COMMAND};
    testing_support::ClickAt(ScreenPoint(&button, CPoint(c.x, 15)));
    PumpUntil([&] { return owner.heard.size() >= c.expected.size() && ::GetCapture() == nullptr; });
    testing_support::PumpMessages();
    EXPECT_EQ(c.expected, owner.heard);
    EXPECT_FALSE(button.GetButtonStyle() & TBBS_PRESSED);
    EXPECT_EQ(nullptr, ::GetCapture());
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ButtonClick,
    ::testing::Values(ClickCase{"main", 0, 0, 0, 15, {{JBN_PRESSED, 101}, {WM_NOTIFY, JBN_PRESSED}, {WM_COMMAND, 101}}},
                      ClickCase{"vetoed", 0, 0, 1, 15, {{JBN_PRESSED, 101}, {WM_NOTIFY, JBN_PRESSED}}},
                      ClickCase{"dropdown", JBS_DROPDOWN, 0, 0, 35, {{JBN_DROPDOWN, 101}, {WM_NOTIFY, JBN_DROPDOWN}}},
                      ClickCase{"mainBesideDropdown",
                                JBS_DROPDOWN,
                                0,
                                0,
                                10,
                                {{JBN_PRESSED, 101}, {WM_NOTIFY, JBN_PRESSED}, {WM_COMMAND, 101}}},
                      ClickCase{"disabled", 0, TBBS_DISABLED, 0, 15, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonsTest, CheckBoxButtonToggles)
{
    JButton button;
    MakeButton(button);
    button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_INDETERMINATE, button.GetButtonStyle());
    const UINT expected[] = {TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX};
    for (UINT style : expected) {
        const size_t commands = owner.heard.size();
        testing_support::ClickAt(ScreenPoint(&button, CPoint(15, 15)));
        ASSERT_TRUE(
            PumpUntil([&] { return owner.heard.size() > commands && owner.heard.back().message == WM_COMMAND; }));
        EXPECT_EQ(style, button.GetButtonStyle());
    }
}

TEST_F(ButtonsTest, ChevronCountsItsMenuItems)
{
    JChevronButton chevron;
    ASSERT_TRUE(chevron.Create("", 0, CRect(100, 10, 200, 100), &owner, 300));
    CRect window;
    chevron.GetClientRect(window);
    EXPECT_EQ(CSize(chevron.m_nWidth - 1, chevron.m_nHeight - 1), window.Size());
    EXPECT_EQ(0, chevron.PopOffTopMenuItem());
    HBITMAP hPicture = MakePicture();
    chevron.Add(1, hPicture);
    chevron.Add(2, hPicture);
    EXPECT_TRUE(chevron.IsWindowVisible());
    EXPECT_EQ(1, chevron.PopOffTopMenuItem());
    EXPECT_EQ(2u, chevron.m_menu.GetMenuItemID(0));
    chevron.DestroyWindow();
    ::DeleteObject(hPicture);
}

TEST_F(ButtonsTest, TemplateControlsGetTheirObjects)
{
    InitCustomControls();
    TemplateBuilder dialog(
        {{L"jbutton", L"", 201, TBBS_CHECKBOX, 4, 4, 30, 16}, {L"SPACER", L"12", 202, 0, 40, 4, 50, 16}});
    HWND hDialog = ::CreateDialogIndirectParamA(nullptr, dialog.get(), owner.m_hWnd, nullptr, 0);
    ASSERT_NE(nullptr, hDialog);
    CWnd* pButton = CWnd::FromHandlePermanent(::GetDlgItem(hDialog, 201));
    ASSERT_NE(nullptr, pButton);
    ASSERT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(JButton)));
    EXPECT_EQ(UINT(TBBS_CHECKBOX), static_cast<JButton*>(pButton)->GetButtonStyle());
    EXPECT_TRUE(pButton->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON);

    HWND hSpacer = ::GetDlgItem(hDialog, 202);
    ASSERT_TRUE(CWnd::FromHandlePermanent(hSpacer) &&
                CWnd::FromHandlePermanent(hSpacer)->IsKindOf(RUNTIME_CLASS(JSpacer)));
    RECT spacer;
    ::GetClientRect(hSpacer, &spacer);
    EXPECT_EQ(12, spacer.right);
    EXPECT_EQ(RGB(255, 0, 0), testing_support::RenderWindow(hSpacer)->Pixel(6, 3));
    ::DestroyWindow(hDialog);
    // The objects went with their windows.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hSpacer));
}
