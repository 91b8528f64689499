// The sheet tab bar's parts, font, painting and parent hook, and what it does with bad input.
#include "jlocalizationinfo.h"
#include "tabbar_fixture.h"

using namespace tabbar_test;
using testing_support::PumpMessages;

namespace {

class TabBarLayout : public TabBarTest {};

TEST_F(TabBarLayout, TheScrollBarTakesItsShareOfTheStripAtTheRatio)
{
    m_bar.ShowScrollBar(TRUE);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL), length = 560;
    const struct {
        float set;
        float used;
    } ratios[] = {{0.0f, 0.0f}, {0.25f, 0.25f}, {0.5f, 0.5f}, {1.0f, 1.0f}, {-1.0f, 1.0f}, {7.0f, 1.0f}};
    for (const auto& r : ratios) {
        SCOPED_TRACE(r.set);
        m_bar.SetTabToScrollRatio(r.set);
        const int start = std::min((int)((float)(length - 4 * cy + 4) * r.used) + 4 * cy - 8, length - 4);
        const int splitter = std::max(start, 4 * cy - 4);
        EXPECT_EQ(CRect(splitter, 0, splitter + 4, cy), m_bar.GetSplitterRect());
        EXPECT_EQ(CRect(4 * cy - 4, 0, splitter, cy), m_bar.GetTabArea());
        EXPECT_EQ(CRect(splitter + 4, 0, length, cy), m_bar.GetScrollBarRect());
        CRect window;
        m_bar.GetScrollBarCtrl()->GetWindowRect(window);
        m_bar.ScreenToClient(window);
        EXPECT_EQ(m_bar.GetScrollBarRect(), window);
    }
}

TEST_F(TabBarLayout, EachAlignmentPutsTheStripAlongItsEdgeWithTabsAlongIt)
{
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL), w = 560, h = 120;
    const struct {
        DWORD alignment;
        CRect bar;   // in the drawing's client area
    } cases[] = {
        {JTBS_BOTTOM, {0, h - cy + 1, w, h + 1}},
        {JTBS_RIGHT, {w - cy + 1, 0, w + 1, h}},
        {JTBS_TOP, {0, -1, w, cy - 1}},
        {JTBS_LEFT, {-1, 0, cy - 1, h}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        CJTabBar bar;
        ASSERT_TRUE(bar.Create(c.alignment | JTBS_SECTIONTABS, &m_drawing, 102));
        wchar_t name[] = L"Section";
        CJTab* pTab = bar.InsertItem(_JTB_ITEM{0, name, 0, 0}, nullptr);
        CRect rect;
        bar.GetWindowRect(rect);
        m_drawing.ScreenToClient(rect);
        EXPECT_EQ(c.bar, rect);
        const CRect tab = pTab->GetRect();
        EXPECT_EQ(cy, bar.IsHorizontal() ? tab.Height() : tab.Width()) << "across the whole strip";
        EXPECT_EQ(4 * cy - 4, bar.IsHorizontal() ? tab.left : tab.top) << "after the four buttons";
        _JTB_HITTESTINFO hit{tab.CenterPoint(), 0};
        EXPECT_EQ(pTab, bar.HitTest(hit));
        bar.DestroyWindow();
    }
}

TEST_F(TabBarLayout, TheFontFollowsThePinnedLanguage)
{
    const CString guiFace = JLocalizationInfo::GetDefaultFontName(nullptr).Text();
    const struct {
        LANGID language;
        BYTE charSet;
        LONG weight;
        CString face;
    } cases[] = {
        {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), ANSI_CHARSET, FW_BOLD, "MS Sans Serif"},
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), ANSI_CHARSET, FW_BOLD, "MS Sans Serif"},
        {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), RUSSIAN_CHARSET, FW_BOLD, "MS Sans Serif"},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SHIFTJIS_CHARSET, FW_NORMAL, guiFace},
        {MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN), HANGUL_CHARSET, FW_NORMAL, guiFace},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), GB2312_CHARSET, FW_NORMAL, guiFace},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), CHINESEBIG5_CHARSET, FW_NORMAL, guiFace},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        m_bar.SetFontLanguage(c.language);
        LOGFONTA font{};
        ASSERT_TRUE(m_bar.GetTabFont()->GetLogFont(&font));
        EXPECT_EQ(c.charSet, font.lfCharSet);
        EXPECT_EQ(c.weight, font.lfWeight);
        EXPECT_EQ(c.face, CString(font.lfFaceName));
        // The tabs are measured again with it and still follow one another.
        EXPECT_EQ(m_bar.GetItemAt(1)->GetStart(), m_bar.GetItemAt(0)->GetEnd() - m_bar.GetItemAt(0)->GetSlant());
    }
}

TEST_F(TabBarLayout, TheActiveTabJoinsTheDrawingAndALongNameStaysInsideTheBar)
{
    Rename(0, std::wstring(10000, L'W'));
    PumpMessages();
    CRect bar;
    m_bar.GetWindowRect(bar);
    m_drawing.ScreenToClient(bar);
    const auto canvas = testing_support::RenderWindow(m_drawing.m_hWnd);
    CRect drawing;
    m_drawing.GetClientRect(drawing);
    CRect shown;
    shown.IntersectRect(bar, drawing);
    EXPECT_EQ(drawing.Width() * drawing.Height() - shown.Width() * shown.Height(), canvas->Count(kDrawingColor))
        << "the bar draws nothing outside itself";

    const CRect active = m_bar.GetItemAt(0)->GetRect(), other = m_bar.GetItemAt(1)->GetRect();
    const int s = m_bar.GetItemAt(0)->GetSlant();
    EXPECT_LT(active.Width(), m_bar.GetTabArea().Width()) << "the name is cut";
    auto pixel = [&](int x, int y) { return canvas->Pixel(bar.left + x, bar.top + y); };
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pixel(active.left + s + 1, active.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pixel(other.left + s + 1, other.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pixel(active.CenterPoint().x, 0)) << "joined to the drawing";
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), pixel(other.CenterPoint().x, 0));
}

TEST_F(TabBarLayout, TheActiveTabShowsWhenTheBarHasTheKeyboard)
{
    const CRect tab = m_bar.GetActiveItem()->GetRect();
    auto render = [&] {
        PumpMessages();
        return testing_support::RenderWindow(m_bar.m_hWnd);
    };
    m_drawing.SetFocus();
    const auto without = render();
    m_bar.SetFocus();
    const auto with = render();
    int changed = 0;
    for (int y = tab.top; y < tab.bottom; ++y)
        for (int x = tab.left; x < tab.right; ++x)
            changed += without->Pixel(x, y) != with->Pixel(x, y);
    // A dotted frame: every other pixel of its top and bottom at least.
    EXPECT_GE(changed, tab.Width() - 2 * m_bar.GetActiveItem()->GetSlant() - 4) << "a focus frame around the name";
}

TEST_F(TabBarLayout, ASecondBarOnTheParentFollowsItsSizeAndTheHookGoesWithTheLastBar)
{
    CJTabBar top;
    ASSERT_TRUE(top.Create(JTBS_TOP | JTBS_SECTIONTABS, &m_drawing, 101));
    struct Hook {
        WNDPROC previous;
        CJTabBar* first;
        CJTabBar* second;
    };
    const auto* pHook = static_cast<const Hook*>(::GetPropA(m_drawing.m_hWnd, "TabBar_Properties"));
    ASSERT_NE(nullptr, pHook);
    EXPECT_EQ(&m_bar, pHook->first);
    EXPECT_EQ(&top, pHook->second);
    const WNDPROC ownProc = pHook->previous;

    m_drawing.SetWindowPos(nullptr, 0, 0, 300, 90, SWP_NOMOVE | SWP_NOZORDER);
    const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
    CRect rect;
    m_bar.GetWindowRect(rect);
    m_drawing.ScreenToClient(rect);
    EXPECT_EQ(CRect(0, 90 - cy + 1, 300, 91), rect);
    top.GetWindowRect(rect);
    m_drawing.ScreenToClient(rect);
    EXPECT_EQ(CRect(0, -1, 300, cy - 1), rect);

    top.DestroyWindow();
    EXPECT_EQ(nullptr, pHook->second);
    m_bar.DestroyWindow();
    EXPECT_EQ(nullptr, ::GetPropA(m_drawing.m_hWnd, "TabBar_Properties"));
    EXPECT_EQ(ownProc, (WNDPROC)::GetWindowLongPtrA(m_drawing.m_hWnd, GWLP_WNDPROC));
}

TEST_F(TabBarLayout, BadInputIsRefusedOrCutNeverFollowed)
{
    CJTabBar plain;
    wchar_t name[] = L"Sheet";
    EXPECT_EQ(nullptr, plain.InsertItem(_JTB_ITEM{0, name, 0, 0}, nullptr)) << "neither tab kind";
    EXPECT_FALSE(m_bar.ScrollItems((ScrollDirection)0));
    EXPECT_FALSE(m_bar.ScrollItems((ScrollDirection)5));

    wchar_t small[4] = L"xxx";
    _JTB_ITEM item{0, small, 4, 0};
    ASSERT_TRUE(m_bar.GetItem(m_bar.GetItemAt(9), item));
    EXPECT_STREQ(L"She", small);
    wchar_t whole[16] = L"";
    _JTB_ITEM unsized{0, whole, 0, 0};   // a host that leaves the third word at zero
    ASSERT_TRUE(m_bar.GetItem(m_bar.GetItemAt(9), unsized));
    EXPECT_STREQ(L"Sheet10", whole);
    EXPECT_EQ((UINT)(JTIS_ACTIVE | JTIS_SELECTED), m_bar.GetActiveItem()->GetState());

    CJTab* pGone = m_bar.GetItemAt(3);
    ASSERT_TRUE(m_bar.DeleteItem(pGone));
    EXPECT_FALSE(m_bar.DeleteItem(pGone));
    EXPECT_FALSE(m_bar.SetActiveItem(pGone));
    EXPECT_FALSE(m_bar.GetItem(pGone, item));
    EXPECT_EQ(nullptr, m_bar.InsertItem(_JTB_ITEM{0, name, 0, 0}, pGone)) << "after a tab that is gone";

    // Five thousand sheets: the last comes into view and every visible one answers a hit test.
    AddSheets(5000 - m_bar.GetItemCount());
    ASSERT_EQ(5000, m_bar.GetItemCount());
    EXPECT_TRUE(m_bar.ScrollItems(JTB_SCROLLLAST));
    EXPECT_TRUE(m_bar.IsItemVisible(m_bar.GetLastItem()));
    for (CJTab* pTab = m_bar.GetFirstVisibleItem(); pTab; pTab = m_bar.GetNextVisibleItem(pTab)) {
        _JTB_HITTESTINFO hit{pTab->GetRect().CenterPoint(), 0};
        EXPECT_EQ(pTab, m_bar.HitTest(hit));
        EXPECT_EQ((UINT)JTHT_ONTAB, hit.flags);
    }
    m_bar.UpdateWindow();
    m_bar.DeleteAllItems();
    EXPECT_EQ(nullptr, m_bar.GetActiveItem());
    EXPECT_EQ(0, m_bar.GetSelCount());
    EXPECT_FALSE(m_bar.ScrollItems(JTB_SCROLLNEXT));
}

}   // namespace
