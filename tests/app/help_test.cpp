// The Help command: which start page it finds from the program's folder,
// and what it tells when there is none.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Help.h"
#include "app/UserMessages.h"

using namespace korvexa::app;

namespace {

struct HelpCase {
    const char* name;
    std::vector<const char*> pages;  // start pages present, relative to the tree
    const char* opened;   // page shown, or nullptr
    const char* message;  // beginning of the message shown, or nullptr
};

void PrintTo(const HelpCase& c, std::ostream* out) { *out << c.name; }

// The program is tree/x/bin/korvexa (installed: pages in
// x/share/korvexa/help) or tree/x/app/korvexa (build tree: pages in x/help);
// both layouts are tried from the folder "x/bin".
const HelpCase kCases[] = {
    {"installed", {"x/share/korvexa/help/index.html"}, "x/share/korvexa/help/index.html", nullptr},
    {"build tree", {"x/help/index.html"}, "x/help/index.html", nullptr},
    {"installed first", {"x/help/index.html", "x/share/korvexa/help/index.html"}, "x/share/korvexa/help/index.html",
     nullptr},
    {"no pages", {}, nullptr, "ヘルプファイルが見つかりません。\n{}x/share/korvexa/help/index.html"},
    {"a folder is no page", {"x/help/index.html/"}, nullptr, "ヘルプファイルが見つかりません。"},
};

class Help : public testing::TestWithParam<HelpCase> {};

TEST_P(Help, OpensTheFirstPageFoundOrSaysWhy)
{
    const HelpCase& c = GetParam();
    QTemporaryDir tree;
    const QString root = tree.path() + QLatin1Char('/');
    QDir().mkpath(root + QStringLiteral("x/bin"));
    for (const char* page : c.pages) {
        const QString path = root + QString::fromUtf8(page);
        if (path.endsWith(QLatin1Char('/'))) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QStringList shown;
    Messages().show = [&](QWidget*, MessageKind, const QString& text, bool) {
        shown << text;
        return MessageAnswer::Ok;
    };
    Messages().beep = [] {};
    QStringList opened;
    ShowHelp(nullptr, root + QStringLiteral("x/bin"), [&](const QString& page) { opened << page; });

    EXPECT_EQ(opened, c.opened ? QStringList{root + QString::fromUtf8(c.opened)} : QStringList());
    if (c.message) {
        ASSERT_EQ(shown.size(), 1);
        const QString expected = QString::fromUtf8(c.message).replace(QStringLiteral("{}"), root);
        EXPECT_TRUE(shown[0].startsWith(expected)) << shown[0].toStdString();
    } else {
        EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char('|')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, Help, testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
});

}  // namespace
