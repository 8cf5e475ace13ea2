// vitrina-kit check [DIR] [--json]: the catalogue doctor. Reads DIR/db\base.txt and the
// title folders as the launcher does and prints every problem a person at the disc would
// meet, the way compilers print theirs, or as one JSON object.

#include "json_writer.h"
#include "kit_commands.h"

#include "app/startup.h"
#include "doctor/disc_check.h"
#include "launcher/main_unit.h"
#include "platform/cp1251.h"
#include "platform/file_names.h"
#include "platform/in_out_error.h"
#include "platform/terminal.h"
#include "toolkit/application.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>

namespace {

const char* SeverityName(TSeverity severity) {
    return severity == TSeverity::Error ? "error" : "warning";
}

std::string Counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

void PrintPlain(const TCheckReport& report) {
    std::string out;
    for (const TProblem& p : report.Problems)
        out += "base.txt:" + std::to_string(p.Line) + ": " + SeverityName(p.Severity()) + ": " +
               Cp1251ToUtf8(p.Message) + " [" + std::string(ProblemCodeName(p.Code)) + "]\n";
    out += Counted(report.Count(TSeverity::Error), "error", "errors") + ", " +
           Counted(report.Count(TSeverity::Warning), "warning", "warnings") + ", " +
           Counted(report.Titles, "title", "titles") + " in " +
           Counted(report.Categories, "category", "categories") + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}

void PrintJson(const TCheckReport& report) {
    TJsonWriter json(stdout);
    json.Raw("{\"titles\": ").Number(report.Titles);
    json.Raw(", \"categories\": ").Number(report.Categories);
    json.Raw(", \"errors\": ").Number(report.Count(TSeverity::Error));
    json.Raw(", \"warnings\": ").Number(report.Count(TSeverity::Warning));
    json.Raw(", \"problems\": [");
    for (std::size_t i = 0; i < report.Problems.size(); ++i) {
        const TProblem& p = report.Problems[i];
        json.Raw(i ? ",\n  {\"line\": " : "\n  {\"line\": ").Number(p.Line);
        json.Raw(", \"severity\": \"").Raw(SeverityName(p.Severity()));
        json.Raw("\", \"code\": \"").Raw(ProblemCodeName(p.Code));
        json.Raw("\", \"category\": ").String(p.Category);
        json.Raw(", \"title\": ").String(p.Title);
        json.Raw(", \"message\": ").String(p.Message).Raw("}");
    }
    json.Raw(report.Problems.empty() ? "]}\n" : "\n ]}\n");
}

// Standard error carries only what this command has to say: the toolkit's own notes
// about the environment (no runtime folder, no display) are not for disc authors.
void QuietToolkitNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// On a terminal only: a count that rewrites itself, gone when the check ends.
TCheckProgress TerminalProgress() {
    if (!StandardErrorIsTerminal()) return {};
    return [](std::string_view what, std::size_t done, std::size_t total) {
        if (done < total)
            std::fprintf(stderr, "\rchecking %.*s: %zu of %zu\x1b[K", int(what.size()), what.data(), done,
                         total);
        else
            std::fprintf(stderr, "\r\x1b[K");
        std::fflush(stderr);
    };
}

} // namespace

int RunCheckCommand(std::span<char*> args) {
    bool json = false;
    std::string folder;
    for (std::string_view arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (folder.empty() && !arg.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            folder = arg;
        } else {
            std::fprintf(stderr, "usage: vitrina-kit check [DIR] [--json]\n");
            return 2;
        }
    }
    TDiscCheck check;
    try {
        // The launcher reads everything relative to the folder it is started in.
        std::error_code error;
        if (!folder.empty()) std::filesystem::current_path(NativePath(folder), error);
        if (error) throw EInOutError(ERROR_PATH_NOT_FOUND);
        check.ReadCatalogue();
    } catch (...) {
        std::fprintf(stderr, "%s\n",
                     Cp1251ToUtf8(TApplication::ReportText(std::current_exception())).c_str());
        return 1;
    }
    // The launcher window measures texts as it shows them; it is never shown here.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietToolkitNotes);
    TCheckReport report;
    try {
        TApplication application;
        application.Initialize();
        application.UseManualClock();
        StartUnits();
        application.CreateForm(MainFr);
        report = check.Check(*MainFr, TerminalProgress());
        FinishUnits();
    } catch (const std::bad_alloc&) {
        throw; // reported by main, as for every command
    } catch (...) {
        std::fprintf(stderr, "vitrina-kit check: %s\n",
                     Cp1251ToUtf8(TApplication::ReportText(std::current_exception())).c_str());
        return 1;
    }
    if (json)
        PrintJson(report);
    else
        PrintPlain(report);
    return report.Count(TSeverity::Error) ? 1 : 0;
}
