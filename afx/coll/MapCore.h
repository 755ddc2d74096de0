// CMapCore: the hash table shared by the non-template maps and CMap.
//
// The table has a fixed number of buckets (17 unless InitHashTable says otherwise); each bucket chains
// its associations, newest first. Iteration runs bucket by bucket, so the order of GetNextAssoc and
// of the serialized pairs follows from the keys' hash values and the table size. Associations come
// from blocks of m_nBlockSize, with a free chain as in the lists.
#pragma once
#include "AfxDefs.h"
#include "ElementHelpers.h"
#include "Plex.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMapCore
{
protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;   // HashKey(key), before taking the bucket
        KEY key;
        VALUE value;
    };
    static_assert(alignof(CAssoc) <= alignof(CPlex), "map key or value needs a stricter alignment");

public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // Adds the key with a default value when it is missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // GetNextAssoc moves the position on before it returns, so the association it returned may be
    // removed while iterating.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Only while the map is empty; a prime size spreads the keys best.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(ARG_KEY key) const { return ::HashKey<ARG_KEY>(key); }

protected:
    explicit CMapCore(INT_PTR nBlockSize);
    ~CMapCore() { RemoveAll(); }
    CMapCore(const CMapCore&) = delete;
    CMapCore& operator=(const CMapCore&) = delete;

    // Count, then key and value of each association in iteration order; loading adds the pairs.
    // The exchange functions have the shape of SerializeElements.
    template <class ARCHIVE, class EXCHANGE_KEYS, class EXCHANGE_VALUES>
    void SerializeWith(ARCHIVE& ar, EXCHANGE_KEYS exchangeKeys, EXCHANGE_VALUES exchangeValues);

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& rnHashValue) const;
    CAssoc* FirstAssocFrom(UINT nBucket) const;
    CAssoc* NewAssoc(ARG_KEY key, UINT nHashValue);
    void FreeAssoc(CAssoc* pAssoc);

    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::CMapCore(INT_PTR nBlockSize)
    : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize)
{
    ASSERT(nBlockSize > 0);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    ASSERT(m_nCount == 0);
    ASSERT(nHashSize > 0);
    delete[] m_pHashTable;
    m_pHashTable = NULL;
    if (bAllocNow)
        m_pHashTable = new CAssoc*[nHashSize]();
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL)
    {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket)
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
            {
                DestructElements<VALUE>(&pAssoc->value, 1);
                DestructElements<KEY>(&pAssoc->key, 1);
            }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pFreeList = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key, UINT nHashValue)
{
    if (m_pFreeList == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CAssoc));
        // Chain the block back to front so that its associations are handed out in address order.
        CAssoc* pAssoc = static_cast<CAssoc*>(pBlock->data()) + m_nBlockSize;
        for (INT_PTR i = 0; i < m_nBlockSize; ++i)
        {
            --pAssoc;
            pAssoc->pNext = m_pFreeList;
            m_pFreeList = pAssoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    m_pFreeList = m_pFreeList->pNext;
    ConstructElements<KEY>(&pAssoc->key, 1);
    ConstructElements<VALUE>(&pAssoc->value, 1);
    pAssoc->key = key;
    pAssoc->nHashValue = nHashValue;
    ++m_nCount;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    DestructElements<VALUE>(&pAssoc->value, 1);
    DestructElements<KEY>(&pAssoc->key, 1);
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    --m_nCount;
    ASSERT(m_nCount >= 0);
    // The last removal gives the table and every block back.
    if (m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& rnHashValue) const
{
    rnHashValue = HashKey(key);
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[rnHashValue % m_nHashTableSize]; pAssoc != NULL; pAssoc = pAssoc->pNext)
        if (pAssoc->nHashValue == rnHashValue && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashValue);
    if (pAssoc == NULL)
    {
        if (m_pHashTable == NULL)
            InitHashTable(m_nHashTableSize);
        pAssoc = NewAssoc(key, nHashValue);
        CAssoc*& rpBucket = m_pHashTable[nHashValue % m_nHashTableSize];
        pAssoc->pNext = rpBucket;
        rpBucket = pAssoc;
    }
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey(key);
    for (CAssoc** ppAssoc = &m_pHashTable[nHashValue % m_nHashTableSize]; *ppAssoc != NULL;
         ppAssoc = &(*ppAssoc)->pNext)
    {
        CAssoc* pAssoc = *ppAssoc;
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
        {
            *ppAssoc = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssocFrom(UINT nBucket) const
{
    for (; nBucket < m_nHashTableSize; ++nBucket)
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    ASSERT(m_pHashTable != NULL && rNextPosition != NULL);
    CAssoc* pAssoc = rNextPosition == BEFORE_START_POSITION ? FirstAssocFrom(0)
                                                             : reinterpret_cast<CAssoc*>(rNextPosition);
    ASSERT(pAssoc != NULL);
    CAssoc* pNextAssoc = pAssoc->pNext;
    if (pNextAssoc == NULL)
        pNextAssoc = FirstAssocFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNextAssoc);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
template <class ARCHIVE, class EXCHANGE_KEYS, class EXCHANGE_VALUES>
void CMapCore<KEY, ARG_KEY, VALUE, ARG_VALUE>::SerializeWith(ARCHIVE& ar, EXCHANGE_KEYS exchangeKeys,
                                                             EXCHANGE_VALUES exchangeValues)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        if (m_pHashTable == NULL)
            return;
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket)
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext)
            {
                exchangeKeys(ar, &pAssoc->key, 1);
                exchangeValues(ar, &pAssoc->value, 1);
            }
    }
    else
    {
        for (DWORD_PTR nNewCount = ar.ReadCount(); nNewCount > 0; --nNewCount)
        {
            KEY newKey{};
            VALUE newValue{};
            exchangeKeys(ar, &newKey, 1);
            exchangeValues(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }
}
