#ifndef NORVO_DENCRYPTINFO_H
#define NORVO_DENCRYPTINFO_H

#include <QByteArray>
#include <QMultiMap>
#include <QString>
#include <QVariant>

// The map a package carries; a key read twice keeps both, and a lookup finds the later one.
using PackageContent = QMultiMap<QString, QVariant>;

// Keys of the entries the assistant uses; packages may carry more.
namespace PackageKeys {
constexpr char kDevice[] = "{01F1095D-25DB-41A1-B694-D978198993AD}";
constexpr char kModel[] = "{DBCA09A2-3B0F-49C8-892D-BBF54C0ACD64}";
constexpr char kVersion[] = "{160BEA7C-07BB-4FCC-BF7E-3C9BDF2EE0B6}";
constexpr char kImage[] = "{B2D57D72-C2D0-47C1-8A16-CC2303201956}";
} // namespace PackageKeys

// A firmware package: the file it came from and, once parsed, the map it carries.
class DEncryptInfo
{
public:
    DEncryptInfo() = default;
    explicit DEncryptInfo(const QString &path)
        : filePath(path)
    { }
    DEncryptInfo(const DEncryptInfo &) = default;
    DEncryptInfo &operator=(const DEncryptInfo &) = default;
    virtual ~DEncryptInfo() = default;

    // A missing entry reads as an empty text or an empty image.
    QString device() const { return text(PackageKeys::kDevice); }
    QString model() const { return text(PackageKeys::kModel); }
    QString version() const { return text(PackageKeys::kVersion); }
    QByteArray image() const
    {
        return content.value(QLatin1String(PackageKeys::kImage)).toByteArray();
    }

    QString filePath;
    QString extra; // carried with the record; nothing fills it
    PackageContent content;

private:
    QString text(const char *key) const { return content.value(QLatin1String(key)).toString(); }
};

#endif
