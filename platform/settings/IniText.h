// Looking up and editing keys in the text of an initialisation file.
//
// The text is kept as bytes: an edit changes only the line of the key it
// writes (or adds lines), so every other section, key, comment, blank line,
// line end and a leading UTF-8 byte-order mark stay exactly as they were.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathwick {

// A line is a section header when, after leading blanks, it starts with "["
// and holds a "]"; the name is what lies between, trimmed. A line is a key
// line when it holds "=" and does not start with ";" or "["; the key is the
// text before the first "=" and the value the text after it, both trimmed of
// spaces and tabs. Names compare without regard to ASCII case. Lines before
// the first header belong to no section. Lines end at "\n"; a "\r" before it
// belongs to the line end.

// The value of the first key line named key in a section named section, or
// nothing when there is none.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// Whether section, key and value can be written as one header and one key
// line that read back the same: no line breaks anywhere, no "]" in the
// section, a non-empty key without "=" that does not start with ";" or "[".
bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value);

// The text with key set to value in section: the key's first line is
// replaced by "key=value"; a missing key is added after the section's last
// key line (or its header); a missing section is added at the end. New lines
// take the line end of the text's first line ("\n" when it has none).
// The entry must be writable (IsWritableIniEntry).
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace pathwick
