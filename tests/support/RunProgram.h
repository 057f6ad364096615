// Runs a program of the build as a user would, and keeps what it said.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pathwick::test {

struct TProgramRun {
    int ExitStatus = -1; // the exit status, or 128 + the signal that ended it
    std::string Out;
    std::string Err;
};

// Runs args[0] with the arguments after it and waits for it. `environment`
// changes the test's own environment for the program: a name set to a value
// is set, a name set to nothing is removed. Standard input is empty.
TProgramRun RunProgram(const std::vector<std::string>& args,
                       const std::map<std::string, std::optional<std::string>>& environment = {});

// The workbench host executable of this build.
std::string PathwickBinary();

} // namespace pathwick::test
