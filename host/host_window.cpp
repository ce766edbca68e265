#include "host/host_window.h"

#include "host/ansi_text.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>

CHostWindow::CHostWindow(const CQuorlanLibrary& library, const QString& devicePath,
                         const QString& deviceName)
    : m_library(library), m_devicePath(new QLineEdit(devicePath)),
      m_deviceName(new QLineEdit(deviceName)),
      m_openButton(new QPushButton(FromAnsi(library.WindowName()))), m_handleLabel(new QLabel) {
    setWindowTitle(QString::fromLatin1(kHostWindowTitle));
    m_devicePath->setPlaceholderText(tr("No player attached"));
    m_deviceName->setPlaceholderText(tr("Player's name (default KORDAVIN)"));

    auto* choose = new QPushButton(tr("Choose..."));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_devicePath);
    pathRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(tr("SD card of the player:"), pathRow);
    form->addRow(tr("Player's name:"), m_deviceName);
    // What a screen reader speaks for each edit: the label of its row.
    m_devicePath->setAccessibleName(tr("SD card of the player:"));
    m_deviceName->setAccessibleName(tr("Player's name:"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_openButton);
    layout->addWidget(m_handleLabel);
    m_openButton->setDefault(true);

    connect(choose, &QPushButton::clicked, this, [this] { ChooseDevicePath(); });
    connect(m_openButton, &QPushButton::clicked, this, [this] { OpenDialog(); });
    connect(&m_handleTimer, &QTimer::timeout, this, [this] { ShowWindowHandle(); });
    m_handleTimer.start(200);
    ShowWindowHandle();
}

void CHostWindow::ChooseDevicePath() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("SD card of the player"), m_devicePath->text());
    if (!folder.isEmpty()) {
        m_devicePath->setText(folder);
    }
}

QString CHostWindow::NotPassableReason() const {
    const QString path = ::NotPassableReason(tr("SD card path"), m_devicePath->text());
    return path.isEmpty() ? ::NotPassableReason(tr("player's name"), m_deviceName->text()) : path;
}

void CHostWindow::OpenDialog() {
    if (const QString reason = NotPassableReason(); !reason.isEmpty()) {
        QMessageBox::warning(this, QString::fromLatin1(kHostWindowTitle), reason);
        return;
    }
    m_library.SetDevicePath(ToAnsi(m_devicePath->text()).c_str());
    if (!m_deviceName->text().isEmpty()) {
        m_library.SetDeviceName(ToAnsi(m_deviceName->text()).c_str());
    }
    m_openButton->setEnabled(false);
    m_library.OpenQuorlanDlg();
    m_openButton->setEnabled(true);
}

void CHostWindow::ShowWindowHandle() {
    const int handle = m_library.GetWindowHandle();
    m_handleLabel->setText(
        handle == 0 ? tr("The dialog is not shown.")
                    : tr("Dialog window: 0x%1").arg(static_cast<unsigned>(handle), 0, 16));
}
