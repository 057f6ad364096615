// The modal dialog "Point to Point Router Options": the search time-out in
// whole seconds and the weight of cutting across wires on a ten-step slider.
#pragma once

#include "options/RouteOptions.h"
#include "ui/ServerDialog.h"

#include <QLabel>

#include <cstdint>
#include <memory>

namespace pathwick {

class TWinXPPageControl;
class TWinXPTabSheet;
class TXPGroupBox;
class TXPEdit;
class TXPTrackBar;
class TXPBitBtn;

// Edits working copies of the options and writes them into the options
// object only on OK. The form holds the module's options variable, not the
// object, and reads the object through it when it is made and writes through
// it on OK. With an empty variable the form starts from the defaults and OK
// writes nothing.
class TOptionsForm : public TServerDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(std::unique_ptr<TRouteOptions>& options);

    int32_t WorkingTimeOut() const { return timeOut_; }
    int32_t WorkingInset() const { return inset_; }
    int32_t WorkingAvoidWiresPosition() const { return avoidWiresPosition_; }

    // Event handlers, as the controls call them.
    void OnFormShow();
    void SetTimeOut();
    void SetCutWireFreq();
    void OnOKClick();
    void OnCancelClick();

    TWinXPPageControl* PageControl1;
    TWinXPTabSheet* TabSheet1;
    TXPGroupBox* GroupBox1;
    QLabel* Label3;
    TXPEdit* TimeOutEditBox;
    QLabel* AvoidanceLabel;
    TXPTrackBar* AvoidWireFrequencyTrackBar;
    QLabel* Label1;
    QLabel* Label2;
    TXPBitBtn* OKButton;
    TXPBitBtn* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();

    std::unique_ptr<TRouteOptions>& options_;
    int32_t timeOut_ = 3000;
    int32_t inset_ = 0;
    int32_t avoidWiresPosition_ = 1;
};

// Shows the options dialog over the options variable and returns its modal
// result (ModalOK when the user pressed OK; the caller then saves). Needs
// the host's application object and never makes one: without it there is no
// dialog and the result is ModalCancel.
int RunOptionsDialog(std::unique_ptr<TRouteOptions>& options);

} // namespace pathwick
