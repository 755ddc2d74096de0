#include "MapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)

CMapStringToPtr::CMapStringToPtr(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}
