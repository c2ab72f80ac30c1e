#pragma once
// What the installation writes besides the product files (the payload's rows):
// the sub-folders of the destination, and the program group with its shortcuts.

// Every parent precedes its children, so one single-level creation each is enough.
inline constexpr const char* kSubFolders[] = {
    "lib",       "lib\\bcb",    "lib\\vcpp", "lib\\bcb\\api", "lib\\bcb\\class", "lib\\vcpp\\api",
    "vaskelapi", "vaskelclass", "Help",      "Tutorial",
};

inline constexpr char kGroupName[] = "Vaskel";

// A shortcut of the group: its name, its target below the destination, and the
// component digit that brings it ('1', the core, always).
struct GroupShortcut {
    const char* name;
    const char* target;
    char component;
};
inline constexpr GroupShortcut kGroupShortcuts[] = {
    {"Vaskel", "\\Vaskel.exe", '1'},
    {"Vaskel Sim", "\\VaskelSim.exe", '2'},
    {"Help Documentation", "\\Help\\vaskelhelp.chm", '3'},
    {"Documenta\xE7\xE3o de Ajuda", "\\Help\\vaskelhelp_pt.chm", '4'},
};
