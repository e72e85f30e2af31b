#pragma once

#include "registry/import_controller.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace tervix::registry {

class ImportRowsModel;

// "[Import danych z OLT]": how far the import of a frame has got, the rows it
// read, why it cannot be applied, and the offer to synchronise when the
// counters say the list and the OLT disagree. Everything shown is the
// controller's; the buttons only forward. Closing the window forgets the
// import, so a half-read frame never waits to be applied later.
class ImportWindow : public QWidget
{
    Q_OBJECT
public:
    // The import's listings, in the order they are read.
    enum Listing { OntsListing, ServicePortsListing, VlansListing, IgmpListing, ListingCount };

    explicit ImportWindow(ImportController &controller, QWidget *parent = nullptr);

    // The blink colours of the synchronisation offer.
    static QColor promptColour(bool bright);

    QLineEdit *frameEdit = nullptr;     // the frame read, "0" at first
    QPushButton *startButton = nullptr; // "Pobierz wszystkie koncowki z OLT!"
    // "- Zbieram informacje o ...": the listing being read is bold, a read one
    // is prefixed "[OK] ".
    std::array<QLabel *, ListingCount> listingLabels{};
    QLabel *countLabel = nullptr; // "Znaleziono: N"
    QTableView *rowsView = nullptr;
    QPushButton *applyButton = nullptr; // "Dodaj i uaktualnij koncowki na mojej liscie dodanych!"
    QPlainTextEdit *problemsView = nullptr;

    // The synchronisation offer, hidden until the controller makes it.
    QWidget *promptPanel = nullptr;
    QLabel *listCountLabel = nullptr; // beside "Your List / Twoja Lista:"
    QLabel *oltCountLabel = nullptr;  // beside "OLT Real ONT / Realna na OLT:"
    QCheckBox *hidePromptBox = nullptr; // "Dont show egain / Nie pokazuj wiecej!"
    QLabel *controlLabel = nullptr;
    QTimer *blinkTimer = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildPrompt();
    void showStage(ImportController::Stage stage);
    void showRows();
    void showProblems(const QString &reason);
    void showPrompt(int listCount, int oltCount, const QString &control);
    void hidePrompt();
    void blink();

    ImportController &m_controller;
    ImportRowsModel *m_model = nullptr;
    bool m_bright = false;
};

} // namespace tervix::registry
