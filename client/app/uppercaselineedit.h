#pragma once

#include <QLineEdit>

// A line edit whose typed letters become capitals as they are typed,
// the way the program's name, password and search fields take input.
class UpperCaseLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit UpperCaseLineEdit(QWidget *parent = nullptr);
};
