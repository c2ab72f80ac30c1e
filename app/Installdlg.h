#pragma once
#include <string>

#include "Form.h"

// The small progress dialog shown in the wizard's place while files are written or removed.
class TFormInstall : public vk::TForm {
public:
    TFormInstall();
    vk::ProgressBar* ProgressBar = nullptr;
    vk::Label* StateLabel = nullptr;

    // Sets the status text and repaints the dialog now, without processing messages.
    void SetStatus(const std::string& text);
    void SetProgress(int position);
    void FormShow();
};

extern TFormInstall* FormInstall;
