// OLE data transfer: data sources and data objects for drag and drop and the clipboard, drop
// targets and drop sources, over the system's OLE; the frames of items active in place.
#pragma once
#include "afxwin.h"
#include "OleDefs.h"
#include "OleException.h"
#include "OleDataSource.h"
#include "OleDataObject.h"
#include "OleDropSource.h"
#include "OleDropTarget.h"
#include "OleIPFrameWnd.h"
#include "OleDocIPFrameWnd.h"
