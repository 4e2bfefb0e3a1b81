// The texts and positions the main window composes, as plain functions.
#pragma once

#include <windows.h>

#include <string>

namespace app_texts {

// "TOVRA Installer v" + version + " - " + release name.
std::string MainTitle(const std::string& version, const std::string& appName);

// The three information lines joined by single line feeds.
std::string InfoText(const std::string& line1, const std::string& line2, const std::string& line3);

// Where a minimised window draws its icon: centred, halves truncated toward zero.
POINT CentredIconOrigin(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

}  // namespace app_texts
