#include "formistekyeni.h"

#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

Tformistekyeni::Tformistekyeni(QWidget *parent)
    : QDialog(parent)
    , m_browser(new QWebEngineView(this))
{
    resize(900, 700);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser, 1);
    auto *close = new QPushButton(u"Kapat"_s, this);
    close->setObjectName(u"kapat"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void Tformistekyeni::gezin(const QString &url)
{
    m_browser->setUrl(QUrl(url, QUrl::TolerantMode));
}
