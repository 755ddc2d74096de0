#include "QENWizDoc.h"

IMPLEMENT_DYNCREATE(CQENWizDoc, CDocument)
