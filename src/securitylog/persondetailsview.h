#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QUrl>

// The person panel: photo, name, mobile number and address lines. The log form and the menu
// header both use it.
class PersonDetailsView : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY changed)
    Q_PROPERTY(QString mobileNo READ mobileNo WRITE setMobileNo NOTIFY changed)
    Q_PROPERTY(QString address READ address WRITE setAddress NOTIFY changed)
    Q_PROPERTY(QString designation READ designation WRITE setDesignation NOTIFY changed)
    Q_PROPERTY(QString imagePath READ imagePath NOTIFY changed)
    Q_PROPERTY(QUrl imageUrl READ imageUrl NOTIFY changed)
    Q_PROPERTY(QColor photoBackground READ photoBackground WRITE setPhotoBackground NOTIFY changed)
public:
    using QObject::QObject;

    QString name() const { return m_name; }
    void setName(const QString &v) { set(m_name, v); }
    QString mobileNo() const { return m_mobile; }
    void setMobileNo(const QString &v) { set(m_mobile, v); }
    QString address() const { return m_address; }
    void setAddress(const QString &v) { set(m_address, v); }
    QString designation() const { return m_designation; }
    void setDesignation(const QString &v) { set(m_designation, v); }
    // The server path as stored ("~/..."); imageUrl is where it loads from.
    QString imagePath() const { return m_imagePath; }
    void setImagePath(const QString &path);
    QUrl imageUrl() const { return m_imageUrl; }
    QColor photoBackground() const { return m_photoBackground; }
    void setPhotoBackground(const QColor &c);

Q_SIGNALS:
    void changed();

private:
    void set(QString &field, const QString &value) {
        if (field == value)
            return;
        field = value;
        Q_EMIT changed();
    }
    QString m_name, m_mobile, m_address, m_designation, m_imagePath;
    QUrl m_imageUrl;
    QColor m_photoBackground;
};
