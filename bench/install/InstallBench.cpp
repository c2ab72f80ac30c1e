// Times the installation run for a Typical install, in process with the real forms
// (hidden until the run shows its dialog), against writing the same 21 files with
// one bulk write each, in the same folder and the same run; prints the median ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Application.h"
#include "Formwizard.h"
#include "Installdlg.h"
#include "Measure.h"
#include "Mainform.h"
#include "Payload.h"

namespace {

struct Image {
    const char* name;
    std::string bytes;
};

// The Typical selection's files, each as one contiguous buffer made before timing.
std::vector<Image> TypicalImages() {
    std::vector<Image> images;
    for (const PayloadEntry& row : PayloadFiles) {
        if (row.Component == '4') continue;
        const DSetupFile& f = **row.File;
        std::string bytes(reinterpret_cast<const char*>(f.Words), size_t(f.WordCount) * 4);
        if (f.TailLength) bytes.append(reinterpret_cast<const char*>(f.TailBytes), f.TailLength);
        images.push_back({row.TargetPath, std::move(bytes)});
    }
    return images;
}

bool BulkWrite(const Image& image) {
    HANDLE out = CreateFileA(image.name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(out, image.bytes.data(), DWORD(image.bytes.size()), &written, nullptr) &&
                    written == image.bytes.size();
    return CloseHandle(out) && ok;
}

// What the run does on the screen, without the files: swap the wizard for the
// dialog, five status texts, four bar positions, and back.
void WindowSteps() {
    Wizard->Hide();
    FormInstall->Show();
    for (const char* text : {"Creating Folders...", "Creating Core Files...", "Creating VaskelSim Files...",
                             "Creating Help Files...", "Creating Interactive Help Files..."})
        FormInstall->SetStatus(text);
    for (int position : {50, 60, 80, 100}) FormInstall->SetProgress(position);
    FormInstall->Hide();
    Wizard->Show();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    vk::Application.Initialize();
    vk::Application.SetTitle("Vaskel Setup");
    vk::Application.CreateForm(MainWindow, "mainform.layout");
    vk::Application.CreateForm(Wizard, "wizard.layout");
    vk::Application.CreateForm(FormInstall, "installdlg.layout");

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vaskel-install-bench";
    Wizard->EditLocation->SetText(folder);
    const std::vector<Image> images = TypicalImages();

    // A warm-up of each, so the first timed pass does not pay for creating the files.
    bool ok = Wizard->InstallFiles() && Wizard->ComponentList == "1235";
    for (const Image& image : images) ok = BulkWrite(image) && ok;

    // Per run: the installation run, the bulk writes, the run's file writes alone
    // and its window steps alone, in rotating order so that none always meets a
    // cold cache.
    std::vector<double> run, bulk, writer, windows, ratios, writerRatios;
    for (int r = 0; r < runs; ++r) {
        double t[4] = {};
        for (int k = 0; k < 4; ++k) {
            const int which = (r + k) % 4;
            const double t0 = bench::Seconds();
            if (which == 0) {
                ok = Wizard->InstallFiles() && ok;
            } else if (which == 1) {
                for (const Image& image : images) ok = BulkWrite(image) && ok;
            } else if (which == 3) {
                WindowSteps();
            } else {
                for (const PayloadEntry& row : PayloadFiles)
                    if (row.Component != '4') ok = (*row.File)->WriteToFile(row.TargetPath) && ok;
            }
            t[which] = bench::Seconds() - t0;
        }
        run.push_back(t[0]);
        bulk.push_back(t[1]);
        writer.push_back(t[2]);
        windows.push_back(t[3]);
        ratios.push_back(t[0] / t[1]);
        writerRatios.push_back(t[2] / t[1]);
    }
    SetCurrentDirectoryA(temp);
    bench::DeleteTree(folder);

    std::printf("runs                              %d\n", runs);
    std::printf("files per pass                    %zu\n", images.size());
    std::printf("InstallFiles, Typical (median)    %.1f ms\n", bench::Median(run) * 1000);
    std::printf("bulk writes, same files (median)  %.1f ms\n", bench::Median(bulk) * 1000);
    std::printf("WriteToFile alone (median)        %.1f ms\n", bench::Median(writer) * 1000);
    std::printf("window steps alone (median)       %.1f ms\n", bench::Median(windows) * 1000);
    std::printf("ratio (median of runs)            %.2f\n", bench::Median(ratios));
    std::printf("ratio (min .. max)                %.2f .. %.2f\n", *std::min_element(ratios.begin(), ratios.end()),
                *std::max_element(ratios.begin(), ratios.end()));
    std::printf("WriteToFile alone / bulk (median) %.2f\n", bench::Median(writerRatios));
    if (!ok) std::printf("some writes failed\n");
    vk::Application.DestroyForms();
    return ok ? 0 : 1;
}
