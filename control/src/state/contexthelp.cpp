#include "tsprefscontexthelp.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* kName = "TsPrefsContextHelp";

struct ContextHelpState {
    std::string helpFile;
    bool hasHelpFile = false;
    long source = JHELP_FROM_APPLICATION;
    bool firstUse = true;
};

ContextHelpState& State()
{
    static ContextHelpState state;
    return state;
}

void CopyName(char (&name)[80])
{
    lstrcpynA(name, kName, sizeof name);
}

}   // namespace

TsPrefsContextHelp::TsPrefsContextHelp()
{
    CopyName(m_szName);
    if (State().firstUse) {
        State().firstUse = false;
        ClearMemory();
    }
}

TsPrefsContextHelp::~TsPrefsContextHelp() = default;

TsPrefsContextHelp::TsPrefsContextHelp(const TsPrefsContextHelp& other)
{
    memcpy(m_szName, other.m_szName, sizeof m_szName);
}

TsPrefsContextHelp& TsPrefsContextHelp::operator=(const TsPrefsContextHelp& other)
{
    memcpy(m_szName, other.m_szName, sizeof m_szName);
    return *this;
}

long TsPrefsContextHelp::ClearMemory()
{
    State().helpFile.clear();
    State().hasHelpFile = false;
    State().source = JHELP_FROM_APPLICATION;
    return 0;
}

long TsPrefsContextHelp::SavePreferences()
{
    CopyName(m_szName);
    return 0;
}

long TsPrefsContextHelp::GetHelpFile(char** file)
{
    if (file)
        *file = State().hasHelpFile ? State().helpFile.data() : nullptr;
    return 0;
}

long TsPrefsContextHelp::SetHelpFile(const char* file)
{
    State().hasHelpFile = file != nullptr;
    State().helpFile = file ? file : "";
    return 0;
}

long TsPrefsContextHelp::GetSourceOfHelpContextId(long* source)
{
    if (source)
        *source = State().source;
    return 0;
}

long TsPrefsContextHelp::SetSourceOfHelpContextId(long source)
{
    State().source = (source >= JHELP_FROM_APPLICATION && source <= JHELP_FROM_DIALOGBAR) ? source : 0;
    return 0;
}
