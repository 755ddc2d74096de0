#include "MapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)

CMapPtrToPtr::CMapPtrToPtr(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}
