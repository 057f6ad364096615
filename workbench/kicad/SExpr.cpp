#include "workbench/kicad/SExpr.h"

namespace pathwick::workbench::kicad {

std::string_view TSexpr::Head() const {
    if (!IsList() || Items.empty() || !Items.front().IsAtom())
        return {};
    return Items.front().Value;
}

const TSexpr* TSexpr::Find(std::string_view name) const {
    for (const TSexpr& item : Items)
        if (item.Head() == name)
            return &item;
    return nullptr;
}

std::vector<const TSexpr*> TSexpr::FindAll(std::string_view name) const {
    std::vector<const TSexpr*> found;
    for (const TSexpr& item : Items)
        if (item.Head() == name)
            found.push_back(&item);
    return found;
}

bool TSexpr::HasFlag(std::string_view word) const {
    for (std::size_t i = 1; i < Items.size(); ++i)
        if (Items[i].IsAtom() && Items[i].Value == word)
            return true;
    return false;
}

const std::string* TSexpr::Text(std::size_t i) const {
    if (i >= Items.size() || Items[i].IsList())
        return nullptr;
    return &Items[i].Value;
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class TParser {
public:
    TParser(std::string_view text, const std::string& source) : text_(text), source_(source) {}

    TSexpr Parse() {
        SkipSpace();
        if (at_ >= text_.size())
            Fail("the file is empty");
        if (text_[at_] != '(')
            Fail("the text does not start with '('");
        TSexpr root;
        // The open lists, innermost last. A child is appended only to the
        // innermost list, so the pointers to the outer ones stay valid.
        std::vector<TSexpr*> open;
        OpenList(root);
        open.push_back(&root);
        while (!open.empty()) {
            SkipSpace();
            if (at_ >= text_.size())
                FailAt(open.back()->Line, "this list is never closed");
            const char c = text_[at_];
            TSexpr& parent = *open.back();
            if (c != ')' && ++elements_ > MaxSexprElements)
                Fail("the file holds more than " + std::to_string(MaxSexprElements) + " elements");
            if (c == ')') {
                ++at_;
                parent.End = at_;
                open.pop_back();
            } else if (c == '(') {
                if (static_cast<int>(open.size()) >= MaxSexprDepth)
                    Fail("lists are nested deeper than " + std::to_string(MaxSexprDepth));
                parent.Items.emplace_back();
                OpenList(parent.Items.back());
                open.push_back(&parent.Items.back());
            } else if (c == '"') {
                parent.Items.push_back(QuotedString());
            } else {
                parent.Items.push_back(Atom());
            }
        }
        SkipSpace();
        if (at_ < text_.size())
            Fail("text follows the end of the file's expression");
        return root;
    }

private:
    [[noreturn]] void FailAt(uint32_t line, const std::string& what) const {
        throw EKicadError(source_ + ":" + std::to_string(line) + ": " + what);
    }
    [[noreturn]] void Fail(const std::string& what) const { FailAt(line_, what); }

    void SkipSpace() {
        while (at_ < text_.size() && IsSpace(text_[at_])) {
            if (text_[at_] == '\n')
                ++line_;
            ++at_;
        }
    }

    void OpenList(TSexpr& list) {
        list.Type = TSexpr::TType::List;
        list.Begin = at_;
        list.Line = line_;
        ++at_; // the '('
    }

    TSexpr Atom() {
        TSexpr atom;
        atom.Type = TSexpr::TType::Atom;
        atom.Begin = at_;
        atom.Line = line_;
        while (at_ < text_.size() && !IsSpace(text_[at_]) && text_[at_] != '(' &&
               text_[at_] != ')' && text_[at_] != '"')
            ++at_;
        atom.End = at_;
        atom.Value.assign(text_.substr(atom.Begin, atom.End - atom.Begin));
        return atom;
    }

    TSexpr QuotedString() {
        TSexpr string;
        string.Type = TSexpr::TType::String;
        string.Begin = at_;
        string.Line = line_;
        ++at_; // the opening quote
        for (;;) {
            if (at_ >= text_.size())
                FailAt(string.Line, "this string is never closed");
            const char c = text_[at_++];
            if (c == '"')
                break;
            if (c == '\n')
                ++line_;
            if (c != '\\') {
                string.Value += c;
                continue;
            }
            if (at_ >= text_.size())
                FailAt(string.Line, "this string is never closed");
            string.Value += Escape();
        }
        string.End = at_;
        return string;
    }

    // The character an escape stands for; at_ is just past the backslash.
    char Escape() {
        const char c = text_[at_++];
        switch (c) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'v':
            return '\v';
        case 'x': {
            // One or two hex digits; without any, an 'x' as written.
            int value = 0;
            int digits = 0;
            while (digits < 2 && at_ < text_.size() && HexValue(text_[at_]) >= 0) {
                value = value * 16 + HexValue(text_[at_++]);
                ++digits;
            }
            return digits == 0 ? 'x' : static_cast<char>(value);
        }
        default:
            break;
        }
        if (c >= '0' && c <= '7') {
            // Up to three octal digits.
            int value = c - '0';
            for (int digits = 1;
                 digits < 3 && at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '7';
                 ++digits)
                value = value * 8 + (text_[at_++] - '0');
            return static_cast<char>(value & 0xff);
        }
        return c; // \" \\ and any other character stand for themselves
    }

    std::string_view text_;
    const std::string& source_;
    std::size_t at_ = 0;
    uint32_t line_ = 1;
    std::size_t elements_ = 0;
};

} // namespace

TSexpr ParseSexpr(std::string_view text, const std::string& source) {
    return TParser(text, source).Parse();
}

} // namespace pathwick::workbench::kicad
