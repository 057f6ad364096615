#include "workbench/kicad/WriteStyle.h"

#include "workbench/kicad/KicadUnits.h"

#include <cstdio>
#include <random>

namespace pathwick::workbench::kicad {

namespace {

// First format versions of the editor's releases 7 and 8.
constexpr int64_t Version7 = 20230121;
constexpr int64_t Version8 = 20231120;

// The editor's own way of writing each item, by format, with `\n` for line breaks.
const char* DefaultWire(int64_t version) {
    if (version >= Version8)
        return "(wire\n\t\t(pts\n\t\t\t(xy 0 0) (xy 0 0)\n\t\t)\n\t\t(stroke\n\t\t\t(width 0)\n"
               "\t\t\t(type default)\n\t\t)\n\t\t(uuid \"0\")\n\t)";
    if (version >= Version7)
        return "(wire (pts (xy 0 0) (xy 0 0))\n    (stroke (width 0) (type default))\n"
               "    (uuid 0)\n  )";
    return "(wire (pts (xy 0 0) (xy 0 0))\n    (stroke (width 0) (type default) (color 0 0 0 0))\n"
           "    (uuid 0)\n  )";
}

const char* DefaultJunction(int64_t version) {
    if (version >= Version8)
        return "(junction\n\t\t(at 0 0)\n\t\t(diameter 0)\n\t\t(color 0 0 0 0)\n\t\t(uuid "
               "\"0\")\n\t)";
    return "(junction (at 0 0) (diameter 0) (color 0 0 0 0)\n    (uuid 0)\n  )";
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The white space from the start of the item's line to the item, when the
// item starts its line.
std::string IndentOf(const TSexpr& item, std::string_view text) {
    std::size_t start = item.Begin;
    while (start > 0 && (text[start - 1] == ' ' || text[start - 1] == '\t'))
        --start;
    if (start > 0 && text[start - 1] != '\n')
        return " ";
    return std::string(text.substr(start, item.Begin - start));
}

TItemTemplate FromDefault(const char* pattern, const std::string& newLine, int64_t version) {
    const std::string text = Replace(pattern, "\n", newLine);
    const TSexpr item = ParseSexpr(text, "the default item");
    return TItemTemplate(item, text, version >= Version8 ? "\t" : "  ");
}

} // namespace

TItemTemplate::TItemTemplate(const TSexpr& item, std::string_view text, std::string_view indent)
    : text_(text.substr(item.Begin, item.End - item.Begin)), indent_(indent) {
    const auto slot = [&](const TSexpr& atom) {
        coordinates_.emplace_back(atom.Begin - item.Begin, atom.End - item.Begin);
    };
    const TSexpr* pts = item.Find("pts");
    if (pts) {
        for (const TSexpr* xy : pts->FindAll("xy"))
            if (xy->Items.size() >= 3) {
                slot(xy->Items[1]);
                slot(xy->Items[2]);
            }
    } else if (const TSexpr* at = item.Find("at"); at && at->Items.size() >= 3) {
        slot(at->Items[1]);
        slot(at->Items[2]);
    }
    if (const TSexpr* uuid = item.Find("uuid"); uuid && uuid->Items.size() >= 2) {
        hasUuid_ = true;
        quotedUuid_ = uuid->Items[1].IsString();
        uuid_ = {uuid->Items[1].Begin - item.Begin, uuid->Items[1].End - item.Begin};
    }
}

std::string TItemTemplate::Fill(const std::vector<TFilePoint>& points,
                                const std::string& uuid) const {
    // The replacements, in text order: coordinates, then the UUID after them.
    std::vector<std::pair<std::pair<std::size_t, std::size_t>, std::string>> parts;
    for (std::size_t i = 0; i < coordinates_.size() && i / 2 < points.size(); ++i) {
        const TFilePoint& p = points[i / 2];
        parts.push_back({coordinates_[i], FormatMillimetres(i % 2 == 0 ? p.X : p.Y)});
    }
    if (hasUuid_)
        parts.push_back({uuid_, quotedUuid_ ? "\"" + uuid + "\"" : uuid});
    std::string out;
    std::size_t at = 0;
    for (const auto& [range, value] : parts) {
        out.append(text_, at, range.first - at);
        out += value;
        at = range.second;
    }
    out.append(text_, at, std::string::npos);
    return out;
}

TWriteStyle::TWriteStyle(const TSexpr& root, std::string_view text, int64_t version) {
    if (text.find("\r\n") != std::string_view::npos)
        newLine_ = "\r\n";
    const TSexpr* lastWire = nullptr;
    const TSexpr* lastJunction = nullptr;
    const TSexpr* lastConnection = nullptr; // bus items, flags, entries
    const TSexpr* lastHeader = nullptr;
    for (std::size_t i = 1; i < root.Items.size(); ++i) {
        const TSexpr& item = root.Items[i];
        const std::string_view head = item.Head();
        if (head == "wire" && item.Find("pts") && item.Find("pts")->FindAll("xy").size() == 2)
            lastWire = &item;
        else if (head == "junction")
            lastJunction = &item;
        else if (head == "bus" || head == "bus_entry" || head == "no_connect")
            lastConnection = &item;
        else if (head == "version" || head == "generator" || head == "generator_version" ||
                 head == "uuid" || head == "paper" || head == "title_block" ||
                 head == "lib_symbols")
            lastHeader = &item;
    }
    wire_ = lastWire ? TItemTemplate(*lastWire, text, IndentOf(*lastWire, text))
                     : FromDefault(DefaultWire(version), newLine_, version);
    junction_ = lastJunction ? TItemTemplate(*lastJunction, text, IndentOf(*lastJunction, text))
                             : FromDefault(DefaultJunction(version), newLine_, version);
    const TSexpr* wireAfter = lastWire         ? lastWire
                              : lastJunction   ? lastJunction
                              : lastConnection ? lastConnection
                                               : lastHeader;
    // With nothing to follow, new items open the file's list.
    wireAnchor_ = wireAfter ? wireAfter->End : root.Items.front().End;
    junctionAnchor_ = lastJunction ? lastJunction->End : wireAnchor_;
}

std::string NewUuid() {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    const uint64_t high = (random() & ~uint64_t{0xF000}) | 0x4000;                // version 4
    const uint64_t low = (random() & ~(uint64_t{3} << 62)) | (uint64_t{2} << 62); // variant 1
    char text[37];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%04x-%012llx",
                  static_cast<unsigned>(high >> 32), static_cast<unsigned>((high >> 16) & 0xffff),
                  static_cast<unsigned>(high & 0xffff), static_cast<unsigned>(low >> 48),
                  static_cast<unsigned long long>(low & 0xffffffffffffull));
    return text;
}

} // namespace pathwick::workbench::kicad
