#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace tervix::app {

// "Lumora - Wpisywane komendy!": the typed-commands memo. The session empties
// it after every login.
class Tanc2 : public QWidget
{
    Q_OBJECT
public:
    explicit Tanc2(QWidget *parent = nullptr);

    QPlainTextEdit *f2_memo = nullptr;
    QPushButton *Button1 = nullptr; // "czysc logi"
};

} // namespace tervix::app
