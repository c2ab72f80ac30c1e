#pragma once
#include "Form.h"

// The full-screen backdrop behind the wizard; the application's main window.
class TMainWindow : public vk::TForm {
public:
    TMainWindow();
    vk::Label* LabelTitle = nullptr;
    vk::Label* LabelCopy = nullptr;

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormResize();
    void FormCloseQuery(vk::EventArgs& e);
};

extern TMainWindow* MainWindow;
