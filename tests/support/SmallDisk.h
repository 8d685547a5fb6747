#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <sys/mount.h>

// A small file system of its own while alive: a tmpfs of `bytes` mounted on a new folder, where a
// write past its room fails with "No space left on device" as on a full disk. Mounting needs
// root; isMounted() says whether it worked.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes)
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0700";
        mounted_ = folder_.isValid()
                   && ::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                              options.constData())
                          == 0;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
    }

    bool isMounted() const { return mounted_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
};
