#include "core/calculation.h"
