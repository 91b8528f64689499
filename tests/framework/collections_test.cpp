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
    ids.RemoveAt(7);   // out of range: nothing happens
    EXPECT_EQ(3, ids.GetSize());
    ids.SetAtGrow(5, 60);
    EXPECT_EQ(6, ids.GetSize());
    EXPECT_EQ(0u, ids[4]);
    EXPECT_EQ(60u, ids[5]);
    // Outside the array: neutral values, and nothing is written.
    EXPECT_EQ(0u, ids.GetAt(6));
    EXPECT_EQ(0u, ids.GetAt(-1));
    ids.SetAt(6, 99);
    ids[7] = 99;
    EXPECT_EQ(6, ids.GetSize());
    EXPECT_EQ(0u, ids[7]);
    CUIntArray empty;
    EXPECT_EQ(0u, empty.GetAt(0));
    EXPECT_EQ(-1, empty.GetUpperBound());
}

TEST(Collections, StringArrayEditsAndCopies)
{
    CStringArray names;
    names.Add("Line");
    names.Add("Arc");
    names.InsertAt(1, "Circle");
    names[2] += "s";
    names.ElementAt(0).MakeUpper();
    CStringArray copy;
    copy.Copy(names);
    copy.SetAt(0, "Point");
    EXPECT_STREQ("LINE", names[0]);   // a copy of its own
    EXPECT_EQ(3, copy.Append(names));
    EXPECT_STREQ("Arcs", copy[5]);
    EXPECT_EQ(6, copy.Append(copy));   // appending to itself doubles it once
    EXPECT_EQ(12, copy.GetSize());
    copy.RemoveAt(1, 20);   // up to the end
    EXPECT_EQ(1, copy.GetSize());
    EXPECT_STREQ("", copy.GetAt(5));
    copy.SetSize(3);
    EXPECT_STREQ("", copy[2]);
}

TEST(Collections, EmptyListsReadAsNull)
{
    CPtrList pointers;
    EXPECT_EQ(nullptr, pointers.GetHead());
    EXPECT_EQ(nullptr, pointers.GetTail());
    EXPECT_EQ(nullptr, pointers.RemoveHead());
    EXPECT_EQ(nullptr, pointers.RemoveTail());
    EXPECT_EQ(0, pointers.GetCount());
    POSITION pos = nullptr;
    EXPECT_EQ(nullptr, pointers.GetNext(pos));
    EXPECT_EQ(nullptr, pointers.GetPrev(pos));
    EXPECT_EQ(nullptr, pointers.GetAt(nullptr));
    pointers.SetAt(nullptr, &pos);
    pointers.RemoveAt(nullptr);
    EXPECT_EQ(nullptr, pointers.GetHead());   // the write above went nowhere
    pointers.GetHead() = &pos;
    EXPECT_EQ(nullptr, pointers.GetTail());
    EXPECT_TRUE(pointers.IsEmpty());
    CObList objects;
    EXPECT_EQ(nullptr, objects.GetHead());
    EXPECT_EQ(nullptr, objects.RemoveTail());
    EXPECT_EQ(nullptr, objects.FindIndex(0));
    EXPECT_EQ(nullptr, objects.Find(nullptr));
}

class CShape : public CObject {
public:
    explicit CShape(int n) : id(n) {}
    int id;
};

int Ids(CObList& list)
{
    int ids = 0;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids = ids * 10 + static_cast<CShape*>(list.GetNext(pos))->id;
    return ids;
}

TEST(Collections, ListsKeepOrderAndPositions)
{
    CShape one(1), two(2), three(3), four(4);
    CObList list;
    list.AddTail(&two);
    POSITION head = list.AddHead(&one);
    POSITION tail = list.AddTail(&four);
    list.InsertBefore(tail, &three);
    EXPECT_EQ(1234, Ids(list));
    EXPECT_EQ(&one, list.GetAt(head));
    EXPECT_EQ(tail, list.Find(&four));
    EXPECT_EQ(tail, list.FindIndex(3));
    list.SetAt(head, &four);
    list.InsertAfter(head, &one);
    EXPECT_EQ(41234, Ids(list));
    list.RemoveAt(tail);
    EXPECT_EQ(&three, list.GetTail());
    EXPECT_EQ(&four, list.RemoveHead());
    EXPECT_EQ(&three, list.RemoveTail());
    EXPECT_EQ(12, Ids(list));
    // A pointer list's positions survive other removals.
    int a = 1, b = 2, c = 3;
    CPtrList pointers;
    POSITION pa = pointers.AddTail(&a);
    POSITION pc = pointers.AddTail(&c);
    POSITION pb = pointers.InsertBefore(pc, &b);
    EXPECT_EQ(pb, pointers.Find(&b));
    EXPECT_EQ(nullptr, pointers.Find(&b, pb));
    EXPECT_EQ(pc, pointers.FindIndex(2));
    EXPECT_EQ(nullptr, pointers.FindIndex(3));
    pointers.RemoveAt(pa);
    EXPECT_EQ(&b, pointers.GetHead());
    EXPECT_EQ(&c, pointers.GetAt(pc));
    int seen = 0;
    for (POSITION pos = pointers.GetHeadPosition(); pos;)
        seen = seen * 10 + *static_cast<int*>(pointers.GetNext(pos));
    EXPECT_EQ(23, seen);
    for (POSITION pos = pointers.GetTailPosition(); pos;)
        seen = seen * 10 + *static_cast<int*>(pointers.GetPrev(pos));
    EXPECT_EQ(2332, seen);
    EXPECT_EQ(&c, pointers.RemoveTail());
    EXPECT_EQ(&b, pointers.RemoveHead());
    EXPECT_EQ(nullptr, pointers.GetHeadPosition());
    pointers.AddHead(&a);   // into the emptied list: one position at both ends
    EXPECT_EQ(pointers.GetHeadPosition(), pointers.GetTailPosition());
}

}   // namespace
