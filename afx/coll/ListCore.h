// CListCore: the doubly linked list shared by CObList, CPtrList, CStringList and CList.
//
// DERIVED is the collection class itself (for the list-to-list operations), TYPE the stored element,
// ARG_TYPE how elements are passed in and CONST_RESULT what the const accessors return. Nodes come
// from blocks of m_nBlockSize nodes; freed nodes go on a free chain and are reused before a new block
// is allocated. A POSITION is the address of a node, so it stays valid until that node is removed.
#pragma once
#include "AfxDefs.h"
#include "ElementHelpers.h"
#include "Plex.h"

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT = const TYPE&>
class CListCore
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };
    static_assert(alignof(CNode) <= alignof(CPlex), "list element needs a stricter alignment");

public:
    typedef TYPE BASE_TYPE;
    typedef ARG_TYPE BASE_ARG_TYPE;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; }
    CONST_RESULT GetHead() const { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; }
    TYPE& GetTail() { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; }
    CONST_RESULT GetTail() const { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; }

    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement);
    POSITION AddTail(ARG_TYPE newElement);
    void AddHead(DERIVED* pNewList);
    void AddTail(DERIVED* pNewList);

    void RemoveAll();

    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }

    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, &CNode::pNext)->data; }
    CONST_RESULT GetNext(POSITION& rPosition) const { return Step(rPosition, &CNode::pNext)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, &CNode::pPrev)->data; }
    CONST_RESULT GetPrev(POSITION& rPosition) const { return Step(rPosition, &CNode::pPrev)->data; }

    TYPE& GetAt(POSITION position) { return ToNode(position)->data; }
    CONST_RESULT GetAt(POSITION position) const { return ToNode(position)->data; }
    void SetAt(POSITION position, ARG_TYPE newElement) { ToNode(position)->data = newElement; }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

protected:
    explicit CListCore(INT_PTR nBlockSize);
    ~CListCore() { RemoveAll(); }
    CListCore(const CListCore&) = delete;
    CListCore& operator=(const CListCore&) = delete;

    // Count, then the elements from head to tail; loading appends. exchangeElements has the shape of
    // SerializeElements.
    template <class ARCHIVE, class EXCHANGE>
    void SerializeWith(ARCHIVE& ar, EXCHANGE exchangeElements);

private:
    static POSITION ToPosition(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* ToNode(POSITION position)
    {
        ASSERT(position != NULL);
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* Step(POSITION& rPosition, CNode* CNode::*pLink)
    {
        CNode* pNode = ToNode(rPosition);
        rPosition = ToPosition(pNode->*pLink);
        return pNode;
    }

    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    INT_PTR m_nBlockSize;
};

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::CListCore(INT_PTR nBlockSize)
    : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
      m_nBlockSize(nBlockSize)
{
    ASSERT(nBlockSize > 0);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
typename CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::CNode*
CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    if (m_pNodeFree == NULL)
    {
        CPlex* pBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CNode));
        // Chain the block back to front so that its nodes are handed out in address order.
        CNode* pNode = static_cast<CNode*>(pBlock->data()) + m_nBlockSize;
        for (INT_PTR i = 0; i < m_nBlockSize; ++i)
        {
            --pNode;
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    m_pNodeFree = m_pNodeFree->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ConstructElements<TYPE>(&pNode->data, 1);
    pNode->data = newElement;
    ++m_nCount;
    return pNode;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::FreeNode(CNode* pNode)
{
    DestructElements<TYPE>(&pNode->data, 1);
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    --m_nCount;
    ASSERT(m_nCount >= 0);
    // The last removal gives every block back.
    if (m_nCount == 0)
        RemoveAll();
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::RemoveAll()
{
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
        DestructElements<TYPE>(&pNode->data, 1);
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::AddHead(ARG_TYPE newElement)
{
    CNode* pNewNode = NewNode(NULL, m_pNodeHead, newElement);
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    m_pNodeHead = pNewNode;
    return ToPosition(pNewNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::AddTail(ARG_TYPE newElement)
{
    CNode* pNewNode = NewNode(m_pNodeTail, NULL, newElement);
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    m_pNodeTail = pNewNode;
    return ToPosition(pNewNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::AddHead(DERIVED* pNewList)
{
    const CListCore* pSource = pNewList;
    ASSERT(pSource != NULL && pSource != this);
    // Backwards from the tail, so that the added elements keep their order.
    for (CNode* pNode = pSource->m_pNodeTail; pNode != NULL; pNode = pNode->pPrev)
        AddHead(pNode->data);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::AddTail(DERIVED* pNewList)
{
    const CListCore* pSource = pNewList;
    ASSERT(pSource != NULL && pSource != this);
    for (CNode* pNode = pSource->m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
        AddTail(pNode->data);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
TYPE CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::RemoveHead()
{
    ASSERT(m_pNodeHead != NULL);
    CNode* pOldNode = m_pNodeHead;
    TYPE returnValue = pOldNode->data;
    m_pNodeHead = pOldNode->pNext;
    if (m_pNodeHead != NULL)
        m_pNodeHead->pPrev = NULL;
    else
        m_pNodeTail = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
TYPE CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::RemoveTail()
{
    ASSERT(m_pNodeTail != NULL);
    CNode* pOldNode = m_pNodeTail;
    TYPE returnValue = pOldNode->data;
    m_pNodeTail = pOldNode->pPrev;
    if (m_pNodeTail != NULL)
        m_pNodeTail->pNext = NULL;
    else
        m_pNodeHead = NULL;
    FreeNode(pOldNode);
    return returnValue;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::RemoveAt(POSITION position)
{
    CNode* pOldNode = ToNode(position);
    if (pOldNode == m_pNodeHead)
        m_pNodeHead = pOldNode->pNext;
    else
        pOldNode->pPrev->pNext = pOldNode->pNext;
    if (pOldNode == m_pNodeTail)
        m_pNodeTail = pOldNode->pPrev;
    else
        pOldNode->pNext->pPrev = pOldNode->pPrev;
    FreeNode(pOldNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOldNode = ToNode(position);
    CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode, newElement);
    if (pOldNode->pPrev != NULL)
        pOldNode->pPrev->pNext = pNewNode;
    else
        m_pNodeHead = pNewNode;
    pOldNode->pPrev = pNewNode;
    return ToPosition(pNewNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOldNode = ToNode(position);
    CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext, newElement);
    if (pOldNode->pNext != NULL)
        pOldNode->pNext->pPrev = pNewNode;
    else
        m_pNodeTail = pNewNode;
    pOldNode->pNext = pNewNode;
    return ToPosition(pNewNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter != NULL ? ToNode(startAfter)->pNext : m_pNodeHead;
    for (; pNode != NULL; pNode = pNode->pNext)
        if (CompareElements(&pNode->data, &searchValue))
            return ToPosition(pNode);
    return NULL;
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
POSITION CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    for (; nIndex > 0; --nIndex)
        pNode = pNode->pNext;
    return ToPosition(pNode);
}

template <class DERIVED, class TYPE, class ARG_TYPE, class CONST_RESULT>
template <class ARCHIVE, class EXCHANGE>
void CListCore<DERIVED, TYPE, ARG_TYPE, CONST_RESULT>::SerializeWith(ARCHIVE& ar, EXCHANGE exchangeElements)
{
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            exchangeElements(ar, &pNode->data, 1);
    }
    else
    {
        for (DWORD_PTR nNewCount = ar.ReadCount(); nNewCount > 0; --nNewCount)
        {
            TYPE newData{};
            exchangeElements(ar, &newData, 1);
            AddTail(newData);
        }
    }
}
