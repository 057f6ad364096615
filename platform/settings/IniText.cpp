#include "platform/settings/IniText.h"

#include <cassert>

namespace pathwick {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// One line of the text: its content (without the line end) and where the
// next line starts.
struct TLine {
    size_t Begin = 0;
    size_t End = 0;  // end of the content
    size_t Next = 0; // after the line end
    bool HasLineEnd = false;
};

TLine LineAt(std::string_view text, size_t begin) {
    TLine line;
    line.Begin = begin;
    const size_t newline = text.find('\n', begin);
    if (newline == std::string_view::npos) {
        line.End = text.size();
        line.Next = text.size();
        return line;
    }
    line.HasLineEnd = true;
    line.Next = newline + 1;
    line.End = (newline > begin && text[newline - 1] == '\r') ? newline - 1 : newline;
    return line;
}

size_t FirstLineStart(std::string_view text) {
    return text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

std::optional<std::string_view> SectionName(std::string_view content) {
    const std::string_view s = Trim(content);
    if (!s.starts_with('['))
        return std::nullopt;
    const size_t close = s.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(s.substr(1, close - 1));
}

struct TKeyLine {
    std::string_view Key;
    std::string_view Value;
};

std::optional<TKeyLine> KeyLine(std::string_view content) {
    const std::string_view s = Trim(content);
    if (s.starts_with(';') || s.starts_with('['))
        return std::nullopt;
    const size_t equals = s.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return TKeyLine{Trim(s.substr(0, equals)), Trim(s.substr(equals + 1))};
}

std::string_view LineEndOf(std::string_view text) {
    const size_t newline = text.find('\n');
    if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r')
        return "\r\n";
    return "\n";
}

// Where the key was found, or where it belongs when it is missing.
struct TPlace {
    std::optional<TLine> KeyLine;     // the key's line
    std::optional<TLine> SectionTail; // last key line (or header) of the section
};

TPlace Locate(std::string_view text, std::string_view section, std::string_view key) {
    TPlace place;
    bool inSection = false;
    bool firstSectionDone = false;
    for (size_t pos = FirstLineStart(text); pos < text.size();) {
        const TLine line = LineAt(text, pos);
        pos = line.Next;
        const std::string_view content = text.substr(line.Begin, line.End - line.Begin);
        if (const auto name = SectionName(content)) {
            if (inSection)
                firstSectionDone = true;
            inSection = SameName(*name, section);
            if (inSection && !firstSectionDone)
                place.SectionTail = line;
            continue;
        }
        if (!inSection)
            continue;
        if (const auto entry = KeyLine(content)) {
            if (SameName(entry->Key, key)) {
                place.KeyLine = line;
                return place;
            }
            if (!firstSectionDone)
                place.SectionTail = line;
        }
    }
    return place;
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    const TPlace place = Locate(text, Trim(section), Trim(key));
    if (!place.KeyLine)
        return std::nullopt;
    const TLine& line = *place.KeyLine;
    return std::string(KeyLine(text.substr(line.Begin, line.End - line.Begin))->Value);
}

bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    const auto hasBreak = [](std::string_view s) {
        return s.find_first_of("\r\n") != std::string_view::npos;
    };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return false;
    if (section.find(']') != std::string_view::npos)
        return false;
    const std::string_view k = Trim(key);
    return !k.empty() && k.find('=') == std::string_view::npos && !k.starts_with(';') &&
           !k.starts_with('[');
}

std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value) {
    assert(IsWritableIniEntry(section, key, value));
    section = Trim(section);
    key = Trim(key);
    const std::string_view eol = LineEndOf(text);
    std::string keyLine = std::string(key) + "=" + std::string(value);

    const TPlace place = Locate(text, section, key);
    std::string out;
    out.reserve(text.size() + keyLine.size() + section.size() + 8);
    if (place.KeyLine) {
        out.append(text.substr(0, place.KeyLine->Begin));
        out.append(keyLine);
        out.append(text.substr(place.KeyLine->End));
        return out;
    }
    if (place.SectionTail) {
        const TLine& tail = *place.SectionTail;
        out.append(text.substr(0, tail.Next));
        if (!tail.HasLineEnd)
            out.append(eol);
        out.append(keyLine).append(eol);
        out.append(text.substr(tail.Next));
        return out;
    }
    out.append(text);
    if (out.size() > FirstLineStart(text) && !out.ends_with('\n'))
        out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(keyLine).append(eol);
    return out;
}

} // namespace pathwick
