#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>

// The header card of the DC detail screen: DC number and date, the issuing and receiving
// divisions and departments, returnable or not, and three photographs with the people who
// issued, carried and received the DC. The screen that opens the DC fills it; the DC detail
// reads the labels back when it turns the DC into a log entry.
class DCDetailParentCellTableViewCell : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString label1 MEMBER label1 NOTIFY changed)
    Q_PROPERTY(QString label2 MEMBER label2 NOTIFY changed)
    Q_PROPERTY(QString label4 MEMBER label4 NOTIFY changed)
    Q_PROPERTY(QString label5 MEMBER label5 NOTIFY changed)
    Q_PROPERTY(QString label6 MEMBER label6 NOTIFY changed)
    Q_PROPERTY(QString label7 MEMBER label7 NOTIFY changed)
    Q_PROPERTY(QString lblReturnable MEMBER lblReturnable NOTIFY changed)
    Q_PROPERTY(bool badgeColoured MEMBER badgeColoured NOTIFY changed)
    Q_PROPERTY(QUrl theimage1 MEMBER theimage1 NOTIFY changed)
    Q_PROPERTY(QUrl theimage2 MEMBER theimage2 NOTIFY changed)
    Q_PROPERTY(QUrl theimage3 MEMBER theimage3 NOTIFY changed)
    Q_PROPERTY(QString imgIssBy MEMBER imgIssBy NOTIFY changed)
    Q_PROPERTY(QString imgTakBy MEMBER imgTakBy NOTIFY changed)
    Q_PROPERTY(QString imgIssTo MEMBER imgIssTo NOTIFY changed)
public:
    explicit DCDetailParentCellTableViewCell(QObject *parent = nullptr) : QObject(parent) {}

    static constexpr int rowHeight = 251;

    // Which picture goes where: the scan strip and the DC list show the challan, the goods and
    // the vehicle (paths 1, 3, 2); the log form shows them by number.
    enum class PictureOrder { ChallanGoodsVehicle, ByNumber };

    // Fills every label and picture from a DC row of the server.
    void fill(const QVariantMap &dc, PictureOrder order);

    QString label1; // DC number
    QString label2; // DC date
    QString label4; // issuing division
    QString label5; // receiving division
    QString label6; // issuing department
    QString label7; // receiving department
    QString lblReturnable;
    // view4: the row selection colour for a DC to a party, plain for one between divisions.
    bool badgeColoured = false;
    QUrl theimage1, theimage2, theimage3;
    QString imgIssBy, imgTakBy, imgIssTo;

Q_SIGNALS:
    void changed();
};
