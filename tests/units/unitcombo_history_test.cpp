// The value history of the unit combo boxes as the registry holds it: what is
// stored on an entry, what a drop-down shows, and stored states that are damaged.
#include "regfile.h"
#include "scripted_input.h"
#include "unitcombo_fixture.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {

constexpr UINT kComboID = 301;

using UnitComboHistoryTest = UnitComboTest;

void WriteDword(LPCSTR path, LPCSTR name, DWORD value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
}

void WriteDouble(LPCSTR path, LPCSTR name, double value)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegSetValueExA(hKey, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
}

CString IndexName(int index)
{
    CString name;
    name.Format("Value%02d", index);
    return name;
}

TEST_F(UnitComboHistoryTest, EverySavedValueIsAnEightByteDoubleWithDwordCountAndLimit)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    EXPECT_EQ(0, combo.SaveValue("1.5"));
    EXPECT_EQ(0, combo.SaveValue("2.5"));
    const CString path = HistoryPath("Distance");
    StoredValue count, limit, newest, older;
    ASSERT_TRUE(ReadStored(path, "ValueCount", count));
    ASSERT_TRUE(ReadStored(path, "ValueLimit", limit));
    ASSERT_TRUE(ReadStored(path, "Value00", newest));
    ASSERT_TRUE(ReadStored(path, "Value01", older));
    EXPECT_EQ(DWORD(REG_DWORD), count.type);
    EXPECT_EQ(2u, count.Number());
    EXPECT_EQ(DWORD(REG_DWORD), limit.type);
    EXPECT_EQ(25u, limit.Number());
    for (const StoredValue* value : {&newest, &older}) {
        EXPECT_EQ(DWORD(REG_BINARY), value->type);
        EXPECT_EQ(8u, value->data.size());
    }
    EXPECT_DOUBLE_EQ(2.5, newest.Double());
    EXPECT_DOUBLE_EQ(1.5, older.Double());
}

TEST_F(UnitComboHistoryTest, AFullHistoryDropsItsOldestAndKeepsItsCount)
{
    JAngleComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    const CString path = HistoryPath("Angle");
    WriteDword(path, "ValueLimit", 25);
    WriteDword(path, "ValueCount", 25);
    for (int i = 0; i < 25; ++i)
        WriteDouble(path, IndexName(i), 100.0 + i);
    GUserText text;
    const tagUomFormat format = combo.GetLocalFormat();
    UINT units[3];
    combo.GetLocalUnits(&units[0], &units[1], &units[2]);
    FormatUnit(UNIT_TYPE_ANGLE, 0.5, text, &format, &units[0], &units[1], &units[2]);
    double entered = 0.0;
    UINT unitFound = 0;
    ParseUnit(UNIT_TYPE_ANGLE, 0, text, &entered, &unitFound);

    ASSERT_EQ(0, combo.SaveValue(text.Text()));

    StoredValue value;
    ASSERT_TRUE(ReadStored(path, "ValueCount", value));
    EXPECT_EQ(25u, value.Number());
    ASSERT_TRUE(ReadStored(path, "Value00", value));
    EXPECT_DOUBLE_EQ(entered, value.Double());
    for (int i = 1; i < 25; ++i) {
        ASSERT_TRUE(ReadStored(path, IndexName(i), value));
        EXPECT_DOUBLE_EQ(100.0 + i - 1, value.Double()) << IndexName(i);
    }
    EXPECT_FALSE(ReadStored(path, "Value25", value)) << "nothing is kept beyond the limit";
}

TEST_F(UnitComboHistoryTest, ATextThatDoesNotParseLeavesTheHistoryAsItWas)
{
    JScalarComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    ASSERT_EQ(0, combo.SaveValue("7"));
    EXPECT_EQ(0, combo.SaveValue("not a number"));
    const CString path = HistoryPath("Scalar");
    StoredValue value;
    ASSERT_TRUE(ReadStored(path, "ValueCount", value));
    EXPECT_EQ(1u, value.Number());
    EXPECT_FALSE(ReadStored(path, "Value01", value));
}

TEST_F(UnitComboHistoryTest, AMissingLimitIsWrittenAsTwentyFiveAgain)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    const CString path = HistoryPath("Distance");
    WriteDword(path, "ValueCount", 1);
    WriteDouble(path, "Value00", 3.0);
    EXPECT_EQ(1, combo.LoadValues());
    StoredValue value;
    ASSERT_TRUE(ReadStored(path, "ValueLimit", value));
    EXPECT_EQ(25u, value.Number());
    ASSERT_EQ(1, combo.GetCount());
    EXPECT_EQ(Formatted(combo, 3.0), ListText(combo, 0));
}

TEST_F(UnitComboHistoryTest, AnEmptyDistanceHistoryOffersAndStoresHalfAndOneInch)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID, JCBS_HISTORY, UNIT_INCH));
    combo.ShowDropDown(TRUE);   // the list is rebuilt as it drops down
    combo.ShowDropDown(FALSE);
    ASSERT_EQ(2, combo.GetCount());
    EXPECT_EQ(Formatted(combo, 0.0127), ListText(combo, 0));
    EXPECT_EQ(Formatted(combo, 0.0254), ListText(combo, 1));
    const CString path = HistoryPath("Distance");
    StoredValue value;
    ASSERT_TRUE(ReadStored(path, "ValueCount", value));
    EXPECT_EQ(2u, value.Number());
    ASSERT_TRUE(ReadStored(path, "Value00", value));
    EXPECT_NEAR(0.0254, value.Double(), 1e-9) << "the last default is the most recent";
    ASSERT_TRUE(ReadStored(path, "Value01", value));
    EXPECT_NEAR(0.0127, value.Double(), 1e-9);
}

TEST_F(UnitComboHistoryTest, AnEmptyDirectionHistoryOffersFourDirections)
{
    JDirectionComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    const UINT degree = UNIT_DEGREE;
    combo.SetLocalUnits(&degree, nullptr, nullptr);
    combo.LoadValues();
    ASSERT_EQ(4, combo.GetCount());
    constexpr double kDegree = 0.017453292519943295;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Formatted(combo, 45.0 * (i + 1) * kDegree), ListText(combo, i));
    StoredValue value;
    ASSERT_TRUE(ReadStored(HistoryPath("Angle"), "ValueCount", value));
    EXPECT_EQ(4u, value.Number());
    ASSERT_TRUE(ReadStored(HistoryPath("Angle"), "Value00", value));
    EXPECT_NEAR(180.0 * kDegree, value.Double(), 1e-9);
}

TEST_F(UnitComboHistoryTest, QuadrantBearingsAreStoredAsTypedAndListedAsBearings)
{
    SetBearingInfo(1, 0, 0, 0);
    JDirectionComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    const UINT degree = UNIT_DEGREE;
    combo.SetLocalUnits(&degree, nullptr, nullptr);
    constexpr double kDegree = 0.017453292519943295;
    // "S 30 E" is 150 degrees clockwise from north: the angle as the user typed it.
    ASSERT_EQ(0, combo.SaveValue("S 30 E"));
    StoredValue value;
    ASSERT_TRUE(ReadStored(HistoryPath("Angle"), "Value00", value));
    EXPECT_NEAR(150.0 * kDegree, value.Double(), 1e-9);
    combo.LoadValues();
    ASSERT_EQ(1, combo.GetCount());
    const CString listed = ListText(combo, 0);
    EXPECT_EQ('S', listed[0]);
    EXPECT_EQ('E', listed[listed.GetLength() - 1]);
    EXPECT_EQ("S " + Formatted(combo, 30.0 * kDegree) + " E", listed);
    SetBearingInfo(0, 1, 0, 0);
}

TEST_F(UnitComboHistoryTest, TheDroppedListHasRoomForTheWholeHistory)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    WriteDword(HistoryPath("Distance"), "ValueLimit", 6);
    combo.ShowDropDown(TRUE);
    const int field = combo.GetItemHeight(-1);
    const int item = combo.GetItemHeight(0) > 0 ? combo.GetItemHeight(0) : field;
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    // The combo box is made limit items and two fields high; the list takes that
    // height less the selection field and its frame.
    EXPECT_GE(dropped.Height(), 6 * item);
    EXPECT_LE(dropped.Height(), 6 * item + 2 * field);
    combo.ShowDropDown(FALSE);
}

TEST_F(UnitComboHistoryTest, EmptyAngleAndScalarHistoriesOfferNothing)
{
    JAngleComboBox angle;
    JScalarComboBox scalar;
    ASSERT_TRUE(CreateCombo(angle, &m_parent, kComboID));
    ASSERT_TRUE(CreateCombo(scalar, &m_parent, kComboID + 1));
    angle.LoadValues();
    scalar.LoadValues();
    EXPECT_EQ(0, angle.GetCount());
    EXPECT_EQ(0, scalar.GetCount());
    StoredValue value;
    EXPECT_FALSE(ReadStored(HistoryPath("Angle"), "Value00", value));
}

TEST_F(UnitComboHistoryTest, WithoutTheHistoryStyleNothingIsLoaded)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID, 0));
    EXPECT_EQ(0, combo.LoadValues());
    EXPECT_EQ(0, combo.GetCount());
    JDistanceComboBox fixedList;
    ASSERT_TRUE(CreateCombo(fixedList, &m_parent, kComboID + 1, JCBS_HISTORY | JCBS_NORELOAD));
    EXPECT_EQ(0, fixedList.LoadValues());
    EXPECT_EQ(0, fixedList.GetCount());
}

// The damaged states under tests/data/defaultvalues and the list each one yields
// (values in metres) and the count then in force.
struct DamagedCase {
    std::vector<double> listed;
    DWORD limitAfter;
};

const std::map<CString, DamagedCase> kDamaged = {
    {"count_above_limit.reg", {{1.0, 2.0, 3.0}, 3}},
    {"wrong_value_types.reg", {{5.0}, 25}},
    {"absurd_limit.reg", {{1.0, 2.0}, 25}},
    {"count_beyond_values.reg", {{1.0, 2.0}, 25}},
};

// Damage can store values no entry gives: those that are not finite are never listed (a
// bearing would show "N  W"), and a huge one is listed as a text that reads back and is
// taken into a turn at once when picked.
TEST_F(UnitComboHistoryTest, StoredDirectionsThatAreNotFiniteAreNotListedAndHugeOnesArePickedAtOnce)
{
    const CString path = HistoryPath("Angle");
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e20,
                             -std::numeric_limits<double>::infinity()};
    WriteDword(path, "ValueCount", 4);
    for (int i = 0; i < 4; ++i)
        WriteDouble(path, IndexName(i), values[i]);
    JDirectionComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    for (int azimuths = 1; azimuths >= 0; --azimuths) {
        SCOPED_TRACE(azimuths ? "azimuths" : "quadrant bearings");
        ASSERT_EQ(1, SetBearingInfo(1, azimuths, 0, 0));
        combo.LoadValues();
        ASSERT_EQ(1, combo.GetCount());
        const CString listed = ListText(combo, 0);
        combo.SetValue(1.0);
        ASSERT_TRUE(testing_support::MakeForeground(m_parent));
        combo.SetFocus();
        {
            testing_support::ScriptedInput watchdog;
            testing_support::PressKey(VK_DOWN);
            Settle();
        }
        CString shown;
        combo.GetWindowText(shown);
        EXPECT_EQ(listed, shown);
        const double picked = combo.GetValue();
        EXPECT_TRUE(picked >= 0.0 && picked < 2 * 3.14159265358979323846) << picked;
        combo.SetCurSel(-1);
    }
    SetBearingInfo(0, 1, 0, 0);
}

TEST_F(UnitComboHistoryTest, DamagedHistoriesLoadWhatIsUsableAndNoMore)
{
    const std::vector<CString> files = testing_support::RegFilesIn("defaultvalues");
    ASSERT_EQ(kDamaged.size(), files.size());
    const CString root = JEnvironmentManager::Current()->GetRegistryNameWithEnv().Text();
    for (const CString& file : files) {
        const CString name = file.Mid(file.ReverseFind('\\') + 1);
        SCOPED_TRACE(name.GetString());
        const auto expected = kDamaged.find(name);
        ASSERT_NE(kDamaged.end(), expected) << "a corpus file without expectations";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, HistoryPath("Distance"));
        std::string error;
        ASSERT_TRUE(testing_support::ImportRegFile(file, root, error)) << error;
        JDistanceComboBox combo;
        ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
        combo.LoadValues();
        ASSERT_EQ((int)expected->second.listed.size(), combo.GetCount());
        for (size_t i = 0; i < expected->second.listed.size(); ++i)
            EXPECT_EQ(Formatted(combo, expected->second.listed[i]), ListText(combo, (int)i));
        EXPECT_EQ((int)expected->second.limitAfter, combo.GetValueLimit());
        // Another entry goes to the head and the usable ones follow it, within the limit.
        ASSERT_EQ(0, combo.SaveValue(Formatted(combo, 9.0)));
        StoredValue value;
        ASSERT_TRUE(ReadStored(HistoryPath("Distance"), "ValueCount", value));
        EXPECT_LE(value.Number(), expected->second.limitAfter);
        std::vector<double> after{9.0};
        after.insert(after.end(), expected->second.listed.begin(), expected->second.listed.end());
        after.resize(std::min(after.size(), (size_t)expected->second.limitAfter));
        combo.LoadValues();
        ASSERT_EQ((int)after.size(), combo.GetCount());
        for (size_t i = 0; i < after.size(); ++i)
            EXPECT_EQ(Formatted(combo, after[i]), ListText(combo, (int)i));
        combo.DestroyWindow();
    }
}

}   // namespace
