#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "panel/control_ids.h"
#include "tests/support/utf8.h"
#include "programs/reelctl-script/command_line.h"
#include "script/model_host.h"
#include "script/session.h"
#include "text/cp932.h"
#include "text/json_writer.h"

namespace reelctl::script {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome run_tool(const std::string& script, std::vector<std::string> args = {}) {
    std::istringstream in(script);
    std::ostringstream out, err;
    Outcome outcome;
    outcome.status = run_command_line(args, in, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A session of its own, to look at the model after the script.
class Runner {
public:
    explicit Runner(ModelOptions options = {}) : host(options), runner(host, out, err, "reelctl-script") {}
    int run(const std::string& script) {
        std::istringstream in(script);
        return runner.run(in);
    }
    std::ostringstream out, err;
    ModelHost host;
    Session runner;
};

TEST(ScriptTool, BadOptionsAndUnreadableScriptsFailWithStatusOne) {
    const std::vector<std::vector<std::string>> bad = {
        {"--rowpixels", "24"}, {"-x"}, {"--row-pixels"}, {"--row-pixels", "wide"}, {"--row-pixels=2.5"},
        {"a.script", "b.script"}, {"/nonexistent/reelctl/script"},
        {std::filesystem::temp_directory_path().string()},  // a directory
    };
    for (const auto& args : bad) {
        Outcome o = run_tool("dump\n", args);
        EXPECT_EQ(o.status, exit_failure) << args[0];
        EXPECT_EQ(o.out, "") << args[0];
        EXPECT_FALSE(o.err.empty()) << args[0];
    }
}

TEST(ScriptTool, ReadsTheScriptFileOrStandardInput) {
    const auto path = std::filesystem::temp_directory_path() / "reelctl_script_test.script";
    {
        std::ofstream file(path, std::ios::binary);
        file << "\xEF\xBB\xBF# from a file, with a byte order mark and CR LF line ends\r\ndump\r\n";
    }
    Outcome from_file = run_tool("", {"--companion", path.string()});
    std::filesystem::remove(path);
    EXPECT_EQ(from_file.status, exit_ok) << from_file.err;
    EXPECT_EQ(count(from_file.out, "{\"dump\": "), 1u);

    Outcome from_stdin = run_tool("dump\ndump", {"--row-pixels", "30", "-"});
    EXPECT_EQ(from_stdin.status, exit_ok) << from_stdin.err;
    EXPECT_EQ(count(from_stdin.out, "\"layout_variant\": 1,"), 2u);
}

TEST(ScriptTool, MalformedLineStopsTheRunWithItsLineNumber) {
    Outcome o = run_tool("dump\n\n# note\nclick\ndump\n");
    EXPECT_EQ(o.status, exit_malformed);
    EXPECT_EQ(count(o.out, "{\"dump\": "), 1u);  // the line before ran, the one after not
    EXPECT_NE(o.err.find("line 4"), std::string::npos) << o.err;

    // Lines after a close are still checked.
    o = run_tool("close\nclick 1\nmenu 70000\n");
    EXPECT_EQ(o.status, exit_malformed);
    EXPECT_NE(o.err.find("line 3"), std::string::npos) << o.err;
}

TEST(ScriptTool, RefusedUserActionsAreIgnoredWithANote) {
    Runner r;
    const std::string script =
        "trace on\n"
        "click 1101\n"         // an edit box
        "click 1122\n"         // a hidden radio
        "click 101\n"          // a disabled button
        "pick 1058 0\n"        // a disabled combo
        "pick 1057 4000\n"     // no such item
        "picktext 1057 none of the roles\n"
        "settext 1122 x\n"     // not a combo
        "pick 1101 0\n";
    EXPECT_EQ(r.run(script), exit_ok);
    EXPECT_EQ(r.out.str(), "");  // nothing reached the logic
    EXPECT_EQ(count(r.err.str(), "ignored"), 8u) << r.err.str();
    EXPECT_NE(r.err.str().find("line 3"), std::string::npos);
    EXPECT_FALSE(r.host.model().control(stop_radio_id(0, 0))->checked);
}

TEST(ScriptTool, SetTextKeepsTrailingBlanksAndConvertsToCodePage932) {
    Runner r;
    EXPECT_EQ(r.run("settext 1058 (1) 25%  \n" + utf8(u8"settext 1059 ﾊﾟﾀｰﾝ１\u20ac\n") + "settext 1057\n"), exit_ok);
    EXPECT_EQ(r.host.model().control(IDC_TABLE_COMBO)->text, "(1) 25%  ");
    EXPECT_EQ(r.host.model().control(IDC_PATTERN_COMBO)->text, utf8_to_cp932(utf8(u8"ﾊﾟﾀｰﾝ１")) + "?");
    EXPECT_EQ(r.host.model().control(IDC_ROLE_COMBO)->text, "");
    EXPECT_EQ(r.out.str(), "");  // settext does not notify
}

// Characters of every lead byte range, typed whole, cut at the 63-byte limit of the
// combo read, or as a lone byte at the end: the dump shows what was typed and the
// logic reads whole characters only.
TEST(ScriptTool, TypedTextsOfEveryLeadByteRange) {
    struct Typed {
        const char8_t* text;
        const char* cp932;
    };
    const Typed typed[] = {
        {u8"\u3000\u2015\u00d7\u00f7\u25ef", "\x81\x40\x81\x5C\x81\x7E\x81\x80\x81\xFC"},  // 　―×÷◯
        {u8"\u6a97\u6b43\u6ecc", "\x9F\x40\x9F\x5C\x9F\xFC"},                          // 檗歃滌
        {u8"\u6f3e\u6fec\u73f1", "\xE0\x40\xE0\x5C\xE0\xFC"},                          // 漾濬珱
        {u8"\u9adc\u9ed1", "\xFC\x40\xFC\x4B"},                                        // 髜黑
    };
    // The script text, the bytes the combo holds, the bytes the logic reads, the dump's text.
    struct Case {
        std::string script, held, read, shown;
    };
    std::vector<Case> cases;
    for (const Typed& t : typed) {
        const std::string text = utf8(t.text), bytes = t.cp932, x61(61, 'x'), x62(62, 'x');
        cases.push_back({"a" + text, "a" + bytes, "a" + bytes, "a" + text});
        cases.push_back({x61 + text, x61 + bytes, x61 + bytes.substr(0, 2), x61 + text});
        cases.push_back({x62 + text, x62 + bytes, x62, x62 + text});
        cases.push_back({"a" + bytes.substr(0, 1), "a?", "a?", "a?"});  // not UTF-8
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Runner r;
        ASSERT_EQ(r.run("settext 1057 " + c.script + "\ndump\n"), exit_ok) << r.err.str();
        EXPECT_EQ(r.host.model().control(IDC_ROLE_COMBO)->text, c.held);
        char read[64];
        r.host.model().combo_text(IDC_ROLE_COMBO, read, sizeof read);  // as the dispatcher reads it
        EXPECT_EQ(std::string(read), c.read);
        const std::string dump = r.out.str();
        const std::size_t combo = dump.find("\"1057\": {\"items\": ");
        ASSERT_NE(combo, std::string::npos);
        EXPECT_EQ(dump.find("\"text\": " + json_quote(c.shown) + ", \"enabled\": true}", combo),
                  dump.find("\"text\": ", combo));
    }
}

TEST(ScriptTool, StartShowsTheTitleAndTheSmallOrLargePictures) {
    Runner small;
    ASSERT_EQ(small.run("dump\n"), exit_ok);
    const std::string d = small.out.str();
    EXPECT_EQ(d.rfind("{\"dump\": {\"caption\": \"" + utf8(u8"Vostrelの リール制御 [ ３枚掛 左→中→右 ]") +
                          "\", \"ended\": null, \"focus\": 1, \"menu_checked\": [40023, 40024], "
                          "\"messages\": [], \"notice\": null, \"state\": {\"bet\": 2, \"stop_order\": 0, ",
                      0),
              0u)
        << d;
    EXPECT_NE(d.find("\"1350\": {\"image\": \"VSSL\"}"), std::string::npos);
    EXPECT_NE(d.find("\"1065\": {\"image\": \"VSSP\"}"), std::string::npos);

    Runner large(ModelOptions{30, false});
    ASSERT_EQ(large.run("dump\n"), exit_ok);
    EXPECT_EQ(large.host.panel().state.layout_variant, 1);
    EXPECT_NE(large.out.str().find("\"1352\": {\"image\": \"VSMR\"}"), std::string::npos);
    EXPECT_NE(large.out.str().find("\"1073\": {\"image\": \"VSMP\"}"), std::string::npos);
}

TEST(ScriptTool, DumpHasEveryKeyInOrder) {
    Outcome o = run_tool("dump\n");
    ASSERT_EQ(o.status, exit_ok);
    std::size_t at = 0;
    for (const char* key :
         {"\"caption\": ", "\"ended\": ", "\"focus\": ", "\"menu_checked\": ", "\"messages\": ", "\"notice\": ",
          "\"state\": {\"bet\": ", "\"stop_order\": ", "\"role\": ", "\"pattern_code\": ", "\"slide_table\": ",
          "\"role_kind\": ", "\"left_pattern\": ", "\"table_choice\": ", "\"awaiting_stop\": ",
          "\"split_pending\": ", "\"pattern_mode\": ", "\"layout_variant\": ", "\"stop_pos\": [",
          "\"columns\": [[[", "\"conflict_mask\": [", "\"ten_coin\": {\"codes\": [", "\"candidates_a\": ",
          "\"candidates_b\": ", "\"weights\": [", "\"saved_center_pos\": ", "\"saved_right_pos\": ",
          "\"controls\": {\"1\": {\"enabled\": true}, \"101\": {\"enabled\": false}, ",
          "\"1057\": {\"items\": [", "\"1059\": {\"items\": [], \"text\": \"\", \"enabled\": false}, ",
          "\"1062\": {\"enabled\": false}, ", "\"1101\": {\"text\": ", "\"1122\": {\"visible\": false, \"checked\": ",
          "\"1342\": {\"visible\": ", "\"1352\": {\"image\": "}) {
        std::size_t next = o.out.find(key, at);
        ASSERT_NE(next, std::string::npos) << key;
        at = next;
    }
    EXPECT_EQ(count(o.out, "\": {\"text\": "), 63u);
    EXPECT_EQ(count(o.out, "\": {\"visible\": "), 63u);
    EXPECT_EQ(count(o.out, "\": {\"image\": "), 12u);
    EXPECT_EQ(count(o.out, "\"1001\""), 0u);
    EXPECT_EQ(o.out.substr(o.out.size() - 4), "}}}\n");
}

TEST(ScriptTool, PickTextMatchesTheItemsInUtf8) {
    Runner r;
    ASSERT_EQ(r.run(""), exit_ok);
    const auto& items = r.host.model().control(IDC_ROLE_COMBO)->items;
    ASSERT_FALSE(items.empty());
    const std::string last = items.back();  // the role list ends with non-ASCII names
    ASSERT_TRUE(r.runner.run_line("picktext 1057 " + cp932_to_utf8(last), 1));
    EXPECT_EQ(r.host.model().control(IDC_ROLE_COMBO)->text, last);
    EXPECT_GE(r.host.panel().state.role, 0);
    EXPECT_EQ(r.err.str(), "");
}

TEST(ScriptTool, MessagesAreListedOnceInUtf8) {
    Outcome o = run_tool("settext 1057 no such role\ncommand 1057 9\ndump\ndump\n");
    ASSERT_EQ(o.status, exit_ok);
    const std::string shown = "\"messages\": [{\"text\": \"" + utf8(u8"成立役を選択して下さい．") +
                              "\", \"caption\": \"" + utf8(u8"ﾘｰﾙ制御") + "\"}]";
    EXPECT_EQ(count(o.out, shown), 1u) << o.out;
    EXPECT_EQ(count(o.out, "\"messages\": []"), 1u);
}

TEST(ScriptTool, TraceShowsEveryCallWhileOn) {
    Outcome o = run_tool("menu 40030\ntrace on\nmenu 40030\ncommand 2\ntrace off\nmenu 40030\n");
    ASSERT_EQ(o.status, exit_ok);
    EXPECT_EQ(o.out, "{\"call\": \"help\", \"file\": \"VSG.HLP\", \"context\": 2}\n");
}

TEST(ScriptTool, CloseDeliversTheNoticeOnlyToTheCompanion) {
    const std::string notice = "\"notice\": \"01000101" + std::string(56, '0') + "\"";
    const std::string script = "trace on\nclose\ntrace off\nclick 1\nmenu 40021\ndump\n";
    Outcome with = run_tool(script, {"--companion"});
    ASSERT_EQ(with.status, exit_ok);
    EXPECT_NE(with.out.find("{\"call\": \"delete_bitmap\", \"name\": \"VSSL\"}\n"), std::string::npos);
    EXPECT_NE(with.out.find("{\"call\": \"mailslot_write\", \"bytes\": \"01000101"), std::string::npos);
    EXPECT_NE(with.out.find("{\"call\": \"end_dialog\", \"value\": 1}\n"), std::string::npos);
    EXPECT_NE(with.out.find(notice), std::string::npos);
    EXPECT_NE(with.out.find("\"ended\": 1,"), std::string::npos);
    EXPECT_NE(with.out.find("\"menu_checked\": [40023, 40024]"), std::string::npos);  // menu 40021 ignored
    EXPECT_NE(with.out.find("\"1350\": {\"image\": \"VSSL\"}"), std::string::npos);    // names kept after delete
    EXPECT_EQ(count(with.err, "ignored"), 3u) << with.err;  // trace off, click, menu after the close

    Outcome without = run_tool(script);
    ASSERT_EQ(without.status, exit_ok);
    EXPECT_NE(without.out.find("{\"call\": \"mailslot_write\", \"bytes\": \"01000101"), std::string::npos);
    EXPECT_NE(without.out.find("\"notice\": null"), std::string::npos);
    EXPECT_NE(without.out.find("\"ended\": 1,"), std::string::npos);
}

}  // namespace
}  // namespace reelctl::script
