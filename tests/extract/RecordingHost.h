// An ExtractionHost that behaves like the Install dialog towards the run (a folder field
// and a folder member) and appends everything it is asked to do to the fake's event log.
// Progress messages can be forwarded to a real progress bar.
#pragma once

#include "extract/ExtractionHost.h"

#include <map>
#include <string>

class RecordingHost : public ExtractionHost {
public:
    std::string field;   // the folder edit's text
    std::string folder;  // the dialog's folder member
    HWND progressBar = nullptr;
    std::map<int, std::string> itemTexts;
    int endCount = 0;
    int stepCount = 0;

    void ShowMessage(const std::string& text, const char* caption, UINT type) override;
    void EndWithOk() override;
    std::string TakeFolderFromField() override;
    std::string Folder() const override { return folder; }
    void SetItemText(int controlId, const std::string& text) override;
    LRESULT SendProgress(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OpenProgram(const std::string& file, const std::string& workingDirectory) override;
};

// How the log writes a message box.
std::string BoxEntry(const std::string& caption, const std::string& text, UINT type);
std::string ErrorBox(const std::string& text);
