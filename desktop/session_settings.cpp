// The session's settings stores in-process. GSettings goes through GIO's default
// backend (dconf on the desktops that use it), xfconf through org.xfce.Xfconf as
// xfconf-query does, kdeglobals through its file as Plasma's own programs write it.
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include "desktop/session_settings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>

#include <mutex>

#include "desktop/kde_config_file.h"
#include "platform/safe_file.h"

namespace desktop {
namespace fs = std::filesystem;
namespace {

// Plasma's configuration files stay small; anything larger is not one.
constexpr std::size_t kKdeFileCap = 1 << 20;

template <class T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const {
        if (p) Free(p);
    }
};
void unrefSettings(GSettings* p) { g_object_unref(p); }
void freeText(gchar* p) { g_free(p); }
using Settings = std::unique_ptr<GSettings, Freer<GSettings, unrefSettings>>;
using Schema = std::unique_ptr<GSettingsSchema, Freer<GSettingsSchema, g_settings_schema_unref>>;
using SchemaKey = std::unique_ptr<GSettingsSchemaKey, Freer<GSettingsSchemaKey, g_settings_schema_key_unref>>;
using Variant = std::unique_ptr<GVariant, Freer<GVariant, g_variant_unref>>;
using Error = std::unique_ptr<GError, Freer<GError, g_error_free>>;
using Text = std::unique_ptr<gchar, Freer<gchar, freeText>>;

QString printed(GVariant* v) {
    Text text(g_variant_print(v, FALSE));
    return QString::fromUtf8(text.get());
}

class SessionSettings final : public DesktopSettings {
public:
    SessionSettings(fs::path configHome, std::vector<fs::path> systemConfig)
        : kdeglobals_(std::move(configHome) / "kdeglobals"), systemConfig_(std::move(systemConfig)),
          context_(g_main_context_new()) {}
    ~SessionSettings() override {
        if (bus_) g_object_unref(bus_);
        g_main_context_unref(context_);
    }

    Reading read(const SettingPlace& place) override {
        problem_.clear();
        switch (place.store) {
        case SettingsStore::GSettings: return readGSettings(place);
        case SettingsStore::Xfconf: return readXfconf(place);
        case SettingsStore::Kdeglobals: return readKde(place);
        }
        return {};
    }

    bool write(const SettingPlace& place, const std::optional<QString>& value) override {
        problem_.clear();
        switch (place.store) {
        case SettingsStore::GSettings: return writeGSettings(place, value);
        case SettingsStore::Xfconf: return writeXfconf(place, value);
        case SettingsStore::Kdeglobals: return writeKde(place, value);
        }
        return false;
    }

    void announce(const std::vector<SettingPlace>& changed, bool icons) override {
        QHash<QString, QByteArrayList> groups;
        for (const SettingPlace& p : changed)
            if (p.store == SettingsStore::Kdeglobals) groups[p.group].append(p.key.toUtf8());
        if (groups.isEmpty()) return;
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) return;
        qDBusRegisterMetaType<QByteArrayList>();
        qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
        // What a configuration written with notification sends: watchers re-read the groups.
        QDBusMessage changedSignal = QDBusMessage::createSignal(
            QStringLiteral("/kdeglobals"), QStringLiteral("org.kde.kconfig.notify"), QStringLiteral("ConfigChanged"));
        changedSignal << QVariant::fromValue(groups);
        bus.send(changedSignal);
        if (!icons) return;
        // And what Plasma's icon settings send: icon loaders reload (group 0: all),
        // global-settings listeners hear of an icon change (change type 4).
        QDBusMessage loader = QDBusMessage::createSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"),
                                                         QStringLiteral("iconChanged"));
        loader << 0;
        bus.send(loader);
        QDBusMessage global = QDBusMessage::createSignal(
            QStringLiteral("/KGlobalSettings"), QStringLiteral("org.kde.KGlobalSettings"), QStringLiteral("notifyChange"));
        global << 4 << 0;
        bus.send(global);
    }

    std::string problem() const override { return problem_; }

private:
    Reading fail(const std::string& why) {
        problem_ = why;
        return {};
    }
    Settings none(const std::string& why) {
        problem_ = why;
        return nullptr;
    }
    bool refuse(const std::string& why) {
        problem_ = why;
        return false;
    }

    // The schema's settings object, when the schema and key are installed and the
    // backend keeps what is written.
    Settings gsettings(const SettingPlace& place, SchemaKey* key) {
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        if (!source) return none("no GSettings schemas are installed");
        const QByteArray id = place.group.toUtf8(), name = place.key.toUtf8();
        Schema schema(g_settings_schema_source_lookup(source, id.constData(), TRUE));
        if (!schema) return none("the settings schema " + id.toStdString() + " is not installed");
        if (!g_settings_schema_has_key(schema.get(), name.constData()))
            return none("the settings schema " + id.toStdString() + " has no key " + name.toStdString());
        GSettingsBackend* backend = g_settings_backend_get_default();
        const std::string kind = G_OBJECT_TYPE_NAME(backend);
        g_object_unref(backend);
        // Without dconf, GIO keeps settings in memory for this process alone.
        if (kind == "GMemorySettingsBackend" || kind == "GNullSettingsBackend")
            return none("GSettings has no store to keep settings in (the dconf backend is not installed)");
        if (key) key->reset(g_settings_schema_get_key(schema.get(), name.constData()));
        return Settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    }

    // GSettings objects deliver their change notices to the main context of the thread
    // that made them; made here under one of the bridge's own, the notices stay off the
    // window's thread (whose event loop runs GLib's default context) and are dropped.
    class OwnContext {
    public:
        explicit OwnContext(GMainContext* c) : c_(c) { g_main_context_push_thread_default(c_); }
        ~OwnContext() {
            while (g_main_context_iteration(c_, FALSE)) {}
            g_main_context_pop_thread_default(c_);
        }

    private:
        GMainContext* c_;
    };

    Reading readGSettings(const SettingPlace& place) {
        OwnContext own(context_);
        Settings s = gsettings(place, nullptr);
        if (!s) return {};
        Variant user(g_settings_get_user_value(s.get(), place.key.toUtf8().constData()));
        Reading r{true, std::nullopt};
        if (user) r.value = printed(user.get());
        return r;
    }

    bool writeGSettings(const SettingPlace& place, const std::optional<QString>& value) {
        OwnContext own(context_);
        SchemaKey key;
        Settings s = gsettings(place, &key);
        if (!s) return false;
        const QByteArray name = place.key.toUtf8();
        if (!g_settings_is_writable(s.get(), name.constData()))
            return refuse(place.text().toStdString() + " is locked by the system");
        if (value) {
            Error error;
            GError* raw = nullptr;
            Variant v(g_variant_parse(g_settings_schema_key_get_value_type(key.get()), value->toUtf8().constData(),
                                      nullptr, nullptr, &raw));
            error.reset(raw);
            if (!v || !g_settings_schema_key_range_check(key.get(), v.get()))
                return refuse(value->toStdString() + " is no value for " + place.text().toStdString());
            if (!g_settings_set_value(s.get(), name.constData(), v.get()))
                return refuse("GSettings refused " + place.text().toStdString());
        } else {
            g_settings_reset(s.get(), name.constData());
        }
        // Waits until the backend has handed the change on (dconf: its service answered).
        g_settings_sync();
        return true;
    }

    GDBusConnection* bus() {
        if (bus_) return bus_;
        GError* raw = nullptr;
        bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &raw);
        Error error(raw);
        if (!bus_) problem_ = "no session bus: " + std::string(error ? error->message : "unknown reason");
        return bus_;
    }

    // One call to xfconfd; nothing when it failed (`notFound` tells the missing property apart).
    Variant xfconf(const char* method, GVariant* args, const GVariantType* reply, bool* notFound) {
        Variant owned(g_variant_ref_sink(args));
        if (notFound) *notFound = false;
        GDBusConnection* connection = bus();
        if (!connection) return nullptr;
        GError* raw = nullptr;
        Variant result(g_dbus_connection_call_sync(connection, "org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf",
                                                   method, owned.get(), reply, G_DBUS_CALL_FLAGS_NONE,
                                                   static_cast<int>(kCallTimeout.count()), nullptr, &raw));
        Error error(raw);
        if (!result) {
            Text remote(error ? g_dbus_error_get_remote_error(error.get()) : nullptr);
            if (notFound && remote && std::string_view(remote.get()) == "org.xfce.Xfconf.Error.PropertyNotFound")
                *notFound = true;
            else
                problem_ = "xfconf did not answer: " + std::string(error ? error->message : "unknown reason");
        }
        return result;
    }

    Reading readXfconf(const SettingPlace& place) {
        bool notFound = false;
        Variant result = xfconf("GetProperty",
                                g_variant_new("(ss)", place.group.toUtf8().constData(), place.key.toUtf8().constData()),
                                G_VARIANT_TYPE("(v)"), &notFound);
        if (!result) return notFound ? Reading{true, std::nullopt} : Reading{};
        Variant inner(g_variant_get_child_value(result.get(), 0));
        Variant value(g_variant_get_variant(inner.get()));
        const QString text = printed(value.get());
        if (static_cast<std::size_t>(text.size()) > kValueCap) return fail("xfconf's " + place.text().toStdString() + " is too long");
        return {true, text};
    }

    bool writeXfconf(const SettingPlace& place, const std::optional<QString>& value) {
        const QByteArray channel = place.group.toUtf8(), property = place.key.toUtf8();
        if (!value) {
            bool notFound = false;
            Variant r = xfconf("ResetProperty", g_variant_new("(ssb)", channel.constData(), property.constData(), FALSE),
                               nullptr, &notFound);
            return r || notFound;
        }
        Variant v(g_variant_parse(nullptr, value->toUtf8().constData(), nullptr, nullptr, nullptr));
        if (!v) return refuse(value->toStdString() + " is no value for " + place.text().toStdString());
        return bool(xfconf("SetProperty", g_variant_new("(ssv)", channel.constData(), property.constData(), v.get()),
                           nullptr, nullptr));
    }

    // The entry as a system-wide kdeglobals locks it, if one does.
    std::optional<std::string> systemLock(const SettingPlace& place) {
        const std::string group = place.group.toStdString(), key = place.key.toStdString();
        for (const fs::path& dir : systemConfig_) {
            const platform::ReadResult file = platform::readRegularFile(dir / "kdeglobals", kKdeFileCap, true);
            if (file.status == platform::ReadStatus::Ok && kdeEntryLocked(file.bytes, group, key))
                return kdeEntry(file.bytes, group, key).value_or(std::string());
        }
        return std::nullopt;
    }

    Reading readKde(const SettingPlace& place) {
        if (kdeglobals_.is_relative()) return fail("no configuration folder: neither XDG_CONFIG_HOME nor HOME is set");
        if (const auto locked = systemLock(place)) return {true, QString::fromStdString(*locked)};
        const platform::ReadResult file = platform::readRegularFile(kdeglobals_, kKdeFileCap);
        if (file.status == platform::ReadStatus::Missing) return {true, std::nullopt};
        if (file.status != platform::ReadStatus::Ok) return fail(file.error);
        const auto entry = kdeEntry(file.bytes, place.group.toStdString(), place.key.toStdString());
        if (!entry) return {true, std::nullopt};
        return {true, QString::fromStdString(*entry)};
    }

    bool writeKde(const SettingPlace& place, const std::optional<QString>& value) {
        if (kdeglobals_.is_relative()) return refuse("no configuration folder: neither XDG_CONFIG_HOME nor HOME is set");
        if (systemLock(place)) return refuse(place.text().toStdString() + " is locked by the system's kdeglobals");
        platform::ReadResult file = platform::readRegularFile(kdeglobals_, kKdeFileCap);
        if (file.status == platform::ReadStatus::Missing) {
            if (!value) return true;
            file.bytes.clear();
            std::error_code ec;
            fs::create_directories(kdeglobals_.parent_path(), ec);
        } else if (file.status != platform::ReadStatus::Ok) {
            return refuse(file.error);
        }
        const auto text = withKdeEntry(file.bytes, place.group.toStdString(), place.key.toStdString(),
                                       value ? std::optional<std::string>(value->toStdString()) : std::nullopt);
        if (!text) return refuse(place.text().toStdString() + " is locked in " + kdeglobals_.string());
        if (*text == file.bytes) return true;
        std::string error;
        if (!platform::writeFileAtomically(kdeglobals_, *text, &error)) return refuse(error);
        return true;
    }

    fs::path kdeglobals_;
    std::vector<fs::path> systemConfig_;
    GDBusConnection* bus_ = nullptr;
    GMainContext* context_;
    std::string problem_;
};

}  // namespace

std::unique_ptr<DesktopSettings> sessionSettings(fs::path configHome, std::vector<fs::path> systemConfig) {
    // dconf warns on stderr when a change cannot be committed; the read-back after every
    // write tells of it instead, in the one line the caller shows.
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        g_log_set_writer_func(
            [](GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
                for (gsize i = 0; i < count; ++i)
                    if (std::string_view(fields[i].key) == "GLIB_DOMAIN" && fields[i].length < 0 &&
                        std::string_view(static_cast<const char*>(fields[i].value)) == "dconf" &&
                        (level & G_LOG_LEVEL_WARNING))
                        return G_LOG_WRITER_HANDLED;
                return g_log_writer_default(level, fields, count, data);
            },
            nullptr, nullptr);
    });
    return std::make_unique<SessionSettings>(std::move(configHome), std::move(systemConfig));
}

std::unique_ptr<DesktopSettings> sessionSettings(const platform::Environment& environment) {
    fs::path configHome;
    if (const QString xdg = environment("XDG_CONFIG_HOME"); xdg.startsWith(u'/'))
        configHome = xdg.toStdString();
    else if (const QString home = environment("HOME"); home.startsWith(u'/'))
        configHome = fs::path(home.toStdString()) / ".config";
    std::vector<fs::path> system;
    for (const QString& dir : environment("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts))
        if (dir.startsWith(u'/')) system.push_back(dir.toStdString());
    if (system.empty()) system.push_back("/etc/xdg");
    return sessionSettings(std::move(configHome), std::move(system));
}

}  // namespace desktop
