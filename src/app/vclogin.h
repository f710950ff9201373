#pragma once

#include "formcells.h"
#include "rows.h"
#include "tableviewcontroller.h"

#include <QPointer>

// The logo row of the login table.
class LoginLogoCell : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static constexpr int theimageviewWidth = 60;
    static constexpr int theimageviewHeight = 70;
    static constexpr int offSetX = 15;
    static constexpr int offSetY = 4;
    static constexpr int gapY = 3;
};

// The login: checks the user against the server, fills and saves the session, then fetches
// this handheld's device-and-division record.
class VCLogin : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(QString footerText READ footerText CONSTANT)
public:
    explicit VCLogin(QObject *parent = nullptr);

    QString qmlView() const override { return QStringLiteral("qrc:/SecLog/app/LoginPage.qml"); }

    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;

    // "Done".
    void login();
    // The server-set segment changed.
    void changeDB();
    QString footerText() const;
    // The footer fills the space left under the rows, or is 10 high when the rows fill the view.
    Q_INVOKABLE qreal footerHeight(qreal viewHeight) const;

    textFieldCell *usernamecell;
    textFieldCell *pwdcell;
    LoginLogoCell *imagecell;
    segmentCell *dbCell;
    QList<QVariantMap> DATA;
    QList<QVariantMap> DeviceDATA;

protected:
    void viewDidLoad() override;

private:
    void setFieldsEnabled(bool enabled);
    void loginReplied(const QVariant &reply);
    void requestDeviceAndDivision();
};
