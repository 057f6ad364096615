#include "workbench/cli/DemoSheet.h"

namespace pathwick::workbench {

const char* DemoSheetName() {
    return "examples/amplifier.json";
}

const std::vector<TWirePoints>& DemoWires() {
    static const std::vector<TWirePoints> Wires = {
        {{12000000, 50000000}, {22000000, 44000000}}, // J1 IN to R1
        {{26000000, 44000000}, {38000000, 43000000}}, // R1 to U1 +IN
        {{38000000, 45000000},
         {34000000, 52000000},
         {30000000, 60000000}},                       // U1 -IN to R3, two segments
        {{48000000, 56000000}, {46000000, 44000000}}, // R2 to U1 OUT
        {{59000000, 36000000}, {80000000, 38000000}}, // C3 to J2 OUT
        {{44000000, 56000000}, {52000000, 51000000}}, // R2 to C1
        {{12000000, 49000000}, {52000000, 31000000}}, // J1 GND to C2
    };
    return Wires;
}

} // namespace pathwick::workbench
