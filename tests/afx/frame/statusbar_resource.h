// Resource ids of the status bar and docking tests.
#pragma once

#define ID_STATUS_TEST_COMMAND      4601
#define ID_INDICATOR_STATUS_TEST    4602
#define ID_INDICATOR_STATUS_NOTEXT  4603
#define ID_DOCKING_TEST_FIRST_BAR   4610
#define ID_DOCKING_TEST_SECOND_BAR  4611
#define ID_TIPS_TEST_OPEN           4620
#define ID_TIPS_TEST_SAVE           4621
