#include "AiStructureCheck.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "CutShort.h"

namespace filebridge {

namespace {

// "%%BoundingBox: (atend)" gives "%%BoundingBox:"; "%%EndComments" gives itself.
std::string_view CommentKey(std::string_view line) {
    const std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? line : line.substr(0, colon + 1);
}

// "Resource:" and "Resource" name one part.
std::string_view PartName(std::string_view afterBeginOrEnd) {
    if (!afterBeginOrEnd.empty() && afterBeginOrEnd.back() == ':') {
        afterBeginOrEnd.remove_suffix(1);
    }
    return afterBeginOrEnd;
}

class StructureWalk {
  public:
    // Lines are taken whole only: a last line without its line end may itself be cut.
    void Line(std::string_view line) {
        if (line.substr(0, 2) != "%%") {
            inHeader_ = inHeader_ && line.substr(0, 1) == "%";
            return;
        }
        const std::string_view key = CommentKey(line);
        if (inHeader_ && line.find("(atend)") != std::string_view::npos) {
            deferred_.push_back(key);
        }
        if (key == "%%EndComments") {
            inHeader_ = false;
            trailerPromised_ = true;
        } else if (key == "%%Trailer") {
            inTrailer_ = true;
        } else if (inTrailer_) {
            std::erase(deferred_, key);
        }
        if (key.substr(0, 7) == "%%Begin") {
            open_.push_back(PartName(key.substr(7)));
        } else if (key.substr(0, 5) == "%%End") {
            // An end closes its part and whatever was left open inside it; an end of nothing open is let be.
            const auto part = std::find(open_.rbegin(), open_.rend(), PartName(key.substr(5)));
            open_.erase(part == open_.rend() ? open_.end() : std::prev(part.base()), open_.end());
        }
    }

    std::string Refusal() const {
        if (!open_.empty()) {
            return CutShortReason("%%Begin" + std::string(open_.back()) + " never ends");
        }
        if ((trailerPromised_ || !deferred_.empty()) && !inTrailer_) {
            return CutShortReason("the %%Trailer is missing");
        }
        if (!deferred_.empty()) {
            return CutShortReason(std::string(deferred_.front()) + " is missing from the trailer");
        }
        return {};
    }

  private:
    bool inHeader_ = true;
    bool trailerPromised_ = false;
    bool inTrailer_ = false;
    std::vector<std::string_view> deferred_;
    std::vector<std::string_view> open_;
};

}  // namespace

std::string CheckAiStructure(std::string_view text) {
    StructureWalk walk;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            break;
        }
        walk.Line(text.substr(at, end - at));
        at = end + 1;
    }
    return walk.Refusal();
}

}  // namespace filebridge
