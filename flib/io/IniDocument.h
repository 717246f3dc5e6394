#pragma once
// The text of one INI file in memory, read and edited with the meaning the
// private-profile functions give it, so that a whole load or save touches the
// disk once. Lines the edits do not touch keep their exact text.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Flib { namespace IO { namespace File {

class IniDocument {
public:
    IniDocument();
    explicit IniDocument(const std::wstring& text);

    // What GetPrivateProfileStringW leaves in a buffer of `size` characters,
    // and the count it returns: the first section and the first key of that
    // name (case ignored, blanks around the names ignored), the value without
    // its edge blanks and one pair of enclosing quotes; for a missing key, or a
    // line without "=", the default without its trailing spaces.
    int Read(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue, int size,
             std::wstring& value) const;
    // What WritePrivateProfileStringW does with a value: the first such key gets
    // it in place, else a new line at the end of the first such section, else a
    // new section at the end of the text. Leading blanks of the value are dropped.
    void Write(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Removes every line inside a section whose header line begins with `header`
    // (case-sensitive): all of them and the header when `keyPrefix` is empty,
    // else those that begin with `keyPrefix`. True when something was removed.
    bool RemoveLines(const std::wstring& header, const std::wstring& keyPrefix);

    std::wstring Text() const;

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    struct Line {
        std::wstring text; // without its line break
        std::wstring end;  // "\r\n", "\n", "\r", or nothing at the end of the text
        // Where a key line's name and value lie in the text.
        std::size_t nameBegin = 0;
        std::size_t nameLength = 0;
        std::size_t valueBegin = 0;
        std::size_t valueLength = 0;
        bool key = false;
        bool hasValue = false;
        std::size_t next = kNone; // the next key line whose name hashes alike

        std::wstring_view Name() const { return std::wstring_view(text).substr(nameBegin, nameLength); }
        std::wstring_view Value() const { return std::wstring_view(text).substr(valueBegin, valueLength); }
    };
    struct Section {
        std::wstring name; // empty for the lines before the first header
        std::vector<Line> lines; // a named section's first line is its header
        std::size_t lastContent = kNone; // the line a new key follows
        // Name hash -> first and last key line of that hash, in file order.
        std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> keys;
    };

    void Parse(const std::wstring& text);
    static void Classify(Line& line);
    void AddLine(Line line);
    static void Index(Section& section, std::size_t index);
    // Indexes of the first match, or kNone.
    std::size_t FindSection(std::wstring_view name) const;
    static std::size_t FindKey(const Section& section, std::wstring_view name);
    Section& AppendSection(std::wstring_view name);

    std::vector<Section> sections_;
};

}}} // namespace Flib::IO::File
