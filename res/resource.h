// Resource identifiers of QENWiz.exe; usable from C++ and from the resource script.
#pragma once

#include <afxres.h>

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// Dialogs and the strings that share their numbers.
#define IDD_ABOUTBOX                    100
#define IDP_OLE_INIT_FAILED             100
#define IDD_QENWIZ_FORM                 101
#define IDS_TOOLBAR_STANDARD            101

// Document template, main menu, toolbar, accelerators and icon of the main frame; also the view's id
// for the mouse manager and the icon it shows.
#define IDR_MAINFRAME                   128
#define IDR_CONTEXT_MENU                130
#define IDR_POPUP_TOOLBAR               131

// Bitmaps.
#define IDB_CAPTION                     150
#define IDB_TOOLBAR256_HOT              151
#define IDB_TOOLBAR256                  152
#define IDB_MAC_CLOSE_HOT               154
#define IDB_MAC_GRIPPER                 155
#define IDB_MAC_CLOSE                   156

// Payload archives, resources of type "DATA".
#define IDR_PAYLOAD_VS                  153
#define IDR_PAYLOAD_LIB                 154

// The library's shared small icon.
#define IDI_QEN_SMALL                   16931

// Controls of the about box and the installer form.
#define IDC_ABOUT_LINK                  1041
#define IDC_VSDIR                       1042
#define IDC_BROWSE_VSDIR                1043
#define IDC_LIBDIR                      1044
#define IDC_BROWSE_LIBDIR               1045
#define IDC_INSTALL_LANGPACK            1046
#define IDC_WEB_LINK                    1047
#define IDC_START_INSTALL               1048
#define IDC_DETECT_FOLDERS              1049

// Commands of the menus and bars.
#define ID_VIEW_CUSTOMIZE               32770
#define ID_VIEW_TOOLBARS                32771
#define ID_VIEW_USER_TOOLBAR1           32793
#define ID_VIEW_USER_TOOLBAR2           32794
#define ID_VIEW_USER_TOOLBAR3           32795
#define ID_VIEW_USER_TOOLBAR4           32796
#define ID_VIEW_USER_TOOLBAR5           32797
#define ID_VIEW_USER_TOOLBAR6           32798
#define ID_VIEW_USER_TOOLBAR7           32799
#define ID_VIEW_USER_TOOLBAR8           32800
#define ID_VIEW_USER_TOOLBAR9           32801
#define ID_VIEW_USER_TOOLBAR10          32802
#define ID_VIEW_OUTPUT                  32804
#define ID_TOOLS_ENTRY                  32805
#define ID_USER_TOOL1                   32806
#define ID_USER_TOOL2                   32807
#define ID_USER_TOOL3                   32808
#define ID_USER_TOOL4                   32809
#define ID_USER_TOOL5                   32810
#define ID_USER_TOOL6                   32811
#define ID_USER_TOOL7                   32812
#define ID_USER_TOOL8                   32813
#define ID_USER_TOOL9                   32814
#define ID_USER_TOOL10                  32815
#define ID_VIEW_CAPTIONBAR              32816
#define ID_VIEW_LOOK_XP                 32823
#define ID_VIEW_LOOK_2000               32824
#define ID_VIEW_LOOK_STANDARD           32825
#define ID_TOOLS_START_INSTALL          32826
#define ID_TOOLS_DETECT_FOLDERS         32827
#define ID_VIEW_LOOK_MAC                32828
#define ID_VIEW_LOOK_STYLE1             32829
#define ID_VIEW_LOOK_MAC2               32830
#define ID_VIEW_LOOK_STYLE2             32831
#define ID_VIEW_LOOK_STYLE3             32832
#define ID_VIEW_LOOK_STYLE4             32833

// Control ids of the main frame's bars.
#define IDW_MENUBAR                     59398
#define IDW_FIRST_USER_TOOLBAR          59432
#define IDW_LAST_USER_TOOLBAR           59441

// The welcome text on the output bar's first page.
#define IDS_VERSION_INFO                61450
