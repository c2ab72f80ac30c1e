// The generated records against the manifest: every file byte for byte as embedded,
// the table's order and components, and the order in which start-up made the records.
#include <windows.h>

#include <gtest/gtest.h>

#include "Payload.h"
#include "PayloadTestSupport.h"
#include "Sha256.h"

namespace {

TEST(PayloadRecords, TableFollowsTheManifestRowByRow) {
    const auto& rows = Manifest();
    ASSERT_EQ(rows.size(), size_t(PayloadFileCount));
    uint64_t total = 0;
    for (int i = 0; i < PayloadFileCount; ++i) {
        const auto& entry = PayloadFiles[i];
        EXPECT_EQ(entry.TargetPath, rows[i].TargetPath) << "row " << i + 1;
        EXPECT_EQ(entry.Component, rows[i].Component) << entry.TargetPath;
        ASSERT_NE(*entry.File, nullptr) << entry.TargetPath;
        const DSetupFile& f = **entry.File;
        EXPECT_EQ(f.WordCount, rows[i].Size / 4) << entry.TargetPath;
        EXPECT_EQ(f.TailLength, rows[i].Size % 4) << entry.TargetPath;
        EXPECT_EQ(f.TailBytes == nullptr, f.TailLength == 0) << entry.TargetPath;
        total += rows[i].Size;
    }
    EXPECT_EQ(total, 3825895u);
}

TEST(PayloadRecords, EveryWrittenFileMatchesTheEmbeddedFolder) {
    ScratchFolder scratch;
    const auto& rows = Manifest();
    ASSERT_EQ(rows.size(), size_t(PayloadFileCount));
    for (int i = 0; i < PayloadFileCount; ++i) {
        const std::string name = "file" + std::to_string(i + 1);
        ASSERT_TRUE((*PayloadFiles[i].File)->WriteToFile(name.c_str())) << PayloadFiles[i].TargetPath;
        const auto bytes = ReadBytes(name);
        EXPECT_EQ(bytes.size(), rows[i].Size) << rows[i].TargetPath;
        EXPECT_EQ(Sha256Hex(bytes.data(), bytes.size()), rows[i].Sha256) << rows[i].TargetPath;
    }
}

TEST(PayloadRecords, SimulatorIniEndsWithTheTailsCrLf) {
    ScratchFolder scratch;
    ASSERT_EQ(FileVaskelsimIni->TailLength, 2);
    EXPECT_EQ(FileVaskelsimIni->TailBytes[0], '\r');
    EXPECT_EQ(FileVaskelsimIni->TailBytes[1], '\n');
    ASSERT_TRUE(FileVaskelsimIni->WriteToFile("vaskelsim.ini"));
    const std::string text = "[Config]\r\nLanguage=1\r\n";
    EXPECT_EQ(ReadBytes("vaskelsim.ini"), std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(PayloadRecords, StartUpCreatedThemInTheCreatedOrder) {
    const auto& rows = Manifest();
    ASSERT_EQ(PayloadCreatedCount, unsigned(PayloadFileCount));
    for (const auto& r : rows) EXPECT_EQ(PayloadCreationOrder[r.Created - 1], r.Row) << r.TargetPath;
}

TEST(PayloadRecords, DataIsUsedWhereItLiesInTheImage) {
    // The words and tails must be the program's static data, not heap copies.
    const auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleA(nullptr));
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const uint8_t* end = base + nt->OptionalHeader.SizeOfImage;
    auto inImage = [&](const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        return b >= base && b + n <= end;
    };
    for (const auto& entry : PayloadFiles) {
        const DSetupFile& f = **entry.File;
        EXPECT_TRUE(inImage(f.Words, 4ull * f.WordCount)) << entry.TargetPath;
        if (f.TailLength) {
            EXPECT_TRUE(inImage(f.TailBytes, f.TailLength)) << entry.TargetPath;
        }
    }
}

TEST(PayloadRecords, NamedPointersAreTheTablesRecords) {
    DSetupFile* const named[PayloadFileCount] = {FileVaskelExe,
                                                 FileVaskelIni,
                                                 FileInittpLib,
                                                 FileLibBcbClassVaskelclassBcbLib,
                                                 FileLibBcbApiVaskelapiBcbLib,
                                                 FileLibVcppApiVaskelapiVcLib,
                                                 FileVaskelclassVaskelclassDll,
                                                 FileVaskelclassVaskelclassH,
                                                 FileVaskelapiVaskelapiDll,
                                                 FileVaskelapiVaskelapiH,
                                                 FileTutorialSinTxt,
                                                 FileVaskelSimExe,
                                                 FileVaskelsimIni,
                                                 FileHelpVaskelhelpChm,
                                                 FileHelpVaskelhelpPtChm,
                                                 FileHelpStep1Swf,
                                                 FileHelpStep2Swf,
                                                 FileHelpStep3Swf,
                                                 FileHelpStep4Swf,
                                                 FileHelpStep5Swf,
                                                 FileHelpStep6Swf,
                                                 FileHelpStep7Swf};
    for (int i = 0; i < PayloadFileCount; ++i) EXPECT_EQ(named[i], *PayloadFiles[i].File) << PayloadFiles[i].TargetPath;
}

}  // namespace
