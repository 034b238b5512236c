#pragma once
// Everything of the end-to-end test driver in one include.

#include "tests/driver/actions.h"
#include "tests/driver/controls.h"
#include "tests/driver/dialogs.h"
#include "tests/driver/drop.h"
#include "tests/driver/error.h"
#include "tests/driver/files.h"
#include "tests/driver/paths.h"
#include "tests/driver/process.h"
#include "tests/driver/registry.h"
#include "tests/driver/text.h"
#include "tests/driver/wait.h"
#include "tests/driver/window.h"
