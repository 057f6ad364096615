// The workbench's main window: one sheet, a routing session on it while it is
// open, wire placement with the mouse, and the file and router menus.
#pragma once

#include "workbench/cli/ModuleLoader.h"
#include "workbench/cli/SheetSource.h"
#include "workbench/gui/Prompter.h"
#include "workbench/gui/SheetView.h"
#include "workbench/gui/WirePlacer.h"
#include "workbench/model/SheetDocument.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QLabel;

namespace pathwick::workbench {

class TMainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The window class the options dialog looks for to find its owner.
    static constexpr const char* WindowClass = "Vorelline Main Window";
    // The status bar's first words.
    static constexpr const char* StartHint = "Click a pin to start a wire; Esc ends it";

    // `module` may be null (wires are then placed straight); not owned.
    // Registers the window as the client's main window.
    explicit TMainWindow(TModule* module, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Replaces the message boxes and file dialogs (not owned; null: the dialogs).
    void SetPrompter(TPrompter* prompter);

    // Opens a sheet file (JSON or KiCad schematic) after asking about unsaved
    // changes; a file that does not load is reported and the open sheet
    // stays. True when opened.
    bool OpenFile(const QString& path);
    // Shows a sheet that did not come from a file (`name` is for the title).
    void OpenSheet(THostRef<TSheetDocument> sheet, const QString& path, const QString& name);
    // Writes the sheet, as a KiCad schematic when the name ends in .kicad_sch
    // (only for a sheet read from one), else as JSON; errors are reported.
    // True when written.
    bool SaveTo(const QString& path);
    // Ends the session and drops the sheet after asking about unsaved changes;
    // false when the user keeps it.
    bool CloseSheet();

    TSheetDocument* Sheet() const { return sheet_.Get(); }
    TSheetView* View() const { return view_; }
    TWirePlacer* Placer() const { return placer_.get(); }
    bool IsModified() const { return modified_; }
    QString SheetPath() const { return path_; }

public slots:
    void PlaceAt(pathwick::TSheetPoint point);
    void EndWire();
    void UndoSegment();
    void ShowRouterOptions();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void StartSession();
    void EndSession();
    // Runs one of the module's session calls; a host error is reported in the
    // status bar. False when it raised one.
    bool CallModule(const char* what, void (*call)());
    bool ConfirmDiscard();
    // The file to save to, asked of the user; ".json" added when the name has no extension.
    QString AskSheetSavePath(const QString& suggestion);
    void SetModified(bool modified);
    void UpdateTitle();
    void UpdateActions();
    void Report(const QString& text);
    void ShowSource(TSheetSource source, const QString& path, const QString& name);
    QString PointText(TSheetPoint p) const;
    TPrompter& Prompt();

    TModule* module_;
    bool sessionOpen_ = false;
    TDialogPrompter dialogs_;
    TPrompter* prompter_ = nullptr;
    THostRef<TSheetDocument> sheet_;
    TSheetSource source_; // the file format behind sheet_
    std::unique_ptr<TWirePlacer> placer_;
    QString path_;
    QString name_;
    bool modified_ = false;

    TSheetView* view_;
    QLabel* requestLabel_;
    QLabel* pointLabel_;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* undoAction_ = nullptr;
};

} // namespace pathwick::workbench
