// Times Uninstall of a default installation, in process with the real forms,
// against deleting the same tree with one bulk shell call, in the same run and
// the same Wine; also RemoveFolderTree alone, a delete by full paths, and
// Repair. Every tree is made by the installation run itself, untimed.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Application.h"
#include "BoxWatcher.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Mainform.h"
#include "Measure.h"
#include "RemovalGuard.h"

namespace {

constexpr char kFolder[] = "C:\\Vaskel";
// What Uninstall may cost, at most, against the bulk delete of the same tree.
constexpr double kTargetRatio = 1.3;

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool ShellDelete(const char* path) {
    std::string from = std::string(path) + '\0';  // a double-NUL-terminated list
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

// A default installation as Finish leaves it, without the folder window: the
// tree, the record, the desktop link and the group with its links.
bool InstallDefault() {
    SetCurrentDirectoryA("C:\\");
    Wizard->EditLocation->SetText(kFolder);
    if (!Wizard->InstallFiles() || Wizard->ComponentList != "1235") return false;
    Wizard->WriteInstallRecord();
    const std::string desktop = Wizard->GetDesktopFolder();
    bool ok = Wizard->CreateShortcut(std::string(kFolder) + "\\Vaskel.exe", desktop + "\\Vaskel.lnk",
                                     "Vaskel - Neural Networks Development Environment");
    ok = Wizard->CreateProgramGroup("Vaskel") && ok;
    ok = Wizard->CreateGroupShortcut("Vaskel", std::string(kFolder) + "\\Vaskel.exe", "Vaskel") && ok;
    ok = Wizard->CreateGroupShortcut("Vaskel Sim", std::string(kFolder) + "\\VaskelSim.exe", "Vaskel") && ok;
    ok = Wizard->CreateGroupShortcut("Help Documentation", std::string(kFolder) + "\\Help\\vaskelhelp.chm", "Vaskel") &&
         ok;
    SetCurrentDirectoryA("C:\\");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    vk::Application.Initialize();
    vk::Application.SetTitle("Vaskel Setup");
    vk::Application.CreateForm(MainWindow, "mainform.layout");
    vk::Application.CreateForm(Wizard, "wizard.layout");
    vk::Application.CreateForm(FormInstall, "installdlg.layout");
    Wizard->RegistryBase = "Software\\Kestrelmoor";
    // No box is expected; one that comes up anyway is answered and reported.
    BoxWatcher boxes;

    // A warm-up of each, so that no timed pass pays alone for first use.
    bool ok = InstallDefault() && Wizard->Uninstall() && !Exists(kFolder);
    ok = InstallDefault() && ShellDelete(kFolder) && !Exists(kFolder) && ok;

    // Per run, in rotating order: Uninstall of a default installation, the
    // bulk call, RemoveFolderTree alone, the delete by full paths, Repair.
    // Two parts of Uninstall alone, to show where its time goes: the guard over
    // the shell's system folders, and the progress dialog coming up.
    enum { kUninstall, kBulk, kTree, kFullPaths, kRepair, kGuard, kDialog, kKinds };
    std::vector<double> t[kKinds], ratio, treeRatio;
    for (int r = 0; r < runs; ++r) {
        double took[kKinds] = {};
        for (int k = 0; k < kKinds; ++k) {
            const int which = (r + k) % kKinds;
            ok = InstallDefault() && ok;
            const double t0 = bench::Seconds();
            switch (which) {
                case kUninstall:
                    Wizard->Uninstall();
                    break;
                case kBulk:
                    ok = ShellDelete(kFolder) && ok;
                    break;
                case kTree:
                    Wizard->RemoveFolderTree(kFolder);
                    break;
                case kFullPaths:
                    bench::DeleteTree(kFolder);
                    break;
                case kRepair:
                    ok = Wizard->Repair() && ok;
                    break;
                case kGuard:
                    ok = !WhyNotRemovable(kFolder, ShellSystemFolders()) && ok;
                    break;
                case kDialog:
                    Wizard->Hide();
                    FormInstall->SetCaption("Uninstalling...");
                    FormInstall->Show();
                    break;
            }
            took[which] = bench::Seconds() - t0;
            if (which == kGuard || which == kDialog)
                bench::DeleteTree(kFolder);
            else
                ok = (which == kRepair ? Exists(kFolder) : !Exists(kFolder)) && ok;
            SetCurrentDirectoryA("C:\\");
            FormInstall->Hide();
        }
        for (int k = 0; k < kKinds; ++k) t[k].push_back(took[k]);
        ratio.push_back(took[kUninstall] / took[kBulk]);
        treeRatio.push_back(took[kTree] / took[kBulk]);
    }
    // The last timed step may have taken the record already.
    Wizard->WriteInstallRecord();
    Wizard->Uninstall();
    ok = !Exists(kFolder) && ok;

    std::printf("runs                                   %d\n", runs);
    std::printf("Uninstall, default install (median)    %.1f ms\n", bench::Median(t[kUninstall]) * 1000);
    std::printf("  of which the guard's system folders  %.1f ms\n", bench::Median(t[kGuard]) * 1000);
    std::printf("  of which progress dialog shown       %.1f ms\n", bench::Median(t[kDialog]) * 1000);
    std::printf("bulk SHFileOperation, tree (median)    %.1f ms\n", bench::Median(t[kBulk]) * 1000);
    std::printf("RemoveFolderTree alone (median)        %.1f ms\n", bench::Median(t[kTree]) * 1000);
    std::printf("delete by full paths (median)          %.1f ms\n", bench::Median(t[kFullPaths]) * 1000);
    std::printf("Uninstall / bulk (min .. max)          %.2f .. %.2f\n", *std::min_element(ratio.begin(), ratio.end()),
                *std::max_element(ratio.begin(), ratio.end()));
    std::printf("RemoveFolderTree / bulk (median)       %.2f\n", bench::Median(treeRatio));
    std::printf("Repair, Typical components (median)    %.1f ms\n", bench::Median(t[kRepair]) * 1000);
    std::printf("Repair (min .. max)                    %.1f .. %.1f ms\n",
                *std::min_element(t[kRepair].begin(), t[kRepair].end()) * 1000,
                *std::max_element(t[kRepair].begin(), t[kRepair].end()) * 1000);
    for (const BoxWatcher::Seen& box : boxes.Boxes()) std::printf("unexpected box: %s\n", box.Text.c_str());
    if (!ok) std::printf("some step failed: a tree was left or not made\n");
    // The headline, last, for scripts: the median of the per-run ratios.
    std::printf("Uninstall against one bulk shell delete: ratio %.2f (target %.1f)\n", bench::Median(ratio),
                kTargetRatio);
    vk::Application.DestroyForms();
    return ok ? 0 : 1;
}
