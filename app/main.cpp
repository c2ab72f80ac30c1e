#include <windows.h>

#include "Application.h"
#include "Exception.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Mainform.h"

namespace {
// Before any other static initialiser may load a library: only System32 is searched.
struct RestrictDllSearch {
    RestrictDllSearch() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }
} restrictDllSearch __attribute__((init_priority(101)));
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        vk::Application.Initialize();
        vk::Application.SetTitle("Vaskel Setup");
        vk::Application.CreateForm(MainWindow, "mainform.layout");
        vk::Application.CreateForm(Wizard, "wizard.layout");
        vk::Application.CreateForm(FormInstall, "installdlg.layout");
        vk::Application.Run();
    } catch (const std::exception& e) {
        vk::Application.ShowException(e);
    }
    vk::Application.DestroyForms();
    return 0;
}
