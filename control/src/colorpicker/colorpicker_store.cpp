// JColorPicker's custom colours: the user's list under "CustomColors" in the registry and
// the drawing's list in the active document's preference store.
#include "colorlist.h"

#include "baseutil.h"
#include "hostengine.h"
#include "hostunits.h"
#include "regvalues.h"
#include "tspref.h"

#include <algorithm>
#include <utility>

namespace {

// More than a picker shows: a longer stored list is damage.
const DWORD kMaxStored = 1024;

using Entry = std::pair<COLORREF, CString>;

CString EntryName(LPCSTR kind, int n)
{
    CString name;
    name.Format("%s%02d: ", kind, n);
    return name;
}

bool StorableColor(DWORD color)
{
    return color <= 0xFFFFFF || color == JCP_COLOR_SPECIAL;
}

CString PickerKey(const char* registryName)
{
    CString path;
    path.Format("%s\\%s", registryName, "ColorPicker");
    return path;
}

}   // namespace

std::vector<Entry> ReadStoredColorList(const char* registryName)
{
    std::vector<Entry> entries;
    HKEY hKey = nullptr;
    if (!registryName || !*registryName ||
        OpenRegPath(HKEY_CURRENT_USER, PickerKey(registryName), KEY_READ, &hKey) != ERROR_SUCCESS)
        return entries;
    DWORD count = 0;
    if (ReadRegNumber(hKey, "Number", &count)) {
        count = std::min(count, kMaxStored);
        for (DWORD n = 0; n < count; ++n) {
            DWORD color = 0;
            if (!ReadRegNumber(hKey, EntryName("Color", (int)n), &color) || !StorableColor(color))
                continue;
            char text[256] = "";
            ReadRegText(hKey, EntryName("String", (int)n), text, sizeof text);
            entries.emplace_back(color, CString(text));
        }
    }
    ::RegCloseKey(hKey);
    return entries;
}

void MoveStoredColorList(const CString& from, const CString& to)
{
    if (from.IsEmpty() || to.IsEmpty() || from.CompareNoCase(to) == 0)
        return;
    const std::vector<Entry> moving = ReadStoredColorList(from);
    if (moving.empty())
        return;
    std::vector<Entry> entries = ReadStoredColorList(to);
    for (const Entry& entry : moving)
        if (entries.size() < kMaxStored &&
            std::none_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.first == entry.first; }))
            entries.push_back(entry);
    HKEY hFrom = nullptr, hTo = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, PickerKey(from), KEY_READ, &hFrom) != ERROR_SUCCESS)
        return;
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, PickerKey(to), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &hTo, nullptr) != ERROR_SUCCESS) {
        ::RegCloseKey(hFrom);
        return;
    }
    bool stored = true;
    for (size_t n = 0; n < entries.size(); ++n)
        stored = WriteRegNumber(hTo, EntryName("Color", (int)n), entries[n].first) &&
                 WriteRegText(hTo, EntryName("String", (int)n), entries[n].second) && stored;
    stored = WriteRegNumber(hTo, "Number", (DWORD)entries.size()) && stored;
    for (LPCSTR setting :
         {"NumberOfColorWells", "Columns", "GrowPalette", "AdjustPalette", "AdjustOnNthRow", "AdjustColumnsBy"}) {
        DWORD value = 0, present = 0;
        if (ReadRegNumber(hFrom, setting, &value) && !ReadRegNumber(hTo, setting, &present))
            WriteRegNumber(hTo, setting, value);
    }
    ::RegCloseKey(hTo);
    ::RegCloseKey(hFrom);
    // The old list goes only once the new one holds it all.
    if (stored)
        DeleteRegPath(HKEY_CURRENT_USER, PickerKey(from));
}

void JColorPicker::LoadColorPickerSettings(const char* registryName)
{
    HKEY hKey = nullptr;
    if (!registryName || !*registryName ||
        OpenRegPath(HKEY_CURRENT_USER, PickerKey(registryName), KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    DWORD value = 0;
    if (ReadRegNumber(hKey, "NumberOfColorWells", &value) && value <= kMaxStored) {
        m_nCustomWells = (int)value;
        m_nWells = 18 + m_nCustomWells;
        m_nLastCustom = m_nWells - 1;
    }
    if (ReadRegNumber(hKey, "Columns", &value) && value >= 1 && value <= 64)
        m_nColumns = (int)value;
    if (ReadRegNumber(hKey, "GrowPalette", &value))
        m_bGrowPalette = value != 0;
    if (ReadRegNumber(hKey, "AdjustPalette", &value))
        m_bAdjustPalette = value != 0;
    if (ReadRegNumber(hKey, "AdjustOnNthRow", &value))
        m_nAdjustOnRow = (int)value >= 1 && value <= 1024 ? (int)value : 16;
    if (ReadRegNumber(hKey, "AdjustColumnsBy", &value))
        m_nAdjustColumnsBy = (int)value >= 1 && value <= 64 ? (int)value : 1;
    ::RegCloseKey(hKey);
}

int JColorPicker::ColorsCountInRegistry(const char* registryName)
{
    HKEY hKey = nullptr;
    if (!registryName || OpenRegPath(HKEY_CURRENT_USER, PickerKey(registryName), KEY_READ, &hKey) != ERROR_SUCCESS)
        return 1;
    DWORD count = 0;
    ReadRegNumber(hKey, "Number", &count);
    ::RegCloseKey(hKey);
    return (int)std::min(count, kMaxStored);
}

int JColorPicker::LoadColorsFromRegistry(const char* registryName, std::vector<COLORREF>* pList)
{
    int added = 0;
    for (const Entry& entry : ReadStoredColorList(registryName))
        if (pList && FindColorIndex(entry.first, *pList) < 0) {
            pList->push_back(entry.first);
            ++added;
        }
    return added;
}

int JColorPicker::LoadColorsFromRegistry(const char* registryName)
{
    int loaded = 0;
    for (const Entry& entry : ReadStoredColorList(registryName)) {
        if (FindColorIndex(entry.first) >= 0)
            continue;
        const int well = GetNextAvailableCustomIndex();
        if (well < 0)
            break;
        SetColorInfo(well, entry.first, entry.second, COLORREF_REGISTRY);
        ++loaded;
    }
    const int next = GetNextAvailableCustomIndex();
    m_nNextCustom = next >= 0 ? next : 18;
    return loaded;
}

void JColorPicker::SetDocument(IUnknown* pDocument)
{
    if (m_pDocument)
        m_pDocument->Release();
    m_pDocument = pDocument;
    if (m_pDocument)
        m_pDocument->AddRef();
    m_bDocumentGiven = pDocument != nullptr;
    m_bLoadedDocument = FALSE;
}

namespace {

// The document's entries; pDocument NULL or unbindable gives none.
std::vector<Entry> ReadDocumentEntries(IUnknown* pDocument, const CString& section)
{
    std::vector<Entry> entries;
    TsPrefHelper prefs;
    if (!pDocument || FAILED(prefs.InitStorageAssociation(pDocument)))
        return entries;
    int count = 0;
    if (FAILED(prefs.GetPrefInteger(section + "_Number", &count)) || count <= 0)
        return entries;
    count = std::min<int>(count, (int)kMaxStored);
    for (int n = 0; n < count; ++n) {
        long color = 0;
        if (FAILED(prefs.GetPrefLong(section + "_" + EntryName("Color", n), &color)) || !StorableColor((DWORD)color))
            continue;
        char text[256] = "";
        prefs.GetPrefCharStr(section + "_" + EntryName("String", n), text, sizeof text);
        entries.emplace_back((COLORREF)color, CString(text));
    }
    return entries;
}

}   // namespace

int JColorPicker::ColorsCountInDocument(const char*)
{
    return (int)ReadDocumentEntries(m_pDocument, DocumentSection()).size();
}

int JColorPicker::LoadColorsFromDocument(const char* registryName, std::vector<COLORREF>* pList)
{
    LoadColorsFromDocument(registryName, nullptr, pList);
    return 0;
}

int JColorPicker::LoadColorsFromDocument(const char* registryName)
{
    return LoadColorsFromDocument(registryName, nullptr, nullptr);
}

int JColorPicker::LoadColorsFromDocument(const char*, void*, std::vector<COLORREF>* pList)
{
    if (!m_bDocumentGiven) {
        // The active document now: the host may have switched since the last load.
        if (m_pDocument)
            m_pDocument->Release();
        m_pDocument = nullptr;
        if (HostObject<IJAppDocuments> app(IID_IJAppDocuments); app)
            if (FAILED(app->GetActiveDocument(&m_pDocument)))
                m_pDocument = nullptr;
    }
    int added = 0;
    for (const Entry& entry : ReadDocumentEntries(m_pDocument, DocumentSection())) {
        if (pList) {
            if (FindColorIndex(entry.first, *pList) < 0) {
                pList->push_back(entry.first);
                ++added;
            }
            continue;
        }
        if (FindColorIndex(entry.first) >= 0)
            continue;
        const int well = GetNextAvailableCustomIndex();
        if (well < 0)
            break;
        SetColorInfo(well, entry.first, entry.second, COLORREF_DOCUMENT);
        ++added;
    }
    if (!pList) {
        const int next = GetNextAvailableCustomIndex();
        m_nNextCustom = next >= 0 ? next : 18;
    }
    return added;
}

int JColorPicker::MergeColorCount(const char* registryName)
{
    std::vector<COLORREF> list;
    LoadColorsFromRegistry(registryName, &list);
    LoadColorsFromDocument(registryName, nullptr, &list);
    return (int)list.size();
}

void JColorPicker::LoadColors(const char* registryName)
{
    if (!m_bLoadedRegistry) {
        const int next = GetNextAvailableCustomIndex();
        m_nNextCustom = next >= 0 ? next : 18;
        LoadColorsFromRegistry(registryName);
        m_bLoadedRegistry = TRUE;
    }
    if (!m_bLoadedDocument) {
        LoadColorsFromDocument(registryName);
        m_bLoadedDocument = TRUE;
    }
}

void JColorPicker::SaveColorsToRegistry(const char* registryName)
{
    if (!registryName || !*registryName)
        return;
    HKEY hKey = nullptr;
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, PickerKey(registryName), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    const CString empty = EmptyText();
    int written = 0;
    for (int well = 18; well < m_nLastCustom && WellButton(well) < (int)m_buttons.size(); ++well) {
        const COLOR_INFO& info = m_buttons[WellButton(well)];
        if (info.name == empty)
            break;
        if ((info.reference != COLORREF_REGISTRY && info.reference != COLORREF_PICKED) ||
            info.color == JCP_COLOR_SPECIAL)
            continue;
        WriteRegNumber(hKey, EntryName("Color", written), info.color);
        WriteRegText(hKey, EntryName("String", written), info.name);
        ++written;
    }
    WriteRegNumber(hKey, "Number", (DWORD)written);
    WriteRegNumber(hKey, "NumberOfColorWells", (DWORD)std::max(m_nWells - 18, 2 * m_nColumns));
    ::RegCloseKey(hKey);
}

void JColorPicker::SaveColorsToDocument(const char*)
{
    if (!m_pDocument)
        return;
    TsPrefHelper prefs;
    const CString section = DocumentSection(), empty = EmptyText();
    int written = 0;
    for (int well = 18; well < m_nLastCustom && WellButton(well) < (int)m_buttons.size(); ++well) {
        const COLOR_INFO& info = m_buttons[WellButton(well)];
        if (info.name == empty)
            break;
        if ((info.reference != COLORREF_DOCUMENT && info.reference != COLORREF_PICKED) ||
            info.color == JCP_COLOR_SPECIAL)
            continue;
        if (!prefs.IsBound() && FAILED(prefs.InitStorageAssociation(m_pDocument)))
            return;
        prefs.SetPrefLong(section + "_" + EntryName("Color", written), (long)info.color);
        prefs.SetPrefCharStr(section + "_" + EntryName("String", written), info.name);
        ++written;
    }
    if (written > 0)
        prefs.SetPrefInteger(section + "_Number", written);
}

void JColorPicker::SaveColors(const char* registryName)
{
    SaveColorsToRegistry(registryName);
    SaveColorsToDocument(registryName);
}
