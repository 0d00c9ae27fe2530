#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The program's one message dialog: Turkish captions and buttons, the
// system sound of its kind, a chosen default button.

enum class MesajTipi { Uyari = 0, Hata = 1, Bilgi = 2, Soru = 3 };

// buttons in their fixed order 0..11
enum class Dugme { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help, Close };
using Dugmeler = QList<Dugme>;

// the platform's standard modal results; the program only tests mrYes
enum ModalSonuc { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                  mrClose = 8, mrHelp = 9, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14 };

inline const Dugmeler kTamam = {Dugme::OK};
inline const Dugmeler kEvetHayir = {Dugme::Yes, Dugme::No};

// Shows the dialog modally on the UI thread and returns its modal result.
int MesajGoster(const QString &text, MesajTipi type, const Dugmeler &buttons, Dugme defaultButton,
                QWidget *owner = nullptr);

// A plain box with the text and one OK button, centred on the screen.
void DuzMesajGoster(const QString &text);

namespace messages {

QString caption(MesajTipi type);
QString buttonCaption(Dugme button);
// builds the dialog without showing it (captions, buttons, default)
QMessageBox *build(const QString &text, MesajTipi type, const Dugmeler &buttons, Dugme defaultButton,
                   QWidget *owner);

// Every dialog of the program goes through this runner: it shows the box
// and returns the modal result. Tests install their own to answer the
// dialogs and record what was said; nullptr restores the real one.
struct Shown
{
    QString caption;
    QString text;
    MesajTipi type;
    bool plain; // the plain box of the connection retry
};
using Runner = std::function<int(QMessageBox &box, const Shown &shown)>;
void setRunner(Runner runner);

} // namespace messages
