#pragma once

#include "ui/dialog_service.h"

namespace tervix::ui {

// Real message boxes.
class MessageBoxDialogService : public DialogService
{
public:
    void message(QWidget *parent, const QString &caption, const QString &text, Icon icon) override;
    Answer question(QWidget *parent, const QString &caption, const QString &text) override;
};

} // namespace tervix::ui
