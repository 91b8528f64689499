// The preference store: a name-to-value table read from the stream "TsPreferences" of the
// bound storage. Values set are written together, over what the stream holds then, so that
// helpers bound to one document keep each other's values: by Flush, when the helper is
// bound elsewhere or destroyed, and for helpers still alive when the process ends, as this
// library is unloaded.
//
// The stream is text, one value a line: a type letter (I integer, L long, S text), a tab,
// the name, a tab and the value; a text is written as hexadecimal pairs so that any
// character survives. Lines that do not read as such are left out.
#include "tspref.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <new>

namespace {

const wchar_t kStreamName[] = L"TsPreferences";
const size_t kMaxName = 255;
const ULONG kMaxStream = 1u << 20;   // more than any document's preferences

struct Value {
    char type;          // 'I', 'L' or 'S'
    std::string text;   // the number in decimal, or the text itself
};

bool ValidName(const char* name)
{
    return name && *name && std::strlen(name) <= kMaxName && !std::strpbrk(name, "\t\r\n");
}

std::string ToHex(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

bool FromHex(const std::string& hex, std::string* text)
{
    if (hex.size() % 2)
        return false;
    text->clear();
    auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return false;
        *text += (char)(high * 16 + low);
    }
    return true;
}

bool ReadNumber(const std::string& text, long long low, long long high)
{
    if (text.empty() || text.size() > 20)
        return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == 0 && value >= low && value <= high;
}

}   // namespace

struct TsPrefStore;

namespace {

// The stores alive in the process, written out at unload when they still hold unsaved values.
// Never destroyed: the unload walks it after the library's own destructors may have run.
CRITICAL_SECTION g_liveLock;
std::set<TsPrefStore*>* g_pLive = nullptr;

}   // namespace

struct TsPrefStore {
    IStorage* pStorage = nullptr;
    std::map<std::string, Value> values;
    std::set<std::string> changed;   // names set since the stream was last written

    HRESULT Flush()
    {
        if (!pStorage || changed.empty())
            return S_OK;
        // Another helper may have written the stream since it was read: its values stay.
        std::map<std::string, Value> merged;
        if (FAILED(Read(&merged)))
            merged = values;
        for (const std::string& name : changed)
            merged[name] = values[name];
        const HRESULT hr = Save(merged);
        if (SUCCEEDED(hr)) {
            values.swap(merged);
            changed.clear();
        }
        return hr;
    }

    static void Parse(const std::string& data, std::map<std::string, Value>* pValues)
    {
        size_t start = 0;
        while (start < data.size()) {
            size_t end = data.find('\n', start);
            if (end == std::string::npos)
                end = data.size();
            std::string line = data.substr(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const size_t tab1 = line.find('\t'), tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            if (tab1 != 1 || tab2 == std::string::npos)
                continue;
            const char type = line[0];
            const std::string name = line.substr(2, tab2 - 2), raw = line.substr(tab2 + 1);
            if (!ValidName(name.c_str()))
                continue;
            Value value{type, {}};
            if (type == 'I' && ReadNumber(raw, INT_MIN, INT_MAX))
                value.text = raw;
            else if (type == 'L' && ReadNumber(raw, LONG_MIN, LONG_MAX))
                value.text = raw;
            else if (!(type == 'S' && FromHex(raw, &value.text)))
                continue;
            (*pValues)[name] = value;
        }
    }

    HRESULT Load()
    {
        values.clear();
        changed.clear();
        return Read(&values);
    }

    HRESULT Read(std::map<std::string, Value>* pValues) const
    {
        IStream* pStream = nullptr;
        HRESULT hr = pStorage->OpenStream(kStreamName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &pStream);
        if (FAILED(hr))
            return hr == STG_E_FILENOTFOUND ? S_OK : hr;
        STATSTG stat{};
        std::string data;
        if (SUCCEEDED(pStream->Stat(&stat, STATFLAG_NONAME))) {
            const ULONG size = stat.cbSize.QuadPart > kMaxStream ? kMaxStream : (ULONG)stat.cbSize.QuadPart;
            data.resize(size);
            ULONG read = 0;
            if (size && FAILED(pStream->Read(data.data(), size, &read)))
                read = 0;
            data.resize(read);
        }
        pStream->Release();
        Parse(data, pValues);
        return S_OK;
    }

    HRESULT Save(const std::map<std::string, Value>& all) const
    {
        std::string data;
        for (const auto& [name, value] : all) {
            data += value.type;
            data += '\t';
            data += name;
            data += '\t';
            data += value.type == 'S' ? ToHex(value.text) : value.text;
            data += '\n';
        }
        IStream* pStream = nullptr;
        HRESULT hr =
            pStorage->CreateStream(kStreamName, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &pStream);
        if (FAILED(hr))
            return hr;
        ULONG written = 0;
        hr = pStream->Write(data.data(), (ULONG)data.size(), &written);
        pStream->Release();
        if (SUCCEEDED(hr))
            hr = pStorage->Commit(STGC_DEFAULT);
        return hr;
    }

    HRESULT Find(const char* name, char type, const Value** ppValue) const
    {
        if (!pStorage)
            return TSPREF_E_NOSTORE;
        if (!ValidName(name))
            return E_INVALIDARG;
        const auto it = values.find(name);
        if (it == values.end() || it->second.type != type)
            return TSPREF_E_NOVALUE;
        *ppValue = &it->second;
        return S_OK;
    }

    HRESULT Put(const char* name, char type, std::string text)
    {
        if (!pStorage)
            return TSPREF_E_NOSTORE;
        if (!ValidName(name))
            return E_INVALIDARG;
        values[name] = Value{type, std::move(text)};
        changed.insert(name);
        return S_OK;
    }
};

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ::InitializeCriticalSection(&g_liveLock);
        g_pLive = new (std::nothrow) std::set<TsPrefStore*>;
    } else if (reason == DLL_PROCESS_DETACH && g_pLive) {
        // Other threads are gone or stopped here: the walk takes no lock a dead thread may hold.
        for (TsPrefStore* pStore : *g_pLive)
            pStore->Flush();
    }
    return TRUE;
}

TsPrefHelper::TsPrefHelper() : m_pStore(new TsPrefStore)
{
    if (!g_pLive)
        return;
    ::EnterCriticalSection(&g_liveLock);
    g_pLive->insert(m_pStore);
    ::LeaveCriticalSection(&g_liveLock);
}

TsPrefHelper::~TsPrefHelper()
{
    InitStorageAssociation(nullptr);
    if (g_pLive) {
        ::EnterCriticalSection(&g_liveLock);
        g_pLive->erase(m_pStore);
        ::LeaveCriticalSection(&g_liveLock);
    }
    delete m_pStore;
}

HRESULT TsPrefHelper::Flush()
{
    return m_pStore->Flush();
}

HRESULT TsPrefHelper::InitStorageAssociation(IUnknown* pDocument)
{
    m_pStore->Flush();
    if (m_pStore->pStorage)
        m_pStore->pStorage->Release();
    m_pStore->pStorage = nullptr;
    m_pStore->values.clear();
    m_pStore->changed.clear();
    if (!pDocument)
        return S_OK;
    IStorage* pStorage = nullptr;
    HRESULT hr = pDocument->QueryInterface(IID_IStorage, reinterpret_cast<void**>(&pStorage));
    if (FAILED(hr) || !pStorage)
        return FAILED(hr) ? hr : E_NOINTERFACE;
    m_pStore->pStorage = pStorage;
    hr = m_pStore->Load();
    if (FAILED(hr)) {
        // An unreadable stream: the document has no preferences, and gets them anew.
        m_pStore->values.clear();
    }
    return S_OK;
}

BOOL TsPrefHelper::IsBound() const
{
    return m_pStore->pStorage != nullptr;
}

HRESULT TsPrefHelper::GetPrefInteger(const char* name, int* pValue) const
{
    const Value* pFound = nullptr;
    HRESULT hr = m_pStore->Find(name, 'I', &pFound);
    if (SUCCEEDED(hr) && pValue)
        *pValue = (int)std::strtol(pFound->text.c_str(), nullptr, 10);
    return hr;
}

HRESULT TsPrefHelper::SetPrefInteger(const char* name, int value)
{
    return m_pStore->Put(name, 'I', std::to_string(value));
}

HRESULT TsPrefHelper::GetPrefLong(const char* name, long* pValue) const
{
    const Value* pFound = nullptr;
    HRESULT hr = m_pStore->Find(name, 'L', &pFound);
    if (SUCCEEDED(hr) && pValue)
        *pValue = std::strtol(pFound->text.c_str(), nullptr, 10);
    return hr;
}

HRESULT TsPrefHelper::SetPrefLong(const char* name, long value)
{
    return m_pStore->Put(name, 'L', std::to_string(value));
}

HRESULT TsPrefHelper::GetPrefCharStr(const char* name, char* text, unsigned cchText) const
{
    const Value* pFound = nullptr;
    HRESULT hr = m_pStore->Find(name, 'S', &pFound);
    if (SUCCEEDED(hr) && text && cchText) {
        const size_t n = pFound->text.size() < cchText - 1 ? pFound->text.size() : cchText - 1;
        std::memcpy(text, pFound->text.data(), n);
        text[n] = 0;
    }
    return hr;
}

HRESULT TsPrefHelper::SetPrefCharStr(const char* name, const char* text)
{
    return m_pStore->Put(name, 'S', text ? std::string(text) : std::string());
}

TSPREF_API HRESULT WINAPI TsPrefOpenFileStorage(const wchar_t* path, BOOL bCreate, IStorage** ppStorage)
{
    if (!ppStorage)
        return E_POINTER;
    *ppStorage = nullptr;
    if (!path || !*path)
        return E_INVALIDARG;
    const DWORD mode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED;
    HRESULT hr = ::StgOpenStorage(path, nullptr, mode, nullptr, 0, ppStorage);
    if (FAILED(hr) && bCreate)
        hr = ::StgCreateDocfile(path, mode | STGM_CREATE, 0, ppStorage);
    return hr;
}
