#include "tests/support/ModuleHost.h"

#include "tests/support/TempFolder.h"

#include "workbench/model/SheetObjects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pathwick::test {

using namespace workbench;

workbench::TWorkbenchHost& Host() {
    return TWorkbenchHost::Instance();
}

const std::string& PreferenceFolder() {
    static const std::string folder = [] {
        const std::string made = MakeTempFolder();
        std::ofstream(std::filesystem::path(made) / "Router.ini")
            << "[Options]\nTimeOut=600000\nAvoid Wires Position=1\n";
        return made;
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

std::string ExampleSheet(const std::string& name) {
    return std::string(PATHWICK_SOURCE_DIR) + "/examples/" + name;
}

THostRef<TSheetDocument> MakeSmallSheet() {
    THostRef<TSheetDocument> sheet = TSheetDocument::Create(20000000, 20000000);
    THostRef<TSymbol> symbol = TSymbol::Create({8000000, 8000000, 12000000, 12000000});
    THostRef<TGraphic> body =
        TGraphic::Create(kinds::Rectangle, {8000000, 8000000, 12000000, 12000000});
    symbol->AddChild(*body);
    THostRef<TPin> pin = TPin::Create({7000000, 10000000}, 0, 1000000);
    symbol->AddChild(*pin);
    sheet->AddObject(*symbol);
    return sheet;
}

THostRef<TPolyline> PlaceWire(TSheetDocument& sheet, std::vector<TSheetPoint> vertices) {
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, std::move(vertices));
    sheet.AddObject(*wire);
    return wire;
}

} // namespace pathwick::test
