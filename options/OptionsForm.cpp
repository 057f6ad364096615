#include "options/OptionsForm.h"

#include "platform/settings/IntegerText.h"
#include "ui/ModalResult.h"
#include "ui/WinXPPageControl.h"
#include "ui/WinXPTabSheet.h"
#include "ui/XPBitBtn.h"
#include "ui/XPEdit.h"
#include "ui/XPGroupBox.h"
#include "ui/XPTrackBar.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QScreen>

namespace pathwick {

namespace {

constexpr int MinTimeOutSeconds = 1;
constexpr int MaxTimeOutSeconds = 99;

// The labels' texts and the widths that the layout gives them.
struct TLabelText {
    const char* Text;
    int Width;
};
constexpr TLabelText LabelTexts[] = {
    {"Time Out After (s)", 82}, {"Avoid cutting wires", 89}, {"L", 6}, {"H", 8}};

bool LabelsFit(const QFont& font) {
    const QFontMetricsF metrics(font);
    for (const TLabelText& label : LabelTexts) {
        if (metrics.horizontalAdvance(QString::fromLatin1(label.Text)) > label.Width)
            return false;
    }
    return true;
}

// The form's font: "MS Sans Serif" at 8 points. Where it is not installed,
// the system's font, at 8 points when the fixed layout's labels fit, else
// made smaller (down to 6 points, then also narrowed) until they do.
QFont FormFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    if (QFontInfo(font).family().compare(font.family(), Qt::CaseInsensitive) == 0)
        return font;
    QFont system = QApplication::font();
    // Smaller glyphs of their own shape read better than squeezed ones.
    for (const int stretch : {int{QFont::Unstretched}, int{QFont::Condensed}}) {
        system.setStretch(stretch);
        for (int quarters = 32; quarters >= 24; --quarters) {
            system.setPointSizeF(quarters / 4.0);
            if (LabelsFit(system))
                return system;
        }
    }
    return system;
}

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top, int width, int height) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(left, top, width, height);
    // Transparent: a label paints no background of its own.
    label->setAutoFillBackground(false);
    return label;
}

} // namespace

TOptionsForm::TOptionsForm(std::unique_ptr<TRouteOptions>& options) : options_(options) {
    if (options_) {
        timeOut_ = options_->TimeOut;
        avoidWiresPosition_ = options_->AvoidWiresPosition;
    }
    inset_ = 0;
    BuildControls();
}

void TOptionsForm::BuildControls() {
    setWindowTitle(QStringLiteral("Point to Point Router Options"));
    setFont(FormFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);
    setFixedSize(232, 191);

    PageControl1 = new TWinXPPageControl(this);
    PageControl1->setGeometry(8, 8, 217, 145);
    TabSheet1 = new TWinXPTabSheet(PageControl1, QStringLiteral("Options"));

    GroupBox1 = new TXPGroupBox(TabSheet1);
    GroupBox1->setGeometry(8, 9, 193, 104);

    Label3 = MakeLabel(GroupBox1, "Time Out After (s)", 13, 23, 82, 13);
    TimeOutEditBox = new TXPEdit(GroupBox1);
    TimeOutEditBox->setGeometry(114, 19, 67, 21);
    connect(TimeOutEditBox, &TXPEdit::Exit, this, &TOptionsForm::SetTimeOut);

    AvoidanceLabel = MakeLabel(GroupBox1, "Avoid cutting wires", 14, 57, 89, 13);
    AvoidWireFrequencyTrackBar = new TXPTrackBar(GroupBox1);
    AvoidWireFrequencyTrackBar->setGeometry(106, 51, 81, 28);
    AvoidWireFrequencyTrackBar->SetMin(1);
    AvoidWireFrequencyTrackBar->SetPosition(1);
    connect(AvoidWireFrequencyTrackBar, &TXPTrackBar::Changed, this, &TOptionsForm::SetCutWireFreq);
    Label1 = MakeLabel(GroupBox1, "L", 114, 78, 6, 13);
    Label2 = MakeLabel(GroupBox1, "H", 174, 78, 8, 13);

    OKButton = new TXPBitBtn(this);
    OKButton->setGeometry(73, 159, 75, 25);
    OKButton->SetCaption(QStringLiteral("OK"));
    OKButton->SetDefault(true);
    OKButton->SetModalResult(ModalOK);
    connect(OKButton, &TXPBitBtn::Click, this, &TOptionsForm::OnOKClick);

    CancelButton = new TXPBitBtn(this);
    CancelButton->setGeometry(150, 159, 75, 25);
    CancelButton->SetCaption(QStringLiteral("Cancel"));
    CancelButton->SetCancel(true);
    CancelButton->SetModalResult(ModalCancel);
    connect(CancelButton, &TXPBitBtn::Click, this, &TOptionsForm::OnCancelClick);

    setTabOrder(PageControl1, TimeOutEditBox);
    setTabOrder(TimeOutEditBox, AvoidWireFrequencyTrackBar);
    setTabOrder(AvoidWireFrequencyTrackBar, OKButton);
    setTabOrder(OKButton, CancelButton);
}

void TOptionsForm::showEvent(QShowEvent* event) {
    if (const QScreen* display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
    OnFormShow();
    TServerDialog::showEvent(event);
}

void TOptionsForm::OnFormShow() {
    TimeOutEditBox->SetText(QString::number(timeOut_ / 1000));
    // A stored position other than the bar's own fires its change event,
    // which stores the same value.
    AvoidWireFrequencyTrackBar->SetPosition(avoidWiresPosition_);
}

void TOptionsForm::SetTimeOut() {
    const std::optional<int32_t> typed = ParseIntegerText(TimeOutEditBox->Text().toStdString());
    const int32_t seconds = typed.value_or(timeOut_ / 1000);
    if (seconds >= MinTimeOutSeconds && seconds <= MaxTimeOutSeconds)
        timeOut_ = seconds * 1000;
}

void TOptionsForm::SetCutWireFreq() {
    avoidWiresPosition_ = AvoidWireFrequencyTrackBar->Position();
}

void TOptionsForm::OnOKClick() {
    if (options_) {
        options_->TimeOut = timeOut_;
        options_->ObjectInset = inset_;
        options_->AvoidWiresPosition = avoidWiresPosition_;
    }
    done(ModalOK);
}

void TOptionsForm::OnCancelClick() {
    done(ModalCancel);
}

int RunOptionsDialog(std::unique_ptr<TRouteOptions>& options) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return ModalCancel;
    TOptionsForm form(options);
    return form.ShowModal();
}

} // namespace pathwick
