#pragma once
// A program of the build run to its end, its output and status collected. No shell
// stands in between, so it runs the same way on every system; a program that has not
// ended by the deadline is killed and the status is 124, so a hang fails its test
// instead of holding up the suite.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TProcessRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

struct TProcessOptions {
    std::string WorkingFolder; // empty: the test's own
    std::vector<std::pair<std::string, std::string>> Environment; // added to the test's
    std::string Input; // its standard input, then the end of it
    int DeadlineSeconds = 300;
};

inline constexpr int kTimedOutStatus = 124;

// The words of a command line as a POSIX shell splits it: blanks between words, '...'
// keeping blanks and backslashes in one, a backslash outside them taking the next
// character as it is. Tests write arguments the way a disc author types them.
inline std::vector<std::string> ShellWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            word.append(line.substr(i + 1, close - i - 1));
            i = close == std::string_view::npos ? line.size() : close;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

inline TProcessRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                              const TProcessOptions& options = {}) {
    QProcess process;
    QStringList args;
    for (const std::string& argument : arguments)
        args << QString::fromStdString(argument);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : options.Environment)
        environment.insert(QString::fromStdString(name), QString::fromStdString(value));
    process.setProcessEnvironment(environment);
    if (!options.WorkingFolder.empty()) process.setWorkingDirectory(QString::fromStdString(options.WorkingFolder));
    process.start(QString::fromStdString(program), args);
    TProcessRun run;
    if (!process.waitForStarted(60000)) {
        run.Err = process.errorString().toStdString();
        return run;
    }
    if (!options.Input.empty()) process.write(options.Input.data(), qint64(options.Input.size()));
    process.closeWriteChannel();
    if (process.waitForFinished(options.DeadlineSeconds * 1000)) {
        run.Status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    } else {
        process.kill();
        process.waitForFinished(10000);
        run.Status = kTimedOutStatus;
    }
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}
