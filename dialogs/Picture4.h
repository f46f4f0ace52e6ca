#pragma once

#include <QDialog>

// The About box.
class TForm4 : public QDialog {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
};

extern TForm4* Form4;
