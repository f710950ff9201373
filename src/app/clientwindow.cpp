#include "clientwindow.h"

#include "localimageprovider.h"
#include "transport.h"

bool ClientWindow::open() {
    // The style is fixed before the engine loads any control. Set through the environment, so
    // the client does not link (and load at start) the controls library just for this call.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Basic");
    m_delegate.applicationDidFinishLaunching();
    // The open logs and the version check asked for at launch go out before the views load,
    // so the server answers while they are built. Qt's HTTP thread needs the event loop to
    // take a request's body; a slow network does not hold the views back more than 10 ms.
    HttpTransport::sendPending(10);

    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_engine->setNetworkAccessManagerFactory(&m_networkFactory);
    LocalImageProvider::addTo(*m_engine);
    m_engine->setInitialProperties(
        {{QStringLiteral("appWindow"), QVariant::fromValue(m_delegate.window)}});
    m_engine->load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    if (m_engine->rootObjects().isEmpty())
        return false;
    m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().first());

    m_delegate.followApplicationState();
    return true;
}
