#pragma once
#include "Dsetupfile.h"

// The embedded product files, defined by the generated unit Dsetuplargefile.

struct PayloadEntry {
    const char* TargetPath;   // relative to the destination folder
    char Component;           // '1' core, '2'..'5' the optional components
    DSetupFile* const* File;  // the row's record pointer, set during start-up
};

constexpr int PayloadFileCount = 22;

// In the order the installation run writes them.
extern const PayloadEntry PayloadFiles[PayloadFileCount];

// Manifest row numbers in the order start-up created the records.
extern unsigned PayloadCreatedCount;
extern unsigned char PayloadCreationOrder[PayloadFileCount];

extern DSetupFile* FileVaskelExe;
extern DSetupFile* FileVaskelIni;
extern DSetupFile* FileInittpLib;
extern DSetupFile* FileLibBcbClassVaskelclassBcbLib;
extern DSetupFile* FileLibBcbApiVaskelapiBcbLib;
extern DSetupFile* FileLibVcppApiVaskelapiVcLib;
extern DSetupFile* FileVaskelclassVaskelclassDll;
extern DSetupFile* FileVaskelclassVaskelclassH;
extern DSetupFile* FileVaskelapiVaskelapiDll;
extern DSetupFile* FileVaskelapiVaskelapiH;
extern DSetupFile* FileTutorialSinTxt;
extern DSetupFile* FileVaskelSimExe;
extern DSetupFile* FileVaskelsimIni;
extern DSetupFile* FileHelpVaskelhelpChm;
extern DSetupFile* FileHelpVaskelhelpPtChm;
extern DSetupFile* FileHelpStep1Swf;
extern DSetupFile* FileHelpStep2Swf;
extern DSetupFile* FileHelpStep3Swf;
extern DSetupFile* FileHelpStep4Swf;
extern DSetupFile* FileHelpStep5Swf;
extern DSetupFile* FileHelpStep6Swf;
extern DSetupFile* FileHelpStep7Swf;
