#include "flib/io/IniDocument.h"

#include <algorithm>

#include "flib/io/IniNames.h"

namespace Flib { namespace IO { namespace File {

namespace {

// Text after a NUL character is invisible to the profile functions' string handling.
std::size_t LengthUpToNul(std::wstring_view text)
{
    const std::size_t nul = text.find(L'\0');
    return nul == std::wstring_view::npos ? text.size() : nul;
}

bool BeginsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A header's name lies between "[" and the last "]", blanks trimmed. False for
// any other line, a "[" without "]" included: that one reads as a key.
bool HeaderName(std::wstring_view line, std::wstring_view& name)
{
    const std::wstring_view trimmed = TrimIniBlanks(line);
    if (trimmed.empty() || trimmed[0] != L'[') {
        return false;
    }
    const std::size_t close = trimmed.rfind(L']');
    if (close == std::wstring_view::npos || close == 0) {
        return false;
    }
    name = TrimIniBlanks(trimmed.substr(1, close - 1));
    name = name.substr(0, LengthUpToNul(name));
    return true;
}

// How the profile functions copy a value into a buffer of `size` characters.
int CopyEntry(std::wstring_view source, int size, std::wstring& value)
{
    value.clear();
    if (size <= 0) {
        return 0;
    }
    const bool quoted = source.size() >= 2 && (source[0] == L'"' || source[0] == L'\'') && source.back() == source[0];
    const std::size_t start = quoted ? 1 : 0;
    const std::size_t rest = source.size() - start;
    value.assign(source.substr(start, std::min(rest, static_cast<std::size_t>(size - 1))));
    // The closing quote goes only when the whole rest fitted the buffer; a cut
    // value loses its last character instead, as the profile read does.
    if (quoted && static_cast<std::size_t>(size) >= rest && !value.empty()) {
        value.pop_back();
    }
    return static_cast<int>(value.size());
}

} // namespace

IniDocument::IniDocument() { Parse(std::wstring()); }

IniDocument::IniDocument(const std::wstring& text) { Parse(text); }

void IniDocument::Parse(const std::wstring& text)
{
    sections_.clear();
    sections_.emplace_back();
    std::size_t start = 0;
    while (start < text.size()) {
        // A line ends at CR LF, at LF or at a lone CR.
        std::size_t stop = start;
        while (stop < text.size() && text[stop] != L'\r' && text[stop] != L'\n') {
            ++stop;
        }
        Line line;
        line.text.assign(text, start, stop - start);
        std::size_t breakLength = 0;
        if (stop < text.size()) {
            breakLength = (text[stop] == L'\r' && stop + 1 < text.size() && text[stop + 1] == L'\n') ? 2 : 1;
            line.end.assign(text, stop, breakLength);
        }
        start = stop + breakLength;
        AddLine(std::move(line));
    }
}

void IniDocument::Classify(Line& line)
{
    line.key = false;
    line.hasValue = false;
    line.nameBegin = line.nameLength = line.valueBegin = line.valueLength = 0;
    const std::wstring_view all(line.text);
    const std::wstring_view trimmed = TrimIniBlanks(all);
    std::wstring_view header;
    if (trimmed.empty() || HeaderName(trimmed, header)) {
        return;
    }
    line.key = true;
    const std::size_t offset = static_cast<std::size_t>(trimmed.data() - all.data());
    const std::size_t equals = trimmed.find(L'=');
    const std::wstring_view name = TrimIniBlanks(trimmed.substr(0, equals));
    line.nameBegin = offset;
    line.nameLength = LengthUpToNul(name);
    if (equals == std::wstring_view::npos) {
        return;
    }
    const std::wstring_view value = TrimLeadingIniBlanks(trimmed.substr(equals + 1));
    line.valueBegin = static_cast<std::size_t>(value.data() - all.data());
    line.valueLength = LengthUpToNul(value);
    line.hasValue = true;
}

void IniDocument::AddLine(Line line)
{
    std::wstring_view header;
    if (HeaderName(line.text, header)) {
        Section section;
        section.name.assign(header);
        section.lastContent = 0;
        section.lines.push_back(std::move(line));
        sections_.push_back(std::move(section));
        return;
    }
    Classify(line);
    Section& section = sections_.back();
    section.lines.push_back(std::move(line));
    if (section.lines.back().key) {
        Index(section, section.lines.size() - 1);
    }
}

void IniDocument::Index(Section& section, std::size_t index)
{
    Line& line = section.lines[index];
    section.lastContent = index;
    // A key without a name is never found: a read with an empty name gets the default.
    if (line.nameLength == 0) {
        return;
    }
    // Keys are only ever added after every key already indexed, so chains stay in file order.
    const auto added = section.keys.emplace(IniNameHash(line.Name()), std::make_pair(index, index));
    if (!added.second) {
        section.lines[added.first->second.second].next = index;
        added.first->second.second = index;
    }
}

std::size_t IniDocument::FindSection(std::wstring_view name) const
{
    for (std::size_t index = 0; index < sections_.size(); ++index) {
        if (SameIniName(sections_[index].name, name)) {
            return index;
        }
    }
    return kNone;
}

std::size_t IniDocument::FindKey(const Section& section, std::wstring_view name)
{
    if (name.empty()) {
        return kNone;
    }
    const auto chain = section.keys.find(IniNameHash(name));
    if (chain == section.keys.end()) {
        return kNone;
    }
    for (std::size_t index = chain->second.first; index != kNone; index = section.lines[index].next) {
        if (SameIniName(section.lines[index].Name(), name)) {
            return index;
        }
    }
    return kNone;
}

int IniDocument::Read(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue, int size,
                      std::wstring& value) const
{
    const std::size_t found = FindSection(TrimIniBlanks(section));
    if (found != kNone) {
        const Section& in = sections_[found];
        const std::size_t line = FindKey(in, TrimIniBlanks(key));
        if (line != kNone && in.lines[line].hasValue) {
            return CopyEntry(in.lines[line].Value(), size, value);
        }
    }
    // Windows documents that trailing blanks of the default are cut.
    const std::size_t kept = defaultValue.find_last_not_of(L' ');
    return CopyEntry(std::wstring_view(defaultValue).substr(0, kept == std::wstring::npos ? 0 : kept + 1), size, value);
}

void IniDocument::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    const std::wstring_view sectionName = TrimIniBlanks(section);
    const std::wstring_view keyName = TrimIniBlanks(key);
    const std::wstring_view text = TrimLeadingIniBlanks(value);
    const std::size_t found = FindSection(sectionName);
    Section& target = found != kNone ? sections_[found] : AppendSection(sectionName);

    const std::size_t existing = FindKey(target, keyName);
    if (existing != kNone) {
        Line& line = target.lines[existing];
        if (line.hasValue && line.Value() == text) {
            return; // unchanged: the line keeps its own spacing
        }
        std::wstring edited(line.Name());
        edited += L'=';
        edited += text;
        line.text = std::move(edited);
        Classify(line);
        return;
    }
    const std::size_t at = target.lastContent == kNone ? 0 : target.lastContent + 1;
    if (at > 0 && target.lines[at - 1].end.empty()) {
        target.lines[at - 1].end = L"\r\n";
    }
    Line line;
    line.text.assign(keyName);
    line.text += L'=';
    line.text += text;
    line.end = L"\r\n";
    Classify(line);
    target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    // Only blank lines follow the insertion point, so no indexed line moved.
    Index(target, at);
}

IniDocument::Section& IniDocument::AppendSection(std::wstring_view name)
{
    bool content = false;
    Line* last = nullptr;
    for (Section& section : sections_) {
        content = content || section.lastContent != kNone;
        if (!section.lines.empty()) {
            last = &section.lines.back();
        }
    }
    if (last != nullptr) {
        if (last->end.empty()) {
            last->end = L"\r\n";
        }
        // A blank line sets the new section off from what is already there.
        if (content && !TrimIniBlanks(last->text).empty()) {
            Line blank;
            blank.end = L"\r\n";
            sections_.back().lines.push_back(std::move(blank));
        }
    }
    Section section;
    section.name.assign(name);
    section.lastContent = 0;
    Line header;
    header.text = L"[" + section.name + L"]";
    header.end = L"\r\n";
    section.lines.push_back(std::move(header));
    sections_.push_back(std::move(section));
    return sections_.back();
}

bool IniDocument::RemoveLines(const std::wstring& header, const std::wstring& keyPrefix)
{
    std::wstring kept;
    bool inside = false;
    bool found = false;
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            if (BeginsWith(line.text, L"[")) {
                // A repeated header of the same section counts as that section again.
                inside = BeginsWith(line.text, header);
                if (inside && keyPrefix.empty()) {
                    found = true;
                    continue;
                }
            } else if (inside && (keyPrefix.empty() || BeginsWith(line.text, keyPrefix))) {
                found = true;
                continue;
            }
            kept += line.text;
            kept += line.end;
        }
    }
    Parse(kept);
    return found;
}

std::wstring IniDocument::Text() const
{
    std::size_t size = 0;
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            size += line.text.size() + line.end.size();
        }
    }
    std::wstring text;
    text.reserve(size);
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            text += line.text;
            text += line.end;
        }
    }
    return text;
}

}}} // namespace Flib::IO::File
