#include "core/point_series.h"
