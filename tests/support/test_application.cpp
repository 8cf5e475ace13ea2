#include "support/test_application.h"

#include "toolkit/screen.h"
#include "toolkit/toolkit_classes.h"

namespace {

std::vector<std::string>& Reports() {
    static std::vector<std::string> reports;
    return reports;
}

} // namespace

TApplication& TestApplication() {
    static TApplication* application = [] {
        auto* app = new TApplication();
        app->Initialize();
        app->UseManualClock();
        app->ErrorReport = [](const std::string& text) { Reports().push_back(text); };
        RegisterToolkitClasses();
        return app;
    }();
    return *application;
}

TManualTimerService& TestClock() { return *TestApplication().ManualClock(); }

std::vector<std::string> TakeErrorReports() {
    std::vector<std::string> reports;
    reports.swap(Reports());
    return reports;
}
