#include "quoted_parameters.h"

#include "request_error.h"

#include <string>

namespace seclog::server {
namespace {

// Deep enough for any real request, shallow enough that "[[[[..." cannot exhaust the stack.
constexpr int kMaxDepth = 16;

class QuotedParser {
public:
    explicit QuotedParser(std::string_view text) : text_(text) {}

    nlohmann::json parseAll() {
        nlohmann::json value = parseValue(0);
        skipBlanks();
        if (pos_ != text_.size())
            fail("unexpected text after the end");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string &what) const {
        throw RequestError("Parameters: " + what + " at offset " + std::to_string(pos_));
    }

    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    // The next non-blank character, or '\0' at the end.
    char peek() {
        skipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void expect(char wanted) {
        if (peek() != wanted)
            fail(std::string("expected '") + wanted + "'");
        ++pos_;
    }

    nlohmann::json parseValue(int depth) {
        if (depth > kMaxDepth)
            fail("nested too deeply");
        switch (peek()) {
        case '\'':
            return parseString();
        case '{':
            return parseObject(depth);
        case '[':
            return parseArray(depth);
        case '\0':
            fail("unexpected end");
        default:
            fail("expected a quoted text, object or array");
        }
    }

    std::string parseString() {
        expect('\'');
        std::string value;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '\'')
                return value;
            if (c == '\\') {
                if (pos_ == text_.size() || (text_[pos_] != '\'' && text_[pos_] != '\\'))
                    fail("unknown escape");
                value.push_back(text_[pos_++]);
                continue;
            }
            value.push_back(c);
        }
        fail("unterminated quoted text");
    }

    nlohmann::json parseObject(int depth) {
        expect('{');
        nlohmann::json object = nlohmann::json::object();
        if (peek() == '}') {
            ++pos_;
            return object;
        }
        for (;;) {
            if (peek() != '\'')
                fail("expected a quoted key");
            std::string key = parseString();
            if (object.contains(key))
                fail("key '" + key + "' given twice");
            expect(':');
            object[key] = parseValue(depth + 1);
            if (peek() == '}') {
                ++pos_;
                return object;
            }
            expect(',');
        }
    }

    nlohmann::json parseArray(int depth) {
        expect('[');
        nlohmann::json array = nlohmann::json::array();
        if (peek() == ']') {
            ++pos_;
            return array;
        }
        for (;;) {
            array.push_back(parseValue(depth + 1));
            if (peek() == ']') {
                ++pos_;
                return array;
            }
            expect(',');
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
};

} // namespace

nlohmann::json parseQuotedParameters(std::string_view text) {
    return QuotedParser(text).parseAll();
}

} // namespace seclog::server
