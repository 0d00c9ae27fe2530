#include "mainwindow.h"
#include "startup.h"
#include "texts.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varko"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    installSignInSteps();
    TForm1 window;
    if (!window.GirisYap())
        return 0;
    window.showMaximized();
    window.BaslangicYuklemeleriniBaslat();
    return app.exec();
}
