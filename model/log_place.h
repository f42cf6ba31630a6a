#pragma once
// Where the window's solve log is kept. A program run from a build tree or from a
// folder of the user's keeps it beside itself, where the person who built or copied it
// looks; an installed program (under /usr or /opt, or in any folder owned by root)
// never writes into the system's folders, not even when root runs it, and keeps it in
// the user's state folder instead.
#include <string>
#include <string_view>

namespace velmora {

enum class LogPlace { BesideProgram, StateFolder };

// What decides the place, as found on the file system for the program's folder.
struct ProgramFolder {
    std::string path;          // the folder holding the program, symbolic links resolved
    bool ownedByRoot = false;  // its owner is user 0
    bool inBuildTree = false;  // it or a folder above it holds a CMakeCache.txt
    bool writable = false;     // the running user may create files in it
};

// The decision itself, on the facts alone.
LogPlace ChooseLogPlace(const ProgramFolder& folder);

// The facts for the program file at programPath (its folder's, when the file is
// missing). A folder that cannot be found is not writable.
ProgramFolder InspectProgramFolder(std::string_view programPath);

}  // namespace velmora
