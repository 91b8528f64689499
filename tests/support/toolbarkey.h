// The values a toolbar writes into its registry key, with their types: what
// stored layouts hold and what the readers of them expect.
#pragma once
#include "storedvalues.h"

#include <gtest/gtest.h>

namespace testing_support {

struct ToolbarKeyValue {
    const char* name;
    DWORD type;
    bool bDefaultOnly;   // written for default toolbars only
};

inline constexpr ToolbarKeyValue kToolbarKeyValues[] = {
    {"ID", REG_DWORD, false},
    {"IDFixed", REG_DWORD, false},
    {"Name", REG_SZ, false},
    {"DockPos", REG_BINARY, false},
    {"FloatPos", REG_BINARY, false},
    {"DockSite", REG_DWORD, false},
    {"Visible", REG_DWORD, false},
    {"Floating", REG_DWORD, false},
    {"FloatTop", REG_DWORD, false},
    {"FloatBottom", REG_DWORD, false},
    {"FloatLeft", REG_DWORD, false},
    {"FloatRight", REG_DWORD, false},
    {"Hide", REG_DWORD, false},
    {"FloatSizeWidth", REG_DWORD, false},
    {"FloatSizeHeight", REG_DWORD, false},
    {"FloatOrientation", REG_DWORD, false},
    {"Default", REG_DWORD, false},
    {"DefaultIDs", REG_BINARY, true},
    {"DefaultFlyouts", REG_BINARY, true},
    {"IDs", REG_BINARY, false},
    {"Styles", REG_BINARY, false},
    {"Flyouts", REG_BINARY, false},
    {"CustomBitmaps", REG_BINARY, false},
};

// The key of a toolbar with buttons (and without flyouts or pictures) holds
// these values and no others, each of its type.
inline void ExpectToolbarKeyValues(const std::map<std::string, StoredValue>& values, bool bDefault)
{
    size_t expected = 0;
    for (const ToolbarKeyValue& value : kToolbarKeyValues) {
        if (value.bDefaultOnly && !bDefault)
            continue;
        ++expected;
        SCOPED_TRACE(value.name);
        ASSERT_TRUE(values.count(value.name));
        EXPECT_EQ(value.type, values.at(value.name).type);
    }
    EXPECT_EQ(expected, values.size());
}

}   // namespace testing_support
