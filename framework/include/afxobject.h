// CObject and run-time class information.
#pragma once
#include "afxdef.h"

class CObject;

// Describes a class for run-time kind tests and dynamic creation. The base class
// is reached through a function so that classes in other modules can be linked.
struct AFX_CORE_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();                 // NULL unless dynamically creatable
    const CRuntimeClass* (*m_pfnGetBaseClass)();     // NULL for CObject

    const CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CObject* CreateObject() const;                   // NULL when not creatable

    // Finds a registered class by name (classes register when their module loads).
    static const CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
};

// Registers a run-time class for FromName while its module is loaded.
struct AFX_CORE_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(const CRuntimeClass* pClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
private:
    const CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    static const CRuntimeClass* _GetBaseClass(); \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), pfnNew, &class_name::_GetBaseClass }; \
    const CRuntimeClass* class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

class AFX_CORE_API CObject {
public:
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// Casts to a class when the object is of that kind, else NULL.
template <class T>
T* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* p)
{
    return (p && p->IsKindOf(pClass)) ? static_cast<T*>(p) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) AfxDynamicDownCast<class_name>(RUNTIME_CLASS(class_name), object)
