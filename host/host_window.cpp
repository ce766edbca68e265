#include "host/host_window.h"

#include "host/ansi_text.h"
#include "host/host_texts.h"

#include "catalogue/message_catalogue.h"
#include "ui/qt/accessible_controls.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The player's name for each card, by its file system's identifier, in the
// host's own settings.
QString RememberedNameKey(const QString& uuid) { return QStringLiteral("cards/%1/name").arg(uuid); }

QSettings HostSettings() {
    return QSettings(QStringLiteral("kordavin"), QStringLiteral("quorlan-host"));
}

QString CardDescription(const CRemovableVolume& card) {
    const QLocale language(QString::fromLatin1(LanguageTagOfColumn(g_nLanguageIndex)));
    return QStringLiteral("%1 (%2, %3)")
        .arg(card.name, card.fileSystem,
             language.formattedDataSize(card.size, 1, QLocale::DataSizeSIFormat));
}

// The card to choose without asking, if the choice is clear.
const CRemovableVolume* ClearChoice(const std::vector<CRemovableVolume>& cards) {
    if (cards.size() == 1) {
        return &cards.front();
    }
    const auto holding = std::ranges::count_if(cards, &CRemovableVolume::holdsSettings);
    return holding == 1 ? &*std::ranges::find_if(cards, &CRemovableVolume::holdsSettings) : nullptr;
}

} // namespace

CHostWindow::CHostWindow(const CQuorlanLibrary& library, const QString& devicePath,
                         const QString& deviceName)
    : m_library(library), m_devicePath(new QLineEdit(devicePath)),
      m_deviceName(new QLineEdit(deviceName)),
      m_openButton(new QPushButton(FromAnsi(library.WindowName()))), m_handleLabel(new QLabel),
      m_nameGiven(!deviceName.isEmpty()), m_volumes([this] { ListCards(); }) {
    setWindowTitle(QString::fromLatin1(kHostWindowTitle));
    // Its list of cards is named by its label, as the dialog's lists are;
    // made in the window, once the window asks for that, since a screen
    // reader's idea of a control is made when the control is.
    ui::qt::AnswerForWindow(*this);
    m_cards = new QComboBox(this);
    m_devicePath->setPlaceholderText(HostText(EHostText::kNoPlayerAttached));
    m_deviceName->setPlaceholderText(HostText(EHostText::kPlayerNamePlaceholder));

    // Room for a card's whole mount point, /media/USER/LABEL.
    m_devicePath->setMinimumWidth(m_devicePath->fontMetrics().averageCharWidth() * 36);
    auto* choose = new QPushButton(HostText(EHostText::kChoose));
    // Enter on a focused button presses it, as in a dialog.
    choose->setAutoDefault(true);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_devicePath);
    pathRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(HostText(EHostText::kCardsLabel), m_cards);
    form->addRow(HostText(EHostText::kSdCardLabel), pathRow);
    form->addRow(HostText(EHostText::kPlayerNameLabel), m_deviceName);
    // What a screen reader speaks for each edit: the label of its row.
    m_cards->setAccessibleName(HostText(EHostText::kCardsLabel));
    m_devicePath->setAccessibleName(HostText(EHostText::kSdCardLabel));
    m_deviceName->setAccessibleName(HostText(EHostText::kPlayerNameLabel));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_openButton);
    layout->addWidget(m_handleLabel);
    m_openButton->setDefault(true);
    m_openButton->setFocus();

    connect(choose, &QPushButton::clicked, this, [this] { ChooseDevicePath(); });
    connect(m_cards, &QComboBox::activated, this, [this](int row) {
        // Row 0 asks for a choice, and is none.
        if (const auto card = static_cast<size_t>(row) - 1; card < m_listedCards.size()) {
            ChooseCard(m_listedCards[card]);
        }
    });
    connect(m_devicePath, &QLineEdit::textEdited, this, [this] { FollowPath(); });
    ListCards();
    FollowPath();
    connect(m_openButton, &QPushButton::clicked, this, [this] { OpenDialog(); });
    connect(&m_handleTimer, &QTimer::timeout, this, [this] { ShowWindowHandle(); });
    m_handleTimer.start(200);
    ShowWindowHandle();
}

void CHostWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenDialog();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CHostWindow::ChooseDevicePath() {
    // Qt's own chooser, as the dialog's, in the dialog's language.
    const QString folder = QFileDialog::getExistingDirectory(
        this, HostText(EHostText::kSdCardChooserTitle), m_devicePath->text(),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty()) {
        m_devicePath->setText(folder);
        FollowPath();
    }
}

void CHostWindow::ListCards() {
    std::vector<CRemovableVolume> cards = m_volumes.Volumes();
    if (!m_listedCards.empty() && cards == m_listedCards) {
        return;
    }
    m_listedCards = std::move(cards);
    const auto listed = [this](const QString& path) {
        return std::ranges::any_of(m_listedCards,
                                   [&](const CRemovableVolume& card) { return card.path == path; });
    };
    // A card pulled out leaves no path to it behind, so nothing is written
    // into its empty mount point on the computer's own disk.
    if (!m_chosenCard.isEmpty() && !listed(m_chosenCard)) {
        m_devicePath->clear();
        m_chosenCard.clear();
    }
    if (m_devicePath->text().isEmpty()) {
        if (const CRemovableVolume* card = ClearChoice(m_listedCards)) {
            ChooseCard(*card);
        }
    }
    const QSignalBlocker quiet(m_cards);
    m_cards->clear();
    m_cards->setEnabled(!m_listedCards.empty());
    m_cards->addItem(
        HostText(m_listedCards.empty() ? EHostText::kNoCardInserted : EHostText::kChooseCard));
    for (const CRemovableVolume& card : m_listedCards) {
        m_cards->addItem(CardDescription(card));
    }
    FollowPath();
}

void CHostWindow::ChooseCard(const CRemovableVolume& card) {
    m_devicePath->setText(card.path);
    if (!m_nameGiven && !card.uuid.isEmpty()) {
        const QString remembered = HostSettings().value(RememberedNameKey(card.uuid)).toString();
        if (!remembered.isEmpty()) {
            m_deviceName->setText(remembered);
        }
    }
    FollowPath();
}

void CHostWindow::FollowPath() {
    const QString path = m_devicePath->text();
    const auto card = std::ranges::find(m_listedCards, path, &CRemovableVolume::path);
    m_chosenCard = card == m_listedCards.end() ? QString() : path;
    const QSignalBlocker quiet(m_cards);
    m_cards->setCurrentIndex(
        card == m_listedCards.end() ? 0 : static_cast<int>(card - m_listedCards.begin()) + 1);
}

QString CHostWindow::NotPassableReason() const {
    const QString path =
        ::NotPassableReason(HostText(EHostText::kPathNotPassable), m_devicePath->text());
    return path.isEmpty()
               ? ::NotPassableReason(HostText(EHostText::kNameNotPassable), m_deviceName->text())
               : path;
}

void CHostWindow::OpenDialog() {
    if (const QString reason = NotPassableReason(); !reason.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(kHostWindowTitle), reason);
        return;
    }
    if (!m_chosenCard.isEmpty() && !m_volumes.IsMounted(m_chosenCard)) {
        QMessageBox::warning(this, QString::fromLatin1(kHostWindowTitle),
                             HostText(EHostText::kCardRemoved).arg(m_chosenCard));
        return;
    }
    const auto card = std::ranges::find(m_listedCards, m_chosenCard, &CRemovableVolume::path);
    if (!m_chosenCard.isEmpty() && card != m_listedCards.end() && !card->uuid.isEmpty() &&
        !m_deviceName->text().isEmpty()) {
        HostSettings().setValue(RememberedNameKey(card->uuid), m_deviceName->text());
    }
    m_library.SetDevicePath(ToAnsi(m_devicePath->text()).c_str());
    // An empty name too: the dialog then names the player by default rather
    // than by the name of an earlier showing.
    m_library.SetDeviceName(ToAnsi(m_deviceName->text()).c_str());
    m_openButton->setEnabled(false);
    m_library.OpenQuorlanDlg();
    m_openButton->setEnabled(true);
    // Disabled, the button gave the focus away; a second Space or Enter
    // opens the dialog again rather than typing into the path.
    m_openButton->setFocus();
}

void CHostWindow::ShowWindowHandle() {
    const int handle = m_library.GetWindowHandle();
    m_handleLabel->setText(
        handle == 0 ? HostText(EHostText::kDialogNotShown)
                    : HostText(EHostText::kDialogWindow).arg(static_cast<unsigned>(handle), 0, 16));
}
