#include "Mainform.h"

#include "Formwizard.h"
#include "Gradient.h"

TMainWindow* MainWindow = nullptr;

TMainWindow::TMainWindow() {
    Field("LabelTitle", LabelTitle);
    Field("LabelCopy", LabelCopy);
    On("FormCreate", [this] { FormCreate(); });
    On("FormShow", [this] { FormShow(); });
    On("FormPaint", [this] { FormPaint(); });
    On("FormResize", [this] { FormResize(); });
    OnQuery("FormCloseQuery", [this](vk::EventArgs& e) { FormCloseQuery(e); });
}

void TMainWindow::FormCreate() {
    SetWindowState(vk::WindowState::Maximized);
    SetBorderStyle(vk::BorderStyle::None);
}

void TMainWindow::FormShow() { Wizard->Show(); }

void TMainWindow::FormPaint() { PaintGradient(Surface(), ClientWidth(), ClientHeight()); }

void TMainWindow::FormResize() { InvalidateRect(Handle(), nullptr, TRUE); }

// The backdrop is never closed by the user; only the wizard ends the program.
void TMainWindow::FormCloseQuery(vk::EventArgs& e) { e.Allow = false; }
