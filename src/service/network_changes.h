// What the network dialog sends: only the settings that changed, as parameter records.
#pragma once

#include "link/parameter_record.h"

#include <windows.h>

// The printer's network settings; addresses with the first octet in the high byte, as the IP
// address control holds them.
struct NetworkSettings {
    DWORD dhcp; // 1 on, 0 off
    DWORD ipAddress;
    DWORD subnetMask;
    DWORD gateway;
};

// The records to send for what `shown` changes in `current`, in the order DHCP (one value), IP
// address, subnet mask, gateway (four data bytes each, first octet first), each only when it
// differs; every value sent is recorded in `current`, whether or not the printer takes it.
// Returns how many of `records` (room for 4) were filled.
int PlanNetworkChanges(NetworkSettings* current, const NetworkSettings& shown,
                       ParameterRecord records[4]);
