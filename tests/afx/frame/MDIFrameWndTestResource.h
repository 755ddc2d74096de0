// Resource identifiers of the MDI frame tests.
#pragma once

#define IDR_MDI_MAIN    2150
#define IDR_MDI_TEXT    2151
#define IDR_MDI_TABLE   2152
#define ID_MDI_TEXT_CMD 33050
#define ID_MDI_TABLE_CMD 33051
