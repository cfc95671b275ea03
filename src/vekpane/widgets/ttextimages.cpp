#include "ttextimages_p.h"

#include "timagebudget.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QThread>

namespace {

// Pixmaps belong to the GUI thread; a document laid out elsewhere takes
// images, as Qt's own loading does.
bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

QVariant shown(const QImage &iImage)
{
    QImage image = iImage;
    if (image.isNull()) {
        image = QImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
        if (image.isNull()) {
            image = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
        }
    }
    if (onGuiThread())
        return QPixmap::fromImage(image);
    return image;
}

// The bytes of a data: URL, read the lenient way Qt reads them (a "?" or "#"
// in the payload belongs to it).
QByteArray dataUrlPayload(const QUrl &iUrl)
{
    const QByteArray data
            = QByteArray::fromPercentEncoding(iUrl.url(QUrl::FullyEncoded | QUrl::RemoveScheme).toLatin1());
    const int comma = data.indexOf(',');
    if (comma < 0)
        return QByteArray();
    const QByteArray payload = data.mid(comma + 1);
    if (data.left(comma).trimmed().toLower().endsWith(";base64"))
        return QByteArray::fromBase64(payload);
    return payload;
}

// The file a name stands for, resolved as a document resolves it: a "qrc"
// URL is a resource, a name without a scheme a path.
QString localPath(const QUrl &iName)
{
    if (iName.scheme().compare(QLatin1String("qrc"), Qt::CaseInsensitive) == 0)
        return QLatin1Char(':') + iName.path();
    if (iName.isLocalFile())
        return iName.toLocalFile();
    if (iName.scheme().isEmpty())
        return iName.path();
    return QString();
}

} // namespace

QVariant TTextImages::image(const QUrl &iName, const QVariant &iFound)
{
    const int type = iFound.userType();
    if (type == QMetaType::QImage || type == QMetaType::QPixmap)
        return iFound;
    if (type == QMetaType::QByteArray)
        return shown(TImageBudget::readData(iFound.toByteArray(), iName.toString()));
    if (iName.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return shown(TImageBudget::readData(dataUrlPayload(iName), TImageBudget::dataUrlSource(iName.toString())));
    const QString path = localPath(iName);
    return shown(path.isEmpty() ? QImage() : TImageBudget::readFile(path));
}
