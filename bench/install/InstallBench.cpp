// Times the installation run for a Typical install, in process with the real forms
// (hidden until the run shows its dialog), against a reference made of the same
// windows and refreshes on bare Win32 around one bulk write per file, and against
// the bulk writes alone, in the same folder and the same run; prints the medians.
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
#include "RawReference.h"

namespace {

// Every payload file, each as one contiguous buffer made before timing.
std::vector<rawref::File> Images() {
    std::vector<rawref::File> images;
    for (const PayloadEntry& row : PayloadFiles) {
        const DSetupFile& f = **row.File;
        std::string bytes(reinterpret_cast<const char*>(f.Words), size_t(f.WordCount) * 4);
        if (f.TailLength) bytes.append(reinterpret_cast<const char*>(f.TailBytes), f.TailLength);
        images.push_back({row.TargetPath, row.Component, std::move(bytes)});
    }
    return images;
}

struct Shape {
    std::string cls;
    RECT rect;  // relative to the top-level window
    LONG style, ex;
    std::string font;  // face and height
};

// The window and every window inside it, in creation order.
std::vector<Shape> ShapeOf(HWND root) {
    std::vector<Shape> shapes;
    std::vector<HWND> all{root};
    EnumChildWindows(
        root, [](HWND h, LPARAM p) { return reinterpret_cast<std::vector<HWND>*>(p)->push_back(h), TRUE; },
        reinterpret_cast<LPARAM>(&all));
    RECT origin;
    GetWindowRect(root, &origin);
    for (HWND h : all) {
        char cls[64] = {};
        GetClassNameA(h, cls, sizeof cls);
        RECT r;
        GetWindowRect(h, &r);
        OffsetRect(&r, -origin.left, -origin.top);
        // The classes each side registers for its forms and pages are named apart.
        std::string kind = cls;
        if (kind == "VaskelPage" || kind == "RawReferencePage") kind = "(page)";
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof font, &font);
        shapes.push_back({h == root ? "(form)" : kind, r, GetWindowLongA(h, GWL_STYLE) & ~LONG(WS_VISIBLE),
                          GetWindowLongA(h, GWL_EXSTYLE),
                          std::string(font.lfFaceName) + std::to_string(font.lfHeight)});
    }
    return shapes;
}

// Says where the reference's windows differ from the program's: class, place, size, style or font.
bool SameShape(const char* what, HWND program, HWND reference) {
    const std::vector<Shape> a = ShapeOf(program), b = ShapeOf(reference);
    bool same = a.size() == b.size();
    if (!same) std::printf("%s: %zu windows in the program, %zu in the reference\n", what, a.size(), b.size());
    for (size_t i = 0; same && i < a.size(); ++i) {
        const Shape &x = a[i], &y = b[i];
        if (x.cls == y.cls && EqualRect(&x.rect, &y.rect) && x.style == y.style && x.ex == y.ex && x.font == y.font)
            continue;
        std::printf(
            "%s, window %zu: program %s (%ld,%ld)-(%ld,%ld) %08lx/%08lx %s, reference %s (%ld,%ld)-(%ld,%ld) "
            "%08lx/%08lx %s\n",
            what, i, x.cls.c_str(), x.rect.left, x.rect.top, x.rect.right, x.rect.bottom, x.style, x.ex, x.font.c_str(),
            y.cls.c_str(), y.rect.left, y.rect.top, y.rect.right, y.rect.bottom, y.style, y.ex, y.font.c_str());
        same = false;
    }
    return same;
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

    BITMAP picture{};
    GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(Wizard->Image1->Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0)),
               sizeof picture, &picture);
    rawref::Windows reference(SIZE{picture.bmWidth, picture.bmHeight});
    reference.MakeRest();

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vaskel-install-bench";
    Wizard->EditLocation->SetText(folder);
    // A page's windows wait for its first showing; the reference makes every page
    // at once, so the program's are made too before the shapes are compared.
    for (int i = 0; i < Wizard->TabSheet->PageCount(); ++i) Wizard->TabSheet->PageAt(i)->Handle();
    const std::vector<rawref::File> images = Images();
    size_t typical = 0;
    const auto bulkWrites = [&] {
        bool written = true;
        for (const rawref::File& image : images)
            if (image.component != '4') written = rawref::WriteWhole(image) && written;
        return written;
    };

    // A warm-up of each, so the first timed pass does not pay for creating the files;
    // afterwards both sets of windows are as the timed passes leave them.
    bool ok = Wizard->InstallFiles() && Wizard->ComponentList == "1235";
    ok = reference.Install(folder, images, "1235") && ok;
    ok = bulkWrites() && ok;
    for (const rawref::File& image : images) typical += image.component != '4';
    const bool same = SameShape("wizard", Wizard->Handle(), reference.Wizard()) &&
                      SameShape("progress dialog", FormInstall->Handle(), reference.Dialog());

    // Per run: the installation run, the reference, the bulk writes, the run's file
    // writes alone and its window steps alone, in rotating order so that none always
    // meets a cold cache.
    constexpr int kinds = 5;
    std::vector<double> t[kinds], againstReference, againstBulk, referenceAgainstBulk, writerAgainstBulk;
    for (int r = 0; r < runs; ++r) {
        double took[kinds] = {};
        for (int k = 0; k < kinds; ++k) {
            const int which = (r + k) % kinds;
            const double t0 = bench::Seconds();
            if (which == 0) {
                ok = Wizard->InstallFiles() && ok;
            } else if (which == 1) {
                ok = reference.Install(folder, images, "1235") && ok;
            } else if (which == 2) {
                ok = bulkWrites() && ok;
            } else if (which == 3) {
                for (const PayloadEntry& row : PayloadFiles)
                    if (row.Component != '4') ok = (*row.File)->WriteToFile(row.TargetPath) && ok;
            } else {
                WindowSteps();
            }
            took[which] = bench::Seconds() - t0;
        }
        for (int k = 0; k < kinds; ++k) t[k].push_back(took[k]);
        againstReference.push_back(took[0] / took[1]);
        againstBulk.push_back(took[0] / took[2]);
        referenceAgainstBulk.push_back(took[1] / took[2]);
        writerAgainstBulk.push_back(took[3] / took[2]);
    }
    SetCurrentDirectoryA(temp);
    bench::DeleteTree(folder);

    const auto range = [](const std::vector<double>& v) {
        std::printf(" (%.2f .. %.2f)\n", *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()));
    };
    std::printf("runs                                  %d\n", runs);
    std::printf("files per pass                        %zu\n", typical);
    std::printf("reference windows as the program's    %s\n", same ? "yes" : "NO");
    std::printf("InstallFiles, Typical (median)        %.1f ms\n", bench::Median(t[0]) * 1000);
    std::printf("raw Win32 reference (median)          %.1f ms\n", bench::Median(t[1]) * 1000);
    std::printf("bulk writes, same files (median)      %.1f ms\n", bench::Median(t[2]) * 1000);
    std::printf("WriteToFile alone (median)            %.1f ms\n", bench::Median(t[3]) * 1000);
    std::printf("window steps alone (median)           %.1f ms\n", bench::Median(t[4]) * 1000);
    std::printf("InstallFiles / bulk writes (median)   %.2f", bench::Median(againstBulk));
    range(againstBulk);
    std::printf("reference / bulk writes (median)      %.2f", bench::Median(referenceAgainstBulk));
    range(referenceAgainstBulk);
    std::printf("WriteToFile alone / bulk (median)     %.2f\n", bench::Median(writerAgainstBulk));
    std::printf("InstallFiles / reference (min .. max)");
    range(againstReference);
    if (!ok) std::printf("some writes failed\n");
    vk::Application.DestroyForms();
    std::printf("InstallFiles against the raw Win32 reference: ratio %.2f (target 1.2)\n",
                bench::Median(againstReference));
    return ok ? 0 : 1;
}
