#include "MapWordToPtr.h"

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)

CMapWordToPtr::CMapWordToPtr(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}
