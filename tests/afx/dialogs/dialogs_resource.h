// Resource identifiers of the dialog, data-exchange, file-dialog and property-sheet tests.
#pragma once

// Dialog templates.
#define IDD_FONT_DIALOG         3000
#define IDD_FONT_DIALOGEX       3001
#define IDD_EXCHANGE            3002
#define IDD_MODAL               3003
#define IDD_PAGE_NUMBER         3004
#define IDD_PAGE_OPTION         3005

// Strings (3088-3103 share one string block).
#define IDS_SHEET_CAPTION       3090
#define IDS_PAGE_OPTION_TITLE   3091

// Controls.
#define IDC_FONT_LABEL          3200
#define IDC_FONT_EDIT           3201
#define IDC_MODAL_VALUE         3202
#define IDC_PAGE_NUMBER         3203
#define IDC_PAGE_OPTION         3204
#define IDC_TEXT                3210
#define IDC_INT                 3211
#define IDC_UINT                3212
#define IDC_LONG                3213
#define IDC_DWORD               3214
#define IDC_BYTE                3215
#define IDC_SHORT               3216
#define IDC_DOUBLE              3217
#define IDC_FLOAT               3218
#define IDC_CHECK               3219
#define IDC_RADIO_FIRST         3220
#define IDC_RADIO_SECOND        3221
#define IDC_RADIO_PUSH          3222
#define IDC_RADIO_THIRD         3223
#define IDC_RADIO_OTHER         3224
#define IDC_COMBO_INDEX         3225
#define IDC_COMBO_LIST_STRING   3226
#define IDC_COMBO_EDIT_STRING   3227
#define IDC_LIST_INDEX          3228
#define IDC_LIST_STRING         3229
#define IDC_SUBCLASSED          3230
