// The demo host's dynamic command provider: the macro commands the control
// library makes at run time, with command IDs from JMACRO_FIRST_ID up.
#pragma once
#include "afxwin.h"
#include "hostinterfaces.h"

#include <memory>
#include <string>
#include <vector>

class CDraftMacroCommands final : public IJDynamicCommand {
public:
    const JMacroCommandEntry* GetEntry(int index) override;
    int FindCommand(UINT nCommandID) override;
    // A macro already known, named in any case, keeps its command ID (its texts
    // are replaced); a new one takes the next free ID. Non-zero when the IDs are
    // used up or an argument is missing.
    int AddMacroCommand(UINT* pnCommandID, const char* macro, const char* commandString, int value,
                        const char* name) override;
    int GetMacroText(UINT nCommandID, char* buffer, int size) override;
    int GetStatusPrompt(UINT nCommandID, char* buffer, int size) override;
    int GetToolTip(UINT nCommandID, char* buffer, int size) override;

    int GetCount() const { return static_cast<int>(m_entries.size()); }

private:
    struct Command {
        JMacroCommandEntry entry;
        std::string prompt, tip;   // the command string's two parts
        int value;
    };
    Command* Find(UINT nCommandID);

    // Held by pointer: GetEntry's answers stay valid while commands are added.
    std::vector<std::unique_ptr<Command>> m_entries;
    UINT m_nNextID = JMACRO_FIRST_ID;
};
