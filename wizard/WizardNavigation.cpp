#include "Application.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "MessageBoxes.h"
#include "Messages.h"

void TWizard::ShowPage(vk::Page* page) {
    AllowPageChange = true;
    TabSheet->SetActivePage(page);
    AllowPageChange = false;
}

void TWizard::StartInstallation() {
    Step = 5;
    ShowPage(StepIcons);
    ButtonCancel->SetEnabled(false);
    ButtonBack->SetEnabled(false);
    if (InstallFiles())
        installCompleted_ = true;
    else
        ReturnToDestination();
}

void TWizard::ReturnToDestination() {
    Step = 3;
    ShowPage(StepMode);
    ButtonNext->SetText("Next >>");
    ButtonNext->SetEnabled(true);
    ButtonBack->SetEnabled(true);
    ButtonCancel->SetEnabled(true);
    FormInstall->Hide();
    Show();
}

void TWizard::ButtonNextClick() {
    switch (Step) {
        case 1:
            if (CK_Install->Checked()) {
                Step = 2;
                ButtonNext->SetEnabled(false);
                CK_Agree->SetChecked(false);
                ShowPage(StepLicense);
            } else if (CK_Uninstall->Checked()) {
                if (!vk::ConfirmBox(msg::ConfirmUninstall)) return;
                Uninstall();
                vk::PlainBox(RemovalReport(msg::Removed));
                CloseWizard();
            } else if (CK_Modify->Checked()) {
                // A record gone since the start cannot be repaired: offer what fits.
                if (!ReadInstallRecord()) {
                    OfferActions(false);
                    break;
                }
                Step = 4;
                ButtonNext->SetText("Finish");
                ShowPage(StepComponents);
            }
            break;
        case 2:
            Step = 3;
            ShowPage(StepMode);
            break;
        case 3:
            if (!IsLocationValid()) {
                vk::PlainBox(msg::InvalidFolder);
            } else if (CK_Normal->Checked()) {
                StartInstallation();
            } else {
                Step = 4;
                ShowPage(StepComponents);
            }
            break;
        case 4:
            if (CK_Install->Checked()) {
                if (!IsLocationValid())
                    vk::PlainBox(msg::InvalidFolder);
                else
                    StartInstallation();
            } else if (CK_Modify->Checked()) {
                if (!vk::ConfirmBox(msg::ConfirmRepair)) return;
                if (!Repair()) {
                    // The removal took the record: go on as on a machine without one,
                    // trusting no folder an earlier read named.
                    baseFolderKnown_ = false;
                    OfferActions(false);
                    ReturnToDestination();
                    return;
                }
                installCompleted_ = true;
                vk::PlainBox(RemovalReport(msg::Updated));
                CloseWizard();
            }
            break;
        case 5:
            Step = 6;
            ButtonNext->SetText("Finish");
            ButtonBack->SetEnabled(false);
            ButtonCancel->SetEnabled(false);
            ShowPage(StepReadme);
            break;
        case 6:
            CloseWizard();
            break;
        default:
            break;
    }
}

void TWizard::ButtonBackClick() {
    switch (Step) {
        case 2:
            Step = 1;
            ShowPage(StepInit);
            // Otherwise only Cancel would be usable on the first page.
            ButtonNext->SetEnabled(true);
            break;
        case 3:
        case 4:
            Step = 2;
            ShowPage(StepLicense);
            break;
        default:
            break;
    }
}
