#include "counterplugin.h"
