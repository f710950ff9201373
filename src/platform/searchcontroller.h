#pragma once

#include <functional>
#include <QObject>
#include <QString>

// The search field a list puts in its header. The view writes what is typed into `text`;
// the list hears every change and the keyboard's search (return) button.
class SearchController : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QString returnKey READ returnKey CONSTANT)
public:
    explicit SearchController(QObject *parent = nullptr) : QObject(parent) {}

    QString text() const { return m_text; }
    // Typing: stores the text and tells the list.
    void setText(const QString &text) {
        if (text == m_text)
            return;
        m_text = text;
        Q_EMIT textChanged();
        if (onTextChange)
            onTextChange(text);
    }
    // Emptying the field from code tells the list too, as the platform does.
    void clear() { setText(QString()); }

    QString returnKey() const { return QStringLiteral("Done"); }
    Q_INVOKABLE void searchButtonClicked() {
        if (onSearchButton)
            onSearchButton();
    }
    // Hides the keyboard.
    void resignFirstResponder() { Q_EMIT keyboardDismissed(); }

    std::function<void(const QString &)> onTextChange;
    std::function<void()> onSearchButton;

Q_SIGNALS:
    void textChanged();
    void keyboardDismissed();

private:
    QString m_text;
};
