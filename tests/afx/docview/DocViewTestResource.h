// Resource identifiers of the document/view and frame window tests.
#pragma once

// Templates: string, menu, accelerators (and for the first, the icon) share the id.
#define IDR_TEST_DOC            2000
#define IDR_TEST_PLAIN          2001
#define IDR_TEST_OTHER          2002
#define IDD_TEST_FORM           2010
#define IDC_TEST_NAME           2020
#define IDC_TEST_OPTION         2021
#define IDC_TEST_COUNT          2022

// Commands, each handled at a different level of the routing (or nowhere).
#define ID_TEST_VIEW_ONLY       33000
#define ID_TEST_DOC_ONLY        33001
#define ID_TEST_FRAME_ONLY      33002
#define ID_TEST_VIEW_AND_DOC    33003
#define ID_TEST_DOC_AND_FRAME   33004
#define ID_TEST_DISABLED        33005
#define ID_TEST_UNHANDLED       33006
#define ID_TEST_CHECKED         33007
#define ID_TEST_RENAMED         33008
#define ID_TEST_ACCEL           33009
#define ID_TEST_SUB_FIRST       33010
#define ID_TEST_SUB_SECOND      33011
#define ID_TEST_APP_ONLY        0x7F01
