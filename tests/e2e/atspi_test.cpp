// Vitrina on an X server (Xvfb) with Qt's AT-SPI bridge on, read over the
// accessibility bus the way a screen reader reads it (atspi_lists.py).

#include "platform/cp1251.h"
#include "support/scratch_folder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool Have(const std::string& check) { return std::system((check + " >/dev/null 2>&1").c_str()) == 0; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QJsonArray Item(const char* name, std::initializer_list<const char*> states) {
    QJsonArray stateList;
    for (const char* state : states) stateList.append(state);
    return QJsonArray{QString::fromUtf8(name), stateList};
}

} // namespace

TEST(AtSpi, AScreenReaderReadsTheListsAndHearsTheFocusMove) {
    if (!Have("command -v xvfb-run") || !Have("command -v dbus-run-session"))
        GTEST_SKIP() << "xvfb-run or dbus-run-session is not installed";
    if (!Have("/usr/bin/python3 -c \"import gi; gi.require_version('Atspi', '2.0'); from gi.repository import Atspi\""))
        GTEST_SKIP() << "the AT-SPI bindings for Python (gir1.2-atspi-2.0, python3-gi) are not installed";

    TScratchFolder disc;
    std::string catalogue;
    for (int i = 0; i < 25; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "Азбука@Буква %02d@b%02d@@@Описание", i, i);
        catalogue += Utf8ToCp1251(line) + "\r\n";
    }
    catalogue += Utf8ToCp1251("Графика@Рисовалка@paint@@@Рисует") + "\r\n";
    disc.Write("db/base.txt", catalogue);

    // scripts/test-bundle points this at a bundle's launcher.
    const char* program = std::getenv("VITRINA_PROGRAM");
    std::string vitrina = program ? program : std::string(VITRINA_BINARY_DIR) + "/src/app/vitrina";
    std::string script = std::string(VITRINA_SOURCE_DIR) + "/tests/e2e/atspi_lists.py";
    // The session bus inside the X server, so the accessibility daemons it starts can
    // reach the display to type.
    std::string command = "xvfb-run -a -s '-screen 0 1024x768x24' dbus-run-session -- /usr/bin/python3 '" + script +
                          "' '" + vitrina + "' '" + disc.Path() + "' '" + (disc / "result") + "' >'" + (disc / "log") +
                          "' 2>&1";
    int status = std::system(command.c_str());
    std::string out = ReadFile(disc / "result");
    ASSERT_EQ(status, 0) << ReadFile(disc / "log");
    QJsonObject result = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    ASSERT_FALSE(result.isEmpty()) << out;

    QJsonObject lists = result["lists"].toObject();
    EXPECT_EQ(lists["Разделы"].toArray(), (QJsonArray{Item("Азбука", {"focused", "selected", "showing"}),
                                                       Item("Графика", {"showing"})}));
    QJsonArray titles = lists["Программы"].toArray();
    ASSERT_EQ(titles.size(), 25);
    EXPECT_EQ(titles[0], Item("Буква 00", {"selected", "showing"}));
    // Twenty rows are on screen, the last of them in part; the rest are scrolled out of view.
    EXPECT_EQ(titles[19], Item("Буква 19", {"showing"}));
    EXPECT_EQ(titles[20], Item("Буква 20", {}));
    EXPECT_EQ(titles[24], Item("Буква 24", {}));

    EXPECT_EQ(result["focusAfterDown"].toArray(), (QJsonArray{"list item", "Графика"}));
}
