#include "MapPtrToWord.h"

IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)

CMapPtrToWord::CMapPtrToWord(INT_PTR nBlockSize) : CMapCore(nBlockSize)
{
}
