#include "workbench/files/SheetShape.h"

#include <cstring>

namespace pathwick::workbench {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// One walk over the bytes with a depth counter and a string skipper: far
// cheaper than a parser, which this pass leaves every judgement of syntax to.
class TShapeScan {
public:
    TShapeScan(std::string_view text, std::size_t maxObjects, int maxDepth)
        : text_(text), maxObjects_(maxObjects), maxDepth_(maxDepth) {}

    std::optional<std::string> Run() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (IsSpace(c) || c == ':') {
                ++at_;
            } else if (c == ',') {
                if (depth_ == objectsDepth_)
                    expectObject_ = true;
                ++at_;
            } else if (c == '{' || c == '[') {
                const bool objectsList = c == '[' && depth_ == 1 && objectsKey_;
                if (!Value())
                    return problem_;
                if (++depth_ > maxDepth_)
                    return "nested deeper than " + std::to_string(maxDepth_) + " levels";
                if (objectsList) {
                    objectsDepth_ = depth_;
                    objects_ = 0;
                    expectObject_ = true;
                }
                ++at_;
            } else if (c == '}' || c == ']') {
                if (depth_ == objectsDepth_)
                    objectsDepth_ = -1;
                --depth_;
                ++at_;
            } else if (c == '"') {
                if (!Value())
                    return problem_;
                String();
            } else {
                if (!Value())
                    return problem_;
                ++at_;
            }
        }
        return std::nullopt;
    }

private:
    // A value starts here; directly inside the top-level list it is one more object.
    bool Value() {
        if (depth_ != objectsDepth_ || !expectObject_)
            return true;
        expectObject_ = false;
        if (++objects_ > maxObjects_) {
            problem_ = "objects: holds more than " + std::to_string(maxObjects_) + " objects";
            return false;
        }
        return true;
    }

    // Skips a string; in the outermost object, a key names what follows it.
    void String() {
        const std::size_t begin = ++at_;
        while (at_ < text_.size() && text_[at_] != '"')
            at_ += text_[at_] == '\\' ? 2 : 1;
        const std::string_view content = text_.substr(begin, std::min(at_, text_.size()) - begin);
        ++at_;
        if (depth_ != 1)
            return;
        std::size_t next = at_;
        while (next < text_.size() && IsSpace(text_[next]))
            ++next;
        if (next < text_.size() && text_[next] == ':')
            objectsKey_ = content == "objects";
    }

    std::string_view text_;
    std::size_t maxObjects_;
    int maxDepth_;
    std::size_t at_ = 0;
    int depth_ = 0;           // containers open
    bool objectsKey_ = false; // the latest key of the outermost object is "objects"
    int objectsDepth_ = -1;   // depth inside the top-level objects list; -1 outside it
    bool expectObject_ = false;
    std::size_t objects_ = 0;
    std::optional<std::string> problem_;
};

} // namespace

std::optional<std::string> SheetShapeProblem(std::string_view text, std::size_t maxObjects,
                                             int maxDepth) {
    return TShapeScan(text, maxObjects, maxDepth).Run();
}

} // namespace pathwick::workbench
