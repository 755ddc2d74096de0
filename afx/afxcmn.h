// Common controls: list views, tool tips and image lists.
#pragma once
#include "afxwin.h"
#include "ImageList.h"
#include "ListCtrl.h"
#include "ToolTipCtrl.h"
