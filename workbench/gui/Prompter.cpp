#include "workbench/gui/Prompter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace pathwick::workbench {

namespace {
const QString SheetFilter = QStringLiteral("Sheets (*.json *.kicad_sch);;Pathwick sheets (*.json);;"
                                           "KiCad schematics (*.kicad_sch);;All files (*)");
}

void TDialogPrompter::ShowError(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
}

TPrompter::TSaveAnswer TDialogPrompter::AskSaveChanges(QWidget* parent, const QString& sheetName) {
    const auto answer = QMessageBox::question(
        parent, QStringLiteral("Unsaved changes"),
        QStringLiteral("Save the changes to %1?").arg(sheetName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return TSaveAnswer::Save;
    if (answer == QMessageBox::Discard)
        return TSaveAnswer::Discard;
    return TSaveAnswer::Cancel;
}

QString TDialogPrompter::AskOpenPath(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open Sheet"), QString(),
                                        SheetFilter);
}

QString TDialogPrompter::AskSavePath(QWidget* parent, const QString& suggestion,
                                     const QString& suffix) {
    QFileDialog dialog(parent, QStringLiteral("Save Sheet As"), suggestion, SheetFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name without an extension gets the suffix before the dialog asks about
    // overwriting, so that it asks about the file really written.
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace pathwick::workbench
