// The shared helpers of tests that drive real windows, under the name the UI library's tests used.
#pragma once
#include "GuiTestSupport.h"
