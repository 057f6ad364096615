// Turns a found line of moves back into wire vertices, straightening staircases
// and detours on the way, and the vertex operations on the result wire.
#pragma once

#include "geometry/Direction.h"
#include "geometry/Edge.h"
#include "host/HostInterfaces.h"
#include "host/HostTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pathwick {

// Where the path construction gets its runs from: the router's clipped moves
// and the obstacle tree's shortcut test runs.
class TRaySource {
public:
    // The search's move from p in d: nothing when it reaches the sheet's
    // border or has no length.
    virtual std::optional<TEdge> MoveEdge(const TSheetPoint& p, TDirection d) = 0;
    // A shortcut test run from p in d: clipped, guide lines ignored, wire runs
    // exact; not filtered.
    virtual TEdge TestRun(const TSheetPoint& p, TDirection d) = 0;

protected:
    ~TRaySource() = default;
};

// A built path never holds more vertices than this.
inline constexpr int32_t MaxPathVertices = 48;
// Vertex exchanges act only on indices 2 to this.
inline constexpr int32_t MaxExchangeIndex = 50;

// Vertex operations. Each host call goes through HostCall and raises on a
// failing status; a null wire is left alone.

// Appends To when the last vertex is From (and not To); starts an empty wire
// with From and To. A wire of 48 or more vertices takes nothing.
void AddSegment(ISch_Polygon* wire, const TSheetPoint& from, const TSheetPoint& to);
// Overwrites the last two vertices of a wire of more than two.
void ReplaceLastTwo(ISch_Polygon* wire, const TSheetPoint& first, const TSheetPoint& second);
// Exchanges vertices k and k - 1 when 2 <= k <= 50.
void SwapWithPrevious(ISch_Polygon* wire, int32_t k);
// Reverses the vertex order (exact up to 50 vertices).
void ReverseVertices(ISch_Polygon* wire);

// What a successful staircase straightening leaves for the next one.
struct TStaircaseMemory {
    bool Active = false; // the last straightening was a staircase and may be extended
    TDirection SavedFirst = TDirection::None;
    TDirection SavedSecond = TDirection::None;
    TSheetPoint Corner{};
};

// Turns holds the shape X Y X Y at 1-based position i (or extends the active
// staircase). Needs four letters from i; clears memory.Active when an active
// staircase cannot be extended.
bool IsStaircase(std::string_view turns, std::size_t i, TStaircaseMemory& memory);

// The two detours the construction cuts short (a prime marks the opposite
// direction).
enum class TDetourShape : uint8_t {
    OutAndBack, // X Y X' Y: a bump out and back
    TurnBack,   // X Y X Y': a step that turns back
};

struct TDetour {
    TDirection Z = TDirection::None;
    TDetourShape Shape = TDetourShape::OutAndBack;
};
// Turns holds a detour shape at 1-based position i >= 2: the four segments
// i..i+3, entered from segment i - 1.
std::optional<TDetour> IsDetour(std::string_view turns, std::size_t i);

// One run of the path construction over one line.
class TPathBuilder {
public:
    // Turns: one letter per straight segment; line: the moves, ";" and the total.
    TPathBuilder(TRaySource& rays, std::string_view turns, std::string_view line);

    // Writes the path into wire starting at start (vertex 1), straightening
    // staircases and detours whose shortcut runs are free.
    void BuildPolyline(ISch_Polygon* wire, const TSheetPoint& start);

    // Walks the moves of the current segment from from; the no-point sentinel
    // when segments or moves are exhausted. Leaves the segment index alone.
    TSheetPoint ReplaySegment(const TSheetPoint& from);

private:
    struct TSaved {
        TSheetPoint Previous;
        TSheetPoint Current;
        std::size_t SegmentIndex;
        std::size_t MoveIndex;
    };
    TSaved Save() const { return {Previous, Current, SegmentIndex, MoveIndex}; }
    void Restore(const TSaved& saved);
    TDirection TurnAt(std::size_t i) const; // 1-based; TDirection::None past the end
    void StraightenStaircase(ISch_Polygon* wire);
    void StraightenDetour(ISch_Polygon* wire, const TDetour& detour);

    TRaySource& rays_;
    std::string Turns;
    std::string line_;
    std::size_t SegmentIndex = 1;
    std::size_t MoveIndex = 1;
    TSheetPoint Previous{};
    TSheetPoint Current{};
    TStaircaseMemory staircase_;
};

// The whole construction: a TPathBuilder run over the line.
void BuildPolyline(ISch_Polygon* wire, std::string_view turns, const TSheetPoint& start,
                   std::string_view line, TRaySource& rays);

} // namespace pathwick
