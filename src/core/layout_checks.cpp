// The structures the core driver, the spooler and the printer link share with us must have the
// platform's layout in both builds: a wrong size here would be a crash on a customer's machine.
#include "core/oem_interface.h"
#include "core/private_devmode.h"
#include "link/parameter_record.h"

#include <cstddef>
#include <winspool.h>

static_assert(sizeof(DEVMODEW) == 220, "DEVMODEW is 220 bytes");
static_assert(offsetof(DEVMODEW, dmFormName) == 102, "dmFormName follows dmCollate");
static_assert(offsetof(DEVMODEW, dmMediaType) == 196, "dmMediaType at byte 196");
static_assert(sizeof(FORM_INFO_1W) == 40, "FORM_INFO_1W is 40 bytes on 64-bit");
static_assert(sizeof(OEM_DMEXTRAHEADER) == 12, "the plug-in header is 12 bytes");
static_assert(sizeof(OemPrivateDevmode) == 732, "the private section is 732 bytes");
static_assert(sizeof(ParameterRecord) == 200, "the parameter record is 200 bytes");
static_assert(offsetof(ParameterRecord, Data) == 24, "record data starts at byte 24");
static_assert(sizeof(OEMDMPARAM) == 72 && offsetof(OEMDMPARAM, cbBufSize) == 64,
              "OEMDMPARAM as the core driver passes it");
static_assert(sizeof(OEMUIPSPARAM) == 88 && offsetof(OEMUIPSPARAM, pOEMUserData) == 64,
              "OEMUIPSPARAM as the core driver passes it");
static_assert(sizeof(OEMCUIPPARAM) == 120 && offsetof(OEMCUIPPARAM, OEMCUIPCallback) == 112,
              "OEMCUIPPARAM as the core driver passes it");
static_assert(sizeof(PROPSHEETUI_INFO) == 48, "PROPSHEETUI_INFO is 48 bytes on 64-bit");
static_assert(sizeof(OPTITEM) == 88 && sizeof(OPTTYPE) == 48 && sizeof(OPTPARAM) == 48,
              "the option item records of the common property sheet service");
