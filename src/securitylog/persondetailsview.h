#pragma once

#include <QColor>
#include <QImage>
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
    // What the photo frame shows: the photo taken here, else the stored one.
    Q_PROPERTY(QUrl photoUrl READ photoUrl NOTIFY changed)
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

    // PersonimgPath: the photo's server path when it is stored there, empty for a new photo.
    QString PersonimgPath() const { return m_imagePath; }
    // A photo taken or chosen on this handheld; the stored one is shown from imageUrl.
    QImage photo() const { return m_photo; }
    void setPhoto(const QImage &photo);
    // A person has a photo when one was taken here or one is stored on the server.
    bool hasPhoto() const { return !m_photo.isNull() || !m_imagePath.isEmpty(); }
    // A new photo replaces the stored one: the next save uploads it instead of sending the path.
    void clearStoredPhotoPath() { setImagePath(QString()); }
    QUrl photoUrl() const;

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
    QImage m_photo;
};
