// The host engine (appcore.dll) as the library uses it.
#pragma once
#include "jappinfo.h"

// Tells the engine that this library is calling.
void HostTellModuleState();
bool HostHasApplication();
BOOL HostMode();

// The host's application object for an interface, released when it goes.
template <class T>
class HostObject {
public:
    explicit HostObject(REFIID riid);
    ~HostObject()
    {
        if (m_p)
            m_p->Release();
    }
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* Get() const { return m_p; }

private:
    T* m_p = nullptr;
};

// Asks the engine for the application object's interface riid; NULL when unavailable.
IUnknown* HostQueryApplication(REFIID riid);

template <class T>
HostObject<T>::HostObject(REFIID riid) : m_p(static_cast<T*>(HostQueryApplication(riid)))
{
}

// The application's current version text; FALSE (text untouched) without an application object.
BOOL HostVersionText(GUserText& text);
