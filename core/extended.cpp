#include "core/extended.h"
