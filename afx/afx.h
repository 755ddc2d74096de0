// The framework core: objects and run-time classes, strings, files, archives, exceptions,
// collections, time and geometry.
#pragma once
#include "AfxDefs.h"
#include "Object.h"
#include "String.h"
#include "Time.h"
#include "Rect.h"
#include "Exception.h"
#include "File.h"
#include "MemFile.h"
#include "SharedFile.h"
#include "Archive.h"
#include "afxcoll.h"
