#include "stagedkey.h"

#include "baseutil.h"
#include "regvalues.h"

namespace {

// The parent path and the last name of a path.
bool SplitPath(const std::string& path, std::string& parent, std::string& name)
{
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash == 0 || slash + 1 >= path.size())
        return false;
    parent = path.substr(0, slash);
    name = path.substr(slash + 1);
    return true;
}

std::wstring Wide(const std::string& text)
{
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide((size_t)(chars > 0 ? chars : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), chars);
    wide.resize(wide.size() - 1);
    return wide;
}

// Puts a complete staged tree in place; may run again after any of its steps.
bool PutInPlace(const StagedKey& kind, const std::string& path)
{
    std::string parent, name;
    HKEY hParent = nullptr;
    if (!SplitPath(path, parent, name) ||
        OpenRegPath(HKEY_CURRENT_USER, parent.c_str(), KEY_ALL_ACCESS, &hParent) != ERROR_SUCCESS)
        return false;
    const std::string stagedName = name + kind.suffix;
    HKEY hStaged = nullptr;
    bool placed = true;
    if (::RegOpenKeyExA(hParent, stagedName.c_str(), 0, KEY_READ, &hStaged) == ERROR_SUCCESS) {
        ::RegCloseKey(hStaged);
        ::RegDeleteTreeA(hParent, name.c_str());
        ::RegDeleteKeyA(hParent, name.c_str());
        placed = ::RegRenameKey(hParent, Wide(stagedName).c_str(), Wide(name).c_str()) == ERROR_SUCCESS;
    }
    ::RegCloseKey(hParent);
    HKEY hPlaced = nullptr;
    if (!placed || OpenRegPath(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS, &hPlaced) != ERROR_SUCCESS)
        return false;
    ::RegDeleteValueA(hPlaced, kind.complete);
    ::RegCloseKey(hPlaced);
    return true;
}

}   // namespace

namespace staged_key {

void FinishInterrupted(const StagedKey& kind, const std::string& path)
{
    if (path.empty())
        return;
    const std::string staged = path + kind.suffix;
    HKEY hStaged = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, staged.c_str(), KEY_READ, &hStaged) == ERROR_SUCCESS) {
        const bool complete =
            ::RegQueryValueExA(hStaged, kind.complete, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        ::RegCloseKey(hStaged);
        if (complete)
            PutInPlace(kind, path);
        else
            DeleteRegPath(HKEY_CURRENT_USER, staged.c_str());
        return;
    }
    // Cut short after the rename: the mark is all that is left of the write.
    HKEY hPlaced = nullptr;
    if (OpenRegPath(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS, &hPlaced) == ERROR_SUCCESS) {
        ::RegDeleteValueA(hPlaced, kind.complete);
        ::RegCloseKey(hPlaced);
    }
}

HKEY Begin(const StagedKey& kind, const std::string& path)
{
    std::string parent, name;
    if (!SplitPath(path, parent, name))
        return nullptr;
    FinishInterrupted(kind, path);
    const std::string staged = path + kind.suffix;
    DeleteRegPath(HKEY_CURRENT_USER, staged.c_str());
    HKEY hKey = nullptr;
    if (JRegCreateKeyEx(HKEY_CURRENT_USER, staged.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

bool Commit(const StagedKey& kind, const std::string& path, HKEY hStaged)
{
    if (!WriteRegNumber(hStaged, kind.complete, 1)) {
        Abandon(kind, path, hStaged);
        return false;
    }
    ::RegCloseKey(hStaged);
    return PutInPlace(kind, path);
}

void Abandon(const StagedKey& kind, const std::string& path, HKEY hStaged)
{
    ::RegCloseKey(hStaged);
    DeleteRegPath(HKEY_CURRENT_USER, (path + kind.suffix).c_str());
}

}   // namespace staged_key
