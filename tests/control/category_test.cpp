// Command categories: registration order, lookups, image indexes and ownership of bitmaps.
#include "jbars.h"
#include "control_fixture.h"
#include "jcategory.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

HBITMAP MakeBitmap()
{
    return ::CreateBitmap(16, 15, 1, 32, nullptr);
}

bool IsBitmap(HBITMAP hBitmap)
{
    BITMAP info{};
    return ::GetObjectA(hBitmap, sizeof info, &info) == sizeof info;
}

TEST(Categories, ReRegisteringMovesTheCategoryAndKeepsWhatItHad)
{
    CCategoryPtrList list;
    const UINT first[] = {1, 0, 2};
    const UINT other[] = {7, 8};
    list.AddCategory("A", 101, 102, 103, 104, first, nullptr, 3, (HINSTANCE)0x1000, 0);
    list.AddCategory("B", 201, 202, 203, 204, other, nullptr, 2, (HINSTANCE)0x1000, 0);
    list.AddCategory("A", 301, 302, 303, 304, other, nullptr, 2, (HINSTANCE)0x1000, 5);
    ASSERT_EQ(2, list.GetSize());
    EXPECT_STREQ("B", list.GetCategory(0)->m_strName);
    const JCategory* pA = list.GetCategory(1);
    EXPECT_STREQ("A", pA->m_strName);
    EXPECT_EQ(3, list.NumberOfCommands("A"));
    EXPECT_EQ(101u, pA->m_nBitmapIDs[JCategory::SmallPlain]);
    EXPECT_EQ(0, pA->m_nOption);

    // The same name from another module is another category.
    list.AddCategory("A", 1, 2, 3, 4, other, nullptr, 2, (HINSTANCE)0x2000, 0);
    EXPECT_EQ(3, list.GetSize());
    // Names compare case-sensitively.
    EXPECT_EQ(nullptr, list.GetCategory("a"));
}

TEST(Categories, LookupsCountImagesPastSeparators)
{
    CCategoryPtrList list;
    const UINT ids[] = {10, 0, 11, 0, 0, 12};
    list.AddCategory("Draw", 1, 2, 3, 4, ids, nullptr, 6, (HINSTANCE)0x1000, 0);
    // Separators (0) have no image.
    const std::tuple<const char*, UINT, int> images[] = {{"Draw", 10, 0}, {"Draw", 11, 1},  {"Draw", 12, 2},
                                                         {"Draw", 0, -1}, {"Draw", 99, -1}, {"Nothing", 10, -1}};
    for (const auto& [name, id, image] : images)
        EXPECT_EQ(image, list.FindID(name, id)) << name << " " << id;
    EXPECT_EQ(6, list.NumberOfCommands("Draw"));
    EXPECT_EQ(-1, list.NumberOfCommands("Nothing"));
    EXPECT_EQ(0u, list.GetCmdID("Draw", 1));
    EXPECT_EQ(11u, list.GetCmdID("Draw", 2));
    EXPECT_EQ(0u, list.GetCmdID("Nothing", 0));
    EXPECT_EQ(0u, list.GetCmdID("Draw", 60));   // past the end: nothing read outside
}

TEST(Categories, NamesComeFromTheEarliestCategory)
{
    CCategoryPtrList list;
    const UINT a[] = {5, 6};
    const UINT b[] = {6, 7};
    CStringArray names;
    names.Add("Five");
    names.Add("Six");
    list.AddCategory("First", 1, 2, 3, 4, a, &names, 2, (HINSTANCE)0x1000, 0);
    list.AddCategory("Second", 1, 2, 3, 4, b, nullptr, 2, (HINSTANCE)0x1000, 0);
    CString found;
    list.FindCategoryName(6, found);
    EXPECT_STREQ("First", found);
    list.FindCategoryName(99, found);
    EXPECT_TRUE(found.IsEmpty());
    EXPECT_STREQ("Six", list.GetCategory("First")->m_arrNames.GetAt(1));
    EXPECT_EQ(0, list.GetCategory("Second")->m_arrNames.GetSize());
}

TEST(Categories, BadArgumentsRegisterNothingHarmful)
{
    CCategoryPtrList list;
    const UINT ids[] = {1, 2};
    list.AddCategory(nullptr, 1, 2, 3, 4, ids, nullptr, 2, nullptr, 0);
    EXPECT_EQ(0, list.GetSize());
    list.AddCategory("NoIDs", 1, 2, 3, 4, nullptr, nullptr, 50, nullptr, 0);
    list.AddCategory("Negative", 1, 2, 3, 4, ids, nullptr, -5, nullptr, 0);
    CStringArray shortNames;
    shortNames.Add("only one");
    list.AddCategory("ShortNames", 1, 2, 3, 4, ids, &shortNames, 2, nullptr, 0);
    EXPECT_EQ(0, list.NumberOfCommands("NoIDs"));
    EXPECT_EQ(0, list.NumberOfCommands("Negative"));
    EXPECT_EQ(2, list.NumberOfCommands("ShortNames"));
    EXPECT_TRUE(list.GetCategory("ShortNames")->m_arrNames.GetAt(1).IsEmpty());
    list.RemoveCategory(17);
    list.RemoveCategory(-1);
    list.RemoveCategory("Unknown");
    list.RemoveCategory((const char*)nullptr);
    EXPECT_EQ(3, list.GetSize());
    EXPECT_EQ(nullptr, list.GetCategory(3));
}

TEST(Categories, BitmapHandlesBelongToTheCategoryThatTookThem)
{
    CCategoryPtrList list;
    const UINT ids[] = {1};
    HBITMAP owned[4] = {MakeBitmap(), MakeBitmap(), MakeBitmap(), nullptr};
    list.AddCategory("Handles", owned[0], owned[1], owned[2], owned[3], ids, nullptr, 1, 0);
    // Registering the name again leaves the new handles with the caller.
    HBITMAP again = MakeBitmap();
    list.AddCategory("Handles", again, nullptr, nullptr, nullptr, ids, nullptr, 1, 0);
    EXPECT_EQ(owned[0], list.GetCategory("Handles")->m_hBitmaps[JCategory::SmallPlain]);
    list.RemoveCategory("Handles");
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(IsBitmap(owned[i])) << i;
    EXPECT_TRUE(IsBitmap(again));
    ::DeleteObject(again);
}

TEST(BarKinds, TheRibbonBarIsAKindOfItsOwn)
{
    JDialogBar ribbon;
    AutoDialogBar automatic;
    EXPECT_TRUE(ribbon.IsKindOf(RUNTIME_CLASS(CDialogBar)));
    EXPECT_FALSE(ribbon.IsKindOf(RUNTIME_CLASS(CBaseDialogBar)));
    EXPECT_FALSE(ribbon.IsKindOf(RUNTIME_CLASS(AutoDialogBar)));
    EXPECT_TRUE(automatic.IsKindOf(RUNTIME_CLASS(CBaseDialogBar)));
    EXPECT_STREQ("JDialogBar", ribbon.GetRuntimeClass()->m_lpszClassName);
    // Dynamically creatable by name, as stored layouts make them.
    CObject* pMade = CRuntimeClass::CreateObject("CBaseDialogBar");
    ASSERT_NE(nullptr, pMade);
    EXPECT_TRUE(pMade->IsKindOf(RUNTIME_CLASS(CBaseDialogBar)));
    delete pMade;
}

}   // namespace
