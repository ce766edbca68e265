#pragma once
#include <QString>
#include <functional>
#include <vector>

// A volume the desktop mounted for this user from a removable or
// hot-pluggable drive, such as the player's SD card.
struct CRemovableVolume {
    QString name;               // the label, as the desktop shows it
    QString path;               // where it is mounted
    QString fileSystem;         // "vfat", "exfat"
    qint64 size = 0;            // bytes; 0 when the system does not say
    QString uuid;               // the file system's; empty when the system does not say
    bool holdsSettings = false; // NetworkSetting.ini at its root

    bool operator==(const CRemovableVolume&) const = default;
};

// The user's removable volumes as GIO's volume monitor sees them (through
// udisks2 on a desktop), followed as they come and go. The changes arrive in
// the GLib main loop, which Qt's event loop runs.
class CRemovableVolumes {
public:
    explicit CRemovableVolumes(std::function<void()> changed);
    ~CRemovableVolumes();
    CRemovableVolumes(const CRemovableVolumes&) = delete;
    CRemovableVolumes& operator=(const CRemovableVolumes&) = delete;

    // In the order of their mount points.
    std::vector<CRemovableVolume> Volumes() const;

    // Whether the path is still where one of them is mounted: a card pulled
    // out leaves at most an empty folder, which is not the card.
    bool IsMounted(const QString& path) const;

private:
    struct CMonitor;
    CMonitor* m_monitor;
};
