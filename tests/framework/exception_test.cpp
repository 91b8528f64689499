// Framework exceptions: their texts, throwing them out of the framework's module, deleting them.
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

std::string Message(const CException& e)
{
    char text[256] = "untouched";
    UINT help = 99;
    const BOOL found = e.GetErrorMessage(text, sizeof text, &help);
    EXPECT_EQ(0u, help);
    return (found ? "" : "(none)") + std::string(text);
}

class CCountedException : public CException {
public:
    CCountedException(BOOL bAutoDelete, int& destroyed) : CException(bAutoDelete), m_destroyed(destroyed) {}
    ~CCountedException() override { ++m_destroyed; }

private:
    int& m_destroyed;
};

TEST(Exception, MessagesAreCutToTheBuffer)
{
    EXPECT_EQ("Out of memory.", Message(CMemoryException()));
    EXPECT_EQ("(none)", Message(CException()));   // nothing to say: FALSE and an empty text
    char shortText[4];
    EXPECT_TRUE(CMemoryException().GetErrorMessage(shortText, sizeof shortText));
    EXPECT_STREQ("Out", shortText);
    EXPECT_FALSE(CMemoryException().GetErrorMessage(nullptr, 0));
}

TEST(Exception, ThrownAsPointersOutOfTheFrameworkAndDeletedWhenAutoDeleting)
{
    auto catchKind = [](void (*pfnThrow)()) -> const CRuntimeClass* {
        try {
            pfnThrow();
        } catch (CException* e) {
            const CRuntimeClass* kind = e->GetRuntimeClass();
            e->Delete();
            return kind;
        }
        return nullptr;
    };
    EXPECT_EQ(RUNTIME_CLASS(CMemoryException), catchKind(AfxThrowMemoryException));
    EXPECT_EQ(RUNTIME_CLASS(CResourceException), catchKind(AfxThrowResourceException));
    EXPECT_EQ(RUNTIME_CLASS(CUserException), catchKind(AfxThrowUserException));
    bool caughtExactly = false;
    try {
        AfxThrowResourceException();
    } catch (CMemoryException* e) {
        e->Delete();
    } catch (CResourceException* e) {
        caughtExactly = e->IsKindOf(RUNTIME_CLASS(CException));
        e->Delete();
    }
    EXPECT_TRUE(caughtExactly);
    // Delete frees only auto-deleting objects.
    int destroyed = 0;
    (new CCountedException(TRUE, destroyed))->Delete();
    EXPECT_EQ(1, destroyed);
    {
        CCountedException onStack(FALSE, destroyed);
        onStack.Delete();
        EXPECT_EQ(1, destroyed);
    }
    EXPECT_EQ(2, destroyed);
}

}   // namespace
