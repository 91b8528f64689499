#include "macrocommands.h"

#include <cstring>

namespace {

// Copies text cut to size bytes (NUL included); the number of characters copied.
int CopyText(const char* text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const char* source = text ? text : "";
    const size_t length = strnlen(source, static_cast<size_t>(size) - 1);
    memcpy(buffer, source, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

}   // namespace

const JMacroCommandEntry* CDraftMacroCommands::GetEntry(int index)
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &m_entries[index]->entry;
}

int CDraftMacroCommands::FindCommand(UINT nCommandID)
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[i]->entry.nCommandID == nCommandID)
            return i;
    return -1;
}

int CDraftMacroCommands::AddMacroCommand(UINT* pnCommandID, const char* macro, const char* commandString, int value,
                                         const char* name)
{
    if (!pnCommandID || !macro || !*macro)
        return 1;
    // File names and program IDs are the same whatever their case: the customize dialog names
    // the files of a folder it shows in lower case.
    Command* pCommand = nullptr;
    for (const auto& command : m_entries)
        if (_strnicmp(command->entry.szMacro, macro, sizeof command->entry.szMacro - 1) == 0)
            pCommand = command.get();
    if (!pCommand) {
        if (m_nNextID > JMACRO_LAST_ID)
            return 2;
        m_entries.push_back(std::make_unique<Command>());
        pCommand = m_entries.back().get();
        pCommand->entry.nCommandID = m_nNextID++;
        CopyText(macro, pCommand->entry.szMacro, sizeof pCommand->entry.szMacro);
    }
    CopyText(name ? name : "", pCommand->entry.szName, sizeof pCommand->entry.szName);
    const std::string texts(commandString ? commandString : "");
    const size_t newline = texts.find('\n');
    pCommand->prompt = texts.substr(0, newline);
    pCommand->tip = newline == std::string::npos ? std::string() : texts.substr(newline + 1);
    pCommand->value = value;
    *pnCommandID = pCommand->entry.nCommandID;
    return 0;
}

CDraftMacroCommands::Command* CDraftMacroCommands::Find(UINT nCommandID)
{
    const int index = FindCommand(nCommandID);
    return index < 0 ? nullptr : m_entries[index].get();
}

int CDraftMacroCommands::GetMacroText(UINT nCommandID, char* buffer, int size)
{
    const Command* pCommand = Find(nCommandID);
    return pCommand ? CopyText(pCommand->entry.szMacro, buffer, size) : 0;
}

int CDraftMacroCommands::GetStatusPrompt(UINT nCommandID, char* buffer, int size)
{
    const Command* pCommand = Find(nCommandID);
    return pCommand ? CopyText(pCommand->prompt.c_str(), buffer, size) : 0;
}

int CDraftMacroCommands::GetToolTip(UINT nCommandID, char* buffer, int size)
{
    const Command* pCommand = Find(nCommandID);
    return pCommand ? CopyText(pCommand->tip.c_str(), buffer, size) : 0;
}
