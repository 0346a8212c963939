// Readable QString values in gtest failure messages (the shared printers of qt_print.h).
#pragma once

#include "support/qt_print.h"
