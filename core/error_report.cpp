#include "core/error_report.h"
