// A started library with an environment whose registry lives under a test key,
// and a parent window that records what its unit combo boxes tell it.
#pragma once
#include "controlexports.h"
#include "jenvmanager.h"
#include "junitcombo.h"
#include "storedvalues.h"
#include "unitedit_fixture.h"

class UnitComboTest : public UnitEditTest {
protected:
    void SetUp() override
    {
        UnitEditTest::SetUp();
        JCreateEnvironmentManager(m_key.path(), 1, 1, 1, 1, 1, 1, 1, 1);
        ASSERT_NE(nullptr, JEnvironmentManager::Current());
        m_parent.recorded.push_back(JUM_VALUESELECTED);
    }

    // The registry path of a kind's history, relative to HKEY_CURRENT_USER.
    CString HistoryPath(LPCSTR kind) const
    {
        CString path = JEnvironmentManager::Current()->GetRegistryNameWithEnv().Text();
        return path + "\\DefaultValues\\" + kind;
    }
    // Creates a drop-down combo holding values in metres (inches for inches = true).
    static BOOL CreateCombo(JUnitComboBox& combo, CWnd* pParent, UINT nID, DWORD extraStyle = JCBS_HISTORY,
                            UINT unit = UNIT_METRE)
    {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | extraStyle;
        if (!combo.Create(style, CRect(10, 10, 200, 200), pParent, nID))
            return FALSE;
        if (combo.GetUnitType() == UNIT_TYPE_DISTANCE) {
            combo.SetLocalUnits(&unit, nullptr, nullptr);
        }
        return TRUE;
    }
    static CString ListText(const CComboBox& combo, int index)
    {
        CString text;
        combo.GetLBText(index, text);
        return text;
    }

    testing_support::ScopedTestKey m_key;
};

using testing_support::StoredValue;

// A value of the key at path (below HKEY_CURRENT_USER); REG_NONE when missing.
inline StoredValue Stored(LPCSTR path, LPCSTR name)
{
    StoredValue value;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return value;
    if (!testing_support::ReadStoredValue(hKey, name, value))
        value = StoredValue();
    ::RegCloseKey(hKey);
    return value;
}
// A stored count or limit (REG_DWORD), -1 when missing or of another type.
inline long StoredNumber(LPCSTR path, LPCSTR name)
{
    const StoredValue value = Stored(path, name);
    return value.type == REG_DWORD ? long(value.Number()) : -1;
}
// A stored value (eight-byte REG_BINARY), -1 when missing or of another shape.
inline double StoredDouble(LPCSTR path, LPCSTR name)
{
    const StoredValue value = Stored(path, name);
    return value.type == REG_BINARY && value.data.size() == 8 ? value.Double() : -1.0;
}
