// Control wrappers over the real controls: texts of any length, image lists
// mapped to their objects, and owner-draw notifications reaching the
// control's virtual members.
#include "testsupport.h"

#include <gtest/gtest.h>

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

// What the wrappers add to the messages they send: texts of any length, nothing
// read outside the items, object maps.
TEST_F(ControlsTest, TextsOfAnyLengthAndNothingOutsideTheItems)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_SORT, CRect(0, 0, 150, 120), &m_parent, 10));
    EXPECT_EQ(&list, CWnd::FromHandlePermanent(list.m_hWnd));
    list.AddString("pear");
    CString text = "stale";
    list.GetText(7, text);   // no such item: empty, no garbage
    EXPECT_TRUE(text.IsEmpty());
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE, CRect(0, 0, 200, 200), &m_parent, 12));
    const std::string longName(600, 'x');   // longer than a first guess at the buffer
    const HTREEITEM longItem = tree.InsertItem(longName.c_str(), tree.InsertItem("Drawing"));
    EXPECT_STREQ(longName.c_str(), tree.GetItemText(longItem));
}

// The list's object map: a tree hands back the object of the list it had, and a detached
// handle no longer maps to it.
TEST_F(ControlsTest, ImageListObjectsFollowTheirHandles)
{
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(&images, CImageList::FromHandlePermanent(images.GetSafeHandle()));
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

// The controls' side of owner drawing (drawing and measuring list items: the reflection tests):
// a reflected notification reaches the virtual member, with the answer the parent must return.
class COwnerList : public CListBox {
public:
    int deleted = 0;
    int CompareItem(LPCOMPAREITEMSTRUCT cis) override { return cis->itemData1 < cis->itemData2 ? -1 : 1; }
    void DeleteItem(LPDELETEITEMSTRUCT) override { ++deleted; }
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
    EXPECT_TRUE(list.OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), &result));
    EXPECT_EQ(TRUE, result);
    COMPAREITEMSTRUCT cis{};
    cis.itemData1 = 1;
    cis.itemData2 = 2;
    EXPECT_TRUE(list.OnChildNotify(WM_COMPAREITEM, 0, reinterpret_cast<LPARAM>(&cis), &result));
    EXPECT_EQ(-1, result);
    DELETEITEMSTRUCT del{};
    EXPECT_TRUE(list.OnChildNotify(WM_DELETEITEM, 0, reinterpret_cast<LPARAM>(&del), nullptr));
    EXPECT_EQ(1, list.deleted);
    EXPECT_FALSE(list.OnChildNotify(WM_COMMAND, 0, 0, &result));   // not an owner-draw message
    COwnerButton button;
    MEASUREITEMSTRUCT mis{};
    result = 0;
    EXPECT_TRUE(button.OnChildNotify(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), &result));
    EXPECT_EQ(TRUE, result);
    EXPECT_FALSE(button.OnChildNotify(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), &result));
    EXPECT_EQ(1, button.draws);
}

}   // namespace
