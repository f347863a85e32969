#include "platform/QtRegistrySource.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace varnel {

namespace {

QString toQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// QSettings reads its files as it is made, and a FIFO or device in a file's place would block
// it for good; such a key counts as missing. The files are those QSettings reads off Windows.
bool unreadableInPlace(const QString& file) {
    const QFileInfo info(file);
    return info.exists() && !info.isFile();
}

bool nativeFilesUnreadable(bool machine, const QString& organisation, const QString& application) {
    QStringList folders;
    if (machine) {
        folders << QLibraryInfo::path(QLibraryInfo::SettingsPath);
        const QString xdg = qEnvironmentVariable("XDG_CONFIG_DIRS");
        folders << (xdg.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")}
                                  : xdg.split(QLatin1Char(':'), Qt::SkipEmptyParts));
    } else {
        folders << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    }
    for (const QString& folder : folders) {
        if (unreadableInPlace(folder + QLatin1Char('/') + organisation + QLatin1Char('/') +
                              application + QStringLiteral(".conf")) ||
            unreadableInPlace(folder + QLatin1Char('/') + organisation + QStringLiteral(".conf"))) {
            return true;
        }
    }
    return false;
}

// "Software\Ostrand\Varnel" → organisation "Ostrand", application "Varnel" off Windows.
std::unique_ptr<QSettings> settingsFor(QtRegistrySource::Hive hive, const QString& root,
                                       std::string_view path) {
    const bool machine = hive == QtRegistrySource::Hive::LocalMachine;
    const QString p = toQString(path);
#ifdef Q_OS_WIN
    if (root.isEmpty()) {
        return std::make_unique<QSettings>((machine ? QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                                    : QStringLiteral("HKEY_CURRENT_USER\\")) +
                                               p,
                                           QSettings::NativeFormat);
    }
#endif
    QStringList parts = p.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() &&
        parts.front().compare(QStringLiteral("Software"), Qt::CaseInsensitive) == 0) {
        parts.pop_front();
    }
    if (parts.isEmpty()) {
        return nullptr;
    }
    const QString application = parts.takeLast();
    const QString organisation = parts.join(QLatin1Char('/'));
    if (root.isEmpty()) {
        if (nativeFilesUnreadable(machine, organisation, application)) {
            return nullptr;
        }
        return std::make_unique<QSettings>(QSettings::NativeFormat,
                                           machine ? QSettings::SystemScope : QSettings::UserScope,
                                           organisation, application);
    }
    const QString file = root + QLatin1Char('/') + organisation + QLatin1Char('/') + application +
                         QStringLiteral(".conf");
    if (unreadableInPlace(file)) {
        return nullptr;
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

class QtRegistryKey : public RegistryKey {
public:
    explicit QtRegistryKey(std::unique_ptr<QSettings> s) : settings_(std::move(s)) {}

    std::optional<std::uint32_t> dword(std::string_view name) const override {
        const QVariant v = settings_->value(toQString(name));
        bool ok = false;
        const uint value = v.toUInt(&ok);
        return ok ? std::optional<std::uint32_t>(value) : std::nullopt;
    }

    std::optional<std::vector<std::uint8_t>> binary(std::string_view name) const override {
        const QVariant v = settings_->value(toQString(name));
        if (!v.isValid()) {
            return std::nullopt;
        }
        const QByteArray bytes = v.toByteArray();
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }

    std::optional<std::string> string(std::string_view name) const override {
        const QVariant v = settings_->value(toQString(name));
        if (!v.isValid()) {
            return std::nullopt;
        }
        return v.toString().toStdString();
    }

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace

QtRegistrySource::QtRegistrySource(Hive hive, QString root) : hive_(hive), root_(std::move(root)) {}

std::unique_ptr<RegistryKey> QtRegistrySource::open(std::string_view path) const {
    auto settings = settingsFor(hive_, root_, path);
    if (!settings) {
        return nullptr;
    }
#ifdef Q_OS_WIN
    if (root_.isEmpty()) {
        return settings->childKeys().isEmpty() && settings->childGroups().isEmpty()
                   ? nullptr
                   : std::make_unique<QtRegistryKey>(std::move(settings));
    }
#endif
    // Opening must not create: a key that was never written is missing.
    if (!QFileInfo::exists(settings->fileName())) {
        return nullptr;
    }
    return std::make_unique<QtRegistryKey>(std::move(settings));
}

bool QtRegistrySource::writeString(std::string_view path, std::string_view name,
                                   std::string_view value) {
    auto settings = settingsFor(hive_, root_, path);
    if (!settings) {
        return false;
    }
    settings->setValue(toQString(name), toQString(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

} // namespace varnel
