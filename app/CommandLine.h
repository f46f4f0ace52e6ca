#pragma once

#include <QString>
#include <QStringList>

// What the program was asked on its command line, read before anything else starts: --help and
// --version answer without a display and without a running copy; pictures and folders are
// handed to the list. Qt's own options (-platform, -style, -session from a session manager...)
// pass through to Qt untouched.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    // The files and folders to add, absolute, in the order given.
    QStringList paths;
    // For Error: the one line to print.
    QString error;

    // arguments: argv as given, the program first. workingFolder: what relative paths are
    // relative to.
    static CommandLine parse(const QStringList& arguments, const QString& workingFolder);
    // The text of --help, for the program as it was called.
    static QString helpText(const QString& program);
};
