#include "workbench/model/PinLabels.h"

namespace pathwick::workbench {

namespace {

constexpr int32_t Gap = 200000; // 20 mil between a lead and its texts

int32_t Middle(int32_t a, int32_t b) {
    return static_cast<int32_t>((int64_t{a} + b) / 2);
}

} // namespace

TPinText PinNamePlace(const TPin& pin) {
    const TSheetPoint end = pin.LeadEnd();
    switch (pin.Orientation()) {
    case 0: // lead to the right: the body is on the right
        return {{SaturatingAdd(end.X, Gap), end.Y}, TTextAlong::Start, TTextAcross::Centre};
    case 2:
        return {{SaturatingAdd(end.X, -Gap), end.Y}, TTextAlong::End, TTextAcross::Centre};
    case 1: // lead upward: the body is above
        return {{end.X, SaturatingAdd(end.Y, Gap)}, TTextAlong::Centre, TTextAcross::Above};
    default:
        return {{end.X, SaturatingAdd(end.Y, -Gap)}, TTextAlong::Centre, TTextAcross::Below};
    }
}

TPinText PinNumberPlace(const TPin& pin) {
    const TSheetPoint a = pin.Anchor();
    const TSheetPoint b = pin.LeadEnd();
    const TSheetPoint middle{Middle(a.X, b.X), Middle(a.Y, b.Y)};
    if (pin.Orientation() == 0 || pin.Orientation() == 2)
        return {
            {middle.X, SaturatingAdd(middle.Y, Gap / 2)}, TTextAlong::Centre, TTextAcross::Above};
    return {{SaturatingAdd(middle.X, -Gap / 2), middle.Y}, TTextAlong::End, TTextAcross::Centre};
}

} // namespace pathwick::workbench
