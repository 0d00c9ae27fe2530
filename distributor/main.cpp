#include "distributor/demodata.h"
#include "distributor/distributor.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    // pictures and PDFs are drawn with fonts, which need a GUI application;
    // without a display it runs offscreen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"varko-distributor"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Varko reference distributor: application server, web server and demo store.\n\nDemo sign-ins "
        "(device identifier, user name / password, role):\n"_s
        + distributor::demoUsersText());
    parser.addHelpOption();
    const QCommandLineOption port(u"port"_s, u"Application server port (default 9090)."_s, u"port"_s, u"9090"_s);
    const QCommandLineOption webPort(u"web-port"_s, u"Web server port (default 8080)."_s, u"port"_s, u"8080"_s);
    const QCommandLineOption data(u"data"_s, u"Folder of the store file."_s, u"folder"_s,
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QCommandLineOption size(u"size"_s, u"Demo catalogue: small (1 500 stocks) or large (200 000)."_s,
                                  u"small|large"_s, u"small"_s);
    const QCommandLineOption listen(u"listen"_s, u"Address to listen on (default 127.0.0.1)."_s, u"address"_s,
                                    u"127.0.0.1"_s);
    const QCommandLineOption registerDevice(
        u"register-device"_s, u"Register a device identifier as a demo user, e.g. ABC123=BAYI (repeatable)."_s,
        u"id=user"_s);
    parser.addOptions({port, webPort, data, size, listen, registerDevice});
    parser.process(app);

    distributor::DistributorOptions o;
    bool ok1 = false, ok2 = false;
    o.port = quint16(parser.value(port).toUInt(&ok1));
    o.webPort = quint16(parser.value(webPort).toUInt(&ok2));
    if (!ok1 || !ok2) {
        std::fprintf(stderr, "invalid port\n");
        return 2;
    }
    o.dataFolder = parser.value(data);
    if (parser.value(size) == u"large"_s)
        o.size = distributor::DataSize::Large;
    else if (parser.value(size) != u"small"_s) {
        std::fprintf(stderr, "--size must be small or large\n");
        return 2;
    }
    if (!o.listen.setAddress(parser.value(listen))) {
        std::fprintf(stderr, "invalid --listen address\n");
        return 2;
    }
    for (const QString &r : parser.values(registerDevice)) {
        const qsizetype eq = r.indexOf(u'=');
        if (eq <= 0 || eq == r.size() - 1) {
            std::fprintf(stderr, "--register-device needs <id>=<demo user>\n");
            return 2;
        }
        o.registrations.append({r.left(eq), r.mid(eq + 1)});
    }

    std::fprintf(stdout, "Varko distributor: preparing %s\n", qPrintable(o.dataFolder));
    std::fflush(stdout);
    distributor::Distributor d(o);
    QString error;
    if (!d.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::fprintf(stdout,
                 "Application server on %s:%u, web server on http://%s:%u/\nStore: %s\nDemo sign-ins:\n%s",
                 qPrintable(o.listen.toString()), d.port(), qPrintable(o.listen.toString()), d.webPort(),
                 qPrintable(d.storeFile()), qPrintable(distributor::demoUsersText()));
    std::fflush(stdout);
    return app.exec();
}
