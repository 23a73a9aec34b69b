// The program's arguments: --help and --version answer on stdout without opening a window;
// any other argument is an error. Without arguments the program starts as usual.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace driver {
enum class CommandLineRequest { Run, Help, Version, Invalid };

// The request of the arguments after the program's name.
CommandLineRequest ReadCommandLine(const std::vector<std::string>& arguments);

// The German help: what the program is, its keys, and where it looks for its files
// (`dataFolders` first to last, "" for the working folder) and saves pictures.
std::string HelpText(const std::string& program, const std::vector<std::string>& dataFolders,
                     const std::string& picturesFolder);
// "syzygy 1.0 (Version: 15. März 2016)" and a line end: the version number and the date the
// title screen shows.
std::string VersionText(const std::string& program);

// The one-line complaint about arguments that are no request.
std::string CommandLineError(const std::string& program,
                             const std::vector<std::string>& arguments);

// Answers --help, --version and wrong arguments (messages on stdout or stderr) and gives
// the exit status; nothing when the program is to start.
std::optional<int> AnswerCommandLine(int argc, char** argv);
}  // namespace driver
