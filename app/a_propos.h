#pragma once

// The About box and the program's picture.

#include <QDialog>
#include <QIcon>

class QLabel;
class QPushButton;

// The program's picture, the desktop's icon: a comet on its orbit about the Sun.
QIcon Icone_Programme();

class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent);

    // Shows the box centred on the screen until OKButton is pressed or the box is closed.
    void Montrer_Modal();

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* About1;
    QLabel* About2;
    QLabel* About3;
    QLabel* About4;
    QPushButton* OKButton;
};
