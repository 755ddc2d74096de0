#include "PtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)

CPtrList::CPtrList(INT_PTR nBlockSize) : CListCore(nBlockSize)
{
}
