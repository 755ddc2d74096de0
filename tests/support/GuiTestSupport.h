// The helpers of tests that drive real windows, in one include: the test application and its message
// loop steps, a top-level test window, the answerer of dialog boxes, the recorder of the
// application's message boxes and window text.
#pragma once
#include "DialogResponder.h"
#include "MessageBoxRecorder.h"
#include "TestApp.h"
#include "TestTopWindow.h"
#include "WindowText.h"
