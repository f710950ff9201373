#pragma once

#include "persondetailsview.h"
#include "viewcontroller.h"

// The new-person screen: the list's "Add New Person ?" opens it with what the guard typed.
class securityAddNewPerson : public ViewController {
    Q_OBJECT
    Q_PROPERTY(PersonDetailsView *personView READ personView CONSTANT)
public:
    explicit securityAddNewPerson(QObject *parent = nullptr)
        : ViewController(parent), personDetails(new PersonDetailsView(this)) {
        setTitle(QStringLiteral("New Person"));
    }
    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/securitylog/SecurityAddNewPersonPage.qml");
    }
    PersonDetailsView *personView() const { return personDetails; }

    PersonDetailsView *personDetails;
};
