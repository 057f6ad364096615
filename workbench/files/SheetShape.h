// A first, cheap pass over a sheet file's text that refuses what the full
// parse must never be asked to build: text nested absurdly deep, and more
// objects than a sheet may hold.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pathwick::workbench {

// What is wrong with the text's shape, or nothing. One cheap walk over the
// bytes that stops at the first fault: containers nested deeper than maxDepth
// (the outermost counts as 1), or a top-level "objects" list of more than
// maxObjects entries (refused on reaching entry maxObjects + 1, without
// reading on). Syntax is left to the parser that follows: text that is not
// JSON may pass.
std::optional<std::string> SheetShapeProblem(std::string_view text, std::size_t maxObjects,
                                             int maxDepth);

} // namespace pathwick::workbench
