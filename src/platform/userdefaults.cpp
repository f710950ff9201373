#include "userdefaults.h"

namespace {
QString &storageFile() {
    static QString path;
    return path;
}
std::unique_ptr<UserDefaults> &instance() {
    static std::unique_ptr<UserDefaults> defaults;
    return defaults;
}
} // namespace

UserDefaults::UserDefaults() {
    if (storageFile().isEmpty())
        m_settings =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("SecLog"), QStringLiteral("seclog"));
    else
        m_settings = std::make_unique<QSettings>(storageFile(), QSettings::IniFormat);
}

UserDefaults &UserDefaults::standard() {
    if (!instance())
        instance().reset(new UserDefaults());
    return *instance();
}

void UserDefaults::setStorageFile(const QString &path) {
    storageFile() = path;
    instance().reset();
}

QVariant UserDefaults::value(const QString &key) const {
    return m_settings->value(key);
}
void UserDefaults::setValue(const QString &key, const QVariant &value) {
    m_settings->setValue(key, value);
}
bool UserDefaults::contains(const QString &key) const {
    return m_settings->contains(key);
}
void UserDefaults::removeObject(const QString &key) {
    m_settings->remove(key);
}
void UserDefaults::removeAll() {
    m_settings->clear();
}
QStringList UserDefaults::keys() const {
    return m_settings->allKeys();
}
void UserDefaults::synchronize() {
    m_settings->sync();
}
