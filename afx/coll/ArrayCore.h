// CArrayCore: the growable array shared by the non-template arrays and CArray.
//
// DERIVED is the collection class itself (for the array-to-array operations), TYPE the stored element,
// ARG_TYPE how elements are passed in and CONST_RESULT what the const accessors return. Storage is
// raw memory; elements are constructed and destroyed in place, so only m_nSize of the m_nMaxSize
// slots hold live objects. Growing moves the elements into a new block.
#pragma once
#include "AfxDefs.h"
#include "ElementHelpers.h"

#include <algorithm>
#include <utility>

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT = const TYPE&>
class CArrayCore
{
public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // nGrowBy is the least number of slots added when the array must grow: -1 keeps the current
    // setting, 0 lets the array choose from its size.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    CONST_RESULT GetAt(INT_PTR nIndex) const { return m_pData[CheckedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[CheckedIndex(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckedIndex(nIndex)]; }
    CONST_RESULT operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // NULL while the array has no storage.
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const DERIVED& src);
    void Copy(const DERIVED& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, DERIVED* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    CArrayCore() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArrayCore() { SetSize(0, -1); }
    CArrayCore(const CArrayCore&) = delete;
    CArrayCore& operator=(const CArrayCore&) = delete;

    // Count, then the elements: loading first resizes the array to the stored count.
    // exchangeElements has the shape of SerializeElements.
    template <class ARCHIVE, class EXCHANGE>
    void SerializeWith(ARCHIVE& ar, EXCHANGE exchangeElements)
    {
        if (ar.IsStoring())
            ar.WriteCount(m_nSize);
        else
            SetSize(static_cast<INT_PTR>(ar.ReadCount()), -1);
        exchangeElements(ar, m_pData, m_nSize);
    }

private:
    INT_PTR CheckedIndex(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return nIndex;
    }
    INT_PTR GrownCapacity(INT_PTR nNewSize) const;
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;
};

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
INT_PTR CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::GrownCapacity(INT_PTR nNewSize) const
{
    if (m_pData == NULL)
        return std::max(nNewSize, m_nGrowBy);
    INT_PTR nGrowBy = m_nGrowBy;
    // Without a set step, grow by an eighth, so that appending one at a time stays linear overall
    // without reserving much for small arrays.
    if (nGrowBy == 0)
        nGrowBy = std::min<INT_PTR>(1024, std::max<INT_PTR>(4, m_nSize / 8));
    return std::max(nNewSize, m_nMaxSize + nGrowBy);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::Reallocate(INT_PTR nNewMax)
{
    ASSERT(nNewMax >= m_nSize);
    TYPE* pNewData = NULL;
    if (nNewMax > 0)
    {
        pNewData = static_cast<TYPE*>(::operator new(nNewMax * sizeof(TYPE)));
        for (INT_PTR i = 0; i < m_nSize; ++i)
            ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
    }
    DestructElements<TYPE>(m_pData, m_nSize);
    ::operator delete(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    ASSERT(nNewSize >= 0);
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0)
    {
        DestructElements<TYPE>(m_pData, m_nSize);
        m_nSize = 0;
        Reallocate(0);
        return;
    }
    if (nNewSize > m_nMaxSize)
        Reallocate(GrownCapacity(nNewSize));
    if (nNewSize > m_nSize)
        ConstructElements<TYPE>(m_pData + m_nSize, nNewSize - m_nSize);
    else
        DestructElements<TYPE>(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    ASSERT(nIndex >= 0);
    if (nIndex >= m_nMaxSize)
    {
        // newElement may refer into the storage that growing is about to move.
        TYPE element(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(element);
        return;
    }
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1, -1);
    m_pData[nIndex] = newElement;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
INT_PTR CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::Add(ARG_TYPE newElement)
{
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
INT_PTR CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::Append(const DERIVED& src)
{
    const CArrayCore& source = src;
    ASSERT(&source != this);
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + source.m_nSize, -1);
    CopyElements<TYPE>(m_pData + nOldSize, source.m_pData, source.m_nSize);
    return nOldSize;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::Copy(const DERIVED& src)
{
    const CArrayCore& source = src;
    if (&source == this)
        return;
    SetSize(source.m_nSize, -1);
    CopyElements<TYPE>(m_pData, source.m_pData, source.m_nSize);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    // newElement may refer to an element that the shift below moves.
    TYPE element(newElement);
    INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize)
    {
        SetSize(nIndex + nCount, -1);
    }
    else
    {
        SetSize(nOldSize + nCount, -1);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (INT_PTR i = nIndex; i < nIndex + nCount; ++i)
        m_pData[i] = element;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::InsertAt(INT_PTR nStartIndex, DERIVED* pNewArray)
{
    const CArrayCore* pSource = pNewArray;
    ASSERT(pSource != NULL && pSource != this);
    if (pSource->m_nSize == 0)
        return;
    InsertAt(nStartIndex, pSource->m_pData[0], pSource->m_nSize);
    CopyElements<TYPE>(m_pData + nStartIndex + 1, pSource->m_pData + 1, pSource->m_nSize - 1);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CArrayCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    TYPE* pFirstKept = m_pData + nIndex + nCount;
    INT_PTR nMoveCount = m_nSize - (nIndex + nCount);
    if (nMoveCount > 0)
        std::move(pFirstKept, pFirstKept + nMoveCount, m_pData + nIndex);
    DestructElements<TYPE>(m_pData + m_nSize - nCount, nCount);
    m_nSize -= nCount;
}
