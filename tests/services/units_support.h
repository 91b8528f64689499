// Shared by the unit service tests: a pinned decimal separator and known
// default units for the duration of a test.
#pragma once
#include "baseutil.h"

#include <gtest/gtest.h>

namespace units_test {

constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

inline tagUomFormat Format(BYTE mode, BYTE precision, DWORD integerDisplay = 0)
{
    tagUomFormat format = {};
    format.mode = mode;
    format.precision = precision;
    format.integerDisplay = integerDisplay;
    return format;
}

class UnitServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetUnitDecimalSeparator('.');
        for (UINT type : {UNIT_TYPE_DISTANCE, UNIT_TYPE_ANGLE, UNIT_TYPE_SCALAR})
            GetDefaultUnits(type, &m_saved[Slot(type)][0], &m_saved[Slot(type)][1], &m_saved[Slot(type)][2]);
        UseDefaults(UNIT_TYPE_DISTANCE, UNIT_MILLIMETRE);
        UseDefaults(UNIT_TYPE_ANGLE, UNIT_DEGREE);
    }
    void TearDown() override
    {
        for (UINT type : {UNIT_TYPE_DISTANCE, UNIT_TYPE_ANGLE, UNIT_TYPE_SCALAR})
            SetDefaultUnits(type, &m_saved[Slot(type)][0], &m_saved[Slot(type)][1], &m_saved[Slot(type)][2]);
        SetUnitDecimalSeparator('\0');
    }

    static void UseDefaults(UINT type, UINT primary, UINT secondary = UNIT_NONE, UINT tertiary = UNIT_NONE)
    {
        ASSERT_EQ(1, SetDefaultUnits(type, &primary, &secondary, &tertiary));
    }

private:
    static int Slot(UINT type) { return type == UNIT_TYPE_DISTANCE ? 0 : type == UNIT_TYPE_ANGLE ? 1 : 2; }
    UINT m_saved[3][3] = {};
};

}
