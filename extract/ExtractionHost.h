// What the archive binding and the extraction run need of the dialog that hosts them. The
// Install dialog implements it over its window; tests implement it with a recorder, so the
// whole run can be checked without windows.
#pragma once

#include <windows.h>

#include <string>

class ExtractionHost {
public:
    virtual ~ExtractionHost() = default;

    // A modal message box owned by the host's window; returns when the user dismissed it.
    virtual void ShowMessage(const std::string& text, const char* caption, UINT type) = 0;

    // Ends the host dialog the way its OK command does: the folder field is copied into the
    // folder first, then the dialog ends with IDOK. The window stays valid until the caller
    // returns to the dialog's message loop.
    virtual void EndWithOk() = 0;

    // Copies the folder field into the folder and returns it (the folder the run extracts to).
    virtual std::string TakeFolderFromField() = 0;

    // The folder as it stands now (after EndWithOk, the field's text).
    virtual std::string Folder() const = 0;

    // Sets the text of one of the host's controls by ID.
    virtual void SetItemText(int controlId, const std::string& text) = 0;

    // Sends a message to the progress bar's window and returns its answer.
    virtual LRESULT SendProgress(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Starts a program with the verb "open", no parameters, the given working directory and
    // SW_SHOWNORMAL, owned by the host's window. The result is not looked at.
    virtual void OpenProgram(const std::string& file, const std::string& workingDirectory) = 0;
};
