// How a fuzz input becomes a volume set: the first byte chooses the naming the set is opened
// under and the operation, the rest is split into volumes at each occurrence of a separator.
// The seed generator writes its inputs in the same form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzzvolumes {

const char kSeparator[] = "\xFFVOLUME\xFF";
constexpr size_t kSeparatorSize = sizeof kSeparator - 1;

struct Layout {
    bool openAsParts = true;  // first volume "f.part1.rar" rather than "f.rar"
    bool testOnly = false;    // RAR_TEST instead of RAR_EXTRACT in extract mode
    std::vector<std::string> volumes;
};

inline Layout Split(const uint8_t* data, size_t size) {
    Layout layout;
    if (size == 0) {
        return layout;
    }
    layout.openAsParts = (data[0] & 1) != 0;
    layout.testOnly = (data[0] & 2) != 0;
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t start = 0;
    for (;;) {
        size_t at = rest.find(kSeparator, start, kSeparatorSize);
        layout.volumes.push_back(rest.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos || layout.volumes.size() == 64) {
            break;
        }
        start = at + kSeparatorSize;
    }
    return layout;
}

inline std::string Join(bool openAsParts, const std::vector<std::string>& volumes) {
    std::string out(1, char(openAsParts ? 1 : 0));
    for (size_t i = 0; i < volumes.size(); ++i) {
        out += (i > 0 ? std::string(kSeparator, kSeparatorSize) : std::string()) + volumes[i];
    }
    return out;
}

}  // namespace fuzzvolumes
