#include "tableviewcontroller.h"

#include "tablemodel.h"

TableViewController::TableViewController(bool grouped, QObject *parent)
    : ViewController(parent), m_grouped(grouped) {}

QString TableViewController::qmlView() const {
    return QStringLiteral("qrc:/SecLog/platform/TablePage.qml");
}

qreal TableViewController::heightForRow(int, int) const {
    return 44;
}

QString TableViewController::titleForHeader(int) const {
    return QString();
}

QList<SwipeAction> TableViewController::trailingSwipeActions(int, int) {
    return {};
}

void TableViewController::didSelectRow(int, int) {}

void TableViewController::setEditing(bool editing, bool) {
    if (m_editing == editing)
        return;
    m_editing = editing;
    Q_EMIT editingChanged();
}

void TableViewController::performSwipeAction(int section, int row, int action) {
    const auto actions = trailingSwipeActions(section, row);
    if (action < 0 || action >= actions.size() || !actions.at(action).handler)
        return;
    actions.at(action).handler([](bool) {});
}

QObject *TableViewController::tableModel() {
    if (!m_model) {
        auto *model = new TableModel(this);
        model->setController(this);
        m_model = model;
    }
    return m_model;
}
