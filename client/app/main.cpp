#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    // the embedded browser needs these before the application exists
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varko"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    installSignInSteps();
    TForm1 window;
    installPages(window);
    if (!window.GirisYap())
        return 0;
    window.showMaximized();
    window.BaslangicYuklemeleriniBaslat();
    return app.exec();
}
