// CObject and CRuntimeClass: run-time type information, dynamic creation and serialization hooks.
#pragma once
#include "AfxDefs.h"

class CObject;
class CArchive;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                      // 0xFFFF for classes that are not serializable
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Classes declared with IMPLEMENT_DYNAMIC, _DYNCREATE or _SERIAL, looked up by name.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Archive form of a class reference: schema (WORD), name length (WORD), name.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class to the by-name registry during static initialisation.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

#define VERSIONABLE_SCHEMA (0x80000000)

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static constexpr CRuntimeClass* PASCAL GetThisClass() { return &class##class_name; } \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, RUNTIME_CLASS(base_class_name) }; \
    static const AFX_CLASSINIT _init_##class_name(&class_name::class##class_name); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); return ar; }

class CObject
{
public:
    static CRuntimeClass classCObject;
    static constexpr CRuntimeClass* PASCAL GetThisClass() { return &classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const;

    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// pObject as a pointer to class_name when it is of that class or one derived from it; NULL otherwise.
#define DYNAMIC_DOWNCAST(class_name, pObject) AfxDynamicDownCast<class_name>(pObject)

template <class T>
T* AfxDynamicDownCast(CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<T*>(pObject) : NULL;
}

template <class T>
const T* AfxDynamicDownCast(const CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<const T*>(pObject) : NULL;
}
