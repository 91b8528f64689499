#include "regfile.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <cstring>
#include <type_traits>

namespace testing_support {

CString TestDataFolder()
{
    return CString(CONTROL_TEST_DATA_DIR) + "\\";
}

std::vector<CString> RegFilesIn(LPCSTR lpszSubFolder)
{
    std::vector<CString> files;
    const CString folder = TestDataFolder() + lpszSubFolder + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE hFind = ::FindFirstFileA(folder + "*.reg", &found);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(hFind, &found))
        files.push_back(folder + found.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    std::sort(files.begin(), files.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    return files;
}

namespace {

// A quoted string at text[pos] (after the opening quote), with \\, \", \n and \r escapes.
bool ReadQuoted(const std::string& text, size_t& pos, std::string& out)
{
    out.clear();
    for (; pos < text.size(); ++pos) {
        if (text[pos] == '\\' && pos + 1 < text.size()) {
            const char c = text[++pos];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else if (text[pos] == '"') {
            ++pos;
            return true;
        } else {
            out += text[pos];
        }
    }
    return false;
}

// Comma-separated hexadecimal bytes.
bool ParseHexBytes(const char* text, std::vector<BYTE>& bytes)
{
    for (text += strspn(text, " \t,"); *text; text += strspn(text, " \t,")) {
        char* end = nullptr;
        const unsigned long value = strtoul(text, &end, 16);
        if (end == text || value > 0xFF)
            return false;
        bytes.push_back((BYTE)value);
        text = end;
    }
    return true;
}

bool SetValue(HKEY hKey, const std::string& name, const std::string& data, std::string& error)
{
    if (!data.empty() && data[0] == '"') {
        size_t pos = 1;
        std::string text;
        if (!ReadQuoted(data, pos, text))
            return error = "unterminated text: " + data, false;
        return ::RegSetValueExA(hKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                (DWORD)text.size() + 1) == ERROR_SUCCESS;
    }
    if (data.rfind("dword:", 0) == 0) {
        const DWORD value = strtoul(data.c_str() + 6, nullptr, 16);
        return ::RegSetValueExA(hKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4) ==
               ERROR_SUCCESS;
    }
    DWORD type = REG_BINARY;
    size_t colon = std::string::npos;
    if (data.rfind("hex:", 0) == 0) {
        colon = 3;
    } else if (data.rfind("hex(", 0) == 0) {
        const size_t close = data.find("):");
        if (close == std::string::npos)
            return error = "bad hex type: " + data, false;
        type = strtoul(data.c_str() + 4, nullptr, 16);
        colon = close + 1;
    }
    std::vector<BYTE> bytes;
    if (colon == std::string::npos || !ParseHexBytes(data.c_str() + colon + 1, bytes))
        return error = "bad value: " + data, false;
    return ::RegSetValueExA(hKey, name.c_str(), 0, type, bytes.data(), (DWORD)bytes.size()) == ERROR_SUCCESS;
}

}   // namespace

bool ImportRegFile(LPCSTR lpszPath, LPCSTR lpszRoot, std::string& error)
{
    std::ifstream file(lpszPath, std::ios::binary);
    if (!file)
        return error = std::string("cannot open ") + lpszPath, false;
    const auto close = [](HKEY hKey) { ::RegCloseKey(hKey); };
    std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(close)> key(nullptr, close);
    const std::string prefix = "HKEY_CURRENT_USER\\";
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == ';' || line.rfind("Windows Registry", 0) == 0 ||
            line.rfind("REGEDIT", 0) == 0)
            continue;
        const std::string text = line.substr(start);
        if (text[0] == '[') {
            key.reset();
            std::string path = text.substr(1, text.find(']') - 1);
            if (path.rfind(prefix, 0) != 0)
                return error = "key outside HKEY_CURRENT_USER: " + path, false;
            path = path.substr(prefix.size());
            if (const size_t root = path.find("$ROOT"); root != std::string::npos)
                path.replace(root, 5, lpszRoot);
            HKEY hKey = nullptr;
            if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                                  nullptr) != ERROR_SUCCESS)
                return error = "cannot create " + path, false;
            key.reset(hKey);
            continue;
        }
        if (!key)
            return error = "value outside a key: " + text, false;
        std::string name;
        size_t pos = 1;
        if (text[0] != '"' || !ReadQuoted(text, pos, name))
            return error = "bad line: " + text, false;
        if (pos >= text.size() || text[pos] != '=')
            return error = "no value: " + text, false;
        if (!SetValue(key.get(), name, text.substr(pos + 1), error))
            return false;
    }
    return true;
}

}   // namespace testing_support
