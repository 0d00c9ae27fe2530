#include "messages.h"

#include "uithread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace messages {

namespace {

Runner &runner()
{
    static Runner r;
    return r;
}

// the buttons' standard roles, so that the modal result follows from the button clicked
QMessageBox::StandardButton standardButton(Dugme b)
{
    switch (b) {
    case Dugme::Yes: return QMessageBox::Yes;
    case Dugme::No: return QMessageBox::No;
    case Dugme::OK: return QMessageBox::Ok;
    case Dugme::Cancel: return QMessageBox::Cancel;
    case Dugme::Abort: return QMessageBox::Abort;
    case Dugme::Retry: return QMessageBox::Retry;
    case Dugme::Ignore: return QMessageBox::Ignore;
    case Dugme::All: return QMessageBox::SaveAll; // Qt has no plain "All"; any spare role will do
    case Dugme::NoToAll: return QMessageBox::NoToAll;
    case Dugme::YesToAll: return QMessageBox::YesToAll;
    case Dugme::Help: return QMessageBox::Help;
    case Dugme::Close: return QMessageBox::Close;
    }
    return QMessageBox::NoButton;
}

int modalResult(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Cancel: return mrCancel;
    case QMessageBox::Abort: return mrAbort;
    case QMessageBox::Retry: return mrRetry;
    case QMessageBox::Ignore: return mrIgnore;
    case QMessageBox::SaveAll: return mrAll;
    case QMessageBox::NoToAll: return mrNoToAll;
    case QMessageBox::YesToAll: return mrYesToAll;
    case QMessageBox::Help: return mrHelp;
    case QMessageBox::Close: return mrClose;
    default: return mrNone;
    }
}

QMessageBox::Icon icon(MesajTipi type)
{
    switch (type) {
    case MesajTipi::Uyari: return QMessageBox::Warning;
    case MesajTipi::Hata: return QMessageBox::Critical;
    case MesajTipi::Bilgi: return QMessageBox::Information;
    case MesajTipi::Soru: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void playSound(MesajTipi type)
{
#ifdef Q_OS_WIN
    static const UINT sounds[] = {MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONASTERISK, MB_ICONQUESTION};
    MessageBeep(sounds[int(type)]);
#else
    Q_UNUSED(type);
    QApplication::beep();
#endif
}

int run(QMessageBox &box, const Shown &shown)
{
    if (runner())
        return runner()(box, shown);
    box.exec();
    return modalResult(box.standardButton(box.clickedButton()));
}

void centreOn(QMessageBox &box, QWidget *owner)
{
    box.adjustSize();
    QRect area;
    if (owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        box.move(area.center() - box.rect().center());
}

} // namespace

QString caption(MesajTipi type)
{
    switch (type) {
    case MesajTipi::Uyari: return u"Uyarı"_s;
    case MesajTipi::Hata: return u"Hata"_s;
    case MesajTipi::Bilgi: return u"Bilgi"_s;
    case MesajTipi::Soru: return u"Soru"_s;
    }
    return QString();
}

QString buttonCaption(Dugme button)
{
    switch (button) {
    case Dugme::Yes: return u"Evet"_s;
    case Dugme::No: return u"Hayır"_s;
    case Dugme::OK: return u"Tamam"_s;
    case Dugme::Cancel: return u"Vazgeç"_s;
    case Dugme::Abort: return u"İptal"_s;
    case Dugme::Retry: return u"Tekrar"_s;
    case Dugme::Ignore: return u"Atla"_s;
    case Dugme::All: return u"Tümü"_s;
    case Dugme::NoToAll: return u"Tümüne Hayır"_s;
    case Dugme::YesToAll: return u"Tümüne Evet"_s;
    case Dugme::Help: return u"Yardım"_s;
    case Dugme::Close: return u"Kapat"_s;
    }
    return QString();
}

QMessageBox *build(const QString &text, MesajTipi type, const Dugmeler &buttons, Dugme defaultButton,
                   QWidget *owner)
{
    auto *box = new QMessageBox(owner);
    QFont font = box->font();
    font.setPixelSize(15);
    box->setFont(font);
    box->setText(text);
    box->setIcon(icon(type));
    box->setWindowTitle(caption(type));
    // the fixed order of the buttons, whatever order the caller listed them in
    for (int i = 0; i <= int(Dugme::Close); ++i) {
        const auto b = Dugme(i);
        if (!buttons.contains(b))
            continue;
        QPushButton *pb = box->addButton(standardButton(b));
        pb->setText(buttonCaption(b));
        if (b == defaultButton) {
            box->setDefaultButton(pb);
            pb->setFocus();
        }
    }
    return box;
}

void setRunner(Runner r)
{
    runner() = std::move(r);
}

} // namespace messages

int MesajGoster(const QString &text, MesajTipi type, const Dugmeler &buttons, Dugme defaultButton, QWidget *owner)
{
    int result = mrNone;
    uithread::runAndWait([&] {
        std::unique_ptr<QMessageBox> box(messages::build(text, type, buttons, defaultButton, owner));
        messages::centreOn(*box, owner);
        messages::playSound(type);
        result = messages::run(*box, {box->windowTitle(), text, type, false});
    });
    return result;
}

void DuzMesajGoster(const QString &text)
{
    uithread::runAndWait([&] {
        QMessageBox box;
        box.setText(text);
        box.setWindowTitle(QGuiApplication::applicationDisplayName());
        QPushButton *ok = box.addButton(QMessageBox::Ok);
        ok->setText(messages::buttonCaption(Dugme::OK));
        box.setDefaultButton(ok);
        messages::centreOn(box, nullptr);
        messages::run(box, {box.windowTitle(), text, MesajTipi::Bilgi, true});
    });
}
