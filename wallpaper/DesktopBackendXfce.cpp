#include "wallpaper/DesktopBackendXfce.h"

#include "app/platform/Errors.h"
#include "wallpaper/DesktopBus.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <set>

namespace {

const QString Channel = QStringLiteral("xfce4-desktop");
const QString Service = QStringLiteral("org.xfce.Xfconf");
const QString Path = QStringLiteral("/org/xfce/Xfconf");

QDBusMessage call(const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Service, method);
    message.setArguments(arguments);
    return callDesktopService(message,
                              QCoreApplication::translate("Desktop", "XFCE's settings service"));
}

void setProperty(const QString& property, const QVariant& value) {
    const QDBusMessage reply = call(QStringLiteral("SetProperty"),
                                    {Channel, property, QVariant::fromValue(QDBusVariant(value))});
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw AppError(QCoreApplication::translate("Desktop", "XFCE's settings refused \"%1\": %2")
                           .arg(property, reply.errorMessage().isEmpty() ? reply.errorName()
                                                                         : reply.errorMessage()));
}

// Every property below /backdrop; a channel that does not exist yet has none.
QVariantMap backdropProperties() {
    const QDBusMessage reply =
        call(QStringLiteral("GetAllProperties"), {Channel, QStringLiteral("/backdrop")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (reply.errorName().startsWith(QLatin1String("org.xfce.Xfconf.Error")))
            return {};
        throw AppError(
            QCoreApplication::translate("Desktop", "XFCE's settings cannot be read: %1")
                .arg(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage()));
    }
    QVariantMap properties;
    reply.arguments().constFirst().value<QDBusArgument>() >> properties;
    return properties;
}

// rgba1 travels as an array of variants, each holding a double.
std::optional<QColor> colorOf(const QVariant& value) {
    QVariantList parts;
    if (value.canConvert<QDBusArgument>()) {
        const QDBusArgument argument = value.value<QDBusArgument>();
        if (argument.currentSignature() == QLatin1String("av"))
            argument >> parts;
        else if (argument.currentSignature() == QLatin1String("ad")) {
            QList<double> doubles;
            argument >> doubles;
            for (double part : doubles)
                parts.append(part);
        }
    } else {
        parts = value.toList();
    }
    if (parts.size() != 4)
        return std::nullopt;
    double channels[4];
    for (int i = 0; i < 4; ++i) {
        QVariant part = parts[i];
        if (part.canConvert<QDBusVariant>())
            part = part.value<QDBusVariant>().variant();
        bool ok = false;
        channels[i] = part.toDouble(&ok);
        if (!ok || channels[i] < 0.0 || channels[i] > 1.0)
            return std::nullopt;
    }
    return QColor::fromRgbF(float(channels[0]), float(channels[1]), float(channels[2]));
}

QStringList qtScreenNames() {
    QStringList names;
    // qGuiApp would cast a plain QCoreApplication blindly.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        for (const QScreen* screen : QGuiApplication::screens())
            names.append(screen->name());
    return names;
}

// Sees xfconfd announce that a property of the channel was cleared. From any sender: for a named
// one, Qt asks the bus who owns the name, without a bound.
class ClearWatch : public QObject {
    Q_OBJECT

public:
    explicit ClearWatch(QString property)
        : m_property(std::move(property))
        , m_watching(QDBusConnection::sessionBus().connect(
              QString(), Path, Service, Signal, this,
              SLOT(changed(QString, QString, QDBusVariant)))) {}

    ~ClearWatch() override {
        if (m_watching)
            QDBusConnection::sessionBus().disconnect(QString(), Path, Service, Signal, this,
                                                     SLOT(changed(QString, QString, QDBusVariant)));
    }

    // Serves only this watch's deliveries while it waits: no timer or window event of the
    // program runs in between.
    void wait(int timeoutMs) {
        const QDeadlineTimer deadline(timeoutMs);
        while (m_watching && !m_seen && !deadline.hasExpired()) {
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
            if (!m_seen)
                QThread::msleep(2);
        }
    }

private Q_SLOTS:
    void changed(const QString& channel, const QString& property, const QDBusVariant& value) {
        if (channel == Channel && property == m_property && value.variant().toString().isEmpty())
            m_seen = true;
    }

private:
    static inline const QString Signal = QStringLiteral("PropertyChanged");
    QString m_property;
    bool m_watching;
    bool m_seen = false;
};

} // namespace

DesktopBackendXfce::DesktopBackendXfce(MonitorNames monitorNames)
    : m_monitorNames(monitorNames ? std::move(monitorNames) : MonitorNames(qtScreenNames)) {}

QString DesktopBackendXfce::name() const {
    return QStringLiteral("XFCE");
}

int DesktopBackendXfce::imageStyle(Placement placement) {
    switch (placement) {
    case Placement::Tile:
        return 2;
    case Placement::Stretch:
        return 3;
    case Placement::Center:
        break;
    }
    return 1;
}

// xfwm4's number of workspaces; one when it does not say.
int workspaceCount() {
    const QDBusMessage reply =
        call(QStringLiteral("GetProperty"),
             {QStringLiteral("xfwm4"), QStringLiteral("/general/workspace_count")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 1;
    bool ok = false;
    const int count = reply.arguments().constFirst().value<QDBusVariant>().variant().toInt(&ok);
    // A value no one would configure is no reason to write thousands of properties.
    return ok && count >= 1 && count <= 64 ? count : 1;
}

// The workspace folders of every monitor xfdesktop knows, named ("monitorHDMI-1") and numbered
// ("monitor0") alike, and those of each connected monitor it has none for yet, for every
// workspace: xfdesktop shows the entry of the workspace and monitor at hand.
QStringList DesktopBackendXfce::workspacePaths() const {
    static const QRegularExpression workspace(
        QStringLiteral("^(/backdrop/screen\\d+/monitor[^/]+/workspace(\\d+))/[^/]+$"));
    std::set<QString> paths;
    int workspaces = workspaceCount();
    const QVariantMap properties = backdropProperties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        if (const auto match = workspace.match(it.key()); match.hasMatch()) {
            paths.insert(match.captured(1));
            workspaces = std::max(workspaces, std::min(64, match.captured(2).toInt() + 1));
        }
    for (const QString& monitor : m_monitorNames())
        for (int i = 0; i < workspaces; ++i)
            paths.insert(
                QStringLiteral("/backdrop/screen0/monitor%1/workspace%2").arg(monitor).arg(i));
    if (paths.empty())
        throw AppError(QCoreApplication::translate(
            "Desktop", "XFCE knows no monitor to put the wallpaper on."));
    return QStringList(paths.begin(), paths.end());
}

void DesktopBackendXfce::setWallpaper(const QString& file, Placement placement) {
    const QStringList paths = workspacePaths();
    ClearWatch cleared(paths.constLast() + QStringLiteral("/last-image"));
    for (const QString& path : paths) {
        // Its own picture cycling would replace ours.
        setProperty(path + QStringLiteral("/backdrop-cycle-enable"), false);
        setProperty(path + QStringLiteral("/image-style"), imageStyle(placement));
        // xfdesktop reloads only when the name changes, and ours never does.
        setProperty(path + QStringLiteral("/last-image"), QString());
    }
    // xfconfd announces a change later, with the value it holds by then: were the name set at
    // once, the clearing could reach xfdesktop as the same name again, and no change.
    cleared.wait(CallTimeoutMs);
    for (const QString& path : paths)
        setProperty(path + QStringLiteral("/last-image"), file);
}

void DesktopBackendXfce::setBackgroundColor(QColor color) {
    const QVariantList rgba{double(color.redF()), double(color.greenF()), double(color.blueF()),
                            1.0};
    for (const QString& path : workspacePaths()) {
        setProperty(path + QStringLiteral("/color-style"), 0); // solid
        setProperty(path + QStringLiteral("/rgba1"), rgba);
    }
}

std::optional<QColor> DesktopBackendXfce::backgroundColor() const {
    try {
        const QVariantMap properties = backdropProperties();
        for (auto it = properties.cbegin(); it != properties.cend(); ++it)
            if (it.key().endsWith(QLatin1String("/rgba1")))
                if (const auto color = colorOf(it.value()))
                    return color;
    } catch (const AppError&) {
    }
    return std::nullopt;
}

#include "DesktopBackendXfce.moc"
