#include "planted.h"
#include "testsupport.h"

namespace testing_support {

PlantedModules::PlantedModules(const char* lpszFolderName, std::vector<std::string> names) : m_names(std::move(names))
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + lpszFolderName + "-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(m_folder.c_str(), nullptr);
    const std::string planted = ProgramFolder() + "\\planted.dll";
    for (const std::string& name : m_names)
        m_bPlanted = ::CopyFileA(planted.c_str(), (m_folder + "\\" + name).c_str(), FALSE) && m_bPlanted;
    ::GetCurrentDirectoryA(MAX_PATH, m_oldDirectory);
    std::vector<char> path(32768);
    ::GetEnvironmentVariableA("PATH", path.data(), (DWORD)path.size());
    m_oldPath = path.data();
    ::SetCurrentDirectoryA(m_folder.c_str());
    ::SetEnvironmentVariableA("PATH", (m_folder + ";" + m_oldPath).c_str());
}

PlantedModules::~PlantedModules()
{
    ::SetCurrentDirectoryA(m_oldDirectory);
    ::SetEnvironmentVariableA("PATH", m_oldPath.c_str());
    for (const std::string& name : m_names)
        ::DeleteFileA((m_folder + "\\" + name).c_str());
    ::RemoveDirectoryA(m_folder.c_str());
}

bool PlantedModules::AnyLoaded()
{
    HANDLE loaded = ::OpenEventA(SYNCHRONIZE, FALSE, "CONTROL_PLANTED_DLL_LOADED");
    if (loaded)
        ::CloseHandle(loaded);
    return loaded != nullptr;
}

}   // namespace testing_support
