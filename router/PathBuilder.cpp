#include "router/PathBuilder.h"

#include "host/HostCall.h"
#include "host/PolygonAccess.h"
#include "router/RouterDetail.h"

namespace pathwick {

namespace {

void PutVertex(ISch_Polygon* wire, int32_t index, const TSheetPoint& p) {
    HostCall(wire->SetVertex(index, p));
}

void PutCount(ISch_Polygon* wire, int32_t count) {
    HostCall(wire->SetVertexCount(count));
}

bool IsVertical(TDirection d) {
    return d == TDirection::B || d == TDirection::T;
}

} // namespace

void AddSegment(ISch_Polygon* wire, const TSheetPoint& from, const TSheetPoint& to) {
    if (!wire)
        return;
    const int32_t count = VertexCount(wire);
    if (count >= MaxPathVertices)
        return;
    if (count <= 0) {
        PutVertex(wire, 1, from);
        PutVertex(wire, 2, to);
        PutCount(wire, 2);
        return;
    }
    TSheetPoint last;
    if (count == 2) {
        // A two-vertex wire that does not go on from either end point is
        // turned round first.
        const TSheetPoint second = Vertex(wire, 2);
        if (!SamePoint(second, from) && !SamePoint(second, to)) {
            const TSheetPoint first = Vertex(wire, 1);
            PutVertex(wire, 1, second);
            PutVertex(wire, 2, first);
            last = first;
        } else {
            last = second;
        }
    } else {
        last = Vertex(wire, count);
    }
    if (SamePoint(last, from) && !SamePoint(last, to)) {
        PutVertex(wire, count + 1, to);
        PutCount(wire, count + 1);
    }
}

void ReplaceLastTwo(ISch_Polygon* wire, const TSheetPoint& first, const TSheetPoint& second) {
    if (!wire)
        return;
    const int32_t count = VertexCount(wire);
    if (count <= 2)
        return;
    PutVertex(wire, count - 1, first);
    PutVertex(wire, count, second);
}

void SwapWithPrevious(ISch_Polygon* wire, int32_t k) {
    if (!wire || k < 2 || k > MaxExchangeIndex)
        return;
    const TSheetPoint a = Vertex(wire, k);
    const TSheetPoint b = Vertex(wire, k - 1);
    PutVertex(wire, k, b);
    PutVertex(wire, k - 1, a);
}

void ReverseVertices(ISch_Polygon* wire) {
    if (!wire)
        return;
    // Each pass bubbles the last vertex down to position i - 1. Past i = 50 no
    // exchange can happen any more, so the passes stop there; that also keeps
    // an absurd vertex count from looping for ever.
    for (int32_t i = 2; i <= MaxExchangeIndex; ++i) {
        const int32_t count = VertexCount(wire);
        if (i > count)
            break;
        for (int32_t k = count; k >= i; --k)
            SwapWithPrevious(wire, k);
    }
}

bool IsStaircase(std::string_view turns, std::size_t i, TStaircaseMemory& memory) {
    if (i < 1 || i + 3 > turns.size())
        return false;
    const TDirection d0 = router::DirectionOf(turns[i - 1]);
    const TDirection d1 = router::DirectionOf(turns[i]);
    const TDirection d2 = router::DirectionOf(turns[i + 1]);
    const TDirection d3 = router::DirectionOf(turns[i + 2]);
    if (d0 == d2 && d1 == d3)
        return true;
    if (memory.Active) {
        if (d0 == memory.SavedFirst && d1 == memory.SavedSecond && d0 == d2)
            return true;
        memory.Active = false;
    }
    return false;
}

std::optional<TDetour> IsDetour(std::string_view turns, std::size_t i) {
    // The shape's four segments i..i+3 and the segment i - 1 it leaves from.
    if (i < 2 || i + 3 > turns.size())
        return std::nullopt;
    const TDirection d0 = router::DirectionOf(turns[i - 1]);
    const TDirection d1 = router::DirectionOf(turns[i]);
    const TDirection d2 = router::DirectionOf(turns[i + 1]);
    const TDirection d3 = router::DirectionOf(turns[i + 2]);
    if (OppositeDirection(d0) == d2 && d1 == d3)
        return TDetour{d1, TDetourShape::OutAndBack};
    if (OppositeDirection(d3) == d1 && d0 == d2)
        return TDetour{d0, TDetourShape::TurnBack};
    return std::nullopt;
}

TPathBuilder::TPathBuilder(TRaySource& rays, std::string_view turns, std::string_view line)
    : rays_(rays), Turns(turns), line_(line) {}

TDirection TPathBuilder::TurnAt(std::size_t i) const {
    return (i >= 1 && i <= Turns.size()) ? router::DirectionOf(Turns[i - 1]) : TDirection::None;
}

void TPathBuilder::Restore(const TSaved& saved) {
    Previous = saved.Previous;
    Current = saved.Current;
    SegmentIndex = saved.SegmentIndex;
    MoveIndex = saved.MoveIndex;
}

TSheetPoint TPathBuilder::ReplaySegment(const TSheetPoint& from) {
    if (SegmentIndex > Turns.size() || MoveIndex > line_.size())
        return router::NoPoint;
    const char letter = Turns[SegmentIndex - 1];
    const TDirection d = router::DirectionOf(letter);
    TSheetPoint p = from;
    // The ';' after the moves ends every run of letters.
    while (MoveIndex <= line_.size() && line_[MoveIndex - 1] == letter) {
        if (const auto edge = rays_.MoveEdge(p, d))
            p = router::FarEnd(*edge, d);
        ++MoveIndex;
    }
    return p;
}

void TPathBuilder::BuildPolyline(ISch_Polygon* wire, const TSheetPoint& start) {
    if (!wire)
        return;
    SegmentIndex = 1;
    MoveIndex = 1;
    Current = start;
    PutVertex(wire, 1, start);
    PutCount(wire, 1);
    staircase_.Active = false;
    while (SegmentIndex <= Turns.size()) {
        Previous = Current;
        // Only a line already read to its end yields no point. The sentinel's
        // -1 is also a real coordinate (an end point just below or left of
        // the sheet), so the returned point is not what tells.
        const bool lineRead = MoveIndex > line_.size();
        Current = ReplaySegment(Current);
        if (!lineRead) {
            if (IsStaircase(Turns, SegmentIndex, staircase_)) {
                StraightenStaircase(wire);
            } else if (const auto detour = IsDetour(Turns, SegmentIndex)) {
                StraightenDetour(wire, *detour);
            } else {
                AddSegment(wire, Previous, Current);
                staircase_.Active = false;
            }
        }
        ++SegmentIndex;
    }
}

// X Y X Y, X and Y perpendicular: the two X runs become one and the two Y runs
// one, when both straight runs through the new corner are free. An active
// staircase is extended from its corner instead.
void TPathBuilder::StraightenStaircase(ISch_Polygon* wire) {
    const TSaved saved = Save();
    const bool extending = staircase_.Active;
    TDirection d1 = TDirection::None;
    TDirection d2 = TDirection::None;
    TSheetPoint p3;
    if (!extending) {
        d1 = TurnAt(SegmentIndex + 1);
        d2 = TurnAt(SegmentIndex + 2);
        ReplaySegment(Current);
        ++SegmentIndex;
        const TSheetPoint p1 = ReplaySegment(Current);
        ++SegmentIndex;
        p3 = ReplaySegment(p1);
    } else {
        d1 = staircase_.SavedFirst;
        d2 = staircase_.SavedSecond;
        const TSheetPoint p1 = ReplaySegment(Current);
        ++SegmentIndex;
        p3 = ReplaySegment(p1);
        Current = staircase_.Corner;
    }
    const TSheetPoint q =
        IsVertical(d1) ? TSheetPoint{p3.X, Current.Y} : TSheetPoint{Current.X, p3.Y};
    const TEdge first = rays_.TestRun(Current, d2);
    const TEdge second = rays_.TestRun(q, d1);
    if (first.ContainsInside(q) && second.ContainsInside(p3)) {
        if (!extending) {
            AddSegment(wire, Previous, q);
            AddSegment(wire, q, p3);
        } else {
            ReplaceLastTwo(wire, q, p3);
        }
        Current = p3;
        staircase_.Corner = q;
        staircase_.SavedFirst = d1;
        staircase_.SavedSecond = d2;
        staircase_.Active = true;
    } else {
        Restore(saved);
        AddSegment(wire, Previous, Current);
    }
}

// A bump out and back (X Y X' Y) or a step that turns back (X Y X Y') is cut
// short by one straight run when that run is free.
void TPathBuilder::StraightenDetour(ISch_Polygon* wire, const TDetour& detour) {
    const TSaved saved = Save();
    const TDirection x = TurnAt(SegmentIndex);
    const TDirection y = TurnAt(SegmentIndex + 1);
    ReplaySegment(Current);
    ++SegmentIndex;
    const TSheetPoint p1 = ReplaySegment(Current);
    ++SegmentIndex;
    const TSheetPoint p2 = ReplaySegment(p1);
    ++SegmentIndex;
    const TSheetPoint p3 = ReplaySegment(p2);

    TSheetPoint q;
    bool beyond = false;
    bool free = false;
    if (detour.Shape == TDetourShape::TurnBack) {
        const TSheetPoint alongFirst{Current.X, p3.Y};
        const TSheetPoint acrossFirst{p3.X, Current.Y};
        switch (y) {
        case TDirection::T:
            q = p3.Y > Current.Y ? alongFirst : acrossFirst;
            break;
        case TDirection::B:
            q = p3.Y < Current.Y ? alongFirst : acrossFirst;
            break;
        case TDirection::L:
            q = p3.X < Current.X ? acrossFirst : alongFirst;
            break;
        default: // TDirection::R
            q = p3.X > Current.X ? acrossFirst : alongFirst;
            break;
        }
        free = rays_.TestRun(Current, detour.Z).ContainsInside(q);
    } else {
        switch (x) {
        case TDirection::T:
            beyond = p2.Y < Previous.Y;
            break;
        case TDirection::B:
            beyond = p2.Y > Previous.Y;
            break;
        case TDirection::L:
            beyond = p2.X > Previous.X;
            break;
        default: // TDirection::R
            beyond = p2.X < Previous.X;
            break;
        }
        TEdge run;
        if (beyond) {
            run = rays_.TestRun(Previous, y);
            q = IsVertical(x) ? TSheetPoint{p2.X, Previous.Y} : TSheetPoint{Previous.X, p2.Y};
        } else {
            run = rays_.TestRun(p2, OppositeDirection(y));
            q = IsVertical(x) ? TSheetPoint{Previous.X, p2.Y} : TSheetPoint{p2.X, Previous.Y};
        }
        free = run.ContainsInside(q);
    }

    if (free) {
        AddSegment(wire, Previous, q);
        if (detour.Shape == TDetourShape::OutAndBack && beyond) {
            AddSegment(wire, q, p2);
            AddSegment(wire, p2, p3);
        } else {
            AddSegment(wire, q, p3);
        }
        Current = p3;
    } else {
        Restore(saved);
        AddSegment(wire, Previous, Current);
    }
}

void BuildPolyline(ISch_Polygon* wire, std::string_view turns, const TSheetPoint& start,
                   std::string_view line, TRaySource& rays) {
    TPathBuilder builder(rays, turns, line);
    builder.BuildPolyline(wire, start);
}

} // namespace pathwick
