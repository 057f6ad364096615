#include "workbench/model/WorkbenchHost.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/Polyline.h"

#include "host/ClientLookup.h"
#include "host/HostCall.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pathwick::workbench {
namespace {

class WorkbenchHost : public ::testing::Test {
protected:
    void SetUp() override { TWorkbenchHost::Instance().Reset(); }
    void TearDown() override {
        SetModuleClient(nullptr);
        TWorkbenchHost::Instance().Reset();
    }
};

TEST_F(WorkbenchHost, ProvidedClientLeadsToServiceAndActiveDocument) {
    THostRef<IClient> client;
    ASSERT_EQ(ProvideClient(client.Put()), HostOk);
    ASSERT_TRUE(client);
    SetModuleClient(client.Get());

    THostRef<ISch_EditorService> service = FindSchematicService();
    ASSERT_TRUE(service);
    THostRef<ISch_Document> none;
    HostCall(service->GetActiveDocument(none.Put()));
    EXPECT_FALSE(none);

    THostRef<TSheetDocument> doc = TSheetDocument::Create(500, 300);
    TWorkbenchHost::Instance().SetActiveDocument(doc.Get());
    THostRef<ISch_Document> active;
    HostCall(service->GetActiveDocument(active.Put()));
    ASSERT_TRUE(active);
    EXPECT_EQ(ModelObjectOf(active.Get()), doc.Get());
    int32_t width = 0;
    HostCall(active->GetSheetWidth(&width));
    EXPECT_EQ(width, 500);
}

TEST_F(WorkbenchHost, OnlySchIsAServerModule) {
    IClient& client = TWorkbenchHost::Instance().Client();
    THostRef<IHostUnknown> module;
    HostCall(client.FindServerModule(u"PCB", module.Put()));
    EXPECT_FALSE(module);
    HostCall(client.FindServerModule(u"SC", module.Put()));
    EXPECT_FALSE(module);
    HostCall(client.FindServerModule(u"SCH", module.Put()));
    EXPECT_TRUE(QueryAs<ISch_EditorService>(module));
    EXPECT_EQ(client.FindServerModule(nullptr, module.Put()), HostInvalidArg);
}

TEST_F(WorkbenchHost, NewWireIsFreeAndEmpty) {
    const std::size_t live = LiveHostObjectCount();
    THostRef<TSheetDocument> doc = TSheetDocument::Create(500, 300);
    TWorkbenchHost::Instance().SetActiveDocument(doc.Get());
    ISch_EditorService& service = TWorkbenchHost::Instance().Service();
    {
        THostRef<ISch_BasicContainer> made;
        HostCall(service.NewObject(kinds::Wire, 0, made.Put()));
        THostRef<ISch_Wire> wire = QueryAs<ISch_Wire>(made);
        ASSERT_TRUE(wire);
        int32_t count = -1;
        HostCall(wire->GetVertexCount(&count));
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(doc->Objects().empty());
        ASSERT_EQ(TWorkbenchHost::Instance().Service().MadeObjectIds().size(), 1u);
        EXPECT_EQ(TWorkbenchHost::Instance().Service().MadeObjectIds()[0],
                  ModelObjectOf(wire.Get())->Id());
    }
    TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    doc.Reset();
    EXPECT_EQ(LiveHostObjectCount(), live);
}

TEST_F(WorkbenchHost, NewObjectRefusesUnknownKindsModesAndDocuments) {
    ISch_EditorService& service = TWorkbenchHost::Instance().Service();
    for (auto [kind, mode] : {std::pair{18, 1}, {18, -1}, {64, 0}, {-1, 0}, {kinds::Document, 0}}) {
        ISch_BasicContainer* out = reinterpret_cast<ISch_BasicContainer*>(8);
        EXPECT_EQ(service.NewObject(kind, mode, &out), HostInvalidArg) << kind << "/" << mode;
        EXPECT_EQ(out, nullptr);
    }
    THostRef<ISch_BasicContainer> label;
    HostCall(service.NewObject(kinds::Label, 0, label.Put()));
    EXPECT_TRUE(QueryAs<ISch_TextTag>(label));
}

TEST_F(WorkbenchHost, MainWindowAndPreferenceLocation) {
    IClient& client = TWorkbenchHost::Instance().Client();
    void* window = reinterpret_cast<void*>(1);
    HostCall(client.GetMainWindow(&window));
    EXPECT_EQ(window, nullptr);
    int marker = 0;
    TWorkbenchHost::Instance().SetMainWindow(&marker);
    HostCall(client.GetMainWindow(&window));
    EXPECT_EQ(window, &marker);

    char buffer[8];
    int32_t length = -1;
    HostCall(client.GetPreferenceLocation(buffer, sizeof buffer, &length));
    EXPECT_EQ(length, 0);
    EXPECT_STREQ(buffer, "");

    TWorkbenchHost::Instance().SetPreferenceLocation("Pathwick Prefs");
    std::memset(buffer, 'x', sizeof buffer);
    HostCall(client.GetPreferenceLocation(buffer, sizeof buffer, &length));
    EXPECT_EQ(length, 14);
    EXPECT_STREQ(buffer, "Pathwic"); // truncated to size-1 and terminated
    HostCall(client.GetPreferenceLocation(nullptr, 0, &length));
    EXPECT_EQ(length, 14);
    EXPECT_EQ(client.GetPreferenceLocation(buffer, -1, &length), HostInvalidArg);
    EXPECT_EQ(client.GetPreferenceLocation(nullptr, 4, &length), HostInvalidArg);
    EXPECT_EQ(client.GetPreferenceLocation(buffer, 4, nullptr), HostInvalidArg);
}

} // namespace
} // namespace pathwick::workbench
