#include "QENCleanUp.h"
#include "QENButtonImageList.h"
#include "QENDrawingCache.h"
#include "QENMenuImages.h"
#include "QENVisualManager.h"

void QENCleanUp()
{
    theDrawingCache.ReleaseResources();
    CQENMenuImages::CleanUp();
    CQENButtonImageList::ReleaseSharedContexts();
    CQENVisualManager::DeleteLibraryOwned();
}
