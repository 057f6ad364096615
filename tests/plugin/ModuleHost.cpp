#include "tests/plugin/ModuleHost.h"

#include "workbench/SheetObjects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pathwick::test {

using namespace workbench;

workbench::TWorkbenchHost& Host() {
    return TWorkbenchHost::Instance();
}

const std::string& PreferenceFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/pathwick-module-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made)
            std::abort();
        std::ofstream(std::filesystem::path(made) / "Router.ini")
            << "[Options]\nTimeOut=600000\nAvoid Wires Position=1\n";
        return std::string(made);
    }();
    return folder;
}

TModule& Module() {
    static std::unique_ptr<TModule> module = [] {
        Host().SetPreferenceLocation(PreferenceFolder());
        return std::make_unique<TModule>(PATHWICK_MODULE_PATH);
    }();
    return *module;
}

HostRef<TSheetDocument> MakeSmallSheet() {
    HostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    HostRef<TSymbol> symbol = TSymbol::Create({8000000, 8000000, 12000000, 12000000});
    HostRef<TGraphic> body =
        TGraphic::Create(kinds::Rectangle, {8000000, 8000000, 12000000, 12000000});
    symbol->AddChild(*body);
    HostRef<TPin> pin = TPin::Create({7000000, 10000000}, 0, 1000000);
    symbol->AddChild(*pin);
    sheet->AddObject(*symbol);
    return sheet;
}

HostRef<TPolyline> PlaceWire(TSheetDocument& sheet, std::vector<TSheetPoint> vertices) {
    HostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, std::move(vertices));
    sheet.AddObject(*wire);
    return wire;
}

} // namespace pathwick::test
