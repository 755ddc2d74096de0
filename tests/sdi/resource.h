// Resource identifiers of the single-document test program.
#pragma once

#define IDR_MAINFRAME       128
#define IDD_SDI_FORM        101
#define IDD_NAME            102

#define IDC_NOTE            1001
#define IDC_COUNT           1002
#define IDC_SHOWN_NAME      1003
#define IDC_NAME            1010

#define ID_EDIT_NAME        32771
#define ID_VIEW_COUNT       32772
