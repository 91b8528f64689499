// The ".jmac" format: "key=value" lines. Damaged files give what can be read of
// them: over-long lines are skipped, the rest of a huge file is ignored.
#include "macrofile.h"

#include <cstring>
#include <vector>

namespace macrohost {

namespace {

std::string Trim(const std::string& text)
{
    const char* spaces = " \t\r\n";
    const size_t first = text.find_first_not_of(spaces);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

bool EqualsNoCase(const std::string& a, const char* b)
{
    return a.size() == strlen(b) && _strnicmp(a.c_str(), b, a.size()) == 0;
}

void TakeLine(const std::string& line, MacroFile& macro)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    const std::string key = Trim(line.substr(0, equals));
    if (key.empty() || key[0] == ';' || key[0] == '#')
        return;
    const std::string value = Trim(line.substr(equals + 1));
    if (EqualsNoCase(key, "Name"))
        macro.name = value;
    else if (EqualsNoCase(key, "Tip"))
        macro.tip = value;
    else if (EqualsNoCase(key, "Prompt"))
        macro.prompt = value;
    else if (EqualsNoCase(key, "Bitmap"))
        macro.bitmap = value;
    else if (EqualsNoCase(key, "Command"))
        macro.command = value;
    else if (EqualsNoCase(key, "Transparent"))
        macro.transparent = ParseColor(value);
}

}   // namespace

bool ReadMacroFile(const std::string& path, MacroFile& macro)
{
    macro = MacroFile{};
    const HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> bytes(kMaxFileBytes);
    DWORD read = 0;
    LARGE_INTEGER size{};
    const BOOL ok = ::ReadFile(hFile, bytes.data(), kMaxFileBytes, &read, nullptr) && ::GetFileSizeEx(hFile, &size);
    ::CloseHandle(hFile);
    if (!ok)
        return false;
    // The last line read of a longer file is cut: it is not taken.
    const bool cut = size.QuadPart > static_cast<LONGLONG>(read);

    size_t start = 0;
    if (read >= 3 && memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
        start = 3;
    while (start < read) {
        const char* begin = bytes.data() + start;
        const void* newline = memchr(begin, '\n', read - start);
        const size_t length = newline ? static_cast<const char*>(newline) - begin : read - start;
        if (!newline && cut)
            break;
        if (length <= kMaxLineBytes)
            TakeLine(std::string(begin, length), macro);
        start += length + 1;
    }
    return true;
}

COLORREF ParseColor(const std::string& text)
{
    int parts[3] = {};
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != ',')
                return CLR_INVALID;
            ++at;
        }
        while (at < text.size() && text[at] == ' ')
            ++at;
        size_t digits = 0;
        int value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 3) {
            value = value * 10 + (text[at] - '0');
            ++at;
            ++digits;
        }
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (digits == 0 || value > 255)
            return CLR_INVALID;
        parts[i] = value;
    }
    return at == text.size() ? RGB(parts[0], parts[1], parts[2]) : CLR_INVALID;
}

void CopyText(const std::string& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const size_t length = strnlen(text.c_str(), static_cast<size_t>(size) - 1);
    memcpy(buffer, text.c_str(), length);
    buffer[length] = '\0';
}

}   // namespace macrohost
