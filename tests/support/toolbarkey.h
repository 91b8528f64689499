// The values a toolbar writes into its registry key, with their types: what
// stored layouts hold and what the readers of them expect.
#pragma once
#include "storedvalues.h"

#include <gtest/gtest.h>

namespace testing_support {

// The key of a toolbar with buttons (and without flyouts or pictures) holds these values
// and no others, each of its type: the default ones only for a default toolbar.
inline void ExpectToolbarKeyValues(const std::map<std::string, StoredValue>& values, bool bDefault)
{
    std::map<std::string, DWORD> expected = {{"Name", REG_SZ}};
    for (const char* name : {"ID", "IDFixed", "DockSite", "Visible", "Floating", "FloatTop", "FloatBottom", "FloatLeft",
                             "FloatRight", "Hide", "FloatSizeWidth", "FloatSizeHeight", "FloatOrientation", "Default"})
        expected[name] = REG_DWORD;
    for (const char* name : {"DockPos", "FloatPos", "IDs", "Styles", "Flyouts", "CustomBitmaps"})
        expected[name] = REG_BINARY;
    if (bDefault)
        expected["DefaultIDs"] = expected["DefaultFlyouts"] = REG_BINARY;
    for (const auto& [name, type] : expected) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(values.count(name));
        EXPECT_EQ(type, values.at(name).type);
    }
    EXPECT_EQ(expected.size(), values.size());
}

}   // namespace testing_support
