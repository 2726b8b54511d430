#include <gtest/gtest.h>

#include "tests/support/utf8.h"
#include "text/json_writer.h"

namespace reelctl {
namespace {

TEST(JsonWriter, QuotesAndBackslashesAreEscaped) {
    EXPECT_EQ(json_quote("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(json_quote("\\\\.\\mailslot"), "\"\\\\\\\\.\\\\mailslot\"");
}

TEST(JsonWriter, ControlCharactersAreEscapedOthersWrittenRaw) {
    EXPECT_EQ(json_quote("\n\r\t\b\f"), "\"\\n\\r\\t\\b\\f\"");
    EXPECT_EQ(json_quote(std::string("\x00\x01\x1f", 3)), "\"\\u0000\\u0001\\u001f\"");
    EXPECT_EQ(json_quote("\x7f/"), "\"\x7f/\"");
    EXPECT_EQ(json_quote(utf8(u8"ﾘｰﾙ制御")), "\"" + utf8(u8"ﾘｰﾙ制御") + "\"");
}

TEST(JsonWriter, SeparatorsAsPythonWritesThem) {
    JsonWriter json;
    json.begin_object();
    json.key("call").value("set_text").key("id").value(1101).key("text").value(" ");
    json.key("rows").begin_array();
    json.begin_array().value(0).value(-1).end_array();
    json.begin_array().end_array();
    json.end_array();
    json.key("empty").begin_object().end_object();
    json.key("none").null().key("on").value(true).key("off").value(false);
    json.end_object();
    EXPECT_EQ(json.str(),
              "{\"call\": \"set_text\", \"id\": 1101, \"text\": \" \", \"rows\": [[0, -1], []], "
              "\"empty\": {}, \"none\": null, \"on\": true, \"off\": false}");
}

// The same document in both separator styles, with a value written elsewhere
// and a line break: the compact one is the spaced one without the blanks.
TEST(JsonWriter, CompactSeparatorsAsJavaScriptWritesThem) {
    const auto document = [](JsonWriter::Separators separators) {
        JsonWriter inner(separators);
        inner.begin_array().begin_array().value(1).value(-1).end_array().value("a, b: c").end_array();
        JsonWriter json(separators);
        json.begin_object().key("names").begin_array().value("x").value(utf8(u8"ﾘｰﾙ")).end_array();
        json.key("on").value(true).line_break().key("rows").json(inner.str()).key("none").null().end_object();
        return json.str();
    };
    EXPECT_EQ(document(JsonWriter::Separators::compact),
              "{\"names\":[\"x\",\"" + utf8(u8"ﾘｰﾙ") + "\"],\"on\":true,\n\"rows\":[[1,-1],\"a, b: c\"],\"none\":null}");
    EXPECT_EQ(document(JsonWriter::Separators::spaced),
              "{\"names\": [\"x\", \"" + utf8(u8"ﾘｰﾙ") + "\"], \"on\": true,\n\"rows\": [[1, -1], \"a, b: c\"], \"none\": null}");
}

}  // namespace
}  // namespace reelctl
