#include "vclogin.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "dbconnection.h"
#include "fetchdata.h"
#include "mainqueue.h"
#include "sessionevents.h"
#include "systemservices.h"

VCLogin::VCLogin(QObject *parent)
    : TableViewController(false, parent), usernamecell(new textFieldCell(this)),
      pwdcell(new textFieldCell(this)), imagecell(new LoginLogoCell(this)),
      dbCell(new segmentCell(
          {QStringLiteral("local"), QStringLiteral("localm"), QStringLiteral("global")}, QString(),
          this)) {
    setTitle(QStringLiteral("Security Log"));
}

void VCLogin::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    theme.style(QStringLiteral("textbox"), usernamecell);
    theme.style(QStringLiteral("textbox"), pwdcell);
    usernamecell->setTitle(QStringLiteral("User Name"));
    pwdcell->setTitle(QStringLiteral("Password"));
    pwdcell->setSecureTextEntry(true);
    pwdcell->setLeftViewAlwaysShown(true);
    for (FormCell *cell : std::initializer_list<FormCell *>{dbCell, usernamecell, pwdcell})
        cell->setBackgroundColor(theme.tableViewBC);
    setBackgroundColor(theme.tableViewBC);
    setRightBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Done"), true, [this] { login(); }, this));
    connect(dbCell, &segmentCell::valueChanged, this, [this](int) { changeDB(); });
    dbCell->setSelectedSegmentIndex(1);
    changeDBConnection(1);
}

int VCLogin::numberOfRows(int) const {
    return 4;
}

qreal VCLogin::heightForRow(int, int row) const {
    switch (row) {
    case 0:
        return 130;
    case 1:
    case 2:
        return 80;
    case 3:
        return 50;
    default:
        Q_ASSERT_X(false, "VCLogin", "row out of range");
        return 0;
    }
}

QVariantMap VCLogin::cellForRow(int, int row) {
    switch (row) {
    case 0:
        return {{QStringLiteral("cellClass"), QStringLiteral("LoginLogoCell")},
                {QStringLiteral("imageWidth"), LoginLogoCell::theimageviewWidth},
                {QStringLiteral("imageHeight"), LoginLogoCell::theimageviewHeight}};
    case 1:
    case 2:
    case 3: {
        FormCell *cell = row == 1   ? static_cast<FormCell *>(usernamecell)
                         : row == 2 ? static_cast<FormCell *>(pwdcell)
                                    : static_cast<FormCell *>(dbCell);
        return {{QStringLiteral("cellClass"), cell->cellClass()},
                {QStringLiteral("cell"), QVariant::fromValue<QObject *>(cell)}};
    }
    default:
        Q_ASSERT_X(false, "VCLogin", "row out of range");
        return {};
    }
}

QString VCLogin::footerText() const {
    return QStringLiteral("Security ") + SystemServices::shared().bundleShortVersion() +
           QStringLiteral("\n\nMade with \u2764\uFE0F at Halvik");
}

qreal VCLogin::footerHeight(qreal viewHeight) const {
    qreal content = 0;
    for (int row = 0; row < numberOfRows(0); ++row)
        content += heightForRow(0, row);
    return content < viewHeight ? viewHeight - content : 10;
}

void VCLogin::changeDB() {
    changeDBConnection(dbCell->selectedSegmentIndex());
}

void VCLogin::setFieldsEnabled(bool enabled) {
    usernamecell->setEnabled(enabled);
    pwdcell->setEnabled(enabled);
}

void VCLogin::login() {
    setFieldsEnabled(false);
    const QString password = pwdcell->text();
    const QString userName = usernamecell->text();
    if (password.isNull() || userName.isNull()) {
        // Nothing was sent, so nothing is outstanding: the fields must stay usable.
        setFieldsEnabled(true);
        return;
    }
    const QMap<QString, QString> parameters{
        {QStringLiteral("spName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("spType"), QStringLiteral("Sel_Pwd")},
        {QStringLiteral("branchCode"), QStringLiteral("Halvik")},
        {QStringLiteral("uName"), userName},
        {QStringLiteral("pwd"), password},
    };
    // Both steps are tied to this screen: a reply after it has closed goes nowhere.
    fetchDATA::DataTask(this, commonServicesdatabase + QStringLiteral("/verifyUser"), parameters,
                        QStringLiteral("J"), [this](const QVariant &reply) {
                            MainQueue::async(this, [this, reply] { loginReplied(reply); });
                        });
}

void VCLogin::loginReplied(const QVariant &reply) {
    DATA = RowsReader::textRows(reply);
    setFieldsEnabled(true);
    // A row without a user is no login: saving it would be no session, and the list would
    // only bring the login back without a word.
    if (DATA.isEmpty() || RowsReader::text(DATA.first(), QStringLiteral("Users_id")).isEmpty()) {
        common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                           QStringLiteral("Wrong Credential :("));
        return;
    }
    // fromJSON sets exactly the fields the row holds as text, so it is also the by-key
    // assignment of the seven login fields: an absent key keeps what the field had.
    SessionEvents::instance().beginSession();
    master.fromJSON(DATA.first());
    changeDBConnection(dbCell->selectedSegmentIndex());
    common::sharedInstance().saveSession();
    // A later start talks to the same server set without a new login.
    common::sharedInstance().defaultsStore().setValue(QStringLiteral("serverSet"),
                                                      dbCell->selectedSegmentIndex());
    common::sharedInstance().defaultsStore().synchronize();
    requestDeviceAndDivision();
    MainQueue::async(this, [this] { dismiss(true); });
}

void VCLogin::requestDeviceAndDivision() {
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("withStrings"), true},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sel_DeviceAndDivision")},
                     {QStringLiteral("LikeStr"), SystemServices::shared().deviceName()}}},
    };
    // The reply arrives after the login has closed; the session is updated all the same,
    // unless the guard has logged out (or someone else logged in) since it was asked for.
    QPointer<VCLogin> self(this);
    const quint64 session = SessionEvents::instance().currentSession();
    fetchDATA::nodefetchD(parameters, [self, session](const QVariant &reply) {
        if (session != SessionEvents::instance().currentSession())
            return;
        const Rows rows = RowsReader::textRows(reply);
        if (self)
            self->DeviceDATA = rows;
        if (rows.isEmpty())
            return;
        master.fromJSON(rows.first());
        common::sharedInstance().saveSession();
        Q_EMIT SessionEvents::instance().deviceRecordChanged();
    });
}
