// Run-time class information: kind tests, dynamic creation and lookup by name.
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CPolygon : public CShape {
    DECLARE_DYNCREATE(CPolygon)
};
IMPLEMENT_DYNCREATE(CPolygon, CShape)

class CSquare : public CPolygon {
    DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CPolygon)

class CCircle : public CShape {
    DECLARE_DYNAMIC(CCircle)
};
IMPLEMENT_DYNAMIC(CCircle, CShape)

// Declares a run-time base other than its language base class, so kind tests
// for that language base do not match it.
class CFrameLikeBar : public CFrameWnd {
    DECLARE_DYNAMIC(CFrameLikeBar)
};
IMPLEMENT_DYNAMIC(CFrameLikeBar, CWnd)

TEST(RuntimeClass, KindTestsCreationAndNamesAcrossTheModuleBoundary)
{
    CSquare square;
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_FALSE(CPolygon().IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_FALSE(CCircle().IsKindOf(RUNTIME_CLASS(CPolygon)));
    // The run-time base, not the language base, decides; framework records live in afxcore.
    CFrameLikeBar bar;
    EXPECT_TRUE(bar.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(bar.IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CSquare)->CreateObject());
    ASSERT_NE(nullptr, made);
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CPolygon, made.get()));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, made.get()));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)));
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CCircle)->CreateObject());   // not creatable
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(nullptr));
    std::unique_ptr<CObject> wnd(CRuntimeClass::CreateObject("CWnd"));
    ASSERT_NE(nullptr, wnd);
    EXPECT_TRUE(wnd->IsKindOf(RUNTIME_CLASS(CWnd)));
}

}   // namespace
