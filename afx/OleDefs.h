// Definitions shared by the framework's OLE classes: the system's OLE interfaces and the drop-effect
// type of drag and drop.
#pragma once
#include "AfxDefs.h"
#include <ole2.h>

// DROPEFFECT_NONE, _COPY, _MOVE, _LINK and _SCROLL bits.
typedef DWORD DROPEFFECT;

// Copies the contents of hSource into hDest, or into a new moveable block when hDest is NULL.
// Returns the block written, or NULL when memory runs out or hDest is too small.
HGLOBAL AFXAPI AfxCopyGlobalMemory(HGLOBAL hDest, HGLOBAL hSource);
