// Element helpers of the collection templates. Collections call them for every element they create,
// destroy, copy, compare or hash, so a specialization for one element type changes how every
// collection of that type behaves.
#pragma once
#include "AfxDefs.h"

#include <new>

class CArchive;

// Zero-fills, then default-constructs in place: plain types start out as 0, class types run
// their constructor.
template <class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    memset(static_cast<void*>(pElements), 0, nCount * sizeof(TYPE));
    for (; nCount > 0; --nCount, ++pElements)
        ::new (static_cast<void*>(pElements)) TYPE;
}

template <class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    for (; nCount > 0; --nCount, ++pElements)
        pElements->~TYPE();
}

template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount)
{
    ASSERT(nCount >= 0);
    for (; nCount > 0; --nCount)
        *pDest++ = *pSrc++;
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Identity hash: integers and pointers rarely differ in their low four bits only by chance, but
// heap pointers always do, so those bits are dropped.
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key)
{
    // A C-style cast, because keys are integers, enumerations or pointers alike.
    return static_cast<UINT>((DWORD_PTR)key >> 4);
}

template <>
inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    UINT nHash = 0;
    while (*key != '\0')
        nHash = (nHash << 5) + nHash + *key++;
    return nHash;
}

// Bit-wise by default; defined with the archive in afxtempl.h.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount);
