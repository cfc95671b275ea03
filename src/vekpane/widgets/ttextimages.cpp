#include "ttextimages_p.h"

#include "terror.h"
#include "timagebudget.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include <memory>

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

// The name Qt's image handler asks a document for, for an image's name.
QUrl resourceName(QString iImageName)
{
    if (iImageName.startsWith(QLatin1String(":/")))
        iImageName.prepend(QLatin1String("qrc"));
    return QUrl(iImageName);
}

// Every image of the document, handed to the document as its resource: the
// label then lays out and paints these and loads nothing itself. ioProvided
// holds the names handed over since the document was last empty, so that
// laying out and restyling the same text read no image again; a new text
// passes through an empty document, and so does the one call (clear()) that
// drops the resources.
void provideImages(QTextDocument *ioDocument, QSet<QString> &ioProvided)
{
    if (ioDocument->isEmpty()) {
        // A new text drops what the old one showed (the document would keep
        // every image it was ever handed): what it names is handed over
        // again before it is laid out.
        for (const QString &name : qAsConst(ioProvided))
            ioDocument->addResource(QTextDocument::ImageResource, resourceName(name), QVariant());
        ioProvided.clear();
        return;
    }
    for (QTextBlock block = ioDocument->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (ioProvided.contains(name))
                continue;
            ioProvided.insert(name);
            const QUrl url = resourceName(name);
            ioDocument->addResource(QTextDocument::ImageResource, url, TTextImages::image(url));
        }
    }
}

} // namespace

QVariant TTextImages::image(const QUrl &iName, const QVariant &iFound, bool *oRefused)
{
    TError refusal;
    QVariant image;
    const int type = iFound.userType();
    if (type == QMetaType::QImage || type == QMetaType::QPixmap) {
        image = iFound;
    } else if (type == QMetaType::QByteArray) {
        image = shown(TImageBudget::readData(iFound.toByteArray(), iName.toString(), &refusal));
    } else if (iName.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0) {
        image = shown(
                TImageBudget::readData(dataUrlPayload(iName), TImageBudget::dataUrlSource(iName.toString()), &refusal));
    } else {
        const QString path = localPath(iName);
        image = shown(path.isEmpty() ? QImage() : TImageBudget::readFile(path, &refusal));
    }
    if (oRefused)
        *oRefused = refusal.isValid();
    return image;
}

void TTextImages::watchLabels(QObject *iWatched, QEvent *iEvent)
{
    // The label's text control makes its document, and the document its
    // first children (root frame, layout), before any text is set.
    if (iEvent->type() != QEvent::ChildAdded)
        return;
    auto *document = qobject_cast<QTextDocument *>(iWatched);
    if (!document || !document->parent() || !qobject_cast<QLabel *>(document->parent()->parent()))
        return;
    static const char kWatched[] = "_vek_label_images";
    if (document->property(kWatched).toBool())
        return;
    document->setProperty(kWatched, true);
    // contentsChange comes before the document lays the new text out
    // (contentsChanged only after): the images are in place by then.
    auto provided = std::make_shared<QSet<QString>>();
    QObject::connect(document, &QTextDocument::contentsChange, document,
                     [document, provided] { provideImages(document, *provided); });
}
