// The value history of the unit combo boxes: "DefaultValues\<kind>" under the
// environment's key, index 00 the most recent value.
#include "junitcombo.h"
#include "unitvalue.h"

#include "jenvmanager.h"
#include "regvalues.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr DWORD kDefaultLimit = 25;
// Names have two digits: a larger stored limit is damage, not a wish.
constexpr DWORD kLargestLimit = 99;

CString ValueName(DWORD index)
{
    CString name;
    name.Format("Value%02lu", (unsigned long)index);
    return name;
}

bool ReadDword(HKEY hKey, LPCSTR name, DWORD* value)
{
    DWORD type = 0, size = sizeof *value;
    return ::RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof *value;
}

bool WriteDword(HKEY hKey, LPCSTR name, DWORD value)
{
    return ::RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

enum class Stored { Value, Missing, Unusable };

// One stored double; values of another type or size are unusable, never read past their size.
Stored ReadDouble(HKEY hKey, LPCSTR name, double* value)
{
    BYTE data[sizeof(double)] = {};
    DWORD type = 0, size = sizeof data;
    const LONG status = ::RegQueryValueExA(hKey, name, nullptr, &type, data, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return Stored::Missing;
    if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof data)
        return Stored::Unusable;
    memcpy(value, data, sizeof data);
    return Stored::Value;
}

// Copies a value whatever it holds; a missing one leaves a gap at its target too, so
// a count above what is stored moves the stored values along instead of ending the
// shift. False when a value cannot be read or written.
bool CopyValue(HKEY hKey, LPCSTR from, LPCSTR to)
{
    DWORD type = 0, size = 0;
    const LONG status = ::RegQueryValueExA(hKey, from, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteValueA(hKey, to);
        return true;
    }
    if (status != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> data(size ? size : 1);
    if (::RegQueryValueExA(hKey, from, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(hKey, to, 0, type, data.data(), size) == ERROR_SUCCESS;
}

}   // namespace

void JUnitComboBox::OpenRegKey(LPCSTR kind)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Current();
    if (!pInfo)
        return;
    const GUserText root = pInfo->GetRegistryNameWithEnv();
    if (root.IsEmpty())
        return;
    CString path = root.Text();
    path += "\\DefaultValues\\";
    path += kind;
    if (m_hHistoryKey) {
        ::RegCloseKey(m_hHistoryKey);
        m_hHistoryKey = nullptr;
    }
    // An environment's name may be a key's longest: the path then passes MAX_PATH characters.
    if (OpenRegPath(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &m_hHistoryKey) == ERROR_SUCCESS)
        return;
    JRegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &m_hHistoryKey, nullptr);
}

DWORD JUnitComboBox::ReadLimitAndCount(DWORD* count)
{
    DWORD limit = 0;
    if (!ReadDword(m_hHistoryKey, "ValueLimit", &limit) || limit == 0 || limit > kLargestLimit) {
        limit = kDefaultLimit;
        WriteDword(m_hHistoryKey, "ValueLimit", limit);
    }
    m_nValueLimit = (int)limit;
    if (!ReadDword(m_hHistoryKey, "ValueCount", count))
        *count = 0;
    *count = std::min(*count, limit);
    return limit;
}

GUserText JUnitComboBox::FormatStored(double value)
{
    return UnitValue<JUnitComboBox>::Formatted(*this, value);
}

int JUnitComboBox::ParseStored(const GUserText& text, double* value)
{
    return ParseText(m_nUnitType, text, value, nullptr);
}

int JUnitComboBox::LoadValues()
{
    if (!m_hHistoryKey || !(GetStyle() & JCBS_HISTORY) || (GetStyle() & JCBS_NORELOAD))
        return 0;
    DWORD count = 0;
    ReadLimitAndCount(&count);
    m_nLoadedCount = (int)count;
    if (count == 0) {
        AddDefaultValues();
        return 0;
    }
    SendMessage(WM_SETREDRAW, FALSE, 0);
    ResetContent();
    Display();
    for (DWORD i = 0; i < count; ++i) {
        double value = 0.0;
        const Stored stored = ReadDouble(m_hHistoryKey, ValueName(i), &value);
        if (stored == Stored::Missing)
            break;
        // Damage can store what no entry gives: a value that is not finite has no text.
        if (stored == Stored::Value && std::isfinite(value))
            AddStringToLB(CString(FormatStored(value).Text()), 0);
    }
    SendMessage(WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 1;
}

int JUnitComboBox::SaveValue(CString text)
{
    if (!m_hHistoryKey)
        return 1;
    // A text that does not parse leaves the history as it was: shifting first would
    // repeat the head entry in its place.
    double value = 0.0;
    if (ParseStored(GUserText(text), &value) != 1)
        return 0;
    DWORD count = 0;
    const DWORD limit = ReadLimitAndCount(&count);
    // Towards the end, the last entry first; a full history loses its oldest.
    for (DWORD to = std::min(count, limit - 1); to > 0; --to)
        if (!CopyValue(m_hHistoryKey, ValueName(to - 1), ValueName(to)))
            break;
    if (count < limit)
        ++count;
    if (!WriteDword(m_hHistoryKey, "ValueCount", count) || !WriteDword(m_hHistoryKey, "ValueLimit", limit))
        return 1;
    const LONG status = ::RegSetValueExA(m_hHistoryKey, ValueName(0), 0, REG_BINARY,
                                         reinterpret_cast<const BYTE*>(&value), sizeof value);
    return status == ERROR_SUCCESS ? 0 : 1;
}

void JUnitComboBox::AddStringToLB(CString text, int save)
{
    double value = Parse(text);
    if (IsLength() && value < 0.0 && save) {
        // A length has no sign: a negative entry means its size. A stored value being
        // listed leaves the control's own value alone.
        value = -value;
        m_dValue = value;
        Display();
        text = EditText();
    }
    if (text.IsEmpty() || FindStringExact(-1, text) != CB_ERR)
        return;
    if (IsLength() && value == 0.0)
        return;
    AddString(text);
    if (save)
        SaveValue(text);
}
