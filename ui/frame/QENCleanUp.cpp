#include "QENCleanUp.h"
#include "QENButtonImageList.h"
#include "QENDrawingCache.h"
#include "QENKeyboardManager.h"
#include "QENMenuBar.h"
#include "QENMenuImages.h"
#include "QENVisualManager.h"

void QENCleanUp()
{
    theDrawingCache.ReleaseResources();
    CQENMenuImages::CleanUp();
    CQENButtonImageList::ReleaseSharedContexts();
    CQENMenuBar::ReleaseMenuCache();
    CQENKeyboardManager::FreeLookupCaches();
    CQENVisualManager::DeleteLibraryOwned();
}
