#pragma once

#include <memory>
#include <QSettings>
#include <QString>
#include <QVariant>

// The standard user-defaults store: one QSettings file for the whole client.
class UserDefaults {
public:
    static UserDefaults &standard();
    // Tests point the store at a file of their own.
    static void setStorageFile(const QString &path);

    QVariant value(const QString &key) const;
    void setValue(const QString &key, const QVariant &value);
    bool contains(const QString &key) const;
    void removeObject(const QString &key);
    // Removes every key the client ever stored.
    void removeAll();
    QStringList keys() const;
    void synchronize();

private:
    UserDefaults();
    std::unique_ptr<QSettings> m_settings;
};
