#include "QENCleanUp.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"
#include "QENVisualManager.h"

void QENCleanUp()
{
    theDrawingCache.ReleaseResources();
    CQENMenuImages::CleanUp();
    CQENVisualManager::DeleteLibraryOwned();
}
