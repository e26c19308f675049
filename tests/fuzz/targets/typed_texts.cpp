// What a person types: sizes of a new form, the dot values of a custom media type, the device
// settings tree's distances and line spacing, and the network addresses. Texts such as "1e308",
// "-0", "nan", "inf", Arabic-Indic digits, thousands of digits or nothing at all are typed and
// confirmed; what reaches the print server, the printer data or the printer must stay within its
// limits, or the dialog must refuse it.
#include "harness/device_tree_page.h"
#include "harness/fuzz_machine.h"
#include "harness/page_dialogs.h"

#include "host/device_tree_driver.h"
#include "link/parameter_record.h"
#include "link/printer_snapshot.h"
#include "resources/resource.h"
#include "service/network_dialog.h"

#include <cstring>

namespace {

constexpr size_t kLongestTyped = 5000;
constexpr size_t kDeviceText = 8;
constexpr size_t kTypedKeys = 64;

// An ended modal dialog is hidden until its script returns.
bool StillOpen(HWND dialog) {
    return IsWindowVisible(dialog) != FALSE;
}

// Short texts are typed key by key, each key a change the dialog reacts to; longer ones are
// pasted over what the field holds, as a person enters thousands of digits.
void Enter(HWND dialog, int id, const std::u16string& text) {
    if (text.size() <= kTypedKeys) {
        sim::TypeText(dialog, id, text);
        return;
    }
    SetFocus(GetDlgItem(dialog, id));
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// The UTF-16 length of a UTF-8 name.
size_t Utf16Length(const std::string& utf8) {
    size_t units = 0;
    for (unsigned char c : utf8)
        units += (c & 0xC0) == 0x80 ? 0 : (c >= 0xF0 ? 2 : 1);
    return units;
}

// Types into the edit and, now and then, leaves it (which takes a form size).
void TypeAndMaybeLeave(FuzzedDataProvider& input, HWND dialog, int id, int next) {
    Enter(dialog, id, ConsumeTypedText(input, kLongestTyped));
    if (input.ConsumeBool())
        sim::MoveFocus(dialog, next);
}

// The Advanced media and forms dialog, opened with the Paper/Media page's button over the
// printer's settings; the page takes up and applies what the dialog changed.
void FromPaperPageAdvanced(const sim::DialogScript& script) {
    SettingsContext* context = LoadContext(OpenUserHandle());
    InPaperPage(context, [&](HWND page) { InAdvancedDialog(page, script); });
    ReleaseSettingsContext(context);
}

void AddCustomForm(FuzzedDataProvider& input) {
    FromPaperPageAdvanced([&](HWND advanced) {
        sim::ScriptModalDialog(IDD_CUSTOM_FORM, [&](HWND dialog) {
            for (int round = input.ConsumeIntegralInRange<int>(1, 3); round > 0; --round) {
                if (input.ConsumeBool())
                    sim::Click(dialog, input.ConsumeBool() ? IDC_FORM_METRIC : IDC_FORM_ENGLISH);
                TypeAndMaybeLeave(input, dialog, IDC_FORM_WIDTH, IDC_FORM_HEIGHT);
                TypeAndMaybeLeave(input, dialog, IDC_FORM_HEIGHT, IDC_FORM_NAME);
                if (input.ConsumeBool())
                    Enter(dialog, IDC_FORM_NAME, ConsumeTypedName(input, 300));
                if (IsWindowEnabled(GetDlgItem(dialog, IDOK)) || input.ConsumeBool())
                    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                if (!StillOpen(dialog))
                    return;
            }
            sim::Click(dialog, IDCANCEL);
        });
        sim::Click(advanced, IDC_ADVANCED_ADD_FORM);
    });
    // Every form on the print server that is not a built-in one was added here.
    for (const sim::Form& form : sim::Forms()) {
        if (form.flags == FORM_BUILTIN)
            continue;
        FUZZ_CHECK(form.size.cx >= 50800 && form.size.cx <= 304800, "a form %d wide was added",
                   form.size.cx);
        FUZZ_CHECK(form.size.cy >= 50800 && form.size.cy <= 1270000, "a form %d long was added",
                   form.size.cy);
        FUZZ_CHECK(!form.name.empty(), "a form without a name was added");
        FUZZ_CHECK(Utf16Length(form.name) <= 31, "a form name of %zu characters was added",
                   Utf16Length(form.name));
    }
}

void AddMediaType(FuzzedDataProvider& input) {
    FromPaperPageAdvanced([&](HWND advanced) {
        sim::ScriptModalDialog(IDD_MEDIA_TYPE, [&](HWND dialog) {
            for (int round = input.ConsumeIntegralInRange<int>(1, 3); round > 0; --round) {
                if (input.ConsumeBool())
                    sim::ClickUpDown(dialog, IDC_MEDIATYPE_HIGHEST_SPIN, input.ConsumeBool());
                if (input.ConsumeBool())
                    Enter(dialog, IDC_MEDIATYPE_HIGHEST, ConsumeTypedText(input, kLongestTyped));
                if (input.ConsumeBool())
                    Enter(dialog, IDC_MEDIATYPE_LOWEST, ConsumeTypedText(input, kLongestTyped));
                if (input.ConsumeBool())
                    Enter(dialog, IDC_MEDIATYPE_NAME, ConsumeTypedName(input, 300));
                sim::Click(dialog, IDOK);
                if (!StillOpen(dialog))
                    return;
            }
            sim::Click(dialog, IDCANCEL);
        });
        sim::Click(advanced, IDC_ADVANCED_ADD_MEDIA);
    });
    std::u16string key = std::u16string(u"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\") +
                         kFuzzPrinterW + u"\\Config\\MediaTypes";
    for (const std::u16string& name : sim::RegistryValueNames(HKEY_LOCAL_MACHINE, key)) {
        auto pair = sim::GetRegistryDword(HKEY_LOCAL_MACHINE, key, name);
        FUZZ_CHECK(pair.has_value(), "a media type stored otherwise than as a DWORD");
        DWORD highest = *pair >> 8, lowest = *pair & 0xFF;
        FUZZ_CHECK(highest >= 2 && highest <= 26 && lowest <= 24 && highest >= lowest + 2,
                   "a media type with dot values %u and %u was stored", highest, lowest);
        FUZZ_CHECK(name.size() < kNameChars, "a media type name of %zu characters", name.size());
    }
}

void EditDeviceTree(FuzzedDataProvider& input) {
    DeviceTreePage properties;
    DeviceTreeDriver& tree = properties.tree();
    auto* context = static_cast<SettingsContext*>(properties.session().treeParam().pOEMUserData);
    // Form width and length, the margins and the line spacing: items 2 to 6 and 10.
    const WORD edits[] = {2, 3, 4, 5, 6, 10};
    for (int round = input.ConsumeIntegralInRange<int>(1, 4); round > 0; --round) {
        WORD index = input.PickValueInArray(edits);
        std::u16string text = ConsumeTypedText(input, kLongestTyped);
        tree.Type(index, text.c_str());
        PrinterLink().sent.clear();
        tree.Apply();
        for (WORD edit : edits)
            FUZZ_CHECK(BoundedLength(tree.item(edit).pSel, kDeviceText) < kDeviceText,
                       "item %u shows an unterminated text", edit);
        FUZZ_CHECK(context->DeviceLineSpacing <= 250, "a line spacing of %u twentieths",
                   context->DeviceLineSpacing);
        double shown = _wtof(tree.item(10).pSel);
        FUZZ_CHECK(shown >= 0.0 && shown <= 12.5, "the line spacing shows %f inches", shown);
        for (const SentParameter& sent : PrinterLink().sent) {
            if (sent.id == kLineSpacingId)
                FUZZ_CHECK(sent.values.size() == 1 && sent.values[0] >= 0 && sent.values[0] <= 250,
                           "a line spacing of %d was sent", sent.values[0]);
            if (sent.id == kTopMarginId || sent.id == kLeftMarginId || sent.id == kRightMarginId)
                FUZZ_CHECK(sent.values.size() == 1, "a margin with %zu values was sent",
                           sent.values.size());
        }
    }
}

std::u16string ConsumeAddress(FuzzedDataProvider& input) {
    std::u16string address;
    for (int field = 0; field < 4; ++field) {
        if (field > 0)
            address.push_back(u'.');
        if (input.ConsumeIntegralInRange<int>(0, 7) == 0)
            continue; // the field's text deleted
        for (char c : std::to_string(input.ConsumeIntegralInRange<int>(0, 255)))
            address.push_back(static_cast<char16_t>(c));
    }
    return address;
}

DWORD DataAddress(const SentParameter& sent) {
    FUZZ_CHECK(sent.data.size() == 4 && sent.values.empty(), "an address sent in %zu bytes",
               sent.data.size());
    return (DWORD(sent.data[0]) << 24) | (DWORD(sent.data[1]) << 16) | (DWORD(sent.data[2]) << 8) |
           sent.data[3];
}

void EditNetwork(FuzzedDataProvider& input) {
    SettingsContext* context = LoadContext(OpenUserHandle());
    FetchPrinterSnapshot(context);
    const SettingsContext before = *context;
    DWORD shown[3] = {};
    bool confirmed = false;
    sim::ScriptModalDialog(IDD_NETWORK, [&](HWND dialog) {
        const int controls[] = {IDC_NETWORK_IP_ADDRESS, IDC_NETWORK_SUBNET_MASK,
                                IDC_NETWORK_GATEWAY};
        for (int round = input.ConsumeIntegralInRange<int>(1, 6); round > 0; --round) {
            if (input.ConsumeIntegralInRange<int>(0, 4) == 0)
                sim::Click(dialog, IDC_NETWORK_DHCP);
            int control = input.PickValueInArray(controls);
            if (IsWindowEnabled(GetDlgItem(dialog, control)))
                sim::TypeIpAddress(dialog, control, ConsumeAddress(input));
        }
        for (int i = 0; i < 3; ++i)
            SendDlgItemMessageW(dialog, controls[i], IPM_GETADDRESS, 0,
                                reinterpret_cast<LPARAM>(&shown[i]));
        confirmed = input.ConsumeBool();
        sim::Click(dialog, confirmed ? IDOK : IDCANCEL);
    });
    ShowNetworkDialog(nullptr, context);
    const DWORD recorded[3] = {context->NetworkIpAddress, context->NetworkSubnetMask,
                               context->NetworkGateway};
    const DWORD earlier[3] = {before.NetworkIpAddress, before.NetworkSubnetMask,
                              before.NetworkGateway};
    const DWORD ids[3] = {kIpAddressId, kSubnetMaskId, kGatewayId};
    FUZZ_CHECK(context->NetworkDhcp <= 1, "DHCP is %u", context->NetworkDhcp);
    for (int i = 0; i < 3; ++i) {
        const SentParameter* sent = nullptr;
        for (const SentParameter& parameter : PrinterLink().sent)
            if (parameter.id == ids[i])
                sent = &parameter;
        if (sent != nullptr) {
            FUZZ_CHECK(confirmed && DataAddress(*sent) == shown[i] && earlier[i] != shown[i],
                       "parameter %u sent without a change", ids[i]);
            FUZZ_CHECK(recorded[i] == shown[i], "parameter %u sent but not recorded", ids[i]);
        } else {
            FUZZ_CHECK(recorded[i] == earlier[i], "parameter %u recorded but not sent", ids[i]);
        }
    }
    FUZZ_CHECK(PrinterLink().updates == (PrinterLink().sent.empty() ? 0 : 1),
               "%d updates for %zu parameters", PrinterLink().updates, PrinterLink().sent.size());
    ReleaseSettingsContext(context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    StartMachine();
    InstallPrinterLink();
    // A settings block: its header, and the network settings the printer reports.
    ParameterRecord records[5] = {};
    records[0].DataLength = 5;
    records[1].Id = kIpAddressId;
    records[2].Id = kSubnetMaskId;
    records[3].Id = kGatewayId;
    for (int i = 1; i <= 3; ++i)
        for (int b = 0; b < 4; ++b)
            records[i].Data[b] = input.ConsumeIntegral<BYTE>();
    records[4].Id = kDhcpId;
    records[4].Values[0] = input.ConsumeBool();
    PrinterLink().settingsBlock.assign(reinterpret_cast<BYTE*>(records),
                                       reinterpret_cast<BYTE*>(records) + sizeof(records));
    UseFloatRuntime(input.ConsumeBool() ? FloatRuntime::Older : FloatRuntime::Newer);
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        AddCustomForm(input);
        break;
    case 1:
        AddMediaType(input);
        break;
    case 2:
        EditDeviceTree(input);
        break;
    default:
        EditNetwork(input);
        break;
    }
    FinishMachine();
    return 0;
}
