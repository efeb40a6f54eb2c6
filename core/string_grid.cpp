#include "core/string_grid.h"
