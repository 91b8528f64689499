#include "layoutstore.h"

#include "regvalues.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// Deletes the key an open handle names (no second open, as RegDeleteKey makes).
extern "C" __declspec(dllimport) LONG NTAPI NtDeleteKey(HANDLE hKey);

namespace layout_store {

namespace {

constexpr char kJournal[] = "SaveJournal";
constexpr char kCount[] = "ToolbarCount";
constexpr char kPackedSettings[] = "PackedSettings";
constexpr char kStagedSuffix[] = ".new";
// More toolbars than bar IDs exist: a journal counting more is damaged.
constexpr DWORD kMostToolbars = 1024;

std::string ToolbarKeyName(int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "Toolbar%d", n);
    return name;
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());   // key names here are ASCII
}

bool KeyExists(HKEY hParent, const std::string& name)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hParent, name.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// A toolbar key has no subkeys; anything else goes with its whole tree.
void DeleteKey(HKEY hParent, const std::string& name)
{
    if (::RegDeleteKeyA(hParent, name.c_str()) != ERROR_SUCCESS)
        ::RegDeleteTreeA(hParent, name.c_str());
}

// The toolbars' picture folder ("CustBmps" beside the host executable) with its
// final backslash; empty when the executable's path is too long to name it.
std::string PictureFolder()
{
    char module[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const std::string path(module, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "CustBmps\\";
}

// Whether the picture folder may hold a file. Without one no save has a picture
// file to remove, and the keys need not be asked which files they name.
bool AnyPictureFile()
{
    const std::string folder = PictureFolder();
    if (folder.empty())
        return false;   // no file is the folder's own (see OwnPictureFile)
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA((folder + "*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;   // unknown: asked as before
    }
    bool any = false;
    do {
        any = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    } while (!any && ::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    return any;
}

// The full path of a file directly in the toolbars' picture folder; empty for any other file.
std::string OwnPictureFile(const char* file)
{
    const std::string folder = PictureFolder();
    if (folder.empty())
        return std::string();
    char full[MAX_PATH] = "";
    char* namePart = nullptr;
    const DWORD fullLength = ::GetFullPathNameA(file, MAX_PATH, full, &namePart);
    if (fullLength == 0 || fullLength >= MAX_PATH || !namePart || (size_t)(namePart - full) != folder.size() ||
        _strnicmp(full, folder.c_str(), folder.size()) != 0)
        return std::string();
    return full;
}

// The toolbars' own picture files a key names.
std::vector<std::string> OwnPictureFiles(HKEY hKey)
{
    std::vector<std::string> files;
    for (int n = 0;; ++n) {
        char name[48];
        std::snprintf(name, sizeof name, "CustomBitmapFile%d", n);
        char file[MAX_PATH] = "";
        if (!ReadRegText(hKey, name, file, sizeof file))
            break;
        std::string own = *file ? OwnPictureFile(file) : std::string();
        if (!own.empty())
            files.push_back(std::move(own));
    }
    return files;
}

// The temporary picture files a key names: removed with the key that names them,
// but for those the new layout names again (a picture's file is rewritten in place).
// Stored data may name any file: only the toolbars' own pictures go.
void DeleteTemporaryBitmapFiles(HKEY hKey, const std::vector<std::string>& kept)
{
    for (const std::string& own : OwnPictureFiles(hKey))
        if (std::none_of(kept.begin(), kept.end(),
                         [&](const std::string& file) { return _stricmp(file.c_str(), own.c_str()) == 0; }))
            ::DeleteFileA(own.c_str());
}

std::vector<std::string> SubkeyNames(HKEY hKey)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG result = ::RegEnumKeyExA(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const size_t length = std::strlen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

// Staged keys, which exist only while a journal does.
void DropLeftovers(HKEY hToolbars)
{
    for (const std::string& name : SubkeyNames(hToolbars))
        if (EndsWith(name, kStagedSuffix))
            DeleteKey(hToolbars, name);
}

// Packed settings: for each value its name and a NUL, its type, the size of its
// data and the data. Damaged packing ends the values at the damage.
void AppendSetting(std::vector<BYTE>& packed, const char* name, DWORD type, const void* data, DWORD size)
{
    const auto append = [&packed](const void* bytes, size_t count) {
        packed.insert(packed.end(), static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + count);
    };
    append(name, std::strlen(name) + 1);
    append(&type, sizeof type);
    append(&size, sizeof size);
    append(data, size);
}

void WritePackedSettings(HKEY hToolbars, const BYTE* packed, size_t length)
{
    size_t at = 0;
    while (at < length) {
        const BYTE* nul = static_cast<const BYTE*>(std::memchr(packed + at, 0, length - at));
        if (!nul)
            return;
        const char* name = reinterpret_cast<const char*>(packed + at);
        at = (size_t)(nul - packed) + 1;
        DWORD type = 0, size = 0;
        if (length - at < sizeof type + sizeof size)
            return;
        std::memcpy(&type, packed + at, sizeof type);
        std::memcpy(&size, packed + at + sizeof type, sizeof size);
        at += sizeof type + sizeof size;
        if (size > length - at)
            return;
        if (std::strcmp(name, kCount) != 0)
            ::RegSetValueExA(hToolbars, name, 0, type, packed + at, size);
        at += size;
    }
}

// Puts the committed layout of `count` toolbars in place. Each step may run again.
// `staged`: the open staged keys of a save that has just committed, renamed through
// their handles; empty when a reader finishes a save cut short.
// `settings`: the packed settings of that save (a reader takes them from the journal).
bool Apply(HKEY hToolbars, HKEY hJournal, int count, const std::vector<HKEY>& staged, const std::vector<BYTE>* settings)
{
    const bool pictures = AnyPictureFile();
    std::vector<std::string> kept;
    for (int n = 0; pictures && n < count; ++n) {
        if (!staged.empty()) {
            for (std::string& file : OwnPictureFiles(staged[(size_t)n]))
                kept.push_back(std::move(file));
            continue;
        }
        const std::string name = ToolbarKeyName(n);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, (name + kStagedSuffix).c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS ||
            ::RegOpenKeyExA(hToolbars, name.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            for (std::string& file : OwnPictureFiles(hKey))
                kept.push_back(std::move(file));
            ::RegCloseKey(hKey);
        }
    }
    for (int n = 0; n < count; ++n) {
        const std::string name = ToolbarKeyName(n);
        const std::string stagedName = name + kStagedSuffix;
        if (staged.empty() && !KeyExists(hToolbars, stagedName))
            continue;   // in place already
        // Past the commit the old key is not needed again: it goes, with the files it names.
        HKEY hOld = nullptr;
        if (::RegOpenKeyExA(hToolbars, name.c_str(), 0, KEY_QUERY_VALUE | DELETE, &hOld) == ERROR_SUCCESS) {
            if (pictures)
                DeleteTemporaryBitmapFiles(hOld, kept);
            // Deleted through the handle already open; a key with subkeys goes with its tree.
            const bool deleted = NtDeleteKey(hOld) >= 0;
            ::RegCloseKey(hOld);
            if (!deleted)
                DeleteKey(hToolbars, name);
        }
        const LONG renamed = staged.empty() ? ::RegRenameKey(hToolbars, Wide(stagedName).c_str(), Wide(name).c_str())
                                            : ::RegRenameKey(staged[(size_t)n], nullptr, Wide(name).c_str());
        if (renamed != ERROR_SUCCESS)
            return false;
    }
    // The settings values.
    std::vector<BYTE> data(4096);
    if (settings)
        WritePackedSettings(hToolbars, settings->data(), settings->size());
    for (DWORD i = 0; !settings; ++i) {
        char valueName[256];
        DWORD cchName = sizeof valueName, type = 0, size = (DWORD)data.size();
        LONG result = ::RegEnumValueA(hJournal, i, valueName, &cchName, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size);
            cchName = sizeof valueName;
            result = ::RegEnumValueA(hJournal, i, valueName, &cchName, nullptr, &type, data.data(), &size);
        }
        if (result != ERROR_SUCCESS)
            break;
        if (std::strcmp(valueName, kPackedSettings) == 0)
            WritePackedSettings(hToolbars, data.data(), type == REG_BINARY ? size : 0);
        else if (std::strcmp(valueName, kCount) != 0)
            ::RegSetValueExA(hToolbars, valueName, 0, type, data.data(), size);
    }
    // Keys of the old layout beyond the new one go, but for those of default toolbars:
    // those the stored count names, and any that follow them without a gap.
    DWORD oldCount = 0;
    if (!ReadRegNumber(hToolbars, kCount, &oldCount) || oldCount > kMostToolbars)
        oldCount = 0;
    for (int n = count;; ++n) {
        const std::string name = ToolbarKeyName(n);
        HKEY hKey = nullptr;
        if (::RegOpenKeyExA(hToolbars, name.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
            if (n >= (int)oldCount)
                break;
            continue;
        }
        if (pictures)
            DeleteTemporaryBitmapFiles(hKey, kept);
        DWORD isDefault = 0;
        const bool keep = ReadRegNumber(hKey, "Default", &isDefault) && isDefault != 0;
        ::RegCloseKey(hKey);
        if (!keep)
            DeleteKey(hToolbars, name);
    }
    return WriteRegNumber(hToolbars, kCount, (DWORD)count);
}

}   // namespace

bool FinishInterruptedSave(HKEY hToolbars)
{
    HKEY hJournal = nullptr;
    if (!hToolbars || ::RegOpenKeyExA(hToolbars, kJournal, 0, KEY_READ, &hJournal) != ERROR_SUCCESS)
        return true;
    DWORD count = 0;
    bool finished = true;
    if (ReadRegNumber(hJournal, kCount, &count) && count <= kMostToolbars)
        finished = Apply(hToolbars, hJournal, (int)count, {}, nullptr);
    else
        DropLeftovers(hToolbars);
    ::RegCloseKey(hJournal);
    if (finished)
        DeleteKey(hToolbars, kJournal);
    return finished;
}

StagedSave::StagedSave(HKEY hToolbars) : m_hToolbars(hToolbars)
{
    // A save cut short is finished first; one that cannot be leaves no room for another.
    if (!m_hToolbars || !FinishInterruptedSave(m_hToolbars))
        return;
    // Made first: staged keys exist only while the journal does.
    if (::RegCreateKeyExA(m_hToolbars, kJournal, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                          &m_hJournal, nullptr) != ERROR_SUCCESS)
        m_hJournal = nullptr;
}

StagedSave::~StagedSave()
{
    CloseStaged();
    if (m_hJournal)
        ::RegCloseKey(m_hJournal);
    if (!m_bCommitted && m_hJournal) {
        for (int n = 0; n < m_nStaged; ++n)
            DeleteKey(m_hToolbars, ToolbarKeyName(n) + kStagedSuffix);
        DeleteKey(m_hToolbars, kJournal);
    }
}

void StagedSave::CloseStaged()
{
    for (HKEY hKey : m_staged)
        if (hKey)
            ::RegCloseKey(hKey);
    m_staged.clear();
}

HKEY StagedSave::StageToolbar(int n)
{
    if (!m_hJournal || n < 0)
        return nullptr;
    const std::string staged = ToolbarKeyName(n) + kStagedSuffix;
    // A key found there (staged before by this save, or left over from damaged data
    // with no journal) would lend its values to this toolbar: it goes first.
    HKEY hKey = nullptr;
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD disposition = 0;
        if (::RegCreateKeyExA(m_hToolbars, staged.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &hKey, &disposition) != ERROR_SUCCESS)
            return nullptr;
        if (disposition == REG_CREATED_NEW_KEY)
            break;
        ::RegCloseKey(hKey);
        hKey = nullptr;
        DeleteKey(m_hToolbars, staged);
    }
    if (!hKey)
        return nullptr;
    if (n >= m_nStaged)
        m_nStaged = n + 1;
    if (m_staged.size() < (size_t)m_nStaged)
        m_staged.resize((size_t)m_nStaged, nullptr);
    // Kept open: the commit renames the key through it.
    if (m_staged[(size_t)n])
        ::RegCloseKey(m_staged[(size_t)n]);
    m_staged[(size_t)n] = hKey;
    return hKey;
}

void StagedSave::AddSetting(const char* name, DWORD type, const void* data, DWORD size)
{
    AppendSetting(m_settings, name, type, data, size);
}

bool StagedSave::Commit(int count)
{
    if (!m_hJournal || count < 0 || count > m_nStaged)
        return false;
    for (int n = count; n < m_nStaged; ++n) {
        if (m_staged[(size_t)n])
            ::RegCloseKey(m_staged[(size_t)n]);
        DeleteKey(m_hToolbars, ToolbarKeyName(n) + kStagedSuffix);
    }
    m_nStaged = count;
    m_staged.resize((size_t)count);
    if (std::find(m_staged.begin(), m_staged.end(), nullptr) != m_staged.end() ||
        (!m_settings.empty() &&
         !WriteRegBytes(m_hJournal, kPackedSettings, m_settings.data(), (DWORD)m_settings.size())) ||
        !WriteRegNumber(m_hJournal, kCount, (DWORD)count))
        return false;
    m_bCommitted = true;
    const bool finished = Apply(m_hToolbars, m_hJournal, count, m_staged, &m_settings);
    CloseStaged();
    const bool gone = finished && NtDeleteKey(m_hJournal) >= 0;
    ::RegCloseKey(m_hJournal);
    m_hJournal = nullptr;
    if (finished && !gone)
        DeleteKey(m_hToolbars, kJournal);
    return finished;
}

}   // namespace layout_store
