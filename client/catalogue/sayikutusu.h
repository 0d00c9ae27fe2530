#pragma once

#include <QLineEdit>

// A money box: shows its value with "#,###,##0.00" but keeps the exact
// value, so that repeated operations (F4 twice) work on the unrounded
// amount. Typed text is read back as a number.
class SayiKutusu : public QLineEdit
{
    Q_OBJECT

public:
    explicit SayiKutusu(QWidget *parent = nullptr);

    void setValue(double value);
    // the kept value while the text is still the one shown for it,
    // otherwise the typed number (0 when it does not read as one)
    double value() const;

private:
    QString formatted(double value) const;

    double m_value = 0;
};
