#include "Installdlg.h"

#include "Application.h"
#include "Mainform.h"

TFormInstall* FormInstall = nullptr;

TFormInstall::TFormInstall() {
    Field("ProgressBar", ProgressBar);
    Field("StateLabel", StateLabel);
    On("FormShow", [this] { FormShow(); });
}

void TFormInstall::SetStatus(const std::string& text) {
    StateLabel->SetText(text);
    Repaint();
}

void TFormInstall::SetProgress(int position) { ProgressBar->SetPosition(position); }

// Runs only when the dialog goes from hidden to shown.
void TFormInstall::FormShow() {
    ProgressBar->SetPosition(0);
    MainWindow->Repaint();
    vk::Application.ProcessMessages();
}
