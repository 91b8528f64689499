#include "peimage.h"
#include "testsupport.h"

namespace testing_support {

namespace {

// The image's headers when hImage maps a 64-bit PE image, else nullptr.
const IMAGE_NT_HEADERS64* NtHeaders(const BYTE* base)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return nullptr;
    return nt;
}

const IMAGE_DATA_DIRECTORY* Directory(const IMAGE_NT_HEADERS64* nt, DWORD index)
{
    if (nt->OptionalHeader.NumberOfRvaAndSizes <= index)
        return nullptr;
    const IMAGE_DATA_DIRECTORY* entry = &nt->OptionalHeader.DataDirectory[index];
    return entry->VirtualAddress && entry->Size ? entry : nullptr;
}

// Maps the file, runs read on its base and headers, unmaps it.
template <typename Reader>
bool WithImage(LPCSTR lpszPath, Reader read)
{
    const HMODULE hImage =
        ::LoadLibraryExA(lpszPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!hImage)
        return false;
    // The low bits of a data-file handle mark how it was mapped.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(hImage) & ~(ULONG_PTR)3);
    const IMAGE_NT_HEADERS64* nt = NtHeaders(base);
    if (nt)
        read(base, nt);
    ::FreeLibrary(hImage);
    return nt != nullptr;
}

}   // namespace

bool ReadExportNames(LPCSTR lpszPath, std::vector<std::string>& names)
{
    names.clear();
    return WithImage(lpszPath, [&names](const BYTE* base, const IMAGE_NT_HEADERS64* nt) {
        const IMAGE_DATA_DIRECTORY* entry = Directory(nt, IMAGE_DIRECTORY_ENTRY_EXPORT);
        if (!entry)
            return;
        const auto* dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry->VirtualAddress);
        const auto* nameRvas = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
        for (DWORD n = 0; n < dir->NumberOfNames; ++n)
            names.push_back(reinterpret_cast<const char*>(base + nameRvas[n]));
    });
}

bool ReadImports(LPCSTR lpszPath, std::vector<PeImport>& imports)
{
    imports.clear();
    return WithImage(lpszPath, [&imports](const BYTE* base, const IMAGE_NT_HEADERS64* nt) {
        const IMAGE_DATA_DIRECTORY* entry = Directory(nt, IMAGE_DIRECTORY_ENTRY_IMPORT);
        if (!entry)
            return;
        for (const auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + entry->VirtualAddress);
             desc->Name; ++desc) {
            const std::string module = reinterpret_cast<const char*>(base + desc->Name);
            const DWORD thunkRva = desc->OriginalFirstThunk ? desc->OriginalFirstThunk : desc->FirstThunk;
            for (const auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + thunkRva);
                 thunk->u1.AddressOfData; ++thunk) {
                PeImport item{module, IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal) != 0, 0, std::string()};
                if (item.byOrdinal)
                    item.ordinal = static_cast<WORD>(IMAGE_ORDINAL64(thunk->u1.Ordinal));
                else
                    item.name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)->Name;
                imports.push_back(item);
            }
        }
    });
}

CString BesideProgram(LPCSTR lpszFileName)
{
    return CString(ProgramFolder().c_str()) + "\\" + lpszFileName;
}

}   // namespace testing_support
