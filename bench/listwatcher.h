#pragma once

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>
#include <QTimer>
#include <string>

// What the two programs of the start and memory benchmarks (the client, and a bare Qt Quick
// list of the same texts) report to the benchmark that starts them: "shown" once a frame with
// all the list's rows has been swapped, and with --scroll, "peak-rss <kB>" once the list has
// been scrolled through from top to bottom with every picture in view loaded at each stop.
namespace ListWatcher {

// The height of a log row, in the client and in the bare list alike.
constexpr int rowHeight = 74;

struct Options {
    int rows = 0;
    bool scroll = false;
};

inline Options options(const QStringList &arguments) {
    Options result;
    const qsizetype at = arguments.indexOf(QStringLiteral("--rows"));
    if (at >= 0 && at + 1 < arguments.size())
        result.rows = arguments.at(at + 1).toInt();
    result.scroll = arguments.contains(QStringLiteral("--scroll"));
    return result;
}

// The most resident memory this process has had (VmHWM), in kB; -1 if unknown.
inline long peakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

inline bool anyImageLoading(const QQuickItem *item) {
    constexpr int loading = 2; // Image.Loading
    for (const QQuickItem *child : item->childItems())
        if ((child->inherits("QQuickImage") && child->property("status").toInt() == loading) ||
            anyImageLoading(child))
            return true;
    return false;
}

// Items by name through the visual tree: pages made by a StackView or a Loader need not be
// QObject children of the window's content.
inline void findNamed(QQuickItem *item, const QString &name, QList<QQuickItem *> &found) {
    for (QQuickItem *child : item->childItems()) {
        if (child->objectName() == name)
            found.append(child);
        findNamed(child, name, found);
    }
}

class Watcher : public QObject {
public:
    Watcher(QQuickWindow *window, Options options) : m_window(window), m_options(options) {
        connect(window, &QQuickWindow::frameSwapped, this, [this] { frameSwapped(); });
        m_poll.setInterval(5);
        connect(&m_poll, &QTimer::timeout, this, [this] { scrollStep(); });
        QTimer::singleShot(120000, this, [] {
            std::printf("failed: the list was not shown in time\n");
            QCoreApplication::exit(2);
        });
    }

private:
    // The list with all the rows: other pages of the window may have lists of their own.
    QQuickItem *fullList() const {
        QList<QQuickItem *> lists;
        findNamed(m_window->contentItem(), QStringLiteral("table"), lists);
        for (QQuickItem *list : lists)
            if (list->property("count").toInt() >= m_options.rows)
                return list;
        return nullptr;
    }
    void frameSwapped() {
        ++m_frames;
        if (m_list)
            return;
        m_list = fullList();
        if (!m_list)
            return;
        if (!m_options.scroll) {
            std::printf("shown\n");
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
        m_poll.start();
    }
    // One screenful further once the last stop is drawn and its pictures are in.
    void scrollStep() {
        const auto *content = m_list->property("contentItem").value<QQuickItem *>();
        if ((m_waitForFrame && m_frames == m_framesAtStop) || (content && anyImageLoading(content)))
            return;
        if (m_next >= m_list->property("count").toInt()) {
            m_poll.stop();
            std::printf("peak-rss %ld\n", peakResidentKb());
            std::fflush(stdout);
            QCoreApplication::exit(0);
            return;
        }
        constexpr int beginning = 1; // ListView.Beginning
        const qreal before = m_list->property("contentY").toReal();
        QMetaObject::invokeMethod(m_list, "positionViewAtIndex", Q_ARG(int, m_next),
                                  Q_ARG(int, beginning));
        // At the end of the list the view may not move, and then no frame follows.
        m_waitForFrame = m_list->property("contentY").toReal() != before;
        m_framesAtStop = m_frames;
        m_next += std::max(1, int(m_list->height() / rowHeight)); // rows a screen shows
    }

    QQuickWindow *m_window;
    Options m_options;
    QQuickItem *m_list = nullptr;
    QTimer m_poll;
    int m_frames = 0;
    int m_framesAtStop = 0;
    int m_next = 0;
    bool m_waitForFrame = false;
};

} // namespace ListWatcher
