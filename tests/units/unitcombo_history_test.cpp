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
constexpr double kDegree = 0.017453292519943295;

using UnitComboHistoryTest = UnitComboTest;

template <typename T>
void WriteStored(LPCSTR path, LPCSTR name, const T& value)
{
    const HKEY hKey = testing_support::CreateKey(path);
    const DWORD type = sizeof value == sizeof(DWORD) ? REG_DWORD : REG_BINARY;
    ::RegSetValueExA(hKey, name, 0, type, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
}

CString IndexName(int index)
{
    CString name;
    name.Format("Value%02d", index);
    return name;
}

// Newest first; a text that does not parse leaves the history as it was. A missing limit is
// written as 25 again, and a full history drops its oldest and keeps its count.
TEST_F(UnitComboHistoryTest, SavedValuesAreEightByteDoublesUnderADwordCountAndLimit)
{
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    EXPECT_EQ(0, combo.SaveValue("1.5"));
    EXPECT_EQ(0, combo.SaveValue("2.5"));
    EXPECT_EQ(0, combo.SaveValue("not a number"));
    const CString path = HistoryPath("Distance");
    EXPECT_EQ(2, StoredNumber(path, "ValueCount"));
    EXPECT_EQ(25, StoredNumber(path, "ValueLimit"));
    EXPECT_DOUBLE_EQ(2.5, StoredDouble(path, "Value00"));
    EXPECT_DOUBLE_EQ(1.5, StoredDouble(path, "Value01"));
    EXPECT_EQ(-1.0, StoredDouble(path, "Value02"));
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteKeyValueA(HKEY_CURRENT_USER, path, "ValueLimit"));
    WriteStored(path, "ValueCount", DWORD(1));
    WriteStored(path, "Value00", 3.0);
    EXPECT_EQ(1, combo.LoadValues());
    EXPECT_EQ(25, StoredNumber(path, "ValueLimit"));
    ASSERT_EQ(1, combo.GetCount());
    EXPECT_EQ(Formatted(combo, 3.0), ListText(combo, 0));

    JAngleComboBox angle;
    ASSERT_TRUE(CreateCombo(angle, &m_parent, kComboID + 1));
    const CString full = HistoryPath("Angle");
    WriteStored(full, "ValueLimit", DWORD(25));
    WriteStored(full, "ValueCount", DWORD(25));
    for (int i = 0; i < 25; ++i)
        WriteStored(full, IndexName(i), 100.0 + i);
    const CString text = Formatted(angle, 0.5);
    double entered = 0.0;
    ParseUnit(UNIT_TYPE_ANGLE, 0, GUserText(text), &entered, nullptr);
    ASSERT_EQ(0, angle.SaveValue(text));
    EXPECT_EQ(25, StoredNumber(full, "ValueCount"));
    EXPECT_DOUBLE_EQ(entered, StoredDouble(full, "Value00"));
    for (int i = 1; i < 25; ++i)
        EXPECT_DOUBLE_EQ(100.0 + i - 1, StoredDouble(full, IndexName(i))) << IndexName(i);
    EXPECT_EQ(DWORD(REG_NONE), Stored(full, "Value25").type) << "nothing is kept beyond the limit";
}

// Half an inch and an inch (the most recent) for distances, four directions, no angles or scalars;
// without the history style, or with a fixed list, nothing is loaded.
TEST_F(UnitComboHistoryTest, EmptyHistoriesOfferTheirKindsDefaults)
{
    JDistanceComboBox distance, plain, fixedList;
    JDirectionComboBox direction;
    JAngleComboBox angle;
    JScalarComboBox scalar;
    ASSERT_TRUE(CreateCombo(distance, &m_parent, kComboID, JCBS_HISTORY, UNIT_INCH));
    ASSERT_TRUE(CreateCombo(direction, &m_parent, kComboID + 1));
    ASSERT_TRUE(CreateCombo(angle, &m_parent, kComboID + 2));
    ASSERT_TRUE(CreateCombo(scalar, &m_parent, kComboID + 3));
    ASSERT_TRUE(CreateCombo(plain, &m_parent, kComboID + 4, 0));
    ASSERT_TRUE(CreateCombo(fixedList, &m_parent, kComboID + 5, JCBS_HISTORY | JCBS_NORELOAD));
    const UINT degree = UNIT_DEGREE;
    direction.SetLocalUnits(&degree, nullptr, nullptr);
    distance.ShowDropDown(TRUE);   // the list is rebuilt as it drops down
    distance.ShowDropDown(FALSE);
    ASSERT_EQ(2, distance.GetCount());
    EXPECT_EQ(Formatted(distance, 0.0127), ListText(distance, 0));
    EXPECT_EQ(Formatted(distance, 0.0254), ListText(distance, 1));
    EXPECT_EQ(2, StoredNumber(HistoryPath("Distance"), "ValueCount"));
    EXPECT_NEAR(0.0254, StoredDouble(HistoryPath("Distance"), "Value00"), 1e-9);
    EXPECT_NEAR(0.0127, StoredDouble(HistoryPath("Distance"), "Value01"), 1e-9);

    direction.LoadValues();
    ASSERT_EQ(4, direction.GetCount());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Formatted(direction, 45.0 * (i + 1) * kDegree), ListText(direction, i));
    EXPECT_EQ(4, StoredNumber(HistoryPath("Angle"), "ValueCount"));
    EXPECT_NEAR(180.0 * kDegree, StoredDouble(HistoryPath("Angle"), "Value00"), 1e-9);

    ::RegDeleteTreeA(HKEY_CURRENT_USER, HistoryPath("Angle"));
    for (JUnitComboBox* pCombo : std::initializer_list<JUnitComboBox*>{&angle, &scalar, &plain, &fixedList}) {
        pCombo->LoadValues();
        EXPECT_EQ(0, pCombo->GetCount()) << pCombo->GetDlgCtrlID();
    }
    EXPECT_EQ(-1.0, StoredDouble(HistoryPath("Angle"), "Value00"));
}

TEST_F(UnitComboHistoryTest, QuadrantBearingsAreStoredAsTypedAndTheDroppedListHasRoomForTheWholeHistory)
{
    SetBearingInfo(1, 0, 0, 0);
    JDirectionComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    const UINT degree = UNIT_DEGREE;
    combo.SetLocalUnits(&degree, nullptr, nullptr);
    // "S 30 E" is 150 degrees clockwise from north: the angle as the user typed it.
    ASSERT_EQ(0, combo.SaveValue("S 30 E"));
    EXPECT_NEAR(150.0 * kDegree, StoredDouble(HistoryPath("Angle"), "Value00"), 1e-9);
    combo.LoadValues();
    ASSERT_EQ(1, combo.GetCount());
    EXPECT_EQ("S " + Formatted(combo, 30.0 * kDegree) + " E", ListText(combo, 0));
    SetBearingInfo(0, 1, 0, 0);
    // The dropped list has room for the whole history.
    JDistanceComboBox distance;
    ASSERT_TRUE(CreateCombo(distance, &m_parent, kComboID));
    WriteStored(HistoryPath("Distance"), "ValueLimit", DWORD(6));
    distance.ShowDropDown(TRUE);
    const int field = distance.GetItemHeight(-1);
    const int item = distance.GetItemHeight(0) > 0 ? distance.GetItemHeight(0) : field;
    CRect dropped;
    distance.GetDroppedControlRect(&dropped);
    // The box is made limit items and two fields high; the list has that less the field and its frame.
    EXPECT_GE(dropped.Height(), 6 * item);
    EXPECT_LE(dropped.Height(), 6 * item + 2 * field);
    distance.ShowDropDown(FALSE);
}

// The damaged states under tests/data/defaultvalues, the list each yields (in metres) and the limit after.
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

// Damage can store values no entry gives: one not finite would show as "N  W", and a huge one is
// listed as a text that reads back.
TEST_F(UnitComboHistoryTest, StoredDirectionsThatAreNotFiniteAreNotListedAndHugeOnesArePickedAtOnce)
{
    const CString path = HistoryPath("Angle");
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e20,
                             -std::numeric_limits<double>::infinity()};
    WriteStored(path, "ValueCount", DWORD(4));
    for (int i = 0; i < 4; ++i)
        WriteStored(path, IndexName(i), values[i]);
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
        EXPECT_EQ(listed, TextOf(combo));
        const double picked = combo.GetValue();
        EXPECT_TRUE(picked >= 0.0 && picked < 360 * kDegree) << picked;
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
        const long count = StoredNumber(HistoryPath("Distance"), "ValueCount");
        EXPECT_TRUE(count >= 1 && count <= long(expected->second.limitAfter)) << count;
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

// Its histories lie past MAX_PATH characters from HKEY_CURRENT_USER.
TEST_F(UnitComboHistoryTest, AnEnvironmentWithTheLongestNameKeepsItsHistory)
{
    const std::string name(255, 'L');
    JGetEnvironmentManager()->SetEnvironment(name.c_str(), m_key.path(), nullptr, nullptr);
    ASSERT_EQ(CString(name.c_str()), JEnvironmentManager::Current()->GetCustomEnvironment().Text());
    JDistanceComboBox combo;
    ASSERT_TRUE(CreateCombo(combo, &m_parent, kComboID));
    EXPECT_EQ(0, combo.SaveValue("1.5"));
    // Read back key by key: each step's name is short.
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, m_key.path(), 0, KEY_READ, &hKey));
    for (const std::string& part : {name, std::string("DefaultValues"), std::string("Distance")}) {
        HKEY hNext = nullptr;
        const LONG opened = ::RegOpenKeyExA(hKey, part.c_str(), 0, KEY_READ, &hNext);
        ::RegCloseKey(hKey);
        ASSERT_EQ(ERROR_SUCCESS, opened) << "no key " << part.substr(0, 20);
        hKey = hNext;
    }
    DWORD count = 0, size = sizeof count;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "ValueCount", nullptr, nullptr, (BYTE*)&count, &size));
    EXPECT_EQ(1u, count);
    ::RegCloseKey(hKey);
}

}   // namespace
