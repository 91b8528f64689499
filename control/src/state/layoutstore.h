// The stored toolbar layout under an environment's "Toolbars" key, saved so that
// an interrupted save leaves the old layout or the new one, never a mix.
//
// The readers (this library's and older hosts') read "ToolbarCount" and the keys
// "Toolbar0".."Toolbar<count-1>" beside the settings values. A save therefore
// stages its toolbars as "Toolbar%d.new" and its settings in the journal key
// "SaveJournal" (all in one value, "PackedSettings"), whose "ToolbarCount",
// written last, commits the save. Applying a
// committed save puts each staged key in place by renaming, copies the settings,
// writes the count and removes the journal; every step may run again, so a save
// cut short after its commit is finished by the next reader. A save cut short
// before it leaves only staged keys, which the next reader drops.
#pragma once
#include "afxwin.h"

#include <functional>
#include <vector>

namespace layout_store {

// Finishes a committed save or drops an uncommitted one. Called before the key
// is read; false when a committed save could not be finished.
bool FinishInterruptedSave(HKEY hToolbars);

class StagedSave {
public:
    explicit StagedSave(HKEY hToolbars);
    ~StagedSave();   // drops what was staged unless committed
    StagedSave(const StagedSave&) = delete;
    StagedSave& operator=(const StagedSave&) = delete;

    // A fresh key for toolbar n of the new layout; NULL when it cannot be made.
    // Owned by the save (not closed by the caller) until the commit or the end
    // of the save. A key not kept (the toolbar's write failed) is replaced by the
    // next call with the same n.
    HKEY StageToolbar(int n);
    // False when nothing can be staged.
    bool IsOpen() const { return m_hJournal != nullptr; }
    // A settings value of the new layout, put beside the toolbar keys with them.
    void AddSetting(const char* name, DWORD type, const void* data, DWORD size);
    // Commits the new layout of `count` toolbars and puts it in place.
    bool Commit(int count);

private:
    void CloseStaged();

    HKEY m_hToolbars;
    std::vector<HKEY> m_staged;     // open staged keys, by toolbar number
    std::vector<BYTE> m_settings;   // the settings values, packed as the journal keeps them
    HKEY m_hJournal = nullptr;
    int m_nStaged = 0;   // keys "Toolbar%d.new" made, from 0
    bool m_bCommitted = false;
};

}   // namespace layout_store
