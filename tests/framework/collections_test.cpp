// Arrays and the pointer list.
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

TEST(Collections, UIntArrayInsertRemoveGrow)
{
    CUIntArray ids;
    ids.Add(10);
    ids.Add(30);
    ids.InsertAt(1, 20);
    ids.InsertAt(0, 0, 2);
    ASSERT_EQ(5, ids.GetSize());
    EXPECT_EQ(0u, ids[0]);
    EXPECT_EQ(20u, ids[3]);
    ids.RemoveAt(0, 2);
    ids.RemoveAt(7);          // out of range: nothing happens
    EXPECT_EQ(3, ids.GetSize());
    ids.SetAtGrow(5, 60);
    EXPECT_EQ(6, ids.GetSize());
    EXPECT_EQ(0u, ids[4]);
    EXPECT_EQ(60u, ids[5]);
    EXPECT_THROW(ids.GetAt(6), std::out_of_range);
}

TEST(Collections, PtrListPositionsSurviveOtherRemovals)
{
    int a = 1, b = 2, c = 3;
    CPtrList list;
    POSITION pa = list.AddTail(&a);
    POSITION pc = list.AddTail(&c);
    POSITION pb = list.InsertBefore(pc, &b);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(pb, list.Find(&b));
    EXPECT_EQ(nullptr, list.Find(&b, pb));
    EXPECT_EQ(pc, list.FindIndex(2));
    EXPECT_EQ(nullptr, list.FindIndex(3));

    list.RemoveAt(pa);
    EXPECT_EQ(&b, list.GetHead());
    EXPECT_EQ(&c, list.GetAt(pc));

    int seen = 0;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        seen = seen * 10 + *static_cast<int*>(list.GetNext(pos));
    EXPECT_EQ(23, seen);
    for (POSITION pos = list.GetTailPosition(); pos;)
        seen = seen * 10 + *static_cast<int*>(list.GetPrev(pos));
    EXPECT_EQ(2332, seen);

    EXPECT_EQ(&c, list.RemoveTail());
    EXPECT_EQ(&b, list.RemoveHead());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddHead(&a);
    EXPECT_EQ(list.GetHeadPosition(), list.GetTailPosition());
}

} // namespace
