// Layout commands of the main window.
#include "session/window_commands.h"
