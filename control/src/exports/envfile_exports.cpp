// Flat exports of an environment kept in a ".reg" file: written by the kept-copy
// writer, read back whole before the stored tree is replaced.
#include "controlexports.h"

#include "jenvmanager.h"
#include "keptcopy.h"
#include "regvalues.h"
#include "regimport.h"

#include <cstdio>
#include <string>

namespace {

int Report(int result, const std::string& text, char* message, int cchMessage)
{
    if (message && cchMessage > 0)
        std::snprintf(message, (size_t)cchMessage, "%s", text.c_str());
    return result;
}

// The root key of an environment, or empty.
std::string EnvironmentRoot(const char* environment)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Get() ? JEnvironmentManager::Current() : nullptr;
    GUserText root;
    if (!pInfo || !pInfo->MakeRegistryPath(environment && *environment ? environment : nullptr, nullptr, root))
        return std::string();
    return std::string((const char*)root);
}

// An import into the current environment's tree is read into its settings too: the
// next save would otherwise write the settings held in memory over the imported ones.
void RereadIfCurrent(const char* environment)
{
    JControlOnlyInfo* pInfo = JEnvironmentManager::Get() ? JEnvironmentManager::Current() : nullptr;
    if (!pInfo)
        return;
    if (environment && *environment && _stricmp(environment, (const char*)pInfo->m_strCustomEnvironment) != 0)
        return;
    environment = nullptr;   // the current one
    GUserText path;
    if (pInfo->MakeRegistryPath(environment, "eInformation", path))
        pInfo->ReadUnitDisplayValues(path);
    HKEY hKey = nullptr;
    if (!pInfo->MakeRegistryPath(environment, "Toolbars", path) ||
        OpenRegPath(HKEY_CURRENT_USER, path, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    pInfo->ReadToolbarSettingsFromRegistry(hKey);
    ::RegCloseKey(hKey);
}

}   // namespace

CONTROL_API int JExportEnvironment(const char* environment, const char* file, char* message, int cchMessage)
{
    const std::string root = EnvironmentRoot(environment);
    if (root.empty())
        return Report(JENVFILE_NO_ENVIRONMENT, "There is no such environment.", message, cchMessage);
    if (!file || !*file)
        return Report(JENVFILE_NO_FILE, "No file was named.", message, cchMessage);
    if (!kept_copy::ExportTree(root.c_str(), file))
        return Report(JENVFILE_NOT_WRITTEN, "Nothing is stored for the environment, or the file cannot be written.",
                      message, cchMessage);
    return Report(JENVFILE_DONE, std::string(), message, cchMessage);
}

CONTROL_API int JImportEnvironment(const char* environment, const char* file, char* message, int cchMessage)
{
    const std::string root = EnvironmentRoot(environment);
    if (root.empty())
        return Report(JENVFILE_NO_ENVIRONMENT, "There is no such environment.", message, cchMessage);
    std::vector<reg_import::Key> keys;
    std::string why;
    switch (reg_import::ReadTree(file, root, keys, why)) {
    case reg_import::Outcome::Read:
        break;
    case reg_import::Outcome::NoFile:
        return Report(JENVFILE_NO_FILE, "The file cannot be read: " + why + ".", message, cchMessage);
    case reg_import::Outcome::TooLarge:
        return Report(JENVFILE_TOO_LARGE, "Nothing was imported: " + why + ".", message, cchMessage);
    case reg_import::Outcome::NotRegistryFile:
        return Report(JENVFILE_NOT_REGISTRY_FILE, "Nothing was imported: " + why + ".", message, cchMessage);
    case reg_import::Outcome::Damaged:
        return Report(JENVFILE_DAMAGED, "Nothing was imported, the file is damaged: " + why + ".", message, cchMessage);
    case reg_import::Outcome::Foreign:
        return Report(JENVFILE_FOREIGN, "Nothing was imported, the file is not this environment's: " + why + ".",
                      message, cchMessage);
    }
    if (!reg_import::ReplaceTree(root, keys))
        return Report(JENVFILE_NOT_WRITTEN, "Nothing was imported: the registry could not be written.", message,
                      cchMessage);
    RereadIfCurrent(environment);
    return Report(JENVFILE_DONE, std::string(), message, cchMessage);
}
