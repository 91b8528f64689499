// Compiled only to make the precompiled <afxwin.h> that the modules and programs
// built on the framework share (see the top-level CMakeLists.txt).
