#include "host/host_window.h"

#include "host/ansi_text.h"
#include "host/host_texts.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QVBoxLayout>

CHostWindow::CHostWindow(const CQuorlanLibrary& library, const QString& devicePath,
                         const QString& deviceName)
    : m_library(library), m_devicePath(new QLineEdit(devicePath)),
      m_deviceName(new QLineEdit(deviceName)),
      m_openButton(new QPushButton(FromAnsi(library.WindowName()))), m_handleLabel(new QLabel) {
    setWindowTitle(QString::fromLatin1(kHostWindowTitle));
    m_devicePath->setPlaceholderText(HostText(EHostText::kNoPlayerAttached));
    m_deviceName->setPlaceholderText(HostText(EHostText::kPlayerNamePlaceholder));

    auto* choose = new QPushButton(HostText(EHostText::kChoose));
    // Enter on a focused button presses it, as in a dialog.
    choose->setAutoDefault(true);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_devicePath);
    pathRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(HostText(EHostText::kSdCardLabel), pathRow);
    form->addRow(HostText(EHostText::kPlayerNameLabel), m_deviceName);
    // What a screen reader speaks for each edit: the label of its row.
    m_devicePath->setAccessibleName(HostText(EHostText::kSdCardLabel));
    m_deviceName->setAccessibleName(HostText(EHostText::kPlayerNameLabel));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_openButton);
    layout->addWidget(m_handleLabel);
    m_openButton->setDefault(true);
    m_openButton->setFocus();

    connect(choose, &QPushButton::clicked, this, [this] { ChooseDevicePath(); });
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
    }
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
