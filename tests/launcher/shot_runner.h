#pragma once
// Small discs made on the fly and the headless launcher run over them.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <string>
#include <vector>

class TTestDisc {
public:
    TTestDisc();
    ~TTestDisc();
    const std::filesystem::path& Root() const { return FRoot; }

    // Catalogue lines are given in UTF-8 and written in code page 1251, CR LF.
    void SetCatalogue(const std::vector<std::string>& utf8Lines);
    // A JPEG of the given size under soft/<category>/<folder>/<name>.
    void AddJpeg(const std::string& category, const std::string& folder, const std::string& name, int width,
                 int height);
    void AddFile(const std::string& relativeUtf8Path, const std::string& bytes);
    void AddFolder(const std::string& relativeUtf8Path);
    void RemoveCatalogue();
    void RemoveDbFolder();

private:
    std::filesystem::path FRoot;
};

struct TShotRun {
    int Status = -1;
    std::string Err;
    std::vector<QJsonObject> States; // one per `state` line of the script
    std::vector<QJsonDocument> Lines; // every line printed, in order
};

TShotRun RunShot(const TTestDisc& disc, const std::string& script, const std::string& options = {});

// The centre of item `index` of a list box, in the launcher's client coordinates.
struct TClientPoint {
    int X, Y;
};
TClientPoint ListItemPoint(const QJsonObject& state, const char* listName, int index);
// The centre of a control of the launcher's main panel.
TClientPoint PanelControlCentre(const QJsonObject& state, const char* name);
QJsonObject Control(const QJsonObject& state, const char* name);
std::vector<std::string> Items(const QJsonObject& state, const char* listName);
std::string Utf8(const QJsonValue& value);
