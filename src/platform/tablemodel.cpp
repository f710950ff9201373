#include "tablemodel.h"

#include <algorithm>

TableModel::TableModel(QObject *parent) : QAbstractListModel(parent) {}

void TableModel::setController(TableViewController *controller) {
    if (m_controller == controller)
        return;
    if (m_controller)
        disconnect(m_controller, nullptr, this, nullptr);
    m_controller = controller;
    if (m_controller) {
        connect(m_controller, &TableViewController::dataReloaded, this, &TableModel::rebuild);
        connect(m_controller, &TableViewController::sectionInserted, this, &TableModel::rebuild);
        connect(m_controller, &TableViewController::rowsDeleted, this,
                [this](int section, int row) {
                    for (int i = 0; i < m_positions.size(); ++i) {
                        if (m_positions[i].section == section && m_positions[i].row == row) {
                            beginRemoveRows(QModelIndex(), i, i);
                            m_positions.removeAt(i);
                            for (int j = i; j < m_positions.size(); ++j)
                                if (m_positions[j].section == section)
                                    --m_positions[j].row;
                            endRemoveRows();
                            return;
                        }
                    }
                    rebuild();
                });
    }
    rebuild();
    Q_EMIT controllerChanged();
}

void TableModel::rebuild() {
    QList<Position> fresh;
    if (m_controller) {
        const int sections = m_controller->numberOfSections();
        for (int s = 0; s < sections; ++s) {
            const int rows = m_controller->numberOfRows(s);
            for (int r = 0; r < rows; ++r)
                fresh.append({s, r});
        }
    }
    const int before = int(m_positions.size());
    const int after = int(fresh.size());
    if (before == 0 || after == 0) {
        beginResetModel();
        m_positions = fresh;
        endResetModel();
        return;
    }
    // A reload keeps the rows the view already made and tells it what they now show: a search
    // reply redraws in place instead of building every visible row again.
    if (after < before) {
        beginRemoveRows(QModelIndex(), after, before - 1);
        m_positions = fresh;
        endRemoveRows();
    } else if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        m_positions = fresh;
        endInsertRows();
    }
    m_positions = fresh;
    Q_EMIT dataChanged(index(0), index(std::min(before, after) - 1));
}

int TableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_positions.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const {
    if (!m_controller || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const Position p = m_positions.at(index.row());
    switch (role) {
    case SectionRole:
        return p.section;
    case RowRole:
        return p.row;
    case HeightRole:
        return m_controller->heightForRow(p.section, p.row);
    case CellRole:
        return m_controller->cellForRow(p.section, p.row);
    case SectionTitleRole:
        return m_controller->titleForHeader(p.section);
    default:
        return {};
    }
}

QHash<int, QByteArray> TableModel::roleNames() const {
    return {{SectionRole, "section"},
            {RowRole, "row"},
            {HeightRole, "rowHeight"},
            {CellRole, "cell"},
            {SectionTitleRole, "sectionTitle"}};
}

QVariantList TableModel::swipeActions(int index) const {
    QVariantList list;
    if (!m_controller || index < 0 || index >= m_positions.size())
        return list;
    const Position p = m_positions.at(index);
    for (const auto &a : m_controller->trailingSwipeActions(p.section, p.row))
        list.append(
            QVariantMap{{QStringLiteral("title"), a.title},
                        {QStringLiteral("color"),
                         a.backgroundColor.isValid() ? a.backgroundColor : QColor(Qt::red)}});
    return list;
}

void TableModel::triggerSwipeAction(int index, int action) {
    if (!m_controller || index < 0 || index >= m_positions.size())
        return;
    const Position p = m_positions.at(index);
    m_controller->performSwipeAction(p.section, p.row, action);
}

void TableModel::select(int index) {
    if (!m_controller || index < 0 || index >= m_positions.size())
        return;
    const Position p = m_positions.at(index);
    m_controller->didSelectRow(p.section, p.row);
}
