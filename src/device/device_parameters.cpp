// Encoding device settings into parameter records for the printer link.
#include "device/device_parameters.h"

#include "link/parameter_record.h"
#include "link/printer_link.h"
#include "settings/printer_data_store.h"

namespace {

// The form code that tells the printer to take the width and length that follow.
constexpr LONG kFormBySize = 30;

enum class Encoding {
    FormWidth,   // kFormBySize, the new width, the current length
    FormHeight,  // kFormBySize, the current width, the new length
    MediaType,   // the media code, the current lowest and highest dot value
    CustomMedia, // the new pair's lowest and highest dot value
    Plain,       // the value
    Switch,      // 1 when the value is nonzero, else 0
    BrailleDots, // 8 or 6
    Duplex,      // 2 double sided, 1 single sided
    Quality,     // 1 standard, 2 best, 0 draft
};

struct DeviceParameter {
    LPCWSTR name;
    DWORD id;
    Encoding encoding;
};

// "PAPERSOURCE" has no record the printer takes: a paper source change is kept in the context
// and counts as a change, but travels to the printer only through its next update.
const DeviceParameter kDeviceParameters[] = {
    {TEXT("FORMWIDTH"), kFormSizeId, Encoding::FormWidth},
    {TEXT("FORMHEIGHT"), kFormSizeId, Encoding::FormHeight},
    {TEXT("MEDIATYPE"), kMediaTypeId, Encoding::MediaType},
    {TEXT("CUSTOMMEDIA"), kCustomMediaId, Encoding::CustomMedia},
    {TEXT("TOPMARGIN"), kTopMarginId, Encoding::Plain},
    {TEXT("LEFTMARGIN"), kLeftMarginId, Encoding::Plain},
    {TEXT("RIGHTMARGIN"), kRightMarginId, Encoding::Plain},
    {TEXT("LINESPACING"), kLineSpacingId, Encoding::Plain},
    {TEXT("TABLE"), kBrailleTableId, Encoding::Plain},
    {TEXT("AUTOCR"), kAutoWrapId, Encoding::Switch},
    {TEXT("GRAPHICS"), kGraphicsModeId, Encoding::Switch},
    {TEXT("BRAILLEDOTS"), kBrailleDotsId, Encoding::BrailleDots},
    {TEXT("BRAILLEFORCE"), kDotHeightId, Encoding::Plain},
    {TEXT("DUPLEX"), kDuplexId, Encoding::Duplex},
    {TEXT("QUALITY"), kBrailleQualityId, Encoding::Quality},
};

const DeviceParameter* FindDeviceParameter(LPCWSTR name) {
    for (const DeviceParameter& parameter : kDeviceParameters)
        if (lstrcmpW(parameter.name, name) == 0)
            return &parameter;
    return nullptr;
}

// Fills the record's values; the number of values used.
DWORD EncodeValues(const SettingsContext* context, Encoding encoding, DWORD value,
                   ParameterRecord* record) {
    LONG* values = record->Values;
    switch (encoding) {
    case Encoding::FormWidth:
        values[0] = kFormBySize;
        values[1] = static_cast<LONG>(value);
        values[2] = static_cast<LONG>(context->DeviceFormHeight);
        return 3;
    case Encoding::FormHeight:
        values[0] = kFormBySize;
        values[1] = static_cast<LONG>(context->DeviceFormWidth);
        values[2] = static_cast<LONG>(value);
        return 3;
    case Encoding::MediaType:
        values[0] = static_cast<LONG>(value);
        values[1] = static_cast<LONG>(LowestDotValue(context->DeviceMediaDotValues));
        values[2] = static_cast<LONG>(HighestDotValue(context->DeviceMediaDotValues));
        return 3;
    case Encoding::CustomMedia:
        values[0] = static_cast<LONG>(LowestDotValue(value));
        values[1] = static_cast<LONG>(HighestDotValue(value));
        return 2;
    case Encoding::Plain:
        values[0] = static_cast<LONG>(value);
        return 1;
    case Encoding::Switch:
        values[0] = value != 0 ? 1 : 0;
        return 1;
    case Encoding::BrailleDots:
        values[0] = value == 8 ? 8 : 6;
        return 1;
    case Encoding::Duplex:
        values[0] = value != 0 ? 2 : 1;
        return 1;
    case Encoding::Quality:
        values[0] = value == 1 || value == 2 ? static_cast<LONG>(value) : 0;
        return 1;
    }
    return 0;
}

} // namespace

void SendDeviceParameter(SettingsContext* context, LPCWSTR name, DWORD value) {
    if (context->SnapshotItemCount <= 0)
        return;
    const DeviceParameter* parameter = FindDeviceParameter(name);
    if (parameter == nullptr)
        return;
    auto setParameter =
        FindPrinterLinkProc<SetPrinterParameterProc>(context, "DllExportSetPrinterParameter");
    if (setParameter == nullptr)
        return;
    ParameterRecord record;
    ZeroMemory(&record, sizeof(record));
    record.Id = parameter->id;
    DWORD count = EncodeValues(context, parameter->encoding, value, &record);
    setParameter(0, context->PrinterName, record.Id, record.Values, count, nullptr, 0);
}

void UpdateDevicePrinter(SettingsContext* context) {
    auto update = FindPrinterLinkProc<UpdatePrinterProc>(context, "DllExportUpdatePrinter");
    if (update != nullptr)
        update(0, context->PrinterName);
}
