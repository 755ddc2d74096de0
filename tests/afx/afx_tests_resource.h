// Resource identifiers of the framework tests' own resources.
#pragma once

// String table (1000-1099: strings, formatting and time tests).
#define IDS_TEST_PLAIN          1000
#define IDS_TEST_CHINESE        1001
#define IDS_TEST_FORMAT         1002
#define IDS_TEST_ONE_INSERT     1003
#define IDS_TEST_TWO_INSERTS    1004
#define IDS_TEST_MESSAGE        1005
#define IDS_TEST_LONG           1006
#define IDS_TEST_TIME_FORMAT    1007
#define IDS_TEST_MISSING        1099
