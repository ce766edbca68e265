// The host's list of inserted cards against real mounts: ext4 images
// mounted under the user's media folder in a private mount namespace, with a
// tmpfs over /media, so the machine's own mounts are never touched. Run by
// the test that sets up the namespace; elsewhere it has nothing to stand on.
#include "host/host_texts.h"
#include "host/host_window.h"
#include "tests/support/environment_variable.h"
#include "tests/support/screenshot_names.h"
#include "tests/support/temp_folder.h"
#include "tests/support/whole_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A card: an ext4 image, mounted at /media/USER/LABEL.
class CCard {
public:
    CCard(const fs::path& folder, const std::string& label, bool holdsSettings,
          const std::string& uuid = "random",
          const fs::path& mediaFolder = fs::path("/media") / ::getpwuid(::geteuid())->pw_name)
        : m_image(folder / (label + ".img")), m_mountPoint(mediaFolder / label) {
        Run("truncate -s 4M " + m_image.string() + " && mke2fs -q -t ext4 -L " + label + " -U " +
            uuid + " " + m_image.string());
        fs::create_directories(m_mountPoint);
        m_holdsSettings = holdsSettings;
    }
    ~CCard() { Pull(); }

    void Insert() {
        Run("mount -o loop " + m_image.string() + " " + m_mountPoint.string());
        if (m_holdsSettings) {
            std::ofstream(m_mountPoint / "NetworkSetting.ini") << "[Common]\r\n";
        }
    }
    // The mount point stays behind, empty, as a stale one would.
    void Pull() { Run("umount -q " + m_mountPoint.string() + " 2>/dev/null || true"); }
    QString Path() const { return QString::fromStdString(m_mountPoint.string()); }

private:
    static void Run(const std::string& command) {
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    fs::path m_image;
    fs::path m_mountPoint;
    bool m_holdsSettings = false;
};

class InsertedCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("QUORLAN_PRIVATE_MEDIA") == nullptr) {
            GTEST_SKIP() << "needs the private mount namespace its test sets up";
        }
        if (!fs::exists("/dev/loop-control")) {
            GTEST_SKIP() << "this machine has no loop devices to mount the cards' images on";
        }
        ASSERT_TRUE(m_library.IsLoaded()) << m_library.Error();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(m_folder.Path().string()));
    }

    QComboBox& Cards(CHostWindow& window) { return *window.findChild<QComboBox*>(); }
    QString Path(CHostWindow& window) { return window.findChildren<QLineEdit*>().at(0)->text(); }
    QLineEdit& Name(CHostWindow& window) { return *window.findChildren<QLineEdit*>().at(1); }

    // Opens the dialog for the card and ends it with Exit once it shows.
    void OpenAndExit(CHostWindow& window) {
        QTimer exitWhenShown;
        QObject::connect(&exitWhenShown, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* exit = widget->findChild<QAbstractButton*>(QStringLiteral("2"));
                    exit != nullptr && widget->isVisible() && m_library.GetWindowHandle() != 0) {
                    exit->click();
                }
            }
        });
        exitWhenShown.start(20);
        window.OpenDialog();
    }
    // The cards listed, as the list's rows after its first.
    int Listed(CHostWindow& window) { return Cards(window).count() - 1; }

    const CQuorlanLibrary m_library{QUORLAN_LIBRARY};
    const CTempFolder m_folder;
    const CEnvironmentVariable m_appData{"APPDATA", m_folder.Path().string()};
};

TEST_F(InsertedCardTest, CardsComeAndGoWhileTheWindowIsOpenAndTheOnlyOneIsChosen) {
    CCard player(m_folder.Path(), "PLAYER", true);
    CCard other(m_folder.Path(), "OTHER", false);
    // Another user's card is not this user's to write to.
    CCard foreign(m_folder.Path(), "FOREIGN", true, "random", "/media/someone-else");
    foreign.Insert();
    CHostWindow window(m_library, {}, {});
    EXPECT_EQ(Listed(window), 0);
    EXPECT_EQ(Cards(window).itemText(0), HostText(EHostText::kNoCardInserted));

    player.Insert();
    // Within a second, as a person would expect, and without polling.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(window) == 1; }, 1000));
    EXPECT_EQ(Path(window), player.Path()) << "the only card is chosen";
    EXPECT_TRUE(Cards(window).itemText(1).startsWith(QStringLiteral("PLAYER (ext4, ")));

    other.Insert();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(window) == 2; }, 1000));
    EXPECT_EQ(Path(window), player.Path()) << "a second card changes no choice";
    EXPECT_TRUE(SaveScreenshot(window, ScreenshotFolder() + QStringLiteral("/host-two-cards.png")));

    player.Pull();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(window) == 1; }, 1000));
    EXPECT_EQ(Path(window), other.Path()) << "no path to the pulled card, the other is the only";
    other.Pull();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Listed(window) == 0; }, 1000));
    EXPECT_EQ(Path(window), QString());
}

TEST_F(InsertedCardTest, OfSeveralTheOneHoldingTheSettingsIsChosenElseTheUserIs) {
    CCard first(m_folder.Path(), "FIRST", false);
    CCard second(m_folder.Path(), "SECOND", false);
    second.Insert(); // the list is in the order of the mount points, not of insertion
    first.Insert();
    {
        CHostWindow window(m_library, {}, {});
        EXPECT_EQ(Listed(window), 2);
        EXPECT_EQ(Path(window), QString()) << "nothing chosen for the user";
        EXPECT_EQ(Cards(window).currentIndex(), 0);
        EXPECT_EQ(Cards(window).itemText(0), HostText(EHostText::kChooseCard));
        Cards(window).activated(2); // the user picks the second
        EXPECT_EQ(Path(window), second.Path());
        Cards(window).activated(0); // the question itself chooses nothing
        EXPECT_EQ(Path(window), second.Path());
    }
    std::ofstream(fs::path(second.Path().toStdString()) / "NetworkSetting.ini") << "[Common]\r\n";
    {
        CHostWindow window(m_library, {}, {});
        EXPECT_EQ(Path(window), second.Path());
        EXPECT_EQ(Cards(window).currentIndex(), 2);
    }
    {
        // The command line still wins.
        CHostWindow window(m_library, first.Path(), {});
        EXPECT_EQ(Path(window), first.Path());
        EXPECT_EQ(Cards(window).currentIndex(), 1);
    }
    std::ofstream(fs::path(first.Path().toStdString()) / "NetworkSetting.ini") << "[Common]\r\n";
    {
        CHostWindow window(m_library, {}, {});
        EXPECT_EQ(Path(window), QString()) << "both hold one: the user chooses";
    }
}

// Pulled out just before the dialog opens, before the window heard of it:
// its empty mount point is not handed over.
TEST_F(InsertedCardTest, ACardPulledBeforeOpeningIsNotHandedOver) {
    CCard player(m_folder.Path(), "PLAYER", true);
    player.Insert();
    CHostWindow window(m_library, {}, {});
    ASSERT_EQ(Path(window), player.Path());
    player.Pull();
    QString said;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    window.OpenDialog();
    EXPECT_EQ(said, HostText(EHostText::kCardRemoved).arg(player.Path()));
    EXPECT_FALSE(fs::exists(fs::path(player.Path().toStdString()) / "NetworkSetting.ini"));
}

// The name given for a card comes back with that card, by its file system's
// identifier, from the host's own settings; the command line still wins.
TEST_F(InsertedCardTest, ThePlayersNameGivenForACardComesBackWithIt) {
    CCard player(m_folder.Path(), "PLAYER", true, "0c2d3a4e-1f00-4b6a-9c1e-5d2a7b8c9d01");
    player.Insert();
    {
        CHostWindow window(m_library, {}, {});
        ASSERT_EQ(Path(window), player.Path());
        Name(window).setText(QStringLiteral("Player 7"));
        OpenAndExit(window);
    }
    EXPECT_EQ(QSettings(QStringLiteral("kordavin"), QStringLiteral("quorlan-host"))
                  .value(QStringLiteral("cards/0c2d3a4e-1f00-4b6a-9c1e-5d2a7b8c9d01/name")),
              QStringLiteral("Player 7"));
    const auto appData = ReadWholeFile(m_folder.Path() / "KordavinSettingUtil.dat");
    ASSERT_TRUE(appData.has_value()) << "the dialog was shown and closed";
    EXPECT_EQ(appData->find("0c2d3a4e"), std::string::npos) << "never in the library's file";
    {
        CHostWindow window(m_library, {}, {});
        EXPECT_EQ(Name(window).text(), QStringLiteral("Player 7"));
    }
    {
        CHostWindow window(m_library, {}, QStringLiteral("Given"));
        EXPECT_EQ(Name(window).text(), QStringLiteral("Given"));
    }
    player.Pull();
    CCard other(m_folder.Path(), "OTHER", false, "7a1b2c3d-0000-4000-8000-000000000002");
    other.Insert();
    CHostWindow window(m_library, {}, {});
    ASSERT_EQ(Path(window), other.Path());
    EXPECT_EQ(Name(window).text(), QString()) << "another card, no name of its own yet";
}

// The same list as an ordinary user sees it, of a card mounted for that user
// before the host starts (by root, in the namespace its test sets up).
TEST(CardOfOrdinaryUserTest, IsListedAndChosen) {
    const char* card = std::getenv("QUORLAN_CARD_OF_THIS_USER");
    if (card == nullptr) {
        GTEST_SKIP() << "needs the card its test mounts";
    }
    ASSERT_NE(::geteuid(), 0u);
    const CQuorlanLibrary library{QUORLAN_LIBRARY};
    ASSERT_TRUE(library.IsLoaded()) << library.Error();
    CHostWindow window(library, {}, {});
    const auto* cards = window.findChild<QComboBox*>();
    ASSERT_EQ(cards->count(), 2);
    EXPECT_TRUE(cards->itemText(1).startsWith(QStringLiteral("PLAYER (ext4, ")));
    EXPECT_EQ(window.findChildren<QLineEdit*>().at(0)->text(), QString::fromLocal8Bit(card));
}

} // namespace
