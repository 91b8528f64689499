// tspref.dll: named preference values of a document. A TsPrefHelper is bound to the
// document's structured storage (InitStorageAssociation); its values live in the stream
// "TsPreferences" of that storage, so they go wherever the host keeps the document: a
// compound file the host opened (TsPrefOpenFileStorage), or a storage of its own.
//
// Values set are kept in memory and written to the stream together, over the values the
// stream holds then (another helper bound to the same storage keeps what it wrote): by
// Flush, when the helper is bound to another storage or destroyed, or when the process ends
// with the helper still alive. A set fails only for a bad name or without a storage; a
// failed write shows in Flush's result.
//
// Values are integers, longs or texts under a name of at most 255 characters. Reading a
// name that is missing, or that holds another type, fails and leaves the output as it
// was, so the caller's default stands. A damaged stream reads as far as it is sound.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <objbase.h>

#ifdef TSPREF_BUILD
#define TSPREF_CLASS __declspec(dllexport)
#define TSPREF_API extern "C" __declspec(dllexport)
#else
#define TSPREF_CLASS __declspec(dllimport)
#define TSPREF_API extern "C" __declspec(dllimport)
#endif

// No storage is bound.
#define TSPREF_E_NOSTORE MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0201)
// The name is not there, or holds a value of another type.
#define TSPREF_E_NOVALUE MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0202)

struct TsPrefStore;

class TSPREF_CLASS TsPrefHelper {
public:
    TsPrefHelper();
    ~TsPrefHelper();
    TsPrefHelper(const TsPrefHelper&) = delete;
    TsPrefHelper& operator=(const TsPrefHelper&) = delete;

    // Binds to the storage pDocument gives (IStorage); NULL unbinds. Reads the stored values.
    HRESULT InitStorageAssociation(IUnknown* pDocument);
    BOOL IsBound() const;
    // Writes the values set since the last write to the stream and commits the storage.
    HRESULT Flush();

    HRESULT GetPrefInteger(const char* name, int* pValue) const;
    HRESULT SetPrefInteger(const char* name, int value);
    HRESULT GetPrefLong(const char* name, long* pValue) const;
    HRESULT SetPrefLong(const char* name, long value);
    // The text, cut to cchText - 1 characters and ended with a NUL.
    HRESULT GetPrefCharStr(const char* name, char* text, unsigned cchText) const;
    HRESULT SetPrefCharStr(const char* name, const char* text);

private:
    TsPrefStore* m_pStore;
};

// Opens (or with bCreate makes) a compound file for a document's preferences.
TSPREF_API HRESULT WINAPI TsPrefOpenFileStorage(const wchar_t* path, BOOL bCreate, IStorage** ppStorage);
