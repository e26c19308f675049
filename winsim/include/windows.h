// winsim: the platform's master header, including what <windows.h> gives the plug-in.
#pragma once

#include "windef.h"
#include "winbase.h"
#include "fileapi.h"
#include "winnls.h"
#include "winreg.h"
#include "wingdi.h"
#include "winuser.h"
#include "winver.h"
