// Windows, messages, command routing, the application and GDI.
#pragma once
#include "afx.h"
#include "afxres.h"
#include "CmdTarget.h"
#include "CmdUI.h"
#include "DC.h"
#include "GdiObject.h"
#include "Menu.h"
#include "Wnd.h"
#include "WinThread.h"
#include "WinApp.h"
