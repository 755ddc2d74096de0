#include "Plex.h"

#include <new>

CPlex* PASCAL CPlex::Create(CPlex*& rpHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    ASSERT(nMax > 0 && cbElement > 0);
    CPlex* pBlock = static_cast<CPlex*>(::operator new(sizeof(CPlex) + nMax * cbElement));
    pBlock->pNext = rpHead;
    rpHead = pBlock;
    return pBlock;
}

void CPlex::FreeDataChain()
{
    CPlex* pBlock = this;
    while (pBlock != NULL)
    {
        CPlex* pNext = pBlock->pNext;
        ::operator delete(pBlock);
        pBlock = pNext;
    }
}
