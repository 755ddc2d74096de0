// Maps from Windows handles to the framework objects that wrap them.
//
// A permanent entry belongs to an object that attached the handle itself (a created or subclassed
// window, a menu made by the program); FromHandle answers with it. A handle without one gets a
// temporary wrapper, kept until the thread next goes idle, so pointers returned by FromHandle must
// not be stored. Attach and Detach of every wrapper class go through this map's own Attach and Detach.
#pragma once
#include "AfxDefs.h"
#include <unordered_map>
#include <vector>

template <class TObject, class THandle>
class CHandleMap
{
public:
    typedef TObject* (*PFN_CREATE_TEMP)(THandle h);   // new wrapper holding h
    typedef void (*PFN_DELETE_TEMP)(TObject* p);      // releases the wrapper, never the handle

    CHandleMap(PFN_CREATE_TEMP pfnCreate, PFN_DELETE_TEMP pfnDelete)
        : m_pfnCreateTemp(pfnCreate), m_pfnDeleteTemp(pfnDelete) {}
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;
    ~CHandleMap() { DeleteTemp(); }

    // The make and release functions of a class whose handle is its one member pmHandle; the member
    // is cleared before the wrapper goes, so that its destructor leaves the handle alone.
    template <THandle TObject::*pmHandle>
    static TObject* CreateTempWrapper(THandle h)
    {
        TObject* p = new TObject;
        p->*pmHandle = h;
        return p;
    }

    template <THandle TObject::*pmHandle>
    static void DeleteTempWrapper(TObject* p)
    {
        p->*pmHandle = NULL;
        delete p;
    }

    TObject* FromHandle(THandle h)
    {
        if (h == NULL)
            return NULL;
        if (TObject* p = LookupPermanent(h))
            return p;
        if (TObject* p = LookupTemporary(h))
            return p;
        TObject* p = m_pfnCreateTemp(h);
        m_temporary[h] = p;
        return p;
    }

    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : NULL;
    }

    TObject* LookupTemporary(THandle h) const
    {
        auto it = m_temporary.find(h);
        return it != m_temporary.end() ? it->second : NULL;
    }

    // Makes p the permanent wrapper of h and stores h in p's handle member. Without a map (a thread's
    // maps are gone once it has released them) only the member is set.
    static BOOL Attach(CHandleMap* pMap, TObject* p, THandle& rhMember, THandle h)
    {
        ASSERT(rhMember == NULL);
        if (h == NULL)
            return FALSE;
        rhMember = h;
        if (pMap != NULL)
            pMap->m_permanent[h] = p;
        return TRUE;
    }

    // Clears p's handle member and returns the handle. The map forgets the handle only where p is
    // its wrapper: a permanent entry of another object stays. A temporary wrapper no longer answers
    // for the handle, but lives until DeleteTemp, since its callers may still hold it.
    static THandle Detach(CHandleMap* pMap, TObject* p, THandle& rhMember)
    {
        THandle h = rhMember;
        rhMember = NULL;
        if (h == NULL || pMap == NULL)
            return h;
        auto permanent = pMap->m_permanent.find(h);
        if (permanent != pMap->m_permanent.end() && permanent->second == p)
        {
            pMap->m_permanent.erase(permanent);
            return h;
        }
        auto temporary = pMap->m_temporary.find(h);
        if (temporary != pMap->m_temporary.end() && temporary->second == p)
        {
            pMap->m_temporary.erase(temporary);
            pMap->m_detached.push_back(p);
        }
        return h;
    }

    // Forgets h in both maps; a temporary wrapper of it is released.
    void RemoveHandle(THandle h)
    {
        m_permanent.erase(h);
        auto it = m_temporary.find(h);
        if (it != m_temporary.end())
        {
            TObject* p = it->second;
            m_temporary.erase(it);
            m_pfnDeleteTemp(p);
        }
    }

    void DeleteTemp()
    {
        std::vector<TObject*> doomed;
        doomed.swap(m_detached);
        doomed.reserve(doomed.size() + m_temporary.size());
        for (auto& entry : m_temporary)
            doomed.push_back(entry.second);
        m_temporary.clear();
        for (TObject* p : doomed)
            m_pfnDeleteTemp(p);
    }

private:
    PFN_CREATE_TEMP m_pfnCreateTemp;
    PFN_DELETE_TEMP m_pfnDeleteTemp;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
    std::vector<TObject*> m_detached;   // temporary wrappers that were detached, deleted with the rest
};
