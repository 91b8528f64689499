// What the bar layout tests share: a docking host frame with the test category,
// stored trees read back whole, and the copies kept of unreadable layouts.
#pragma once
#include "../toolbar/toolbar_fixture.h"
#include "keptcopy.h"
#include "regfile.h"
#include "storedvalues.h"

#include <map>
#include <set>
#include <string>

namespace layout_test {

// Every value of a stored tree (type and bytes), by key path relative to its root.
using Tree = std::map<std::string, std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>>;

inline void ReadTree(HKEY hKey, const std::string& path, Tree& tree)
{
    for (const auto& [name, value] : testing_support::ReadValues(hKey))
        tree[path][name] = {value.type, value.data};
    tree[path];
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        HKEY hSub = nullptr;
        if (::RegEnumKeyExA(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (::RegOpenKeyExA(hKey, name, 0, KEY_READ, &hSub) == ERROR_SUCCESS) {
            ReadTree(hSub, path + "\\" + name, tree);
            ::RegCloseKey(hSub);
        }
    }
}

// Empty when the root does not exist.
inline Tree Snapshot(LPCSTR root)
{
    Tree tree;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, root, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        ReadTree(hKey, "", tree);
        ::RegCloseKey(hKey);
    }
    return tree;
}

// The kept copies of unreadable layouts now in their folder.
inline std::set<std::string> KeptFiles()
{
    std::set<std::string> files;
    const std::string folder = kept_copy::Folder();
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA((folder + "\\*.reg").c_str(), &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
        files.insert(folder + "\\" + found.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    return files;
}

// The one file kept since `before`, or empty.
inline std::string NewKeptFile(const std::set<std::string>& before)
{
    std::string kept;
    for (const std::string& file : KeptFiles())
        if (!before.count(file))
            kept = file;
    return kept;
}

// A copy is good when, imported over a root that is gone, it gives the tree back.
inline bool KeptCopyRestores(const std::string& file, LPCSTR root, const Tree& expected)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, root);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, root);
    std::string error;
    return testing_support::ImportRegFile(file.c_str(), "", error) && Snapshot(root) == expected;
}

class LayoutHost : public toolbar_test::ToolbarHost {
protected:
    void SetUp() override
    {
        ToolbarHost::SetUp();
        m_frame.EnableDocking(CBRS_ALIGN_ANY);
    }

    CString Root()
    {
        GUserText root;
        m_pInfo->MakeRegistryPath(nullptr, nullptr, root);
        return (const char*)root;
    }

    JToolBar* DockedBar(const char* name, std::vector<UINT> ids, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP)
    {
        JToolBar* pBar = MakeToolBar(std::move(ids), CBRS_ALIGN_ANY, -1, name);
        m_frame.DockControlBar(pBar, nDockBarID);
        m_frame.RecalcLayout();
        return pBar;
    }

    std::vector<JToolBar*> FrameBars()
    {
        std::vector<JToolBar*> bars;
        for (POSITION pos = m_frame.m_listControlBars.GetHeadPosition(); pos;) {
            auto* pBar = static_cast<CControlBar*>(m_frame.m_listControlBars.GetNext(pos));
            if (pBar && pBar->m_hWnd && pBar->IsKindOf(RUNTIME_CLASS(JToolBar)))
                bars.push_back(static_cast<JToolBar*>(pBar));
        }
        return bars;
    }

    // Each toolbar of the frame as "name: buttons", sorted.
    std::set<std::string> Describe()
    {
        std::set<std::string> out;
        for (JToolBar* pBar : FrameBars()) {
            CString caption;
            pBar->GetWindowText(caption);
            std::string text = std::string((LPCSTR)caption) + ":";
            CUIntArray ids;
            pBar->GetButtonIDs(ids);
            for (INT_PTR i = 0; i < ids.GetSize(); ++i)
                text += " " + std::to_string(ids[i]);
            out.insert(text);
        }
        return out;
    }

    void DestroyBars()
    {
        for (JToolBar* pBar : FrameBars())
            pBar->DestroyWindow();
        m_frame.RecalcLayout();
        testing_support::PumpMessages();
    }
};

}   // namespace layout_test
