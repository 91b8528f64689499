// Menus stored under an environment's root: one key per menu level, numbered
// values per item, a subkey per popup named by its text.
//
// A popup whose text cannot name its key (empty, with a backslash, longer than a
// key name may be, or the same as an earlier popup's at its level) gets a key
// name of its own, kept beside the item as "Key%d"; ordinary popups are stored
// as they always were.
#include "menustore.h"

#include "jcontrolinfo.h"
#include "controlexports.h"
#include "libstate.h"
#include "regvalues.h"
#include "stagedkey.h"

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace menu_store {

std::string ItemText(HMENU hMenu, int position)
{
    const int length = ::GetMenuStringA(hMenu, (UINT)position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer((size_t)length * 2 + 2);
    ::GetMenuStringA(hMenu, (UINT)position, buffer.data(), (int)buffer.size(), MF_BYPOSITION);
    return buffer.data();
}

}   // namespace menu_store

namespace {

using menu_store::ItemText;

constexpr UINT kPopupID = 0xFFFFFFFF;
constexpr UINT kFirstRecentFile = 0xE110;
constexpr StagedKey kStaged{".new", "MenuComplete"};
// Deeper than any menu a user can edit; the system refuses popups nested much deeper.
constexpr int kDeepest = 16;
// More items than a menu level can show.
constexpr int kMostItems = 4096;
// The longest key name the registry takes.
constexpr size_t kLongestKeyName = 255;

bool IsObjectVerb(UINT id)
{
    return id >= 0xE210 && id <= 0xE21F;
}

bool IsWindowListItem(UINT id)
{
    return id >= 0xFF00 && id <= 0xFFF0;
}

bool NeverStored(UINT id)
{
    return IsObjectVerb(id) || IsWindowListItem(id);
}

std::string Numbered(const char* name, int k)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%d", name, k);
    return text;
}

bool IsSeparator(HMENU hMenu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoA(hMenu, (UINT)position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

// A text value of any length; false when it is missing or no text.
bool ReadText(HKEY hKey, const char* name, std::string& text)
{
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > 65536)
        return false;
    std::vector<char> buffer((size_t)size + 1, '\0');
    if (!ReadRegText(hKey, name, buffer.data(), (DWORD)buffer.size()))
        return false;
    text = buffer.data();
    return true;
}

std::string Lower(std::string text)
{
    if (!text.empty())
        ::CharLowerBuffA(text.data(), (DWORD)text.size());
    return text;
}

bool UsableKeyName(const std::string& text)
{
    return !text.empty() && text.size() <= kLongestKeyName && text.find('\\') == std::string::npos;
}

// The key names of a level's popups, by position: their texts where they can be
// (the first popup of a text keeps it), otherwise names no text of the level takes.
std::vector<std::string> PopupKeyNames(HMENU hMenu, int length, std::vector<bool>& ownName)
{
    std::vector<std::string> names((size_t)length);
    ownName.assign((size_t)length, true);
    std::set<std::string> taken;   // registry names ignore case
    std::vector<int> renamed;
    for (int i = 0; i < length; ++i) {
        if (::GetMenuItemID(hMenu, i) != kPopupID)
            continue;
        const std::string text = ItemText(hMenu, i);
        if (UsableKeyName(text) && taken.insert(Lower(text)).second)
            names[(size_t)i] = text;
        else
            renamed.push_back(i);
    }
    for (int i : renamed) {
        std::string name;
        for (int n = 0;; ++n) {
            name = "Popup " + std::to_string(i) + (n ? "." + std::to_string(n) : std::string());
            if (taken.insert(Lower(name)).second)
                break;
        }
        names[(size_t)i] = name;
        ownName[(size_t)i] = false;
    }
    return names;
}

HKEY CreateSubKey(HKEY hParent, const std::string& name)
{
    HKEY hKey = nullptr;
    if (JRegCreateKeyEx(hParent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS) {
        ReportRegistryKeyFailure();
        return nullptr;
    }
    return hKey;
}

void WriteLevel(JControlOnlyInfo* pInfo, HKEY hKey, HMENU hMenu, int depth)
{
    if (!hKey || !hMenu || depth > kDeepest)
        return;
    int length = ::GetMenuItemCount(hMenu);
    while (length > 0 && (IsSeparator(hMenu, length - 1) || NeverStored(::GetMenuItemID(hMenu, length - 1))))
        --length;
    std::vector<bool> ownName;
    const std::vector<std::string> keyNames = PopupKeyNames(hMenu, length, ownName);
    int k = 0;
    for (int i = 0; i < length; ++i) {
        const bool separator = IsSeparator(hMenu, i);
        UINT id = separator ? 0 : ::GetMenuItemID(hMenu, i);
        if (NeverStored(id))
            continue;
        const std::string text = ItemText(hMenu, i);
        // An item without text shows a picture; a popup is kept whatever its text.
        if (text.empty() && !separator && id != kFirstRecentFile && id != kPopupID)
            continue;
        if (id == kPopupID) {
            HMENU hPopup = ::GetSubMenu(hMenu, i);
            if (HKEY hPopupKey = CreateSubKey(hKey, keyNames[(size_t)i])) {
                if (hPopup && !IsObjectVerb(::GetMenuItemID(hPopup, 0)))
                    WriteLevel(pInfo, hPopupKey, hPopup, depth + 1);
                ::RegCloseKey(hPopupKey);
            }
            if (!ownName[(size_t)i])
                WriteRegText(hKey, Numbered("Key", k).c_str(), keyNames[(size_t)i].c_str());
        }
        WriteRegNumber(hKey, Numbered("CmdID", k).c_str(), id);
        WriteRegText(hKey, Numbered("Name", k).c_str(), separator ? "" : text.c_str());
        if (pInfo && pInfo->m_pDynamicCommand && id >= JMACRO_FIRST_ID && id <= JMACRO_LAST_ID) {
            char macro[256] = "";
            pInfo->m_pDynamicCommand->GetMacroText(id, macro, 255);
            macro[sizeof macro - 1] = '\0';
            if (*macro)
                WriteRegText(hKey, Numbered("Macro", k).c_str(), macro);
        }
        ++k;
    }
}

int ReadLevel(HKEY hKey, HMENU hMenu, int depth)
{
    if (!hKey || !hMenu || depth > kDeepest)
        return 0;
    DWORD id = 0;
    if (!ReadRegNumber(hKey, "CmdID0", &id))
        return 1;
    for (int k = 0;; ++k) {
        if (k >= kMostItems)
            return 0;
        std::string text;
        if (!ReadText(hKey, Numbered("Name", k).c_str(), text))
            return 0;
        if (id == kPopupID) {
            std::string keyName;
            if (!ReadText(hKey, Numbered("Key", k).c_str(), keyName) || !UsableKeyName(keyName))
                keyName = text;
            HKEY hPopupKey = nullptr;
            if (!UsableKeyName(keyName) ||
                ::RegOpenKeyExA(hKey, keyName.c_str(), 0, KEY_ALL_ACCESS, &hPopupKey) != ERROR_SUCCESS)
                return 0;
            HMENU hPopup = ::CreatePopupMenu();
            // A popup that cannot be read is left out, with all it holds.
            if (!ReadLevel(hPopupKey, hPopup, depth + 1) ||
                !::AppendMenuA(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hPopup, text.c_str()))
                ::DestroyMenu(hPopup);
            ::RegCloseKey(hPopupKey);
        } else {
            std::string macro;
            if (ReadText(hKey, Numbered("Macro", k).c_str(), macro)) {
                if (const UINT newID = AddMacroCommand(macro.c_str(), nullptr))
                    ::AppendMenuA(hMenu, MF_STRING, newID, text.c_str());
            } else if (id != 0) {
                ::AppendMenuA(hMenu, MF_STRING, id, text.c_str());
            } else {
                ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
            }
        }
        if (!ReadRegNumber(hKey, Numbered("CmdID", k + 1).c_str(), &id))
            return 1;
    }
}

void CleanupLevel(HKEY hKey, int depth)
{
    DWORD count = 0;
    if (::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD index = count; index-- > 0;) {
        char name[256];
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(hKey, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        HKEY hSubKey = nullptr;
        if (::RegOpenKeyExA(hKey, name, 0, KEY_ALL_ACCESS, &hSubKey) != ERROR_SUCCESS)
            continue;
        if (depth < kDeepest)
            CleanupLevel(hSubKey, depth + 1);
        else
            ::RegDeleteTreeA(hSubKey, nullptr);   // what lies deeper goes in one call
        ::RegCloseKey(hSubKey);
        ::RegDeleteKeyA(hKey, name);
    }
}

// A deep copy of a menu level: every item at its position with its text.
HMENU CopyLevel(HMENU hSource, bool popup, int depth)
{
    HMENU hCopy = popup ? ::CreatePopupMenu() : ::CreateMenu();
    if (!hCopy || depth > kDeepest)
        return hCopy;
    const int count = ::GetMenuItemCount(hSource);
    for (int i = 0; i < count; ++i) {
        // The item whole: its state (checked, greyed, default), check marks and
        // bitmaps go with it; bitmaps are shared, menus never own them.
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_BITMAP | MIIM_CHECKMARKS | MIIM_DATA;
        if (!::GetMenuItemInfoA(hSource, (UINT)i, TRUE, &info))
            continue;
        info.fType &= ~(MFT_BITMAP | MFT_OWNERDRAW);   // the copy shows the item's text
        std::string text = ItemText(hSource, i);
        if (info.hSubMenu && !(info.hSubMenu = CopyLevel(info.hSubMenu, true, depth + 1)))
            continue;
        if (!(info.fType & MFT_SEPARATOR)) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        const UINT at = (UINT)::GetMenuItemCount(hCopy);
        if (!::InsertMenuItemA(hCopy, at, TRUE, &info) && info.hSubMenu)
            ::DestroyMenu(info.hSubMenu);
    }
    return hCopy;
}

}   // namespace

namespace menu_store {

void FinishInterruptedWrite(const char* path)
{
    if (path)
        staged_key::FinishInterrupted(kStaged, path);
}

HKEY BeginWrite(const char* path)
{
    return path ? staged_key::Begin(kStaged, path) : nullptr;
}

HMENU CopyMenu(HMENU hMenu, bool popup)
{
    return hMenu && ::IsMenu(hMenu) ? CopyLevel(hMenu, popup, 0) : nullptr;
}

bool CommitWrite(const char* path, HKEY hStaged)
{
    return staged_key::Commit(kStaged, path, hStaged);
}

}   // namespace menu_store

void JControlOnlyInfo::WriteOneMenuToRegistry(HKEY hKey, CMenu* pMenu)
{
    if (pMenu)
        WriteLevel(this, hKey, pMenu->GetSafeHmenu(), 0);
}

int JControlOnlyInfo::ReadOneMenuFromRegistry(HKEY hKey, CMenu* pMenu)
{
    return pMenu ? ReadLevel(hKey, pMenu->GetSafeHmenu(), 0) : 0;
}

void JControlOnlyInfo::CleanupMenuRegistry(HKEY hKey)
{
    if (hKey)
        CleanupLevel(hKey, 0);
}
