// Control wrappers over the real controls: what goes in comes back out,
// trees walk in order, image lists paint, tool tips count their tools, and
// owner-draw notifications reach the control's virtual members.
#include "testsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "controls", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        testing_support::PumpMessages();
    }

    CWnd m_parent;
};

TEST_F(ControlsTest, ListBoxKeepsStringsDataAndSelection)
{
    CListBox list;
    ASSERT_TRUE(
        list.Create(WS_VISIBLE | WS_VSCROLL | LBS_SORT | LBS_EXTENDEDSEL, CRect(0, 0, 150, 120), &m_parent, 10));
    EXPECT_EQ(&list, CWnd::FromHandlePermanent(list.m_hWnd));
    EXPECT_EQ(0, list.AddString("pear"));
    EXPECT_EQ(0, list.AddString("apple"));   // sorted in front
    EXPECT_EQ(2, list.AddString("quince"));
    int payload = 17;
    list.SetItemData(0, 1001);
    list.SetItemDataPtr(2, &payload);

    CString text;
    list.GetText(1, text);
    EXPECT_STREQ("pear", text);
    EXPECT_EQ(4, list.GetTextLen(1));
    EXPECT_EQ(1001u, list.GetItemData(0));
    EXPECT_EQ(&payload, list.GetItemDataPtr(2));
    EXPECT_EQ(2, list.FindStringExact(-1, "QUINCE"));   // case-blind, whole string
    EXPECT_EQ(LB_ERR, list.FindStringExact(-1, "qu"));
    EXPECT_EQ(2, list.FindString(-1, "qu"));   // prefix

    list.SetSel(0);
    list.SetSel(2);
    int selected[3] = {-1, -1, -1};
    EXPECT_EQ(2, list.GetSelCount());
    EXPECT_EQ(2, list.GetSelItems(3, selected));
    EXPECT_EQ(0, selected[0]);
    EXPECT_EQ(2, selected[1]);

    CRect first, second;
    list.GetItemRect(0, &first);
    list.GetItemRect(1, &second);
    EXPECT_EQ(list.GetItemHeight(0), second.top - first.top);
    BOOL outside = TRUE;
    EXPECT_EQ(1u, list.ItemFromPoint(CPoint(5, second.top + 1), outside));
    EXPECT_FALSE(outside);

    EXPECT_EQ(2, list.DeleteString(0));
    list.GetText(0, text);
    EXPECT_STREQ("pear", text);
    list.GetText(7, text);   // no such item: empty, no garbage
    EXPECT_TRUE(text.IsEmpty());
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(ControlsTest, ComboBoxKeepsStringsDataAndSelection)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 150, 200), &m_parent, 11));
    combo.AddString("millimetres");
    combo.AddString("inches");
    EXPECT_EQ(1, combo.InsertString(1, "feet"));
    combo.SetItemData(2, 25);
    EXPECT_EQ(3, combo.GetCount());

    CString text;
    combo.GetLBText(2, text);
    EXPECT_STREQ("inches", text);
    EXPECT_EQ(6, combo.GetLBTextLen(2));
    EXPECT_EQ(25u, combo.GetItemData(2));
    EXPECT_EQ(2, combo.SelectString(-1, "inch"));
    EXPECT_EQ(2, combo.GetCurSel());
    combo.GetWindowText(text);
    EXPECT_STREQ("inches", text);

    combo.SetEditSel(1, 3);
    EXPECT_EQ(MAKELONG(1, 3), (LONG)combo.GetEditSel());
    EXPECT_FALSE(combo.GetDroppedState());
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    EXPECT_GT(dropped.Height(), 100);   // includes the list part
    combo.DeleteString(0);
    EXPECT_EQ(1, combo.FindStringExact(-1, "inches"));
}

TEST_F(ControlsTest, TreeInsertsAndWalksInOrder)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &m_parent, 12));
    const HTREEITEM drawing = tree.InsertItem("Drawing");
    const HTREEITEM layers = tree.InsertItem("Layers", drawing);
    const HTREEITEM zeta = tree.InsertItem("zeta", 1, 2, layers);
    const HTREEITEM alpha = tree.InsertItem("alpha", layers);
    const HTREEITEM blocks = tree.InsertItem("Blocks", drawing);
    const std::string longName(600, 'x');   // longer than a first guess at the buffer
    const HTREEITEM longItem = tree.InsertItem(longName.c_str(), blocks);
    ASSERT_TRUE(drawing && layers && zeta && alpha && blocks && longItem);
    EXPECT_EQ(6u, tree.GetCount());

    EXPECT_EQ(drawing, tree.GetRootItem());
    EXPECT_EQ(layers, tree.GetChildItem(drawing));
    EXPECT_EQ(blocks, tree.GetNextSiblingItem(layers));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(blocks));
    EXPECT_EQ(drawing, tree.GetParentItem(blocks));
    EXPECT_STREQ(longName.c_str(), tree.GetItemText(longItem));

    tree.SortChildren(layers);
    EXPECT_EQ(alpha, tree.GetChildItem(layers));
    EXPECT_EQ(zeta, tree.GetNextSiblingItem(alpha));

    tree.SetItemData(zeta, 0xBEEF);
    tree.SetItemText(zeta, "omega");
    int image = -1, selectedImage = -1;
    ASSERT_TRUE(tree.GetItemImage(zeta, image, selectedImage));
    EXPECT_EQ(1, image);
    EXPECT_EQ(2, selectedImage);
    EXPECT_EQ(0xBEEFu, tree.GetItemData(zeta));
    EXPECT_STREQ("omega", tree.GetItemText(zeta));

    tree.Expand(drawing, TVE_EXPAND);
    EXPECT_TRUE(tree.GetItemState(drawing, TVIS_EXPANDED) & TVIS_EXPANDED);
    tree.SelectItem(blocks);
    EXPECT_EQ(blocks, tree.GetSelectedItem());

    tree.DeleteItem(layers);   // with its children
    EXPECT_EQ(3u, tree.GetCount());
    tree.DeleteAllItems();
    EXPECT_EQ(0u, tree.GetCount());
}

// An 8x8 bitmap: the left half red, the right half green.
HBITMAP MakeHalfBitmap(COLORREF right)
{
    std::vector<DWORD> bits(64);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const COLORREF c = x < 4 ? RGB(255, 0, 0) : right;
            bits[(size_t)(y * 8 + x)] = (DWORD)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    return ::CreateBitmap(8, 8, 1, 32, bits.data());
}

TEST_F(ControlsTest, ImageListDrawsImagesWithTheirMasks)
{
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(&images, CImageList::FromHandlePermanent(images.GetSafeHandle()));
    CBitmap opaque, masked;
    opaque.Attach(MakeHalfBitmap(RGB(0, 0, 255)));
    masked.Attach(MakeHalfBitmap(RGB(0, 255, 0)));
    EXPECT_EQ(0, images.Add(&opaque, RGB(0, 255, 0)));
    EXPECT_EQ(1, images.Add(&masked, RGB(0, 255, 0)));   // green is see-through
    EXPECT_EQ(2, images.GetImageCount());

    testing_support::MemoryCanvas canvas(40, 20);
    CDC dc;
    dc.Attach(canvas.dc());
    images.Draw(&dc, 0, CPoint(0, 0), ILD_NORMAL);
    images.Draw(&dc, 1, CPoint(20, 0), ILD_TRANSPARENT);
    dc.Detach();
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 4));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(6, 4));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(21, 4));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(26, 4));   // the canvas shows through
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(12, 4));   // nothing drawn between them

    IMAGEINFO info{};
    ASSERT_TRUE(images.GetImageInfo(1, &info));
    EXPECT_EQ(8, info.rcImage.right - info.rcImage.left);
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(1, images.GetImageCount());

    // A tree hands back the object of the list it had.
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &m_parent, 13));
    EXPECT_EQ(nullptr, tree.SetImageList(&images, TVSIL_NORMAL));
    EXPECT_EQ(&images, tree.GetImageList(TVSIL_NORMAL));
    EXPECT_EQ(&images, tree.SetImageList(nullptr, TVSIL_NORMAL));

    const HIMAGELIST hList = images.Detach();
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
    EXPECT_EQ(nullptr, images.GetSafeHandle());
    ImageList_Destroy(hList);
}

TEST_F(ControlsTest, ToolTipCountsItsTools)
{
    CButton button;
    ASSERT_TRUE(button.Create("Apply", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &m_parent, 14));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&m_parent, TTS_ALWAYSTIP));
    EXPECT_EQ(m_parent.m_hWnd, ::GetWindow(tips.m_hWnd, GW_OWNER));

    EXPECT_TRUE(tips.AddTool(&button, "Apply the changes"));
    const CRect area(100, 100, 150, 150);
    EXPECT_TRUE(tips.AddTool(&m_parent, "An area", &area, 7));
    EXPECT_TRUE(tips.AddTool(&m_parent, LPSTR_TEXTCALLBACK, &area, 8));
    EXPECT_EQ(3, tips.GetToolCount());

    tips.UpdateTipText("Apply now", &button);
    char text[64] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = m_parent.m_hWnd;
    ti.uId = reinterpret_cast<UINT_PTR>(button.m_hWnd);
    ti.lpszText = text;
    tips.SendMessage(TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Apply now", text);

    tips.DelTool(&button);
    tips.DelTool(&m_parent, 7);
    EXPECT_EQ(1, tips.GetToolCount());
    tips.SetMaxTipWidth(120);
    EXPECT_EQ(120, tips.GetMaxTipWidth());
}

TEST_F(ControlsTest, SpinButtonWritesItsBuddy)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 60, 20), &m_parent, 15));
    CSpinButtonCtrl spin;
    const DWORD style = WS_VISIBLE | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ALIGNRIGHT;
    ASSERT_TRUE(spin.Create(style, CRect(0, 0, 0, 0), &m_parent, 16));
    spin.SetBuddy(&edit);
    EXPECT_EQ(&edit, spin.GetBuddy());
    spin.SetRange32(-50, 5000);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(-50, lower);
    EXPECT_EQ(5000, upper);

    spin.SetPos(1234);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("1234", text);
    edit.SetWindowText("-20");
    BOOL error = TRUE;
    EXPECT_EQ(-20, spin.GetPos32(&error));
    EXPECT_FALSE(error);
}

TEST_F(ControlsTest, HotKeyAndEditRoundTrip)
{
    CHotKeyCtrl hotKey;
    ASSERT_TRUE(hotKey.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 17));
    hotKey.SetHotKey('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    WORD vk = 0, modifiers = 0;
    hotKey.GetHotKey(vk, modifiers);
    EXPECT_EQ('K', vk);
    EXPECT_EQ(HOTKEYF_CONTROL | HOTKEYF_SHIFT, modifiers);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 30, 200, 100), &m_parent, 18));
    edit.SetWindowText("one\r\ntwo");
    EXPECT_EQ(2, edit.GetLineCount());
    EXPECT_EQ(5, edit.LineIndex(1));
    edit.SetSel(5, 8);
    edit.ReplaceSel("three", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("one\r\nthree", text);
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    edit.GetWindowText(text);
    EXPECT_STREQ("one\r\ntwo", text);
}

// The controls' side of owner drawing: a notification the parent reflects
// reaches the virtual member, with the answer the parent must return.
class COwnerList : public CListBox {
public:
    std::vector<std::string> calls;
    void DrawItem(LPDRAWITEMSTRUCT dis) override { calls.push_back("draw:" + std::to_string(dis->itemID)); }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        mis->itemHeight = 21;
        calls.push_back("measure");
    }
    int CompareItem(LPCOMPAREITEMSTRUCT cis) override { return cis->itemData1 < cis->itemData2 ? -1 : 1; }
    void DeleteItem(LPDELETEITEMSTRUCT) override { calls.push_back("delete"); }
};

class COwnerButton : public CButton {
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
};

TEST(OwnerDraw, ReflectedNotificationsReachTheControl)
{
    COwnerList list;
    LRESULT result = 0;
    DRAWITEMSTRUCT dis{};
    dis.itemID = 3;
    EXPECT_TRUE(list.OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), &result));
    EXPECT_EQ(TRUE, result);
    MEASUREITEMSTRUCT mis{};
    EXPECT_TRUE(list.OnChildNotify(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), &result));
    EXPECT_EQ(21u, mis.itemHeight);
    COMPAREITEMSTRUCT cis{};
    cis.itemData1 = 1;
    cis.itemData2 = 2;
    EXPECT_TRUE(list.OnChildNotify(WM_COMPAREITEM, 0, reinterpret_cast<LPARAM>(&cis), &result));
    EXPECT_EQ(-1, result);
    DELETEITEMSTRUCT del{};
    EXPECT_TRUE(list.OnChildNotify(WM_DELETEITEM, 0, reinterpret_cast<LPARAM>(&del), nullptr));
    EXPECT_FALSE(list.OnChildNotify(WM_COMMAND, 0, 0, &result));   // not an owner-draw message
    EXPECT_EQ((std::vector<std::string>{"draw:3", "measure", "delete"}), list.calls);

    COwnerButton button;
    EXPECT_TRUE(button.OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), &result));
    EXPECT_FALSE(button.OnChildNotify(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), &result));
    EXPECT_EQ(1, button.draws);
}

}   // namespace
