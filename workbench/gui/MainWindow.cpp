#include "workbench/gui/MainWindow.h"

#include "workbench/model/WorkbenchHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include <exception>

namespace pathwick::workbench {

namespace {

QString Mils(int32_t units) {
    // 100 mil is 1 000 000 units: one mil is 10 000.
    return QString::number(units / 10000.0, 'f', 0);
}

} // namespace

TMainWindow::TMainWindow(TModule* module, QWidget* parent)
    : QMainWindow(parent), module_(module), view_(new TSheetView(this)),
      requestLabel_(new QLabel(this)), pointLabel_(new QLabel(this)) {
    setProperty("windowClass", QString::fromLatin1(WindowClass));
    setCentralWidget(view_);
    statusBar()->addPermanentWidget(requestLabel_);
    statusBar()->addPermanentWidget(pointLabel_);
    BuildMenus();
    connect(view_, &TSheetView::GridPointClicked, this, &TMainWindow::PlaceAt);
    connect(view_, &TSheetView::EndWireRequested, this, &TMainWindow::EndWire);
    connect(view_, &TSheetView::HoverPointChanged, this,
            [this](TSheetPoint p) { pointLabel_->setText(PointText(p)); });
    resize(1100, 820);
    view_->setFocus();
    TWorkbenchHost::Instance().SetMainWindow(static_cast<QWidget*>(this));
    UpdateTitle();
    UpdateActions();
    Report(module_ ? QString::fromLatin1(StartHint)
                   : QStringLiteral("No routing module: wires are placed unrouted. %1")
                         .arg(QString::fromLatin1(StartHint)));
}

TMainWindow::~TMainWindow() {
    EndSession();
    if (sheet_ && TWorkbenchHost::Instance().ActiveDocument() == sheet_.Get())
        TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    void* registered = nullptr;
    TWorkbenchHost::Instance().Client().GetMainWindow(&registered);
    if (registered == static_cast<QWidget*>(this))
        TWorkbenchHost::Instance().SetMainWindow(nullptr);
}

void TMainWindow::SetPrompter(TPrompter* prompter) {
    prompter_ = prompter;
}

TPrompter& TMainWindow::Prompt() {
    return prompter_ ? *prompter_ : dialogs_;
}

void TMainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
        const QString path = Prompt().AskOpenPath(this);
        if (!path.isEmpty())
            OpenFile(path);
    });
    saveAction_ = file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] {
        if (path_.isEmpty()) {
            saveAsAction_->trigger();
            return;
        }
        SaveTo(path_);
    });
    saveAsAction_ =
        file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, [this] {
            const QString path = AskSheetSavePath(path_);
            if (!path.isEmpty())
                SaveTo(path);
        });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ = edit->addAction(QStringLiteral("&Undo Segment"), QKeySequence::Undo, this,
                                  &TMainWindow::UndoSegment);
    edit->addAction(QStringLiteral("&End Wire\tEsc"), this, &TMainWindow::EndWire);

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    // F is handled by the page itself, so that it works wherever the page has focus.
    viewMenu->addAction(QStringLiteral("&Fit to Window\tF"), view_, &TSheetView::FitToWindow);
    viewMenu->addAction(QStringLiteral("Zoom &In"), QKeySequence::ZoomIn, view_,
                        &TSheetView::ZoomIn);
    viewMenu->addAction(QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut, view_,
                        &TSheetView::ZoomOut);

    QMenu* router = menuBar()->addMenu(QStringLiteral("&Router"));
    router->addAction(QStringLiteral("Router &Options..."), this, &TMainWindow::ShowRouterOptions);
}

bool TMainWindow::CallModule(const char* what, void (*call)()) {
    try {
        call();
        return true;
    } catch (const std::exception& e) {
        Report(
            QStringLiteral("%1 failed: %2").arg(QLatin1String(what), QString::fromUtf8(e.what())));
    } catch (...) {
        Report(QStringLiteral("%1 failed.").arg(QLatin1String(what)));
    }
    return false;
}

void TMainWindow::StartSession() {
    if (!module_ || !sheet_ || sessionOpen_)
        return;
    TWorkbenchHost::Instance().SetActiveDocument(sheet_.Get());
    // A failed build still leaves a session in the module, which Destroy ends.
    sessionOpen_ = true;
    CallModule("Starting the router", module_->Create);
}

void TMainWindow::EndSession() {
    if (!sessionOpen_)
        return;
    sessionOpen_ = false;
    CallModule("Ending the router", module_->Destroy);
}

bool TMainWindow::ConfirmDiscard() {
    if (!modified_ || !sheet_)
        return true;
    switch (Prompt().AskSaveChanges(this, name_)) {
    case TPrompter::TSaveAnswer::Save:
        if (path_.isEmpty()) {
            const QString path = AskSheetSavePath(QString());
            return !path.isEmpty() && SaveTo(path);
        }
        return SaveTo(path_);
    case TPrompter::TSaveAnswer::Discard:
        return true;
    case TPrompter::TSaveAnswer::Cancel:
        break;
    }
    return false;
}

QString TMainWindow::AskSheetSavePath(const QString& suggestion) {
    // A name typed without an extension gets the open sheet's own kind.
    const QString suffix = source_.Kicad() ? QStringLiteral("kicad_sch") : QStringLiteral("json");
    QString path = Prompt().AskSavePath(this, suggestion, suffix);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".") + suffix;
    return path;
}

QString TMainWindow::PointText(TSheetPoint p) const {
    if (source_.Kicad())
        return QString::fromStdString(source_.FormatPoint(p)) + QStringLiteral(" mm");
    return QStringLiteral("%1, %2 mil").arg(Mils(p.X), Mils(p.Y));
}

bool TMainWindow::OpenFile(const QString& path) {
    TSheetSource source;
    try {
        source = TSheetSource::Open(path.toStdString());
    } catch (const std::exception& e) {
        Prompt().ShowError(this, QStringLiteral("Open Sheet"), QString::fromUtf8(e.what()));
        return false;
    }
    if (!ConfirmDiscard())
        return false;
    ShowSource(std::move(source), path, QFileInfo(path).fileName());
    return true;
}

void TMainWindow::OpenSheet(THostRef<TSheetDocument> sheet, const QString& path,
                            const QString& name) {
    ShowSource(TSheetSource::FromDocument(std::move(sheet)), path, name);
}

void TMainWindow::ShowSource(TSheetSource source, const QString& path, const QString& name) {
    EndSession();
    placer_.reset();
    source_ = std::move(source);
    sheet_ = source_.DocumentRef();
    path_ = path;
    name_ = name;
    if (sheet_)
        placer_ = std::make_unique<TWirePlacer>(*sheet_, module_);
    view_->SetSheet(sheet_.Get());
    StartSession();
    SetModified(false);
    UpdateActions();
}

bool TMainWindow::CloseSheet() {
    if (!ConfirmDiscard())
        return false;
    EndSession();
    placer_.reset();
    view_->SetSheet(nullptr);
    if (TWorkbenchHost::Instance().ActiveDocument() == sheet_.Get())
        TWorkbenchHost::Instance().SetActiveDocument(nullptr);
    sheet_.Reset();
    source_ = {};
    path_.clear();
    name_.clear();
    SetModified(false);
    UpdateActions();
    return true;
}

bool TMainWindow::SaveTo(const QString& path) {
    if (!sheet_)
        return false;
    try {
        source_.Save(path.toStdString());
    } catch (const std::exception& e) {
        Prompt().ShowError(this, QStringLiteral("Save Sheet"), QString::fromUtf8(e.what()));
        return false;
    }
    path_ = path;
    name_ = QFileInfo(path).fileName();
    SetModified(false);
    Report(QStringLiteral("Saved %1").arg(path));
    return true;
}

void TMainWindow::PlaceAt(TSheetPoint point) {
    if (!placer_)
        return;
    const TClickOutcome outcome = placer_->Click(point);
    using TKind = TClickOutcome::TKind;
    const QString request =
        QStringLiteral("Last request: %1 ms").arg(outcome.Milliseconds, 0, 'f', 1);
    switch (outcome.Kind) {
    case TKind::Started:
        Report(QStringLiteral("Wire started at %1").arg(PointText(point)));
        break;
    case TKind::Ignored:
        return;
    case TKind::Routed:
        requestLabel_->setText(request);
        Report(
            QStringLiteral("Routed %1 to %2").arg(PointText(outcome.From), PointText(outcome.To)));
        break;
    case TKind::NotRouted:
        if (module_) {
            // The module has sounded its beep when it searched in vain.
            requestLabel_->setText(request);
            const QString why =
                outcome.Why.empty()
                    ? QString()
                    : QStringLiteral(" (%1)").arg(QString::fromStdString(outcome.Why));
            Report(QStringLiteral("No route from %1 to %2%3: placed with one corner, dashed as "
                                  "unrouted")
                       .arg(PointText(outcome.From), PointText(outcome.To), why));
        }
        break;
    case TKind::Failed:
        QApplication::beep();
        requestLabel_->setText(request);
        Report(QStringLiteral("Routing failed: %1; the segment is placed unrouted")
                   .arg(QString::fromStdString(outcome.Error)));
        break;
    }
    if (outcome.Kind != TKind::Started)
        SetModified(true);
    view_->SetRubberBandStart(placer_->SegmentStart());
    UpdateActions();
}

void TMainWindow::EndWire() {
    if (!placer_)
        return;
    placer_->EndWire();
    view_->SetRubberBandStart(std::nullopt);
    view_->update();
}

void TMainWindow::UndoSegment() {
    if (!placer_ || !placer_->Undo())
        return;
    // The session's obstacles only grow: start a new one, so that the taken
    // back path no longer stands in the way of later routes.
    EndSession();
    StartSession();
    SetModified(true);
    view_->SetRubberBandStart(placer_->SegmentStart());
    UpdateActions();
    Report(QStringLiteral("Segment undone"));
}

void TMainWindow::ShowRouterOptions() {
    if (!module_) {
        Prompt().ShowError(this, QStringLiteral("Router Options"),
                           QStringLiteral("No routing module is loaded."));
        return;
    }
    try {
        module_->Options();
    } catch (const std::exception& e) {
        Prompt().ShowError(this, QStringLiteral("Router Options"), QString::fromUtf8(e.what()));
    } catch (...) {
        Prompt().ShowError(this, QStringLiteral("Router Options"),
                           QStringLiteral("The options could not be saved."));
    }
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    EndSession();
    event->accept();
}

void TMainWindow::SetModified(bool modified) {
    modified_ = modified;
    UpdateTitle();
}

void TMainWindow::UpdateTitle() {
    const QString name = sheet_ ? name_ : QStringLiteral("no sheet");
    setWindowTitle(
        QStringLiteral("%1%2 - Pathwick").arg(name, modified_ ? QStringLiteral("*") : QString()));
}

void TMainWindow::UpdateActions() {
    saveAction_->setEnabled(static_cast<bool>(sheet_));
    saveAsAction_->setEnabled(static_cast<bool>(sheet_));
    undoAction_->setEnabled(placer_ && placer_->CanUndo());
}

void TMainWindow::Report(const QString& text) {
    statusBar()->showMessage(text);
}

} // namespace pathwick::workbench
