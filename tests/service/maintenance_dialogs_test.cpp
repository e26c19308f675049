// The maintenance dialogs behind the Service page: network settings, emboss usage and the ink
// cartridges' fill status.
#include "service/service_fixture.h"

#include "support/fake_siblings.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

// What the printer link answers when the printer does not respond.
constexpr DWORD kLinkFailure = 21;

// A printer with a fixed address and an ink unit.
SettingsBlockBuilder NetworkedPrinter() {
    SettingsBlockBuilder block;
    block.Values(kDhcpId, 0)
        .Data(kIpAddressId, {192, 168, 1, 20}, 4)
        .Data(kSubnetMaskId, {255, 255, 255, 0}, 4)
        .Data(kGatewayId, {192, 168, 1, 1}, 4)
        .Data(kMacAddressId, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, 6)
        .Values(kPrimaryCarriageId, 0)
        .Values(kChromaPodVersionId, 2, 1, 0);
    return block;
}

DWORD AddressIn(HWND dialog, int id) {
    DWORD address = 0;
    SendDlgItemMessageW(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}

LRESULT BarPosition(HWND dialog, int id) {
    return SendDlgItemMessageW(dialog, id, PBM_GETPOS, 0, 0);
}

const int kAddressControls[] = {IDC_NETWORK_IP_ADDRESS_LABEL,  IDC_NETWORK_IP_ADDRESS,
                                IDC_NETWORK_SUBNET_MASK_LABEL, IDC_NETWORK_SUBNET_MASK,
                                IDC_NETWORK_GATEWAY_LABEL,     IDC_NETWORK_GATEWAY};

class MaintenanceDialogsTest : public ServiceTest {
protected:
    // Opens a maintenance dialog from its Service page button; the script acts in it.
    INT_PTR RunDialog(int button, int templateId, sim::DialogScript script) {
        sim::ScriptModalDialog(templateId, std::move(script));
        sim::Click(page_, button);
        const auto& log = sim::ModalDialogLog();
        EXPECT_FALSE(log.empty());
        if (log.empty())
            return -1;
        EXPECT_EQ(log.back().templateId, templateId);
        EXPECT_EQ(log.back().owner, page_);
        return log.back().result;
    }
    INT_PTR RunNetworkDialog(sim::DialogScript script) {
        return RunDialog(IDC_SERVICE_ETHERNET_SETTINGS, IDD_NETWORK, std::move(script));
    }
    INT_PTR RunUsageDialog(sim::DialogScript script) {
        return RunDialog(IDC_SERVICE_EMBOSS_USAGE, IDD_EMBOSS_USAGE, std::move(script));
    }
    INT_PTR RunInkFillDialog(sim::DialogScript script) {
        return RunDialog(IDC_SERVICE_INK_LEVEL, IDD_INK_FILL, std::move(script));
    }
};

TEST_F(MaintenanceDialogsTest, NetworkDialogSendsOnlyWhatChangedDhcpFirst) {
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    // Looking without changing anything sends nothing.
    RunNetworkDialog([](HWND dialog) {
        EXPECT_FALSE(sim::IsChecked(dialog, IDC_NETWORK_DHCP));
        for (int id : kAddressControls)
            EXPECT_TRUE(sim::IsEnabled(dialog, id)) << id;
        EXPECT_EQ(AddressIn(dialog, IDC_NETWORK_IP_ADDRESS), MAKEIPADDRESS(192, 168, 1, 20));
        EXPECT_EQ(AddressIn(dialog, IDC_NETWORK_SUBNET_MASK), MAKEIPADDRESS(255, 255, 255, 0));
        EXPECT_EQ(AddressIn(dialog, IDC_NETWORK_GATEWAY), MAKEIPADDRESS(192, 168, 1, 1));
        EXPECT_EQ(sim::ControlText(dialog, IDC_NETWORK_MAC_ADDRESS), u"00-1A-2B-3C-4D-5E");
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDOK);
    });
    EXPECT_TRUE(PrinterLink().parameters.empty());
    EXPECT_TRUE(PrinterLink().updates.empty());

    // A new gateway alone: one parameter and one update at Apply, which Cancel does not undo.
    EXPECT_EQ(RunNetworkDialog([](HWND dialog) {
                  sim::TypeIpAddress(dialog, IDC_NETWORK_GATEWAY, u"192.168.1.254");
                  sim::Click(dialog, IDC_APPLY_BUTTON);
                  EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
                  EXPECT_TRUE(sim::HasFocus(dialog, IDOK));
                  sim::Click(dialog, IDCANCEL);
              }),
              IDCANCEL);
    const auto& sent = PrinterLink().parameters;
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].id, static_cast<DWORD>(kGatewayId));
    EXPECT_TRUE(sent[0].values.empty());
    EXPECT_EQ(sent[0].data, (std::vector<BYTE>{192, 168, 1, 254}));
    EXPECT_EQ(PrinterLink().updates, (std::vector<std::u16string>{kPrinterNameW}));
    EXPECT_EQ(context()->NetworkGateway, MAKEIPADDRESS(192, 168, 1, 254));

    // DHCP goes before the address; both are kept although the printer refuses the update.
    PrinterLink().updateResult = kLinkFailure;
    RunNetworkDialog([](HWND dialog) {
        sim::TypeIpAddress(dialog, IDC_NETWORK_IP_ADDRESS, u"10.0.0.5");
        sim::Click(dialog, IDC_NETWORK_DHCP);
        for (int id : kAddressControls)
            EXPECT_FALSE(sim::IsEnabled(dialog, id)) << id;
        sim::Click(dialog, IDOK);
    });
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].id, static_cast<DWORD>(kDhcpId));
    EXPECT_EQ(sent[1].values, (std::vector<LONG>{1}));
    EXPECT_TRUE(sent[1].data.empty());
    EXPECT_EQ(sent[2].id, static_cast<DWORD>(kIpAddressId));
    EXPECT_EQ(sent[2].data, (std::vector<BYTE>{10, 0, 0, 5}));
    EXPECT_EQ(PrinterLink().updates.size(), 2u);
    EXPECT_EQ(context()->NetworkDhcp, 1u);
    EXPECT_EQ(context()->NetworkIpAddress, MAKEIPADDRESS(10, 0, 0, 5));
    RunNetworkDialog([](HWND dialog) {
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_NETWORK_DHCP));
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_NETWORK_GATEWAY));
        sim::PressEscape(dialog);
    });

    // A new subnet mask goes as its own parameter, first octet first.
    context()->NetworkDhcp = 0;
    RunNetworkDialog([](HWND dialog) {
        sim::TypeIpAddress(dialog, IDC_NETWORK_SUBNET_MASK, u"255.255.252.0");
        sim::Click(dialog, IDOK);
    });
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[3].id, static_cast<DWORD>(kSubnetMaskId));
    EXPECT_TRUE(sent[3].values.empty());
    EXPECT_EQ(sent[3].data, (std::vector<BYTE>{255, 255, 252, 0}));
    EXPECT_EQ(context()->NetworkSubnetMask, MAKEIPADDRESS(255, 255, 252, 0));
}

TEST_F(MaintenanceDialogsTest, UsageSharesAreShownOnlyForValidCounts) {
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    struct Case {
        LONG usage[3];
        const char16_t* share1;
        const char16_t* share2;
        LRESULT bar1, bar2;
    };
    const Case cases[] = {
        {{30, 70, 1}, u"30 %", u"70 %", 30, 70},
        {{1, 2, 5}, u"33 %", u"67 %", 33, 67},
        {{0, 9, 1}, u"0 %", u"100 %", 0, 100},
        {{30, 70, 0}, u"", u"", 0, 0},
        {{5, -6, 1}, u"", u"", 0, 0},
        {{-5, 6, 1}, u"", u"", 0, 0},
        // Counts whose hundredfold needs more than 32 bits.
        {{30000000, 70000000, 1}, u"30 %", u"70 %", 30, 70},
        {{2000000000, 147483647, 1}, u"93 %", u"7 %", 93, 7},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 3; ++i)
            context()->EmbossUsage[i] = c.usage[i];
        RunUsageDialog([&](HWND dialog) {
            EXPECT_EQ(sim::ControlText(dialog, IDC_USAGE_CARRIAGE1_SHARE), c.share1) << c.usage[0];
            EXPECT_EQ(sim::ControlText(dialog, IDC_USAGE_CARRIAGE2_SHARE), c.share2) << c.usage[0];
            EXPECT_EQ(BarPosition(dialog, IDC_USAGE_CARRIAGE1_BAR), c.bar1) << c.usage[0];
            EXPECT_EQ(BarPosition(dialog, IDC_USAGE_CARRIAGE2_BAR), c.bar2) << c.usage[0];
            sim::Click(dialog, IDCANCEL);
        });
    }
}

TEST_F(MaintenanceDialogsTest, ThePrimaryCarriageIsKeptOnlyOnceThePrinterTookIt) {
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    PrinterLink().updateResult = kLinkFailure;
    RunUsageDialog([](HWND dialog) {
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_USAGE_CARRIAGE1_PRIMARY));
        EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
        sim::Click(dialog, IDC_USAGE_CARRIAGE2_PRIMARY);
        sim::Click(dialog, IDC_APPLY_BUTTON);
        sim::Click(dialog, IDOK);
    });
    ASSERT_EQ(PrinterLink().parameters.size(), 1u) << "OK after Apply sends nothing more";
    EXPECT_EQ(PrinterLink().parameters[0].id, static_cast<DWORD>(kPrimaryCarriageId));
    EXPECT_EQ(PrinterLink().parameters[0].values, (std::vector<LONG>{1}));
    EXPECT_TRUE(PrinterLink().parameters[0].data.empty());
    EXPECT_EQ(PrinterLink().updates.size(), 1u);
    EXPECT_EQ(context()->SecondCarriagePrimary, 0u) << "the printer refused";

    PrinterLink().updateResult = 0;
    RunUsageDialog([](HWND dialog) {
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_USAGE_CARRIAGE1_PRIMARY));
        sim::Click(dialog, IDC_USAGE_CARRIAGE2_PRIMARY);
        sim::Click(dialog, IDOK);
    });
    EXPECT_EQ(PrinterLink().updates.size(), 2u);
    EXPECT_EQ(context()->SecondCarriagePrimary, 1u);
    RunUsageDialog([](HWND dialog) {
        EXPECT_TRUE(sim::IsChecked(dialog, IDC_USAGE_CARRIAGE2_PRIMARY));
        sim::Click(dialog, IDCANCEL);
    });
}

TEST_F(MaintenanceDialogsTest, WithoutTheUpdateEntryNothingIsSentButTheDialogsStillClose) {
    ConnectPrinter(NetworkedPrinter(), {"DllExportUpdatePrinter"});
    OpenServicePage();
    EXPECT_EQ(RunNetworkDialog([](HWND dialog) {
                  sim::TypeIpAddress(dialog, IDC_NETWORK_GATEWAY, u"192.168.1.254");
                  sim::Click(dialog, IDOK);
              }),
              IDOK);
    EXPECT_EQ(context()->NetworkGateway, MAKEIPADDRESS(192, 168, 1, 1));
    EXPECT_EQ(RunUsageDialog([](HWND dialog) {
                  sim::Click(dialog, IDC_USAGE_CARRIAGE2_PRIMARY);
                  sim::Click(dialog, IDC_APPLY_BUTTON);
                  EXPECT_FALSE(sim::IsEnabled(dialog, IDC_APPLY_BUTTON));
                  sim::Click(dialog, IDOK);
              }),
              IDOK);
    EXPECT_EQ(context()->SecondCarriagePrimary, 0u);
    EXPECT_TRUE(PrinterLink().parameters.empty());
}

TEST_F(MaintenanceDialogsTest, CartridgePicturesAndFillsFollowTheirState) {
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    struct Case {
        DWORD state, fill;
        const char16_t* text;
        int bitmap;
    };
    const Case cases[] = {
        {1, 47, u"47 %", IDB_INK_FILL_40},
        {1, 9, u"9 %", IDB_INK_FILL_0},
        {1, 100, u"100 %", IDB_INK_FILL_100},
        {2, 90, u"90 %", IDB_INK_CARTRIDGE_ERROR},
        {0, 60, u"", IDB_INK_NO_CARTRIDGE},
        {3, 250, u"100 %", IDB_INK_FILL_100},
        {1, static_cast<DWORD>(-5), u"0 %", IDB_INK_FILL_0},
    };
    for (const Case& c : cases) {
        // Cartridge 2 shows the same through its own controls.
        context()->InkCartridge1State = context()->InkCartridge2State = c.state;
        context()->InkCartridge1Fill = context()->InkCartridge2Fill = c.fill;
        EXPECT_EQ(
            RunInkFillDialog([&](HWND dialog) {
                sim::Paint(dialog);
                for (int id : {IDC_INKFILL_CARTRIDGE1_FILL, IDC_INKFILL_CARTRIDGE2_FILL})
                    EXPECT_EQ(sim::ControlText(dialog, id), c.text) << c.fill;
                for (int id : {IDC_INKFILL_CARTRIDGE1_PICTURE, IDC_INKFILL_CARTRIDGE2_PICTURE}) {
                    HWND picture = sim::Control(dialog, id);
                    EXPECT_EQ(sim::LastBitmapDrawnInto(picture), c.bitmap) << c.fill;
                    const sim::Draw* draw = sim::LastDrawInto(picture);
                    ASSERT_NE(draw, nullptr);
                    EXPECT_EQ(draw->transparent, RGB(0, 255, 255));
                }
                sim::Click(dialog, IDOK);
            }),
            IDOK);
    }
    EXPECT_TRUE(PrinterLink().parameters.empty());
}

TEST_F(MaintenanceDialogsTest, AChangedCartridgesCounterIsResetOnlyWhenConfirmed) {
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    context()->InkCartridge1State = 0x0101;
    context()->InkCartridge2State = 0x0101;
    HWND shown = nullptr;
    sim::QueueMessageBoxAnswer(IDYES);
    sim::QueueMessageBoxAnswer(IDNO);
    RunInkFillDialog([&](HWND dialog) {
        shown = dialog;
        sim::Click(dialog, IDOK);
    });
    const auto& boxes = sim::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, shown);
    EXPECT_EQ(boxes[0].caption, u"Ink Fill Status");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes[0].text, u"Change of Cartridge 1 detected!\r\n\r\n"
                             u"Have you inserted a new cartridge?\r\nClick on OK to reset the "
                             u"Ink Drop counter and further avoid this message.");
    EXPECT_EQ(boxes[1].text.substr(0, 31), u"Change of Cartridge 2 detected!");
    ASSERT_EQ(PrinterLink().parameters.size(), 1u);
    EXPECT_EQ(PrinterLink().parameters[0].id, static_cast<DWORD>(kInkCartridge1Id));
    EXPECT_EQ(context()->InkCartridge1State, 0x0100u) << "the state byte is cleared";
    EXPECT_EQ(context()->InkCartridge2State, 0x0101u) << "No leaves it as it was";

    // Cartridge 1 now reports no cartridge, so only cartridge 2 asks again.
    sim::QueueMessageBoxAnswer(IDYES);
    RunInkFillDialog([](HWND dialog) { sim::Click(dialog, IDOK); });
    EXPECT_EQ(sim::MessageBoxLog().size(), 3u);
    ASSERT_EQ(PrinterLink().parameters.size(), 2u);
    EXPECT_EQ(PrinterLink().parameters[1].id, static_cast<DWORD>(kInkCartridge2Id));
    EXPECT_EQ(PrinterLink().updates.size(), 2u);
    EXPECT_EQ(context()->InkCartridge2State, 0x0100u);
}

TEST_F(MaintenanceDialogsTest, ALocaleTranslatesThePageItsLabelsAndEveryDialog) {
    InstallFakeLocale();
    Locale().strings[u"Driver Version:"] = u"Treiberversion:";
    ConnectPrinter(NetworkedPrinter());
    OpenServicePage();
    EXPECT_NE(InformationText().find(u"\r\nTreiberversion: 1.0.0.0\r\n"), std::u16string::npos);
    std::vector<HWND> windows = {page_};
    auto close = [&](HWND dialog) {
        windows.push_back(dialog);
        sim::Click(dialog, IDCANCEL);
    };
    RunNetworkDialog(close);
    RunUsageDialog(close);
    RunInkFillDialog(close);
    const auto& translated = Locale().translatedWindows;
    for (HWND window : windows)
        EXPECT_NE(std::find(translated.begin(), translated.end(), window), translated.end());
}

} // namespace
