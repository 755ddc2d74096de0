// Umbrella header of the framework's private interfaces: the idle-update and layout messages
// (WM_IDLEUPDATECMDUI, WM_SIZEPARENT), dock bars, dock state and dock context.
#pragma once
#include "afxext.h"
#include "DockContext.h"
#include "DockState.h"
