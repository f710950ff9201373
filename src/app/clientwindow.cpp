#include "clientwindow.h"

#include "localimageprovider.h"

#include <QFontDatabase>
#include <QQmlComponent>

bool ClientWindow::open() {
    // The style is fixed before the engine loads any control. Set through the environment, so
    // the client does not link (and load at start) the controls library just for this call.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Basic");
    // The open logs asked for at launch go out, and come back decoded, on the HTTP thread
    // while the views below are built.
    m_delegate.applicationDidFinishLaunching();

    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_engine->setNetworkAccessManagerFactory(&m_networkFactory);
    LocalImageProvider::addTo(*m_engine);
    m_engine->setInitialProperties(
        {{QStringLiteral("appWindow"), QVariant::fromValue(m_delegate.window)}});
    const QUrl main(QStringLiteral("qrc:/SecLog/Main.qml"));
    {
        // The engine's loader thread reads the views and registers Qt Quick's types, which
        // takes it a few milliseconds; meanwhile this thread reads the font database, which
        // the first text would otherwise wait for after the views are read.
        const QQmlComponent views(m_engine.get(), main, QQmlComponent::Asynchronous);
        QFontDatabase::families();
        m_engine->load(main);
    }
    if (m_engine->rootObjects().isEmpty())
        return false;
    m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().first());

    m_delegate.followApplicationState();
    return true;
}
