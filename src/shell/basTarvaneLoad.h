#pragma once

struct StartOptions;

// The program's start-up.
namespace basTarvaneLoad {

// Shows the main window and runs the program until it ends; returns the process exit code.
int Main(const StartOptions& options);

} // namespace basTarvaneLoad
