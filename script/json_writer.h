// A small JSON writer whose output matches Python's json.dumps with
// ensure_ascii=False: separators ", " and ": ", keys in the order written,
// non-ASCII text written as it is (UTF-8).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace reelctl::script {

// `text` as a JSON string literal, quotes included.
std::string json_quote(std::string_view text);

class JsonWriter {
public:
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

    const std::string& str() const { return out_; }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void before_value();

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool after_key_ = false;
};

}  // namespace reelctl::script
