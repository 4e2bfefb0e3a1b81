#include "RecordingHost.h"

#include "FakeArchiveLibrary.h"

#include <commctrl.h>

namespace {

std::string ProgressName(UINT message) {
    switch (message) {
        case PBM_SETRANGE:
            return "PBM_SETRANGE";
        case PBM_STEPIT:
            return "PBM_STEPIT";
        case PBM_SETPOS:
            return "PBM_SETPOS";
        default:
            return "message " + std::to_string(message);
    }
}

}  // namespace

std::string BoxEntry(const std::string& caption, const std::string& text, UINT type) {
    return "box " + caption + "|" + text + "|" + std::to_string(type);
}

std::string ErrorBox(const std::string& text) {
    return BoxEntry("Error", text, MB_OK | MB_ICONERROR);
}

void RecordingHost::ShowMessage(const std::string& text, const char* caption, UINT type) {
    fake::Log().push_back(BoxEntry(caption, text, type));
}

void RecordingHost::EndWithOk() {
    folder = field;
    ++endCount;
    fake::Log().push_back("end");
}

std::string RecordingHost::TakeFolderFromField() {
    folder = field;
    fake::Log().push_back("take-folder " + folder);
    return folder;
}

void RecordingHost::SetItemText(int controlId, const std::string& text) {
    itemTexts[controlId] = text;
    if (fake::LogsHeaders()) {
        fake::Log().push_back("text " + std::to_string(controlId) + " " + text);
    }
}

LRESULT RecordingHost::SendProgress(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_STEPIT) {
        ++stepCount;
    }
    if (message != PBM_STEPIT || fake::LogsHeaders()) {
        fake::Log().push_back("progress " + ProgressName(message) + " " + std::to_string(wParam) +
                              " " + std::to_string(lParam));
    }
    return progressBar != nullptr ? SendMessageA(progressBar, message, wParam, lParam) : 0;
}

void RecordingHost::OpenProgram(const std::string& file, const std::string& workingDirectory) {
    fake::Log().push_back("open-program " + file + "|" + workingDirectory);
}
