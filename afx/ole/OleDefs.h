// Definitions shared by the framework's OLE classes: the system's OLE interfaces and the drop-effect
// type of drag and drop.
#pragma once
#include "AfxDefs.h"
#include <ole2.h>

// DROPEFFECT_NONE, _COPY, _MOVE, _LINK and _SCROLL bits.
typedef DWORD DROPEFFECT;

// An interface that lives inside its owning command target: the owner answers QueryInterface through
// GetInterface and keeps the one reference count for all its interfaces.
template <class TInterface, class TOwner>
class COleNestedInterface : public TInterface
{
public:
    explicit COleNestedInterface(TOwner* pOwner) : m_pOwner(pOwner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == NULL)
            return E_POINTER;
        *ppv = m_pOwner->GetInterface(&riid);
        if (*ppv == NULL)
            return E_NOINTERFACE;
        m_pOwner->InternalAddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOwner->InternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOwner->InternalRelease(); }

protected:
    TOwner* m_pOwner;
};

// Copies the contents of hSource into hDest, or into a new moveable block when hDest is NULL.
// Returns the block written, or NULL when memory runs out or hDest is too small.
HGLOBAL AFXAPI AfxCopyGlobalMemory(HGLOBAL hDest, HGLOBAL hSource);
