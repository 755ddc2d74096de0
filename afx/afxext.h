// Umbrella header of the framework's extensions: control bars, dock bars, status bar, floating
// frames, form view.
#pragma once
#include "afxwin.h"
#include "ControlBar.h"
#include "DockBar.h"
#include "StatusBar.h"
#include "MiniFrameWnd.h"
#include "MiniDockFrameWnd.h"
#include "FormView.h"
