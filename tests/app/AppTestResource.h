// Resources the tests add to the program's own.
#pragma once

// An archive whose second entry fails its CRC-32 check.
#define IDR_TEST_DAMAGED_PAYLOAD 160
// No resource has this id.
#define IDR_TEST_MISSING_PAYLOAD 161
