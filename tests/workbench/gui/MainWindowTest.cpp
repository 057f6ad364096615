#include "workbench/gui/MainWindow.h"

#include "tests/support/KicadDemos.h"
#include "tests/support/ModuleHost.h"
#include "tests/support/TempFolder.h"
#include "workbench/cli/DemoSheet.h"
#include "workbench/cli/RouteJob.h"
#include "workbench/files/SheetFile.h"
#include "workbench/kicad/Connections.h"
#include "workbench/model/ObjectKinds.h"
#include "workbench/model/WorkbenchHost.h"

#include <QAction>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pathwick::workbench {
namespace {

using TPoints = std::vector<TSheetPoint>;

class TFakePrompter final : public TPrompter {
public:
    void ShowError(QWidget*, const QString&, const QString& text) override {
        Errors.push_back(text.toStdString());
    }
    TSaveAnswer AskSaveChanges(QWidget*, const QString&) override {
        ++SaveQuestions;
        return Answer;
    }
    QString AskOpenPath(QWidget*) override { return {}; }
    QString AskSavePath(QWidget*, const QString&, const QString&) override { return SavePath; }

    std::vector<std::string> Errors;
    QString SavePath;
    int SaveQuestions = 0;
    TSaveAnswer Answer = TSaveAnswer::Cancel;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<TMainWindow>(&test::Module());
        window_->SetPrompter(&prompter_);
        window_->resize(1200, 880);
        window_->show();
        ASSERT_TRUE(
            window_->OpenFile(QString::fromStdString(test::ExampleSheet("amplifier.json"))));
        baseCount_ = window_->Sheet()->Objects().size();
        View().FitToWindow();
    }
    void TearDown() override {
        TWorkbenchHost::Instance().Faults().Reset();
        window_.reset();
    }

    TSheetView& View() { return *window_->View(); }
    QPoint At(TSheetPoint p) { return View().ToWidget(p).toPoint(); }
    void Click(TSheetPoint p) { QTest::mouseClick(&View(), Qt::LeftButton, {}, At(p)); }
    // The wires placed since the sheet was opened.
    std::vector<TPoints> PlacedWires() {
        std::vector<TPoints> wires;
        const TObjectList& objects = window_->Sheet()->Objects();
        for (std::size_t i = baseCount_; i < objects.size(); ++i)
            if (const auto* wire = dynamic_cast<const TPolyline*>(objects[i].Get()))
                wires.push_back(wire->Vertices());
        return wires;
    }
    std::string Status() { return window_->statusBar()->currentMessage().toStdString(); }

    TFakePrompter prompter_;
    std::unique_ptr<TMainWindow> window_;
    std::size_t baseCount_ = 0;
};

TEST_F(MainWindowTest, TheStatusBarStartsWithAHint) {
    TMainWindow fresh(&test::Module());
    EXPECT_EQ(fresh.statusBar()->currentMessage(),
              QStringLiteral("Click a pin to start a wire; Esc ends it"));
}

// Save As adds the sheet files' extension to a bare name; unrouted runs stay
// marked in the file.
TEST_F(MainWindowTest, SaveAsAddsTheExtensionAndKeepsUnroutedMarks) {
    Click({30000000, 20000000});
    Click({9000000, 50000000}); // inside J1's body: placed unrouted
    const std::string folder = test::MakeTempFolder();
    QAction* saveAs = nullptr;
    for (QAction* action : window_->findChildren<QAction*>())
        if (action->text() == QStringLiteral("Save &As..."))
            saveAs = action;
    ASSERT_NE(saveAs, nullptr);
    for (const char* typed : {"untitled", "kept.sheet"}) {
        SCOPED_TRACE(typed);
        prompter_.SavePath = QString::fromStdString(folder + "/" + typed);
        saveAs->trigger();
        const std::string saved =
            folder + "/" + (typed == std::string("untitled") ? "untitled.json" : typed);
        EXPECT_EQ(window_->SheetPath().toStdString(), saved);
        THostRef<TSheetDocument> back = LoadSheetFile(saved);
        EXPECT_EQ(dynamic_cast<const TPolyline&>(*back->Objects().back()).UnroutedSegments(),
                  (std::vector<int32_t>{1, 2}));
    }
    EXPECT_FALSE(std::filesystem::exists(folder + "/untitled"));
    std::filesystem::remove_all(folder);
}

TEST_F(MainWindowTest, IsTheClientsMainWindowOfTheHostClass) {
    EXPECT_EQ(window_->property("windowClass").toString(), QStringLiteral("Vorelline Main Window"));
    void* registered = nullptr;
    TWorkbenchHost::Instance().Client().GetMainWindow(&registered);
    EXPECT_EQ(registered, static_cast<QWidget*>(window_.get()));
}

// Clicks on the page route exactly as the command line does for the same points.
TEST(MainWindowRouting, ClickedWiresMatchTheCommandLineRoute) {
    TModule& module = test::Module();
    const std::string path = test::ExampleSheet("amplifier.json");
    const std::vector<TWirePoints>& wires = DemoWires();
    std::vector<TPoints> expected;
    {
        THostRef<TSheetDocument> copy = LoadSheetFile(path);
        const TRouteJobResult job = RunRouteJob(module, *copy, wires);
        ASSERT_EQ(job.FailedCount(), 0);
        for (const auto& wire : job.Wires)
            expected.push_back(wire->Vertices());
        TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    }

    TMainWindow window(&module);
    window.resize(1200, 880);
    window.show();
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(path)));
    const std::size_t base = window.Sheet()->Objects().size();
    TSheetView& view = *window.View();
    for (const TWirePoints& wire : wires) {
        for (const TSheetPoint& p : wire)
            QTest::mouseClick(&view, Qt::LeftButton, {}, view.ToWidget(p).toPoint());
        QTest::keyClick(&view, Qt::Key_Escape);
    }
    // The module's wait cursor is gone once the requests are over.
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    std::vector<TPoints> placed;
    for (std::size_t i = base; i < window.Sheet()->Objects().size(); ++i)
        placed.push_back(dynamic_cast<const TPolyline&>(*window.Sheet()->Objects()[i]).Vertices());
    EXPECT_EQ(placed, expected);
    EXPECT_TRUE(window.IsModified());
}

TEST_F(MainWindowTest, RubberBandFollowsThePointerFromTheSegmentStart) {
    Click({30000000, 20000000});
    QTest::mouseMove(&View(), At({34000000, 23000000}));
    EXPECT_EQ(View().RubberBandStart(), (TSheetPoint{30000000, 20000000}));
    EXPECT_EQ(View().HoverPoint(), (TSheetPoint{34000000, 23000000}));
}

TEST_F(MainWindowTest, AFailedRouteIsPlacedWithOneCornerAndSaysWhy) {
    Click({30000000, 20000000});
    Click({9000000, 50000000}); // inside the body of J1: no path can end there
    EXPECT_EQ(
        PlacedWires(),
        (std::vector<TPoints>{{{30000000, 20000000}, {9000000, 20000000}, {9000000, 50000000}}}));
    EXPECT_NE(Status().find("No route"), std::string::npos) << Status();
    EXPECT_NE(Status().find("end point (9000000,50000000) lies inside an obstacle"),
              std::string::npos)
        << Status();
    // The next segment starts at the end of the failed one.
    EXPECT_EQ(View().RubberBandStart(), (TSheetPoint{9000000, 50000000}));
}

TEST_F(MainWindowTest, AHostErrorIsReportedAndTheWindowCarriesOn) {
    Click({30000000, 20000000});
    TWorkbenchHost::Instance().Faults().FailOperation("GetVertexCount");
    Click({40000000, 20000000});
    TWorkbenchHost::Instance().Faults().Reset();
    EXPECT_NE(Status().find("Routing failed"), std::string::npos) << Status();
    EXPECT_EQ(PlacedWires(), (std::vector<TPoints>{{{30000000, 20000000}, {40000000, 20000000}}}));
    EXPECT_EQ(
        dynamic_cast<const TPolyline&>(*window_->Sheet()->Objects().back()).UnroutedSegments(),
        std::vector<int32_t>{1});
    Click({40000000, 15000000});
    EXPECT_NE(Status().find("Routed"), std::string::npos) << Status();
}

TEST_F(MainWindowTest, EscAndRightClickEndTheWire) {
    for (const bool rightClick : {false, true}) {
        SCOPED_TRACE(rightClick ? "right click" : "Esc");
        const std::size_t before = PlacedWires().size();
        Click({30000000, 20000000});
        Click({40000000, 20000000});
        if (rightClick)
            QTest::mouseClick(&View(), Qt::RightButton, {}, At({45000000, 20000000}));
        else
            QTest::keyClick(&View(), Qt::Key_Escape);
        EXPECT_FALSE(window_->Placer()->Placing());
        EXPECT_FALSE(View().RubberBandStart());
        // The next click starts a new wire instead of extending the old one.
        Click({30000000, 16000000});
        EXPECT_EQ(PlacedWires().size(), before + 2);
        QTest::keyClick(&View(), Qt::Key_Escape); // a bare start goes again
        EXPECT_EQ(PlacedWires().size(), before + 1);
    }
}

TEST_F(MainWindowTest, UndoRestoresTheWireBeforeTheSegment) {
    Click({30000000, 20000000});
    Click({40000000, 20000000});
    const TPoints afterFirst = PlacedWires().at(0);
    Click({40000000, 14000000});
    ASSERT_GT(PlacedWires().at(0).size(), afterFirst.size());
    window_->UndoSegment();
    EXPECT_EQ(PlacedWires().at(0), afterFirst);
    // Placing goes on from the restored end, and routes in the renewed session.
    EXPECT_EQ(View().RubberBandStart(), afterFirst.back());
    Click({40000000, 14000000});
    EXPECT_NE(Status().find("Routed"), std::string::npos) << Status();
    window_->UndoSegment();
    window_->UndoSegment();
    EXPECT_TRUE(PlacedWires().empty());
    EXPECT_FALSE(window_->Placer()->Placing());
}

TEST_F(MainWindowTest, BadFilesAreReportedAndTheSheetStays) {
    const std::string folder = test::MakeTempFolder();
    const std::string garbage = folder + "/garbage.json";
    std::ofstream(garbage) << "{ \"format\": \"pathwick-sheet\", \"width\": ";
    TSheetDocument* const sheet = window_->Sheet();
    for (const std::string& path : {garbage, folder + "/missing.json"}) {
        prompter_.Errors.clear();
        EXPECT_FALSE(window_->OpenFile(QString::fromStdString(path)));
        ASSERT_EQ(prompter_.Errors.size(), 1u) << path;
        EXPECT_NE(prompter_.Errors[0].find(path), std::string::npos) << prompter_.Errors[0];
        EXPECT_EQ(window_->Sheet(), sheet);
    }
    // Saving where no file can be written is reported too.
    prompter_.Errors.clear();
    EXPECT_FALSE(window_->SaveTo(QString::fromStdString(folder + "/no/such/folder/x.json")));
    EXPECT_EQ(prompter_.Errors.size(), 1u);
    std::filesystem::remove_all(folder);
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutBeforeOpenAndClose) {
    const QString other = QString::fromStdString(test::ExampleSheet("power-supply.json"));
    // Unchanged: no question.
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(test::ExampleSheet("amplifier.json"))));
    EXPECT_EQ(prompter_.SaveQuestions, 0);
    Click({30000000, 20000000});
    Click({40000000, 20000000});
    TSheetDocument* const sheet = window_->Sheet();

    prompter_.Answer = TPrompter::TSaveAnswer::Cancel;
    EXPECT_FALSE(window_->OpenFile(other));
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(prompter_.SaveQuestions, 2);
    EXPECT_EQ(window_->Sheet(), sheet);
    EXPECT_TRUE(window_->isVisible());

    prompter_.Answer = TPrompter::TSaveAnswer::Discard;
    EXPECT_TRUE(window_->OpenFile(other));
    EXPECT_NE(window_->Sheet(), sheet);
    EXPECT_FALSE(window_->IsModified());
}

TEST_F(MainWindowTest, SavedWiresReadBack) {
    Click({30000000, 20000000});
    Click({40000000, 14000000});
    const std::string folder = test::MakeTempFolder();
    const QString path = QString::fromStdString(folder + "/routed.json");
    ASSERT_TRUE(window_->SaveTo(path));
    EXPECT_FALSE(window_->IsModified());
    EXPECT_EQ(window_->SheetPath(), path);
    THostRef<TSheetDocument> back = LoadSheetFile(path.toStdString());
    ASSERT_EQ(back->Objects().size(), window_->Sheet()->Objects().size());
    EXPECT_EQ(dynamic_cast<const TPolyline&>(*back->Objects().back()).Vertices(),
              PlacedWires().at(0));
    std::filesystem::remove_all(folder);
}

// Two wires of a demo schematic taken out; the window joins their pins the
// other way round, saves the schematic, takes the wires back and saves again.
TEST_F(MainWindowTest, KicadSchematicsGetTheRoutedWiresAndUndoTakesThemBack) {
    const test::TTempFolder folder;
    const std::string cutText =
        test::WithoutItems(test::ReadAll(test::ProgrammerSheet()), test::kProgrammerCutWires);
    const std::string cut = folder.File("cut.kicad_sch");
    test::WriteAll(cut, cutText);
    ASSERT_TRUE(window_->OpenFile(QString::fromStdString(cut)));
    baseCount_ = window_->Sheet()->Objects().size();
    TSheetSource source = TSheetSource::Open(cut);
    for (const auto& [from, to] : {std::pair{"250.19,156.21", "243.84,143.51"},
                                   std::pair{"250.19,143.51", "243.84,156.21"}}) {
        Click(source.ParsePoint(from));
        Click(source.ParsePoint(to));
        QTest::mouseClick(&View(), Qt::RightButton, {}, At(source.ParsePoint(to)));
        EXPECT_NE(Status().find("Routed (" + std::string(from) + ")"), std::string::npos)
            << Status();
    }
    const QString routed = QString::fromStdString(folder.File("routed.kicad_sch"));
    ASSERT_TRUE(window_->SaveTo(routed));
    const auto back = kicad::TKicadSheet::Load(routed.toStdString());
    std::size_t runs = 0;
    for (const auto& wire : PlacedWires())
        runs += kicad::StraightRuns(wire).size();
    EXPECT_EQ(back->Counts().Wires, source.Kicad()->Counts().Wires + static_cast<int>(runs));
    EXPECT_GT(runs, 2u);

    window_->UndoSegment();
    window_->UndoSegment();
    ASSERT_TRUE(window_->SaveTo(routed));
    EXPECT_TRUE(test::ReadAll(routed.toStdString()) == cutText);
}

TEST_F(MainWindowTest, WheelZoomsAboutThePointerAndFFits) {
    const TViewTransform fitted = View().Transform();
    const QPointF pointer(300, 200);
    const QPointF under = View().Transform().ToSheet(pointer);
    QWheelEvent wheel(pointer, View().mapToGlobal(pointer), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &wheel);
    EXPECT_NEAR(View().Transform().Scale(), fitted.Scale() * 1.5625, fitted.Scale() * 1e-9);
    const QPointF still = View().Transform().ToSheet(pointer);
    EXPECT_NEAR(still.x(), under.x(), 1.0);
    EXPECT_NEAR(still.y(), under.y(), 1.0);

    // Dragging with the middle button pans by the pointer's way.
    const QPointF before = View().Transform().Offset();
    QTest::mousePress(&View(), Qt::MiddleButton, {}, QPoint(100, 100));
    QTest::mouseMove(&View(), QPoint(160, 70));
    QTest::mouseRelease(&View(), Qt::MiddleButton, {}, QPoint(160, 70));
    EXPECT_EQ(View().Transform().Offset() - before, QPointF(60, -30));

    QTest::keyClick(&View(), Qt::Key_F);
    EXPECT_EQ(View().Transform().Scale(), fitted.Scale());
    EXPECT_EQ(View().Transform().Offset(), fitted.Offset());
}

} // namespace
} // namespace pathwick::workbench
