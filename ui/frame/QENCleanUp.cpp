#include "QENCleanUp.h"
#include "QENDrawingCache.h"

void QENCleanUp()
{
    theDrawingCache.ReleaseResources();
}
