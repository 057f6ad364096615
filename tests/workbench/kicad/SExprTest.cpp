#include "workbench/kicad/SExpr.h"

#include <gtest/gtest.h>

namespace pathwick::workbench::kicad {
namespace {

TSexpr Parse(std::string_view text) {
    return ParseSexpr(text, "test");
}

TEST(SExpr, QuotedStringsResolveEscapes) {
    struct TCase {
        const char* Text;
        std::string Value;
    };
    const TCase cases[] = {
        {R"((t "a\"b"))", "a\"b"},
        {R"((t "back\\slash"))", "back\\slash"},
        {R"((t "two\nlines"))", "two\nlines"},
        {R"((t "tab\there"))", "tab\there"},
        {R"((t "\x41\x4a"))", "AJ"},
        {R"((t "\101\60"))", "A0"},
        {R"((t "\q"))", "q"},
        {R"((t ""))", ""},
        {"(t \"raw\nbreak\")", "raw\nbreak"},
    };
    for (const TCase& c : cases) {
        const TSexpr root = Parse(c.Text);
        ASSERT_EQ(root.Items.size(), 2u) << c.Text;
        EXPECT_TRUE(root.Items[1].IsString()) << c.Text;
        EXPECT_EQ(root.Items[1].Value, c.Value) << c.Text;
    }
}

TEST(SExpr, QuotedHideIsAStringNotTheFlag) {
    const TSexpr root =
        Parse(R"((x (property "Value" "hide") (pin a b hide) (effects (hide yes))))");
    const TSexpr* property = root.Find("property");
    ASSERT_NE(property, nullptr);
    EXPECT_FALSE(property->HasFlag("hide"));
    EXPECT_EQ(*property->Text(2), "hide");
    EXPECT_TRUE(root.Find("pin")->HasFlag("hide"));
    const TSexpr* hide = root.Find("effects")->Find("hide");
    ASSERT_NE(hide, nullptr);
    EXPECT_EQ(*hide->Text(1), "yes");
    EXPECT_EQ(root.Find("nothing"), nullptr);
}

TEST(SExpr, ElementsKnowWhereTheyStand) {
    const std::string text = "(kicad_sch\n  (wire (pts (xy 1.27 -2.54)))\n  \"s\"\n)";
    const TSexpr root = Parse(text);
    const TSexpr& wire = root.Items[1];
    EXPECT_EQ(wire.Line, 2u);
    EXPECT_EQ(text.substr(wire.Begin, wire.End - wire.Begin), "(wire (pts (xy 1.27 -2.54)))");
    const TSexpr& y = wire.Find("pts")->Find("xy")->Items[2];
    EXPECT_TRUE(y.IsAtom());
    EXPECT_EQ(text.substr(y.Begin, y.End - y.Begin), "-2.54");
    EXPECT_EQ(text.substr(root.Items[2].Begin, root.Items[2].End - root.Items[2].Begin), "\"s\"");
    EXPECT_EQ(root.End, text.size());
}

TEST(SExpr, RefusesBrokenText) {
    const char* broken[] = {
        "", "   ", "atom", "(a (b)", "(a \"open)", "(a) (b)", "(a))", "(a \"x\\",
    };
    for (const char* text : broken)
        EXPECT_THROW(Parse(text), EKicadError) << text;
    std::string deep(MaxSexprDepth + 1, '(');
    deep += std::string(MaxSexprDepth + 1, ')');
    EXPECT_THROW(Parse(deep), EKicadError);
    std::string deepest(MaxSexprDepth, '(');
    deepest += std::string(MaxSexprDepth, ')');
    EXPECT_NO_THROW(Parse(deepest));
}

TEST(SExpr, ErrorsNameTheSourceAndLine) {
    try {
        ParseSexpr("(a\n  (b\n", "sheet.kicad_sch");
        FAIL();
    } catch (const EKicadError& e) {
        EXPECT_EQ(std::string(e.what()), "sheet.kicad_sch:2: this list is never closed");
    }
}

} // namespace
} // namespace pathwick::workbench::kicad
