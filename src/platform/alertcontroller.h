#pragma once

#include "viewcontroller.h"

#include <functional>
#include <QList>
#include <QString>
#include <QVariantList>

class AlertController;

// One button of an alert or action sheet.
struct AlertAction {
    enum class Style { Default, Cancel, Destructive };
    QString title;
    Style style = Style::Default;
    std::function<void(AlertController *)> handler;
};

// One text field of an alert.
struct AlertTextField {
    QString text;
    QString placeholder;
    bool secure = false;
};

// An alert or action sheet. Tapping a button dismisses it, then runs the button's handler,
// as the platform does.
class AlertController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QString message READ message CONSTANT)
    Q_PROPERTY(bool actionSheet READ isActionSheet CONSTANT)
    Q_PROPERTY(QVariantList actions READ actionList CONSTANT)
    Q_PROPERTY(QVariantList textFields READ textFieldList NOTIFY textFieldsChanged)
    Q_PROPERTY(bool messageLeftAligned MEMBER messageLeftAligned CONSTANT)
    Q_PROPERTY(int messagePointSize MEMBER messagePointSize CONSTANT)
public:
    enum class Style { Alert, ActionSheet };
    AlertController(const QString &title, const QString &message, Style style = Style::Alert,
                    QObject *parent = nullptr);

    QString kind() const override { return QStringLiteral("alert"); }
    QString message() const { return m_message; }
    bool isActionSheet() const { return m_style == Style::ActionSheet; }

    void addAction(AlertAction action);
    void addAction(const QString &title, AlertAction::Style style,
                   std::function<void(AlertController *)> handler = {});
    void addTextField(AlertTextField field);
    QList<AlertAction> actions() const { return m_actions; }
    QStringList actionTitles() const;
    QList<AlertTextField> textFields() const { return m_fields; }
    Q_INVOKABLE void setTextFieldText(int index, const QString &text);
    QString textFieldText(int index) const;

    // Taps the button at `index` (as the view does) or the first with this title (as tests do).
    Q_INVOKABLE void tapAction(int index);
    bool tap(const QString &title);

    // A message of several lines reads better left-aligned, in a smaller font (0: the default).
    bool messageLeftAligned = false;
    int messagePointSize = 0;

    QVariantList actionList() const;
    QVariantList textFieldList() const;

Q_SIGNALS:
    void textFieldsChanged();

protected:
    void viewWillAppear(bool animated) override;

private:
    QString m_message;
    Style m_style;
    QList<AlertAction> m_actions;
    QList<AlertTextField> m_fields;
    bool m_tapped = false;
};
