#include "keptcopy.h"

#include "regvalues.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace kept_copy {

namespace {

// A quoted name on one line: quotes and backslashes escaped, and line breaks
// written as the registry editor reads them back (\n, \r).
void WriteQuoted(FILE* file, const char* text)
{
    std::fputc('"', file);
    for (; *text; ++text) {
        if (*text == '\n' || *text == '\r') {
            std::fputs(*text == '\n' ? "\\n" : "\\r", file);
            continue;
        }
        if (*text == '\\' || *text == '"')
            std::fputc('\\', file);
        std::fputc(*text, file);
    }
    std::fputc('"', file);
}

// A key name that holds a line break cannot be written in a "[...]" line: its
// values would land in the key before it.
bool IsWritableKeyName(const char* name)
{
    return std::strpbrk(name, "\r\n") == nullptr;
}

// A text the quoted form keeps exactly: one NUL at its end and no other control
// characters but line ends.
bool QuotableText(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] < 32 && data[i] != '\n')
            return false;
    return true;
}

void WriteValue(FILE* file, const char* name, DWORD type, const std::vector<BYTE>& data)
{
    if (*name)
        WriteQuoted(file, name);
    else
        std::fputc('@', file);
    if (type == REG_DWORD && data.size() == 4) {
        DWORD value;
        memcpy(&value, data.data(), 4);
        std::fprintf(file, "=dword:%08lx\n", (unsigned long)value);
        return;
    }
    if (type == REG_SZ && QuotableText(data)) {
        std::fputc('=', file);
        WriteQuoted(file, (const char*)data.data());
        std::fputc('\n', file);
        return;
    }
    if (type == REG_BINARY)
        std::fputs("=hex:", file);
    else
        std::fprintf(file, "=hex(%lx):", (unsigned long)type);
    for (size_t i = 0; i < data.size(); ++i)
        std::fprintf(file, i ? ",%02x" : "%02x", data[i]);
    std::fputc('\n', file);
}

bool WriteKey(FILE* file, HKEY hKey, const std::string& path, int depth)
{
    std::fprintf(file, "\n[HKEY_CURRENT_USER\\%s]\n", path.c_str());
    std::vector<BYTE> data(1024);
    std::vector<char> name(16384 + 1);
    for (DWORD i = 0;; ++i) {
        DWORD cchName = (DWORD)name.size(), type = 0, size = (DWORD)data.size();
        LONG result = ::RegEnumValueA(hKey, i, name.data(), &cchName, nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size + 1);
            cchName = (DWORD)name.size();
            size = (DWORD)data.size();
            result = ::RegEnumValueA(hKey, i, name.data(), &cchName, nullptr, &type, data.data(), &size);
        }
        if (result != ERROR_SUCCESS)
            break;
        WriteValue(file, name.data(), type, std::vector<BYTE>(data.begin(), data.begin() + size));
    }
    if (depth > 32)
        return true;   // no layout is this deep
    char subkey[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof subkey;
        const LONG result = ::RegEnumKeyExA(hKey, i, subkey, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        if (!IsWritableKeyName(subkey)) {
            std::fputs("\n; A key whose name holds a line break is left out here.\n", file);
            continue;
        }
        HKEY hSub = nullptr;
        if (::RegOpenKeyExA(hKey, subkey, 0, KEY_READ, &hSub) != ERROR_SUCCESS)
            continue;
        WriteKey(file, hSub, path + "\\" + subkey, depth + 1);
        ::RegCloseKey(hSub);
    }
    return !std::ferror(file);
}

// The label in a file name: cut to keep the file's path short. A cut label ends in
// a mark of the whole name, so that names alike at the start keep (and prune) copies
// of their own.
std::string FileLabel(const char* label)
{
    constexpr size_t kLabelChars = 64;
    const std::string whole = label && *label ? label : "Layout";
    std::string text = whole;
    for (char& c : text)
        if (std::string("\\/:*?\"<>|").find(c) != std::string::npos || (unsigned char)c < 32)
            c = '_';
    if (text.size() > kLabelChars) {
        unsigned hash = 2166136261u;   // FNV-1a
        for (unsigned char c : whole)
            hash = (hash ^ c) * 16777619u;
        char mark[16];
        std::snprintf(mark, sizeof mark, "~%08x", hash);
        text.resize(kLabelChars - std::strlen(mark));
        text += mark;
    }
    return text;
}

// The form of the date after a label ('0' stands for any digit).
constexpr char kDatedForm[] = " 0000-00-00 000000.000.reg";

bool IsDatedName(const std::string& name, const std::string& label)
{
    const size_t length = sizeof kDatedForm - 1;
    if (name.size() != label.size() + length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        const char c = name[label.size() + i];
        const bool fits =
            kDatedForm[i] == '0' ? isdigit((unsigned char)c) != 0 : tolower((unsigned char)c) == kDatedForm[i];
        if (!fits)
            return false;
    }
    return true;
}

// Only the newest copies of a name stay; the date in their names sorts them.
void Prune(const std::string& folder, const std::string& label)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA((folder + "\\" + label + " *.reg").c_str(), &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found)) {
        const std::string name = found.cFileName;
        // "<label> <date>.reg" exactly: another label that begins with this one is not counted.
        if (IsDatedName(name, label))
            names.push_back(name);
    }
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    for (size_t i = 0; i + kCopiesKept < names.size(); ++i)
        ::DeleteFileA((folder + "\\" + names[i]).c_str());
}

}   // namespace

namespace {

// The folder, made when missing; false when it is not one (a file of that name).
bool MadeFolder(const std::string& folder)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}   // namespace

std::string Folder()
{
    char module[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module, length < MAX_PATH ? length : 0);
    folder = folder.substr(0, folder.find_last_of('\\'));
    folder += "\\KeptLayouts";
    if (length && length < MAX_PATH && MadeFolder(folder))
        return folder;
    char temp[MAX_PATH] = "";
    const DWORD tempLength = ::GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "KeptLayouts";
    return tempLength && tempLength < MAX_PATH && MadeFolder(folder) ? folder : std::string();
}

bool ExportTree(const char* path, const char* fileName)
{
    HKEY hKey = nullptr;
    if (!path || OpenRegPath(HKEY_CURRENT_USER, path, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    FILE* file = std::fopen(fileName, "wb");
    bool ok = file != nullptr;
    if (ok) {
        std::fprintf(file, "REGEDIT4\n%s\n", kBeginLine);
        ok = WriteKey(file, hKey, path, 0);
        std::fprintf(file, "\n%s\n", kEndLine);
        ok = std::fclose(file) == 0 && ok;
    }
    ::RegCloseKey(hKey);
    if (!ok)
        ::DeleteFileA(fileName);
    return ok;
}

std::string KeepTree(const char* path, const char* label)
{
    const std::string folder = Folder();
    if (folder.empty())
        return std::string();
    const std::string name = FileLabel(label);
    // Named by the time to the millisecond, so that the names sort by age.
    std::string file;
    for (int attempt = 0; attempt < 50; ++attempt) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        char stamp[64];
        std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d %02d%02d%02d.%03d", now.wYear, now.wMonth, now.wDay,
                      now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
        file = folder + "\\" + name + stamp + ".reg";
        if (::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        ::Sleep(1);
    }
    if (!ExportTree(path, file.c_str()))
        return std::string();
    Prune(folder, name);
    return file;
}

}   // namespace kept_copy
