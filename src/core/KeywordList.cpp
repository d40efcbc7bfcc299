#include "core/KeywordList.h"

namespace orvelt {

std::vector<std::string> SplitKeywordList(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<std::string> keywords;
    std::string line;
    auto finishLine = [&] {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            line.pop_back();
        }
        if (!line.empty()) {
            keywords.push_back(std::move(line));
        }
        line.clear();
    };
    for (char c : bytes) {
        if (c == '\n') {
            finishLine();
        } else if (c != '\r') {
            line += c;
        }
    }
    finishLine();
    return keywords;
}

} // namespace orvelt
