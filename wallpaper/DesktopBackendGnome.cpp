#include "wallpaper/DesktopBackendGnome.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"
#include "wallpaper/DesktopBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QList>
#include <QTimer>
#include <QUrl>

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

struct Keys {
    const char* desktop;
    const char* schema;
    // Picture keys: GNOME takes file:// URIs (one for the light and one for the dark style),
    // MATE a plain path.
    const char* uriKeys[2];
    const char* pathKey;
    // A schema of the desktop's own rotation that would replace our picture.
    const char* slideshowSchema;
    const char* slideshowKey;
    // The desktop reloads a picture whose file changes: the key must stay as it is.
    bool watchesFile;
    // It may miss a rename while a new placement replaces its background.
    bool missesRenameOnNewPlacement;
};

const Keys& keysOf(DesktopBackendGnome::Flavour flavour) {
    static const Keys gnome{
        .desktop = "GNOME",
        .schema = "org.gnome.desktop.background",
        .uriKeys = {"picture-uri", "picture-uri-dark"},
        .pathKey = nullptr,
        .slideshowSchema = nullptr,
        .slideshowKey = nullptr,
        .watchesFile = true,
        .missesRenameOnNewPlacement = true,
    };
    static const Keys cinnamon{
        .desktop = "Cinnamon",
        .schema = "org.cinnamon.desktop.background",
        .uriKeys = {"picture-uri", nullptr},
        .pathKey = nullptr,
        .slideshowSchema = "org.cinnamon.desktop.background.slideshow",
        .slideshowKey = "slideshow-enabled",
        .watchesFile = true,
        .missesRenameOnNewPlacement = false,
    };
    static const Keys mate{
        .desktop = "MATE",
        .schema = "org.mate.background",
        .uriKeys = {nullptr, nullptr},
        .pathKey = "picture-filename",
        .slideshowSchema = nullptr,
        .slideshowKey = nullptr,
        .watchesFile = false,
        .missesRenameOnNewPlacement = false,
    };
    switch (flavour) {
    case DesktopBackendGnome::Flavour::Cinnamon:
        return cinnamon;
    case DesktopBackendGnome::Flavour::Mate:
        return mate;
    case DesktopBackendGnome::Flavour::Gnome:
        break;
    }
    return gnome;
}

struct SchemaUnref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaUnref>;
using VariantPtr = std::unique_ptr<GVariant, VariantUnref>;

SchemaPtr lookupSchema(const char* id) {
    // Without any installed schema there is no default source at all.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    return SchemaPtr(g_settings_schema_source_lookup(source, id, TRUE));
}

// One schema's settings, opened only after the schema was found, written only on keys the
// schema has with values it accepts.
class Settings {
public:
    explicit Settings(const char* id)
        : m_id(id)
        , m_schema(lookupSchema(id)) {
        if (m_schema)
            m_settings.reset(G_SETTINGS(g_settings_new_full(m_schema.get(), nullptr, nullptr)));
    }

    bool exists() const { return m_settings != nullptr; }

    bool hasKey(const char* key) const {
        return m_schema && g_settings_schema_has_key(m_schema.get(), key);
    }

    void setString(const char* key, const QString& value) {
        set(key, g_variant_new_string(value.toUtf8().constData()));
    }

    void setBool(const char* key, bool value) { set(key, g_variant_new_boolean(value)); }

    // Writes from delay() on reach the desktop together at apply(); none if never applied.
    void delay() { g_settings_delay(m_settings.get()); }
    void apply() { g_settings_apply(m_settings.get()); }

    std::optional<QString> string(const char* key) const {
        if (!exists() || !hasKey(key))
            return std::nullopt;
        const VariantPtr value(g_settings_get_value(m_settings.get(), key));
        if (!value || !g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING))
            return std::nullopt;
        return QString::fromUtf8(g_variant_get_string(value.get(), nullptr));
    }

private:
    void set(const char* key, GVariant* floating) {
        const VariantPtr value(g_variant_ref_sink(floating));
        if (!hasKey(key))
            throw AppError(QCoreApplication::translate(
                               "Desktop", "The desktop setting \"%1\" has no key \"%2\".")
                               .arg(QLatin1String(m_id), QLatin1String(key)));
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(m_schema.get(), key);
        const bool fits = g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey),
                                               g_variant_get_type(value.get())) &&
                          g_settings_schema_key_range_check(schemaKey, value.get());
        g_settings_schema_key_unref(schemaKey);
        if (fits && g_settings_set_value(m_settings.get(), key, value.get()))
            return;
        gchar* printed = g_variant_print(value.get(), FALSE);
        const QString text = QString::fromUtf8(printed);
        g_free(printed);
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The desktop setting \"%1\" does not accept %2 for \"%3\".")
                           .arg(QLatin1String(m_id), text, QLatin1String(key)));
    }

    const char* m_id;
    SchemaPtr m_schema;
    std::unique_ptr<GSettings, ObjectUnref> m_settings;
};

// Writes that no other process will ever see pass for success in GSettings: without dconf it
// keeps them in memory, and dconf without a session bus drops them.
void requireSharedSettings(const Keys& keys) {
    GSettingsBackend* backend = g_settings_backend_get_default();
    const bool inMemory = g_strcmp0(G_OBJECT_TYPE_NAME(backend), "GMemorySettingsBackend") == 0;
    g_object_unref(backend);
    if (inMemory)
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The %1 desktop settings are kept only in memory here (is "
                                      "dconf installed?); the wallpaper cannot be set.")
                           .arg(QLatin1String(keys.desktop)));
    if (!QDBusConnection::sessionBus().isConnected())
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The %1 desktop settings cannot be reached: there is no "
                                      "session bus.")
                           .arg(QLatin1String(keys.desktop)));
}

// Writes reach the desktop through dconf's service, and g_settings_sync() waits for it without
// end: a service that is running but does not answer is found out first, in a second at most.
// One not running yet is started by the write itself.
// The bus is asked under the same bound: a stopped bus would otherwise hold the window for Qt's
// 25 seconds.
void requireAnsweringService(const Keys& keys) {
    const QString service = QStringLiteral("ca.desrt.dconf");
    const QString name = QCoreApplication::translate("Desktop", "%1's settings service")
                             .arg(QLatin1String(keys.desktop));
    if (!desktopServiceRunning(service, name))
        return;
    callDesktopService(QDBusMessage::createMethodCall(
                           service, QStringLiteral("/ca/desrt/dconf/Writer/user"),
                           QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
                       name);
}

Settings open(const Keys& keys) {
    requireSharedSettings(keys);
    requireAnsweringService(keys);
    Settings settings(keys.schema);
    if (!settings.exists())
        throw AppError(QCoreApplication::translate(
                           "Desktop",
                           "The %1 desktop settings (\"%2\") are not installed; the wallpaper "
                           "cannot be set.")
                           .arg(QLatin1String(keys.desktop), QLatin1String(keys.schema)));
    return settings;
}

// A key set to the value it already holds is not announced to the desktop, so a picture file
// rewritten in place would not be reloaded by a desktop that does not watch it: clear the key
// first, and wait until that write has reached the settings daemon so the two writes are not
// merged into one.
// GNOME Shell and Cinnamon must not get that detour: they reload on the rename itself while the
// key stays, and each change of the key is one more cross-fade (through the bare colour). GNOME
// Shell also caches pictures by file and drops a cached picture only when its file monitor
// reports a change to a file the shown background watches: while the key is cleared nothing
// watches image.bmp, and a rename landing then is missed.
void clearIfUnchanged(Settings& settings, const char* key, const QString& value) {
    if (settings.string(key) != value)
        return;
    settings.setString(key, QString());
    g_settings_sync();
}

// GNOME Shell drops a cached picture only when a background showing it sees its file change. A
// new placement replaces that background, and a rename landing before the new one watches the
// file goes unseen: the old picture comes back from the cache. A change of the file's times
// once the new background watches makes it load the picture again: a second later, and again
// after three for a shell slowed down by a busy machine (a change seen twice only reloads).
void touchLater(const QString& file) {
    for (const int ms : {1000, 3000})
        QTimer::singleShot(ms, [path = pathToBytes(file)] {
            ::utimensat(AT_FDCWD, path.constData(), nullptr, 0);
        });
}

} // namespace

DesktopBackendGnome::DesktopBackendGnome(Flavour flavour)
    : m_flavour(flavour) {}

QString DesktopBackendGnome::name() const {
    return QLatin1String(keysOf(m_flavour).desktop);
}

QString DesktopBackendGnome::optionWord(Placement placement) {
    switch (placement) {
    case Placement::Tile:
        return QStringLiteral("wallpaper");
    case Placement::Stretch:
        return QStringLiteral("stretched");
    case Placement::Center:
        break;
    }
    return QStringLiteral("centered");
}

void DesktopBackendGnome::setWallpaper(const QString& file, Placement placement) {
    const Keys& keys = keysOf(m_flavour);
    Settings settings = open(keys);
    if (keys.slideshowSchema) {
        Settings slideshow(keys.slideshowSchema);
        if (slideshow.exists() && slideshow.hasKey(keys.slideshowKey))
            slideshow.setBool(keys.slideshowKey, false);
    }
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded());
    QList<std::pair<const char*, QString>> pictureKeys;
    for (const char* key : keys.uriKeys)
        if (key && (key == keys.uriKeys[0] || settings.hasKey(key)))
            pictureKeys.append({key, uri});
    if (keys.pathKey)
        pictureKeys.append({keys.pathKey, file});
    if (!keys.watchesFile)
        for (const auto& [key, value] : pictureKeys)
            clearIfUnchanged(settings, key, value);
    // The placement and the picture reach the desktop as one change: it loads the picture and
    // fades to it once. An unchanged value is not written: each write makes the desktop load
    // the picture again.
    settings.delay();
    const bool newPlacement = settings.string("picture-options") != optionWord(placement);
    if (newPlacement)
        settings.setString("picture-options", optionWord(placement));
    for (const auto& [key, value] : pictureKeys)
        if (settings.string(key) != value)
            settings.setString(key, value);
    settings.apply();
    g_settings_sync();
    if (newPlacement && keys.missesRenameOnNewPlacement)
        touchLater(file);
}

void DesktopBackendGnome::setBackgroundColor(QColor color) {
    Settings settings = open(keysOf(m_flavour));
    settings.setString("primary-color", color.name(QColor::HexRgb));
    settings.setString("color-shading-type", QStringLiteral("solid"));
    g_settings_sync();
}

std::optional<QColor> DesktopBackendGnome::backgroundColor() const {
    const Settings settings(keysOf(m_flavour).schema);
    const auto text = settings.string("primary-color");
    if (!text)
        return std::nullopt;
    const QColor color(*text);
    if (!color.isValid())
        return std::nullopt;
    return color;
}
