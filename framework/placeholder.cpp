#include "framework/placeholder.h"
