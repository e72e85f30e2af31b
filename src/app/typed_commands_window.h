#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace tervix::app {

// "Lumora - Wpisywane komendy!": the typed-commands memo. The session empties
// it after every login.
class TypedCommandsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TypedCommandsWindow(QWidget *parent = nullptr);

    QPlainTextEdit *memo = nullptr;
    QPushButton *clearButton = nullptr; // "czysc logi"
};

} // namespace tervix::app
