// The one JSON writer: keys in the order written, non-ASCII text written as
// it is (UTF-8). Spaced, its output matches Python's json.dumps with
// ensure_ascii=False (separators ", " and ": "); compact, JavaScript's
// JSON.stringify ("," and ":").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reelctl {

// `text` as a JSON string literal, quotes included.
std::string json_quote(std::string_view text);

class JsonWriter {
public:
    enum class Separators { spaced, compact };

    explicit JsonWriter(Separators separators = Separators::spaced) : compact_(separators == Separators::compact) {}

    JsonWriter& begin_object() { return open('{'); }
    JsonWriter& end_object() { return close('}'); }
    JsonWriter& begin_array() { return open('['); }
    JsonWriter& end_array() { return close(']'); }
    JsonWriter& key(std::string_view name);
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& value(std::string_view text);  // UTF-8
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& null();
    // A value that is JSON already, such as another writer's str().
    JsonWriter& json(std::string_view text);
    // The next member or element starts a line of its own (after the comma, in
    // place of the blank).
    JsonWriter& line_break() {
        break_line_ = true;
        return *this;
    }

    const std::string& str() const { return out_; }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void before_value();

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool after_key_ = false;
    bool compact_ = false;
    bool break_line_ = false;
};

}  // namespace reelctl
