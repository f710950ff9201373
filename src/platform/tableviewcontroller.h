#pragma once

#include "viewcontroller.h"

#include <functional>
#include <QColor>
#include <QList>
#include <QVariantMap>

// A trailing swipe action of a table row.
struct SwipeAction {
    QString title;
    QColor backgroundColor; // invalid: the platform's default (red for normal actions)
    // Called with a completion the action calls when it is done.
    std::function<void(std::function<void(bool)>)> handler;
};

// The table data-source and delegate contract: a screen that is a table answers these, and the
// generic QML table view draws whatever it answers.
class TableViewController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(bool grouped READ isGrouped CONSTANT)
    Q_PROPERTY(bool editing READ isEditing NOTIFY editingChanged)
    Q_PROPERTY(QObject *tableModel READ tableModel CONSTANT)
    Q_PROPERTY(qreal sectionHeaderHeight READ sectionHeaderHeight NOTIFY headerStyleChanged)
    Q_PROPERTY(QColor sectionHeaderColor READ sectionHeaderColor NOTIFY headerStyleChanged)
    Q_PROPERTY(QColor sectionHeaderTextColor READ sectionHeaderTextColor NOTIFY headerStyleChanged)
public:
    explicit TableViewController(bool grouped = false, QObject *parent = nullptr);

    QString qmlView() const override;

    virtual int numberOfSections() const { return 1; }
    virtual int numberOfRows(int section) const = 0;
    virtual qreal heightForRow(int section, int row) const;
    virtual QString titleForHeader(int section) const;
    // What the row's cell shows; "cellClass" names the QML delegate that draws it.
    virtual QVariantMap cellForRow(int section, int row) = 0;
    // A row drawn from a cell object: the delegate named `cellClass` binds to `cell` itself.
    static QVariantMap objectRow(const QString &cellClass, QObject *cell) {
        return {{QStringLiteral("cellClass"), cellClass},
                {QStringLiteral("cell"), QVariant::fromValue(cell)}};
    }
    virtual QList<SwipeAction> trailingSwipeActions(int section, int row);
    virtual void didSelectRow(int section, int row);
    // The view scrolled; screens dismiss keyboards here.
    virtual void scrollViewWillBeginDragging() {}
    // The view laid out or moved: its content height, its own height and how far it is
    // scrolled. Lists that load more as the end comes into view listen here.
    virtual void scrollViewDidScroll(qreal contentHeight, qreal frameHeight, qreal offsetY) {
        Q_UNUSED(contentHeight);
        Q_UNUSED(frameHeight);
        Q_UNUSED(offsetY);
    }

    // The list model the QML table view draws from; made on first use.
    QObject *tableModel();
    bool isGrouped() const { return m_grouped; }
    bool isEditing() const { return m_editing; }
    void setEditing(bool editing, bool animated = true);

    // Runs the swipe action at `action` of a row (the view's swipe button, or a test).
    Q_INVOKABLE void performSwipeAction(int section, int row, int action);
    Q_INVOKABLE void selectRow(int section, int row) { didSelectRow(section, row); }
    Q_INVOKABLE void viewWasDragged() { scrollViewWillBeginDragging(); }
    Q_INVOKABLE void viewDidScroll(qreal contentHeight, qreal frameHeight, qreal offsetY) {
        scrollViewDidScroll(contentHeight, frameHeight, offsetY);
    }

    // The look of the section titles.
    qreal sectionHeaderHeight() const { return m_headerHeight; }
    QColor sectionHeaderColor() const { return m_headerColor; }
    QColor sectionHeaderTextColor() const { return m_headerTextColor; }
    void setSectionHeaderStyle(qreal height, const QColor &color, const QColor &textColor) {
        m_headerHeight = height;
        m_headerColor = color;
        m_headerTextColor = textColor;
        Q_EMIT headerStyleChanged();
    }

Q_SIGNALS:
    void dataReloaded();
    void rowsDeleted(int section, int row);
    void editingChanged();
    void sectionInserted(int section);
    void headerStyleChanged();

public:
    void reloadData() { Q_EMIT dataReloaded(); }
    void deleteRow(int section, int row) { Q_EMIT rowsDeleted(section, row); }
    void insertSection(int section) { Q_EMIT sectionInserted(section); }

private:
    bool m_grouped = false;
    bool m_editing = false;
    QObject *m_model = nullptr;
    qreal m_headerHeight = 28;
    QColor m_headerColor{0x26, 0x26, 0x26};
    QColor m_headerTextColor{0xc2, 0xc2, 0xc2};
};
