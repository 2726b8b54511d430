#include <gtest/gtest.h>

#include "script/parser.h"

namespace reelctl::script {
namespace {

Event parse_event(std::string_view line) {
    ParsedLine parsed = parse_line(line);
    EXPECT_EQ(parsed.kind, ParsedLine::Kind::event) << line << ": " << parsed.error;
    return parsed.event;
}

TEST(ScriptParser, BlankLinesAndCommentsAreSkipped) {
    for (const char* line : {"", "   ", "\t \t", "# menu 40021", "  \t# click 1", "#"})
        EXPECT_EQ(parse_line(line).kind, ParsedLine::Kind::skip) << '"' << line << '"';
    // A '#' later in the line is no comment.
    EXPECT_EQ(parse_line("dump #").kind, ParsedLine::Kind::malformed);
}

TEST(ScriptParser, NumbersAndDefaults) {
    Event e = parse_event("  command\t1057   9 ");
    EXPECT_EQ(e.verb, Verb::command);
    EXPECT_EQ(e.id, 1057);
    EXPECT_EQ(e.code, 9);
    EXPECT_EQ(parse_event("command 40021").code, 0);
    EXPECT_EQ(parse_event("command 0 65535").code, 65535);
    EXPECT_EQ(parse_event("menu 065535").id, 65535);
    e = parse_event("pick 1058 99999999999999999999999");
    EXPECT_EQ(e.id, 1058);
    EXPECT_GT(e.item, 65535u);  // any N is well formed; a missing item is the combo's affair
    EXPECT_EQ(parse_event("syscommand 0xF060").value, 0xF060u);
    EXPECT_EQ(parse_event("syscommand 0Xf060").value, 0xF060u);
    EXPECT_EQ(parse_event("syscommand 61536").value, 0xF060u);
    EXPECT_TRUE(parse_event("trace on").on);
    EXPECT_FALSE(parse_event("trace off").on);
}

TEST(ScriptParser, TextIsTheRestAfterExactlyOneBlank) {
    EXPECT_EQ(parse_event("picktext 1057 BIG BONUS").text, "BIG BONUS");
    EXPECT_EQ(parse_event("picktext 1057  two blanks  ").text, " two blanks  ");
    EXPECT_EQ(parse_event("picktext   1057\t(1) 25%").text, "(1) 25%");
    EXPECT_EQ(parse_event("settext 1057 # not a comment").text, "# not a comment");
    EXPECT_EQ(parse_event("settext 1057").text, "");
    EXPECT_EQ(parse_event("settext 1057 ").text, "");
    EXPECT_EQ(parse_event("settext 1057   ").text, "  ");
}

TEST(ScriptParser, MalformedLines) {
    const char* lines[] = {
        // unknown keywords (keywords are lower case)
        "clik 1", "Click 1", "quit", "40021",
        // wrong number of arguments
        "command", "command 1 2 3", "click", "click 1 2", "menu", "menu 1 2", "pick 1058", "pick 1058 1 2",
        "close now", "setfocus 1", "dump all", "trace", "trace on off", "syscommand", "syscommand 1 2",
        "settext", "picktext", "picktext 1057", "picktext 1057 ",
        // not decimal numbers
        "click x", "click -1", "click +1", "click 1.0", "click 0x10", "command 1 0x9", "pick 1058 -1",
        "pick 1058 one", "pick x 1", "settext abc x", "picktext 1o57 x",
        // above 65535
        "click 65536", "menu 99999999999999999999", "command 1 65536", "settext 70000 x",
        // trace with anything but on or off
        "trace yes", "trace ON",
        // syscommand values
        "syscommand 0x", "syscommand 0xg", "syscommand -1", "syscommand F060", "syscommand 0x10000000000000000",
    };
    for (const char* line : lines) {
        ParsedLine parsed = parse_line(line);
        EXPECT_EQ(parsed.kind, ParsedLine::Kind::malformed) << line;
        EXPECT_FALSE(parsed.error.empty()) << line;
    }
}

}  // namespace
}  // namespace reelctl::script
