// Dialog classes built on the system's common dialogs and property sheets.
#pragma once
#include "afxwin.h"
#include "FileDialog.h"
#include "PropertyPage.h"
#include "PropertySheet.h"
