#include "app/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parses_data();
    void parses();
};

using Action = CommandLine::Action;
Q_DECLARE_METATYPE(CommandLine::Action)

void TestCommandLine::parses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("nothing") << QStringList{} << Action::Run << QStringList{};
    QTest::newRow("help") << QStringList{"a.bmp", "--help"} << Action::Help
                          << QStringList{"/w/a.bmp"};
    QTest::newRow("short version") << QStringList{"-v"} << Action::Version << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--bogus"} << Action::Error << QStringList{};
    QTest::newRow("unknown single dash") << QStringList{"-x"} << Action::Error << QStringList{};
    QTest::newRow("flag with a value")
        << QStringList{"-reverse=1"} << Action::Error << QStringList{};
    QTest::newRow("qt options pass")
        << QStringList{"-platform", "xcb", "--style=fusion", "-reverse", "-session", "s1", "b.jpg"}
        << Action::Run << QStringList{"/w/b.jpg"};
    QTest::newRow("qt option without its value")
        << QStringList{"-platform"} << Action::Error << QStringList{};
    QTest::newRow("paths made absolute and clean")
        << QStringList{"../x/./c.jpg", "/abs/d.bmp", "dir/"} << Action::Run
        << QStringList{"/x/c.jpg", "/abs/d.bmp", "/w/dir"};
    QTest::newRow("after -- all are names")
        << QStringList{"--", "--help", "-v"} << Action::Run << QStringList{"/w/--help", "/w/-v"};
}

void TestCommandLine::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QStringList, paths);
    arguments.prepend(QStringLiteral("tessary"));
    const CommandLine line = CommandLine::parse(arguments, QStringLiteral("/w"));
    QCOMPARE(line.action, action);
    QCOMPARE(line.error.isEmpty(), action != Action::Error);
    if (action == Action::Run)
        QCOMPARE(line.paths, paths);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
