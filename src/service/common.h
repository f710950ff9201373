#pragma once

#include "alertcontroller.h"
#include "userdefaults.h"

#include <functional>
#include <optional>
#include <QColor>
#include <QDateTime>
#include <QString>

class ViewController;

// The framework's grab-bag of shared helpers.
class common {
public:
    static common &sharedInstance();

    // An alert with one "OK" button, presented over `vc` (or the top screen when null).
    AlertController *showAlert(ViewController *vc, const QString &title, const QString &message);
    // The form used for upload failures: the same alert, with the failure's text appended.
    AlertController *showAlert(ViewController *vc, const QString &title, const QString &message,
                               const QString &failure);
    // A confirmation alert, returned unshown: okTitle runs `onOk`, cancelTitle only closes it.
    AlertController *makeConfirmAlert(std::function<void()> onOk, const QString &title,
                                      const QString &message,
                                      const QString &okTitle = QStringLiteral("Ok"),
                                      const QString &cancelTitle = QStringLiteral("Cancel"));
    // A one-field text entry alert; "Ok" hands the typed text to `onOk`.
    AlertController *showTextEntryAlert(ViewController *vc, const QString &title,
                                        const QString &placeholder,
                                        std::function<void(const QString &)> onOk);

    // The screen on top of everything the window shows.
    ViewController *topViewController() const;

    UserDefaults &defaultsStore() const { return UserDefaults::standard(); }
    // True when a saved session exists; it is then already back in `master`. A damaged saved
    // value counts as no session.
    bool hasSavedSession() const;
    // Saves `master` under "master" and synchronises.
    void saveSession() const;

    // Re-formats a date text from one dateFormats case to another; nothing if it doesn't parse.
    std::optional<QString> convertDateText(int fromCase, int toCase, const QString &text) const;
    // A colour written as a code ("#3E8EDE", "3E8EDE", "#803E8EDE" or a colour name); nothing
    // for text that names no colour.
    static std::optional<QColor> colorFromCode(const QString &code);
    std::optional<QDateTime> dateFromText(const QString &text, const QString &pattern) const;
    // 1 when `a` is later than `b`, -1 when earlier, 0 when equal.
    int compareDates(const QDateTime &a, const QDateTime &b) const;
    bool isEmptyText(const QString &text) const { return text.trimmed().isEmpty(); }
    // Rounds half away from zero to `places` decimals.
    double roundValue(int places, double number) const;
    QColor themeColor() const;

    // Shows `alert` over `vc`, or over the top screen when `vc` is null.
    AlertController *presentAlert(ViewController *vc, AlertController *alert) const;

private:
    common() = default;
};
