// The installation run written directly on Win32, without the framework: what the
// run's required refreshes cost on their own, around the bulk writes of the files.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Owner.h"

namespace rawref {

// One product file as a single buffer, written by its name relative to the destination.
struct File {
    const char* name;
    char component;
    std::string bytes;
};

// Creates or truncates the file and writes it with one call; false on any shortfall.
bool WriteWhole(const File& file);

// The backdrop, the wizard and the progress dialog as their layouts give them (the
// same classes, styles, sizes and controls), made hidden, as the program makes its forms.
class Windows {
public:
    // What the first paint needs: the backdrop, and the wizard with its first page.
    // The welcome picture is only sized here: its pixels are never looked at.
    explicit Windows(SIZE picture);
    // The other pages and the progress dialog.
    void MakeRest();
    ~Windows();
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    HWND Backdrop() const { return backdrop_; }
    HWND Wizard() const { return wizard_; }
    HWND Dialog() const { return dialog_; }

    // The run for the components listed (e.g. "1235"), refreshing the screen where the
    // program must and nowhere else: the wizard hidden; the dialog shown, its bar set to
    // 0, the backdrop repainted at once and one pass over the queue; the folders; per
    // group a status text and a synchronous repaint of the dialog, the group's files in
    // one write each, the bar's positions; the wizard back on its shortcuts page, shown
    // in the dialog's place. False when a folder or a file could not be made.
    bool Install(const std::string& destination, const std::vector<File>& files, const char* components);

private:
    HWND Make(DWORD ex, const char* cls, const char* text, DWORD style, RECT bounds, HWND parent);
    void MakePage(int index);
    void Status(const char* text);
    void Bar(int position);

    HWND backdrop_ = nullptr, wizard_ = nullptr, dialog_ = nullptr;
    HWND pages_[6] = {};
    HWND tabs_ = nullptr, activePage_ = nullptr, iconsPage_ = nullptr, label_ = nullptr, bar_ = nullptr;
    int dpi_ = 96;
    vk::Font font_, titleFont_;
    vk::Bitmap picture_;
};

}  // namespace rawref
