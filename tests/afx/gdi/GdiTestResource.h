// Resource identifiers of the GDI and image-list tests.
#pragma once

// A 16-colour 64 x 16 strip of four 16 x 16 images: an 8 x 8 square at (4, 4) in red, green (0, 128, 0),
// blue and yellow, on magenta (the mask colour).
#define IDB_GDI_TEST_STRIP      7100
