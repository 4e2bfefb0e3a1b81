#include "app/WindowTexts.h"

namespace app_texts {

std::string MainTitle(const std::string& version, const std::string& appName) {
    return "TOVRA Installer v" + version + " - " + appName;
}

std::string InfoText(const std::string& line1, const std::string& line2, const std::string& line3) {
    return line1 + '\n' + line2 + '\n' + line3;
}

POINT CentredIconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
    return POINT{(clientWidth - iconWidth + 1) / 2, (clientHeight - iconHeight + 1) / 2};
}

}  // namespace app_texts
