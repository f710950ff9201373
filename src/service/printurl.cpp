#include "printurl.h"

#include "fetchdata.h"
#include "navigationcontroller.h"
#include "systemservices.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

ReportViewController::ReportViewController(const QUrl &url, const QString &fileName,
                                           const QByteArray &postString, QObject *parent)
    : ViewController(parent), m_url(url), m_fileName(fileName), m_post(postString) {
    setTitle(QStringLiteral("Report"));
}

void ReportViewController::viewDidLoad() {
    setLeftBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Done"), true, [this] { dismiss(true); }, this));
    setRightBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Open"), false,
        [this] {
            if (m_file.isValid())
                SystemServices::shared().openURL(m_file);
        },
        this));
    HttpRequest request;
    request.url = m_url;
    if (m_post.isEmpty()) {
        request.method = "GET";
    } else {
        request.contentType = "application/x-www-form-urlencoded";
        request.body = m_post;
    }
    m_task = fetchDATA::send(request, this, [this](const HttpReply &reply) {
        if (!reply.ok() || !reply.body.startsWith("%PDF")) {
            finish(QStringLiteral("failed"), QStringLiteral("The report could not be loaded."));
            return;
        }
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                               QStringLiteral("/reports");
        QDir().mkpath(folder);
        // Only the name part of the caller's file name: it must not reach outside the folder.
        QString name = QFileInfo(m_fileName).fileName();
        if (name.isEmpty())
            name = QStringLiteral("report.pdf");
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(reply.body) != reply.body.size()) {
            finish(QStringLiteral("failed"), QStringLiteral("The report could not be saved."));
            return;
        }
        file.close();
        m_file = QUrl::fromLocalFile(file.fileName());
        finish(QStringLiteral("shown"), QString());
    });
}

void ReportViewController::finish(const QString &state, const QString &message) {
    m_state = state;
    m_message = message;
    Q_EMIT stateChanged();
}

ReportViewController *printURL(ViewController *vc, const QUrl &url, const QString &fileName,
                               bool readOnly, const QByteArray &postString) {
    Q_UNUSED(readOnly); // reports are always shown read-only here
    auto *report = new ReportViewController(url, fileName, postString);
    auto *nav = new NavigationController(report);
    if (!vc || !vc->present(nav, true)) {
        delete nav;
        return nullptr;
    }
    return report;
}
