#include "core/format_settings.h"
