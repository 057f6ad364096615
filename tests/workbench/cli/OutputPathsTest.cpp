#include "workbench/cli/OutputPaths.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace pathwick::workbench {
namespace {

// The message of the refusal, or "" when the outputs are accepted.
std::string Refusal(const std::string& input, const std::vector<TOutputPath>& outputs) {
    try {
        CheckOutputPaths(input, outputs);
        return "";
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
}

TEST(OutputPaths, SameFilesAreFoundWhateverTheSpelling) {
    test::TTempFolder folder;
    const std::string sheet = folder.File("S.json");
    test::WriteAll(sheet, "{}");
    ASSERT_EQ(::symlink(sheet.c_str(), folder.File("link.json").c_str()), 0);
    std::filesystem::create_directory(folder.File("sub"));
    const std::string other = (folder.Path() / "sub" / ".." / "S.json").string();

    // The input, named in several ways.
    for (const std::string& same : {sheet, other, folder.File("link.json")}) {
        SCOPED_TRACE(same);
        EXPECT_NE(Refusal(sheet, {{"--svg", same}}).find("--svg " + same + " is the input sheet"),
                  std::string::npos);
        EXPECT_EQ(Refusal(sheet, {{"-o", same, true}}), "");
    }
    // Two outputs that do not exist yet, one through a folder's "..": -o may
    // be the input but not another output.
    const std::string a = folder.File("a.svg");
    const std::string b = (folder.Path() / "sub" / ".." / "a.svg").string();
    EXPECT_NE(Refusal(sheet, {{"-o", a, true}, {"--report", b}}).find("are the same file"),
              std::string::npos);
    // Outputs not asked for are not compared.
    EXPECT_EQ(Refusal(sheet, {{"-o", sheet, true}, {"--svg", a}, {"--report", ""}}), "");
}

} // namespace
} // namespace pathwick::workbench
