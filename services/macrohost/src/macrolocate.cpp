// Where macros live and what they are called: program IDs, file names, full
// paths and the class identifiers derived from them.
#include "macrofile.h"

#include <cstring>

namespace macrohost {

namespace {

const char kProgramIDPrefix[] = "Macro.";
const char kExtension[] = ".jmac";
const size_t kMaxPath = 2048;   // the callers' path buffers

HMODULE ThisModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &hModule);
    return hModule;
}

bool IsAbsolute(const char* text)
{
    const bool drive = ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')) && text[1] == ':' &&
                       (text[2] == '\\' || text[2] == '/');
    return drive || ((text[0] == '\\' || text[0] == '/') && (text[1] == '\\' || text[1] == '/'));
}

bool HasExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && path.find_first_of("\\/", dot) == std::string::npos;
}

// The full path of an existing file (not a folder), or "".
std::string ExistingFile(const std::string& path)
{
    if (path.empty() || path.size() >= kMaxPath)
        return std::string();
    char full[kMaxPath] = "";
    const DWORD length = ::GetFullPathNameA(path.c_str(), kMaxPath, full, nullptr);
    if (length == 0 || length >= kMaxPath)
        return std::string();
    const DWORD attributes = ::GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::string();
    return full;
}

// FNV-1a, 64 bits, from the given start.
unsigned long long Hash(const std::string& text, unsigned long long hash)
{
    for (unsigned char ch : text) {
        hash ^= ch;
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}   // namespace

std::string MacroDirectory()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "Macros";
}

bool IsProgramID(const char* text)
{
    return text && _strnicmp(text, kProgramIDPrefix, sizeof kProgramIDPrefix - 1) == 0;
}

std::string ProgramIDFile(const char* text)
{
    if (!IsProgramID(text))
        return std::string();
    const char* name = text + sizeof kProgramIDPrefix - 1;
    // The name is one file name: nothing that leads out of the macro directory.
    if (!*name || strpbrk(name, "\\/:") || strcmp(name, ".") == 0 || strcmp(name, "..") == 0)
        return std::string();
    const std::string directory = MacroDirectory();
    if (directory.empty())
        return std::string();
    return directory + "\\" + name + kExtension;
}

std::string LocateMacro(const char* macro)
{
    if (!macro || !*macro || strnlen(macro, kMaxPath) >= kMaxPath)
        return std::string();
    if (IsProgramID(macro))
        return ExistingFile(ProgramIDFile(macro));

    std::string path(macro);
    if (!IsAbsolute(macro)) {
        const std::string directory = MacroDirectory();
        if (directory.empty())
            return std::string();
        path = directory + "\\" + path;
    }
    std::string found = ExistingFile(path);
    if (found.empty() && !HasExtension(path))
        found = ExistingFile(path + kExtension);
    return found;
}

bool ParseClassID(const char* text, CLSID* pClsid)
{
    // Only the registry form: CLSIDFromString would also look program IDs up.
    if (!text || text[0] != '{' || strnlen(text, 40) != 38 || text[37] != '}')
        return false;
    wchar_t wide[39] = L"";
    if (::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 39) == 0)
        return false;
    CLSID clsid = GUID_NULL;
    if (FAILED(::CLSIDFromString(wide, &clsid)))
        return false;
    if (pClsid)
        *pClsid = clsid;
    return true;
}

CLSID ClassIDOfPath(const std::string& path)
{
    std::string key(path);
    for (char& ch : key)
        if (ch == '/')
            ch = '\\';
    if (!key.empty())
        ::CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
    const unsigned long long low = Hash(key, 0xcbf29ce484222325ULL);
    const unsigned long long high = Hash(key, 0x84222325cbf29ce4ULL);
    CLSID clsid;
    clsid.Data1 = 0x4a4d4143;   // "JMAC": every macro's class identifier starts so
    clsid.Data2 = static_cast<WORD>(high >> 48);
    clsid.Data3 = static_cast<WORD>(high >> 32);
    for (int i = 0; i < 8; ++i)
        clsid.Data4[i] = static_cast<BYTE>(low >> (8 * i));
    return clsid;
}

}   // namespace macrohost
