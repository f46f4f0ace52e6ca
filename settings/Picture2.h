#pragma once

#include <QDialog>

// The Options dialog.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
};

extern TForm2* Form2;
