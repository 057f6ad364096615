#include "workbench/model/ObjectEnumerator.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"
#include "workbench/model/SheetDocument.h"
#include "workbench/model/Symbol.h"
#include "workbench/model/WorkbenchHost.h"

#include "host/HostCall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

namespace pathwick::workbench {
namespace {

struct TIface {
    const char* name;
    TGuid iid;
};

const std::vector<TIface>& AllInterfaces() {
    static const std::vector<TIface> all = {
        {"IHostUnknown", IHostUnknown::IID},
        {"IClient", IClient::IID},
        {"ISch_EditorService", ISch_EditorService::IID},
        {"ISch_BasicContainer", ISch_BasicContainer::IID},
        {"ISch_ObjectEnumerator", ISch_ObjectEnumerator::IID},
        {"ISch_GraphicalObject", ISch_GraphicalObject::IID},
        {"ISch_TextTag", ISch_TextTag::IID},
        {"ISch_Line", ISch_Line::IID},
        {"ISch_BusEntry", ISch_BusEntry::IID},
        {"ISch_ParametrizedGroup", ISch_ParametrizedGroup::IID},
        {"ISch_Document", ISch_Document::IID},
        {"ISch_Symbol", ISch_Symbol::IID},
        {"ISch_SymbolPin", ISch_SymbolPin::IID},
        {"ISch_Polygon", ISch_Polygon::IID},
        {"ISch_BasicPolyline", ISch_BasicPolyline::IID},
        {"ISch_Wire", ISch_Wire::IID},
    };
    return all;
}

struct TMatrixRow {
    const char* object;
    std::function<THostRef<IHostUnknown>()> make;
    std::vector<std::string> answers; // besides IHostUnknown
};

template <class T> THostRef<IHostUnknown> AsUnknown(const THostRef<T>& object) {
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(IHostUnknown::IID, &out), HostOk);
    return THostRef<IHostUnknown>::Adopt(static_cast<IHostUnknown*>(out));
}

const std::vector<std::string> kGraphical = {"ISch_BasicContainer", "ISch_GraphicalObject"};

std::vector<std::string> Plus(std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

class QueryInterfaceMatrix : public ::testing::TestWithParam<TMatrixRow> {};

TEST_P(QueryInterfaceMatrix, AnswersExactlyItsInterfaces) {
    const TMatrixRow& row = GetParam();
    THostRef<IHostUnknown> object = row.make();
    ASSERT_TRUE(object);
    for (const TIface& iface : AllInterfaces()) {
        const bool expected =
            std::string(iface.name) == "IHostUnknown" ||
            std::find(row.answers.begin(), row.answers.end(), iface.name) != row.answers.end();
        void* out = reinterpret_cast<void*>(1);
        const THostResult status = object->QueryInterface(iface.iid, &out);
        if (expected) {
            EXPECT_EQ(status, HostOk) << row.object << " should answer " << iface.name;
            ASSERT_NE(out, nullptr);
            // The pointer must be an interface of the same object.
            auto* unknown = static_cast<IHostUnknown*>(out);
            EXPECT_EQ(dynamic_cast<THostObject*>(unknown), dynamic_cast<THostObject*>(object.Get()))
                << row.object << " " << iface.name;
            unknown->Release();
        } else {
            EXPECT_EQ(status, HostNoInterface) << row.object << " should not answer " << iface.name;
            EXPECT_EQ(out, nullptr);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, QueryInterfaceMatrix,
    ::testing::Values(
        TMatrixRow{"rectangle",
                   [] {
                       return AsUnknown(TGraphic::Create(kinds::Rectangle, {0, 0, 5, 5}));
                   },
                   kGraphical},
        TMatrixRow{"kind-7 graphic",
                   [] { return AsUnknown(TGraphic::Create(kinds::BusEntry, {})); }, kGraphical},
        TMatrixRow{"bus entry",
                   [] {
                       return AsUnknown(TLineObject::Create(kinds::BusEntry, {}, {1, 1}));
                   },
                   Plus(kGraphical, {"ISch_Line", "ISch_BusEntry"})},
        TMatrixRow{"line",
                   [] {
                       return AsUnknown(TLineObject::Create(kinds::Line, {}, {1, 1}));
                   },
                   Plus(kGraphical, {"ISch_Line"})},
        TMatrixRow{"label", [] { return AsUnknown(TLabel::Create({}, "N1")); },
                   Plus(kGraphical, {"ISch_TextTag"})},
        TMatrixRow{"pin", [] { return AsUnknown(TPin::Create({}, 0, 10)); },
                   Plus(kGraphical, {"ISch_SymbolPin"})},
        TMatrixRow{"symbol", [] { return AsUnknown(TSymbol::Create({})); },
                   Plus(kGraphical, {"ISch_ParametrizedGroup", "ISch_Symbol"})},
        TMatrixRow{"document", [] { return AsUnknown(TSheetDocument::Create(10, 10)); },
                   Plus(kGraphical, {"ISch_ParametrizedGroup", "ISch_Document"})},
        TMatrixRow{"polyline", [] { return AsUnknown(TPolyline::Create(kinds::Polyline)); },
                   Plus(kGraphical, {"ISch_Polygon", "ISch_BasicPolyline"})},
        TMatrixRow{"bus", [] { return AsUnknown(TPolyline::Create(kinds::Bus)); },
                   Plus(kGraphical, {"ISch_Polygon", "ISch_BasicPolyline"})},
        TMatrixRow{"wire", [] { return AsUnknown(TPolyline::Create(kinds::Wire)); },
                   Plus(kGraphical, {"ISch_Polygon", "ISch_BasicPolyline", "ISch_Wire"})},
        TMatrixRow{"polygon", [] { return AsUnknown(TPolyline::Create(kinds::Polygon)); },
                   Plus(kGraphical, {"ISch_Polygon"})},
        TMatrixRow{"enumerator",
                   [] {
                       THostRef<TSheetDocument> doc = TSheetDocument::Create(1, 1);
                       THostRef<ISch_ObjectEnumerator> e;
                       EXPECT_EQ(doc->NewObjectEnumerator(e.Put()), HostOk);
                       EXPECT_EQ(doc->FreeObjectEnumerator(e.Get()), HostOk);
                       void* out = nullptr;
                       EXPECT_EQ(e->QueryInterface(IHostUnknown::IID, &out), HostOk);
                       return THostRef<IHostUnknown>::Adopt(static_cast<IHostUnknown*>(out));
                   },
                   {"ISch_ObjectEnumerator"}},
        TMatrixRow{"editor service",
                   [] {
                       ISch_EditorService& s = TWorkbenchHost::Instance().Service();
                       return THostRef<IHostUnknown>::Share(&s);
                   },
                   {"ISch_EditorService"}},
        TMatrixRow{"client",
                   [] {
                       IClient& c = TWorkbenchHost::Instance().Client();
                       return THostRef<IHostUnknown>::Share(&c);
                   },
                   {"IClient"}}),
    [](const auto& info) {
        std::string name = info.param.object;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(QueryInterface, InterfacePointersLeadBackToTheModelObject) {
    THostRef<TPolyline> wire = TPolyline::Create(kinds::Wire, {{1, 2}});
    THostRef<ISch_Wire> asWire = QueryAs<ISch_Wire>(wire.Get());
    ASSERT_TRUE(asWire);
    EXPECT_EQ(ModelObjectOf(asWire.Get()), wire.Get());
    int32_t count = 0;
    ASSERT_EQ(asWire->GetVertexCount(&count), HostOk);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(ModelObjectOf(nullptr), nullptr);
    IClient& client = TWorkbenchHost::Instance().Client();
    EXPECT_EQ(ModelObjectOf(&client), nullptr);
}

TEST(QueryInterface, NullSlotIsRejected) {
    THostRef<TLabel> label = TLabel::Create({}, "x");
    EXPECT_EQ(label->QueryInterface(ISch_TextTag::IID, nullptr), HostInvalidArg);
    EXPECT_EQ(label->RefCount(), 1u);
}

} // namespace
} // namespace pathwick::workbench
