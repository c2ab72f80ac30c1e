// Makes the sample product: the 22 files of the manifest, built from the texts and
// export lists in product/, byte for byte the same on every run.
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>

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

using Maker = std::function<std::vector<uint8_t>(uint32_t size)>;

std::map<std::string, Maker> Makers() {
  auto text = [](std::string name) { return [name](uint32_t) { return WithCrLf(SourceFile("text/" + name)); }; };
  auto exe = [](std::string name) { return [name](uint32_t size) { return MakePe32(name, false, {}, size); }; };
  auto dll = [](std::string name, std::string list) {
    return [name, list](uint32_t size) { return MakePe32(name, true, Exports(list), size); };
  };
  auto omf = [](std::string dll, std::string list) {
    return [dll, list](uint32_t size) { return MakeOmfImportLibrary(dll, Exports(list), size); };
  };
  std::map<std::string, Maker> m = {
      {"Vaskel.exe", exe("Vaskel.exe")},
      {"vaskel.ini", text("vaskel.ini")},
      {"inittp.lib", text("inittp.lib")},
      {"lib\\bcb\\class\\vaskelclass_bcb.lib", omf("vaskelclass.dll", "vaskelclass.txt")},
      {"lib\\bcb\\api\\vaskelapi_bcb.lib", omf("vaskelapi.dll", "vaskelapi.txt")},
      {"lib\\vcpp\\api\\vaskelapi_vc.lib",
       [](uint32_t size) { return MakeCoffImportLibrary("vaskelapi.dll", Exports("vaskelapi.txt"), size); }},
      {"vaskelclass\\vaskelclass.dll", dll("vaskelclass.dll", "vaskelclass.txt")},
      {"vaskelclass\\vaskelclass.h", text("vaskelclass.h")},
      {"vaskelapi\\vaskelapi.dll", dll("vaskelapi.dll", "vaskelapi.txt")},
      {"vaskelapi\\vaskelapi.h", text("vaskelapi.h")},
      {"Tutorial\\sin.txt", [](uint32_t) { return MakeSineTable(); }},
      {"VaskelSim.exe", exe("VaskelSim.exe")},
      {"vaskelsim.ini", text("vaskelsim.ini")},
      {"Help\\vaskelhelp.chm", [](uint32_t size) { return MakeHelpFile("vaskelhelp.chm", 0x0409, size); }},
      {"Help\\vaskelhelp_pt.chm", [](uint32_t size) { return MakeHelpFile("vaskelhelp_pt.chm", 0x0416, size); }},
  };
  for (int i = 1; i <= 7; ++i) {
    const std::string name = "step" + std::to_string(i) + ".swf";
    m["Help\\" + name] = [name](uint32_t size) { return MakeMovie(name, size); };
  }
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: mkproduct MANIFEST PRODUCT-SOURCES OUTPUT-FOLDER\n");
    return 2;
  }
  g_source = argv[2];
  const std::string output = argv[3];
  std::vector<ManifestRow> rows;
  std::string error;
  if (!ReadManifest(argv[1], rows, error)) {
    std::fprintf(stderr, "mkproduct: %s\n", error.c_str());
    return 1;
  }
  const auto makers = Makers();
  int failures = 0;
  for (const auto& row : rows) {
    try {
      auto it = makers.find(row.TargetPath);
      if (it == makers.end()) throw std::runtime_error("no sample is made for this file");
      const auto bytes = it->second(row.Size);
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
