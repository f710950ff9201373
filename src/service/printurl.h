#pragma once

#include "viewcontroller.h"

#include <memory>
#include <QUrl>

class FetchTask;

// Shows a report page: fetches the PDF, keeps it in the client's cache folder and shows it;
// "Open" hands the file to the system's viewer.
class ReportViewController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QString state READ state NOTIFY stateChanged)
    Q_PROPERTY(QUrl pdfFile READ pdfFile NOTIFY stateChanged)
    Q_PROPERTY(QString message READ message NOTIFY stateChanged)
public:
    ReportViewController(const QUrl &url, const QString &fileName, const QByteArray &postString,
                         QObject *parent = nullptr);
    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/service/ReportPage.qml");
    }

    // "loading", "shown" or "failed".
    QString state() const { return m_state; }
    QUrl pdfFile() const { return m_file; }
    QString message() const { return m_message; }
    QUrl url() const { return m_url; }

Q_SIGNALS:
    void stateChanged();

protected:
    void viewDidLoad() override;

private:
    void finish(const QString &state, const QString &message);
    QUrl m_url;
    QString m_fileName;
    QByteArray m_post;
    QString m_state = QStringLiteral("loading");
    QUrl m_file;
    QString m_message;
    std::shared_ptr<FetchTask> m_task;
};

// Presents the report at `url` over `vc` in its own container. `fileName` ends in the file's
// extension ("report.pdf"). A non-empty postString is sent as a form POST instead of a GET.
ReportViewController *printURL(ViewController *vc, const QUrl &url, const QString &fileName,
                               bool readOnly = true, const QByteArray &postString = {});
