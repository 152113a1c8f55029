#include "engine/settings.h"

tsettings settings;
