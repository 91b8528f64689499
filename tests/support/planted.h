// Copies of planted.dll (a module that announces itself when loaded) under the
// names a test chooses, in a fresh folder that is the working directory and the
// first entry of PATH while the scope lives: where a careless loader would look.
#pragma once
#include "afxwin.h"

#include <string>
#include <vector>

namespace testing_support {

class PlantedModules {
public:
    PlantedModules(const char* lpszFolderName, std::vector<std::string> names);
    ~PlantedModules();
    PlantedModules(const PlantedModules&) = delete;
    PlantedModules& operator=(const PlantedModules&) = delete;

    // Whether every copy was made.
    bool planted() const { return m_bPlanted; }
    // Whether a planted module has been loaded in this process.
    static bool AnyLoaded();

private:
    std::string m_folder;
    std::vector<std::string> m_names;
    bool m_bPlanted = true;
    char m_oldDirectory[MAX_PATH] = "";
    std::string m_oldPath;
};

}   // namespace testing_support
