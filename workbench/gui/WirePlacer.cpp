#include "workbench/gui/WirePlacer.h"

#include "workbench/model/ObjectKinds.h"
#include "workbench/model/ReportSink.h"
#include "workbench/model/RouteFailureText.h"
#include "workbench/model/UnroutedRun.h"

#include <chrono>
#include <exception>

namespace pathwick::workbench {

TWirePlacer::TWirePlacer(TSheetDocument& sheet, TModule* module) : sheet_(sheet), module_(module) {}

std::optional<TSheetPoint> TWirePlacer::SegmentStart() const {
    if (!wire_ || wire_->VertexCount() < 1)
        return std::nullopt;
    return wire_->Vertices().back();
}

TClickOutcome TWirePlacer::Click(TSheetPoint point) {
    if (!wire_) {
        wire_ = TPolyline::Create(kinds::Wire, {point});
        sheet_.AddObject(*wire_);
        TClickOutcome outcome;
        outcome.Kind = TClickOutcome::TKind::Started;
        outcome.From = outcome.To = point;
        return outcome;
    }
    return PlaceSegment(point);
}

TClickOutcome TWirePlacer::PlaceSegment(TSheetPoint to) {
    TClickOutcome outcome;
    const std::vector<TSheetPoint> before = wire_->Vertices();
    outcome.From = before.empty() ? to : before.back();
    outcome.To = to;
    if (before.empty() || outcome.From == to)
        return outcome; // a segment of no length is not placed

    // The segment as the user placed it: the wire's last two vertices are its ends.
    std::vector<TSheetPoint> placed = before;
    placed.push_back(to);
    wire_->SetVertices(placed);
    undo_.push_back({wire_, before});

    if (!module_) {
        outcome.Kind = TClickOutcome::TKind::NotRouted;
        PlaceUnrouted(*wire_, before, to);
        return outcome;
    }
    TReportCapture report;
    const auto started = std::chrono::steady_clock::now();
    try {
        const bool routed =
            module_->Execute(wire_.Get(), outcome.From.X, outcome.From.Y, to.X, to.Y) != 0;
        outcome.Kind = routed ? TClickOutcome::TKind::Routed : TClickOutcome::TKind::NotRouted;
    } catch (const std::exception& e) {
        outcome.Kind = TClickOutcome::TKind::Failed;
        outcome.Error = e.what();
    } catch (...) {
        outcome.Kind = TClickOutcome::TKind::Failed;
        outcome.Error = "unknown error";
    }
    outcome.Milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    if (outcome.Kind == TClickOutcome::TKind::Routed)
        return outcome;
    if (outcome.Kind == TClickOutcome::TKind::NotRouted && report.Last())
        outcome.Why = RouteFailureText(report.Last()->Failure, outcome.From, to);
    // An error may have left the wire half rewritten; either way the sheet
    // gets the user's segment, placed as an editor would and marked unrouted.
    PlaceUnrouted(*wire_, before, to);
    return outcome;
}

void TWirePlacer::EndWire() {
    if (!wire_)
        return;
    if (wire_->VertexCount() < 2)
        sheet_.RemoveObject(*wire_);
    wire_.Reset();
}

bool TWirePlacer::Undo() {
    if (undo_.empty())
        return false;
    TUndoStep step = std::move(undo_.back());
    undo_.pop_back();
    // A wire started after the step's wire has no segments (its segments
    // would be later steps): end it first.
    if (wire_ && wire_ != step.Wire)
        EndWire();
    step.Wire->SetVertices(step.Before);
    if (step.Before.size() < 2) {
        sheet_.RemoveObject(*step.Wire);
        if (wire_ == step.Wire)
            wire_.Reset();
    }
    return true;
}

} // namespace pathwick::workbench
