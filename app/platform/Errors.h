#pragma once

#include <QString>

#include <exception>

// A failure the user is told about: the text is shown as it stands.
class AppError : public std::exception {
public:
    explicit AppError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8()) {}
    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// Ends the current command without telling anyone (an unknown placement word).
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "silent abort"; }
};
