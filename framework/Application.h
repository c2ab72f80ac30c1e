#pragma once
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"

namespace vk {

// The application object: owns the forms, runs the message loop, shows escaping exceptions.
class TApplication {
public:
    void Initialize();
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& Title() const { return title_; }

    // Creates a form from its layout resource, hidden; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& ref, const char* layoutResource) {
        auto form = std::make_unique<T>();
        ref = form.get();
        TForm* raw = form.get();
        forms_.push_back(std::move(form));
        if (!main_) main_ = raw;
        LoadForm(*raw, layoutResource);
    }
    TForm* MainForm() const { return main_; }

    // Shows the main form and dispatches messages until Terminate.
    void Run();
    // Handles every message pending now, without waiting for more.
    void ProcessMessages();
    // Ends the loop; the windows are destroyed without running their close handlers.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Destroys all forms (at exit).
    void DestroyForms();

    void ShowException(const std::exception& e);

    // Keyboard handling shared by the loop and ProcessMessages: dialog-style Tab
    // navigation, Enter and Esc press nothing, Ctrl+Tab asks the page control.
    bool PreTranslate(MSG& msg);

private:
    void LoadForm(TForm& form, const char* layoutResource);
    void AfterDispatch(const MSG& msg);
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* main_ = nullptr;
    std::string title_;
    bool terminated_ = false;
};

extern TApplication Application;

}  // namespace vk
