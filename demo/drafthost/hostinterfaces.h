// The control library's host interfaces, as the demo implements them.
#pragma once

// COM interfaces derive from IUnknown, whose destructor is not virtual: COM
// objects are released, never deleted through an interface. Classes that
// implement them stand between these two marks.
#define HOST_COM_CLASSES_BEGIN _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wnon-virtual-dtor\"")
#define HOST_COM_CLASSES_END _Pragma("GCC diagnostic pop")

HOST_COM_CLASSES_BEGIN
#include "jappinfo.h"
HOST_COM_CLASSES_END
