#include "engine/placeholder.h"
