#pragma once

class Prompter;
class QWidget;
class frmTarvane;
struct ServeEndpoint;
class StartupProbe;
class frmSplash;
struct StartOptions;

// The program's start-up.
namespace basTarvaneLoad {

// Shows the splash, creates the main window (its load step runs then), plays the splash's progress and shows the
// main window; then runs the program until it ends and returns the process exit code.
int Main(const StartOptions& options);

// The steps of Main, each on its own so that tests can take them one by one.
frmSplash* showSplash();
void runSplashProgress(frmSplash& splash, StartupProbe& probe);
void showMainWindow(QWidget& window, frmSplash& splash, StartupProbe& probe);
// Serves the count to the room's screens; says why when it cannot, and the program runs on.
void startRoomDisplay(frmTarvane& window, Prompter& prompter, const ServeEndpoint& endpoint);
// Spoken callouts on for this run; one line on standard error says so when they cannot be heard, and the program
// runs on.
void speakForThisRun(frmTarvane& window);

} // namespace basTarvaneLoad
