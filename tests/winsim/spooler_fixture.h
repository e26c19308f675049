// The spooler tests' printer, "Tarvik Embosser", installed afresh for every test, and handles to
// it.
#pragma once

#include <gtest/gtest.h>

#include "sim.h"

#include <winspool.h>

#include <string>

namespace spoolertest {

const char kPrinter[] = "Tarvik Embosser";
const char16_t kPrinterName[] = u"Tarvik Embosser";

// A handle with the given access; 0 asks for what a user's handle normally has.
inline HANDLE Open(ACCESS_MASK access) {
    std::u16string name = kPrinterName;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    HANDLE handle = nullptr;
    EXPECT_TRUE(OpenPrinterW(name.data(), &handle, access ? &defaults : nullptr));
    return handle;
}

// Every test starts with the printer as Customise() sets it up, and leaves no handle open.
class PrinterTest : public ::testing::Test {
protected:
    virtual void Customise(sim::PrinterSetup&) {}
    void SetUp() override {
        sim::Reset();
        sim::PrinterSetup setup;
        setup.name = kPrinter;
        Customise(setup);
        sim::AddPrinter(setup);
    }
    void TearDown() override { EXPECT_EQ(sim::OpenPrinterHandles(), 0u); }
};

} // namespace spoolertest
