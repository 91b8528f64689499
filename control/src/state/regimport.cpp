#include "regimport.h"

#include "baseutil.h"
#include "keptcopy.h"
#include "regvalues.h"
#include "stagedkey.h"

#include <cstdio>
#include <map>

namespace reg_import {

namespace {

constexpr StagedKey kStaged{kStagedSuffix, "~ImportComplete"};
constexpr char kRootPrefix[] = "HKEY_CURRENT_USER\\";

std::string Lower(std::string text)
{
    for (char& c : text)
        c = (char)tolower((unsigned char)c);
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool Failed(std::string& why, int line, const char* what)
{
    why = "line " + std::to_string(line) + ": " + what;
    return false;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = (char)tolower((unsigned char)c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A number of 1 to `digits` hex digits making up all of `text`.
bool ParseHex(const std::string& text, size_t digits, DWORD& value)
{
    if (text.empty() || text.size() > digits)
        return false;
    value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + (DWORD)digit;
    }
    return true;
}

// A quoted text from `at` (on its opening quote); `at` ends past the closing quote.
bool ParseQuoted(const std::string& line, size_t& at, std::string& text)
{
    text.clear();
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\') {
            if (++at >= line.size())
                return false;
            c = line[at];
            if (c == 'n')
                c = '\n';
            else if (c == 'r')
                c = '\r';
            else if (c != '\\' && c != '"')
                return false;
        }
        text += c;
    }
    return false;
}

bool ParseBytes(const std::string& list, std::vector<BYTE>& data)
{
    if (Trimmed(list).empty())
        return true;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        DWORD byte = 0;
        if (!ParseHex(Trimmed(list.substr(start, comma - start)), 2, byte))
            return false;
        data.push_back((BYTE)byte);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

// The value of a line "name=data".
bool ParseValue(const std::string& line, int number, Value& value, std::string& why)
{
    size_t at = 0;
    if (line[0] == '@') {
        at = 1;
    } else if (!ParseQuoted(line, at, value.name)) {
        return Failed(why, number, "a value name is not closed");
    }
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    if (at >= line.size() || line[at] != '=')
        return Failed(why, number, "a value has no '='");
    const std::string data = Trimmed(line.substr(at + 1));
    if (data.empty())
        return Failed(why, number, "a value has no data");
    if (data[0] == '"') {
        size_t end = 0;
        std::string text;
        if (!ParseQuoted(data, end, text) || end != data.size())
            return Failed(why, number, "a text value is not closed");
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return true;
    }
    const std::string lower = Lower(data);
    if (lower.rfind("dword:", 0) == 0) {
        DWORD number32 = 0;
        if (!ParseHex(data.substr(6), 8, number32))
            return Failed(why, number, "a dword value is not a number");
        value.type = REG_DWORD;
        value.data.resize(4);
        memcpy(value.data.data(), &number32, 4);
        return true;
    }
    size_t list = 0;
    if (lower.rfind("hex:", 0) == 0) {
        value.type = REG_BINARY;
        list = 4;
    } else if (lower.rfind("hex(", 0) == 0) {
        const size_t close = lower.find("):");
        if (close == std::string::npos || !ParseHex(data.substr(4, close - 4), 8, value.type))
            return Failed(why, number, "a value's type is not a number");
        list = close + 2;
    } else if (data == "-") {
        return Failed(why, number, "the file deletes a value");
    } else {
        return Failed(why, number, "a value's data is of no known form");
    }
    if (!ParseBytes(data.substr(list), value.data))
        return Failed(why, number, "a value's bytes are not hex numbers");
    return true;
}

// The path of a line "[HKEY_CURRENT_USER\<root>\...]" below `root`.
Outcome ParseKey(const std::string& line, int number, const std::string& root, std::string& path, std::string& why)
{
    if (line.back() != ']') {
        Failed(why, number, "a key's name is not closed");
        return Outcome::Damaged;
    }
    const std::string name = line.substr(1, line.size() - 2);
    if (!name.empty() && name[0] == '-') {
        Failed(why, number, "the file deletes a key");
        return Outcome::Damaged;
    }
    const std::string prefix = Lower(kRootPrefix + root);
    const std::string lower = Lower(name);
    if (lower.rfind(Lower(kRootPrefix), 0) != 0) {
        Failed(why, number, "a key lies outside HKEY_CURRENT_USER");
        return Outcome::Foreign;
    }
    if (lower != prefix && lower.rfind(prefix + "\\", 0) != 0) {
        Failed(why, number, ("a key lies outside the environment's tree: " + name).c_str());
        return Outcome::Foreign;
    }
    path = name.size() > prefix.size() ? name.substr(prefix.size() + 1) : std::string();
    for (size_t start = 0; !path.empty();) {
        const size_t slash = path.find('\\', start);
        const size_t length = (slash == std::string::npos ? path.size() : slash) - start;
        if (length == 0 || length > 255) {
            Failed(why, number, "a key's name is empty or too long");
            return Outcome::Damaged;
        }
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return Outcome::Read;
}

// The file's text; UTF-16 files become the ANSI code page's.
Outcome ReadText(const char* fileName, std::string& text, std::string& why)
{
    FILE* file = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!file) {
        why = "the file cannot be opened";
        return Outcome::NoFile;
    }
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    if (size < 0 || (size_t)size > kLargestFile) {
        std::fclose(file);
        why = "the file is larger than any environment's (" + std::to_string(kLargestFile >> 20) + " MB)";
        return Outcome::TooLarge;
    }
    std::string bytes((size_t)size, '\0');
    const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!read) {
        why = "the file cannot be read";
        return Outcome::NoFile;
    }
    if (bytes.size() >= 2 && (BYTE)bytes[0] == 0xFF && (BYTE)bytes[1] == 0xFE) {
        const int chars = (int)(bytes.size() - 2) / 2;
        std::wstring wide((size_t)chars, L'\0');
        memcpy(wide.data(), bytes.data() + 2, (size_t)chars * 2);
        const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, nullptr, 0, nullptr, nullptr);
        text.assign((size_t)(length > 0 ? length : 0), '\0');
        if (length > 0)
            ::WideCharToMultiByte(CP_ACP, 0, wide.data(), chars, text.data(), length, nullptr, nullptr);
    } else {
        text = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    }
    if (text.find('\0') != std::string::npos) {
        why = "the file holds binary data";
        return Outcome::NotRegistryFile;
    }
    return Outcome::Read;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

HKEY CreatePath(HKEY hRoot, const std::string& path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, nullptr, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return nullptr;
    for (size_t start = 0; hKey && start < path.size();) {
        size_t slash = path.find('\\', start);
        if (slash == std::string::npos)
            slash = path.size();
        HKEY hSub = nullptr;
        if (::RegCreateKeyExA(hKey, path.substr(start, slash - start).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &hSub, nullptr) != ERROR_SUCCESS)
            hSub = nullptr;
        ::RegCloseKey(hKey);
        hKey = hSub;
        start = slash + 1;
    }
    return hKey;
}

}   // namespace

Outcome ReadTree(const char* file, const std::string& root, std::vector<Key>& keys, std::string& why)
{
    keys.clear();
    std::string text;
    if (Outcome outcome = ReadText(file, text, why); outcome != Outcome::Read)
        return outcome;
    const std::vector<std::string> lines = Lines(text);
    const std::string header = lines.empty() ? std::string() : Trimmed(lines[0]);
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00") {
        why = "the file is not a registry file";
        return Outcome::NotRegistryFile;
    }
    if (text.back() != '\n') {
        why = "the file is cut short: its last line is not whole";
        return Outcome::Damaged;
    }
    // A file written here says it is whole by its last line.
    const bool endExpected = lines.size() > 1 && lines[1] == kept_copy::kBeginLine;
    bool ended = false;
    std::map<std::string, size_t> byPath;   // lower-case path -> index in keys
    Key* pKey = nullptr;
    for (size_t i = 1; i < lines.size(); ++i) {
        const int number = (int)i + 1;
        std::string line = Trimmed(lines[i]);
        if (line.empty())
            continue;
        if (ended) {
            Failed(why, number, "the file goes on after its end");
            return Outcome::Damaged;
        }
        if (line[0] == ';') {
            ended = line == kept_copy::kEndLine;
            continue;
        }
        if (line[0] == '[') {
            std::string path;
            if (Outcome outcome = ParseKey(line, number, root, path, why); outcome != Outcome::Read)
                return outcome;
            const auto [at, added] = byPath.emplace(Lower(path), keys.size());
            if (added)
                keys.push_back(Key{path, {}});
            pKey = &keys[at->second];
            continue;
        }
        // Byte lists go on over lines that end in a backslash.
        while (line.back() == '\\' && i + 1 < lines.size()) {
            line.pop_back();
            line += Trimmed(lines[++i]);
        }
        if (!pKey) {
            Failed(why, number, "a value comes before any key");
            return Outcome::Damaged;
        }
        Value value;
        if (!ParseValue(line, number, value, why))
            return Outcome::Damaged;
        pKey->values.push_back(std::move(value));
    }
    if (endExpected && !ended) {
        why = "the file is cut short: its closing line \"" + std::string(kept_copy::kEndLine) + "\" is missing";
        return Outcome::Damaged;
    }
    if (keys.empty()) {
        why = "the file holds no keys";
        return Outcome::Damaged;
    }
    return Outcome::Read;
}

void FinishInterruptedImport(const std::string& root)
{
    staged_key::FinishInterrupted(kStaged, root);
}

bool ReplaceTree(const std::string& root, const std::vector<Key>& keys)
{
    HKEY hStaged = staged_key::Begin(kStaged, root);
    if (!hStaged)
        return false;
    bool written = true;
    for (const Key& key : keys) {
        HKEY hKey = CreatePath(hStaged, key.path);
        written = hKey != nullptr;
        for (size_t i = 0; written && i < key.values.size(); ++i) {
            const Value& value = key.values[i];
            written = ::RegSetValueExA(hKey, value.name.c_str(), 0, value.type, value.data.data(),
                                       (DWORD)value.data.size()) == ERROR_SUCCESS;
        }
        if (hKey)
            ::RegCloseKey(hKey);
        if (!written)
            break;
    }
    if (!written) {
        staged_key::Abandon(kStaged, root, hStaged);
        return false;
    }
    return staged_key::Commit(kStaged, root, hStaged);
}

}   // namespace reg_import
