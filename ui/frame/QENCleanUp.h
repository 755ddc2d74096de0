// The UI library's clean-up at exit: everything the library holds for the whole process (the drawing
// cache, shared image strips and tables, a visual manager it made itself) is released here, once,
// before the framework's own exit.
#pragma once

void QENCleanUp();
