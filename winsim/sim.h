// The test's whole view of winsim: set up the world, act as a user, observe.
#pragma once

#include <windows.h>

#include "sim/world.h"
#include "sim/accounting.h"
#include "sim/gdi.h"
#include "sim/shell.h"
#include "sim/kernel.h"
#include "sim/files.h"
#include "sim/registry.h"
#include "sim/spooler.h"
#include "sim/ui.h"
#include "sim/switches.h"
