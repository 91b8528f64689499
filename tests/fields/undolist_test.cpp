// The undo list as a user works it: real keys and mouse drags while DisplayList runs
// its own loop, each run under a watchdog; what it returns and how many rows it leaves
// chosen.
#include "field_fixture.h"
#include "jundolist.h"

#include <climits>

namespace {

using testing_support::ScriptedInput;

constexpr int kVisible = 8;

class UndoListProbe : public CUndoList {
public:
    using CUndoList::StatusText;
};

class UndoListTest : public FieldTest {
protected:
    // `rows` actions, the most recent first, and the most recent chosen.
    void Fill(int rows)
    {
        ASSERT_TRUE(m_undo.Create(&m_parent, TRUE, kVisible));
        for (int i = 0; i < rows; ++i) {
            CString text;
            text.Format("Action %d", rows - i);
            m_undo.m_list.AddString(text);
        }
        if (rows)
            m_undo.m_list.SetSel(0);
    }
    void Reset(int rows)
    {
        if (m_undo.m_hWnd)
            m_undo.DestroyWindow();
        Fill(rows);
    }
    CPoint RowPoint(int row) const
    {
        CRect item;
        m_undo.m_list.GetItemRect(row, &item);
        m_undo.m_list.ClientToScreen(&item);
        return item.CenterPoint();
    }
    // A point of the parent outside the list.
    CPoint ParentCorner() const
    {
        CRect rect;
        m_parent.GetWindowRect(&rect);
        return rect.BottomRight() - CSize(10, 10);
    }
    CRect PopupRect() const
    {
        CRect rect;
        m_undo.GetWindowRect(&rect);
        return rect;
    }
    // Shows the list near the parent's top-left corner; the script's steps run inside its loop.
    int Display(ScriptedInput& script, int y = 60)
    {
        const int result = m_undo.DisplayList(60, y, 20);
        // Steps after a cancel (releasing the button) run here.
        testing_support::PumpUntil([&] { return script.Done(); });
        return result;
    }
    ScriptedInput& Keys(ScriptedInput& script, std::vector<const char*> keys)
    {
        return script.Then([keys] {
            Press(keys, false);
            return true;
        });
    }

    UndoListProbe m_undo;
};

// Keys grow and shrink the chosen prefix, never below one row; Enter accepts, Escape
// cancels; an empty list and one of 10,000 rows behave alike.
TEST_F(UndoListTest, KeysChooseAPrefix)
{
    struct Row {
        int rows;
        std::vector<const char*> keys;
        int result, chosen;   // chosen: -1 when a cancel leaves it undefined
        const char* status;
    };
    const Row table[] = {
        {20, {"Down", "Down", "Enter"}, 1, 3, "Undo 3 actions"},
        {20, {"Up", "Up", "Enter"}, 1, 1, "Undo 1 action"},
        {20, {"Right", "Left", "Left", "Enter"}, 1, 1, "Undo 1 action"},
        {20, {"End", "Enter"}, 1, 20, "Undo 20 actions"},
        {20, {"End", "Home", "Enter"}, 1, 1, "Undo 1 action"},
        {20, {"PgDn", "Enter"}, 1, kVisible, nullptr},
        {20, {"End", "PgUp", "Enter"}, 1, 20 - kVisible + 1, nullptr},
        {20, {"Down", "Esc"}, 0, -1, nullptr},
        {0, {"Down", "End", "PgUp", "Enter"}, 1, 0, "Cancel"},
        {10000, {"End", "Up", "Enter"}, 1, 9999, "Undo 9999 actions"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message() << row.rows << " rows, " << row.keys.size() << " keys");
        Reset(row.rows);
        ScriptedInput script;
        Keys(script, row.keys);
        EXPECT_EQ(row.result, Display(script));
        EXPECT_FALSE(m_undo.IsWindowVisible());
        if (row.chosen >= 0) {
            EXPECT_EQ(row.chosen, m_undo.m_list.GetSelCount());
        }
        if (row.status) {
            EXPECT_EQ(CString(row.status), m_undo.StatusText());
        }
    }
}

// A drag picks every row down to the one under the mouse, scrolls on below the list
// (and stops once all are chosen), and chooses none outside it; the release accepts. A
// press outside the list, or a right click, cancels.
TEST_F(UndoListTest, MouseDragChoosesAPrefix)
{
    enum To { kRow5, kBelow, kRight, kBelowThenRight, kNoDrag };
    struct Row {
        int rows;
        To to;
        bool pressInList;
        int result, chosen;
    };
    const Row table[] = {
        {20, kRow5, true, 1, 6},  {12, kBelow, true, 1, 12},   {3, kBelow, true, 1, 3},
        {20, kRight, true, 1, 0}, {400, kBelowThenRight, true, 1, 0}, {20, kNoDrag, false, 0, -1},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(::testing::Message() << row.rows << " rows, drag " << row.to);
        Reset(row.rows);
        ScriptedInput script;
        script.Then([&] {
            testing_support::SendMouseButton(row.pressInList ? RowPoint(1) : ParentCorner(), true);
            return true;
        });
        if (row.to != kNoDrag) {
            script.Wait(50).Then([&] {
                const CRect popup = PopupRect();
                testing_support::MoveMouse(row.to == kRow5    ? RowPoint(5)
                                           : row.to != kRight ? CPoint(popup.CenterPoint().x, popup.bottom + 10)
                                                              : CPoint(popup.right + 10, RowPoint(2).y));
                return true;
            });
        }
        if (row.to == kBelow)
            script.Then([&] { return m_undo.m_list.GetSelCount() == row.rows; }, "every row chosen");
        if (row.to == kBelowThenRight) {
            // Leaving sideways while the list scrolls on chooses none, and the scrolling stops.
            script.Then([&] { return m_undo.m_list.GetSelCount() > kVisible; }, "scrolling").Then([&] {
                testing_support::MoveMouse(CPoint(PopupRect().right + 10, PopupRect().bottom + 10));
                return true;
            });
            script.Wait(150);
        }
        script.Wait(50).Then([] {
            POINT cursor;
            ::GetCursorPos(&cursor);
            testing_support::SendMouseButton(cursor, false);
            return true;
        });
        EXPECT_EQ(row.result, Display(script));
        if (row.chosen >= 0) {
            EXPECT_EQ(row.chosen, m_undo.m_list.GetSelCount());
        }
        EXPECT_EQ(nullptr, ::GetCapture());
    }

    // A right click cancels.
    ScriptedInput script;
    script.Then([&] {
        testing_support::ClickAt(RowPoint(3), true);
        return true;
    });
    EXPECT_EQ(0, Display(script));
}

// Near the screen's bottom the list opens above its anchor.
TEST_F(UndoListTest, OpensAboveTheAnchorNearTheScreensBottom)
{
    Fill(20);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int height = PopupRect().Height();
    ScriptedInput script;
    CRect shown;
    script.Then([&] {
        shown = PopupRect();
        return true;
    });
    Keys(script, {"Esc"});
    EXPECT_EQ(0, Display(script, screenHeight - 10));
    EXPECT_EQ(screenHeight - 10 - height - 20, shown.top);
    EXPECT_EQ(height, shown.Height());
}

// A visible row count larger than the screen can show is cut to what fits.
TEST_F(UndoListTest, AHugeRowCountFitsTheScreen)
{
    ASSERT_TRUE(m_undo.Create(&m_parent, TRUE, INT_MAX));
    EXPECT_GT(PopupRect().Height(), 100);
    EXPECT_LE(PopupRect().Height(), ::GetSystemMetrics(SM_CYSCREEN));
}

}   // namespace
