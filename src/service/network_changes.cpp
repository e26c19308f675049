// The network settings' records.
#include "service/network_changes.h"

namespace {

void AddAddress(ParameterRecord* record, DWORD id, DWORD address) {
    ZeroMemory(record, sizeof(*record));
    record->Id = id;
    record->DataLength = 4;
    record->Data[0] = static_cast<BYTE>(address >> 24);
    record->Data[1] = static_cast<BYTE>(address >> 16);
    record->Data[2] = static_cast<BYTE>(address >> 8);
    record->Data[3] = static_cast<BYTE>(address);
}

} // namespace

int PlanNetworkChanges(NetworkSettings* current, const NetworkSettings& shown,
                       ParameterRecord records[4]) {
    int count = 0;
    if (shown.dhcp != current->dhcp) {
        ZeroMemory(&records[count], sizeof(records[count]));
        records[count].Id = kDhcpId;
        records[count++].Values[0] = static_cast<LONG>(shown.dhcp);
        current->dhcp = shown.dhcp;
    }
    const struct {
        DWORD id;
        DWORD shown;
        DWORD* current;
    } addresses[] = {{kIpAddressId, shown.ipAddress, &current->ipAddress},
                     {kSubnetMaskId, shown.subnetMask, &current->subnetMask},
                     {kGatewayId, shown.gateway, &current->gateway}};
    for (const auto& address : addresses) {
        if (address.shown == *address.current)
            continue;
        AddAddress(&records[count++], address.id, address.shown);
        *address.current = address.shown;
    }
    return count;
}
