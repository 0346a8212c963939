// DataState is plain data; this file anchors the data target.
#include "data/data_state.h"
