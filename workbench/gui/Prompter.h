// The questions and messages the window puts to the user, behind an interface
// so that the window can be driven without anyone to answer.
#pragma once

#include <QString>

class QWidget;

namespace pathwick::workbench {

class TPrompter {
public:
    enum class TSaveAnswer { Save, Discard, Cancel };

    virtual ~TPrompter() = default;
    virtual void ShowError(QWidget* parent, const QString& title, const QString& text) = 0;
    // Asked before unsaved changes would be lost.
    virtual TSaveAnswer AskSaveChanges(QWidget* parent, const QString& sheetName) = 0;
    // A sheet file to open or to save to; empty when the user cancels.
    virtual QString AskOpenPath(QWidget* parent) = 0;
    // suffix: the extension a name typed without one gets, e.g. "json".
    virtual QString AskSavePath(QWidget* parent, const QString& suggestion,
                                const QString& suffix) = 0;
};

// Message boxes and file dialogs.
class TDialogPrompter final : public TPrompter {
public:
    void ShowError(QWidget* parent, const QString& title, const QString& text) override;
    TSaveAnswer AskSaveChanges(QWidget* parent, const QString& sheetName) override;
    QString AskOpenPath(QWidget* parent) override;
    QString AskSavePath(QWidget* parent, const QString& suggestion, const QString& suffix) override;
};

} // namespace pathwick::workbench
