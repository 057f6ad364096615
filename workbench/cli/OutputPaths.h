// Keeps a command's outputs from overwriting its input, or each other, by accident.
#pragma once

#include <string>
#include <vector>

namespace pathwick::workbench {

struct TOutputPath {
    std::string Option;      // as the user typed it, e.g. "--svg"
    std::string Path;        // empty: the output is not asked for
    bool MayBeInput = false; // e.g. -o: writing the routed sheet over its input is explicit
};

// Raises std::invalid_argument naming both options when an output is the
// input file (unless it may be) or the file of another output. Files are
// compared by identity, not by spelling: another spelling of the path, a
// link to the file or a link to its folder counts as the same file.
void CheckOutputPaths(const std::string& input, const std::vector<TOutputPath>& outputs);

} // namespace pathwick::workbench
