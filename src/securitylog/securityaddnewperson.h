#pragma once

#include "combobox.h"
#include "formcells.h"
#include "secpersonimagecell.h"
#include "tableviewcontroller.h"

class securityLogDetailView;

// The person screen: photo, mobile number, name, address and designation of the person of a
// log. Done writes them into the log form below it, making that form when there is none.
class securityAddNewPerson : public TableViewController, public comboBoxDelegate {
    Q_OBJECT
public:
    explicit securityAddNewPerson(QObject *parent = nullptr);

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/securitylog/SecurityAddNewPersonPage.qml");
    }

    // One section: photo, mobile, person, address, designation.
    enum Row { PhotoRow = 0, MobileRow, PersonRow, AddressRow, DesignationRow, RowCount };
    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;

    // The designation picker reports here.
    void box(comboBox *box, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &cells) override;

    // Done.
    void AddPersonDetails();
    // The message of the first check that fails, empty when the person may be taken.
    QString validationMessage() const;

    textFieldCell *cMobileNo;
    textFieldCell *cPerson;
    textFieldCell *cAddress;
    labelCell *cDesignation;
    secPersonImageCell *cPersonImage;

protected:
    void viewDidLoad() override;

private:
    void openDesignationPicker();
    // The log form just below this screen, or a new one put there.
    securityLogDetailView *receivingForm();
};

// Opens the person screen over whatever is on top, filled from the form's person block.
void openPersonScreen(securityLogDetailView *form);
