// CPlex: a chain of raw memory blocks from which the list and map collections carve their nodes,
// so that a collection allocates once per block instead of once per element.
#pragma once
#include "AfxDefs.h"

// Aligned to 8 so that the node storage following each header suits every element type the
// collections hold (pointers, integers, doubles, strings).
struct alignas(8) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    // Allocates a block of nMax elements of cbElement bytes and links it in front of rpHead.
    static CPlex* PASCAL Create(CPlex*& rpHead, UINT_PTR nMax, UINT_PTR cbElement);
    // Frees this block and every block after it.
    void FreeDataChain();
};
