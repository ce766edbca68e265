#include "host/removable_volumes.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <blkid/blkid.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// GLib names a structure member after Qt's "signals" keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#include <gio/gunixmounts.h>
#pragma pop_macro("signals")

namespace {

struct CObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using CObject = std::unique_ptr<T, CObjectUnref>;

struct CFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

// Where desktops mount a user's media: udisks2 under /media/USER (Debian,
// Ubuntu) or /run/media/USER (Fedora, Arch).
QStringList UsersMediaFolders() {
    const passwd* user = ::getpwuid(::geteuid());
    if (user == nullptr) {
        return {};
    }
    const QString name = QString::fromLocal8Bit(user->pw_name);
    return {QStringLiteral("/media/") + name + u'/', QStringLiteral("/run/media/") + name + u'/'};
}

bool IsInMediaFolder(const QString& path, const QStringList& mediaFolders) {
    return std::ranges::any_of(mediaFolders, [&](const QString& folder) {
        return path.startsWith(folder) && path.size() > folder.size();
    });
}

// A share mounted under the media folder is not a card in this computer.
bool IsNetworkFileSystem(const QString& type) {
    static const QStringList kNetwork = {
        QStringLiteral("cifs"),  QStringLiteral("smb3"),       QStringLiteral("smbfs"),
        QStringLiteral("nfs"),   QStringLiteral("nfs4"),       QStringLiteral("sshfs"),
        QStringLiteral("davfs"), QStringLiteral("fuse.sshfs"), QStringLiteral("9p")};
    return kNetwork.contains(type);
}

// A drive the system knows to be fixed (an internal disk the desktop
// mounted) is not removable media; one it knows nothing of may be.
bool IsOnFixedDrive(GMount* mount) {
    const CObject<GDrive> drive(g_mount_get_drive(mount));
    return drive && !g_drive_is_removable(drive.get()) && !g_drive_is_media_removable(drive.get());
}

// The file system's own identifier, read from the device itself where it
// may be read: without udisks2, GIO knows none.
QString UuidOnDevice(const char* device) {
    const blkid_probe probe = blkid_new_probe_from_filename(device);
    if (probe == nullptr) {
        return {};
    }
    QString uuid;
    const char* value = nullptr;
    if (blkid_do_safeprobe(probe) == 0 &&
        blkid_probe_lookup_value(probe, "UUID", &value, nullptr) == 0) {
        uuid = QString::fromLatin1(value);
    }
    blkid_free_probe(probe);
    return uuid;
}

QString UuidOf(GMount* mount, const char* device) {
    std::unique_ptr<char, CFree> uuid(g_mount_get_uuid(mount));
    if (!uuid) {
        if (const CObject<GVolume> volume{g_mount_get_volume(mount)}) {
            uuid.reset(g_volume_get_identifier(volume.get(), G_VOLUME_IDENTIFIER_KIND_UUID));
        }
    }
    return uuid ? QString::fromUtf8(uuid.get()) : UuidOnDevice(device);
}

std::optional<CRemovableVolume> VolumeOf(GMount* mount, const QStringList& mediaFolders) {
    const CObject<GFile> root(g_mount_get_root(mount));
    const std::unique_ptr<char, CFree> rootPath(g_file_get_path(root.get()));
    if (!rootPath) {
        return std::nullopt; // not a folder of this computer
    }
    CRemovableVolume volume;
    volume.path = QString::fromLocal8Bit(rootPath.get());
    if (!IsInMediaFolder(volume.path, mediaFolders) || IsOnFixedDrive(mount)) {
        return std::nullopt;
    }
    GUnixMountEntry* entry = g_unix_mount_at(rootPath.get(), nullptr);
    if (entry == nullptr) {
        return std::nullopt;
    }
    volume.fileSystem = QString::fromUtf8(g_unix_mount_get_fs_type(entry));
    const std::string device = g_unix_mount_get_device_path(entry);
    g_unix_mount_free(entry);
    if (IsNetworkFileSystem(volume.fileSystem)) {
        return std::nullopt;
    }
    const std::unique_ptr<char, CFree> name(g_mount_get_name(mount));
    volume.name = QString::fromUtf8(name.get());
    if (const CObject<GFileInfo> info{g_file_query_filesystem_info(
            root.get(), G_FILE_ATTRIBUTE_FILESYSTEM_SIZE, nullptr, nullptr)}) {
        volume.size = static_cast<qint64>(
            g_file_info_get_attribute_uint64(info.get(), G_FILE_ATTRIBUTE_FILESYSTEM_SIZE));
    }
    volume.uuid = UuidOf(mount, device.c_str());
    volume.holdsSettings = QFileInfo(volume.path + QStringLiteral("/NetworkSetting.ini")).isFile();
    return volume;
}

void OnMountsChanged(GVolumeMonitor*, GMount*, gpointer changed) {
    (*static_cast<std::function<void()>*>(changed))();
}

} // namespace

struct CRemovableVolumes::CMonitor {
    CObject<GVolumeMonitor> monitor{g_volume_monitor_get()};
    std::function<void()> changed;
};

CRemovableVolumes::CRemovableVolumes(std::function<void()> changed)
    : m_monitor(new CMonitor{.changed = std::move(changed)}) {
    for (const char* signal : {"mount-added", "mount-removed", "mount-changed"}) {
        g_signal_connect(m_monitor->monitor.get(), signal, G_CALLBACK(OnMountsChanged),
                         &m_monitor->changed);
    }
}

CRemovableVolumes::~CRemovableVolumes() {
    g_signal_handlers_disconnect_by_data(m_monitor->monitor.get(), &m_monitor->changed);
    delete m_monitor;
}

std::vector<CRemovableVolume> CRemovableVolumes::Volumes() const {
    const QStringList mediaFolders = UsersMediaFolders();
    std::vector<CRemovableVolume> volumes;
    GList* mounts = g_volume_monitor_get_mounts(m_monitor->monitor.get());
    for (GList* item = mounts; item != nullptr; item = item->next) {
        if (auto volume = VolumeOf(G_MOUNT(item->data), mediaFolders)) {
            volumes.push_back(std::move(*volume));
        }
    }
    g_list_free_full(mounts, g_object_unref);
    std::ranges::sort(volumes, {}, &CRemovableVolume::path);
    return volumes;
}

bool CRemovableVolumes::IsMounted(const QString& path) const {
    // The monitor hears of a removal only once the main loop runs; the file
    // system says at once whether a mount point is still one.
    struct stat folder {};
    struct stat parent {};
    const QByteArray local = path.toLocal8Bit();
    if (::stat(local.constData(), &folder) != 0 ||
        ::stat((local + "/..").constData(), &parent) != 0 || folder.st_dev == parent.st_dev) {
        return false;
    }
    const auto volumes = Volumes();
    return std::ranges::any_of(volumes,
                               [&](const CRemovableVolume& volume) { return volume.path == path; });
}
