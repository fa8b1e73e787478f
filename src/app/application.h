// The program: owns the state, the services and the windows, and runs the
// start-up sequence.
#pragma once

#include "ui/context.h"

#include <memory>

namespace zorvik {

class Commands;
class MainWindow;
class SplashWindow;

class Application {
public:
    // `programDir` is the process's current directory at start.
    Application(Services& services, const QString& programDir);
    ~Application();

    // The splash first, then the long-lived windows, main window first.
    void createWindows();
    // Shows the splash modally; when it hands over, shows the main window.
    void start();
    // Opens a test file named on the command line in the question editor.
    void openNamed(const QString& path);

    AppContext& context() { return ctx_; }
    AppState& state() { return state_; }
    MainWindow* mainWindow() const { return main_; }
    SplashWindow* splash() const { return splash_.get(); }

private:
    AppState state_;
    AppContext ctx_;
    std::unique_ptr<SplashWindow> splash_;
    MainWindow* main_ = nullptr; // owns every long-lived window
    Commands* commands_ = nullptr;
};

// ProgramDir: the directory without one trailing separator, so "/" gives ""
// and "" + "/test.ns1" names the file in the root.
QString programDirFrom(const QString& currentDir);

} // namespace zorvik
