// Makes the sample product: the 22 files of the manifest, built from the texts and
// export lists in product/, byte for byte the same on every run. With --variant it makes
// another product of the same shape instead, as deterministically.
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

#include "ExactTexts.h"
#include "FileIo.h"
#include "Formats.h"
#include "Manifest.h"

namespace {

std::string g_source;

std::vector<uint8_t> SourceFile(const std::string& relative) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(g_source + "/" + relative, bytes)) throw std::runtime_error(relative + ": cannot read");
    return bytes;
}

std::vector<std::string> Exports(const std::string& list) {
    auto bytes = SourceFile("exports/" + list);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

using Maker = std::function<std::vector<uint8_t>(const ManifestRow& row)>;

std::map<std::string, Maker> Makers(const Variant& v) {
    // A text whose wording is product content: the sample's own, or reworded from `start`.
    auto text = [&v](std::string name, WordingStart start) {
        return [&v, name, start](const ManifestRow&) {
            return Reworded(v, name, WithCrLf(SourceFile("text/" + name)), start);
        };
    };
    auto firstLine = [](size_t index, const std::string&) { return index == 0 ? 0 : std::string::npos; };
    auto tipText = [](size_t, const std::string& line) {
        return line.rfind("Tip", 0) == 0 ? line.find('=') + 1 : std::string::npos;
    };
    // Texts that every product holds to the byte come from the manifest's format rule.
    auto exact = [](const ManifestRow& row) {
        std::vector<uint8_t> bytes;
        if (!ExactText(ParseFormatRule(row.Format), bytes)) throw std::runtime_error("its format names no exact text");
        return bytes;
    };
    auto exe = [&v](std::string name) {
        return [&v, name](const ManifestRow& row) { return MakePe32(v, name, false, {}, row.Size); };
    };
    auto dll = [&v](std::string name, std::string list) {
        return [&v, name, list](const ManifestRow& row) { return MakePe32(v, name, true, Exports(list), row.Size); };
    };
    auto omf = [&v](std::string dll, std::string list) {
        return
            [&v, dll, list](const ManifestRow& row) { return MakeOmfImportLibrary(v, dll, Exports(list), row.Size); };
    };
    auto help = [&v](std::string name, uint32_t language) {
        return [&v, name, language](const ManifestRow& row) { return MakeHelpFile(v, name, language, row.Size); };
    };
    std::map<std::string, Maker> m = {
        {"Vaskel.exe", exe("Vaskel.exe")},
        {"vaskel.ini", exact},
        {"inittp.lib", text("inittp.lib", tipText)},
        {"lib\\bcb\\class\\vaskelclass_bcb.lib", omf("vaskelclass.dll", "vaskelclass.txt")},
        {"lib\\bcb\\api\\vaskelapi_bcb.lib", omf("vaskelapi.dll", "vaskelapi.txt")},
        {"lib\\vcpp\\api\\vaskelapi_vc.lib",
         [&v](const ManifestRow& row) {
             return MakeCoffImportLibrary(v, "vaskelapi.dll", Exports("vaskelapi.txt"), row.Size);
         }},
        {"vaskelclass\\vaskelclass.dll", dll("vaskelclass.dll", "vaskelclass.txt")},
        {"vaskelclass\\vaskelclass.h", text("vaskelclass.h", firstLine)},
        {"vaskelapi\\vaskelapi.dll", dll("vaskelapi.dll", "vaskelapi.txt")},
        {"vaskelapi\\vaskelapi.h", text("vaskelapi.h", firstLine)},
        {"Tutorial\\sin.txt", exact},
        {"VaskelSim.exe", exe("VaskelSim.exe")},
        {"vaskelsim.ini", exact},
        {"Help\\vaskelhelp.chm", help("vaskelhelp.chm", 0x0409)},
        {"Help\\vaskelhelp_pt.chm", help("vaskelhelp_pt.chm", 0x0416)},
    };
    for (int i = 1; i <= 7; ++i) {
        const std::string name = "step" + std::to_string(i) + ".swf";
        m["Help\\" + name] = [&v, name](const ManifestRow& row) { return MakeMovie(v, name, row.Size); };
    }
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    std::string name;
    if (argc == 6 && std::string(argv[1]) == "--variant" && argv[2][0]) {
        name = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkproduct [--variant NAME] MANIFEST PRODUCT-SOURCES OUTPUT-FOLDER\n");
        return 2;
    }
    const Variant variant = Variant::Named(name);
    g_source = argv[2];
    const std::string output = argv[3];
    std::vector<ManifestRow> rows;
    std::string error;
    if (!ReadManifest(argv[1], rows, error)) {
        std::fprintf(stderr, "mkproduct: %s\n", error.c_str());
        return 1;
    }
    const auto makers = Makers(variant);
    int failures = 0;
    for (const auto& row : rows) {
        try {
            auto it = makers.find(row.TargetPath);
            if (it == makers.end()) throw std::runtime_error("no sample is made for this file");
            const auto bytes = it->second(row);
            if (bytes.size() != row.Size)
                throw std::runtime_error("made " + std::to_string(bytes.size()) + " bytes, the manifest says " +
                                         std::to_string(row.Size));
            if (!WriteIfChanged(output + "/" + HostRelativePath(row.TargetPath), bytes.data(), bytes.size()))
                throw std::runtime_error("cannot write it");
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mkproduct: %s: %s\n", row.TargetPath.c_str(), e.what());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
