#pragma once

#include <QDialog>

class QWebEngineView;

// The web request form: an embedded browser filling the window and a
// "Kapat" button. The opener sets the caption and the address.
class Tformistekyeni : public QDialog
{
    Q_OBJECT

public:
    explicit Tformistekyeni(QWidget *parent = nullptr);

    void gezin(const QString &url);
    QWebEngineView *tarayici() const { return m_browser; }

private:
    QWebEngineView *m_browser;
};
