#include "frontend/front_end.h"

FrontEnd g_frontEnd;
