#pragma once

#include "tableviewcontroller.h"

#include <QAbstractListModel>
#include <QPointer>

// Flattens a table screen's sections and rows into one list for the QML ListView, and follows
// the screen's reloads and deletions.
class TableModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(TableViewController *controller READ controller WRITE setController NOTIFY
                   controllerChanged)
public:
    enum Role { SectionRole = Qt::UserRole + 1, RowRole, HeightRole, CellRole, SectionTitleRole };

    explicit TableModel(QObject *parent = nullptr);

    TableViewController *controller() const { return m_controller; }
    void setController(TableViewController *controller);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The swipe buttons of a row: a list of {title, color}.
    Q_INVOKABLE QVariantList swipeActions(int index) const;
    Q_INVOKABLE void triggerSwipeAction(int index, int action);
    Q_INVOKABLE void select(int index);

Q_SIGNALS:
    void controllerChanged();

private:
    struct Position {
        int section;
        int row;
    };
    void rebuild();
    QList<Position> m_positions;
    QPointer<TableViewController> m_controller;
};
