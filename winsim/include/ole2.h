// winsim: ole2.h -- what the plug-in takes from it is objbase.h's component-object services.
#pragma once

#include "objbase.h"
